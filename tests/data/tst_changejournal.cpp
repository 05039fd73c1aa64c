// The change journal through the data module: what a run that never saved leaves, and what the
// next start makes of it.
#include "data/ArchiveIdentity.h"
#include "data/ChangeJournal.h"
#include "data/UDM1.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "tests/support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

using TestFiles::readAll;

const QByteArray kArchive = "RagioneSociale\tNumScad\tdataacquisto\r\n"
                            "Alfa\t1\t01/02/2024 10:11:12\r\nBeta\t2\t\r\nGamma\t3\t05/03/2024\r\n";

QByteArray written(TDM1 &dm)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    dm.WriteArchive(out);
    return out.data();
}

void addCall(TDM1 &dm, const QString &name)
{
    dm.ScadData->append();
    dm.ScadDataRagioneSociale->setAsString(name);
    dm.ScadData->post();
}

} // namespace

class tst_ChangeJournal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void hash_data();
    void hash();
    void identityText();
    void replayGivesTheSameCalls();
    void nothingChangedLeavesNoJournal();
    void journalOfAnotherArchiveIsSetAside();
    void unreadableJournalIsSetAside_data();
    void unreadableJournalIsSetAside();
    void unfinishedLastLineIsDropped();
    void damagedLineStopsTheReplay_data();
    void damagedLineStopsTheReplay();
    void previousArchiveKeptAtEachSave();

private:
    // A data module on the folder, read and journaling, as the program starts it.
    std::unique_ptr<TDM1> start(QString *told = nullptr);
    // The changes of one run: new calls, a change made through edit, removals, some of them
    // while the views are suspended.
    void makeChanges(TDM1 &dm);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString archive() const { return m_dir->filePath("Chasdata.dat"); }
    QString journal() const { return m_dir->filePath("Chasdata.jnl"); }
};

void tst_ChangeJournal::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(TestFiles::writeAll(archive(), kArchive));
}

std::unique_ptr<TDM1> tst_ChangeJournal::start(QString *told)
{
    auto dm = std::make_unique<TDM1>();
    dm->setExecutablePath(m_dir->filePath("callistro"));
    dm->setClock([] { return QDateTime(QDate(2026, 12, 11), QTime(9, 30, 15)); });
    dm->DataModuleCreate();
    const QString text = dm->OpenJournal();
    if (told)
        *told = text;
    return dm;
}

void tst_ChangeJournal::makeChanges(TDM1 &dm)
{
    MemTable *t = dm.ScadData;
    addCall(dm, "Delta");
    addCall(dm, "Epsilon\tcon tab");
    t->moveTo(1);
    t->edit();
    dm.ScadDataRagioneSociale->setAsString("Beta cambiata");
    dm.ScadDatadataointervento->setAsDateTime(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59)));
    dm.ScadDataNumScad->clear();
    t->post();
    t->moveTo(0);
    t->remove();
    t->disableControls();
    t->moveTo(2);
    t->remove();
    addCall(dm, QString::fromUtf8("Zeta citt\u00e0"));
    t->enableControls();
}

void tst_ChangeJournal::hash_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<quint64>("expected");
    QTest::newRow("empty") << QByteArray() << quint64(0xEF46DB3751D8E999ull);
    QTest::newRow("a") << QByteArray("a") << quint64(0xD24EC4F1A98C6E5Bull);
    QTest::newRow("abc") << QByteArray("abc") << quint64(0x44BC2CF5AD770999ull);
    QTest::newRow("39 bytes") << QByteArray("Nobody inspects the spammish repetition") << quint64(0xFBCEA83C8A378BF1ull);
}

void tst_ChangeJournal::hash()
{
    QFETCH(QByteArray, bytes);
    QFETCH(quint64, expected);
    QCOMPARE(ArchiveIdentity::hash(bytes), expected);
    QCOMPARE(ArchiveIdentity::of(bytes).size(), qint64(bytes.size()));

    // Taken block by block, as the reader hands the file on, for every way of cutting it.
    const QByteArray longer = bytes.repeated(5);
    for (qsizetype block = 1; block <= 70; ++block) {
        ArchiveIdentity::Builder builder;
        for (qsizetype at = 0; at < longer.size(); at += block)
            builder.add(QByteArrayView(longer).sliced(at, std::min(block, longer.size() - at)));
        QCOMPARE(builder.result(), ArchiveIdentity::of(longer));
    }
}

