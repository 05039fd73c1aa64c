#include "GridLayout.h"

#include <algorithm>

namespace {
constexpr int EdgeSlack = 3;
}

void GridLayout::setBands(std::vector<Band> bands)
{
    m_bands = std::move(bands);
    recompute();
}

void GridLayout::setColumns(std::vector<Column> columns)
{
    m_columns = std::move(columns);
    recompute();
}

void GridLayout::setMetrics(const Metrics &metrics)
{
    m_metrics = metrics;
    recompute();
}

void GridLayout::setGroupLevels(int levels)
{
    m_groupLevels = std::max(levels, 0);
    recompute();
}

void GridLayout::setViewportSize(QSize size)
{
    m_viewport = size;
    m_offset = std::clamp(m_offset, 0, maxHorizontalOffset());
}

void GridLayout::setHorizontalOffset(int offset)
{
    m_offset = std::clamp(offset, 0, maxHorizontalOffset());
}

void GridLayout::recompute()
{
    m_lineCount = std::max(m_metrics.minimumLines, 1);
    for (const Column &c : m_columns)
        m_lineCount = std::max(m_lineCount, c.line + 1);

    m_bandX.assign(m_bands.size(), 0);
    m_fixedWidth = m_scrollWidth = 0;
    for (size_t b = 0; b < m_bands.size(); ++b) {
        if (!m_bands[b].visible)
            continue;
        int &part = m_bands[b].fixedLeft ? m_fixedWidth : m_scrollWidth;
        m_bandX[b] = part;
        part += m_bands[b].width;
    }

    // Each line of a band: its visible columns in place order share the band's width, the
    // running sum rounded so that the cells meet exactly and the last ends on the band's edge.
    m_columnX.assign(m_columns.size(), 0);
    m_columnWidth.assign(m_columns.size(), 0);
    std::vector<int> line;
    for (size_t b = 0; b < m_bands.size(); ++b) {
        for (int l = 0; l < m_lineCount; ++l) {
            line.clear();
            long long total = 0;
            for (size_t c = 0; c < m_columns.size(); ++c) {
                const Column &col = m_columns[c];
                if (col.visible && col.band == int(b) && col.line == l) {
                    line.push_back(int(c));
                    total += std::max(col.width, 1);
                }
            }
            std::stable_sort(line.begin(), line.end(),
                             [this](int x, int y) { return m_columns[size_t(x)].place < m_columns[size_t(y)].place; });
            long long run = 0;
            int x = 0;
            for (int c : line) {
                run += std::max(m_columns[size_t(c)].width, 1);
                const int right = int(run * m_bands[b].width / total);
                m_columnX[size_t(c)] = x;
                m_columnWidth[size_t(c)] = right - x;
                x = right;
            }
        }
    }
    m_offset = std::clamp(m_offset, 0, maxHorizontalOffset());
}

int GridLayout::dataLeft() const
{
    return m_metrics.indicatorWidth + m_groupLevels * m_metrics.groupIndent;
}

int GridLayout::maxHorizontalOffset() const
{
    return std::max(0, contentWidth() - m_viewport.width());
}

int GridLayout::bandLeft(int band) const
{
    const Band &b = m_bands[size_t(band)];
    return b.fixedLeft ? dataLeft() + m_bandX[size_t(band)] : fixedRight() + m_bandX[size_t(band)] - m_offset;
}

bool GridLayout::onScreen(int band, int x) const
{
    return isFixedBand(band) || x >= fixedRight();
}

QRect GridLayout::groupByBoxRect() const
{
    return QRect(0, 0, m_viewport.width(), m_metrics.groupByBoxHeight);
}

QRect GridLayout::bandHeaderRect(int band) const
{
    if (m_metrics.bandHeaderHeight == 0 || !m_bands[size_t(band)].visible)
        return {};
    return QRect(bandLeft(band), headerTop(), m_bands[size_t(band)].width, m_metrics.bandHeaderHeight);
}

QRect GridLayout::columnHeaderRect(int column) const
{
    const Column &c = m_columns[size_t(column)];
    if (m_metrics.headerLineHeight == 0 || !c.visible || !m_bands[size_t(c.band)].visible)
        return {};
    const int top = headerTop() + m_metrics.bandHeaderHeight + c.line * m_metrics.headerLineHeight;
    return QRect(columnLeft(column), top, m_columnWidth[size_t(column)], m_metrics.headerLineHeight);
}

QRect GridLayout::indicatorHeaderRect() const
{
    const int height = rowsTop() - headerTop();
    if (m_metrics.indicatorWidth == 0 || height == 0)
        return {};
    return QRect(0, headerTop(), m_metrics.indicatorWidth, height);
}

