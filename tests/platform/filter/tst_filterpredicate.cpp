#include "TableSource.h"

#include "i18n/UCXTRANSLATE.h"
#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterPredicate.h"
#include "platform/memdata/DataError.h"
#include "platform/texts/ComponentTexts.h"

#include <QtTest>

Q_DECLARE_METATYPE(FilterOperator)
Q_DECLARE_METATYPE(FilterValue)
Q_DECLARE_METATYPE(FilterCriteria)

namespace {

using Row = TableSource::Row;
using Op = FilterOperator;

QVariant at(int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, mi, s, ms));
}

QVariant number(qint64 n)
{
    return QVariant::fromValue(n);
}

// Today is Wednesday 15 May 2024; this week runs from Monday 13 to Sunday 19.
const QDate Today(2024, 5, 15);

TableSource calls()
{
    return TableSource({
        {QStringLiteral("Rossi Mario"), at(2024, 5, 15, 10, 30), number(5)},          // 0 today
        {QStringLiteral("rossi anna"), at(2024, 5, 14, 23, 59, 59, 999), number(1)},  // 1 yesterday
        {QStringLiteral("Bianchi"), at(2024, 5, 16), number(10)},                     // 2 tomorrow
        {QString(), QVariant(), QVariant()},                                          // 3 all blank
        {QStringLiteral("Verdi_x"), at(2024, 5, 6, 8), number(-3)},                   // 4 last week
        {QStringLiteral("ROSSI"), at(2024, 4, 30), number(5)},                        // 5 last month
        {QStringLiteral("Neri%"), at(2023, 12, 31, 23, 59, 59), number(100)},         // 6 last year
        {QStringLiteral("Gialli"), at(2024, 5, 20), number(7)},                       // 7 next week
        {QStringLiteral("Bruno"), at(2024, 6, 1), number(2)},                         // 8 next month
        {QStringLiteral("Conti"), at(2025, 1, 1), number(0)},                         // 9 next year
        {QStringLiteral("Ricci"), at(2024, 5, 19, 23), number(6)},                    // 10 this Sunday
        {QStringLiteral("Ros"), at(2024, 5, 13), number(5)},                          // 11 this Monday
    });
}

QList<FilterValue> values(std::initializer_list<QVariant> list)
{
    QList<FilterValue> result;
    for (const QVariant &v : list)
        result.append(FilterValue(v));
    return result;
}

QList<int> allBut(std::initializer_list<int> excluded)
{
    QList<int> rows;
    for (int row = 0; row < 12; ++row) {
        if (std::find(excluded.begin(), excluded.end(), row) == excluded.end())
            rows.append(row);
    }
    return rows;
}

FilterCompileOptions fixedToday(Qt::DayOfWeek firstDay = Qt::Monday)
{
    FilterCompileOptions options;
    options.today = Today;
    options.firstDayOfWeek = firstDay;
    return options;
}

QList<int> accepted(const FilterPredicate &predicate, const TableSource &source)
{
    QList<int> rows;
    for (int row = 0; row < source.rowCount(); ++row) {
        if (predicate.accepts(row))
            rows.append(row);
    }
    return rows;
}

FilterCriteria single(int column, FilterOperator op, const QList<FilterValue> &values = {})
{
    FilterCriteria criteria;
    criteria.root().addCondition(FilterCondition(column, op, values));
    return criteria;
}

} // namespace

class TestFilterPredicate : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ComponentTexts::clearReplacements(); }

    void operators_data();
    void operators();
    void groups_data();
    void groups();
    void weekStartsOnTheGivenDay();
    void datesGivenAsTextGoThroughTheConverter();
    void conditionsThatDoNotFitAreRefused_data();
    void conditionsThatDoNotFitAreRefused();
    void refusalSpeaksItalianAfterInstallation();
    void emptyCriteriaAcceptEveryRow();
};

