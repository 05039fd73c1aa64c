// The journal through the whole program: this test program, copied into a program folder and
// started with --drive, runs the real main block and enters, changes and deletes calls through
// the real windows; then it is ended by a signal, and the next start is looked at.
#include "app/CallistroApplication.h"
#include "app/Program.h"
#include "data/UDM1.h"
#include "platform/editors/DBEdit.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/editors/OfficeButton.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "tests/support/TestFiles.h"
#include "ui/CalStart.h"
#include "ui/UFMFSCAD.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstring>

namespace {

using TestFiles::readAll;

const QString kDriven = QStringLiteral("driven.txt");

QByteArray smallArchive()
{
    return "RagioneSociale\tNumScad\r\nAlfa\t1\r\nBeta\t2\r\nGamma\t3\r\n";
}

// Far larger than the file-size limit the save runs under.
QByteArray largeArchive()
{
    QByteArray a = smallArchive();
    for (int i = 0; i < 400; ++i)
        a += "Chiamata gia' archiviata numero " + QByteArray::number(i) + "\t" + QByteArray::number(100 + i) + "\r\n";
    return a;
}

QStringList names()
{
    QStringList out;
    for (quint32 id : DM1->ScadData->recordOrder())
        out << DM1->ScadData->text(id, DM1->ScadDataRagioneSociale);
    return out;
}

void enterCall(const QString &name)
{
    FMFSCAD->EDITRagioneSociale->setFocus();
    FMFSCAD->EDITRagioneSociale->selectAll();
    QTest::keyClicks(FMFSCAD->EDITRagioneSociale, name);
    QTest::mouseClick(FMFSCAD->BBInserisci, Qt::LeftButton);
}

void whileEditorOpen(const std::function<void()> &driver)
{
    QTimer::singleShot(0, FMFSCAD, [driver] {
        driver();
        if (FMFSCAD->isVisible())
            FMFSCAD->reject();
    });
}

// In the driven copy: once the main window is up, two calls through Inserisci, one changed
// through Modifica, one deleted with Del in the list; then the calls as the store holds them go
// to a file beside, and the program waits for its signal.
void drive()
{
    if (!FFMAIN || !FFMAIN->isVisible() || QApplication::activeModalWidget()) {
        QTimer::singleShot(50, drive);
        return;
    }
    MemTable *store = DM1->ScadData;
    const int loadedCalls = store->recordCount();
    whileEditorOpen([] {
        enterCall("nuova uno");
        enterCall("nuova due");
        QTest::mouseClick(FMFSCAD->BBEsci, Qt::LeftButton);
    });
    FFMAIN->BBInserisci->click();
    store->moveTo(1);
    whileEditorOpen([] { enterCall("cambiata"); });
    FFMAIN->BBModifica->click();
    store->moveTo(0);
    FFMAIN->cxGrid1DBTableView1->setFocus();
    QTest::keyClick(FFMAIN->cxGrid1DBTableView1, Qt::Key_Delete);
    // First the number of changes the store took (the reading's posts aside), then the calls.
    const quint64 changes = store->changeCount() - quint64(loadedCalls);
    TestFiles::writeAll(ProgramFolder + kDriven, QByteArray::number(changes) + '\n' + names().join(u'\n').toUtf8());
}

void installDriver()
{
    QTimer::singleShot(0, drive);
}

} // namespace

class tst_Journal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void killedRunIsRecovered();
    void saveFailingAtTerminationEndsAndKeepsTheJournal();
    void journalOfAnotherArchiveIsKeptNotReplayed();

private:
    // Starts the driven copy (through a shell line, when given) and waits until it has driven.
    // Gives the calls the driven copy holds; changes: how many the store took.
    QStringList runDriven(QProcess &p, int *changes, const QString &shellLine = QString());
    static QString recovered(int changes)
    {
        return QString("Sono state recuperate %1 modifiche che l'ultima sessione non aveva salvato nell'archivio.").arg(changes);
    }
    QString archive() const { return m_dir->filePath("Chasdata.dat"); }
    QString journal() const { return m_dir->filePath("Chasdata.jnl"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_shown;
};

void tst_Journal::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), m_dir->filePath("callistro")));
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir->filePath("state")));
    m_shown.clear();
    MessageBoxes::setAnswerer([this](MessageBoxes::Kind, const QString &, const QString &text) {
        m_shown << text;
        return MessageBoxes::Answer::Ok;
    });
}

void tst_Journal::cleanup()
{
    MessageBoxes::setAnswerer({});
    m_dir.reset();
}

