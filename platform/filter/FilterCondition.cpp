#include "platform/filter/FilterCondition.h"

FilterCondition::FilterCondition(int column, FilterOperator op, const QList<FilterValue> &values)
    : m_column(column), m_operator(op), m_values(values)
{
}
