#include "platform/filter/FilterPredicate.h"

#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterDateKey.h"
#include "platform/filter/FilterLikePattern.h"
#include "platform/filter/FilterOperators.h"
#include "platform/filter/FilterValueSource.h"
#include "platform/memdata/DataError.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/FilterControlTexts.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

// One compiled node: a group or a condition.
class FilterMatcher
{
public:
    virtual ~FilterMatcher() = default;
    virtual bool accepts(int row) const = 0;
};

namespace {

using MatcherPtr = std::unique_ptr<const FilterMatcher>;

constexpr qint64 MinKey = std::numeric_limits<qint64>::min();
constexpr qint64 MaxKey = std::numeric_limits<qint64>::max();

[[noreturn]] void throwCannotBuild()
{
    throw DataError(ComponentTexts::text(FilterControlTexts::CannotBuildFilter));
}

[[noreturn]] void throwInvalidValue()
{
    throw DataError(ComponentTexts::text(FilterControlTexts::InvalidValue));
}

// Case-insensitive order first, so that "b" follows "A"; case decides only between equal letters,
// which keeps the order consistent with exact equality.
int collate(QStringView a, QStringView b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c : a.compare(b, Qt::CaseSensitive);
}

class GroupMatcher final : public FilterMatcher
{
public:
    GroupMatcher(std::vector<MatcherPtr> children, bool any, bool negated)
        : m_children(std::move(children)), m_any(any), m_negated(negated)
    {
    }

    bool accepts(int row) const override
    {
        // AND stops at the first child that fails, OR at the first that passes.
        bool result = !m_any;
        for (const MatcherPtr &child : m_children) {
            if (child->accepts(row) == m_any) {
                result = m_any;
                break;
            }
        }
        return result != m_negated;
    }

private:
    std::vector<MatcherPtr> m_children;
    bool m_any;
    bool m_negated;
};

class BlankMatcher final : public FilterMatcher
{
public:
    BlankMatcher(const FilterValueSource &source, int column, bool negated)
        : m_source(source), m_column(column), m_text(source.kind(column) == FilterFieldKind::Text),
          m_negated(negated)
    {
    }

    bool accepts(int row) const override
    {
        const bool blank = m_source.isNull(row, m_column)
                           || (m_text && m_source.text(row, m_column, m_buffer).isEmpty());
        return blank != m_negated;
    }

private:
    const FilterValueSource &m_source;
    int m_column;
    bool m_text;
    bool m_negated;
    mutable QString m_buffer;
};

// Tests on the text form; Test is called with the row's text.
template <class Test>
class TextMatcher final : public FilterMatcher
{
public:
    TextMatcher(const FilterValueSource &source, int column, Test test, bool negated)
        : m_source(source), m_column(column), m_test(std::move(test)), m_negated(negated)
    {
    }

    bool accepts(int row) const override
    {
        return m_test(m_source.text(row, m_column, m_buffer)) != m_negated;
    }

private:
    const FilterValueSource &m_source;
    int m_column;
    Test m_test;
    bool m_negated;
    mutable QString m_buffer;
};

struct TextEquals
{
    QString value;
    bool operator()(QStringView text) const { return text == value; }
};

struct TextRange
{
    QString low;
    QString high;
    bool hasLow = false;
    bool hasHigh = false;
    bool lowInclusive = true;
    bool highInclusive = true;

