#pragma once

#include "platform/grid/GridDataController.h"
#include "platform/grid/GridLayout.h"
#include "platform/grid/GridStyle.h"
#include "platform/grid/GridSummaryGroup.h"
#include "platform/grid/GridViewOptions.h"
#include "platform/filter/FilterCompileOptions.h"
#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterFileChooser.h"
#include "platform/filter/FilterText.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <memory>
#include <vector>

class DataSource;
class GridBand;
class GridColumn;
class GridFilterBox;
class GridFilterDropDown;
class GridFilterSource;
class GridQuickCustomizationPopup;
class FilterPredicate;
class FilterValueSource;

// A data-bound banded table view: bands of columns, every record several lines deep, headers that
// sort, a group-by box, group rows and footers, the indicator with its column list. It paints from
// a GridLayout and the rows of its GridDataController, and only what is on screen.
class GridBandedTableView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit GridBandedTableView(QWidget *parent = nullptr);
    ~GridBandedTableView() override;

    // Throws a DataError when a column names a field the table lacks.
    void setDataSource(DataSource *source);
    DataSource *dataSource() const;
    GridDataController *controller() const { return m_controller; }

    GridBand *createBand(const QString &name = QString());
    int bandCount() const { return int(m_bands.size()); }
    GridBand *band(int index) const { return m_bands[size_t(index)]; }
    // The bands in their order on screen (the index a column names stays the band's own).
    int bandIndexOf(const GridBand *band) const;

    GridColumn *createColumn(const QString &name = QString());
    int columnCount() const { return int(m_columns.size()); }
    GridColumn *column(int index) const { return m_columns[size_t(index)]; }
    GridColumn *columnByField(const QString &fieldName) const;

    GridSummaryGroup *createSummaryGroup(const QString &name = QString());

    const GridViewOptions &options() const { return m_options; }
    void setOptions(const GridViewOptions &options);

    void setHeaderStyle(GridStyle *style);
    void setIndicatorStyle(GridStyle *style);
    void setFooterStyle(GridStyle *style);
    void setContentStyle(GridStyle *style);
    GridStyle *headerStyle() const { return m_headerStyle; }
    GridStyle *footerStyle() const { return m_footerStyle; }
    GridStyle *contentStyle() const { return m_contentStyle; }

    // Grouping by a column, as a drop into the group-by box does.
    void groupByColumn(GridColumn *column, int level);
    void ungroupColumn(GridColumn *column);
    int groupLevelOf(const GridColumn *column) const;
    GridColumn *groupedColumn(int level) const;
    // Sorting by a column, as a click on its header with these modifiers does.
    void sortByColumn(GridColumn *column, Qt::KeyboardModifiers modifiers);

    // Geometry as last laid out, for whoever needs to hit a part of the view.
    const GridLayout &gridLayout() const;
    int topRow() const { return m_topRow; }
    void setTopRow(int row);
    // The rows on screen now with their tops and heights.
    std::vector<GridLayout::RowGeometry> rowsOnScreen() const;
    QRect groupByItemRect(int level) const;
    QRect groupExpandButtonRect(int row) const;
    QRect quickCustomizationButtonRect() const;
    GridQuickCustomizationPopup *quickCustomizationPopup() const { return m_popup; }
    void showQuickCustomization();

    // Filtering. Conditions name columns by their number in filterSource(): the view's columns
    // bound to a field, in declared order. The filter box shows while a filter is set; switched
    // off, the filter stays but lets every record through.
    const FilterCriteria &filterCriteria() const { return m_filter; }
    // Throws DataError when the criteria do not fit the columns; the filter then stays as it was.
    void setFilterCriteria(const FilterCriteria &criteria);
    void clearFilter() { setFilterCriteria(FilterCriteria()); }
    bool isFilterEnabled() const { return m_filterEnabled; }
    void setFilterEnabled(bool enabled);
    // Null while the view is not bound to a table.
    const FilterValueSource *filterSource() const;
    int filterColumnOf(const GridColumn *column) const;
    bool isColumnFiltered(const GridColumn *column) const;
    // The filter's text as the filter box shows it; empty for no filter.
    QString filterText() const;
    FilterCompileOptions filterCompileOptions() const;
    FilterValueFormatter filterValueFormatter() const;

    // Filter buttons sit at the right of every column header, always shown; a filtered column's
    // button is drawn pressed and coloured.
    QRect filterButtonRect(int column) const;
    GridFilterDropDown *filterDropDown() const { return m_filterDropDown; }
    void showFilterDropDown(int column);
    GridFilterBox *filterBox() const { return m_filterBox; }
    // Modal; they return when closed.
    void showCustomFilterDialog(int column);
    void showFilterBuilder();
    // Replaces the builder's file dialogs, for tests.
    void setFilterFileChooser(FilterFileChooser chooser) { m_fileChooser = std::move(chooser); }

    QString cellText(int row, const GridColumn *column) const;
    QString groupRowText(int group) const;
    // The figure a group footer shows under column, or a null string.
    QString footerText(int group, const GridColumn *column) const;
    // Where a summary item of column shows: the column itself while it is in the rows, else the
    // first column of its band; null when the band shows none.
    const GridColumn *footerColumnOf(const GridColumn *column) const;
    void makeRowVisible(int row);