void TestFilterPredicate::operators_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<FilterOperator>("op");
    QTest::addColumn<QList<FilterValue>>("values");
    QTest::addColumn<QList<int>>("rows");

    const int nome = TableSource::Nome;
    const int data = TableSource::Data;
    const int numero = TableSource::Numero;
    const QString s;

    // Text: equality is exact, like ignores case.
    QTest::newRow("text equal exact") << nome << Op::Equal << values({QStringLiteral("ROSSI")}) << QList<int>{5};
    QTest::newRow("text equal is case-sensitive") << nome << Op::Equal << values({QStringLiteral("rossi")}) << QList<int>{};
    QTest::newRow("text not equal keeps blanks") << nome << Op::NotEqual << values({QStringLiteral("ROSSI")}) << allBut({5});
    QTest::newRow("text equal blank") << nome << Op::Equal << values({QVariant()}) << QList<int>{3};
    QTest::newRow("text equal empty text") << nome << Op::Equal << values({QString()}) << QList<int>{3};
    QTest::newRow("text not equal blank") << nome << Op::NotEqual << values({QVariant()}) << allBut({3});
    QTest::newRow("like contains") << nome << Op::Like << values({QStringLiteral("%ross%")}) << QList<int>{0, 1, 5};
    QTest::newRow("like begins") << nome << Op::Like << values({QStringLiteral("ros%")}) << QList<int>{0, 1, 5, 11};
    QTest::newRow("like ends") << nome << Op::Like << values({QStringLiteral("%i")}) << QList<int>{2, 5, 7, 9, 10};
    QTest::newRow("like single wildcard") << nome << Op::Like << values({QStringLiteral("r_ss%")}) << QList<int>{0, 1, 5};
    QTest::newRow("like wildcard inside") << nome << Op::Like << values({QStringLiteral("%a%o")}) << QList<int>{0};
    QTest::newRow("like no % is whole text") << nome << Op::Like << values({QStringLiteral("verdi_x")}) << QList<int>{4};
    QTest::newRow("like single wildcard takes a percent sign") << nome << Op::Like << values({QStringLiteral("neri_")}) << QList<int>{6};
    QTest::newRow("like one character or more") << nome << Op::Like << values({QStringLiteral("%_%")}) << allBut({3});
    QTest::newRow("like anything") << nome << Op::Like << values({QStringLiteral("%")}) << allBut({});
    QTest::newRow("not like contains") << nome << Op::NotLike << values({QStringLiteral("%ross%")}) << allBut({0, 1, 5});
    QTest::newRow("text less") << nome << Op::Less << values({QStringLiteral("C")}) << QList<int>{2, 3, 8};
    QTest::newRow("text between ignores case") << nome << Op::Between << values({QStringLiteral("b"), QStringLiteral("c")})
                                               << QList<int>{2, 8};
    QTest::newRow("text greater equal, case breaks ties") << nome << Op::GreaterEqual << values({QStringLiteral("rossi")})
                                                          << QList<int>{0, 1, 4};
    QTest::newRow("text not between") << nome << Op::NotBetween << values({QStringLiteral("b"), QStringLiteral("c")})
                                      << allBut({2, 8});
    QTest::newRow("text in") << nome << Op::In << values({QStringLiteral("Conti"), QStringLiteral("Bruno"), QStringLiteral("x")})
                             << QList<int>{8, 9};
    QTest::newRow("text not in") << nome << Op::NotIn << values({QStringLiteral("Bruno"), QStringLiteral("Conti")})
                                 << allBut({8, 9});
    QTest::newRow("text blanks") << nome << Op::Blanks << values({}) << QList<int>{3};
    QTest::newRow("text non blanks") << nome << Op::NonBlanks << values({}) << allBut({3});

    // Date-times: a QDate stands for its whole day.
    QTest::newRow("date equal day") << data << Op::Equal << values({QDate(2024, 5, 15)}) << QList<int>{0};
    QTest::newRow("date equal exact time") << data << Op::Equal << values({at(2024, 5, 15, 10, 30)}) << QList<int>{0};
    QTest::newRow("date equal other second") << data << Op::Equal << values({at(2024, 5, 15, 10, 30, 1)}) << QList<int>{};
    QTest::newRow("date equal keeps milliseconds") << data << Op::Equal << values({at(2024, 5, 14, 23, 59, 59, 999)})
                                                   << QList<int>{1};
    QTest::newRow("date not equal keeps null") << data << Op::NotEqual << values({QDate(2024, 5, 15)}) << allBut({0});
    QTest::newRow("date less day") << data << Op::Less << values({QDate(2024, 5, 13)}) << QList<int>{4, 5, 6};
    QTest::newRow("date less equal day") << data << Op::LessEqual << values({QDate(2024, 5, 14)}) << QList<int>{1, 4, 5, 6, 11};
    QTest::newRow("date greater day") << data << Op::Greater << values({QDate(2024, 5, 19)}) << QList<int>{7, 8, 9};
    QTest::newRow("date greater equal time") << data << Op::GreaterEqual << values({at(2024, 5, 19, 23)})
                                             << QList<int>{7, 8, 9, 10};
    QTest::newRow("date between days") << data << Op::Between << values({QDate(2024, 5, 1), QDate(2024, 5, 31)})
                                       << QList<int>{0, 1, 2, 4, 7, 10, 11};
    QTest::newRow("date between times") << data << Op::Between << values({at(2024, 5, 14, 12), at(2024, 5, 16)})
                                         << QList<int>{0, 1, 2};
    QTest::newRow("date not between keeps null") << data << Op::NotBetween << values({QDate(2024, 5, 1), QDate(2024, 5, 31)})
                                                 << QList<int>{3, 5, 6, 8, 9};
    QTest::newRow("date between ISO texts") << data << Op::Between
                                            << values({QStringLiteral("2024-05-14"), QStringLiteral("2024-05-16")})
                                            << QList<int>{0, 1, 2};
    QTest::newRow("date in days") << data << Op::In << values({QDate(2024, 6, 1), QDate(2024, 5, 13)}) << QList<int>{8, 11};
    QTest::newRow("date in with blank") << data << Op::In << values({QDate(2024, 6, 1), QVariant()}) << QList<int>{3, 8};
    QTest::newRow("date not in") << data << Op::NotIn << values({QDate(2024, 6, 1), QDate(2024, 5, 13)})
                                 << allBut({8, 11});
    QTest::newRow("yesterday") << data << Op::Yesterday << values({}) << QList<int>{1};
    QTest::newRow("today") << data << Op::Today << values({}) << QList<int>{0};
    QTest::newRow("tomorrow") << data << Op::Tomorrow << values({}) << QList<int>{2};
    QTest::newRow("last week") << data << Op::LastWeek << values({}) << QList<int>{4};
    QTest::newRow("this week") << data << Op::ThisWeek << values({}) << QList<int>{0, 1, 2, 10, 11};
    QTest::newRow("next week") << data << Op::NextWeek << values({}) << QList<int>{7};
    QTest::newRow("last month") << data << Op::LastMonth << values({}) << QList<int>{5};
    QTest::newRow("this month") << data << Op::ThisMonth << values({}) << QList<int>{0, 1, 2, 4, 7, 10, 11};
    QTest::newRow("next month") << data << Op::NextMonth << values({}) << QList<int>{8};
    QTest::newRow("last year") << data << Op::LastYear << values({}) << QList<int>{6};
    QTest::newRow("this year") << data << Op::ThisYear << values({}) << allBut({3, 6, 9});
    QTest::newRow("next year") << data << Op::NextYear << values({}) << QList<int>{9};
    QTest::newRow("date blanks") << data << Op::Blanks << values({}) << QList<int>{3};
    QTest::newRow("date non blanks") << data << Op::NonBlanks << values({}) << allBut({3});
    QTest::newRow("date equal blank") << data << Op::Equal << values({QVariant()}) << QList<int>{3};

    // Integers.
    QTest::newRow("integer equal") << numero << Op::Equal << values({5}) << QList<int>{0, 5, 11};
    QTest::newRow("integer equal as text") << numero << Op::Equal << values({QStringLiteral(" 5")}) << QList<int>{0, 5, 11};
    QTest::newRow("integer not equal keeps null") << numero << Op::NotEqual << values({5})
                                                  << QList<int>{1, 2, 3, 4, 6, 7, 8, 9, 10};
    QTest::newRow("integer less") << numero << Op::Less << values({2}) << QList<int>{1, 4, 9};
    QTest::newRow("integer less equal") << numero << Op::LessEqual << values({2}) << QList<int>{1, 4, 8, 9};
    QTest::newRow("integer greater") << numero << Op::Greater << values({6}) << QList<int>{2, 6, 7};
    QTest::newRow("integer greater equal") << numero << Op::GreaterEqual << values({6}) << QList<int>{2, 6, 7, 10};
    QTest::newRow("integer between") << numero << Op::Between << values({1, 5}) << QList<int>{0, 1, 5, 8, 11};
    QTest::newRow("integer between reversed bounds") << numero << Op::Between << values({5, 1}) << QList<int>{};
    QTest::newRow("integer not between") << numero << Op::NotBetween << values({1, 5}) << QList<int>{2, 3, 4, 6, 7, 9, 10};
    QTest::newRow("integer in") << numero << Op::In << values({100, 0, 7, 7}) << QList<int>{6, 7, 9};
    QTest::newRow("integer not in") << numero << Op::NotIn << values({0, 7, 100}) << allBut({6, 7, 9});
    QTest::newRow("integer blanks") << numero << Op::Blanks << values({}) << QList<int>{3};
    QTest::newRow("integer non blanks") << numero << Op::NonBlanks << values({}) << allBut({3});
    QTest::newRow("integer like on its text") << numero << Op::Like << values({QStringLiteral("1%")}) << QList<int>{1, 2, 6};
}

