#include "data/UDM1.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_DataModule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void components();
    void newCallDefaults();
    void callNumber_data();
    void callNumber();
    void eachNowIsItsOwnReading();
    void sameSecondSameNumber();
    void folderOf_data();
    void folderOf();
    void createAndDestroy();
    void archiveThatIsAFolderIsNotRead();
};

void tst_DataModule::components()
{
    TDM1 dm;
    QCOMPARE(dm.ScadData->objectName(), QString("ScadData"));
    QCOMPARE(dm.DSScad->objectName(), QString("DSScad"));
    QCOMPARE(dm.DSScad->table(), dm.ScadData);
    QCOMPARE(dm.ScadData->fieldCount(), 25);
    QCOMPARE(dm.ScadData->field(0)->fieldName(), QString("RecId"));
    const QStringList names{"RagioneSociale", "Indirizzo", "cap", "Localita", "Provincia", "PartitaIva",
                            "CodiceFiscale", "Riferimento1", "Telefono1", "Fax1", "email1", "dataorichiesta",
                            "dataointervento", "produttore", "distributore", "tipoarticolo", "articolo", "matricola",
                            "dataacquisto", "ingaranzia", "desproblema", "desdifetto", "espletata", "NumScad"};
    const QList<int> widths{70, 50, 9, 60, 2, 16, 16, 25, 30, 30, 60, 0, 0, 50, 50, 30, 30, 30, 0, 1, 300, 300, 1, 20};
    for (int i = 0; i < names.size(); ++i) {
        const MemField *f = dm.ScadData->field(i + 1);
        QCOMPARE(f->fieldName(), names[i]);
        QCOMPARE(f->objectName(), "ScadData" + names[i]);
        QCOMPARE(f->size(), widths[i]);
        QCOMPARE(f->kind() == FieldKind::DateTime, widths[i] == 0);
        QCOMPARE(dm.findChild<MemField *>("ScadData" + names[i]), f);
    }
    QCOMPARE(dm.ScadData->indexField(), dm.ScadDataNumScad);
    QCOMPARE(ArchiveFileName, QString("Chasdata.dat"));
    QCOMPARE(PrintFileName, QString("ChasLst.html"));
}

void tst_DataModule::newCallDefaults()
{
    TDM1 dm;
    const QDateTime t(QDate(2024, 3, 25), QTime(14, 30, 5, 750));
    dm.setClock([t] { return t; });
    dm.ScadData->open();
    dm.ScadData->append();
    QCOMPARE(dm.ScadData->state(), MemTable::State::Insert);
    for (int i = 1; i < dm.ScadData->fieldCount(); ++i) {
        const MemField *f = dm.ScadData->field(i);
        if (f->kind() == FieldKind::DateTime)
            QCOMPARE(f->asDateTime(), t); // with its milliseconds
        else if (f == dm.ScadDataingaranzia)
            QCOMPARE(f->asString(), QString("S"));
        else if (f == dm.ScadDataespletata)
            QCOMPARE(f->asString(), QString("N"));
        else if (f == dm.ScadDataNumScad)
            QCOMPARE(f->asString(), QString("240325143005"));
        else
            QVERIFY2(f->isNull(), qPrintable(f->fieldName()));
    }
    QCOMPARE(dm.ScadDatadataorichiesta->asString(), QString("25/03/2024 14:30:05"));
    dm.ScadDataProvincia->setAsString("ABC");
    QCOMPARE(dm.ScadDataProvincia->asString(), QString("AB"));
}

void tst_DataModule::callNumber_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("number");
    QTest::newRow("example") << QDateTime(QDate(2024, 3, 25), QTime(14, 30, 5)) << "240325143005";
    QTest::newRow("leading zeros") << QDateTime(QDate(2031, 1, 5), QTime(8, 4, 9)) << "310105080409";
    QTest::newRow("midnight") << QDateTime(QDate(2000, 12, 31), QTime(0, 0, 0, 999)) << "001231000000";
    QTest::newRow("afternoon, 24-hour") << QDateTime(QDate(2099, 7, 1), QTime(23, 59, 59)) << "990701235959";
}

void tst_DataModule::callNumber()
{
    QFETCH(QDateTime, when);
    TDM1 dm;
    dm.setClock([when] { return when; });
    dm.ScadData->open();
    dm.ScadData->append();
    QTEST(dm.ScadDataNumScad->asString(), "number");
}

void tst_DataModule::eachNowIsItsOwnReading()
{
    TDM1 dm;
    QDateTime t(QDate(2024, 3, 25), QTime(23, 59, 58));
    dm.setClock([&t] {
        const QDateTime now = t;
        t = t.addSecs(1);
        return now;
    });
    dm.ScadData->open();
    dm.ScadData->append();
    QCOMPARE(dm.ScadDatadataorichiesta->asString(), QString("25/03/2024 23:59:58"));
    QCOMPARE(dm.ScadDatadataointervento->asString(), QString("25/03/2024 23:59:59"));
    QCOMPARE(dm.ScadDatadataacquisto->asString(), QString("26/03/2024"));
    QCOMPARE(dm.ScadDataNumScad->asString(), QString("240326000001"));
}

void tst_DataModule::sameSecondSameNumber()
{
    TDM1 dm;
    dm.setClock([] { return QDateTime(QDate(2024, 3, 25), QTime(14, 30, 5)); });
    dm.ScadData->open();
    for (int i = 0; i < 2; ++i) {
        dm.ScadData->append();
        dm.ScadData->post();
    }
    QCOMPARE(dm.ScadData->recordCount(), 2);
    const auto &order = dm.ScadData->recordOrder();
    QCOMPARE(dm.ScadData->text(order[0], dm.ScadDataNumScad), dm.ScadData->text(order[1], dm.ScadDataNumScad));
}

void tst_DataModule::folderOf_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("folder");
    QTest::newRow("usual") << "/home/anna/Callistro/callistro" << "/home/anna/Callistro/";
    QTest::newRow("root") << "/callistro" << "/";
    QTest::newRow("blanks in the name") << "/opt/Le mie chiamate/callistro" << "/opt/Le mie chiamate/";
}

void tst_DataModule::folderOf()
{
    QFETCH(QString, executable);
    QTEST(TDM1::folderOf(executable), "folder");
}

void tst_DataModule::createAndDestroy()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    {
        TDM1 dm;
        dm.setExecutablePath(folder + "callistro");
        dm.DataModuleCreate();
        QCOMPARE(ProgramFolder, folder);
        QVERIFY(dm.ScadData->isActive());
        QCOMPARE(dm.ScadData->recordCount(), 0); // no archive yet
        dm.ScadData->append();
        dm.ScadDataRagioneSociale->setAsString("Prima");
        dm.ScadData->post();
        dm.DataModuleDestroy();
        QVERIFY(!dm.ScadData->isActive());
    }
    TDM1 dm;
    dm.setExecutablePath(folder + "callistro");
    dm.DataModuleCreate();
    QCOMPARE(dm.ScadData->recordCount(), 1);
    QCOMPARE(dm.ScadDataRagioneSociale->asString(), QString("Prima"));
}

void tst_DataModule::archiveThatIsAFolderIsNotRead()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("Chasdata.dat"));
    TDM1 dm;
    dm.setExecutablePath(dir.path() + "/callistro");
    dm.DataModuleCreate(); // no error: there is no archive file
    QCOMPARE(dm.ScadData->recordCount(), 0);
}

QTEST_GUILESS_MAIN(tst_DataModule)
#include "tst_datamodule.moc"
