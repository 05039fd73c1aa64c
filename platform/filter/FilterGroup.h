#pragma once

#include "platform/filter/FilterBoolOperator.h"

#include <vector>

class FilterCondition;
class FilterItem;

// Conditions and nested groups, in the order shown, joined by one operator. A group without any
// condition in it (nested groups counted) filters nothing, whatever its operator.
class FilterGroup
{
public:
    explicit FilterGroup(FilterBoolOperator op = FilterBoolOperator::And);
    FilterGroup(const FilterGroup &other);
    FilterGroup(FilterGroup &&other) noexcept;
    FilterGroup &operator=(const FilterGroup &other);
    FilterGroup &operator=(FilterGroup &&other) noexcept;
    ~FilterGroup();

    FilterBoolOperator boolOperator() const { return m_operator; }
    void setBoolOperator(FilterBoolOperator op) { m_operator = op; }

    int count() const { return int(m_items.size()); }
    const FilterItem &at(int index) const;
    FilterItem &at(int index);

    void addCondition(const FilterCondition &condition);
    // The new group, to fill in.
    FilterGroup &addGroup(FilterBoolOperator op = FilterBoolOperator::And);
    void insert(int index, const FilterItem &item);
    void removeAt(int index);
    void clear();

    // True when no condition is left anywhere below.
    bool hasNoConditions() const;
    bool refersTo(int column) const;
    // Drops the conditions on a column and every nested group then left without conditions.
    void removeColumn(int column);

    friend bool operator==(const FilterGroup &a, const FilterGroup &b);
    friend bool operator!=(const FilterGroup &a, const FilterGroup &b) { return !(a == b); }

private:
    FilterBoolOperator m_operator;
    std::vector<FilterItem> m_items;
};
