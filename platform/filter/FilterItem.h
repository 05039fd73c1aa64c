#pragma once

#include "platform/filter/FilterCondition.h"
#include "platform/filter/FilterGroup.h"

#include <variant>

// One row of a group: a condition or a nested group.
class FilterItem
{
public:
    FilterItem(const FilterCondition &condition) : m_item(condition) {}
    FilterItem(const FilterGroup &group) : m_item(group) {}

    bool isCondition() const { return std::holds_alternative<FilterCondition>(m_item); }
    bool isGroup() const { return std::holds_alternative<FilterGroup>(m_item); }
    // Only for the matching kind of item.
    const FilterCondition &condition() const { return std::get<FilterCondition>(m_item); }
    FilterCondition &condition() { return std::get<FilterCondition>(m_item); }
    const FilterGroup &group() const { return std::get<FilterGroup>(m_item); }
    FilterGroup &group() { return std::get<FilterGroup>(m_item); }

    friend bool operator==(const FilterItem &a, const FilterItem &b) { return a.m_item == b.m_item; }
    friend bool operator!=(const FilterItem &a, const FilterItem &b) { return !(a == b); }

private:
    std::variant<FilterCondition, FilterGroup> m_item;
};