    bool operator()(QStringView text) const
    {
        if (hasLow) {
            const int c = collate(text, low);
            if (c < 0 || (c == 0 && !lowInclusive))
                return false;
        }
        if (hasHigh) {
            const int c = collate(text, high);
            if (c > 0 || (c == 0 && !highInclusive))
                return false;
        }
        return true;
    }
};

struct TextSet
{
    std::vector<QString> sorted;
    bool operator()(QStringView text) const
    {
        const auto it = std::lower_bound(sorted.begin(), sorted.end(), text,
                                         [](const QString &a, QStringView b) { return QStringView(a) < b; });
        return it != sorted.end() && *it == text;
    }
};

struct LikeTest
{
    FilterLikePattern pattern;
    bool operator()(QStringView text) const { return pattern.matches(text); }
};

// An inclusive range of keys; first > last holds nothing.
struct Span
{
    qint64 first;
    qint64 last;
};

constexpr Span Nothing{1, 0};

struct KeyRange
{
    Span span;
    bool operator()(qint64 key) const { return key >= span.first && key <= span.last; }
};

// Sorted, merged spans.
struct KeySpans
{
    std::vector<Span> spans;
    bool operator()(qint64 key) const
    {
        const auto it = std::upper_bound(spans.begin(), spans.end(), key,
                                         [](qint64 k, const Span &s) { return k < s.first; });
        return it != spans.begin() && key <= std::prev(it)->last;
    }
};

template <FilterFieldKind Kind>
qint64 readKey(const FilterValueSource &source, int row, int column)
{
    if constexpr (Kind == FilterFieldKind::DateTime)
        return source.dateTimeKey(row, column);
    else
        return source.integer(row, column);
}

// Tests on integers and date-times; a null value gives nullResult before negation.
template <class Test, FilterFieldKind Kind>
class KeyMatcher final : public FilterMatcher
{
public:
    KeyMatcher(const FilterValueSource &source, int column, Test test, bool negated, bool nullResult)
        : m_source(source), m_column(column), m_test(std::move(test)), m_negated(negated),
          m_nullResult(nullResult)
    {
    }

    bool accepts(int row) const override
    {
        if (m_source.isNull(row, m_column))
            return m_nullResult != m_negated;
        return m_test(readKey<Kind>(m_source, row, m_column)) != m_negated;
    }

private:
    const FilterValueSource &m_source;
    int m_column;
    Test m_test;
    bool m_negated;
    bool m_nullResult;
};

Span daySpan(QDate date)
{
    const qint64 start = FilterDateKey::fromDate(date);
    return {start, start + FilterDateKey::MsecsPerDay - 1};
}

// [from, to) in days.
Span daysSpan(QDate from, QDate to)
{
    return {FilterDateKey::fromDate(from), FilterDateKey::fromDate(to) - 1};
}

class Compiler
{
public:
    Compiler(const FilterValueSource &source, const FilterCompileOptions &options)
        : m_source(source), m_options(options),
          m_today(options.today.isValid() ? options.today : QDate::currentDate())
    {
    }

    // Null for a group without conditions.
    MatcherPtr group(const FilterGroup &group) const
    {
        std::vector<MatcherPtr> children;
        for (int i = 0; i < group.count(); ++i) {
            const FilterItem &item = group.at(i);
            MatcherPtr child = item.isCondition() ? condition(item.condition()) : this->group(item.group());
            if (child)
                children.push_back(std::move(child));
        }
        if (children.empty())
            return nullptr;
        const FilterBoolOperator op = group.boolOperator();
        const bool any = op == FilterBoolOperator::Or || op == FilterBoolOperator::NotOr;
        const bool negated = op == FilterBoolOperator::NotAnd || op == FilterBoolOperator::NotOr;
        if (children.size() == 1 && !negated)
            return std::move(children.front());
        return std::make_unique<GroupMatcher>(std::move(children), any, negated);
    }

    MatcherPtr condition(const FilterCondition &condition) const
    {
        const int column = condition.column();
        if (column < 0 || column >= m_source.columnCount())
            throwCannotBuild();
        const FilterFieldKind kind = m_source.kind(column);
        const FilterOperator op = condition.filterOperator();
        const QList<FilterValue> &values = condition.values();
        const int count = FilterOperators::valueCount(op);
        if (!FilterOperators::appliesTo(op, kind)
            || (count == FilterOperators::AnyCount ? values.isEmpty() : values.size() != count))
            throwCannotBuild();

        const bool negated = FilterOperators::isNegative(op);
        if (op == FilterOperator::Blanks || op == FilterOperator::NonBlanks
            || ((op == FilterOperator::Equal || op == FilterOperator::NotEqual) && values.front().isBlank()))
            return std::make_unique<BlankMatcher>(m_source, column, negated);
        if (op == FilterOperator::Like || op == FilterOperator::NotLike)
            return textMatcher(column, LikeTest{FilterLikePattern(values.front().value().toString())}, negated);
        if (kind == FilterFieldKind::Text)
            return textCondition(column, op, values, negated);
        if (kind == FilterFieldKind::DateTime)
            return keyCondition<FilterFieldKind::DateTime>(column, op, values, negated);
        return keyCondition<FilterFieldKind::Integer>(column, op, values, negated);
    }

private:
    template <class Test>
    MatcherPtr textMatcher(int column, Test test, bool negated) const
    {
        return std::make_unique<TextMatcher<Test>>(m_source, column, std::move(test), negated);
    }

