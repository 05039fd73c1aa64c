#include "GridSummaryGroup.h"

#include "GridColumn.h"

GridSummaryGroup::GridSummaryGroup(QObject *parent) : QObject(parent) {}

void GridSummaryGroup::addLink(GridColumn *column)
{
    m_links.emplace_back(column);
    emit changed();
}

bool GridSummaryGroup::isLinked(const GridColumn *column) const
{
    for (const QPointer<GridColumn> &c : m_links) {
        if (c == column)
            return true;
    }
    return false;
}

void GridSummaryGroup::addItem(const GridSummaryItem &item)
{
    m_items.push_back(item);
    emit changed();
}
