#include "TableSource.h"

#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterFile.h"
#include "platform/memdata/DataError.h"
#include "platform/texts/ComponentTexts.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Op = FilterOperator;

// One of everything a file must carry.
FilterCriteria everything()
{
    FilterCriteria criteria;
    FilterGroup &root = criteria.root();
    root.setBoolOperator(FilterBoolOperator::Or);
    root.addCondition(FilterCondition(TableSource::Nome, Op::Like, {FilterValue(QStringLiteral("%ro%"))}));
    root.addCondition(FilterCondition(TableSource::Nome, Op::In,
                                      {FilterValue(QStringLiteral("D'Angelo \"il\" \u00c8")), FilterValue(QString())}));
    FilterGroup &notAnd = root.addGroup(FilterBoolOperator::NotAnd);
    notAnd.addCondition(FilterCondition(TableSource::Numero, Op::Between,
                                        {FilterValue(QVariant::fromValue(qint64(-5))), FilterValue(9007199254740992LL)}));
    notAnd.addCondition(FilterCondition(TableSource::Data, Op::LastMonth));
    FilterGroup &notOr = notAnd.addGroup(FilterBoolOperator::NotOr);
    notOr.addCondition(FilterCondition(TableSource::Data, Op::Equal,
                                       {FilterValue(QDateTime(QDate(2024, 5, 15), QTime(10, 30, 0, 123)),
                                                    QStringLiteral("15/05/2024 10:30:00"))}));
    notOr.addCondition(FilterCondition(TableSource::Data, Op::Less, {FilterValue(QDate(2024, 1, 2))}));
    notOr.addCondition(FilterCondition(TableSource::Data, Op::Greater, {FilterValue(QStringLiteral("02/01/2024"))}));
    notOr.addCondition(FilterCondition(TableSource::Numero, Op::Equal, {FilterValue()}));
    notAnd.addGroup(FilterBoolOperator::And);
    root.addCondition(FilterCondition(TableSource::Nome, Op::NonBlanks));
    return criteria;
}

FilterCriteria current()
{
    FilterCriteria criteria;
    criteria.root().addCondition(FilterCondition(TableSource::Numero, Op::Equal, {FilterValue(QVariant::fromValue(qint64(7)))}));
    return criteria;
}

QString fixture(const char *name)
{
    return QStringLiteral(CALLISTRO_TEST_DATA "/") + QString::fromLatin1(name);
}

QByteArray withRoot(const char *root)
{
    return QByteArray(R"({"format": "Callistro filter", "version": 1, "root": )") + root + '}';
}

} // namespace

class TestFilterFile : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase() { ComponentTexts::clearReplacements(); }

    void saveThenOpenRestoresTheTree();
    void fileNamesColumnsAndFormat();
    void readsAHandWrittenFile();
    void refusesFiles_data();
    void refusesFiles();
    void refusedFileLeavesCurrentFilter_data();
    void refusedFileLeavesCurrentFilter();
    void missingFileIsRefused();
    void unwritablePlaceIsRefused();
};

void TestFilterFile::saveThenOpenRestoresTheTree()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fileName = dir.filePath(QStringLiteral("prova.flt"));
    const TableSource source;

    FilterFile::save(fileName, everything(), source);
    FilterCriteria restored = current();
    FilterFile::open(fileName, source, restored);

    QCOMPARE(restored, everything());
    QCOMPARE(restored.root().at(2).group().at(2).group().at(0).condition().value().value().toDateTime().time().msec(), 123);
}

void TestFilterFile::fileNamesColumnsAndFormat()
{
    const QJsonObject top = QJsonDocument::fromJson(FilterFile::toJson(current(), TableSource())).object();

    QCOMPARE(top.value(QLatin1String("format")).toString(), QStringLiteral("Callistro filter"));
    QCOMPARE(top.value(QLatin1String("version")).toInt(), 1);
    const QJsonObject item = top.value(QLatin1String("root")).toObject().value(QLatin1String("items")).toArray().at(0).toObject();
    QCOMPARE(item.value(QLatin1String("column")).toString(), QStringLiteral("Numero"));
    QCOMPARE(item.value(QLatin1String("operator")).toString(), QStringLiteral("equal"));
}

void TestFilterFile::readsAHandWrittenFile()
{
    FilterCriteria expected;
    expected.root().addCondition(FilterCondition(TableSource::Nome, Op::Like, {FilterValue(QStringLiteral("%ro%"))}));
    expected.root().addCondition(FilterCondition(TableSource::Data, Op::Between,
                                                 {FilterValue(QDate(2024, 5, 1), QStringLiteral("01/05/2024")),
                                                  FilterValue(QDateTime(QDate(2024, 5, 31), QTime(23, 59, 59)))}));

    QCOMPARE(FilterFile::load(fixture("two-columns.flt"), TableSource()), expected);
}

