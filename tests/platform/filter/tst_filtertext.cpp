#include "TableSource.h"

#include "i18n/UCXTRANSLATE.h"
#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterText.h"
#include "platform/texts/ComponentTexts.h"

#include <QtTest>

Q_DECLARE_METATYPE(FilterCriteria)

namespace {

using Op = FilterOperator;
constexpr int Nome = TableSource::Nome;
constexpr int Data = TableSource::Data;
constexpr int Numero = TableSource::Numero;

FilterCondition condition(int column, FilterOperator op, std::initializer_list<FilterValue> values = {})
{
    return FilterCondition(column, op, QList<FilterValue>(values));
}

FilterValue text(const char *value)
{
    return FilterValue(QString::fromLatin1(value));
}

FilterValue number(qint64 value)
{
    return FilterValue(QVariant::fromValue(value));
}

FilterCriteria single(const FilterCondition &c)
{
    FilterCriteria criteria;
    criteria.root().addCondition(c);
    return criteria;
}

FilterCriteria joined(FilterBoolOperator op, std::initializer_list<FilterCondition> conditions)
{
    FilterCriteria criteria;
    criteria.root().setBoolOperator(op);
    for (const FilterCondition &c : conditions)
        criteria.root().addCondition(c);
    return criteria;
}

} // namespace

class TestFilterText : public QObject
{
    Q_OBJECT

private slots:
    void init() { installComponentTexts(); }
    void cleanupTestCase() { ComponentTexts::clearReplacements(); }

    void italian_data();
    void italian();
    void englishDefaults();
    void formatterShowsValuesWithoutDisplayText();
    void emptyFilterReadsEmpty();
};

void TestFilterText::italian_data()
{
    QTest::addColumn<FilterCriteria>("criteria");
    QTest::addColumn<QString>("shown");

    QTest::newRow("range") << single(condition(Numero, Op::Between, {number(1), number(5)}))
                           << QStringLiteral("Numero nel range tra 1 AND 5");
    QTest::newRow("outside range") << single(condition(Numero, Op::NotBetween, {number(1), number(5)}))
                                   << QStringLiteral("Numero fuori dal range tra 1 AND 5");
    QTest::newRow("begins with") << single(condition(Nome, Op::Like, {text("Ro%")}))
                                 << QStringLiteral("Nome comincia con 'Ro'");
    QTest::newRow("contains") << single(condition(Nome, Op::Like, {text("%ro%")})) << QStringLiteral("Nome contiene 'ro'");
    QTest::newRow("ends with") << single(condition(Nome, Op::Like, {text("%ssi")})) << QStringLiteral("Nome finisce con 'ssi'");
    QTest::newRow("does not begin with") << single(condition(Nome, Op::NotLike, {text("Ro%")}))
                                         << QStringLiteral("Nome non comincia con 'Ro'");
    QTest::newRow("does not contain") << single(condition(Nome, Op::NotLike, {text("%ro%")}))
                                      << QStringLiteral("Nome non contiene 'ro'");
    QTest::newRow("does not end with") << single(condition(Nome, Op::NotLike, {text("%ssi")}))
                                       << QStringLiteral("Nome non finisce con 'ssi'");
    QTest::newRow("other like") << single(condition(Nome, Op::Like, {text("R_ssi")})) << QStringLiteral("Nome like 'R_ssi'");
    QTest::newRow("like with inner series") << single(condition(Nome, Op::NotLike, {text("%a%b%")}))
                                            << QStringLiteral("Nome not like '%a%b%'");
    QTest::newRow("two columns") << joined(FilterBoolOperator::And, {condition(Nome, Op::Equal, {text("Rossi")}),
                                                                     condition(Numero, Op::Greater, {number(3)})})
                                 << QStringLiteral("Nome e' uguale a 'Rossi' AND Numero e' maggiore di 3");
    QTest::newRow("or") << joined(FilterBoolOperator::Or, {condition(Numero, Op::Less, {number(3)}),
                                                           condition(Numero, Op::GreaterEqual, {number(9)})})
                        << QStringLiteral("Numero e' minore di 3 OR Numero e' maggiore o uguale a 9");
    QTest::newRow("not and") << joined(FilterBoolOperator::NotAnd, {condition(Nome, Op::NotEqual, {text("A")}),
                                                                    condition(Numero, Op::LessEqual, {number(1)})})
                             << QStringLiteral("not (Nome e' diverso da 'A' AND Numero e' minore o uguale a 1)");
    QTest::newRow("blank") << single(condition(Nome, Op::Blanks)) << QStringLiteral("Nome e' vuoto");
    QTest::newRow("not blank") << single(condition(Data, Op::NonBlanks)) << QStringLiteral("Data non e' vuoto");
    QTest::newRow("equals blank") << single(condition(Nome, Op::Equal, {FilterValue()}))
                                  << QStringLiteral("Nome e' uguale a blank");
    QTest::newRow("today") << single(condition(Data, Op::Today)) << QStringLiteral("Data e' oggi");
    QTest::newRow("yesterday") << single(condition(Data, Op::Yesterday)) << QStringLiteral("Data e' ieri");
    QTest::newRow("period kept English") << single(condition(Data, Op::LastWeek)) << QStringLiteral("Data is last week");
    QTest::newRow("date range by display text")
        << single(condition(Data, Op::Between, {FilterValue(QDate(2024, 5, 1), QStringLiteral("01/05/2024")),
                                                FilterValue(QDate(2024, 5, 31), QStringLiteral("31/05/2024"))}))
        << QStringLiteral("Data nel range tra 01/05/2024 AND 31/05/2024");
    QTest::newRow("date without display text") << single(condition(Data, Op::Equal, {FilterValue(QDate(2024, 5, 1))}))
                                               << QStringLiteral("Data e' uguale a 2024-05-01");
    QTest::newRow("list") << single(condition(Numero, Op::In, {number(1), number(2), number(3)}))
                          << QStringLiteral("Numero incluso (1, 2, 3)");
    QTest::newRow("text list") << single(condition(Nome, Op::NotIn, {text("A"), text("B")}))
                               << QStringLiteral("Nome non incluso ('A', 'B')");

    FilterCriteria nested = single(condition(Nome, Op::Equal, {text("A")}));
    FilterGroup &either = nested.root().addGroup(FilterBoolOperator::Or);
    either.addCondition(condition(Numero, Op::Equal, {number(1)}));
    either.addCondition(condition(Numero, Op::Equal, {number(2)}));
    nested.root().addGroup(FilterBoolOperator::And);
    QTest::newRow("nested group, empty one left out")
        << nested << QStringLiteral("Nome e' uguale a 'A' AND (Numero e' uguale a 1 OR Numero e' uguale a 2)");

    FilterCriteria negatedNested = single(condition(Nome, Op::Blanks));
    negatedNested.root().addGroup(FilterBoolOperator::NotOr).addCondition(condition(Data, Op::Tomorrow));
    QTest::newRow("negated nested group") << negatedNested << QStringLiteral("Nome e' vuoto AND not (Data e' domani)");
}