void TestFilterPredicate::operators()
{
    QFETCH(int, column);
    QFETCH(FilterOperator, op);
    QFETCH(QList<FilterValue>, values);
    QFETCH(QList<int>, rows);

    const TableSource source = calls();
    const FilterPredicate predicate = FilterPredicate::compile(single(column, op, values), source, fixedToday());

    QCOMPARE(accepted(predicate, source), rows);
}

void TestFilterPredicate::groups_data()
{
    QTest::addColumn<FilterCriteria>("criteria");
    QTest::addColumn<QList<int>>("rows");

    const FilterCondition rosPrefix(TableSource::Nome, Op::Like, values({QStringLiteral("ros%")}));
    const FilterCondition five(TableSource::Numero, Op::Equal, values({5}));
    const FilterCondition bruno(TableSource::Nome, Op::Equal, values({QStringLiteral("Bruno")}));
    const FilterCondition hundred(TableSource::Numero, Op::Equal, values({100}));

    auto group = [](FilterBoolOperator op, std::initializer_list<FilterCondition> conditions) {
        FilterCriteria criteria;
        criteria.root().setBoolOperator(op);
        for (const FilterCondition &c : conditions)
            criteria.root().addCondition(c);
        return criteria;
    };

    QTest::newRow("and") << group(FilterBoolOperator::And, {rosPrefix, five}) << QList<int>{0, 5, 11};
    QTest::newRow("or") << group(FilterBoolOperator::Or, {bruno, hundred}) << QList<int>{6, 8};
    QTest::newRow("not and") << group(FilterBoolOperator::NotAnd, {rosPrefix, five}) << allBut({0, 5, 11});
    QTest::newRow("not or") << group(FilterBoolOperator::NotOr, {bruno, hundred}) << allBut({6, 8});
    QTest::newRow("not and of one") << group(FilterBoolOperator::NotAnd, {five}) << allBut({0, 5, 11});

    FilterCriteria nested;
    nested.root().addCondition(FilterCondition(TableSource::Data, Op::ThisWeek));
    FilterGroup &either = nested.root().addGroup(FilterBoolOperator::Or);
    either.addCondition(five);
    either.addCondition(FilterCondition(TableSource::Numero, Op::Equal, values({10})));
    QTest::newRow("nested or inside and") << nested << QList<int>{0, 2, 11};

    FilterCriteria emptyNested = group(FilterBoolOperator::And, {five});
    emptyNested.root().addGroup(FilterBoolOperator::NotOr);
    QTest::newRow("empty nested group is left out") << emptyNested << QList<int>{0, 5, 11};

    FilterCriteria onlyEmpty;
    onlyEmpty.root().setBoolOperator(FilterBoolOperator::NotAnd);
    onlyEmpty.root().addGroup(FilterBoolOperator::Or).addGroup();
    QTest::newRow("negated group of empty groups filters nothing") << onlyEmpty << allBut({});
}

