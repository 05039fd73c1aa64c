#include "GridCellAccessible.h"

#include "GridBandedTableView.h"
#include "GridColumn.h"
#include "GridHeaderAccessible.h"
#include "GridRowAccessible.h"
#include "GridViewAccessible.h"

#include <QWindow>

using RowKind = GridDataController::RowKind;

GridCellAccessible::GridCellAccessible(GridBandedTableView *view, int row, int column)
    : m_view(view), m_row(row), m_column(column)
{
}

bool GridCellAccessible::isValid() const
{
    return m_view && m_row < m_view->controller()->rowCount() && viewColumn() >= 0;
}

int GridCellAccessible::viewColumn() const
{
    if (!m_view)
        return -1;
    const std::vector<int> shown = GridViewAccessible::shownColumns(m_view);
    return m_column < int(shown.size()) ? shown[size_t(m_column)] : -1;
}

bool GridCellAccessible::isGroupCell() const
{
    return m_view && m_row < m_view->controller()->rowCount() && m_view->controller()->rowKind(m_row) == RowKind::Group;
}

QString GridCellAccessible::caption() const
{
    const int column = viewColumn();
    return column < 0 || isGroupCell() ? QString() : m_view->column(column)->displayCaption();
}

QWindow *GridCellAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface *GridCellAccessible::parent() const
{
    auto *table = m_view ? static_cast<GridViewAccessible *>(QAccessible::queryAccessibleInterface(m_view.data())) : nullptr;
    return table ? table->row(m_row) : nullptr;
}

QString GridCellAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return QString();
    const GridDataController *controller = m_view->controller();
    const GridColumn *column = m_view->column(viewColumn());
    switch (t) {
    case QAccessible::Name:
    case QAccessible::Value:
        switch (controller->rowKind(m_row)) {
        case RowKind::Group: return m_view->groupRowText(controller->rowGroup(m_row));
        case RowKind::GroupFooter: return m_view->footerText(controller->rowGroup(m_row), column);
        case RowKind::Record: return m_view->cellText(m_row, column);
        }
        return QString();
    default:
        return QString();
    }
}

QRect GridCellAccessible::rect() const
{
    if (!isValid())
        return QRect();
    const GridLayout &layout = m_view->gridLayout();
    const GridDataController *controller = m_view->controller();
    for (const GridLayout::RowGeometry &g : m_view->rowsOnScreen()) {
        if (g.row != m_row)
            continue;
        QRect r;
        switch (controller->rowKind(m_row)) {
        case RowKind::Group: r = layout.groupRowRect(controller->rowLevel(m_row), g.top); break;
        case RowKind::GroupFooter: r = layout.footerCellRect(viewColumn(), controller->rowLevel(m_row), g.top); break;
        case RowKind::Record: r = layout.cellRect(viewColumn(), g.top); break;
        }
        return QRect(m_view->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    return QRect();
}

QAccessible::State GridCellAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.readOnly = true;
    s.selectable = true;
    s.selected = isSelected();
    if (rect().isEmpty())
        s.offscreen = s.invisible = true;
    return s;
}

void *GridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    return nullptr;
}

bool GridCellAccessible::isSelected() const
{
    return m_view && m_row == m_view->controller()->focusedRow();
}

QList<QAccessibleInterface *> GridCellAccessible::columnHeaderCells() const
{
    const int column = viewColumn();
    if (column < 0 || isGroupCell())
        return {};
    auto *table = static_cast<GridViewAccessible *>(QAccessible::queryAccessibleInterface(m_view.data()));
    GridHeaderAccessible *header = table->header();
    QAccessibleInterface *cell = header ? header->columnHeader(m_column) : nullptr;
    return cell ? QList<QAccessibleInterface *>{cell} : QList<QAccessibleInterface *>{};
}

int GridCellAccessible::columnExtent() const
{
    return isGroupCell() && m_view ? int(GridViewAccessible::shownColumns(m_view).size()) : 1;
}

QAccessibleInterface *GridCellAccessible::table() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}
