#include "GridHtmlExport.h"

#include "GridBand.h"
#include "GridBandedTableView.h"
#include "GridColumn.h"
#include "GridControl.h"
#include "GridDataController.h"
#include "GridLayout.h"
#include "GridStyle.h"

#include "platform/memdata/DataError.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/GridTexts.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QHash>
#include <QSaveFile>
#include <QPalette>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

using RowKind = GridDataController::RowKind;

// Written to the file whenever this much is waiting, so the page never sits in memory whole.
constexpr qsizetype ChunkSize = 128 * 1024;

QByteArray number(int n)
{
    return QByteArray::number(n);
}

QByteArray escaped(const QString &text)
{
    return text.isEmpty() ? QByteArrayLiteral("&nbsp;") : text.toHtmlEscaped().toUtf8();
}

// How one cell looks: what a style class of the page stands for.
struct Look
{
    QFont font;
    QColor text;
    QColor background;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;

    QString key() const
    {
        return font.family() + QLatin1Char('|') + QString::number(pixelSize()) + QLatin1Char('|')
             + QString::number(int(font.bold())) + QString::number(int(font.italic())) + text.name()
             + background.name() + QString::number(int(alignment));
    }
    int pixelSize() const
    {
        return font.pixelSize() > 0 ? font.pixelSize() : qRound(font.pointSizeF() * 96.0 / 72.0);
    }
    QByteArray css() const
    {
        const char *generic = QFontInfo(font).fixedPitch() ? "monospace" : "sans-serif";
        const char *h = alignment & Qt::AlignHCenter ? "center" : alignment & Qt::AlignRight ? "right" : "left";
        const char *v = alignment & Qt::AlignTop ? "top" : alignment & Qt::AlignBottom ? "bottom" : "middle";
        return "font-family:\"" + font.family().toHtmlEscaped().toUtf8() + "\"," + generic + ";font-size:"
             + number(pixelSize()) + "px;font-weight:" + (font.bold() ? "bold" : "normal")
             + ";font-style:" + (font.italic() ? "italic" : "normal") + ";color:" + text.name().toLatin1()
             + ";background-color:" + background.name().toLatin1() + ";text-align:" + h
             + ";vertical-align:" + v;
    }
};

// The distinct looks of the page, each with its class name.
class StyleSheet
{
public:
    QByteArray classOf(const Look &look)
    {
        const QString key = look.key();
        auto it = m_index.constFind(key);
        if (it == m_index.constEnd()) {
            it = m_index.insert(key, int(m_looks.size()));
            m_looks.push_back(look);
        }
        return "s" + number(it.value());
    }
    QByteArray css() const
    {
        QByteArray out;
        for (size_t i = 0; i < m_looks.size(); ++i)
            out += "td.s" + number(int(i)) + "{" + m_looks[i].css() + "}\n";
        return out;
    }

private:
    QHash<QString, int> m_index;
    std::vector<Look> m_looks;
};

// A stretch of one line of the page: a column's cell, or an empty gap when column is -1.
struct Piece
{
    int column;
    int left;
    int right;
};