void TestFilterPredicate::groups()
{
    QFETCH(FilterCriteria, criteria);
    QFETCH(QList<int>, rows);

    const TableSource source = calls();
    QCOMPARE(accepted(FilterPredicate::compile(criteria, source, fixedToday()), source), rows);
}

void TestFilterPredicate::weekStartsOnTheGivenDay()
{
    const TableSource source = calls();
    const FilterCriteria thisWeek = single(TableSource::Data, Op::ThisWeek);

    // From Sunday 12 to Saturday 18: Sunday 19 belongs to the next week.
    QCOMPARE(accepted(FilterPredicate::compile(thisWeek, source, fixedToday(Qt::Sunday)), source),
             (QList<int>{0, 1, 2, 11}));
    QCOMPARE(accepted(FilterPredicate::compile(single(TableSource::Data, Op::NextWeek), source,
                                               fixedToday(Qt::Sunday)), source),
             (QList<int>{7, 10}));
}

void TestFilterPredicate::datesGivenAsTextGoThroughTheConverter()
{
    const TableSource source = calls();
    FilterCompileOptions options = fixedToday();
    QList<int> columns;
    options.dateFromText = [&columns](int column, const QString &text) -> QVariant {
        columns.append(column);
        const QDate date = QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
        return date.isValid() ? QVariant(date) : QVariant();
    };

    const FilterCriteria range = single(TableSource::Data, Op::Between,
                                        values({QStringLiteral("14/05/2024"), QStringLiteral("16/05/2024")}));
    QCOMPARE(accepted(FilterPredicate::compile(range, source, options), source), (QList<int>{0, 1, 2}));
    QCOMPARE(columns, (QList<int>{TableSource::Data, TableSource::Data}));

    const FilterCriteria iso = single(TableSource::Data, Op::Equal, values({QStringLiteral("2024-05-15")}));
    QVERIFY_THROWS_EXCEPTION(DataError, FilterPredicate::compile(iso, source, options));
}