int GridLayout::rowsTop() const
{
    const int headerLines = m_metrics.headerLineHeight > 0 ? m_lineCount * m_metrics.headerLineHeight : 0;
    return headerTop() + m_metrics.bandHeaderHeight + headerLines;
}

QRect GridLayout::rowsRect() const
{
    return QRect(0, rowsTop(), m_viewport.width(), std::max(0, m_viewport.height() - rowsTop()));
}

QRect GridLayout::bandRect(int band, int top, int height) const
{
    if (!m_bands[size_t(band)].visible)
        return {};
    return QRect(bandLeft(band), top, m_bands[size_t(band)].width, height);
}

int GridLayout::columnLeft(int column) const
{
    return bandLeft(m_columns[size_t(column)].band) + m_columnX[size_t(column)];
}

QRect GridLayout::cellRect(int column, int recordTop) const
{
    const Column &c = m_columns[size_t(column)];
    if (!c.visible || !m_bands[size_t(c.band)].visible)
        return {};
    return QRect(columnLeft(column), recordTop + c.line * m_metrics.recordLineHeight, m_columnWidth[size_t(column)],
                 m_metrics.recordLineHeight);
}

QRect GridLayout::groupRowRect(int level, int top) const
{
    const int left = m_metrics.indicatorWidth + level * m_metrics.groupIndent;
    return QRect(left, top, std::max(0, contentRight() - left), m_metrics.groupRowHeight);
}

QRect GridLayout::footerRowRect(int level, int top) const
{
    const int left = m_metrics.indicatorWidth + (level + 1) * m_metrics.groupIndent;
    return QRect(left, top, std::max(0, contentRight() - left), m_metrics.footerHeight);
}

QRect GridLayout::footerCellRect(int column, int level, int top) const
{
    const Column &c = m_columns[size_t(column)];
    if (!c.visible || !m_bands[size_t(c.band)].visible)
        return {};
    const QRect row = footerRowRect(level, top);
    const int left = std::max(columnLeft(column), row.left());
    const int right = columnLeft(column) + m_columnWidth[size_t(column)];
    if (right <= left)
        return {};
    return QRect(left + 2, top + 2, right - left - 4, m_metrics.footerHeight - 4);
}

QRect GridLayout::indicatorRect(int top, int height) const
{
    return m_metrics.indicatorWidth > 0 ? QRect(0, top, m_metrics.indicatorWidth, height) : QRect();
}

QRect GridLayout::scrollingClip() const
{
    return QRect(fixedRight(), 0, std::max(0, m_viewport.width() - fixedRight()), m_viewport.height());
}

std::vector<GridLayout::RowGeometry> GridLayout::rowsOnScreen(int topRow, int rowCount,
                                                             const std::function<int(int)> &heightOf) const
{
    std::vector<RowGeometry> rows;
    int y = rowsTop();
    for (int r = std::max(topRow, 0); r < rowCount && y < m_viewport.height(); ++r) {
        const int h = heightOf(r);
        rows.push_back(RowGeometry{r, y, h});
        y += h;
    }
    return rows;
}

int GridLayout::columnHeaderAt(QPoint pos) const
{
    for (int c = 0; c < columnCount(); ++c) {
        const QRect r = columnHeaderRect(c);
        if (r.contains(pos) && onScreen(m_columns[size_t(c)].band, pos.x()))
            return c;
    }
    return -1;
}

int GridLayout::bandHeaderAt(QPoint pos) const
{
    for (int b = 0; b < bandCount(); ++b) {
        if (bandHeaderRect(b).contains(pos) && onScreen(b, pos.x()))
            return b;
    }
    return -1;
}

int GridLayout::columnEdgeAt(QPoint pos) const
{
    for (int c = 0; c < columnCount(); ++c) {
        const QRect r = columnHeaderRect(c);
        if (r.isEmpty() || pos.y() < r.top() || pos.y() > r.bottom())
            continue;
        const int edge = r.left() + r.width();
        if (std::abs(pos.x() - edge) <= EdgeSlack && onScreen(m_columns[size_t(c)].band, edge - 1))
            return c;
    }
    return -1;
}

int GridLayout::bandEdgeAt(QPoint pos) const
{
    for (int b = 0; b < bandCount(); ++b) {
        const QRect r = bandHeaderRect(b);
        if (r.isEmpty() || pos.y() < r.top() || pos.y() > r.bottom())
            continue;
        const int edge = r.left() + r.width();
        if (std::abs(pos.x() - edge) <= EdgeSlack && onScreen(b, edge - 1))
            return b;
    }
    return -1;
}
