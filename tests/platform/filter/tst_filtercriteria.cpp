#include "i18n/UCXTRANSLATE.h"
#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterOperators.h"
#include "platform/texts/ComponentTexts.h"

#include <QtTest>

Q_DECLARE_METATYPE(FilterOperator)
Q_DECLARE_METATYPE(FilterFieldKind)

namespace {

using Op = FilterOperator;

FilterCondition on(int column)
{
    return FilterCondition(column, Op::Equal, {FilterValue(QVariant::fromValue(qint64(column)))});
}

// 0 AND (1 OR (2) OR ()) AND (0)
FilterCriteria sample()
{
    FilterCriteria criteria;
    criteria.root().addCondition(on(0));
    FilterGroup &either = criteria.root().addGroup(FilterBoolOperator::Or);
    either.addCondition(on(1));
    either.addGroup().addCondition(on(2));
    either.addGroup();
    criteria.root().addGroup(FilterBoolOperator::NotAnd).addCondition(on(0));
    return criteria;
}

} // namespace

class TestFilterCriteria : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ComponentTexts::clearReplacements(); }

    void emptyMeansNoConditionAnywhere();
    void copiesAreIndependent();
    void columnFilterState();
    void removingAColumnDropsGroupsLeftEmpty();
    void insertAndRemoveKeepOrder();

    void operatorLists_data();
    void operatorLists();
    void valueCounts_data();
    void valueCounts();
    void keysReadBack();
    void namesFollowTheComponentTexts();
};

void TestFilterCriteria::emptyMeansNoConditionAnywhere()
{
    FilterCriteria criteria;
    QVERIFY(criteria.isEmpty());
    criteria.root().addGroup(FilterBoolOperator::NotOr).addGroup();
    QVERIFY(criteria.isEmpty());
    criteria.root().at(0).group().at(0).group().addCondition(on(1));
    QVERIFY(!criteria.isEmpty());
    criteria.clear();
    QVERIFY(criteria.isEmpty());
    QCOMPARE(criteria.root().count(), 0);
}

void TestFilterCriteria::copiesAreIndependent()
{
    const FilterCriteria original = sample();
    FilterCriteria copy = original;
    QCOMPARE(copy, original);

    copy.root().at(1).group().at(1).group().addCondition(on(3));
    QVERIFY(copy != original);
    QCOMPARE(original.root().at(1).group().at(1).group().count(), 1);

    FilterCriteria other = sample();
    other.root().at(2).group().setBoolOperator(FilterBoolOperator::NotOr);
    QVERIFY(other != original);
}

void TestFilterCriteria::columnFilterState()
{
    const FilterCriteria criteria = sample();
    QVERIFY(criteria.filtersColumn(0));
    QVERIFY(criteria.filtersColumn(2));
    QVERIFY(!criteria.filtersColumn(3));
}

void TestFilterCriteria::removingAColumnDropsGroupsLeftEmpty()
{
    FilterCriteria criteria = sample();
    criteria.removeColumn(2);

    FilterCriteria expected;
    expected.root().addCondition(on(0));
    expected.root().addGroup(FilterBoolOperator::Or).addCondition(on(1));
    expected.root().addGroup(FilterBoolOperator::NotAnd).addCondition(on(0));
    QCOMPARE(criteria, expected);

    criteria.removeColumn(0);
    QCOMPARE(criteria.root().count(), 1);
    QCOMPARE(criteria.root().at(0).group().at(0).condition(), on(1));
    criteria.removeColumn(1);
    QVERIFY(criteria.isEmpty());
    QCOMPARE(criteria.root().count(), 0);
}

void TestFilterCriteria::insertAndRemoveKeepOrder()
{
    FilterGroup group;
    group.addCondition(on(0));
    group.addCondition(on(2));
    group.insert(1, on(1));
    group.insert(99, FilterGroup(FilterBoolOperator::Or));
    QCOMPARE(group.count(), 4);
    QCOMPARE(group.at(1).condition(), on(1));
    QVERIFY(group.at(3).isGroup());

    group.removeAt(0);
    QCOMPARE(group.at(0).condition(), on(1));
    QCOMPARE(group.at(1).condition(), on(2));
}

