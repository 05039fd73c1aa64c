#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <map>
#include <vector>

class GridBandedTableView;
class GridCellAccessible;
class GridHeaderAccessible;
class GridRowAccessible;

// A banded view as assistive technology sees it: a table (a tree while grouped) whose rows are
// the rows the view shows, group rows and footers included, and whose columns are the columns
// shown, in their order on screen. Before the rows come the group-by box and the header, when
// shown. The focused row is the selected one.
class GridViewAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridViewAccessible(GridBandedTableView *view);
    ~GridViewAccessible() override;

    GridBandedTableView *view() const;
    // The view's column numbers of the columns shown, in their order on screen.
    static std::vector<int> shownColumns(const GridBandedTableView *view);

    GridRowAccessible *row(int row) const;
    // Null while the view shows no headers.
    GridHeaderAccessible *header() const;
    // The rows handed out so far stand for other rows now.
    void forgetRows();

    // QAccessibleInterface
    QAccessible::Role role() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

private:
    enum class Part { GroupByBox, Header };
    std::vector<Part> parts() const;
    QAccessibleInterface *part(Part part) const;

    mutable std::map<int, QAccessible::Id> m_rows;
    mutable std::map<Part, QAccessible::Id> m_parts;
};