void tst_ChangeJournal::identityText()
{
    const ArchiveIdentity id = ArchiveIdentity::of(kArchive);
    ArchiveIdentity back;
    QVERIFY(ArchiveIdentity::fromText(id.toText(), &back));
    QCOMPARE(back, id);
    QVERIFY(!ArchiveIdentity::fromText("12 abc", &back));
    QVERIFY(!ArchiveIdentity::fromText("-1 0000000000000000", &back));
    QVERIFY(ArchiveIdentity() == ArchiveIdentity::of(QByteArray()));
}

void tst_ChangeJournal::replayGivesTheSameCalls()
{
    QByteArray expected;
    {
        auto dm = start();
        makeChanges(*dm);
        expected = written(*dm);
        QVERIFY(QFile::exists(journal()));
        // The run ends without saving, as when it is killed.
    }
    QCOMPARE(readAll(archive()), kArchive);
    QString told;
    auto dm = start(&told);
    QCOMPARE(told, QString("Sono state recuperate 6 modifiche che l'ultima sessione non aveva salvato nell'archivio."));
    QCOMPARE(written(*dm), expected);
    QCOMPARE(dm->ScadData->recordCount(), 4);
    QCOMPARE(dm->ScadData->currentPosition(), 0);
    // A second run that also never saves: its changes follow the recovered ones.
    addCall(*dm, "Eta");
    expected = written(*dm);
    dm.reset();
    dm = start(&told);
    QCOMPARE(told, QString("Sono state recuperate 7 modifiche che l'ultima sessione non aveva salvato nell'archivio."));
    QCOMPARE(written(*dm), expected);
    dm->DataModuleDestroy();
    QCOMPARE(readAll(archive()), expected);
    QVERIFY(!QFile::exists(journal()));
}

void tst_ChangeJournal::nothingChangedLeavesNoJournal()
{
    QString told;
    auto dm = start(&told);
    QCOMPARE(told, QString());
    dm->ScadData->moveTo(2);
    dm->ScadData->edit();
    dm->ScadData->cancel();
    dm->ScadData->append();
    dm->ScadData->cancel();
    QVERIFY(!QFile::exists(journal()));
    dm->DataModuleDestroy();
    QVERIFY(!QFile::exists(journal()));
}

void tst_ChangeJournal::journalOfAnotherArchiveIsSetAside()
{
    {
        auto dm = start();
        makeChanges(*dm);
    }
    const QByteArray left = readAll(journal());
    const QByteArray changed = kArchive + "Nuova\t4\t\r\n"; // written since by someone else
    QVERIFY(TestFiles::writeAll(archive(), changed));
    QString told;
    auto dm = start(&told);
    const QString aside = m_dir->filePath("Chasdata-20261211-093015.jnl");
    QCOMPARE(told, QString("Il giornale delle modifiche \"%1\" non appartiene all'archivio letto, che e' cambiato dopo: "
                           "non e' stato applicato ed e' conservato come \"%2\".")
                       .arg(journal(), aside));
    QCOMPARE(dm->ScadData->recordCount(), 4);
    QCOMPARE(readAll(aside), left);
    QVERIFY(!QFile::exists(journal()));
    addCall(*dm, "Dopo");
    dm->DataModuleDestroy();
    QVERIFY(!QFile::exists(journal()));
    QCOMPARE(readAll(aside), left); // never deleted
}

void tst_ChangeJournal::unreadableJournalIsSetAside_data()
{
    QTest::addColumn<QByteArray>("left");
    QTest::newRow("short line") << QByteArray("x\n");
    QTest::newRow("not a journal") << QByteArray("RagioneSociale\tNumScad\r\nAlfa\t1\r\n");
    QTest::newRow("header damaged") << QByteArray("00000000\tA\t67 0000000000000000\n");
}