    MatcherPtr textCondition(int column, FilterOperator op, const QList<FilterValue> &values, bool negated) const
    {
        const QString value = values.front().value().toString();
        switch (op) {
        case FilterOperator::Equal:
        case FilterOperator::NotEqual:
            return textMatcher(column, TextEquals{value}, negated);
        case FilterOperator::Less:
            return textMatcher(column, TextRange{{}, value, false, true, true, false}, false);
        case FilterOperator::LessEqual:
            return textMatcher(column, TextRange{{}, value, false, true, true, true}, false);
        case FilterOperator::Greater:
            return textMatcher(column, TextRange{value, {}, true, false, false, true}, false);
        case FilterOperator::GreaterEqual:
            return textMatcher(column, TextRange{value, {}, true, false, true, true}, false);
        case FilterOperator::Between:
        case FilterOperator::NotBetween:
            return textMatcher(column, TextRange{value, values.at(1).value().toString(), true, true, true, true},
                               negated);
        case FilterOperator::In:
        case FilterOperator::NotIn: {
            TextSet set;
            for (const FilterValue &v : values)
                set.sorted.push_back(v.isBlank() ? QString() : v.value().toString());
            std::sort(set.sorted.begin(), set.sorted.end());
            return textMatcher(column, std::move(set), negated);
        }
        default:
            throwCannotBuild();
        }
    }

    template <FilterFieldKind Kind, class Test>
    MatcherPtr keyMatcher(int column, Test test, bool negated, bool nullResult = false) const
    {
        return std::make_unique<KeyMatcher<Test, Kind>>(m_source, column, std::move(test), negated, nullResult);
    }

    template <FilterFieldKind Kind>
    MatcherPtr keyCondition(int column, FilterOperator op, const QList<FilterValue> &values, bool negated) const
    {
        if (FilterOperators::isPeriod(op))
            return keyMatcher<Kind>(column, KeyRange{period(op)}, false);
        if (op == FilterOperator::In || op == FilterOperator::NotIn)
            return keySet<Kind>(column, values, negated);

        const Span s = span(column, values.front());
        switch (op) {
        case FilterOperator::Equal:
        case FilterOperator::NotEqual:
            return keyMatcher<Kind>(column, KeyRange{s}, negated);
        case FilterOperator::Less:
            return keyMatcher<Kind>(column, KeyRange{s.first == MinKey ? Nothing : Span{MinKey, s.first - 1}},
                                    false);
        case FilterOperator::LessEqual:
            return keyMatcher<Kind>(column, KeyRange{{MinKey, s.last}}, false);
        case FilterOperator::Greater:
            return keyMatcher<Kind>(column, KeyRange{s.last == MaxKey ? Nothing : Span{s.last + 1, MaxKey}}, false);
        case FilterOperator::GreaterEqual:
            return keyMatcher<Kind>(column, KeyRange{{s.first, MaxKey}}, false);
        case FilterOperator::Between:
        case FilterOperator::NotBetween:
            return keyMatcher<Kind>(column, KeyRange{{s.first, span(column, values.at(1)).last}}, negated);
        default:
            throwCannotBuild();
        }
    }

    template <FilterFieldKind Kind>
    MatcherPtr keySet(int column, const QList<FilterValue> &values, bool negated) const
    {
        KeySpans set;
        bool blank = false;
        for (const FilterValue &v : values) {
            if (v.isBlank())
                blank = true;
            else
                set.spans.push_back(span(column, v));
        }
        std::sort(set.spans.begin(), set.spans.end(), [](const Span &a, const Span &b) { return a.first < b.first; });
        std::vector<Span> merged;
        for (const Span &s : set.spans) {
            if (!merged.empty() && s.first <= merged.back().last)
                merged.back().last = std::max(merged.back().last, s.last);
            else
                merged.push_back(s);
        }
        set.spans = std::move(merged);
        return keyMatcher<Kind>(column, std::move(set), negated, blank);
    }

    // The keys a value stands for.
    Span span(int column, const FilterValue &value) const
    {
        if (value.isBlank())
            throwInvalidValue();
        if (m_source.kind(column) == FilterFieldKind::Integer)
            return integerSpan(value.value());
        return dateSpan(column, value.value());
    }

