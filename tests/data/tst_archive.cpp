#include "data/UDM1.h"
#include "platform/memdata/DataError.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "platform/memdata/RegionalSettings.h"
#include "tests/support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QByteArray kHeader = "RagioneSociale\tIndirizzo\tcap\tLocalita\tProvincia\tPartitaIva\tCodiceFiscale\t"
                           "Riferimento1\tTelefono1\tFax1\temail1\tdataorichiesta\tdataointervento\tproduttore\t"
                           "distributore\ttipoarticolo\tarticolo\tmatricola\tdataacquisto\tingaranzia\tdesproblema\t"
                           "desdifetto\tespletata\tNumScad";

using TestFiles::readAll;

void writeAll(const QString &name, const QByteArray &bytes)
{
    QVERIFY(TestFiles::writeAll(name, bytes));
}

// The calls of a store, each as its values joined by "|".
QStringList calls(TDM1 &dm)
{
    QStringList out;
    MemTable *t = dm.ScadData;
    for (quint32 id : t->recordOrder()) {
        QStringList values;
        for (int i = 1; i < t->fieldCount(); ++i)
            values << t->text(id, t->field(i));
        out << values.join(u'|');
    }
    return out;
}

QString failureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const DataError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

class tst_Archive : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void roundTripIsByteExact();
    void exampleLine();
    void reading_data();
    void reading();
    void emptyFileLeavesStoreAsItWas();
    void readErrors_data();
    void readErrors();
    void failedReadIsNotOverwritten_data() { readErrors_data(); }
    void failedReadIsNotOverwritten();
    void blockReaderEqualsSinglePass_data();
    void blockReaderEqualsSinglePass();
    void otherRegionalSettings_data();
    void otherRegionalSettings();
    void backupsNeverOverwrite();
    void unreadableFile();
    void writing();
    void writeFailureKeepsPreviousFile();
    void cannotCreate();
    void valuesCannotBreakLines();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void tst_Archive::init()
{
    QVERIFY(m_dir.isValid());
    QDir dir(m_dir.path());
    for (const QString &f : dir.entryList(QDir::Files))
        dir.remove(f);
}

void tst_Archive::roundTripIsByteExact()
{
    const QString source = QStringLiteral(CALLISTRO_TEST_DATA "/windows.dat");
    TDM1 dm;
    dm.ScadData->open();
    dm.LoadArchive(source);
    QCOMPARE(dm.ScadData->recordCount(), 3);
    QCOMPARE(dm.ScadData->currentPosition(), 0); // the first call is current after reading
    QCOMPARE(dm.ScadDataRagioneSociale->asString(), QString("Ditta Esempio"));
    dm.ScadData->moveTo(1);
    QCOMPARE(dm.ScadDataRagioneSociale->asString(), QString::fromUtf8("Società Forlì & C. – 5 €"));
    QCOMPARE(dm.ScadDatadesproblema->asString(), QString::fromUtf8("Non stampa “nulla”"));
    QCOMPARE(dm.ScadDatadataorichiesta->asDateTime(), QDateTime(QDate(2024, 2, 1), QTime(0, 0)));
    dm.SaveArchive(path("out.dat"));
    QCOMPARE(readAll(path("out.dat")), readAll(source));
    QCOMPARE(dm.ScadData->currentPosition(), 1); // the current call stays current

    TDM1 again;
    again.ScadData->open();
    again.LoadArchive(path("out.dat"));
    QCOMPARE(calls(again), calls(dm));
    QCOMPARE(again.ScadData->recordOrder(), (std::vector<quint32>{1, 2, 3}));
}

void tst_Archive::exampleLine()
{
    TDM1 dm;
    dm.setClock([] { return QDateTime(QDate(2024, 3, 25), QTime(14, 30, 5, 750)); });
    dm.ScadData->open();
    dm.ScadData->append();
    dm.ScadDataRagioneSociale->setAsString("Ditta Esempio");
    dm.ScadData->post();
    dm.SaveArchive(path("a.dat"));
    const QByteArray line = "Ditta Esempio" + QByteArray(10, '\t') + "\t25/03/2024 14:30:05\t25/03/2024 14:30:05"
                            + QByteArray(5, '\t') + "\t25/03/2024 14:30:05\tS\t\t\tN\t240325143005";
    QCOMPARE(readAll(path("a.dat")), QByteArray(kHeader + "\r\n") + line + "\r\n");

    TDM1 back; // milliseconds are not written
    back.ScadData->open();
    back.LoadArchive(path("a.dat"));
    QCOMPARE(back.ScadDatadataorichiesta->asDateTime(), QDateTime(QDate(2024, 3, 25), QTime(14, 30, 5)));
}

