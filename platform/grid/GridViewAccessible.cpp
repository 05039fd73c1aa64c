#include "GridViewAccessible.h"

#include "GridBandedTableView.h"
#include "GridBand.h"
#include "GridCellAccessible.h"
#include "GridColumn.h"
#include "GridGroupByBoxAccessible.h"
#include "GridHeaderAccessible.h"
#include "GridRowAccessible.h"

#include <algorithm>
#include <tuple>

GridViewAccessible::GridViewAccessible(GridBandedTableView *view) : QAccessibleWidget(view, QAccessible::Table) {}

GridViewAccessible::~GridViewAccessible()
{
    forgetRows();
    for (const auto &entry : m_parts)
        QAccessible::deleteAccessibleInterface(entry.second);
}

GridBandedTableView *GridViewAccessible::view() const
{
    return static_cast<GridBandedTableView *>(widget());
}

std::vector<int> GridViewAccessible::shownColumns(const GridBandedTableView *view)
{
    std::vector<int> shown;
    const int bands = view->bandCount();
    for (int c = 0; c < view->columnCount(); ++c) {
        const GridColumn *column = view->column(c);
        if (column->isVisible() && column->bandIndex() < bands && view->band(column->bandIndex())->isVisible()
            && view->groupLevelOf(column) < 0)
            shown.push_back(c);
    }
    // Fixed bands stay at the left; then band, line and place.
    const auto key = [view](int c) {
        const GridColumn *column = view->column(c);
        return std::make_tuple(view->band(column->bandIndex())->fixed() != GridBand::Fixed::Left,
                               column->bandIndex(), column->lineIndex(), column->place());
    };
    std::stable_sort(shown.begin(), shown.end(), [&key](int a, int b) { return key(a) < key(b); });
    return shown;
}

GridRowAccessible *GridViewAccessible::row(int row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    const auto it = m_rows.find(row);
    if (it != m_rows.end())
        return static_cast<GridRowAccessible *>(QAccessible::accessibleInterface(it->second));
    auto *iface = new GridRowAccessible(view(), row);
    m_rows.emplace(row, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

void GridViewAccessible::forgetRows()
{
    const std::map<int, QAccessible::Id> rows = std::move(m_rows);
    m_rows.clear();
    for (const auto &entry : rows)
        QAccessible::deleteAccessibleInterface(entry.second);
}

std::vector<GridViewAccessible::Part> GridViewAccessible::parts() const
{
    std::vector<Part> shown;
    if (view()->options().groupByBox)
        shown.push_back(Part::GroupByBox);
    if (view()->options().columnHeaders || view()->options().bandHeaders)
        shown.push_back(Part::Header);
    return shown;
}

QAccessibleInterface *GridViewAccessible::part(Part part) const
{
    const auto it = m_parts.find(part);
    if (it != m_parts.end())
        return QAccessible::accessibleInterface(it->second);
    QAccessibleInterface *iface = part == Part::GroupByBox ? static_cast<QAccessibleInterface *>(new GridGroupByBoxAccessible(view()))
                                                           : new GridHeaderAccessible(view());
    m_parts.emplace(part, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

GridHeaderAccessible *GridViewAccessible::header() const
{
    const std::vector<Part> shown = parts();
    if (std::find(shown.begin(), shown.end(), Part::Header) == shown.end())
        return nullptr;
    return static_cast<GridHeaderAccessible *>(part(Part::Header));
}

QAccessible::Role GridViewAccessible::role() const
{
    return view()->controller()->groupKeys().empty() ? QAccessible::Table : QAccessible::Tree;
}

int GridViewAccessible::childCount() const
{
    return int(parts().size()) + rowCount();
}

QAccessibleInterface *GridViewAccessible::child(int index) const
{
    const std::vector<Part> shown = parts();
    if (index < 0)
        return nullptr;
    if (index < int(shown.size()))
        return part(shown[size_t(index)]);
    return row(index - int(shown.size()));
}

int GridViewAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    const std::vector<Part> shown = parts();
    for (size_t i = 0; i < shown.size(); ++i) {
        const auto it = m_parts.find(shown[i]);
        if (it != m_parts.end() && QAccessible::accessibleInterface(it->second) == child)
            return int(i);
    }
    for (const auto &entry : m_rows) {
        if (QAccessible::accessibleInterface(entry.second) == child)
            return int(shown.size()) + entry.first;
    }
    return -1;
}

QAccessibleInterface *GridViewAccessible::childAt(int x, int y) const
{
    const QPoint pos = view()->viewport()->mapFromGlobal(QPoint(x, y));
    if (!view()->viewport()->rect().contains(pos))
        return nullptr;
    const GridLayout &layout = view()->gridLayout();
    if (layout.groupByBoxRect().contains(pos) && view()->options().groupByBox)
        return part(Part::GroupByBox);
    if (pos.y() < layout.rowsTop())
        return parts().empty() ? nullptr : part(Part::Header);
    for (const GridLayout::RowGeometry &g : view()->rowsOnScreen()) {
        if (pos.y() >= g.top && pos.y() < g.top + g.height)
            return row(g.row);
    }
    return nullptr;
}

QAccessibleInterface *GridViewAccessible::focusChild() const
{
    return row(view()->controller()->focusedRow());
}

void *GridViewAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface *GridViewAccessible::cellAt(int row, int column) const
{
    GridRowAccessible *r = this->row(row);
    return r ? r->cell(column) : nullptr;
}

int GridViewAccessible::selectedCellCount() const
{
    return int(selectedCells().size());
}

QList<QAccessibleInterface *> GridViewAccessible::selectedCells() const
{
    QList<QAccessibleInterface *> cells;
    if (GridRowAccessible *r = row(view()->controller()->focusedRow())) {
        for (int i = 0; i < r->childCount(); ++i)
            cells << r->child(i);
    }
    return cells;
}

QString GridViewAccessible::columnDescription(int column) const
{
    const std::vector<int> shown = shownColumns(view());
    if (column < 0 || column >= int(shown.size()))
        return QString();
    return view()->column(shown[size_t(column)])->displayCaption();
}

QString GridViewAccessible::rowDescription(int row) const
{
    GridRowAccessible *r = this->row(row);
    return r ? r->text(QAccessible::Name) : QString();
}

int GridViewAccessible::selectedRowCount() const
{
    return view()->controller()->focusedRow() >= 0 ? 1 : 0;
}

int GridViewAccessible::columnCount() const
{
    return int(shownColumns(view()).size());
}

int GridViewAccessible::rowCount() const
{
    return view()->controller()->rowCount();
}

QList<int> GridViewAccessible::selectedRows() const
{
    const int focused = view()->controller()->focusedRow();
    return focused >= 0 ? QList<int>{focused} : QList<int>{};
}

bool GridViewAccessible::isRowSelected(int row) const
{
    return row >= 0 && row == view()->controller()->focusedRow();
}

bool GridViewAccessible::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    view()->controller()->setFocusedRow(row);
    return view()->controller()->focusedRow() == row;
}

void GridViewAccessible::modelChange(QAccessibleTableModelChangeEvent *event)
{
    Q_UNUSED(event)
    // Rows are numbered as shown: any change renumbers them.
    forgetRows();
}