    static Span integerSpan(const QVariant &value)
    {
        bool ok = false;
        qint64 n = 0;
        switch (value.typeId()) {
        case QMetaType::LongLong:
            n = value.toLongLong(&ok);
            break;
        case QMetaType::Double: {
            const double d = value.toDouble();
            // 2^63 is exact as a double; outside [-2^63, 2^63) the conversion is undefined.
            constexpr double Limit = 9223372036854775808.0;
            ok = d >= -Limit && d < Limit && d == double(qint64(d));
            if (ok)
                n = qint64(d);
            break;
        }
        case QMetaType::QString:
            n = value.toString().trimmed().toLongLong(&ok);
            break;
        default:
            break;
        }
        if (!ok)
            throwInvalidValue();
        return {n, n};
    }

    Span dateSpan(int column, const QVariant &value) const
    {
        QVariant v = value;
        if (v.typeId() == QMetaType::QString)
            v = m_options.dateFromText ? m_options.dateFromText(column, v.toString()) : isoDate(v.toString());
        if (v.typeId() == QMetaType::QDate && v.toDate().isValid())
            return daySpan(v.toDate());
        if (v.typeId() == QMetaType::QDateTime && v.toDateTime().isValid()) {
            const qint64 key = FilterDateKey::fromDateTime(v.toDateTime());
            return {key, key};
        }
        throwInvalidValue();
    }

    static QVariant isoDate(const QString &text)
    {
        const QString t = text.trimmed();
        const QDate date = QDate::fromString(t, Qt::ISODate);
        if (date.isValid() && t.size() == 10)
            return date;
        const QDateTime dateTime = QDateTime::fromString(t, Qt::ISODateWithMs);
        return dateTime.isValid() ? QVariant(dateTime) : QVariant();
    }

    Span period(FilterOperator op) const
    {
        const QDate t = m_today;
        const QDate week = t.addDays(-((t.dayOfWeek() - int(m_options.firstDayOfWeek) + 7) % 7));
        const QDate month(t.year(), t.month(), 1);
        const QDate year(t.year(), 1, 1);
        switch (op) {
        case FilterOperator::Yesterday:
            return daysSpan(t.addDays(-1), t);
        case FilterOperator::Today:
            return daysSpan(t, t.addDays(1));
        case FilterOperator::Tomorrow:
            return daysSpan(t.addDays(1), t.addDays(2));
        case FilterOperator::LastWeek:
            return daysSpan(week.addDays(-7), week);
        case FilterOperator::ThisWeek:
            return daysSpan(week, week.addDays(7));
        case FilterOperator::NextWeek:
            return daysSpan(week.addDays(7), week.addDays(14));
        case FilterOperator::LastMonth:
            return daysSpan(month.addMonths(-1), month);
        case FilterOperator::ThisMonth:
            return daysSpan(month, month.addMonths(1));
        case FilterOperator::NextMonth:
            return daysSpan(month.addMonths(1), month.addMonths(2));
        case FilterOperator::LastYear:
            return daysSpan(year.addYears(-1), year);
        case FilterOperator::ThisYear:
            return daysSpan(year, year.addYears(1));
        case FilterOperator::NextYear:
            return daysSpan(year.addYears(1), year.addYears(2));
        default:
            throwCannotBuild();
        }
    }

    const FilterValueSource &m_source;
    const FilterCompileOptions &m_options;
    QDate m_today;
};

} // namespace

FilterPredicate::FilterPredicate() = default;
FilterPredicate::FilterPredicate(FilterPredicate &&other) noexcept = default;
FilterPredicate &FilterPredicate::operator=(FilterPredicate &&other) noexcept = default;
FilterPredicate::~FilterPredicate() = default;

FilterPredicate::FilterPredicate(std::unique_ptr<const FilterMatcher> root) : m_root(std::move(root)) {}

FilterPredicate FilterPredicate::compile(const FilterCriteria &criteria, const FilterValueSource &source,
                                         const FilterCompileOptions &options)
{
    return FilterPredicate(Compiler(source, options).group(criteria.root()));
}

bool FilterPredicate::accepts(int row) const
{
    return !m_root || m_root->accepts(row);
}