// The page's geometry, unscrolled: x counts from the left of the first group indent (the
// indicator is not printed), and the table's own columns lie between every edge of a band or a
// cell, so each cell spans as many of them as its on-screen width covers.
class PageGeometry
{
public:
    explicit PageGeometry(const GridBandedTableView *view) : m_layout(view->gridLayout())
    {
        const GridLayout::Metrics &m = m_layout.metrics();
        m_indentRight = m_layout.groupLevels() * m.groupIndent;
        for (int k = 0; k <= m_layout.groupLevels(); ++k)
            m_edges.push_back(k * m.groupIndent);
        for (int b = 0; b < m_layout.bandCount(); ++b) {
            const QRect r = m_layout.bandRect(b, 0, 1);
            if (r.isEmpty())
                continue;
            const int left = unscrolled(b, r.left());
            m_bands.push_back(Piece{b, left, left + r.width()});
            m_edges.push_back(left);
            m_edges.push_back(left + r.width());
        }
        std::sort(m_bands.begin(), m_bands.end(), [](const Piece &a, const Piece &b) { return a.left < b.left; });
        m_columns.resize(size_t(m_layout.columnCount()), Piece{-1, 0, 0});
        m_lineOf.resize(size_t(m_layout.columnCount()), 0);
        m_shown.resize(size_t(m_layout.columnCount()), false);
        for (int c = 0; c < m_layout.columnCount(); ++c) {
            const QRect r = m_layout.cellRect(c, 0);
            if (r.isEmpty() || r.width() <= 0)
                continue;
            const int band = std::clamp(view->column(c)->bandIndex(), 0, std::max(m_layout.bandCount() - 1, 0));
            const int left = unscrolled(band, r.left());
            m_columns[size_t(c)] = Piece{band, left, left + r.width()};
            m_shown[size_t(c)] = true;
            m_lineOf[size_t(c)] = r.top() / std::max(m.recordLineHeight, 1);
            m_edges.push_back(left);
            m_edges.push_back(left + r.width());
        }
        std::sort(m_edges.begin(), m_edges.end());
        m_edges.erase(std::unique(m_edges.begin(), m_edges.end()), m_edges.end());
    }

    const GridLayout &layout() const { return m_layout; }
    int tableColumnCount() const { return int(m_edges.size()) - 1; }
    int tableColumnWidth(int i) const { return m_edges[size_t(i) + 1] - m_edges[size_t(i)]; }
    int width() const { return m_edges.back() - m_edges.front(); }
    int right() const { return m_edges.back(); }
    int indentRight(int levels) const { return levels * m_layout.metrics().groupIndent; }
    int span(int left, int right) const { return edgeIndex(right) - edgeIndex(left); }
    const std::vector<Piece> &bands() const { return m_bands; }
    bool shows(int c) const { return m_shown[size_t(c)]; }
    // The cell of a shown column, its column field set to c.
    Piece cell(int c) const { return Piece{c, m_columns[size_t(c)].left, m_columns[size_t(c)].right}; }

    // The stretches of one record line, band by band, each band's gaps filled on their own.
    std::vector<Piece> line(int line) const
    {
        std::vector<Piece> out;
        for (const Piece &band : m_bands) {
            std::vector<Piece> cells;
            for (size_t c = 0; c < m_columns.size(); ++c) {
                if (m_shown[c] && m_lineOf[c] == line && m_columns[c].column == band.column)
                    cells.push_back(cell(int(c)));
            }
            std::sort(cells.begin(), cells.end(), [](const Piece &a, const Piece &b) { return a.left < b.left; });
            const std::vector<Piece> filled = fillGaps(cells, band.left, band.right);
            out.insert(out.end(), filled.begin(), filled.end());
        }
        return out;
    }

    // Cells from left to right over [from, to), gaps filled with empty stretches, overlaps dropped.
    static std::vector<Piece> fillGaps(const std::vector<Piece> &cells, int from, int to)
    {
        std::vector<Piece> out;
        int x = from;
        for (Piece p : cells) {
            p.left = std::max(p.left, x);
            if (p.right <= p.left)
                continue;
            if (p.left > x)
                out.push_back(Piece{-1, x, p.left});
            out.push_back(p);
            x = p.right;
        }
        if (x < to)
            out.push_back(Piece{-1, x, to});
        return out;
    }

private:
    int unscrolled(int band, int x) const
    {
        const int scroll = m_layout.isFixedBand(band) ? 0 : m_layout.horizontalOffset();
        return x + scroll - m_layout.metrics().indicatorWidth;
    }
    int edgeIndex(int x) const
    {
        return int(std::lower_bound(m_edges.begin(), m_edges.end(), x) - m_edges.begin());
    }

    const GridLayout &m_layout;
    int m_indentRight = 0;
    std::vector<int> m_edges;
    std::vector<Piece> m_bands;
    std::vector<Piece> m_columns; // column holds the band here
    std::vector<bool> m_shown;
    std::vector<int> m_lineOf;
};