void tst_Archive::reading_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected"); // RagioneSociale|NumScad of each call

    QTest::newRow("header only") << QByteArray(kHeader + "\r\n") << QStringList();
    QTest::newRow("header without line end") << kHeader << QStringList();
    QTest::newRow("any case, any order") << QByteArray("numscad\tRAGIONESOCIALE\r\n1\tA\r\n2\tB\r\n") << QStringList{"A|1", "B|2"};
    QTest::newRow("unknown column ignored") << QByteArray("Other\tRagioneSociale\r\nzzz\tA\r\n") << QStringList{"A|"};
    QTest::newRow("RecId is never read") << QByteArray("RecId\tRagioneSociale\r\n77\tA\r\n") << QStringList{"A|"};
    QTest::newRow("80 characters keep 70") << "RagioneSociale\r\n" + QByteArray(80, 'x') + "\r\n" << QStringList{QString(70, 'x') + "|"};
    QTest::newRow("blank line is an empty call") << QByteArray("RagioneSociale\r\nA\r\n\r\nB\r\n") << QStringList{"A|", "|", "B|"};
    QTest::newRow("lone LF") << QByteArray("RagioneSociale\nA\nB\n") << QStringList{"A|", "B|"};
    QTest::newRow("lone CR") << QByteArray("RagioneSociale\rA\rB\r") << QStringList{"A|", "B|"};
    QTest::newRow("LF CR is two line ends") << QByteArray("RagioneSociale\n\rA") << QStringList{"|", "A|"};
    QTest::newRow("last line without CR LF") << QByteArray("RagioneSociale\r\nA\r\nB") << QStringList{"A|", "B|"};
    QTest::newRow("UTF-8 mark skipped") << QByteArray("\xEF\xBB\xBFRagioneSociale\tNumScad\r\nA\t1\r\n") << QStringList{"A|1"};
    QTest::newRow("one field named is enough") << QByteArray("Nome\tnumscad\r\nA\t1\r\n") << QStringList{"|1"};
    QTest::newRow("fewer parts than columns") << QByteArray("NumScad\tRagioneSociale\r\n9\r\n") << QStringList{"|9"};
    QTest::newRow("trailing TAB adds no part") << QByteArray("RagioneSociale\tNumScad\r\nA\t\r\n") << QStringList{"A|"};
    QTest::newRow("empty parts are passed over") << QByteArray("RagioneSociale\t\tNumScad\r\nA\t\t5\r\n") << QStringList{"A|5"};
}

void tst_Archive::reading()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);
    writeAll(path("in.dat"), content);
    TDM1 dm;
    dm.ScadData->open();
    dm.LoadArchive(path("in.dat"));
    QStringList got;
    for (quint32 id : dm.ScadData->recordOrder())
        got << dm.ScadData->text(id, dm.ScadDataRagioneSociale) + u'|' + dm.ScadData->text(id, dm.ScadDataNumScad);
    QCOMPARE(got, expected);
    std::vector<quint32> numbers(size_t(expected.size()));
    std::iota(numbers.begin(), numbers.end(), 1u);
    QCOMPARE(dm.ScadData->recordOrder(), numbers);
    QVERIFY(!dm.archiveReadFailed());

    // Whatever the header held, the next write has all 24 columns in their order and case.
    dm.SaveArchive(path("out.dat"));
    const QByteArray out = readAll(path("out.dat"));
    QVERIFY(out.startsWith(QByteArray(kHeader + "\r\n")));
    QCOMPARE(out.count('\n'), expected.size() + 1);
    for (const QByteArray &l : out.split('\n').mid(1, expected.size()))
        QCOMPARE(l.count('\t'), 23);
}

void tst_Archive::emptyFileLeavesStoreAsItWas()
{
    writeAll(path("empty.dat"), QByteArray());
    TDM1 dm;
    dm.ScadData->open();
    dm.ScadData->append();
    dm.ScadData->post();
    dm.LoadArchive(path("empty.dat"));
    QCOMPARE(dm.ScadData->recordCount(), 1);
    TDM1 fresh;
    fresh.ScadData->open();
    fresh.LoadArchive(path("empty.dat"));
    fresh.SaveArchive(path("empty.dat"));
    QCOMPARE(readAll(path("empty.dat")), QByteArray(kHeader + "\r\n"));
}

