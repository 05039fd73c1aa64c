// Faults around the archive, through the real start-up and shutdown: what the user is shown and
// what the file holds afterwards.
#include "app/CallistroApplication.h"
#include "app/Program.h"
#include "data/UDM1.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/memdata/DataError.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QByteArray kArchive = "RagioneSociale\tNumScad\r\nAlfa\t1\r\nBeta\t2\r\n";

using TestFiles::readAll;

void writeAll(const QString &name, const QByteArray &bytes)
{
    QVERIFY(TestFiles::writeAll(name, bytes));
}

void addCall(const QString &name)
{
    DM1->ScadData->append();
    DM1->ScadDataRagioneSociale->setAsString(name);
    DM1->ScadData->post();
}

} // namespace

class tst_Faults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void diskFullWhileSaving();
    void fullTmpfsWhileSaving();
    void folderNotWritable();
    void archiveThatCannotBeSavedIsToldAtStart();
    void archiveNotReadable();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_shown;
    QString archive() const { return m_dir->filePath("Chasdata.dat"); }
    QString executable() const { return m_dir->filePath("callistro"); }
};

void tst_Faults::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_shown.clear();
    MessageBoxes::setAnswerer([this](MessageBoxes::Kind, const QString &, const QString &text) {
        m_shown << text;
        return MessageBoxes::Answer::Ok;
    });
}

void tst_Faults::cleanup()
{
    MessageBoxes::setAnswerer({});
    QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(m_dir->filePath("program"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(archive(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void tst_Faults::diskFullWhileSaving()
{
    writeAll(archive(), kArchive);
    Program program(executable());
    program.startUp();
    for (int i = 0; i < 3000; ++i)
        addCall(QString("Chiamata numero %1").arg(i));

    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit full = old;
    full.rlim_cur = 8192; // the disk fills up after 8 KiB
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
    program.shutDown();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(m_shown, QStringList{"Stream write error."});
    QCOMPARE(readAll(archive()), kArchive);
    // The calls of the run stay in the journal for the next start.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"Chasdata.dat", "Chasdata.jnl"}));
}

void tst_Faults::fullTmpfsWhileSaving()
{
    if (!TestFiles::runningAsRoot())
        QSKIP("mounting a small tmpfs needs root; the file-size limit case covers a full disk");
    const QString folder = m_dir->filePath("small");
    QVERIFY(QDir().mkdir(folder));
    QProcess mount;
    mount.start("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder});
    if (!mount.waitForFinished(10000) || mount.exitCode() != 0)
        QSKIP("this machine does not let the test mount a tmpfs; the file-size limit case covers a full disk");
    const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {folder}); });

    const QString archive = folder + "/Chasdata.dat";
    QByteArray previous = "RagioneSociale\tNumScad\r\n";
    for (int i = 0; i < 400; ++i)
        previous += "Chiamata gia' archiviata numero " + QByteArray::number(i) + "\t" + QByteArray::number(i) + "\r\n";
    writeAll(archive, previous);
    Program program(folder + "/callistro");
    program.startUp();
    QCOMPARE(DM1->ScadData->recordCount(), 400);
    // Far more than the disk holds: the journal fills it, says so once, and records no more.
    QStringList journalErrors;
    for (int i = 0; i < 1000; ++i) {
        try {
            addCall(QString("Chiamata nuova numero %1").arg(i));
        } catch (const DataError &e) {
            journalErrors << e.message();
        }
    }
    QCOMPARE(DM1->ScadData->recordCount(), 1400);
    QCOMPARE(journalErrors.size(), 1);
    QVERIFY2(journalErrors[0].contains("No space left on device"), qPrintable(journalErrors[0]));
    program.shutDown();
    QCOMPARE(m_shown, QStringList{"Stream write error."});
    QCOMPARE(readAll(archive), previous);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{"Chasdata.dat", "Chasdata.jnl"}));
}

void tst_Faults::folderNotWritable()
{
    if (TestFiles::runningAsRoot())
        RERUN_UNPRIVILEGED("folderNotWritable");
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir->filePath("state")));
    QVERIFY(QDir().mkdir(m_dir->filePath("program")));
    const QString folder = m_dir->filePath("program/");
    const QString archive = folder + "Chasdata.dat";
    writeAll(archive, kArchive);
    QFile::setPermissions(m_dir->filePath("program"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString state = TDM1::stateFolderFor(folder);
    Program program(folder + "callistro");
    program.startUp();
    QCOMPARE(m_shown, QStringList()); // the archive can be written, in place
    QCOMPARE(DM1->ScadData->recordCount(), 2);
    addCall("Gamma");
    QCOMPARE(DM1->journalFileName(), state + "Chasdata.jnl");
    QVERIFY(QFile::exists(state + "Chasdata.jnl"));
    program.shutDown();
    QCOMPARE(m_shown, QStringList());
    QVERIFY(readAll(archive).contains("\r\nGamma\t"));
    QVERIFY(!QFile::exists(state + "Chasdata.jnl"));
    QCOMPARE(readAll(state + "Chasdata.bak"), kArchive);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"Chasdata.dat"});
}