// Streams the page into the save file, a chunk at a time.
class PageWriter
{
public:
    PageWriter(const GridBandedTableView *view, const QString &fileName, const QString &heading)
        : m_view(view), m_controller(view->controller()), m_file(fileName), m_title(QFileInfo(fileName).absoluteFilePath()),
          m_heading(heading)
    {
        // A folder that takes no new file still lets a writable page be written over, in place.
        m_file.setDirectWriteFallback(true);
        if (!m_file.open(QIODevice::WriteOnly))
            fail();
        m_buffer.reserve(ChunkSize + 4096);
    }

    // The geometry is taken once the groups to print are open.
    void begin()
    {
        m_geometry = std::make_unique<PageGeometry>(m_view);
        prepareLooks();
        writeHead();
        flush();
    }

    void writeRow(int row)
    {
        switch (m_controller->rowKind(row)) {
        case RowKind::Record: writeRecord(row); break;
        case RowKind::Group: writeGroup(m_controller->rowGroup(row)); break;
        case RowKind::GroupFooter: writeFooter(m_controller->rowGroup(row)); break;
        }
        if (m_buffer.size() >= ChunkSize)
            flush();
    }

    void writeGroup(int group)
    {
        const int level = m_controller->groupLevel(group);
        const int indentRight = m_geometry->indentRight(level);
        // A group row starts the block of the record that follows it.
        if (m_bodyHasRecord)
            closeBody();
        openBody();
        m_buffer += "<tr class=\"g\">";
        if (indentRight > 0)
            m_buffer += cellOpen(m_indentClass, 0, indentRight) + "&nbsp;</td>";
        m_buffer += cellOpen(m_groupClass, indentRight, m_geometry->right()) + escaped(m_view->groupRowText(group))
                  + "</td></tr>\n";
    }

    void finish()
    {
        closeBody();
        m_buffer += "</table>\n</body>\n</html>\n";
        flush();
        if (!m_file.commit())
            fail();
    }

private:
    struct Slot
    {
        int column;
        QByteArray open; // the cell's start tag
    };

    // Each record is one block that a printed page never splits, with the group rows before it
    // and the footers after it.
    void openBody()
    {
        if (!m_bodyOpen)
            m_buffer += "<tbody class=\"c\">\n";
        m_bodyOpen = true;
    }
    void closeBody()
    {
        if (m_bodyOpen)
            m_buffer += "</tbody>\n";
        m_bodyOpen = false;
        m_bodyHasRecord = false;
    }

    [[noreturn]] void fail()
    {
        m_file.cancelWriting();
        throw DataError(ComponentTexts::text(GridTexts::CannotCreateExportFile));
    }

    void flush()
    {
        if (m_buffer.isEmpty())
            return;
        if (m_file.write(m_buffer) != m_buffer.size())
            fail();
        m_buffer.resize(0); // keeps the chunk's room
    }

    QByteArray cellOpen(const QByteArray &cls, int left, int right, int rowSpan = 1) const
    {
        QByteArray tag = "<td class=\"" + cls + "\"";
        const int span = m_geometry->span(left, right);
        if (span > 1)
            tag += " colspan=\"" + number(span) + "\"";
        if (rowSpan > 1)
            tag += " rowspan=\"" + number(rowSpan) + "\"";
        return tag + ">";
    }

    Look look(const GridStyle *style, QPalette::ColorRole back, QPalette::ColorRole fore, Qt::Alignment alignment) const
    {
        Look l;
        l.font = style && style->hasFont() ? style->font() : m_view->font();
        l.background = style && style->background().isValid() ? style->background() : m_view->palette().color(back);
        l.text = style && style->textColor().isValid() ? style->textColor() : m_view->palette().color(fore);
        l.alignment = alignment;
        return l;
    }

    GridStyle *headerStyleOf(const GridColumn *c) const { return c->headerStyle() ? c->headerStyle() : m_view->headerStyle(); }
    GridStyle *contentStyleOf(const GridColumn *c) const { return c->contentStyle() ? c->contentStyle() : m_view->contentStyle(); }