void tst_Archive::readErrors_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("unreadable date") << readAll(CALLISTRO_TEST_DATA "/baddate.dat")
                                     << "'31/02/2024 10:00:00' is not a valid date and time" << QStringList{"Ditta Esempio"};
    QTest::newRow("too many parts") << QByteArray("RagioneSociale\tNumScad\r\nA\t1\r\nB\t2\t3\r\nC\t4\r\n")
                                    << "List index out of bounds (2)" << QStringList{"A"};

    const QString noHeader = "La prima riga del file non nomina nessuno dei campi delle chiamate: non e' un archivio delle chiamate";
    QTest::newRow("no header line") << QByteArray("Ditta Esempio\tVia Roma 1\r\nAltra Ditta\tVia Po 2\r\n") << noHeader << QStringList();
    QTest::newRow("empty first line") << QByteArray("\r\nRagioneSociale\r\nA\r\n") << noHeader << QStringList();
    QTest::newRow("only RecId") << QByteArray("RecId\r\n1\r\n") << noHeader << QStringList();
    const QString utf16 = "Il file e' scritto in UTF-16: non e' un archivio delle chiamate";
    const QString text = QString(kHeader) + "\r\nDitta Esempio\r\n";
    QByteArray le("\xFF\xFE");
    le.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    QTest::newRow("UTF-16 with its mark") << le << utf16 << QStringList();
    QTest::newRow("UTF-16 without a mark") << le.mid(2) << utf16 << QStringList();
    QByteArray be("\xFE\xFF");
    for (QChar c : text)
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xff));
    QTest::newRow("UTF-16, big end first") << be << utf16 << QStringList();
    QTest::newRow("NUL inside a call") << QByteArray("RagioneSociale\r\nA\r\nB\0C\r\nD\r\n", 28)
                                       << "Un byte zero alla riga 3: il file e' danneggiato da quel punto" << QStringList{"A"};
    QTest::newRow("NUL between calls") << QByteArray("RagioneSociale\r\nA\r\n\0B\r\n", 24)
                                       << "Un byte zero alla riga 3: il file e' danneggiato da quel punto" << QStringList{"A"};
    QTest::newRow("zeros after the last call") << QByteArray("RagioneSociale\r\nA\r\nB\r\n") + QByteArray(4096, '\0')
                                               << "Un byte zero alla riga 4: il file e' danneggiato da quel punto" << QStringList{"A", "B"};
    QTest::newRow("only zeros") << QByteArray(4096, '\0') << "Un byte zero alla riga 1: il file e' danneggiato da quel punto"
                                << QStringList();
}

void tst_Archive::readErrors()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(QStringList, kept);
    writeAll(path("Chasdata.dat"), content);
    TDM1 dm;
    dm.ScadData->open();
    const QString error = failureOf([&] { dm.LoadArchive(path("Chasdata.dat")); });
    QVERIFY2(error.startsWith(message + ".\n\n"), qPrintable(error));
    QVERIFY(dm.archiveReadFailed());

    // The calls before the failing line stay, the failing line's call does not.
    QStringList names;
    for (quint32 id : dm.ScadData->recordOrder())
        names << dm.ScadData->text(id, dm.ScadDataRagioneSociale);
    QCOMPARE(names, kept);
    QCOMPARE(dm.ScadData->state(), MemTable::State::Browse);
    QVERIFY(dm.ScadData->eventsEnabled());
    QVERIFY(!dm.ScadData->controlsDisabled());

    // A copy of the whole file, named in the message.
    const QString backup = dm.backupFileName();
    QVERIFY(QFileInfo(backup).fileName().startsWith("Chasdata-"));
    QVERIFY(backup.endsWith(".dat"));
    QVERIFY2(error.contains(QDir::toNativeSeparators(backup)), qPrintable(error));
    QCOMPARE(readAll(backup), content);

    // The store works as after a complete reading: new calls get the next numbers.
    dm.ScadData->append();
    QCOMPARE(dm.ScadData->recIdField()->asInteger(), kept.size() + 1);
    QVERIFY(!dm.ScadDataNumScad->asString().isEmpty()); // the defaults run again
    dm.ScadData->cancel();
}

