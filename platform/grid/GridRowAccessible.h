#pragma once

#include <QAccessible>
#include <QPointer>
#include <map>

class GridBandedTableView;
class GridCellAccessible;

// One row of a banded view as shown: a record, a group row named by its text ("PR : MI"), or a
// group footer. A record's name is its shown values after their column captions.
class GridRowAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    GridRowAccessible(GridBandedTableView *view, int row);
    ~GridRowAccessible() override;

    int rowIndex() const { return m_row; }
    GridBandedTableView *view() const { return m_view; }
    // The cell under a column shown; a group row has one cell over all of them.
    GridCellAccessible *cell(int column) const;
    bool isGroup() const;

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    QPointer<GridBandedTableView> m_view;
    int m_row;
    mutable std::map<int, QAccessible::Id> m_cells;
};
