#include "platform/editors/CaptionBox.h"
#include "platform/editors/FontFaces.h"
#include "platform/editors/OfficeButton.h"
#include "platform/editors/TextLabel.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

class TestEditorLooks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void facesMapToInstalledFaces_data();
    void facesMapToInstalledFaces();
    void everyFaceEndsInAnInstalledFace_data();
    void everyFaceEndsInAnInstalledFace();
    void captionBoxIsAFixedWhiteBoxWithoutFocus();
    void labelPaintsItsOwnBackground();
    void officeButtonIsNeverTheDefault();
};

void TestEditorLooks::facesMapToInstalledFaces_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("family"); // the face drawn with
    QTest::addColumn<int>("drawn");      // the pixel size it is drawn at
    // The terminal face: a monospace face at the form's size (its cell 7.2 pixels wide).
    QTest::newRow("terminal") << QStringLiteral("HE_TERMINAL") << 12 << false << QStringLiteral("Liberation Mono") << 12;
    QTest::newRow("tahoma") << QStringLiteral("Tahoma") << 15 << false << QStringLiteral("Tahoma") << 15;
    QTest::newRow("tahoma bold") << QStringLiteral("Tahoma") << 12 << true << QStringLiteral("Tahoma") << 12;
    // Wine's MS Sans Serif has fixed sizes: its 13-pixel cell holds 11-pixel characters.
    QTest::newRow("ms sans serif") << QStringLiteral("MS Sans Serif") << 11 << false << QStringLiteral("MS Sans Serif") << 13;
    QTest::newRow("ms sans serif, no such size") << QStringLiteral("MS Sans Serif") << 16 << false
                                                 << QStringLiteral("Liberation Sans") << 16;
    QTest::newRow("times new roman") << QStringLiteral("Times New Roman") << 19 << false
                                     << QStringLiteral("Liberation Serif") << 19;
    QTest::newRow("arial") << QStringLiteral("Arial") << 12 << false << QStringLiteral("Liberation Sans") << 12;
    QTest::newRow("courier new") << QStringLiteral("Courier New") << 12 << false << QStringLiteral("Liberation Mono") << 12;
    QTest::newRow("a face of its own") << QStringLiteral("DejaVu Serif") << 14 << false << QStringLiteral("DejaVu Serif") << 14;
}

void TestEditorLooks::facesMapToInstalledFaces()
{
    QFETCH(QString, face);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(QString, family);
    QFETCH(int, drawn);
    const QFont font = FontFaces::font(face, pixels, bold);
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pixelSize(), drawn);
    QCOMPARE(font.bold(), bold);
    const QFontInfo info(font);
    QVERIFY2(info.family() == family || info.family().startsWith(family + " ["), qPrintable(info.family()));
    QCOMPARE(info.pixelSize(), drawn);
    QCOMPARE(info.bold(), bold);
    // The character height the form asked for.
    if (!QFontDatabase::isScalable(family))
        QCOMPARE(QFontMetrics(font).ascent(), pixels);
}

void TestEditorLooks::everyFaceEndsInAnInstalledFace_data()
{
    QTest::addColumn<QString>("face");
    for (const char *face : {"HE_TERMINAL", "Tahoma", "MS Sans Serif", "Times New Roman", "Arial", "Courier New"})
        QTest::newRow(face) << QString::fromLatin1(face);
}

void TestEditorLooks::everyFaceEndsInAnInstalledFace()
{
    QFETCH(QString, face);
    const QStringList candidates = FontFaces::candidates(face);
    QVERIFY(candidates.size() >= 2);
    QVERIFY(candidates.constLast().startsWith("DejaVu"));
    QVERIFY(QFontDatabase::hasFamily(candidates.constLast()));
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