void tst_Archive::failedReadIsNotOverwritten()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, kept);
    writeAll(path("Chasdata.dat"), content);
    TDM1 dm;
    dm.ScadData->open();
    failureOf([&] { dm.LoadArchive(path("Chasdata.dat")); });
    dm.SaveArchive(path("Chasdata.dat"));
    QCOMPARE(readAll(path("Chasdata.dat")), content); // nothing entered: nothing written

    dm.ScadData->append();
    dm.ScadDataRagioneSociale->setAsString("Nuova");
    dm.ScadData->post();
    dm.SaveArchive(path("Chasdata.dat"));
    QCOMPARE(readAll(path("Chasdata.dat")).count("\r\n"), kept.size() + 2); // header, the calls read, the new one
    QCOMPARE(readAll(dm.backupFileName()), content);
}

namespace {

struct Outcome {
    QStringList calls;
    QString error;
    QString foreign;
    QByteArray written;
};

QByteArray writtenBy(TDM1 &dm)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    dm.WriteArchive(buffer);
    return buffer.data();
}

// Many calls, and a line that cannot be read at about the given position.
QByteArray generated(int calls, qsizetype failAt, int kind)
{
    QByteArray out = kHeader + "\r\n";
    for (int i = 0; i < calls; ++i) {
        if (failAt >= 0 && out.size() >= failAt) {
            out += kind == 0 ? QByteArray("Rotta\t" + QByteArray(10, '\t') + "31/02/2024") // no such date
                 : kind == 1 ? QByteArray(24, '\t') + "troppi" // a part too many
                             : QByteArray("Rotta\0");
            out += "\r\n";
            failAt = -1;
        }
        out += "Ditta " + QByteArray::number(i) + QByteArray(10, '\t') + "\t05/03/2024 14:30:05\t" + (i % 3 ? "" : "1/2/2024")
               + QByteArray(5, '\t') + "\t01/01/2023\tS\tNon stampa " + QByteArray(i % 50, 'x') + "\t\tN\t" + QByteArray::number(i)
               + (i % 7 ? "\r\n" : i % 2 ? "\n" : "\r");
    }
    return out;
}

} // namespace

void tst_Archive::blockReaderEqualsSinglePass_data()
{
    QTest::addColumn<QByteArray>("content");
    for (const QString &dir : {QStringLiteral(CALLISTRO_TEST_DATA), QStringLiteral(CALLISTRO_FUZZ_CORPUS)}) {
        for (const QFileInfo &f : QDir(dir).entryInfoList({"*.dat"}, QDir::Files))
            QTest::newRow(qPrintable(f.fileName())) << readAll(f.filePath());
    }
    const QByteArray whole = generated(400, -1, 0);
    QTest::newRow("generated, no failure") << whole;
    constexpr qsizetype Block = 4096;
    for (qsizetype at = 0; at < whole.size(); at += Block) {
        for (int kind = 0; kind < 3; ++kind)
            QTest::addRow("generated, failing in block %d, kind %d", int(at / Block), kind) << generated(400, at + Block / 3 + kind * 900, kind);
    }
}

// LoadArchive reads in blocks, on two threads: the same calls, error, line and named date as a
// single pass over the whole file, for any block size.
void tst_Archive::blockReaderEqualsSinglePass()
{
    QFETCH(QByteArray, content);
    writeAll(path("Chasdata.dat"), content);
    TDM1 single;
    single.setClock([] { return QDateTime(QDate(2026, 12, 11), QTime(10, 0)); });
    single.ScadData->open();
    Outcome expected;
    expected.error = failureOf([&] { single.ReadArchive(content); });
    if (!expected.error.isEmpty())
        expected.error += u'.';
    expected.calls = calls(single);
    expected.foreign = single.foreignDateText();
    expected.written = writtenBy(single);

    for (int threads : {1, 2}) {
        for (qsizetype block : {qsizetype(16), qsizetype(333), qsizetype(4096), qsizetype(8) << 20}) {
            TDM1 dm;
            dm.setReading(threads, block);
            dm.ScadData->open();
            Outcome got;
            got.error = failureOf([&] { dm.LoadArchive(path("Chasdata.dat")); }).section(u'\n', 0, 0);
            got.calls = calls(dm);
            got.foreign = dm.foreignDateText();
            got.written = writtenBy(dm);
            const QByteArray where = QByteArray::number(threads) + " threads, blocks of " + QByteArray::number(block);
            QVERIFY2(got.error == expected.error, QByteArray(where + ": " + got.error.toUtf8() + " / " + expected.error.toUtf8()).constData());
            QVERIFY2(got.calls == expected.calls, where.constData());
            QVERIFY2(got.foreign == expected.foreign, where.constData());
            QVERIFY2(got.written == expected.written, where.constData());
            QCOMPARE(dm.ScadData->state(), MemTable::State::Browse);
            QVERIFY(dm.ScadData->eventsEnabled());
            QVERIFY(!dm.ScadData->controlsDisabled());
            dm.ScadData->append(); // new calls take the next numbers
            QCOMPARE(dm.ScadData->recIdField()->asInteger(), expected.calls.size() + 1);
            dm.ScadData->cancel();
            for (const QString &f : QDir(m_dir.path()).entryList({"Chasdata-*"}, QDir::Files))
                QFile::remove(m_dir.filePath(f));
        }
    }
}