    void prepareLooks()
    {
        const Qt::Alignment cell = Qt::AlignLeft | Qt::AlignVCenter;
        m_indentClass = m_styles.classOf(look(nullptr, QPalette::Base, QPalette::Text, cell));
        m_groupClass = m_styles.classOf(look(nullptr, QPalette::Button, QPalette::ButtonText, cell));
        m_footerGapClass = m_styles.classOf(look(nullptr, QPalette::Button, QPalette::ButtonText, cell));
        m_footerClass = m_styles.classOf(look(m_view->footerStyle(), QPalette::Light, QPalette::Text, cell));
        const QByteArray &gap = m_indentClass;
        const int lines = m_geometry->layout().lineCount();
        m_recordLines.resize(size_t(lines));
        for (int l = 0; l < lines; ++l) {
            for (const Piece &p : m_geometry->line(l)) {
                const QByteArray cls = p.column < 0 ? gap
                    : m_styles.classOf(look(contentStyleOf(m_view->column(p.column)), QPalette::Base, QPalette::Text, cell));
                m_recordLines[size_t(l)].push_back(Slot{p.column, cellOpen(cls, p.left, p.right)});
            }
        }
    }

    void writeHead()
    {
        const GridLayout::Metrics &m = m_geometry->layout().metrics();
        // The header rows register their looks, so they are made before the sheet listing them.
        m_buffer += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n<title>" + escaped(m_title) + "</title>\n";
        QByteArray headers;
        std::swap(headers, m_buffer);
        writeHeaderRows();
        std::swap(headers, m_buffer);
        const double zoom = std::min(1.0, double(GridHtmlExport::PrintableWidth) / std::max(m_geometry->width(), 1));
        m_buffer += "<style type=\"text/css\">\n"
                    "body{margin:8px;background-color:#ffffff}\n"
                    "p.heading{margin:0 0 6px 0;font-family:sans-serif;font-size:14px;font-weight:bold}\n"
                    "thead{display:table-header-group}\n"
                    "tbody.c,table.grid tr{break-inside:avoid;page-break-inside:avoid}\n"
                    "@page{size:landscape;margin:8mm}\n"
                    "@media print{body{margin:0;zoom:" + QByteArray::number(zoom, 'f', 4) + "}"
                    "*{-webkit-print-color-adjust:exact;print-color-adjust:exact}}\n"
                    "table.grid{border:0;border-collapse:collapse;border-spacing:0;table-layout:fixed;width:"
                  + number(m_geometry->width()) + "px}\n"
                    "table.grid td{white-space:nowrap;overflow:hidden;padding:0 2px;"
                    "border-right:1px solid #c0c0c0;border-bottom:1px solid #c0c0c0}\n"
                    "tr.b{height:" + number(m.bandHeaderHeight) + "px}\n"
                    "tr.h{height:" + number(m.headerLineHeight) + "px}\n"
                    "tr.r{height:" + number(m.recordLineHeight) + "px}\n"
                    "tr.g{height:" + number(m.groupRowHeight) + "px}\n"
                    "tr.f{height:" + number(m.footerHeight) + "px}\n"
                  + m_styles.css() + "</style>\n</head>\n<body>\n";
        if (!m_heading.isEmpty())
            m_buffer += "<p class=\"heading\">" + m_heading.toHtmlEscaped().toUtf8() + "</p>\n";
        m_buffer += "<table class=\"grid\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\n<colgroup>";
        for (int i = 0; i < m_geometry->tableColumnCount(); ++i)
            m_buffer += "<col style=\"width:" + number(m_geometry->tableColumnWidth(i)) + "px\"/>";
        m_buffer += "</colgroup>\n<thead>\n" + headers + "</thead>\n";
    }

