#pragma once

#include <QAccessible>
#include <QPointer>

class GridBandedTableView;

// A cell of a banded view's row: the text it shows, with its column's caption as header. The
// cell of a group row carries the group's text over every column; a footer's cells carry the
// figures of the summaries.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    GridCellAccessible(GridBandedTableView *view, int row, int column);

    // The caption of the column the cell lies under; empty for a group row's cell.
    QString caption() const;

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override;
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

private:
    // The view's number of the column under the cell, or -1.
    int viewColumn() const;
    bool isGroupCell() const;

    QPointer<GridBandedTableView> m_view;
    int m_row;
    int m_column;
};