void tst_Archive::otherRegionalSettings_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("dates"); // dataorichiesta, dataacquisto of two calls
    QTest::addColumn<QString>("foreign");
    QTest::newRow("same settings") << "it_IT" << QByteArray("05/03/2024 14:30:05\t05/03/2024\r\n31/12/2024\t\r\n") << "";
    QTest::newRow("dd/MM read as M/d") << "en_US" << QByteArray("3/5/2024 2:30:05 PM\t05/03/2024\r\n\t\r\n") << "05/03/2024";
    QTest::newRow("the first one is named") << "de_DE" << QByteArray("05.03.2024\t\r\n5.3.2024 14:30:05\t5.3.2024\r\n")
                                            << "5.3.2024 14:30:05";
    QTest::newRow("American") << "en_US" << QByteArray("3/5/2024 2:30:05 PM\t3/5/2024\r\n12/31/2024 11:59:59 PM\t\r\n") << "";
    QTest::newRow("midnight written out") << "it_IT" << QByteArray("05/03/2024 00:00:00\t\r\n") << "05/03/2024 00:00:00";
}

// A date-time text that the settings in use would write otherwise is named: the file was written
// under other settings, and its dates may have been read with day and month swapped.
void tst_Archive::otherRegionalSettings()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, dates);
    QFETCH(QString, foreign);
    writeAll(path("Chasdata.dat"), "dataorichiesta\tdataacquisto\r\n" + dates);
    TDM1 dm;
    dm.ScadData->setRegionalSettings(RegionalSettings::fromLocaleName(locale));
    dm.ScadData->open();
    dm.LoadArchive(path("Chasdata.dat"));
    QCOMPARE(dm.ScadData->recordCount(), 2 - int(dates.count("\r\n") == 1));
    QCOMPARE(dm.foreignDateText(), foreign);
    const QString warning = dm.regionalWarning();
    QCOMPARE(warning.isEmpty(), foreign.isEmpty());
    if (!foreign.isEmpty()) {
        QVERIFY2(warning.contains(QDir::toNativeSeparators(path("Chasdata.dat"))), qPrintable(warning));
        QVERIFY2(warning.contains(u'"' + foreign + u'"'), qPrintable(warning));
    }
}

void tst_Archive::backupsNeverOverwrite()
{
    const QByteArray content = "RagioneSociale\tdataacquisto\r\nA\tnot a date\r\n";
    writeAll(path("Chasdata.dat"), content);
    QStringList backups;
    for (int i = 0; i < 3; ++i) {
        TDM1 dm;
        dm.setClock([] { return QDateTime(QDate(2026, 12, 11), QTime(10, 0)); }); // same second
        dm.ScadData->open();
        failureOf([&] { dm.LoadArchive(path("Chasdata.dat")); });
        backups << dm.backupFileName();
    }
    QCOMPARE(QSet<QString>(backups.begin(), backups.end()).size(), 3);
    for (const QString &b : backups)
        QCOMPARE(readAll(b), content);
}