    // Band headers, then the column headers as many lines deep as a record, the group indent
    // above them all in one cell.
    void writeHeaderRows()
    {
        const GridLayout &layout = m_geometry->layout();
        const GridLayout::Metrics &m = layout.metrics();
        const int lines = m.headerLineHeight > 0 ? layout.lineCount() : 0;
        const int rows = (m.bandHeaderHeight > 0 ? 1 : 0) + lines;
        const int indent = m_geometry->indentRight(layout.groupLevels());
        bool indentWritten = indent == 0;
        auto indentCell = [&] {
            if (!indentWritten)
                m_buffer += cellOpen(m_groupClass, 0, indent, rows) + "&nbsp;</td>";
            indentWritten = true;
        };
        const QByteArray buttonGap = m_styles.classOf(look(nullptr, QPalette::Button, QPalette::ButtonText, Qt::AlignLeft | Qt::AlignTop));
        if (m.bandHeaderHeight > 0) {
            m_buffer += "<tr class=\"b\">";
            indentCell();
            const QByteArray cls = m_styles.classOf(look(nullptr, QPalette::Button, QPalette::ButtonText, Qt::AlignCenter));
            for (const Piece &b : m_geometry->bands())
                m_buffer += cellOpen(cls, b.left, b.right) + escaped(m_view->band(b.column)->caption()) + "</td>";
            m_buffer += "</tr>\n";
        }
        for (int l = 0; l < lines; ++l) {
            m_buffer += "<tr class=\"h\">";
            indentCell();
            for (const Piece &p : m_geometry->line(l)) {
                if (p.column < 0) {
                    m_buffer += cellOpen(buttonGap, p.left, p.right) + "&nbsp;</td>";
                    continue;
                }
                const GridColumn *c = m_view->column(p.column);
                const Look header = look(headerStyleOf(c), QPalette::Button, QPalette::ButtonText,
                                         Qt::AlignLeft | c->headerVerticalAlignment());
                m_buffer += cellOpen(m_styles.classOf(header), p.left, p.right) + escaped(c->displayCaption()) + "</td>";
            }
            m_buffer += "</tr>\n";
        }
    }

    void writeRecord(int row)
    {
        const int indent = m_geometry->indentRight(m_geometry->layout().groupLevels());
        if (m_bodyHasRecord)
            closeBody();
        openBody();
        m_bodyHasRecord = true;
        for (size_t l = 0; l < m_recordLines.size(); ++l) {
            m_buffer += l == 0 ? "<tr class=\"r\" data-first=\"1\">" : "<tr class=\"r\">";
            if (l == 0 && indent > 0)
                m_buffer += cellOpen(m_indentClass, 0, indent, int(m_recordLines.size()))
                          + "&nbsp;</td>";
            for (const Slot &s : m_recordLines[l]) {
                m_buffer += s.open;
                m_buffer += s.column < 0 ? QByteArrayLiteral("&nbsp;") : escaped(m_view->cellText(row, m_view->column(s.column)));
                m_buffer += "</td>";
            }
            m_buffer += "</tr>\n";
        }
    }

    void writeFooter(int group)
    {
        const int level = m_controller->groupLevel(group);
        const int indent = m_geometry->indentRight(level + 1);
        std::vector<Piece> cells;
        std::vector<QString> texts(size_t(m_view->columnCount()));
        for (int c = 0; c < m_view->columnCount(); ++c) {
            if (!m_geometry->shows(c))
                continue;
            texts[size_t(c)] = m_view->footerText(group, m_view->column(c));
            if (!texts[size_t(c)].isNull())
                cells.push_back(m_geometry->cell(c));
        }
        std::sort(cells.begin(), cells.end(), [](const Piece &a, const Piece &b) { return a.left < b.left; });
        openBody(); // with the group's last record
        m_buffer += "<tr class=\"f\">";
        if (indent > 0)
            m_buffer += cellOpen(m_indentClass, 0, indent) + "&nbsp;</td>";
        for (const Piece &p : PageGeometry::fillGaps(cells, indent, m_geometry->right())) {
            if (p.column < 0)
                m_buffer += cellOpen(m_footerGapClass, p.left, p.right) + "&nbsp;</td>";
            else
                m_buffer += cellOpen(m_footerClass, p.left, p.right) + escaped(texts[size_t(p.column)]) + "</td>";
        }
        m_buffer += "</tr>\n";
    }

