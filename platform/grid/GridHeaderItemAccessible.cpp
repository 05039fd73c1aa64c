#include "GridHeaderItemAccessible.h"

#include "GridBand.h"
#include "GridBandedTableView.h"
#include "GridColumn.h"
#include "GridViewAccessible.h"

#include <QWindow>

GridHeaderItemAccessible::GridHeaderItemAccessible(GridBandedTableView *view, QAccessibleInterface *parent, Kind kind,
                                                   int index)
    : m_view(view), m_parent(parent), m_kind(kind), m_index(index)
{
}

GridColumn *GridHeaderItemAccessible::column() const
{
    if (!m_view)
        return nullptr;
    if (m_kind == Kind::GroupedColumn)
        return m_index < int(m_view->controller()->groupKeys().size()) ? m_view->groupedColumn(m_index) : nullptr;
    const std::vector<int> shown = GridViewAccessible::shownColumns(m_view);
    return m_index < int(shown.size()) ? m_view->column(shown[size_t(m_index)]) : nullptr;
}

bool GridHeaderItemAccessible::isValid() const
{
    if (!m_view)
        return false;
    return m_kind == Kind::Band ? m_index < m_view->bandCount() : column() != nullptr;
}

QWindow *GridHeaderItemAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QString GridHeaderItemAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return QString();
    if (m_kind == Kind::Band)
        return m_view->band(m_index)->caption();
    return column()->displayCaption();
}

QRect GridHeaderItemAccessible::rect() const
{
    if (!isValid())
        return QRect();
    QRect r;
    switch (m_kind) {
    case Kind::Band: r = m_view->gridLayout().bandHeaderRect(m_index); break;
    case Kind::Column: {
        const std::vector<int> shown = GridViewAccessible::shownColumns(m_view);
        r = m_view->gridLayout().columnHeaderRect(shown[size_t(m_index)]);
        break;
    }
    case Kind::GroupedColumn: r = m_view->groupByItemRect(m_index); break;
    }
    return r.isEmpty() ? QRect() : QRect(m_view->viewport()->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::State GridHeaderItemAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    if (rect().isEmpty())
        s.offscreen = s.invisible = true;
    return s;
}

void *GridHeaderItemAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList GridHeaderItemAccessible::actionNames() const
{
    const GridColumn *c = m_kind == Kind::Band ? nullptr : column();
    if (!c || !c->field() || !m_view->options().sorting)
        return {};
    return {pressAction()};
}

void GridHeaderItemAccessible::doAction(const QString &actionName)
{
    if (!actionNames().contains(actionName))
        return;
    GridColumn *c = column();
    if (m_kind == Kind::GroupedColumn)
        m_view->controller()->changeSort(c->field(), GridDataController::SortChange::Replace);
    else
        m_view->sortByColumn(c, Qt::NoModifier);
}
