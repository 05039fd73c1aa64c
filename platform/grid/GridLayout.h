#pragma once

#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

// Where everything of a banded view lies on screen, from the bands, the columns, the metrics and
// the sideways scroll: pure geometry, with no painting and no data. Every record is lineCount()
// lines deep; each line of a band spans the band's width and its visible columns share it in
// proportion to their design widths. Fixed bands stay at the left; the others scroll.
class GridLayout
{
public:
    struct Band
    {
        int width = 0;
        bool fixedLeft = false;
        bool visible = true;
    };
    struct Column
    {
        int band = 0;
        int line = 0;
        int place = 0;
        int width = 0;
        bool visible = true; // false also for a column the rows are grouped by
    };
    struct Metrics
    {
        int indicatorWidth = 0;
        int groupIndent = 16;
        int groupByBoxHeight = 0;  // 0: no group-by box
        int bandHeaderHeight = 0;  // 0: no band headers
        int headerLineHeight = 0;  // 0: no column headers
        int recordLineHeight = 18;
        int groupRowHeight = 22;
        int footerHeight = 20;
        int minimumLines = 1;
    };
    struct RowGeometry
    {
        int row;
        int top;
        int height;
    };

    void setBands(std::vector<Band> bands);
    void setColumns(std::vector<Column> columns);
    void setMetrics(const Metrics &metrics);
    void setGroupLevels(int levels);
    void setViewportSize(QSize size);
    void setHorizontalOffset(int offset);

    const Metrics &metrics() const { return m_metrics; }
    int bandCount() const { return int(m_bands.size()); }
    int columnCount() const { return int(m_columns.size()); }
    int lineCount() const { return m_lineCount; }
    int groupLevels() const { return m_groupLevels; }
    QSize viewportSize() const { return m_viewport; }
    int horizontalOffset() const { return m_offset; }

    // Where the first band starts: right of the indicator and of one indent per grouping level.
    int dataLeft() const;
    // Screen x where the scrolling bands become visible.
    int fixedRight() const { return dataLeft() + m_fixedWidth; }
    int contentWidth() const { return dataLeft() + m_fixedWidth + m_scrollWidth; }
    int maxHorizontalOffset() const;
    int contentRight() const { return fixedRight() + m_scrollWidth - m_offset; }

    QRect groupByBoxRect() const;
    int headerTop() const { return m_metrics.groupByBoxHeight; }
    QRect bandHeaderRect(int band) const;
    QRect columnHeaderRect(int column) const;
    QRect indicatorHeaderRect() const;
    int rowsTop() const;
    QRect rowsRect() const;

    int recordHeight() const { return m_lineCount * m_metrics.recordLineHeight; }
    QRect bandRect(int band, int top, int height) const;
    // The cell of a column in a record whose top is recordTop; empty for a column not shown.
    QRect cellRect(int column, int recordTop) const;
    QRect groupRowRect(int level, int top) const;
    QRect footerRowRect(int level, int top) const;
    QRect footerCellRect(int column, int level, int top) const;
    QRect indicatorRect(int top, int height) const;
    bool isFixedBand(int band) const { return m_bands[size_t(band)].fixedLeft; }
    // Where the scrolling bands may paint.
    QRect scrollingClip() const;

    // The rows from topRow down that fit on screen, the last one possibly cut.
    std::vector<RowGeometry> rowsOnScreen(int topRow, int rowCount, const std::function<int(int)> &heightOf) const;

    // Hit tests on screen; -1 for nothing.
    int columnHeaderAt(QPoint pos) const;
    int bandHeaderAt(QPoint pos) const;
    // A column or band whose right edge is within a few pixels of pos, for sizing.
    int columnEdgeAt(QPoint pos) const;
    int bandEdgeAt(QPoint pos) const;
    // The column's on-screen x range within its band's line, and its pixel width.
    int columnLeft(int column) const;
    int columnPixelWidth(int column) const { return m_columnWidth[size_t(column)]; }

private:
    void recompute();
    int bandLeft(int band) const;
    bool onScreen(int band, int x) const;

    std::vector<Band> m_bands;
    std::vector<Column> m_columns;
    Metrics m_metrics;
    int m_groupLevels = 0;
    QSize m_viewport;
    int m_offset = 0;

    int m_lineCount = 1;
    int m_fixedWidth = 0;
    int m_scrollWidth = 0;
    std::vector<int> m_bandX;        // from the start of its part (fixed or scrolling)
    std::vector<int> m_columnX;      // from the band's left edge
    std::vector<int> m_columnWidth;
};
