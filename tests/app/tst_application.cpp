#include "app/CallistroApplication.h"
#include "app/ShellOpen.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/memdata/DataError.h"

#include <QAbstractButton>
#include <QDebug>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

struct Shown {
    MessageBoxes::Kind kind;
    QString caption;
    QString text;
};

class ThrowingWidget : public QWidget
{
protected:
    void mousePressEvent(QMouseEvent *) override { throw DataError("Cannot perform this operation on an empty dataset"); }
    void keyPressEvent(QKeyEvent *) override { throw std::runtime_error("out of range"); }
};

} // namespace

class tst_Application : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void title_data();
    void title();
    void fullStop_data();
    void fullStop();
    void escapedErrorsEndInTheErrorBox();
    void theRealErrorBox();
    void theRealConfirmationBox();
    void shellOpenIsWatched();
    void windowsCarryTheProgramIcon();

private:
    QList<Shown> m_shown;
    MessageBoxes::Answer m_answer = MessageBoxes::Answer::Ok;
};

void tst_Application::init()
{
    m_shown.clear();
    MessageBoxes::setAnswerer([this](MessageBoxes::Kind k, const QString &caption, const QString &text) {
        m_shown.append({k, caption, text});
        return m_answer;
    });
}

void tst_Application::cleanup()
{
    MessageBoxes::setAnswerer({});
}

void tst_Application::title_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("title");
    QTest::newRow("linux") << "/opt/Callistro/callistro" << "callistro";
    QTest::newRow("windows style") << "/opt/CALLISTRO.EXE" << "Callistro";
    QTest::newRow("first full stop") << "/x/Cal.listro.bin" << "Cal";
    QTest::newRow("mixed case") << "/x/CalliSTRO" << "Callistro";
}

void tst_Application::title()
{
    QFETCH(QString, executable);
    QTEST(MessageBoxes::titleFromExecutable(executable), "title");
}

void tst_Application::fullStop_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("added") << "Stream write error" << "Stream write error.";
    QTest::newRow("kept") << "Done." << "Done.";
    QTest::newRow("after an exclamation") << "Attenzione !" << "Attenzione !.";
}

void tst_Application::fullStop()
{
    QFETCH(QString, text);
    MessageBoxes::showError(text);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].kind, MessageBoxes::Kind::Error);
    QCOMPARE(m_shown[0].caption, QString("tst_application"));
    QTEST(m_shown[0].text, "shown");
}

void tst_Application::escapedErrorsEndInTheErrorBox()
{
    ThrowingWidget w;
    w.resize(100, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(&w, Qt::LeftButton);
    QTest::keyClick(&w, Qt::Key_A);

    QPushButton button("x");
    QObject::connect(&button, &QPushButton::clicked, [] { throw DataError("'x' is not a valid date and time"); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);

    QCOMPARE(m_shown.size(), 3);
    QCOMPARE(m_shown[0].text, QString("Cannot perform this operation on an empty dataset."));
    QCOMPARE(m_shown[1].text, QString("out of range."));
    QCOMPARE(m_shown[2].text, QString("'x' is not a valid date and time."));
    // ...and the program goes on: the widgets still take input.
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(m_shown.size(), 4);
}

void tst_Application::theRealErrorBox()
{
    MessageBoxes::setAnswerer({});
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = int(box->buttons().size());
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    MessageBoxes::showError("Cannot open file \"/x/Chasdata.dat\". Permission denied");
    QCOMPARE(title, QString("tst_application"));
    QCOMPARE(text, QString("Cannot open file \"/x/Chasdata.dat\". Permission denied."));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, 1);
}

void tst_Application::theRealConfirmationBox()
{
    MessageBoxes::setAnswerer({});
    QString title;
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        for (QAbstractButton *b : box->buttons())
            captions << b->text();
        QCOMPARE(box->icon(), QMessageBox::Question);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QVERIFY(!MessageBoxes::confirm("Confermi cancellazione nominativo ?"));
    QCOMPARE(title, QString("Confirm"));
    captions.sort();
    QCOMPARE(captions, (QStringList{"&No", "&Yes"}));

    QTimer::singleShot(0, [&] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
    QVERIFY(MessageBoxes::confirm("Confermi cancellazione nominativo ?")); // Yes is the default
}

void tst_Application::shellOpenIsWatched()
{
    QStringList seen;
    setShellOpenWatcher([&](const QString &f, const QString &p, const QString &d, int show) {
        seen << f << p << d << QString::number(show);
    });
    ShellOpen("ChasLst.html", QString(), "/opt/Callistro/", 5);
    setShellOpenWatcher({});
    QCOMPARE(seen, (QStringList{"ChasLst.html", "", "/opt/Callistro/", "5"}));
}

void tst_Application::windowsCarryTheProgramIcon()
{
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("callistro"));
    const QList<QSize> sizes = QGuiApplication::windowIcon().availableSizes();
    QVERIFY2(sizes.contains(QSize(48, 48)) && sizes.contains(QSize(256, 256)), qPrintable(QDebug::toString(sizes)));
    // Rendered from the drawing, not an empty square.
    const QImage image = QGuiApplication::windowIcon().pixmap(QSize(48, 48)).toImage();
    QCOMPARE(image.size(), QSize(48, 48));
    QVERIFY(image.pixelColor(24, 24).alpha() == 255);
    QVERIFY(image.pixelColor(0, 0).alpha() < 255);
    QWidget window;
    QCOMPARE(window.windowIcon().cacheKey(), QGuiApplication::windowIcon().cacheKey());
}

int main(int argc, char **argv)
{
    CallistroApplication app(argc, argv);
    tst_Application t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_application.moc"