void tst_ChangeJournal::unreadableJournalIsSetAside()
{
    QFETCH(QByteArray, left);
    QVERIFY(TestFiles::writeAll(journal(), left));
    QString told;
    auto dm = start(&told);
    const QString aside = m_dir->filePath("Chasdata-20261211-093015.jnl");
    QVERIFY2(told.endsWith(QString("conservato come \"%1\".").arg(aside)), qPrintable(told));
    QCOMPARE(readAll(aside), left);
    QCOMPARE(dm->ScadData->recordCount(), 3);
}

void tst_ChangeJournal::unfinishedLastLineIsDropped()
{
    QByteArray expected;
    {
        auto dm = start();
        addCall(*dm, "Delta");
        expected = written(*dm);
        addCall(*dm, "Epsilon");
    }
    QByteArray left = readAll(journal());
    left.chop(5); // the last line was being written when the run ended
    QVERIFY(TestFiles::writeAll(journal(), left));
    QString told;
    {
        auto dm = start(&told);
        QCOMPARE(told, QString("E' stata recuperata 1 modifica che l'ultima sessione non aveva salvato nell'archivio."));
        QCOMPARE(written(*dm), expected);
        addCall(*dm, "Zeta");
        expected = written(*dm);
    }
    auto dm = start(&told);
    QCOMPARE(told, QString("Sono state recuperate 2 modifiche che l'ultima sessione non aveva salvato nell'archivio."));
    QCOMPARE(written(*dm), expected);
    QCOMPARE(QDir(m_dir->path()).entryList({"Chasdata-*"}), QStringList());
}

void tst_ChangeJournal::damagedLineStopsTheReplay_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("problem");
    QTest::newRow("a byte changed") << QByteArray("Epsilon") << QByteArray("Epsilom") << "riga 3: la riga e' danneggiata";
    QTest::newRow("a line lost") << QByteArray("\tEpsilon") << QByteArray("\tEpsilon\n") << "riga 3: la riga e' danneggiata";
}

void tst_ChangeJournal::damagedLineStopsTheReplay()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, problem);
    QByteArray expected;
    {
        auto dm = start();
        addCall(*dm, "Delta");
        expected = written(*dm);
        addCall(*dm, "Epsilon");
        addCall(*dm, "Zeta");
    }
    QByteArray damaged = readAll(journal());
    QVERIFY(damaged.contains(from));
    damaged.replace(from, to);
    QVERIFY(TestFiles::writeAll(journal(), damaged));
    QString told;
    auto dm = start(&told);
    const QString aside = m_dir->filePath("Chasdata-20261211-093015.jnl");
    QCOMPARE(told, QString("E' stata recuperata 1 modifica che l'ultima sessione non aveva salvato nell'archivio.\n\n"
                           "Il giornale delle modifiche \"%1\" si legge solo fino alla %2; il giornale intero e' "
                           "conservato come \"%3\".")
                       .arg(journal(), problem, aside));
    QCOMPARE(written(*dm), expected);
    QCOMPARE(readAll(aside), damaged);
    dm->DataModuleDestroy();
    QCOMPARE(readAll(archive()), expected);
    QCOMPARE(readAll(aside), damaged);
}

void tst_ChangeJournal::previousArchiveKeptAtEachSave()
{
    const QString previous = m_dir->filePath("Chasdata.bak");
    auto dm = start();
    addCall(*dm, "Delta");
    dm->DataModuleDestroy();
    const QByteArray first = readAll(archive());
    QVERIFY(first.contains("\r\nDelta\t"));
    QCOMPARE(readAll(previous), kArchive);
    dm = start();
    addCall(*dm, "Epsilon");
    dm->DataModuleDestroy();
    QCOMPARE(readAll(previous), first);
    QVERIFY(readAll(archive()).contains("\r\nEpsilon\t"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), (QStringList{"Chasdata.bak", "Chasdata.dat"}));
}

QTEST_GUILESS_MAIN(tst_ChangeJournal)
#include "tst_changejournal.moc"
