#include "platform/editors/CaptionBox.h"
#include "platform/editors/FontFaces.h"
#include "platform/editors/OfficeButton.h"
#include "platform/editors/TextLabel.h"

#include <QFontInfo>
#include <QTest>

class TestEditorLooks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void facesMapToInstalledFaces_data();
    void facesMapToInstalledFaces();
    void captionBoxIsAFixedWhiteBoxWithoutFocus();
    void labelPaintsItsOwnBackground();
    void officeButtonIsNeverTheDefault();
};

void TestEditorLooks::facesMapToInstalledFaces_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QString>("family");
    QTest::newRow("terminal") << QStringLiteral("HE_TERMINAL") << 12 << QStringLiteral("DejaVu Sans Mono");
    QTest::newRow("tahoma") << QStringLiteral("Tahoma") << 15 << QStringLiteral("DejaVu Sans");
    QTest::newRow("ms sans serif") << QStringLiteral("MS Sans Serif") << 11 << QStringLiteral("DejaVu Sans");
}

void TestEditorLooks::facesMapToInstalledFaces()
{
    QFETCH(QString, face);
    QFETCH(int, pixels);
    QFETCH(QString, family);
    const QFont font = FontFaces::font(face, pixels);
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pixelSize(), pixels);
    QCOMPARE(QFontInfo(font).family(), family);         // installed, not a stand-in
}

void TestEditorLooks::captionBoxIsAFixedWhiteBoxWithoutFocus()
{
    CaptionBox box;
    box.setFixedSize(217, 19);
    QCOMPARE(box.focusPolicy(), Qt::NoFocus);
    QCOMPARE(box.frameShape(), QFrame::Box);
    QCOMPARE(box.frameShadow(), QFrame::Plain);
    QCOMPARE(box.lineWidth(), 1);
    QVERIFY(box.autoFillBackground());
    QCOMPARE(box.palette().color(QPalette::Window), QColor(Qt::white));
    box.setText(QStringLiteral("A RATHER LONGER TEXT THAN THE BOX CAN HOLD AT ALL"));
    QCOMPARE(box.size(), QSize(217, 19));
}

void TestEditorLooks::labelPaintsItsOwnBackground()
{
    TextLabel label(QStringLiteral("Nominativo"));
    label.setColors(QColor(0, 128, 0), QColor(244, 243, 234));
    QVERIFY(label.autoFillBackground());
    QCOMPARE(label.palette().color(QPalette::WindowText), QColor(0, 128, 0));
    QCOMPARE(label.palette().color(QPalette::Window), QColor(244, 243, 234));
}

void TestEditorLooks::officeButtonIsNeverTheDefault()
{
    OfficeButton button(QStringLiteral("Conferma"));
    QVERIFY(!button.autoDefault());
    QVERIFY(!button.isDefault());
}

QTEST_MAIN(TestEditorLooks)
#include "tst_editorlooks.moc"
