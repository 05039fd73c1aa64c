#pragma once

#include "platform/filter/FilterCondition.h"
#include "platform/filter/FilterGroup.h"
#include "platform/filter/FilterItem.h"

// The filter of a view: its root group and everything below it.
class FilterCriteria
{
public:
    FilterCriteria() = default;
    explicit FilterCriteria(const FilterGroup &root) : m_root(root) {}

    const FilterGroup &root() const { return m_root; }
    FilterGroup &root() { return m_root; }

    // No condition anywhere: the filter lets every row through.
    bool isEmpty() const { return m_root.hasNoConditions(); }
    void clear() { m_root = FilterGroup(); }

    // Whether a column's filter button shows as active.
    bool filtersColumn(int column) const { return m_root.refersTo(column); }
    void removeColumn(int column) { m_root.removeColumn(column); }

    friend bool operator==(const FilterCriteria &a, const FilterCriteria &b) { return a.m_root == b.m_root; }
    friend bool operator!=(const FilterCriteria &a, const FilterCriteria &b) { return !(a == b); }

private:
    FilterGroup m_root;
};