Q_SIGNALS:
    void layoutChanged();
    void filterChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent *event) override;

private:
    enum class Press { None, ColumnHeader, BandHeader, GroupItem, ColumnEdge, BandEdge };
    struct Drag
    {
        Press kind = Press::None;
        int index = -1;
        QPoint start;
        QPoint pos;
        Qt::KeyboardModifiers modifiers;
        bool dragging = false;
        int startWidth = 0;
        std::vector<int> lineWidths; // pixel widths of the line being sized
    };

    QStringList bindColumns(); // the names of the fields the table lacks
    void scheduleLayout();
    void relayout() const;
    GridStyle *headerStyleOf(const GridColumn *column) const;
    GridStyle *contentStyleOf(const GridColumn *column) const;
    void updateScrollBars();
    int rowHeight(int row) const;
    int visibleRowCount() const;
    bool showsSelection() const;
    int groupByItemWidth(int level) const;
    int groupLevelAt(QPoint pos) const;
    void onRowsReset();
    void onFocusedRowChanged(int row);
    void moveFocus(int row);
    void deleteFocused();
    void toggleGroup(int row, int expand); // expand: 1, 0 collapse, -1 toggle
    void dropColumn(int column, QPoint pos);
    void dropBand(int band, QPoint pos);
    void moveColumn(int column, int band, int line, int place);
    void resizeColumn(int pixelWidth);
    void resizeBand(int pixelWidth);
    void updateCursorShape(QPoint pos);
    QString headerCaptionOf(int column) const;
    void rebuildFilterSource();
    void installFilter();
    void updateFilterBox();
    void placeFilterBox();
    void onFilterPicked(int column, int row);
    int activeFilterRow(int column) const;
    QList<FilterCondition> columnConditions(int sourceColumn, FilterBoolOperator &op) const;

    void paintGroupByBox(QPainter &p) const;
    void paintHeaders(QPainter &p) const;
    void paintColumnHeader(QPainter &p, int column) const;
    void paintRows(QPainter &p) const;
    void paintRecord(QPainter &p, int row, int top, int height) const;
    void paintGroupRow(QPainter &p, int row, int top, int height) const;
    void paintFooter(QPainter &p, int row, int top, int height) const;
    void paintIndicator(QPainter &p, int row, int top, int height) const;
    void paintDrag(QPainter &p) const;

    GridDataController *m_controller;
    std::vector<GridBand *> m_bands;      // in screen order
    std::vector<GridColumn *> m_columns;  // in declared order
    std::vector<QPointer<GridSummaryGroup>> m_summaries;
    GridViewOptions m_options;
    QPointer<GridStyle> m_headerStyle;
    QPointer<GridStyle> m_indicatorStyle;
    QPointer<GridStyle> m_footerStyle;
    QPointer<GridStyle> m_contentStyle;
    GridQuickCustomizationPopup *m_popup = nullptr;

    FilterCriteria m_filter;
    bool m_filterEnabled = true;
    std::unique_ptr<GridFilterSource> m_filterSource;
    std::vector<int> m_filterColumns;              // view column of each source column
    std::shared_ptr<FilterPredicate> m_predicate;
    GridFilterDropDown *m_filterDropDown = nullptr;
    GridFilterBox *m_filterBox = nullptr;
    FilterFileChooser m_fileChooser;

    mutable GridLayout m_layout;
    mutable bool m_layoutDirty = true;
    int m_topRow = 0;
    Drag m_drag;
};
