#pragma once

#include <QAccessible>
#include <QPointer>

class GridBandedTableView;
class GridColumn;

// A caption painted in a banded view's header or group-by box: a band's, a column's, or that of a
// column the rows are grouped by. Pressing a column's sorts by it, as a click does.
class GridHeaderItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    enum class Kind { Band, Column, GroupedColumn };

    // index: the band's place on screen, the column's among those shown, or the grouping level.
    GridHeaderItemAccessible(GridBandedTableView *view, QAccessibleInterface *parent, Kind kind, int index);

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override { return m_parent; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    GridColumn *column() const;

    QPointer<GridBandedTableView> m_view;
    QAccessibleInterface *m_parent;
    Kind m_kind;
    int m_index;
};
