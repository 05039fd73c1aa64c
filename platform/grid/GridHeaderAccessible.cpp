#include "GridHeaderAccessible.h"

#include "GridBandedTableView.h"
#include "GridViewAccessible.h"

#include <QWindow>

GridHeaderAccessible::GridHeaderAccessible(GridBandedTableView *view) : m_view(view) {}

GridHeaderAccessible::~GridHeaderAccessible()
{
    for (const auto &entry : m_items)
        QAccessible::deleteAccessibleInterface(entry.second);
}

QWindow *GridHeaderAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface *GridHeaderAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

int GridHeaderAccessible::bandCount() const
{
    return m_view && m_view->options().bandHeaders ? m_view->bandCount() : 0;
}

int GridHeaderAccessible::columnCount() const
{
    return m_view && m_view->options().columnHeaders ? int(GridViewAccessible::shownColumns(m_view).size()) : 0;
}

QAccessibleInterface *GridHeaderAccessible::item(Kind kind, int index) const
{
    const auto key = std::make_pair(kind, index);
    const auto it = m_items.find(key);
    if (it != m_items.end())
        return QAccessible::accessibleInterface(it->second);
    auto *iface = new GridHeaderItemAccessible(m_view, const_cast<GridHeaderAccessible *>(this), kind, index);
    m_items.emplace(key, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

QAccessibleInterface *GridHeaderAccessible::columnHeader(int column) const
{
    return column >= 0 && column < columnCount() ? item(Kind::Column, column) : nullptr;
}

int GridHeaderAccessible::childCount() const
{
    return bandCount() + columnCount();
}

QAccessibleInterface *GridHeaderAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    const int bands = bandCount();
    return index < bands ? item(Kind::Band, index) : item(Kind::Column, index - bands);
}

int GridHeaderAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (const auto &entry : m_items) {
        if (QAccessible::accessibleInterface(entry.second) != child)
            continue;
        const int index = entry.first.first == Kind::Band ? entry.first.second : bandCount() + entry.first.second;
        return index < childCount() ? index : -1;
    }
    return -1;
}

QAccessibleInterface *GridHeaderAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface *c = child(i);
        if (c->rect().contains(x, y))
            return c;
    }
    return nullptr;
}

QRect GridHeaderAccessible::rect() const
{
    if (!m_view)
        return QRect();
    const GridLayout &layout = m_view->gridLayout();
    const QRect r(0, layout.headerTop(), m_view->viewport()->width(), layout.rowsTop() - layout.headerTop());
    return r.isEmpty() ? QRect() : QRect(m_view->viewport()->mapToGlobal(r.topLeft()), r.size());
}
