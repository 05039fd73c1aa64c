#pragma once

#include "platform/filter/FilterOperator.h"
#include "platform/filter/FilterValue.h"

#include <QList>

// One test on one column: the column's number in the value source, the operator and its values.
class FilterCondition
{
public:
    FilterCondition() = default;
    FilterCondition(int column, FilterOperator op, const QList<FilterValue> &values = {});

    int column() const { return m_column; }
    void setColumn(int column) { m_column = column; }
    FilterOperator filterOperator() const { return m_operator; }
    void setFilterOperator(FilterOperator op) { m_operator = op; }
    const QList<FilterValue> &values() const { return m_values; }
    void setValues(const QList<FilterValue> &values) { m_values = values; }
    // The first value, or a blank one.
    FilterValue value() const { return m_values.value(0); }

    friend bool operator==(const FilterCondition &a, const FilterCondition &b)
    {
        return a.m_column == b.m_column && a.m_operator == b.m_operator && a.m_values == b.m_values;
    }
    friend bool operator!=(const FilterCondition &a, const FilterCondition &b) { return !(a == b); }

private:
    int m_column = -1;
    FilterOperator m_operator = FilterOperator::Equal;
    QList<FilterValue> m_values;
};