void TestFilterText::italian()
{
    QFETCH(FilterCriteria, criteria);
    QFETCH(QString, shown);

    QCOMPARE(FilterText::render(criteria, TableSource()), shown);
}

void TestFilterText::englishDefaults()
{
    ComponentTexts::clearReplacements();
    const TableSource source;

    QCOMPARE(FilterText::render(single(condition(Numero, Op::Between, {number(1), number(5)})), source),
             QStringLiteral("Numero between 1 and 5"));
    QCOMPARE(FilterText::render(joined(FilterBoolOperator::Or, {condition(Nome, Op::Like, {text("Ro%")}),
                                                                condition(Data, Op::Today)}),
                                source),
             QStringLiteral("Nome begins with 'Ro' or Data is today"));
}

void TestFilterText::formatterShowsValuesWithoutDisplayText()
{
    const FilterValueFormatter formatter = [](int column, const FilterValue &value) {
        return column == Data ? value.value().toDate().toString(QStringLiteral("dd/MM/yyyy")) : QStringLiteral("?");
    };
    const FilterCriteria criteria = single(condition(Data, Op::Less, {FilterValue(QDate(2024, 5, 1))}));

    QCOMPARE(FilterText::render(criteria, TableSource(), formatter), QStringLiteral("Data e' minore di 01/05/2024"));
}

void TestFilterText::emptyFilterReadsEmpty()
{
    FilterCriteria criteria;
    QCOMPARE(FilterText::render(criteria, TableSource()), QString());
    criteria.root().addGroup().addGroup();
    QCOMPARE(FilterText::render(criteria, TableSource()), QString());
}

QTEST_GUILESS_MAIN(TestFilterText)
#include "tst_filtertext.moc"