void TestFilterPredicate::conditionsThatDoNotFitAreRefused_data()
{
    QTest::addColumn<FilterCriteria>("criteria");
    QTest::addColumn<QString>("message");

    const QString cannotBuild = QStringLiteral("Can't build filter from source");
    const QString invalid = QStringLiteral("Invalid value");

    QTest::newRow("unknown column") << single(7, Op::Equal, values({1})) << cannotBuild;
    QTest::newRow("negative column") << single(-1, Op::Blanks) << cannotBuild;
    QTest::newRow("period on text") << single(TableSource::Nome, Op::Today) << cannotBuild;
    QTest::newRow("period on integer") << single(TableSource::Numero, Op::ThisYear) << cannotBuild;
    QTest::newRow("between with one value") << single(TableSource::Numero, Op::Between, values({1})) << cannotBuild;
    QTest::newRow("equal with two values") << single(TableSource::Nome, Op::Equal, values({1, 2})) << cannotBuild;
    QTest::newRow("in without values") << single(TableSource::Nome, Op::In) << cannotBuild;
    QTest::newRow("blanks with a value") << single(TableSource::Nome, Op::Blanks, values({1})) << cannotBuild;
    QTest::newRow("integer from letters") << single(TableSource::Numero, Op::Equal, values({QStringLiteral("abc")}))
                                          << invalid;
    QTest::newRow("integer from fraction") << single(TableSource::Numero, Op::Less, values({2.5})) << invalid;
    QTest::newRow("integer out of range") << single(TableSource::Numero, Op::Equal, values({1e30})) << invalid;
    QTest::newRow("integer at 2^63") << single(TableSource::Numero, Op::Equal, values({9223372036854775808.0})) << invalid;
    QTest::newRow("integer from NaN") << single(TableSource::Numero, Op::Equal, values({qQNaN()})) << invalid;
    QTest::newRow("integer less than blank") << single(TableSource::Numero, Op::Less, values({QVariant()})) << invalid;
    QTest::newRow("impossible date") << single(TableSource::Data, Op::Equal, values({QStringLiteral("2024-02-31")}))
                                     << invalid;
    QTest::newRow("date from a number") << single(TableSource::Data, Op::Greater, values({3})) << invalid;
    QTest::newRow("bad date in a list") << single(TableSource::Data, Op::In, values({QDate(2024, 1, 1), QStringLiteral("x")}))
                                        << invalid;

    FilterCriteria deep;
    deep.root().addCondition(FilterCondition(TableSource::Numero, Op::Equal, values({1})));
    deep.root().addGroup().addCondition(FilterCondition(TableSource::Nome, Op::Yesterday));
    QTest::newRow("fault in a nested group") << deep << cannotBuild;
}

void TestFilterPredicate::conditionsThatDoNotFitAreRefused()
{
    QFETCH(FilterCriteria, criteria);
    QFETCH(QString, message);

    const TableSource source = calls();
    try {
        FilterPredicate::compile(criteria, source, fixedToday());
        QFAIL("compiled");
    } catch (const DataError &error) {
        QCOMPARE(error.message(), message);
    }
}

void TestFilterPredicate::refusalSpeaksItalianAfterInstallation()
{
    installComponentTexts();
    const TableSource source = calls();
    try {
        FilterPredicate::compile(single(TableSource::Numero, Op::Equal, values({QStringLiteral("cinque")})), source);
        QFAIL("compiled");
    } catch (const DataError &error) {
        QCOMPARE(error.message(), QStringLiteral("Valore non valido"));
    }
}

void TestFilterPredicate::emptyCriteriaAcceptEveryRow()
{
    const TableSource source = calls();
    const FilterPredicate none;
    QVERIFY(none.acceptsAll());
    QVERIFY(none.accepts(3));

    FilterCriteria empty;
    empty.root().addGroup().addGroup(FilterBoolOperator::NotOr);
    const FilterPredicate compiled = FilterPredicate::compile(empty, source, fixedToday());
    QVERIFY(compiled.acceptsAll());
    QCOMPARE(accepted(compiled, source), allBut({}));

    QVERIFY(!FilterPredicate::compile(single(TableSource::Nome, Op::Blanks), source, fixedToday()).acceptsAll());
}

QTEST_GUILESS_MAIN(TestFilterPredicate)
#include "tst_filterpredicate.moc"