void tst_Faults::archiveThatCannotBeSavedIsToldAtStart()
{
    if (TestFiles::runningAsRoot())
        RERUN_UNPRIVILEGED("archiveThatCannotBeSavedIsToldAtStart");
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir->filePath("state")));
    QVERIFY(QDir().mkdir(m_dir->filePath("program")));
    const QString folder = m_dir->filePath("program/");
    const QString archive = folder + "Chasdata.dat";
    writeAll(archive, kArchive);
    QFile::setPermissions(archive, QFileDevice::ReadOwner);
    QFile::setPermissions(m_dir->filePath("program"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString journal = TDM1::stateFolderFor(folder) + "Chasdata.jnl";
    {
        Program program(folder + "callistro");
        program.startUp();
        // Before anything is entered.
        QCOMPARE(m_shown, QStringList{QString("L'archivio delle chiamate non potra' essere salvato all'uscita: il programma "
                                              "non puo' scrivere nella cartella \"%1\".\n\nLe chiamate inserite, "
                                              "modificate o cancellate restano nel giornale delle modifiche \"%2\" e "
                                              "vengono recuperate a ogni avvio.").arg(folder, journal)});
        addCall("Gamma");
        program.shutDown();
        QCOMPARE(m_shown.size(), 2);
        QVERIFY2(m_shown[1].startsWith(QString("Cannot create file \"%1\". ").arg(archive)), qPrintable(m_shown[1]));
    }
    QCOMPARE(readAll(archive), kArchive);
    QVERIFY(QFile::exists(journal));
    // Once it can be written, the next start has the call and saves it.
    QFile::setPermissions(archive, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    m_shown.clear();
    Program program(folder + "callistro");
    program.startUp();
    QCOMPARE(m_shown, QStringList{"E' stata recuperata 1 modifica che l'ultima sessione non aveva salvato nell'archivio."});
    program.shutDown();
    QVERIFY(readAll(archive).contains("\r\nGamma\t"));
    QVERIFY(!QFile::exists(journal));
}

void tst_Faults::archiveNotReadable()
{
    if (TestFiles::runningAsRoot())
        RERUN_UNPRIVILEGED("archiveNotReadable");
    writeAll(archive(), kArchive);
    QFile::setPermissions(archive(), QFileDevice::Permissions());
    {
        // Nothing entered: the unread file is not replaced by an empty archive.
        Program program(executable());
        program.startUp();
        QCOMPARE(m_shown, QStringList{QString("Cannot open file \"%1\". Permission denied.").arg(archive())});
        QCOMPARE(DM1->ScadData->recordCount(), 0);
        program.shutDown();
        QCOMPARE(m_shown.size(), 1);
    }
    QFile::setPermissions(archive(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(readAll(archive()), kArchive);
    QFile::setPermissions(archive(), QFileDevice::Permissions());
    {
        // Calls entered: they are written, and the unread file is kept beside them.
        Program program(executable());
        program.startUp();
        addCall("Nuova");
        program.shutDown();
    }
    QFile::setPermissions(archive(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(readAll(archive()).contains("\r\nNuova\t"));
    const QStringList backups = QDir(m_dir->path()).entryList({"Chasdata-*.dat"}, QDir::Files);
    QCOMPARE(backups.size(), 1);
    QFile::setPermissions(m_dir->filePath(backups[0]), QFileDevice::ReadOwner);
    QCOMPARE(readAll(m_dir->filePath(backups[0])), kArchive);
}

int main(int argc, char **argv)
{
    CallistroApplication app(argc, argv);
    tst_Faults t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_faults.moc"
