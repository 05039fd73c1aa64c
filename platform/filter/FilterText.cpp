#include "platform/filter/FilterText.h"

#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterLikePattern.h"
#include "platform/filter/FilterOperators.h"
#include "platform/filter/FilterValueSource.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/FilterTexts.h"

#include <QDateTime>
#include <QStringList>

namespace {

QString word(const ComponentText &text)
{
    return ComponentTexts::text(text);
}

class Renderer
{
public:
    Renderer(const FilterValueSource &source, const FilterValueFormatter &formatter)
        : m_source(source), m_formatter(formatter)
    {
    }

    // Without parentheses of its own, unless negated.
    QString group(const FilterGroup &group) const
    {
        QStringList parts;
        for (int i = 0; i < group.count(); ++i) {
            const FilterItem &item = group.at(i);
            if (item.isCondition())
                parts.append(condition(item.condition()));
            else if (!item.group().hasNoConditions())
                parts.append(nested(item.group()));
        }
        const FilterBoolOperator op = group.boolOperator();
        const bool any = op == FilterBoolOperator::Or || op == FilterBoolOperator::NotOr;
        const QString joined = parts.join(u' ' + word(any ? FilterTexts::Or : FilterTexts::And) + u' ');
        if (op == FilterBoolOperator::NotAnd || op == FilterBoolOperator::NotOr)
            return word(FilterTexts::Not) + QLatin1String(" (") + joined + u')';
        return joined;
    }

    QString condition(const FilterCondition &condition) const
    {
        const int column = condition.column();
        const FilterOperator op = condition.filterOperator();
        const QList<FilterValue> &values = condition.values();
        const QString head = caption(column) + u' ';

        if (op == FilterOperator::Like || op == FilterOperator::NotLike)
            return head + like(column, values.value(0).value().toString(), op == FilterOperator::NotLike);

        const QString name = FilterOperators::name(op);
        switch (FilterOperators::valueCount(op)) {
        case 0:
            return head + name;
        case 2:
            return head + name + u' ' + value(column, values.value(0)) + u' ' + word(FilterTexts::And) + u' '
                   + value(column, values.value(1));
        case FilterOperators::AnyCount: {
            QStringList list;
            for (const FilterValue &v : values)
                list.append(value(column, v));
            return head + name + QLatin1String(" (") + list.join(QLatin1String(", ")) + u')';
        }
        default:
            return head + name + u' ' + value(column, values.value(0));
        }
    }

private:
    QString nested(const FilterGroup &nestedGroup) const
    {
        const FilterBoolOperator op = nestedGroup.boolOperator();
        if (op == FilterBoolOperator::NotAnd || op == FilterBoolOperator::NotOr)
            return group(nestedGroup);
        return u'(' + group(nestedGroup) + u')';
    }

    QString caption(int column) const
    {
        if (column < 0 || column >= m_source.columnCount())
            return QLatin1Char('[') + QString::number(column) + QLatin1Char(']');
        return m_source.columnCaption(column);
    }

    bool quoted(int column) const
    {
        return column >= 0 && column < m_source.columnCount() && m_source.kind(column) == FilterFieldKind::Text;
    }

    QString quote(int column, const QString &text) const
    {
        return quoted(column) ? u'\'' + text + u'\'' : text;
    }

    QString like(int column, const QString &pattern, bool negated) const
    {
        const FilterLikePattern like(pattern);
        const ComponentText *name = nullptr;
        switch (like.shape()) {
        case FilterLikePattern::Shape::BeginsWith:
            name = negated ? &FilterTexts::NotBeginsWith : &FilterTexts::BeginsWith;
            break;
        case FilterLikePattern::Shape::EndsWith:
            name = negated ? &FilterTexts::NotEndsWith : &FilterTexts::EndsWith;
            break;
        case FilterLikePattern::Shape::Contains:
            name = negated ? &FilterTexts::NotContains : &FilterTexts::Contains;
            break;
        case FilterLikePattern::Shape::Exact:
        case FilterLikePattern::Shape::General:
            return FilterOperators::name(negated ? FilterOperator::NotLike : FilterOperator::Like) + u' '
                   + quote(column, pattern);
        }
        return word(*name) + u' ' + quote(column, like.literal());
    }

    QString value(int column, const FilterValue &v) const
    {
        if (!v.displayText().isEmpty())
            return quote(column, v.displayText());
        if (v.isBlank())
            return word(FilterTexts::Blank);
        if (m_formatter)
            return quote(column, m_formatter(column, v));
        return quote(column, plain(v.value()));
    }

    static QString plain(const QVariant &value)
    {
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().toString(Qt::ISODate);
        if (value.typeId() == QMetaType::QDateTime) {
            const QDateTime dt = value.toDateTime();
            if (dt.time() == QTime(0, 0))
                return dt.date().toString(Qt::ISODate);
            return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        }
        return value.toString();
    }

    const FilterValueSource &m_source;
    const FilterValueFormatter &m_formatter;
};

} // namespace

QString FilterText::render(const FilterCriteria &criteria, const FilterValueSource &source,
                           const FilterValueFormatter &formatter)
{
    return render(criteria.root(), source, formatter);
}

QString FilterText::render(const FilterGroup &group, const FilterValueSource &source,
                           const FilterValueFormatter &formatter)
{
    if (group.hasNoConditions())
        return QString();
    return Renderer(source, formatter).group(group);
}

QString FilterText::render(const FilterCondition &condition, const FilterValueSource &source,
                           const FilterValueFormatter &formatter)
{
    return Renderer(source, formatter).condition(condition);
}
