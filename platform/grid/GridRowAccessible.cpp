#include "GridRowAccessible.h"

#include "GridBandedTableView.h"
#include "GridCellAccessible.h"
#include "GridColumn.h"
#include "GridViewAccessible.h"

#include <QWindow>

using RowKind = GridDataController::RowKind;

GridRowAccessible::GridRowAccessible(GridBandedTableView *view, int row) : m_view(view), m_row(row) {}

GridRowAccessible::~GridRowAccessible()
{
    for (const auto &entry : m_cells)
        QAccessible::deleteAccessibleInterface(entry.second);
}

bool GridRowAccessible::isValid() const
{
    return m_view && m_row < m_view->controller()->rowCount();
}

bool GridRowAccessible::isGroup() const
{
    return isValid() && m_view->controller()->rowKind(m_row) == RowKind::Group;
}

QWindow *GridRowAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

GridCellAccessible *GridRowAccessible::cell(int column) const
{
    if (!isValid() || column < 0 || column >= int(GridViewAccessible::shownColumns(m_view).size()))
        return nullptr;
    if (isGroup())
        column = 0;
    const auto it = m_cells.find(column);
    if (it != m_cells.end())
        return static_cast<GridCellAccessible *>(QAccessible::accessibleInterface(it->second));
    auto *iface = new GridCellAccessible(m_view, m_row, column);
    m_cells.emplace(column, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

QAccessibleInterface *GridRowAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

int GridRowAccessible::childCount() const
{
    if (!isValid())
        return 0;
    const int columns = int(GridViewAccessible::shownColumns(m_view).size());
    return isGroup() ? std::min(columns, 1) : columns;
}

QAccessibleInterface *GridRowAccessible::child(int index) const
{
    return index >= 0 && index < childCount() ? cell(index) : nullptr;
}

int GridRowAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (const auto &entry : m_cells) {
        if (QAccessible::accessibleInterface(entry.second) == child)
            return entry.first < childCount() ? entry.first : -1;
    }
    return -1;
}

QAccessibleInterface *GridRowAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface *c = child(i);
        if (c && c->rect().contains(x, y))
            return c;
    }
    return nullptr;
}

QString GridRowAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return QString();
    const GridDataController *controller = m_view->controller();
    if (controller->rowKind(m_row) == RowKind::Group)
        return m_view->groupRowText(controller->rowGroup(m_row));
    QStringList parts;
    for (int c = 0; c < childCount(); ++c) {
        const QString value = cell(c)->text(QAccessible::Name);
        if (!value.isEmpty())
            parts << cell(c)->caption() + QStringLiteral(": ") + value;
    }
    return parts.join(QStringLiteral(", "));
}

QRect GridRowAccessible::rect() const
{
    if (!isValid())
        return QRect();
    for (const GridLayout::RowGeometry &g : m_view->rowsOnScreen()) {
        if (g.row == m_row) {
            const QRect r(0, g.top, m_view->viewport()->width(), g.height);
            return QRect(m_view->viewport()->mapToGlobal(r.topLeft()), r.size());
        }
    }
    return QRect();
}

QAccessible::Role GridRowAccessible::role() const
{
    return m_view && !m_view->controller()->groupKeys().empty() ? QAccessible::TreeItem : QAccessible::Row;
}

QAccessible::State GridRowAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    const GridDataController *controller = m_view->controller();
    const RowKind kind = controller->rowKind(m_row);
    s.selectable = s.focusable = kind != RowKind::GroupFooter;
    s.selected = m_row == controller->focusedRow();
    s.focused = s.selected && m_view->hasFocus();
    if (rect().isEmpty())
        s.offscreen = s.invisible = true;
    if (kind == RowKind::Group) {
        s.expandable = true;
        const bool open = controller->isGroupExpanded(controller->rowGroup(m_row));
        s.expanded = open;
        s.collapsed = !open;
    }
    return s;
}

void *GridRowAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList GridRowAccessible::actionNames() const
{
    if (!isValid() || m_view->controller()->rowKind(m_row) == RowKind::GroupFooter)
        return {};
    QStringList names{setFocusAction()};
    if (isGroup())
        names << toggleAction();
    return names;
}

void GridRowAccessible::doAction(const QString &actionName)
{
    if (!actionNames().contains(actionName))
        return;
    GridDataController *controller = m_view->controller();
    if (actionName == toggleAction()) {
        // As a click on the expand button: the group row keeps the focus.
        const int group = controller->rowGroup(m_row);
        controller->setGroupExpanded(group, !controller->isGroupExpanded(group));
        controller->setFocusedRow(controller->rowOfGroup(group));
    } else {
        controller->setFocusedRow(m_row);
    }
}

QStringList GridRowAccessible::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == toggleAction() && isGroup())
        return {QStringLiteral("+"), QStringLiteral("-")};
    return {};
}
