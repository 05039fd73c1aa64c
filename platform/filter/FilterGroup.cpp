#include "platform/filter/FilterGroup.h"

#include "platform/filter/FilterItem.h"

#include <QtGlobal>

#include <algorithm>

FilterGroup::FilterGroup(FilterBoolOperator op) : m_operator(op) {}
FilterGroup::FilterGroup(const FilterGroup &other) = default;
FilterGroup::FilterGroup(FilterGroup &&other) noexcept = default;
FilterGroup &FilterGroup::operator=(const FilterGroup &other) = default;
FilterGroup &FilterGroup::operator=(FilterGroup &&other) noexcept = default;
FilterGroup::~FilterGroup() = default;

const FilterItem &FilterGroup::at(int index) const
{
    return m_items.at(size_t(index));
}

FilterItem &FilterGroup::at(int index)
{
    return m_items.at(size_t(index));
}

void FilterGroup::addCondition(const FilterCondition &condition)
{
    m_items.emplace_back(condition);
}

FilterGroup &FilterGroup::addGroup(FilterBoolOperator op)
{
    m_items.emplace_back(FilterGroup(op));
    return m_items.back().group();
}

void FilterGroup::insert(int index, const FilterItem &item)
{
    m_items.insert(m_items.begin() + std::clamp(index, 0, count()), item);
}

void FilterGroup::removeAt(int index)
{
    Q_ASSERT(index >= 0 && index < count());
    m_items.erase(m_items.begin() + index);
}

void FilterGroup::clear()
{
    m_items.clear();
}

bool FilterGroup::hasNoConditions() const
{
    return std::all_of(m_items.begin(), m_items.end(), [](const FilterItem &item) {
        return item.isGroup() && item.group().hasNoConditions();
    });
}

bool FilterGroup::refersTo(int column) const
{
    return std::any_of(m_items.begin(), m_items.end(), [column](const FilterItem &item) {
        return item.isCondition() ? item.condition().column() == column : item.group().refersTo(column);
    });
}

void FilterGroup::removeColumn(int column)
{
    for (FilterItem &item : m_items) {
        if (item.isGroup())
            item.group().removeColumn(column);
    }
    m_items.erase(std::remove_if(m_items.begin(), m_items.end(),
                                 [column](const FilterItem &item) {
                                     return item.isCondition() ? item.condition().column() == column
                                                               : item.group().hasNoConditions();
                                 }),
                  m_items.end());
}

bool operator==(const FilterGroup &a, const FilterGroup &b)
{
    return a.m_operator == b.m_operator && a.m_items == b.m_items;
}
