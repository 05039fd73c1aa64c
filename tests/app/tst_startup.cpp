#include "app/CallistroApplication.h"
#include "app/Program.h"
#include "app/TerminationSignals.h"
#include "platform/editors/DBEdit.h"
#include "platform/editors/OfficeButton.h"
#include "ui/UFMFSCAD.h"
#include "data/UDM1.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/memdata/MemTable.h"
#include "ui/CalStart.h"
#include "ui/UFMINFO.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QScopeGuard>
#include <QFile>
#include <QTemporaryDir>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <csignal>

namespace {

struct Seen {
    QString text;
    bool mainWindowExisted;
    bool infoWindowExisted;
    bool dataModuleExisted;
};

using TestFiles::readAll;

} // namespace

class tst_StartUp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void noArchiveGivesHeaderOnly();
    void startUpErrorComesBeforeTheMainWindow();
    void shutDownErrorComesWhenNoWindowIsLeft();
    void otherRegionalSettingsAreToldAtStartUp();
    void terminationClosesTheEditorFirst();

private:
    QList<Seen> m_seen;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString executable() const { return m_dir->filePath("callistro"); }
    QString archive() const { return m_dir->filePath("Chasdata.dat"); }
};

void tst_StartUp::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_seen.clear();
    MessageBoxes::setAnswerer([this](MessageBoxes::Kind, const QString &, const QString &text) {
        m_seen.append({text, FFMAIN != nullptr, FFINFO != nullptr, DM1 != nullptr});
        return MessageBoxes::Answer::Ok;
    });
}

void tst_StartUp::cleanup()
{
    MessageBoxes::setAnswerer({});
}

void tst_StartUp::noArchiveGivesHeaderOnly()
{
    Program program(executable());
    program.startUp();
    QCOMPARE(ProgramFolder, m_dir->path() + u'/');
    QVERIFY(FFMAIN && FFINFO && DM1);
    QCOMPARE(DM1->ScadData->recordCount(), 0);
    program.shutDown();
    QVERIFY(!FFMAIN && !FFINFO && !DM1);
    QVERIFY(m_seen.isEmpty());
    QVERIFY(readAll(archive()).startsWith("RagioneSociale\tIndirizzo\t"));
    QCOMPARE(readAll(archive()).count("\r\n"), 1);
}

void tst_StartUp::startUpErrorComesBeforeTheMainWindow()
{
    QFile f(archive());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("RagioneSociale\tdataacquisto\r\nAlfa\t\r\nBeta\t99/99/9999\r\nGamma\t\r\n");
    f.close();
    Program program(executable());
    program.startUp();
    QCOMPARE(m_seen.size(), 1);
    QVERIFY(m_seen[0].text.startsWith("'99/99/9999' is not a valid date and time.\n\n"));
    QVERIFY(!m_seen[0].mainWindowExisted);
    QVERIFY(FFMAIN); // start-up went on
    QCOMPARE(DM1->ScadData->recordCount(), 1);
    program.shutDown();
}

void tst_StartUp::otherRegionalSettingsAreToldAtStartUp()
{
    // Written under dd/MM/yyyy, read under M/d/yyyy: 05/03 would become 3 May without a word.
    QVERIFY(TestFiles::writeAll(archive(), "RagioneSociale\tdataacquisto\r\nAlfa\t05/03/2024\r\n"));
    const QByteArray before = qgetenv("LC_ALL");
    const bool wasSet = qEnvironmentVariableIsSet("LC_ALL");
    qputenv("LC_ALL", "en_US.UTF-8");
    auto restore = qScopeGuard([&] { wasSet ? qputenv("LC_ALL", before) : qunsetenv("LC_ALL"); });
    Program program(executable());
    program.startUp();
    QCOMPARE(m_seen.size(), 1);
    QVERIFY2(m_seen[0].text.contains("altre impostazioni internazionali"), qPrintable(m_seen[0].text));
    QVERIFY2(m_seen[0].text.contains(QString("\"%1\"").arg(archive())), qPrintable(m_seen[0].text));
    QVERIFY2(m_seen[0].text.contains("\"05/03/2024\"") && m_seen[0].text.contains("\"5/3/2024\""), qPrintable(m_seen[0].text));
    QVERIFY(!m_seen[0].mainWindowExisted); // before anything can be entered
    QCOMPARE(DM1->ScadData->recordCount(), 1);
    program.shutDown();

    m_seen.clear(); // the file now holds the current forms: no more warning
    Program again(executable());
    again.startUp();
    QVERIFY(m_seen.isEmpty());
    again.shutDown();
}

void tst_StartUp::shutDownErrorComesWhenNoWindowIsLeft()
{
    Program program(executable());
    program.startUp();
    QVERIFY(QDir(m_dir->path()).mkdir("Chasdata.dat")); // the archive cannot be written
    program.shutDown();
    QCOMPARE(m_seen.size(), 1);
    QVERIFY2(m_seen[0].text.startsWith(QString("Cannot create file \"%1\". ").arg(archive())), qPrintable(m_seen[0].text));
    QVERIFY(m_seen[0].text.endsWith(u'.'));
    QVERIFY(!m_seen[0].mainWindowExisted);
    QVERIFY(!m_seen[0].infoWindowExisted);
    QVERIFY(m_seen[0].dataModuleExisted);
    QVERIFY(!DM1); // and the shutdown went on
}

void tst_StartUp::terminationClosesTheEditorFirst()
{
    Program program(executable());
    program.startUp();
    TerminationSignals termination;
    bool editorWasOpen = false;
    QTimer::singleShot(0, qApp, [&] {
        editorWasOpen = QApplication::activeModalWidget() == FMFSCAD;
        QTest::keyClicks(FMFSCAD->EDITRagioneSociale, "mezza chiamata");
        ::raise(SIGTERM);
    });
    FFMAIN->BBInserisci->click(); // returns once the signal has closed the editor
    QVERIFY(editorWasOpen);
    QVERIFY(termination.requested());
    QVERIFY(!FMFSCAD->isVisible());
    QCOMPARE(DM1->ScadData->state(), MemTable::State::Browse);
    QCOMPARE(DM1->ScadData->recordCount(), 0); // the half-typed call went as with Esci
    program.shutDown();
    QCOMPARE(readAll(archive()).count("\r\n"), 1);
}

int main(int argc, char **argv)
{
    CallistroApplication app(argc, argv);
    tst_StartUp t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_startup.moc"