void TestFilterFile::refusesFiles_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("message");

    const QString notFilter = QStringLiteral("The file x.flt is not a filter file");
    const QString damaged = QStringLiteral("The filter file x.flt is damaged");

    QTest::newRow("empty") << QByteArray() << notFilter;
    QTest::newRow("not JSON") << QByteArray("Nome like %ro%") << notFilter;
    QTest::newRow("JSON array") << QByteArray("[1, 2]") << notFilter;
    QTest::newRow("no format") << QByteArray(R"({"version": 1, "root": {"operator": "and", "items": []}})") << notFilter;
    QTest::newRow("other format") << QByteArray(R"({"format": "Other", "version": 1, "root": {}})") << notFilter;
    QTest::newRow("newer version") << QByteArray(R"({"format": "Callistro filter", "version": 2, "root": {}})") << notFilter;
    QTest::newRow("no root") << QByteArray(R"({"format": "Callistro filter", "version": 1})") << damaged;
    QTest::newRow("root not a group") << withRoot(R"([])") << damaged;
    QTest::newRow("unknown group operator") << withRoot(R"({"operator": "xor", "items": []})") << damaged;
    QTest::newRow("items not a list") << withRoot(R"({"operator": "and", "items": {}})") << damaged;
    QTest::newRow("item not an object") << withRoot(R"({"operator": "and", "items": [3]})") << damaged;
    QTest::newRow("unknown operator")
        << withRoot(R"({"operator": "and", "items": [{"column": "Nome", "operator": "near", "values": []}]})") << damaged;
    QTest::newRow("operator not for the column")
        << withRoot(R"({"operator": "and", "items": [{"column": "Nome", "operator": "today", "values": []}]})") << damaged;
    QTest::newRow("too few values")
        << withRoot(R"({"operator": "and", "items": [{"column": "Numero", "operator": "between", "values": [{"integer": 1}]}]})")
        << damaged;
    QTest::newRow("empty list")
        << withRoot(R"({"operator": "and", "items": [{"column": "Nome", "operator": "in", "values": []}]})") << damaged;
    QTest::newRow("integer for a text column")
        << withRoot(R"({"operator": "and", "items": [{"column": "Nome", "operator": "equal", "values": [{"integer": 1}]}]})")
        << damaged;
    QTest::newRow("fractional integer")
        << withRoot(R"({"operator": "and", "items": [{"column": "Numero", "operator": "equal", "values": [{"integer": 1.5}]}]})")
        << damaged;
    QTest::newRow("integer out of range")
        << withRoot(R"({"operator": "and", "items": [{"column": "Numero", "operator": "equal", "values": [{"integer": 1e30}]}]})")
        << damaged;
    QTest::newRow("impossible date")
        << withRoot(R"({"operator": "and", "items": [{"column": "Data", "operator": "equal", "values": [{"date": "2024-02-30"}]}]})")
        << damaged;
    QTest::newRow("value of two kinds")
        << withRoot(R"({"operator": "and", "items": [{"column": "Nome", "operator": "equal", "values": [{"text": "a", "integer": 1}]}]})")
        << damaged;
    QTest::newRow("unknown value kind")
        << withRoot(R"({"operator": "and", "items": [{"column": "Nome", "operator": "equal", "values": [{"colour": "red"}]}]})")
        << damaged;
    QTest::newRow("display not a text")
        << withRoot(R"({"operator": "and", "items": [{"column": "Nome", "operator": "equal", "values": [{"text": "a", "display": 2}]}]})")
        << damaged;
    QTest::newRow("fault deep down")
        << withRoot(R"({"operator": "and", "items": [{"operator": "or", "items": [{"operator": "and", "items": [{"column": "Numero"}]}]}]})")
        << damaged;
    QTest::newRow("unknown column")
        << withRoot(R"({"operator": "and", "items": [{"column": "Colore", "operator": "blanks", "values": []}]})")
        << QStringLiteral("The filter file x.flt names a column that does not exist here: Colore");
}

void TestFilterFile::refusesFiles()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);

    try {
        FilterFile::fromJson(contents, TableSource(), QStringLiteral("x.flt"));
        QFAIL("accepted");
    } catch (const DataError &error) {
        QCOMPARE(error.message(), message);
    }
}

void TestFilterFile::refusedFileLeavesCurrentFilter_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("message");

    QTest::newRow("cut short") << fixture("damaged.flt") << QStringLiteral("The file damaged.flt is not a filter file");
    QTest::newRow("another program's") << fixture("foreign.flt") << QStringLiteral("The file foreign.flt is not a filter file");
}

void TestFilterFile::refusedFileLeavesCurrentFilter()
{
    QFETCH(QString, fileName);
    QFETCH(QString, message);

    FilterCriteria criteria = current();
    try {
        FilterFile::open(fileName, TableSource(), criteria);
        QFAIL("accepted");
    } catch (const DataError &error) {
        QCOMPARE(error.message(), message);
    }
    QCOMPARE(criteria, current());
}

void TestFilterFile::missingFileIsRefused()
{
    QTemporaryDir dir;
    FilterCriteria criteria = current();
    try {
        FilterFile::open(dir.filePath(QStringLiteral("nessuno.flt")), TableSource(), criteria);
        QFAIL("accepted");
    } catch (const DataError &error) {
        QCOMPARE(error.message(), QStringLiteral("Can't open the filter file nessuno.flt"));
    }
    QCOMPARE(criteria, current());
}

void TestFilterFile::unwritablePlaceIsRefused()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("manca/prova.flt"));
    try {
        FilterFile::save(fileName, current(), TableSource());
        QFAIL("saved");
    } catch (const DataError &error) {
        QCOMPARE(error.message(), QStringLiteral("Can't save the filter file prova.flt"));
    }
    QVERIFY(!QFile::exists(fileName));
}

QTEST_GUILESS_MAIN(TestFilterFile)
#include "tst_filterfile.moc"
