// Runs the built program as a user would, on a prepared program folder, and ends it by signals.
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

const QByteArray kLoneLf = "RagioneSociale\tNumScad\nAlfa\t1\nBeta\t2\n";

using TestFiles::readAll;
using TestFiles::writeAll;

} // namespace

class tst_Program : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void terminationWritesTheArchive_data();
    void terminationWritesTheArchive();
    void terminationDuringAStartUpErrorBox_data();
    void terminationDuringAStartUpErrorBox();
    void secondInstanceTouchesNothing();
    void killedLeavesFileAndStaleLock();
    void crashInsideTheSave();
    void noDisplay();

private:
    void start(QProcess &p, const QProcessEnvironment &env = offscreen());
    static QProcessEnvironment offscreen();
    bool waitUntilRunning(QProcess &p);
    QString archive() const { return m_dir->filePath("Chasdata.dat"); }
    QString lockFile() const { return m_dir->filePath("Chasdata.lock"); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_Program::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QFile::copy(CALLISTRO_EXECUTABLE, m_dir->filePath("callistro")));
}

void tst_Program::cleanup()
{
    m_dir.reset();
}

QProcessEnvironment tst_Program::offscreen()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LC_ALL", "C.UTF-8");
    return env;
}

void tst_Program::start(QProcess &p, const QProcessEnvironment &env)
{
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QDir::tempPath()); // the working folder plays no part
    p.setProgram(m_dir->filePath("callistro"));
    p.start();
    QVERIFY(p.waitForStarted());
}

// Running means holding the folder's lock; the loop is entered right after start-up.
bool tst_Program::waitUntilRunning(QProcess &p)
{
    for (int i = 0; i < 200 && p.state() == QProcess::Running; ++i) {
        if (QFile::exists(lockFile())) {
            QTest::qWait(400);
            return true;
        }
        QTest::qWait(25);
    }
    return false;
}

void tst_Program::terminationWritesTheArchive_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void tst_Program::terminationWritesTheArchive()
{
    QFETCH(int, signal);
    QVERIFY(writeAll(archive(), kLoneLf));
    QProcess p;
    start(p);
    QVERIFY(waitUntilRunning(p));
    ::kill(pid_t(p.processId()), signal);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    // Written back in full, with all columns and CR LF line ends.
    const QByteArray written = readAll(archive());
    QVERIFY2(written.startsWith("RagioneSociale\tIndirizzo\t"), written.constData());
    QCOMPARE(written.count("\r\n"), 3);
    QVERIFY(written.contains("\r\nAlfa\t"));
    QVERIFY(written.endsWith("\t1\r\n") || written.contains("\t1\r\nBeta"));
    QVERIFY(!QFile::exists(lockFile()));
}

void tst_Program::terminationDuringAStartUpErrorBox_data()
{
    QTest::addColumn<QByteArray>("broken");
    QTest::newRow("unreadable date") << QByteArray("RagioneSociale\tdataacquisto\r\nAlfa\t01/01/2024\r\nBeta\tnot a date\r\nGamma\t\r\n");
    QTest::newRow("no header line") << QByteArray("Alfa\tVia Roma 1\r\nBeta\tVia Po 2\r\n");
    const QString text = "RagioneSociale\r\nAlfa\r\n";
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    QTest::newRow("zero bytes") << QByteArray("RagioneSociale\r\nAlfa\r\n") + QByteArray(512, '\0');
}

void tst_Program::terminationDuringAStartUpErrorBox()
{
    // A file that cannot be read whole: the error box is up, modal, before the main window exists.
    QFETCH(QByteArray, broken);
    QVERIFY(writeAll(archive(), broken));
    QProcess p;
    start(p);
    QVERIFY(waitUntilRunning(p));
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(readAll(archive()), broken); // nothing entered after a failed reading: untouched
    const QStringList backups = QDir(m_dir->path()).entryList({"Chasdata-*.dat"}, QDir::Files);
    QCOMPARE(backups.size(), 1);
    QCOMPARE(readAll(m_dir->filePath(backups.first())), broken);
}

void tst_Program::secondInstanceTouchesNothing()
{
    QVERIFY(writeAll(archive(), kLoneLf));
    QLockFile held(lockFile()); // another copy is running on this folder
    QVERIFY(held.tryLock(0));
    QProcess p;
    start(p);
    QTest::qWait(1500); // it shows its box and waits
    QCOMPARE(p.state(), QProcess::Running);
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 1);
    QCOMPARE(readAll(archive()), kLoneLf);
    QVERIFY(held.isLocked());
}

void tst_Program::killedLeavesFileAndStaleLock()
{
    QVERIFY(writeAll(archive(), kLoneLf));
    {
        QProcess p;
        start(p);
        QVERIFY(waitUntilRunning(p));
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(10000));
    }
    QCOMPARE(readAll(archive()), kLoneLf); // as it was at start-up
    QVERIFY(QFile::exists(lockFile()));   // stale
    QProcess again;
    start(again);
    QVERIFY(waitUntilRunning(again));
    ::kill(pid_t(again.processId()), SIGTERM);
    QVERIFY(again.waitForFinished(10000));
    QCOMPARE(again.exitCode(), 0);
    QCOMPARE(readAll(archive()).count("\r\n"), 3); // the next start took the lock over
}

void tst_Program::crashInsideTheSave()
{
    QVERIFY(writeAll(archive(), kLoneLf));
    QProcessEnvironment env = offscreen();
#ifdef SANITIZER_RUNTIME
    // A program built with AddressSanitizer wants its runtime first among the preloaded libraries.
    env.insert("LD_PRELOAD", SANITIZER_RUNTIME ":" CRASH_LIBRARY);
#else
    env.insert("LD_PRELOAD", CRASH_LIBRARY);
#endif
    env.insert("CRASH_ON_WRITE_IN", m_dir->path());
    QProcess p;
    start(p, env);
    QVERIFY(waitUntilRunning(p));
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::CrashExit); // it died half-way through writing
    QCOMPARE(readAll(archive()), kLoneLf);       // the previous archive is whole

    QProcess again; // and the next start reads it and takes the lock over
    start(again);
    QVERIFY(waitUntilRunning(again));
    ::kill(pid_t(again.processId()), SIGTERM);
    QVERIFY(again.waitForFinished(10000));
    QCOMPARE(again.exitCode(), 0);
    QCOMPARE(readAll(archive()).count("\r\n"), 3);
}

void tst_Program::noDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    QProcess p;
    start(p, env);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 1);
    const QByteArray said = p.readAllStandardError();
    QCOMPARE(said.count('\n'), 1);
    QVERIFY(said.contains("display"));
    QVERIFY(!QFile::exists(archive()));
}

QTEST_GUILESS_MAIN(tst_Program)
#include "tst_program.moc"