    const GridBandedTableView *m_view;
    const GridDataController *m_controller;
    QSaveFile m_file;
    QString m_title;
    QString m_heading;
    bool m_bodyOpen = false;
    bool m_bodyHasRecord = false;
    QByteArray m_buffer;
    std::unique_ptr<PageGeometry> m_geometry;
    StyleSheet m_styles;
    QByteArray m_indentClass;
    QByteArray m_groupClass;
    QByteArray m_footerClass;
    QByteArray m_footerGapClass;
    std::vector<std::vector<Slot>> m_recordLines;
};

bool isWithin(const GridDataController *c, int group, int ancestor)
{
    for (int g = group; g >= 0; g = c->groupParent(g)) {
        if (g == ancestor)
            return true;
    }
    return false;
}

// Opens a group and every group beneath it; the groups of a subtree follow it in order.
void expandSubtree(GridDataController *c, int group)
{
    c->setGroupExpanded(group, true);
    for (int g = group + 1; g < c->groupCount() && isWithin(c, g, group); ++g)
        c->setGroupExpanded(g, true);
}

void writeAncestors(PageWriter &writer, const GridDataController *c, int group)
{
    std::vector<int> chain;
    for (int g = group; g >= 0; g = c->groupParent(g))
        chain.push_back(g);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        writer.writeGroup(*it);
}

// A focused record after the group rows leading to it.
void writeRecordSelection(PageWriter &writer, const GridDataController *c, int row)
{
    writeAncestors(writer, c, c->rowGroup(row));
    writer.writeRow(row);
}

// A focused group row with every row beneath it but the footers, after the groups above it.
void writeGroupSelection(PageWriter &writer, const GridDataController *c, int group)
{
    const int row = c->rowOfGroup(group);
    if (row < 0)
        return;
    const int level = c->groupLevel(group);
    writeAncestors(writer, c, c->groupParent(group));
    writer.writeRow(row);
    for (int r = row + 1; r < c->rowCount(); ++r) {
        const RowKind kind = c->rowKind(r);
        if (kind == RowKind::GroupFooter) {
            if (c->rowGroup(r) == group)
                break;
            continue;
        }
        if (kind == RowKind::Group && c->groupLevel(c->rowGroup(r)) <= level)
            break;
        writer.writeRow(r);
    }
}

} // namespace

QString GridHtmlExport::outputFileName(const QString &fileName, const QString &extension)
{
    QString ext = extension;
    while (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    if (ext.isEmpty())
        return fileName;
    const QString suffix = QFileInfo(fileName).suffix();
    const QString stem = suffix.isEmpty() ? fileName : fileName.left(fileName.size() - suffix.size() - 1);
    return stem + QLatin1Char('.') + ext;
}

void GridHtmlExport::exportToFile(const QString &fileName, GridControl *grid, bool expandGroups, bool allRows,
                                  const QString &extension, const QString &heading)
{
    if (!grid || !grid->level())
        throw DataError(ComponentTexts::text(GridTexts::ExportActiveLevelMissing));
    GridBandedTableView *view = grid->view();
    if (!view)
        throw DataError(ComponentTexts::text(GridTexts::ExportGridViewMissing));
    GridDataController *c = view->controller();

    // The file first: when it cannot be made, the grid stays as it was.
    PageWriter writer(view, outputFileName(fileName, extension), heading);
    if (allRows && expandGroups)
        c->setAllGroupsExpanded(true);
    if (allRows) {
        writer.begin();
        for (int r = 0; r < c->rowCount(); ++r)
            writer.writeRow(r);
    } else {
        // The focus follows a record: take the focused group before opening it moves the focus.
        const int focused = c->focusedRow();
        const bool valid = focused >= 0 && focused < c->rowCount();
        const int group = valid && c->rowKind(focused) == RowKind::Group ? c->rowGroup(focused) : -1;
        if (expandGroups && group >= 0)
            expandSubtree(c, group);
        writer.begin();
        if (group >= 0)
            writeGroupSelection(writer, c, group);
        else if (valid && c->rowKind(focused) == RowKind::Record)
            writeRecordSelection(writer, c, focused);
    }
    writer.finish();
}
