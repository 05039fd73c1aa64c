#pragma once

#include "platform/grid/GridSummaryItem.h"

#include <QObject>
#include <QPointer>
#include <vector>

class GridColumn;

// Summaries shown in group footers while the rows are grouped by one of the linked columns.
class GridSummaryGroup : public QObject
{
    Q_OBJECT

public:
    explicit GridSummaryGroup(QObject *parent = nullptr);

    void addLink(GridColumn *column);
    bool isLinked(const GridColumn *column) const;
    void addItem(const GridSummaryItem &item);
    const std::vector<GridSummaryItem> &items() const { return m_items; }

Q_SIGNALS:
    void changed();

private:
    std::vector<QPointer<GridColumn>> m_links;
    std::vector<GridSummaryItem> m_items;
};