void TestFilterCriteria::operatorLists_data()
{
    QTest::addColumn<FilterFieldKind>("kind");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("periods");

    QTest::newRow("text") << FilterFieldKind::Text << 14 << false;
    QTest::newRow("integer") << FilterFieldKind::Integer << 14 << false;
    QTest::newRow("date-time") << FilterFieldKind::DateTime << 26 << true;
}

void TestFilterCriteria::operatorLists()
{
    QFETCH(FilterFieldKind, kind);
    QFETCH(int, count);
    QFETCH(bool, periods);

    const QList<FilterOperator> list = FilterOperators::operatorsFor(kind);
    QCOMPARE(list.size(), count);
    QCOMPARE(list.contains(Op::ThisWeek), periods);
    QCOMPARE(list.first(), Op::Equal);
    QCOMPARE(list.last(), Op::NonBlanks);
    QVERIFY(std::is_sorted(list.begin(), list.end()));
}

void TestFilterCriteria::valueCounts_data()
{
    QTest::addColumn<FilterOperator>("op");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("negative");

    QTest::newRow("equal") << Op::Equal << 1 << false;
    QTest::newRow("not equal") << Op::NotEqual << 1 << true;
    QTest::newRow("like") << Op::Like << 1 << false;
    QTest::newRow("not like") << Op::NotLike << 1 << true;
    QTest::newRow("between") << Op::Between << 2 << false;
    QTest::newRow("not between") << Op::NotBetween << 2 << true;
    QTest::newRow("in") << Op::In << int(FilterOperators::AnyCount) << false;
    QTest::newRow("not in") << Op::NotIn << int(FilterOperators::AnyCount) << true;
    QTest::newRow("yesterday") << Op::Yesterday << 0 << false;
    QTest::newRow("next year") << Op::NextYear << 0 << false;
    QTest::newRow("blanks") << Op::Blanks << 0 << false;
    QTest::newRow("non blanks") << Op::NonBlanks << 0 << true;
}

void TestFilterCriteria::valueCounts()
{
    QFETCH(FilterOperator, op);
    QFETCH(int, count);
    QFETCH(bool, negative);

    QCOMPARE(FilterOperators::valueCount(op), count);
    QCOMPARE(FilterOperators::isNegative(op), negative);
}

void TestFilterCriteria::keysReadBack()
{
    QSet<QString> keys;
    for (FilterOperator op : FilterOperators::operatorsFor(FilterFieldKind::DateTime)) {
        keys.insert(FilterOperators::key(op));
        QCOMPARE(FilterOperators::operatorFromKey(FilterOperators::key(op)), std::optional<FilterOperator>(op));
    }
    QCOMPARE(keys.size(), 26);
    for (FilterBoolOperator op : {FilterBoolOperator::And, FilterBoolOperator::Or, FilterBoolOperator::NotAnd,
                                  FilterBoolOperator::NotOr})
        QCOMPARE(FilterOperators::boolOperatorFromKey(FilterOperators::key(op)), std::optional<FilterBoolOperator>(op));
    QVERIFY(!FilterOperators::operatorFromKey(QStringLiteral("Equal")));
    QVERIFY(!FilterOperators::boolOperatorFromKey(QString()));
}

void TestFilterCriteria::namesFollowTheComponentTexts()
{
    QCOMPARE(FilterOperators::name(Op::GreaterEqual), QStringLiteral("is greater than or equal to"));
    QCOMPARE(FilterOperators::name(FilterBoolOperator::NotOr), QStringLiteral("NOT OR"));
    installComponentTexts();
    QCOMPARE(FilterOperators::name(Op::GreaterEqual), QStringLiteral("e' maggiore o uguale a"));
    QCOMPARE(FilterOperators::name(Op::NotIn), QStringLiteral("non incluso"));
    QCOMPARE(FilterOperators::name(Op::ThisMonth), QStringLiteral("is this month"));
    QCOMPARE(FilterOperators::name(FilterBoolOperator::And), QStringLiteral("AND"));
}

QTEST_GUILESS_MAIN(TestFilterCriteria)
#include "tst_filtercriteria.moc"
