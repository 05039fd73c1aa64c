#include "GridAccessibility.h"

#include "GridBandedTableView.h"
#include "GridRowAccessible.h"
#include "GridViewAccessible.h"

#include <QAccessible>

namespace {

QAccessibleInterface *gridFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("GridBandedTableView") && object && object->isWidgetType())
        return new GridViewAccessible(static_cast<GridBandedTableView *>(object));
    return nullptr;
}

GridViewAccessible *viewInterface(GridBandedTableView *view)
{
    if (!QAccessible::isActive())
        return nullptr;
    return static_cast<GridViewAccessible *>(QAccessible::queryAccessibleInterface(view));
}

} // namespace

void GridAccessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed)
}

void GridAccessibility::focusChanged(GridBandedTableView *view)
{
    GridViewAccessible *table = viewInterface(view);
    const int row = view->controller()->focusedRow();
    if (!table || row < 0)
        return;
    QAccessibleInterface *focused = table->row(row);
    QAccessibleEvent selection(focused, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
    if (view->hasFocus()) {
        QAccessibleEvent focus(focused, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void GridAccessibility::rowsReset(GridBandedTableView *view)
{
    GridViewAccessible *table = viewInterface(view);
    if (!table)
        return;
    table->forgetRows();
    QAccessibleTableModelChangeEvent reset(view, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
    // The focused row is a new object now, and may be another kind of row at the same place.
    focusChanged(view);
}
