// A modal window minimized under a real window manager: the program goes with it and comes back
// with the main window. Runs on its own X server (Xvfb) with openbox; skipped where they are missing.

#include "data/UDM1.h"
#include "platform/editors/DBEdit.h"
#include "platform/editors/OfficeButton.h"
#include "ProgramWindows.h"
#include "ui/CalStart.h"
#include "ui/UFMFSCAD.h"
#include "ui/UFMINFO.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <memory>

namespace {

// An X server of its own with a window manager on it, for as long as the test runs.
class XDisplay
{
public:
    XDisplay()
    {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        const QString wm = QStandardPaths::findExecutable("openbox");
        if (xvfb.isEmpty() || wm.isEmpty()) {
            m_reason = "Xvfb and openbox are needed (scripts/deps --test installs them)";
            return;
        }
        int number = 70;
        while (number < 100 && (QFileInfo::exists(QString("/tmp/.X%1-lock").arg(number))
                                || QFileInfo::exists(QString("/tmp/.X11-unix/X%1").arg(number))))
            ++number;
        m_display = QString(":%1").arg(number);
        m_server.start(xvfb, {m_display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!m_server.waitForStarted(5000) || !waitFor([number] { return QFileInfo::exists(QString("/tmp/.X11-unix/X%1").arg(number)); })) {
            m_reason = "Xvfb did not start";
            return;
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        m_wm.setProcessEnvironment(env);
        m_wm.start(wm, {});
        if (!m_wm.waitForStarted(5000)) {
            m_reason = "openbox did not start";
            return;
        }
        QThread::msleep(1000); // until it manages the screen
        // A server that ended had found the display taken by another one.
        if (m_server.state() != QProcess::Running || m_wm.state() != QProcess::Running) {
            m_reason = "Xvfb or openbox ended at once";
            return;
        }
        m_ready = true;
    }

    ~XDisplay()
    {
        for (QProcess *p : {&m_wm, &m_server}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(3000))
                    p->kill();
                p->waitForFinished(3000);
            }
        }
    }

    bool ready() const { return m_ready; }
    QString display() const { return m_display; }
    QString reason() const { return m_reason; }

private:
    static bool waitFor(const std::function<bool()> &done)
    {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (t.elapsed() > 5000)
                return false;
            QThread::msleep(50);
        }
        return true;
    }

    QProcess m_server;
    QProcess m_wm;
    QString m_display;
    QString m_reason;
    bool m_ready = false;
};

} // namespace

class tst_ModalMinimize : public QObject
{
    Q_OBJECT

public:
    explicit tst_ModalMinimize(const QString &skipReason) : m_skip(skipReason) {}

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void minimizedEditorComesBackWithTheMainWindow();

private:
    QString m_skip;
    std::unique_ptr<ProgramWindows> m_program;
    QTemporaryDir m_dir;
};

void tst_ModalMinimize::initTestCase()
{
    if (!m_skip.isEmpty())
        QSKIP(qPrintable("no window manager to run under: " + m_skip));
    m_program = std::make_unique<ProgramWindows>(m_dir.filePath("callistro"));
    QApplication::setQuitOnLastWindowClosed(false);
    FFMAIN->show();
    QVERIFY(QTest::qWaitForWindowActive(FFMAIN));
}

void tst_ModalMinimize::cleanupTestCase()
{
    m_program.reset();
}

void tst_ModalMinimize::minimizedEditorComesBackWithTheMainWindow()
{
    bool checked = false;
    QTimer::singleShot(0, FMFSCAD, [&checked] {
        const auto leave = qScopeGuard([] { FMFSCAD->reject(); });
        QVERIFY(QTest::qWaitForWindowActive(FMFSCAD));
        FMFSCAD->EDITLOCALITA->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(FMFSCAD->EDITLOCALITA));
        // What the caption's minimize button asks of the window manager.
        FMFSCAD->showMinimized();
        QTRY_VERIFY(FMFSCAD->isMinimized());
        QTRY_VERIFY2(FFMAIN->isMinimized(), "the program stays on screen without its modal window");
        // The user restores the program from the task bar.
        FFMAIN->setWindowState(FFMAIN->windowState() & ~Qt::WindowMinimized);
        QTRY_VERIFY(!FFMAIN->isMinimized());
        QTRY_VERIFY(!FMFSCAD->isMinimized());
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(FMFSCAD));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(FMFSCAD->EDITLOCALITA));
        checked = true;
    });
    FFMAIN->BBInserisci->click();
    QVERIFY(checked);
    QVERIFY(!FMFSCAD->isVisible());
}

int main(int argc, char **argv)
{
    const XDisplay x;
    if (x.ready()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", x.display().toLocal8Bit());
    }
    QApplication app(argc, argv);
    tst_ModalMinimize test(x.ready() ? QString() : x.reason());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_modalminimize.moc"
