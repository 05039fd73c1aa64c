#include "GridGroupByBoxAccessible.h"

#include "GridBandedTableView.h"
#include "GridHeaderItemAccessible.h"

#include "platform/texts/ComponentTexts.h"
#include "platform/texts/GridTexts.h"

#include <QWindow>

GridGroupByBoxAccessible::GridGroupByBoxAccessible(GridBandedTableView *view) : m_view(view) {}

GridGroupByBoxAccessible::~GridGroupByBoxAccessible()
{
    for (const auto &entry : m_items)
        QAccessible::deleteAccessibleInterface(entry.second);
}

QWindow *GridGroupByBoxAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface *GridGroupByBoxAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

int GridGroupByBoxAccessible::childCount() const
{
    return m_view ? int(m_view->controller()->groupKeys().size()) : 0;
}

QAccessibleInterface *GridGroupByBoxAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    const auto it = m_items.find(index);
    if (it != m_items.end())
        return QAccessible::accessibleInterface(it->second);
    auto *iface = new GridHeaderItemAccessible(m_view, const_cast<GridGroupByBoxAccessible *>(this),
                                               GridHeaderItemAccessible::Kind::GroupedColumn, index);
    m_items.emplace(index, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

int GridGroupByBoxAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (const auto &entry : m_items) {
        if (QAccessible::accessibleInterface(entry.second) == child)
            return entry.first < childCount() ? entry.first : -1;
    }
    return -1;
}

QAccessibleInterface *GridGroupByBoxAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface *c = child(i);
        if (c->rect().contains(x, y))
            return c;
    }
    return nullptr;
}

QString GridGroupByBoxAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && childCount() == 0)
        return ComponentTexts::text(GridTexts::GroupByBoxHint);
    return QString();
}

QRect GridGroupByBoxAccessible::rect() const
{
    if (!m_view)
        return QRect();
    const QRect r = m_view->gridLayout().groupByBoxRect();
    return r.isEmpty() ? QRect() : QRect(m_view->viewport()->mapToGlobal(r.topLeft()), r.size());
}