QStringList tst_Journal::runDriven(QProcess &p, int *changes, const QString &shellLine)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(m_dir->path());
    if (shellLine.isEmpty()) {
        p.start(m_dir->filePath("callistro"), {"--drive"});
    } else {
        p.start("bash", {"-c", shellLine + " exec ./callistro --drive"});
    }
    if (!p.waitForStarted())
        return {};
    const QString driven = m_dir->filePath(kDriven);
    for (int i = 0; i < 400 && p.state() == QProcess::Running && !QFile::exists(driven); ++i)
        QTest::qWait(50);
    QTest::qWait(100);
    QStringList lines = QString::fromUtf8(readAll(driven)).split(u'\n', Qt::SkipEmptyParts);
    *changes = lines.isEmpty() ? -1 : lines.takeFirst().toInt();
    return lines;
}

void tst_Journal::killedRunIsRecovered()
{
    QVERIFY(TestFiles::writeAll(archive(), smallArchive()));
    QProcess p;
    int changes = 0;
    const QStringList expected = runDriven(p, &changes);
    QVERIFY(changes >= 4); // two new, one changed, one deleted, and what the editor wrote on its way
    QCOMPARE(expected, (QStringList{"CAMBIATA", "Gamma", "NUOVA UNO", "NUOVA DUE"}));
    ::kill(pid_t(p.processId()), SIGKILL);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::CrashExit);
    QCOMPARE(readAll(archive()), smallArchive());
    QVERIFY(QFile::exists(journal()));

    Program program(m_dir->filePath("callistro"));
    program.startUp();
    QCOMPARE(m_shown, QStringList{recovered(changes)});
    QCOMPARE(names(), expected);
    program.shutDown();
    QVERIFY(!QFile::exists(journal()));
    QCOMPARE(readAll(m_dir->filePath("Chasdata.bak")), smallArchive());
    const QByteArray saved = readAll(archive());
    QCOMPARE(saved.count("\r\n"), 5);
    QVERIFY(saved.contains("\r\nCAMBIATA\t") && saved.contains("\r\nNUOVA DUE\t") && !saved.contains("Alfa"));
}

void tst_Journal::saveFailingAtTerminationEndsAndKeepsTheJournal()
{
    QVERIFY(TestFiles::writeAll(archive(), largeArchive()));
    QProcess p;
    // 24 KiB: the journal fits, the archive does not; a write past it fails instead of killing.
    int changes = 0;
    const QStringList expected = runDriven(p, &changes, "trap '' XFSZ; ulimit -f 24;");
    QCOMPARE(expected.size(), 404);
    QVERIFY(changes >= 4);
    QElapsedTimer clock;
    clock.start();
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QString said = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(said.contains(QString("Stream write error. Le modifiche di questa sessione restano nel giornale \"%1\".\n")
                               .arg(journal())),
             qPrintable(said));
    QCOMPARE(readAll(archive()), largeArchive());
    QVERIFY(QFile::exists(journal()));

    Program program(m_dir->filePath("callistro"));
    program.startUp();
    QCOMPARE(m_shown, QStringList{recovered(changes)});
    QCOMPARE(names(), expected);
    program.shutDown();
    QVERIFY(!QFile::exists(journal()));
}

void tst_Journal::journalOfAnotherArchiveIsKeptNotReplayed()
{
    QVERIFY(TestFiles::writeAll(archive(), smallArchive()));
    QProcess p;
    int changes = 0;
    QVERIFY(!runDriven(p, &changes).isEmpty());
    ::kill(pid_t(p.processId()), SIGKILL);
    QVERIFY(p.waitForFinished(10000));
    const QByteArray left = readAll(journal());
    QVERIFY(!left.isEmpty());
    const QByteArray other = "RagioneSociale\tNumScad\r\nAltro archivio\t9\r\n"; // copied in since
    QVERIFY(TestFiles::writeAll(archive(), other));

    Program program(m_dir->filePath("callistro"));
    program.startUp();
    QCOMPARE(m_shown.size(), 1);
    const QStringList aside = QDir(m_dir->path()).entryList({"Chasdata-*.jnl"}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(m_shown[0], QString("Il giornale delle modifiche \"%1\" non appartiene all'archivio letto, che e' cambiato "
                                 "dopo: non e' stato applicato ed e' conservato come \"%2\".")
                             .arg(journal(), m_dir->filePath(aside[0])));
    QCOMPARE(names(), QStringList{"Altro archivio"});
    program.shutDown();
    QCOMPARE(readAll(m_dir->filePath(aside[0])), left);
    QVERIFY(!QFile::exists(journal()));
    QVERIFY(readAll(archive()).contains("\r\nAltro archivio\t"));
}

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--drive") == 0) {
        qAddPreRoutine(installDriver);
        return runProgram(1, argv);
    }
    CallistroApplication app(argc, argv);
    tst_Journal t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_journal.moc"
