#include "platform/filter/FilterOperators.h"

#include "platform/texts/ComponentTexts.h"
#include "platform/texts/FilterControlTexts.h"
#include "platform/texts/FilterTexts.h"

#include <iterator>

namespace {

struct OperatorInfo
{
    FilterOperator op;
    const char *key;
    ComponentText text;
    int valueCount;
};

using Op = FilterOperator;
constexpr int Any = FilterOperators::AnyCount;

// Indexed by the enum's value.
constexpr OperatorInfo operators[] = {
    {Op::Equal, "equal", FilterTexts::Equal, 1},
    {Op::NotEqual, "notEqual", FilterTexts::NotEqual, 1},
    {Op::Less, "less", FilterTexts::Less, 1},
    {Op::LessEqual, "lessEqual", FilterTexts::LessEqual, 1},
    {Op::Greater, "greater", FilterTexts::Greater, 1},
    {Op::GreaterEqual, "greaterEqual", FilterTexts::GreaterEqual, 1},
    {Op::Like, "like", FilterTexts::Like, 1},
    {Op::NotLike, "notLike", FilterTexts::NotLike, 1},
    {Op::Between, "between", FilterTexts::Between, 2},
    {Op::NotBetween, "notBetween", FilterTexts::NotBetween, 2},
    {Op::In, "in", FilterTexts::In, Any},
    {Op::NotIn, "notIn", FilterTexts::NotIn, Any},
    {Op::Yesterday, "yesterday", FilterTexts::Yesterday, 0},
    {Op::Today, "today", FilterTexts::Today, 0},
    {Op::Tomorrow, "tomorrow", FilterTexts::Tomorrow, 0},
    {Op::LastWeek, "lastWeek", FilterTexts::LastWeek, 0},
    {Op::LastMonth, "lastMonth", FilterTexts::LastMonth, 0},
    {Op::LastYear, "lastYear", FilterTexts::LastYear, 0},
    {Op::ThisWeek, "thisWeek", FilterTexts::ThisWeek, 0},
    {Op::ThisMonth, "thisMonth", FilterTexts::ThisMonth, 0},
    {Op::ThisYear, "thisYear", FilterTexts::ThisYear, 0},
    {Op::NextWeek, "nextWeek", FilterTexts::NextWeek, 0},
    {Op::NextMonth, "nextMonth", FilterTexts::NextMonth, 0},
    {Op::NextYear, "nextYear", FilterTexts::NextYear, 0},
    {Op::Blanks, "blanks", FilterTexts::Blanks, 0},
    {Op::NonBlanks, "nonBlanks", FilterTexts::NonBlanks, 0},
};
static_assert(std::size(operators) == size_t(Op::NonBlanks) + 1);

struct BoolOperatorInfo
{
    FilterBoolOperator op;
    const char *key;
    ComponentText text;
};

constexpr BoolOperatorInfo boolOperators[] = {
    {FilterBoolOperator::And, "and", FilterControlTexts::GroupAnd},
    {FilterBoolOperator::Or, "or", FilterControlTexts::GroupOr},
    {FilterBoolOperator::NotAnd, "notAnd", FilterControlTexts::GroupNotAnd},
    {FilterBoolOperator::NotOr, "notOr", FilterControlTexts::GroupNotOr},
};

const OperatorInfo &info(FilterOperator op)
{
    return operators[int(op)];
}

} // namespace

int FilterOperators::valueCount(FilterOperator op)
{
    return info(op).valueCount;
}

bool FilterOperators::isPeriod(FilterOperator op)
{
    return op >= Op::Yesterday && op <= Op::NextYear;
}

bool FilterOperators::isNegative(FilterOperator op)
{
    switch (op) {
    case Op::NotEqual:
    case Op::NotLike:
    case Op::NotBetween:
    case Op::NotIn:
    case Op::NonBlanks:
        return true;
    default:
        return false;
    }
}

bool FilterOperators::appliesTo(FilterOperator op, FilterFieldKind kind)
{
    return !isPeriod(op) || kind == FilterFieldKind::DateTime;
}

QList<FilterOperator> FilterOperators::operatorsFor(FilterFieldKind kind)
{
    QList<FilterOperator> list;
    for (const OperatorInfo &i : operators) {
        if (appliesTo(i.op, kind))
            list.append(i.op);
    }
    return list;
}

ComponentText FilterOperators::text(FilterOperator op)
{
    return info(op).text;
}

ComponentText FilterOperators::text(FilterBoolOperator op)
{
    return boolOperators[int(op)].text;
}

QString FilterOperators::name(FilterOperator op)
{
    return ComponentTexts::text(text(op));
}

QString FilterOperators::name(FilterBoolOperator op)
{
    return ComponentTexts::text(text(op));
}

QString FilterOperators::key(FilterOperator op)
{
    return QString::fromLatin1(info(op).key);
}

QString FilterOperators::key(FilterBoolOperator op)
{
    return QString::fromLatin1(boolOperators[int(op)].key);
}

std::optional<FilterOperator> FilterOperators::operatorFromKey(const QString &key)
{
    for (const OperatorInfo &i : operators) {
        if (key == QLatin1String(i.key))
            return i.op;
    }
    return std::nullopt;
}

std::optional<FilterBoolOperator> FilterOperators::boolOperatorFromKey(const QString &key)
{
    for (const BoolOperatorInfo &i : boolOperators) {
        if (key == QLatin1String(i.key))
            return i.op;
    }
    return std::nullopt;
}