void tst_Archive::unreadableFile()
{
    if (TestFiles::runningAsRoot())
        RERUN_UNPRIVILEGED("unreadableFile");
    writeAll(path("Chasdata.dat"), "RagioneSociale\r\nA\r\n");
    QFile::setPermissions(path("Chasdata.dat"), QFileDevice::Permissions());
    TDM1 dm;
    dm.ScadData->open();
    const QString error = failureOf([&] { dm.LoadArchive(path("Chasdata.dat")); });
    QCOMPARE(error, QString("Cannot open file \"%1\". Permission denied").arg(path("Chasdata.dat")));
    QCOMPARE(dm.ScadData->recordCount(), 0);
    dm.SaveArchive(path("Chasdata.dat"));
    QFile::setPermissions(path("Chasdata.dat"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(readAll(path("Chasdata.dat")), QByteArray("RagioneSociale\r\nA\r\n"));
}

void tst_Archive::writing()
{
    TDM1 closed; // a closed store writes nothing
    closed.SaveArchive(path("none.dat"));
    QVERIFY(!QFile::exists(path("none.dat")));

    TDM1 dm;
    dm.ScadData->open();
    dm.SaveArchive(path("empty.dat"));
    QCOMPARE(readAll(path("empty.dat")), QByteArray(kHeader + "\r\n"));

    // A pending call is posted when modified, as any walk through the store would.
    dm.ScadData->append();
    dm.ScadDataRagioneSociale->setAsString("Pending");
    dm.SaveArchive(path("one.dat"));
    QCOMPARE(dm.ScadData->state(), MemTable::State::Browse);
    QVERIFY(readAll(path("one.dat")).contains("\r\nPending\t"));
}

void tst_Archive::writeFailureKeepsPreviousFile()
{
    const QByteArray previous = readAll(CALLISTRO_TEST_DATA "/windows.dat");
    writeAll(path("Chasdata.dat"), previous);
    TDM1 dm;
    dm.ScadData->open();
    for (int i = 0; i < 2000; ++i) {
        dm.ScadData->append();
        dm.ScadDataRagioneSociale->setAsString(QString("Call %1").arg(i));
        dm.ScadData->post();
    }
    // A disk that fills up: writes past 4 KiB fail.
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString error = failureOf([&] { dm.SaveArchive(path("Chasdata.dat")); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(error, QString("Stream write error"));
    QCOMPARE(readAll(path("Chasdata.dat")), previous);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Chasdata.dat"});
}

void tst_Archive::cannotCreate()
{
    TDM1 dm;
    dm.ScadData->open();
    const QString missing = path("no/such/folder/Chasdata.dat");
    const QString error = failureOf([&] { dm.SaveArchive(missing); });
    QVERIFY2(error.startsWith(QString("Cannot create file \"%1\". ").arg(missing)), qPrintable(error));
    QVERIFY(error.size() > QString("Cannot create file \"%1\". ").arg(missing).size()); // with the reason

    if (TestFiles::runningAsRoot())
        RERUN_UNPRIVILEGED("cannotCreate");
    writeAll(path("ro.dat"), "old");
    QFile::setPermissions(path("ro.dat"), QFileDevice::ReadOwner);
    QCOMPARE(failureOf([&] { dm.SaveArchive(path("ro.dat")); }),
             QString("Cannot create file \"%1\". Permission denied").arg(path("ro.dat")));
    QCOMPARE(readAll(path("ro.dat")), QByteArray("old"));

    // A folder without write permission: a writable file is written in place, a read-only one
    // stays whole.
    qputenv("XDG_STATE_HOME", QFile::encodeName(path("state")));
    QVERIFY(QDir(m_dir.path()).mkdir("locked"));
    const QString inLocked = path("locked/Chasdata.dat");
    const QString roInLocked = path("locked/ro.dat");
    writeAll(inLocked, "old");
    writeAll(roInLocked, "old");
    QFile::setPermissions(roInLocked, QFileDevice::ReadOwner);
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString lockedError = failureOf([&] { dm.SaveArchive(inLocked); });
    const QString roError = failureOf([&] { dm.SaveArchive(roInLocked); });
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(lockedError, QString());
    QVERIFY(readAll(inLocked).startsWith("RagioneSociale\tIndirizzo\t"));
    QCOMPARE(roError, QString("Cannot create file \"%1\". Permission denied").arg(roInLocked));
    QCOMPARE(readAll(roInLocked), QByteArray("old"));
}

void tst_Archive::valuesCannotBreakLines()
{
    TDM1 dm;
    dm.ScadData->open();
    dm.ScadData->append();
    dm.ScadDataRagioneSociale->setAsString("A\tB");
    dm.ScadDatadesproblema->setAsString("riga uno\r\nriga due\nriga tre\r");
    dm.ScadDatadesdifetto->setAsString(QString("x") + QChar(0) + "y");
    dm.ScadData->post();
    dm.SaveArchive(path("a.dat"));
    TDM1 back;
    back.ScadData->open();
    back.LoadArchive(path("a.dat"));
    QCOMPARE(back.ScadData->recordCount(), 1);
    QCOMPARE(back.ScadDataRagioneSociale->asString(), QString("A B"));
    QCOMPARE(back.ScadDatadesproblema->asString(), QString("riga uno riga due riga tre "));
    QCOMPARE(back.ScadDatadesdifetto->asString(), QString("xy"));
}

QTEST_GUILESS_MAIN(tst_Archive)
#include "tst_archive.moc"
