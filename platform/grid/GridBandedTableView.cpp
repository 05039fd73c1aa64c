#include "GridBandedTableView.h"

#include "GridAccessibility.h"
#include "GridBand.h"
#include "GridColumn.h"
#include "GridFilterBox.h"
#include "GridFilterDropDown.h"
#include "GridFilterSource.h" // for the owner's destructor
#include "GridQuickCustomizationPopup.h"
#include "GridStyle.h"
#include "GridSummaryGroup.h"

#include "platform/editors/CommandGuard.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/memdata/DataError.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/GridTexts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

namespace {

constexpr int IndicatorWidth = 12;
constexpr int GroupByMargin = 8;
constexpr int ExpandButtonSize = 9;
constexpr int CaptionMargin = 3; // left of a header's caption

QColor gridLineColour() { return QColor(192, 192, 192); }

void drawRaised(QPainter &p, const QRect &r, const QPalette &pal)
{
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void drawSortArrow(QPainter &p, const QRect &r, Qt::SortOrder order, const QColor &colour)
{
    const int cx = r.right() - 8;
    const int cy = r.center().y();
    QPolygon arrow;
    if (order == Qt::AscendingOrder)
        arrow << QPoint(cx - 4, cy + 2) << QPoint(cx + 4, cy + 2) << QPoint(cx, cy - 3);
    else
        arrow << QPoint(cx - 4, cy - 2) << QPoint(cx + 4, cy - 2) << QPoint(cx, cy + 3);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(arrow);
    p.setBrush(Qt::NoBrush);
}

} // namespace

GridBandedTableView::GridBandedTableView(QWidget *parent)
    : QAbstractScrollArea(parent), m_controller(new GridDataController(this))
{
    GridAccessibility::install();
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_popup = new GridQuickCustomizationPopup(this);
    m_filterDropDown = new GridFilterDropDown(this);
    connect(m_filterDropDown, &GridFilterDropDown::picked, this, &GridBandedTableView::onFilterPicked);
    m_filterBox = new GridFilterBox(this);
    m_filterBox->hide();
    connect(m_filterBox, &GridFilterBox::removeRequested, this, &GridBandedTableView::clearFilter);
    connect(m_filterBox, &GridFilterBox::enabledToggled, this, &GridBandedTableView::setFilterEnabled);
    connect(m_filterBox, &GridFilterBox::customizeRequested, this, &GridBandedTableView::showFilterBuilder);
    connect(m_controller, &GridDataController::tableChanged, this, &GridBandedTableView::bindColumns);
    connect(m_controller, &GridDataController::rowsReset, this, &GridBandedTableView::onRowsReset);
    connect(m_controller, &GridDataController::focusedRowChanged, this, &GridBandedTableView::onFocusedRowChanged);
    connect(m_controller, &GridDataController::rowChanged, viewport(), qOverload<>(&QWidget::update));
}

GridBandedTableView::~GridBandedTableView() = default;

// --- configuration ---------------------------------------------------------------------------

void GridBandedTableView::setDataSource(DataSource *source)
{
    m_controller->setDataSource(source);
    const QStringList unknown = bindColumns(); // also when the table stays the same
    if (!unknown.isEmpty())
        throw DataError(QStringLiteral("%1: Field '%2' not found").arg(m_controller->table()->objectName(), unknown.first()));
}

DataSource *GridBandedTableView::dataSource() const
{
    return m_controller->dataSource();
}

QStringList GridBandedTableView::bindColumns()
{
    // A column bound to a field the table lacks is a mistake in the layout, never an empty column.
    QStringList unknown;
    const MemTable *table = m_controller->table();
    for (GridColumn *c : m_columns) {
        c->m_field = table ? table->findField(c->fieldName()) : nullptr;
        if (table && !c->m_field && !c->fieldName().isEmpty()) {
            qCritical("%s: column %s is bound to the unknown field %s", qPrintable(objectName()),
                      qPrintable(c->objectName()), qPrintable(c->fieldName()));
            unknown << c->fieldName();
        }
    }
    rebuildFilterSource();
    return unknown;
}

GridBand *GridBandedTableView::createBand(const QString &name)
{
    auto *band = new GridBand(this);
    band->setObjectName(name);
    m_bands.push_back(band);
    connect(band, &GridBand::changed, this, &GridBandedTableView::scheduleLayout);
    scheduleLayout();
    return band;
}

int GridBandedTableView::bandIndexOf(const GridBand *band) const
{
    const auto it = std::find(m_bands.begin(), m_bands.end(), band);
    return it == m_bands.end() ? -1 : int(it - m_bands.begin());
}

GridColumn *GridBandedTableView::createColumn(const QString &name)
{
    auto *column = new GridColumn(this);
    column->setObjectName(name);
    m_columns.push_back(column);
    connect(column, &GridColumn::changed, this, [this] {
        bindColumns();
        scheduleLayout();
    });
    scheduleLayout();
    return column;
}

GridColumn *GridBandedTableView::columnByField(const QString &fieldName) const
{
    for (GridColumn *c : m_columns) {
        if (c->fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return c;
    }
    return nullptr;
}

GridSummaryGroup *GridBandedTableView::createSummaryGroup(const QString &name)
{
    auto *group = new GridSummaryGroup(this);
    group->setObjectName(name);
    m_summaries.emplace_back(group);
    connect(group, &GridSummaryGroup::changed, viewport(), qOverload<>(&QWidget::update));
    return group;
}

void GridBandedTableView::setOptions(const GridViewOptions &options)
{
    m_options = options;
    m_controller->setGroupFooters(GridDataController::GroupFooters(int(options.groupFooters)));
    scheduleLayout();
}

void GridBandedTableView::setHeaderStyle(GridStyle *style)
{
    m_headerStyle = style;
    scheduleLayout();
}

void GridBandedTableView::setIndicatorStyle(GridStyle *style)
{
    m_indicatorStyle = style;
    scheduleLayout();
}

void GridBandedTableView::setFooterStyle(GridStyle *style)
{
    m_footerStyle = style;
    scheduleLayout();
}

void GridBandedTableView::setContentStyle(GridStyle *style)
{
    m_contentStyle = style;
    scheduleLayout();
}

GridStyle *GridBandedTableView::headerStyleOf(const GridColumn *column) const
{
    return column->headerStyle() ? column->headerStyle() : m_headerStyle.data();
}

GridStyle *GridBandedTableView::contentStyleOf(const GridColumn *column) const
{
    return column->contentStyle() ? column->contentStyle() : m_contentStyle.data();
}

// --- grouping and sorting --------------------------------------------------------------------

void GridBandedTableView::groupByColumn(GridColumn *column, int level)
{
    if (column->field())
        m_controller->groupBy(column->field(), level);
}

void GridBandedTableView::ungroupColumn(GridColumn *column)
{
    if (column->field())
        m_controller->ungroup(column->field());
}

int GridBandedTableView::groupLevelOf(const GridColumn *column) const
{
    return column->field() ? m_controller->groupLevelOf(column->field()) : -1;
}

GridColumn *GridBandedTableView::groupedColumn(int level) const
{
    const MemField *field = m_controller->groupKeys()[size_t(level)].field;
    for (GridColumn *c : m_columns) {
        if (c->field() == field)
            return c;
    }
    return nullptr;
}

void GridBandedTableView::sortByColumn(GridColumn *column, Qt::KeyboardModifiers modifiers)
{
    if (!column->field() || !m_options.sorting)
        return;
    GridDataController::SortChange change = GridDataController::SortChange::Replace;
    if (modifiers & Qt::ControlModifier)
        change = GridDataController::SortChange::Remove;
    else if (modifiers & Qt::ShiftModifier)
        change = GridDataController::SortChange::Add;
    m_controller->changeSort(column->field(), change);
}

// --- layout ----------------------------------------------------------------------------------

void GridBandedTableView::scheduleLayout()
{
    m_layoutDirty = true;
    updateScrollBars();
    viewport()->update();
    emit layoutChanged();
}

const GridLayout &GridBandedTableView::gridLayout() const
{
    relayout();
    return m_layout;
}

void GridBandedTableView::relayout() const
{
    if (!m_layoutDirty) {
        m_layout.setViewportSize(viewport()->size());
        return;
    }
    m_layoutDirty = false;
    std::vector<GridLayout::Band> bands;
    for (const GridBand *b : m_bands)
        bands.push_back(GridLayout::Band{b->width(), b->fixed() == GridBand::Fixed::Left, b->isVisible()});
    std::vector<GridLayout::Column> columns;
    const QFontMetrics base(font());
    int lineHeight = base.height();
    int headerHeight = base.height();
    for (const GridColumn *c : m_columns) {
        const bool shown = c->isVisible() && c->bandIndex() < int(m_bands.size()) && groupLevelOf(c) < 0;
        columns.push_back(GridLayout::Column{std::min(c->bandIndex(), std::max(int(m_bands.size()) - 1, 0)),
                                             c->lineIndex(), c->place(), c->width(), shown && !m_bands.empty()});
        const GridStyle *cs = contentStyleOf(c);
        if (cs && cs->hasFont())
            lineHeight = std::max(lineHeight, QFontMetrics(cs->font()).height());
        const GridStyle *hs = headerStyleOf(c);
        if (hs && hs->hasFont())
            headerHeight = std::max(headerHeight, QFontMetrics(hs->font()).height());
    }
    const int footerFont = m_footerStyle && m_footerStyle->hasFont() ? QFontMetrics(m_footerStyle->font()).height()
                                                                      : base.height();
    GridLayout::Metrics m;
    m.indicatorWidth = m_options.indicator ? IndicatorWidth : 0;
    m.groupIndent = 16;
    m.recordLineHeight = lineHeight + 3;
    m.headerLineHeight = m_options.columnHeaders ? headerHeight + 4 : 0;
    m.bandHeaderHeight = m_options.bandHeaders ? base.height() + 6 : 0;
    const int levels = int(m_controller->groupKeys().size());
    const int item = headerHeight + 4;
    m.groupByBoxHeight = !m_options.groupByBox ? 0
                       : levels == 0       ? item + 2 * GroupByMargin
                                           : 2 * GroupByMargin + (levels - 1) * (item / 2) + item;
    m.groupRowHeight = base.height() + 8;
    m.footerHeight = footerFont + 8;
    m_layout.setMetrics(m);
    m_layout.setBands(std::move(bands));
    m_layout.setColumns(std::move(columns));
    m_layout.setGroupLevels(levels);
    m_layout.setViewportSize(viewport()->size());
}

int GridBandedTableView::rowHeight(int row) const
{
    switch (m_controller->rowKind(row)) {
    case GridDataController::RowKind::Record: return m_layout.recordHeight();
    case GridDataController::RowKind::Group: return m_layout.metrics().groupRowHeight;
    case GridDataController::RowKind::GroupFooter: return m_layout.metrics().footerHeight;
    }
    return m_layout.recordHeight();
}

std::vector<GridLayout::RowGeometry> GridBandedTableView::rowsOnScreen() const
{
    relayout();
    return m_layout.rowsOnScreen(m_topRow, m_controller->rowCount(), [this](int r) { return rowHeight(r); });
}

int GridBandedTableView::visibleRowCount() const
{
    // Rows that fit whole from the top row down.
    relayout();
    int count = 0;
    int y = m_layout.rowsTop();
    for (const GridLayout::RowGeometry &g : rowsOnScreen()) {
        y += g.height;
        if (y > viewport()->height())
            break;
        ++count;
    }
    return std::max(count, 1);
}

void GridBandedTableView::updateScrollBars()
{
    relayout();
    const int rows = m_controller->rowCount();
    const int area = m_layout.rowsRect().height();
    // The last top row from which the final rows fill the screen.
    int maxTop = rows;
    int used = 0;
    while (maxTop > 0) {
        const int h = rowHeight(maxTop - 1);
        if (used + h > area)
            break;
        used += h;
        --maxTop;
    }
    if (maxTop == rows && rows > 0)
        maxTop = rows - 1;
    verticalScrollBar()->setRange(0, std::max(0, maxTop));
    verticalScrollBar()->setPageStep(std::max(1, visibleRowCount()));
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, m_layout.maxHorizontalOffset());
    horizontalScrollBar()->setPageStep(std::max(1, viewport()->width() - m_layout.fixedRight()));
    horizontalScrollBar()->setSingleStep(20);
    m_topRow = std::clamp(m_topRow, 0, std::max(0, maxTop));
}

void GridBandedTableView::setTopRow(int row)
{
    verticalScrollBar()->setValue(row);
    m_topRow = verticalScrollBar()->value();
    viewport()->update();
}

void GridBandedTableView::scrollContentsBy(int, int)
{
    m_topRow = verticalScrollBar()->value();
    relayout();
    m_layout.setHorizontalOffset(horizontalScrollBar()->value());
    viewport()->update();
}

void GridBandedTableView::makeRowVisible(int row)
{
    if (row < 0)
        return;
    relayout();
    if (row < m_topRow) {
        setTopRow(row);
        return;
    }
    const int area = m_layout.rowsRect().height();
    int used = 0;
    for (int r = m_topRow; r <= row; ++r) {
        used += rowHeight(r);
        if (used > area)
            break;
    }
    if (used <= area)
        return;
    // Put the row at the bottom of the screen.
    int top = row;
    used = rowHeight(row);
    while (top > 0 && used + rowHeight(top - 1) <= area) {
        --top;
        used += rowHeight(top);
    }
    setTopRow(top);
}

void GridBandedTableView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    placeFilterBox();
    relayout();
    updateScrollBars();
}

void GridBandedTableView::onRowsReset()
{
    m_layoutDirty = true; // the grouping may have changed the indent and the box
    updateScrollBars();
    makeRowVisible(m_controller->focusedRow());
    viewport()->update();
    GridAccessibility::rowsReset(this);
}

void GridBandedTableView::onFocusedRowChanged(int row)
{
    makeRowVisible(row);
    viewport()->update();
    GridAccessibility::focusChanged(this);
}

// --- texts -----------------------------------------------------------------------------------

QString GridBandedTableView::cellText(int row, const GridColumn *column) const
{
    const quint32 id = m_controller->rowRecordId(row);
    if (!column->field() || !m_controller->table())
        return QString();
    return m_controller->table()->text(id, column->field());
}

QString GridBandedTableView::headerCaptionOf(int column) const
{
    return m_columns[size_t(column)]->displayCaption();
}

QString GridBandedTableView::groupRowText(int group) const
{
    const GridColumn *column = groupedColumn(m_controller->groupLevel(group));
    const QString caption = column ? column->displayCaption() : m_controller->groupField(group)->fieldName();
    return caption + QStringLiteral(" : ") + m_controller->groupValueText(group);
}

const GridColumn *GridBandedTableView::footerColumnOf(const GridColumn *column) const
{
    const auto shown = [this](const GridColumn *c) {
        return c->isVisible() && c->bandIndex() < bandCount() && groupLevelOf(c) < 0;
    };
    if (!column || shown(column))
        return column;
    // Its column left the rows (grouped by it, or hidden): the figure goes to the cell that now
    // stands first in the band, top line first, so the user still sees it.
    const GridColumn *first = nullptr;
    for (const GridColumn *c : m_columns) {
        if (c->bandIndex() != column->bandIndex() || !shown(c))
            continue;
        if (!first || std::pair(c->lineIndex(), c->place()) < std::pair(first->lineIndex(), first->place()))
            first = c;
    }
    return first;
}

QString GridBandedTableView::footerText(int group, const GridColumn *column) const
{
    const GridColumn *grouped = groupedColumn(m_controller->groupLevel(group));
    for (const QPointer<GridSummaryGroup> &summary : m_summaries) {
        if (!summary || !summary->isLinked(grouped))
            continue;
        for (const GridSummaryItem &item : summary->items()) {
            if (footerColumnOf(item.column) == column)
                return GridSummaryItem::formatNumber(m_controller->groupRecordCount(group), item.format);
        }
    }
    return QString();
}

// --- painting --------------------------------------------------------------------------------

bool GridBandedTableView::showsSelection() const
{
    return !m_options.hideSelection || hasFocus();
}

void GridBandedTableView::paintEvent(QPaintEvent *)
{
    relayout();
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    paintRows(p);
    paintHeaders(p);
    paintGroupByBox(p);
    paintDrag(p);
}

void GridBandedTableView::paintRows(QPainter &p) const
{
    const QRect area = m_layout.rowsRect();
    p.save();
    p.setClipRect(area);
    if (m_controller->rowCount() == 0) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(area.adjusted(0, 8, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                   ComponentTexts::text(GridTexts::NoDataToDisplay));
    }
    for (const GridLayout::RowGeometry &g : rowsOnScreen()) {
        switch (m_controller->rowKind(g.row)) {
        case GridDataController::RowKind::Record: paintRecord(p, g.row, g.top, g.height); break;
        case GridDataController::RowKind::Group: paintGroupRow(p, g.row, g.top, g.height); break;
        case GridDataController::RowKind::GroupFooter: paintFooter(p, g.row, g.top, g.height); break;
        }
        paintIndicator(p, g.row, g.top, g.height);
    }
    p.restore();
}

void GridBandedTableView::paintRecord(QPainter &p, int row, int top, int height) const
{
    const bool focused = row == m_controller->focusedRow() && showsSelection();
    const QRect rowsArea = m_layout.rowsRect();
    // Scrolling bands first, clipped beside the fixed ones, then the fixed bands over them.
    for (int pass = 0; pass < 2; ++pass) {
        const bool fixedPass = pass == 1;
        p.save();
        p.setClipRect(fixedPass ? rowsArea : (m_layout.scrollingClip() & rowsArea));
        for (int c = 0; c < columnCount(); ++c) {
            const GridColumn *column = m_columns[size_t(c)];
            const QRect cell = m_layout.cellRect(c, top);
            if (cell.isEmpty() || m_layout.isFixedBand(std::min(column->bandIndex(), m_layout.bandCount() - 1)) != fixedPass)
                continue;
            if (cell.right() < 0 || cell.left() > viewport()->width())
                continue;
            const GridStyle *style = contentStyleOf(column);
            QColor back = style && style->background().isValid() ? style->background() : palette().color(QPalette::Base);
            QColor fore = style && style->textColor().isValid() ? style->textColor() : palette().color(QPalette::Text);
            if (focused) {
                back = palette().color(QPalette::Highlight);
                fore = palette().color(QPalette::HighlightedText);
            }
            p.fillRect(cell, back);
            p.setPen(gridLineColour());
            p.drawLine(cell.topRight(), cell.bottomRight());
            p.drawLine(cell.bottomLeft(), cell.bottomRight());
            p.setFont(style && style->hasFont() ? style->font() : font());
            p.setPen(fore);
            p.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       cellText(row, column));
        }
        p.restore();
    }
    Q_UNUSED(height)
}

QRect GridBandedTableView::groupExpandButtonRect(int row) const
{
    relayout();
    for (const GridLayout::RowGeometry &g : rowsOnScreen()) {
        if (g.row != row)
            continue;
        const QRect r = m_layout.groupRowRect(m_controller->rowLevel(row), g.top);
        return QRect(r.left() + 4, r.center().y() - ExpandButtonSize / 2, ExpandButtonSize, ExpandButtonSize);
    }
    return {};
}

void GridBandedTableView::paintGroupRow(QPainter &p, int row, int top, int height) const
{
    const int group = m_controller->rowGroup(row);
    const QRect r = m_layout.groupRowRect(m_controller->rowLevel(row), top);
    const bool focused = row == m_controller->focusedRow() && showsSelection();
    p.fillRect(QRect(m_layout.metrics().indicatorWidth, top, viewport()->width(), height), palette().color(QPalette::Base));
    p.fillRect(r, focused ? palette().color(QPalette::Highlight) : palette().color(QPalette::Button));
    p.setPen(gridLineColour());
    p.drawLine(r.bottomLeft(), r.bottomRight());
    const QRect box(r.left() + 4, r.center().y() - ExpandButtonSize / 2, ExpandButtonSize - 1, ExpandButtonSize - 1);
    p.fillRect(box, palette().color(QPalette::Base));
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(box);
    p.setPen(palette().color(QPalette::Text));
    const QPoint c = box.center();
    p.drawLine(c.x() - 2, c.y(), c.x() + 2, c.y());
    if (!m_controller->isGroupExpanded(group))
        p.drawLine(c.x(), c.y() - 2, c.x(), c.y() + 2);
    p.setFont(font());
    p.setPen(focused ? palette().color(QPalette::HighlightedText) : palette().color(QPalette::ButtonText));
    p.drawText(r.adjusted(ExpandButtonSize + 10, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               groupRowText(group));
}

void GridBandedTableView::paintFooter(QPainter &p, int row, int top, int height) const
{
    const int group = m_controller->rowGroup(row);
    const int level = m_controller->rowLevel(row);
    const QRect r = m_layout.footerRowRect(level, top);
    p.fillRect(QRect(m_layout.metrics().indicatorWidth, top, viewport()->width(), height), palette().color(QPalette::Base));
    const GridStyle *style = m_footerStyle;
    p.fillRect(r, palette().color(QPalette::Button));
    drawRaised(p, r, palette());
    for (int c = 0; c < columnCount(); ++c) {
        const QString text = footerText(group, m_columns[size_t(c)]);
        const QRect cell = m_layout.footerCellRect(c, level, top);
        if (text.isNull() || cell.isEmpty())
            continue;
        p.fillRect(cell, style && style->background().isValid() ? style->background() : palette().color(QPalette::Light));
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.setFont(style && style->hasFont() ? style->font() : font());
        p.setPen(style && style->textColor().isValid() ? style->textColor() : palette().color(QPalette::Text));
        p.drawText(cell.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

void GridBandedTableView::paintIndicator(QPainter &p, int row, int top, int height) const
{
    const QRect r = m_layout.indicatorRect(top, height);
    if (r.isEmpty())
        return;
    const GridStyle *style = m_indicatorStyle;
    p.fillRect(r, style && style->background().isValid() ? style->background() : palette().color(QPalette::Button));
    drawRaised(p, r, palette());
    if (row == m_controller->focusedRow()) {
        const QPoint c = r.center();
        QPolygon arrow;
        arrow << QPoint(c.x() - 2, c.y() - 4) << QPoint(c.x() + 2, c.y()) << QPoint(c.x() - 2, c.y() + 4);
        p.setPen(Qt::NoPen);
        p.setBrush(style && style->textColor().isValid() ? style->textColor() : palette().color(QPalette::WindowText));
        p.drawPolygon(arrow);
        p.setBrush(Qt::NoBrush);
    }
}

void GridBandedTableView::paintHeaders(QPainter &p) const
{
    const int top = m_layout.headerTop();
    const QRect area(0, top, viewport()->width(), m_layout.rowsTop() - top);
    if (area.height() <= 0)
        return;
    p.fillRect(area, palette().color(QPalette::Button));
    for (int pass = 0; pass < 2; ++pass) {
        const bool fixedPass = pass == 1;
        p.save();
        p.setClipRect(fixedPass ? area : (m_layout.scrollingClip() & area));
        for (int b = 0; b < m_layout.bandCount(); ++b) {
            const QRect r = m_layout.bandHeaderRect(b);
            if (r.isEmpty() || m_layout.isFixedBand(b) != fixedPass)
                continue;
            p.fillRect(r, palette().color(QPalette::Button));
            drawRaised(p, r, palette());
            p.setFont(font());
            p.setPen(palette().color(QPalette::ButtonText));
            p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignCenter | Qt::TextSingleLine, m_bands[size_t(b)]->caption());
        }
        for (int c = 0; c < columnCount(); ++c) {
            const int band = std::min(m_columns[size_t(c)]->bandIndex(), m_layout.bandCount() - 1);
            if (band >= 0 && m_layout.isFixedBand(band) == fixedPass)
                paintColumnHeader(p, c);
        }
        p.restore();
    }
    const QRect indicator = m_layout.indicatorHeaderRect();
    if (!indicator.isEmpty()) {
        const GridStyle *style = m_indicatorStyle;
        p.fillRect(indicator, style && style->background().isValid() ? style->background() : palette().color(QPalette::Button));
        drawRaised(p, indicator, palette());
        if (m_options.columnsQuickCustomization) {
            const QRect button = quickCustomizationButtonRect();
            drawRaised(p, button, palette());
            const QPoint c = button.center();
            QPolygon arrow;
            arrow << QPoint(c.x() - 3, c.y() - 1) << QPoint(c.x() + 3, c.y() - 1) << QPoint(c.x(), c.y() + 2);
            p.setPen(Qt::NoPen);
            p.setBrush(palette().color(QPalette::ButtonText));
            p.drawPolygon(arrow);
            p.setBrush(Qt::NoBrush);
        }
    }
}

void GridBandedTableView::paintColumnHeader(QPainter &p, int column) const
{
    const QRect r = m_layout.columnHeaderRect(column);
    if (r.isEmpty())
        return;
    const GridColumn *c = m_columns[size_t(column)];
    const GridStyle *style = headerStyleOf(c);
    p.fillRect(r, style && style->background().isValid() ? style->background() : palette().color(QPalette::Button));
    drawRaised(p, r, palette());
    p.setFont(style && style->hasFont() ? style->font() : font());
    const QColor fore = style && style->textColor().isValid() ? style->textColor() : palette().color(QPalette::ButtonText);
    p.setPen(fore);
    const bool sorted = c->field() && m_controller->sortIndexOf(c->field()) >= 0;
    const QRect button = filterButtonRect(column);
    const int buttonSpace = button.isEmpty() ? 3 : r.right() - button.left() + 2;
    // The caption is laid out left of the button; only where it cannot fit does the button cover it.
    p.drawText(r.adjusted(CaptionMargin, 1, -buttonSpace - (sorted ? 13 : 0), -1),
               Qt::AlignLeft | c->headerVerticalAlignment() | Qt::TextSingleLine, c->displayCaption());
    if (sorted)
        drawSortArrow(p, r.adjusted(0, 0, -buttonSpace, 0), m_controller->sortOrderOf(c->field()), fore);
    if (!button.isEmpty()) {
        const bool active = isColumnFiltered(c);
        if (active) {
            p.fillRect(button, palette().color(QPalette::Highlight));
            p.setPen(palette().color(QPalette::Shadow));
            p.drawRect(button.adjusted(0, 0, -1, -1));
        } else {
            drawRaised(p, button, palette());
        }
        const QPoint m = button.center();
        QPolygon arrow;
        arrow << QPoint(m.x() - 3, m.y() - 1) << QPoint(m.x() + 3, m.y() - 1) << QPoint(m.x(), m.y() + 2);
        p.setPen(Qt::NoPen);
        p.setBrush(active ? palette().color(QPalette::HighlightedText) : palette().color(QPalette::ButtonText));
        p.drawPolygon(arrow);
        p.setBrush(Qt::NoBrush);
    }
}

QRect GridBandedTableView::filterButtonRect(int column) const
{
    relayout();
    const QRect r = m_layout.columnHeaderRect(column);
    const GridColumn *c = m_columns[size_t(column)];
    if (r.isEmpty() || !c->field())
        return {};
    // Every header has one, the narrow ones too. Clear of the sizing edge, so the two never
    // compete for a press, unless only a place nearer the edge leaves the caption room beside it.
    const int size = std::max(std::min({r.height() - 4, 14, r.width() - 2}), 0);
    const GridStyle *style = headerStyleOf(c);
    const int caption = QFontMetrics(style && style->hasFont() ? style->font() : font()).horizontalAdvance(c->displayCaption());
    int margin = 4;
    if (r.width() - CaptionMargin - caption - 1 - size - margin < 0)
        margin = 1;
    margin = std::min(margin, std::max(r.width() - size, 0));
    return QRect(r.right() - margin - size + 1, r.center().y() - size / 2, size, size);
}

QRect GridBandedTableView::quickCustomizationButtonRect() const
{
    relayout();
    const QRect indicator = m_layout.indicatorHeaderRect();
    if (indicator.isEmpty() || !m_options.columnsQuickCustomization)
        return {};
    return QRect(indicator.left() + 1, indicator.top() + 1, indicator.width() - 2, std::min(indicator.height() - 2, 16));
}

int GridBandedTableView::groupByItemWidth(int level) const
{
    const GridColumn *column = groupedColumn(level);
    const GridStyle *style = column ? headerStyleOf(column) : nullptr;
    const QFontMetrics fm(style && style->hasFont() ? style->font() : font());
    return fm.horizontalAdvance(column ? column->displayCaption() : QString()) + 28;
}

QRect GridBandedTableView::groupByItemRect(int level) const
{
    relayout();
    const int height = m_layout.metrics().headerLineHeight;
    int x = GroupByMargin;
    for (int l = 0; l < level; ++l)
        x += groupByItemWidth(l) + GroupByMargin;
    return QRect(x, GroupByMargin + level * (height / 2), groupByItemWidth(level), height);
}

void GridBandedTableView::paintGroupByBox(QPainter &p) const
{
    const QRect box = m_layout.groupByBoxRect();
    if (box.height() <= 0)
        return;
    p.fillRect(box, palette().color(QPalette::Dark));
    const int levels = int(m_controller->groupKeys().size());
    if (levels == 0) {
        p.setFont(font());
        p.setPen(palette().color(QPalette::Light));
        p.drawText(box.adjusted(GroupByMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   ComponentTexts::text(GridTexts::GroupByBoxHint));
        return;
    }
    for (int l = 0; l < levels; ++l) {
        const QRect r = groupByItemRect(l);
        const GridColumn *column = groupedColumn(l);
        const GridStyle *style = column ? headerStyleOf(column) : nullptr;
        if (l > 0) {
            const QRect prev = groupByItemRect(l - 1);
            p.setPen(palette().color(QPalette::Shadow));
            p.drawLine(prev.left() + 8, prev.bottom(), prev.left() + 8, r.center().y());
            p.drawLine(prev.left() + 8, r.center().y(), r.left(), r.center().y());
        }
        p.fillRect(r, style && style->background().isValid() ? style->background() : palette().color(QPalette::Button));
        drawRaised(p, r, palette());
        p.setFont(style && style->hasFont() ? style->font() : font());
        const QColor fore = style && style->textColor().isValid() ? style->textColor() : palette().color(QPalette::ButtonText);
        p.setPen(fore);
        p.drawText(r.adjusted(4, 0, -16, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   column ? column->displayCaption() : QString());
        drawSortArrow(p, r, m_controller->groupKeys()[size_t(l)].order, fore);
    }
}

void GridBandedTableView::paintDrag(QPainter &p) const
{
    if (!m_drag.dragging)
        return;
    QString caption;
    if (m_drag.kind == Press::ColumnHeader)
        caption = headerCaptionOf(m_drag.index);
    else if (m_drag.kind == Press::GroupItem)
        caption = groupedColumn(m_drag.index) ? groupedColumn(m_drag.index)->displayCaption() : QString();
    else if (m_drag.kind == Press::BandHeader)
        caption = m_bands[size_t(m_drag.index)]->caption();
    const QFontMetrics fm(font());
    const QRect r(m_drag.pos - QPoint(10, 8), QSize(std::min(fm.horizontalAdvance(caption) + 12, 300), fm.height() + 6));
    p.setOpacity(0.75);
    p.fillRect(r, palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Shadow));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::ButtonText));
    p.setFont(font());
    p.drawText(r.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
    p.setOpacity(1.0);
}

// --- keyboard --------------------------------------------------------------------------------

void GridBandedTableView::moveFocus(int row)
{
    if (m_controller->rowCount() == 0)
        return;
    m_controller->setFocusedRow(std::clamp(row, 0, m_controller->rowCount() - 1));
    makeRowVisible(m_controller->focusedRow());
    viewport()->update();
}

void GridBandedTableView::deleteFocused()
{
    const int row = m_controller->focusedRow();
    if (row < 0 || m_controller->rowKind(row) != GridDataController::RowKind::Record || !m_controller->table())
        return;
    if (m_options.deletingConfirmation) {
        if (!MessageBoxes::confirm(ComponentTexts::text(GridTexts::DeleteRecord),
                                   ComponentTexts::text(GridTexts::DeleteConfirmationCaption), this))
            return;
    }
    m_controller->setFocusedRow(row); // the cursor is on it already; make sure of it
    m_controller->table()->remove();
}

void GridBandedTableView::toggleGroup(int row, int expand)
{
    if (row < 0 || m_controller->rowKind(row) != GridDataController::RowKind::Group)
        return;
    const int group = m_controller->rowGroup(row);
    const bool open = expand < 0 ? !m_controller->isGroupExpanded(group) : expand == 1;
    m_controller->setGroupExpanded(group, open);
    const int newRow = m_controller->rowOfGroup(group);
    if (newRow >= 0)
        m_controller->setFocusedRow(newRow);
}

void GridBandedTableView::keyPressEvent(QKeyEvent *event)
{
    const int row = m_controller->focusedRow();
    const int last = m_controller->rowCount() - 1;
    const bool onGroup = row >= 0 && m_controller->rowKind(row) == GridDataController::RowKind::Group;
    const int page = visibleRowCount();
    switch (event->key()) {
    case Qt::Key_Up: moveFocus(row - 1); break;
    case Qt::Key_Down: moveFocus(row + 1); break;
    case Qt::Key_PageUp: moveFocus(row - page); break;
    case Qt::Key_PageDown: moveFocus(row + page); break;
    case Qt::Key_Home: moveFocus(0); break;
    case Qt::Key_End: moveFocus(last); break;
    case Qt::Key_Plus:
        if (onGroup)
            toggleGroup(row, 1);
        break;
    case Qt::Key_Minus:
        if (onGroup)
            toggleGroup(row, 0);
        break;
    case Qt::Key_Right:
        if (onGroup)
            toggleGroup(row, 1);
        else
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Left:
        if (onGroup && m_controller->isGroupExpanded(m_controller->rowGroup(row))) {
            toggleGroup(row, 0);
        } else if (row >= 0 && m_controller->groupCount() > 0) {
            // To the group this row belongs to.
            const int group = onGroup ? m_controller->groupParent(m_controller->rowGroup(row)) : m_controller->rowGroup(row);
            if (group >= 0)
                moveFocus(m_controller->rowOfGroup(group));
        } else {
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        }
        break;
    case Qt::Key_Delete:
        if (m_options.deleting)
            CommandGuard::run([this] { deleteFocused(); });
        break;
    case Qt::Key_Insert:
        if (m_options.inserting && m_controller->table() && m_controller->table()->isActive())
            CommandGuard::run([this] { m_controller->table()->append(); });
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void GridBandedTableView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    GridAccessibility::focusChanged(this);
}

void GridBandedTableView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

// --- mouse -----------------------------------------------------------------------------------

int GridBandedTableView::groupLevelAt(QPoint pos) const
{
    const int levels = int(m_controller->groupKeys().size());
    int level = 0;
    while (level < levels && groupByItemRect(level).center().x() < pos.x())
        ++level;
    return level;
}

void GridBandedTableView::showQuickCustomization()
{
    const QRect button = quickCustomizationButtonRect();
    m_popup->popup(viewport()->mapToGlobal(button.bottomLeft() + QPoint(0, 1)),
                   QRect(viewport()->mapToGlobal(button.topLeft()), button.size()));
}

bool GridBandedTableView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const QPoint pos = static_cast<QHelpEvent *>(event)->pos();
        if (quickCustomizationButtonRect().contains(pos)) {
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(),
                               ComponentTexts::text(GridTexts::QuickColumnCustomizationHint), viewport());
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void GridBandedTableView::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    relayout();
    const QPoint pos = event->position().toPoint();
    m_drag = Drag();
    m_drag.start = m_drag.pos = pos;
    m_drag.modifiers = event->modifiers();

    if (m_layout.groupByBoxRect().contains(pos)) {
        for (int l = 0; l < int(m_controller->groupKeys().size()); ++l) {
            if (groupByItemRect(l).contains(pos)) {
                m_drag.kind = Press::GroupItem;
                m_drag.index = l;
            }
        }
        return;
    }
    if (quickCustomizationButtonRect().contains(pos)) {
        showQuickCustomization();
        return;
    }
    if (pos.y() < m_layout.rowsTop()) {
        int hit = m_options.columnSizing ? m_layout.columnEdgeAt(pos) : -1;
        if (hit >= 0) {
            m_drag.kind = Press::ColumnEdge;
            m_drag.index = hit;
            m_drag.startWidth = m_layout.columnPixelWidth(hit);
            m_drag.lineWidths.assign(m_columns.size(), -1);
            const GridColumn *sized = m_columns[size_t(hit)];
            for (int c = 0; c < columnCount(); ++c) {
                const GridColumn *other = m_columns[size_t(c)];
                if (!m_layout.columnHeaderRect(c).isEmpty() && other->bandIndex() == sized->bandIndex()
                    && other->lineIndex() == sized->lineIndex())
                    m_drag.lineWidths[size_t(c)] = m_layout.columnPixelWidth(c);
            }
            return;
        }
        hit = m_options.bandSizing ? m_layout.bandEdgeAt(pos) : -1;
        if (hit >= 0) {
            m_drag.kind = Press::BandEdge;
            m_drag.index = hit;
            m_drag.startWidth = m_bands[size_t(hit)]->width();
            return;
        }
        hit = m_layout.columnHeaderAt(pos);
        if (hit >= 0 && filterButtonRect(hit).contains(pos)) {
            showFilterDropDown(hit);
            return;
        }
        if (hit >= 0) {
            m_drag.kind = Press::ColumnHeader;
            m_drag.index = hit;
            return;
        }
        hit = m_layout.bandHeaderAt(pos);
        if (hit >= 0) {
            m_drag.kind = Press::BandHeader;
            m_drag.index = hit;
        }
        return;
    }
    for (const GridLayout::RowGeometry &g : rowsOnScreen()) {
        if (pos.y() < g.top || pos.y() >= g.top + g.height)
            continue;
        switch (m_controller->rowKind(g.row)) {
        case GridDataController::RowKind::Group:
            if (groupExpandButtonRect(g.row).adjusted(-2, -2, 2, 2).contains(pos)) {
                toggleGroup(g.row, -1);
                return;
            }
            moveFocus(g.row);
            return;
        case GridDataController::RowKind::Record:
            moveFocus(g.row);
            return;
        case GridDataController::RowKind::GroupFooter:
            return;
        }
    }
}

void GridBandedTableView::updateCursorShape(QPoint pos)
{
    relayout();
    const bool edge = pos.y() < m_layout.rowsTop() && pos.y() >= m_layout.headerTop()
                   && ((m_options.columnSizing && m_layout.columnEdgeAt(pos) >= 0)
                       || (m_options.bandSizing && m_layout.bandEdgeAt(pos) >= 0));
    viewport()->setCursor(edge ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void GridBandedTableView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_drag.kind == Press::None) {
        updateCursorShape(pos);
        return;
    }
    m_drag.pos = pos;
    const int dx = pos.x() - m_drag.start.x();
    switch (m_drag.kind) {
    case Press::ColumnEdge: resizeColumn(m_drag.startWidth + dx); return;
    case Press::BandEdge: resizeBand(m_drag.startWidth + dx); return;
    case Press::ColumnHeader:
    case Press::BandHeader:
    case Press::GroupItem:
        if (!m_drag.dragging && (pos - m_drag.start).manhattanLength() >= QApplication::startDragDistance())
            m_drag.dragging = true;
        viewport()->update();
        return;
    case Press::None: return;
    }
}

void GridBandedTableView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Drag drag = m_drag;
    m_drag = Drag();
    const QPoint pos = event->position().toPoint();
    relayout();
    if (drag.dragging) {
        if (drag.kind == Press::ColumnHeader) {
            dropColumn(drag.index, pos);
        } else if (drag.kind == Press::BandHeader) {
            dropBand(drag.index, pos);
        } else if (drag.kind == Press::GroupItem) {
            GridColumn *column = groupedColumn(drag.index);
            if (column) {
                // Dragged within the box it changes level; anywhere else it leaves the grouping.
                if (m_layout.groupByBoxRect().contains(pos)) {
                    groupByColumn(column, groupLevelAt(pos));
                } else {
                    ungroupColumn(column);
                    if (pos.y() >= m_layout.headerTop() && pos.y() < m_layout.rowsTop())
                        dropColumn(int(std::find(m_columns.begin(), m_columns.end(), column) - m_columns.begin()), pos);
                }
            }
        }
    } else if (drag.kind == Press::ColumnHeader) {
        sortByColumn(m_columns[size_t(drag.index)], drag.modifiers);
    } else if (drag.kind == Press::GroupItem) {
        if (GridColumn *column = groupedColumn(drag.index))
            m_controller->changeSort(column->field(), GridDataController::SortChange::Replace);
    }
    viewport()->update();
}

void GridBandedTableView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Double clicks open nothing; on a group row they open or close it.
    relayout();
    const QPoint pos = event->position().toPoint();
    for (const GridLayout::RowGeometry &g : rowsOnScreen()) {
        if (pos.y() >= g.top && pos.y() < g.top + g.height
            && m_controller->rowKind(g.row) == GridDataController::RowKind::Group
            && !groupExpandButtonRect(g.row).adjusted(-2, -2, 2, 2).contains(pos))
            toggleGroup(g.row, -1);
    }
}

// --- moving and sizing -----------------------------------------------------------------------

void GridBandedTableView::dropColumn(int column, QPoint pos)
{
    GridColumn *moved = m_columns[size_t(column)];
    if (m_layout.groupByBoxRect().contains(pos)) {
        if (m_options.grouping)
            groupByColumn(moved, groupLevelAt(pos));
        return;
    }
    const int linesTop = m_layout.headerTop() + m_layout.metrics().bandHeaderHeight;
    if (!m_options.columnMoving || pos.y() < linesTop || pos.y() >= m_layout.rowsTop())
        return;
    const int line = std::clamp((pos.y() - linesTop) / std::max(1, m_layout.metrics().headerLineHeight), 0,
                                m_layout.lineCount() - 1);
    int band = -1;
    for (int b = 0; b < m_layout.bandCount() && band < 0; ++b) {
        const QRect r = m_layout.bandRect(b, linesTop, 1);
        if (!r.isEmpty() && pos.x() >= r.left() && pos.x() <= r.right()
            && (m_layout.isFixedBand(b) || pos.x() >= m_layout.fixedRight()))
            band = b;
    }
    if (band < 0)
        return;
    // Before the first column of the line whose middle is right of the drop.
    int place = -1;
    int best = INT_MAX;
    for (int c = 0; c < columnCount(); ++c) {
        const GridColumn *other = m_columns[size_t(c)];
        const QRect r = m_layout.columnHeaderRect(c);
        if (c == column || r.isEmpty() || other->bandIndex() != band || other->lineIndex() != line)
            continue;
        if (r.center().x() > pos.x() && r.left() < best) {
            best = r.left();
            place = other->place();
        }
    }
    moveColumn(column, band, line, place);
}

void GridBandedTableView::moveColumn(int column, int band, int line, int place)
{
    GridColumn *moved = m_columns[size_t(column)];
    const auto lineOf = [this, moved](int b, int l) {
        std::vector<GridColumn *> cols;
        for (GridColumn *c : m_columns) {
            if (c != moved && c->bandIndex() == b && c->lineIndex() == l)
                cols.push_back(c);
        }
        std::stable_sort(cols.begin(), cols.end(), [](const GridColumn *x, const GridColumn *y) { return x->place() < y->place(); });
        return cols;
    };
    const int oldBand = moved->bandIndex();
    const int oldLine = moved->lineIndex();
    std::vector<GridColumn *> target = lineOf(band, line);
    auto at = place < 0 ? target.end()
                        : std::find_if(target.begin(), target.end(), [place](const GridColumn *c) { return c->place() >= place; });
    target.insert(at, moved);
    for (size_t i = 0; i < target.size(); ++i)
        target[i]->setPosition(band, line, int(i));
    if (oldBand != band || oldLine != line) {
        const std::vector<GridColumn *> source = lineOf(oldBand, oldLine);
        for (size_t i = 0; i < source.size(); ++i)
            source[i]->setPlace(int(i));
    }
}

void GridBandedTableView::dropBand(int band, QPoint pos)
{
    if (!m_options.bandMoving || pos.y() < m_layout.headerTop() || pos.y() >= m_layout.rowsTop())
        return;
    int target = -1;
    for (int b = 0; b < m_layout.bandCount(); ++b) {
        const QRect r = m_layout.bandHeaderRect(b);
        if (!r.isEmpty() && pos.x() >= r.left() && pos.x() <= r.right())
            target = b;
    }
    if (target < 0 || target == band || m_layout.isFixedBand(target) != m_layout.isFixedBand(band))
        return;
    const bool after = pos.x() > m_layout.bandHeaderRect(target).center().x();
    std::vector<GridBand *> order = m_bands;
    GridBand *moved = order[size_t(band)];
    order.erase(order.begin() + band);
    auto at = std::find(order.begin(), order.end(), m_bands[size_t(target)]);
    order.insert(after ? at + 1 : at, moved);
    // Columns follow their band to its new index.
    std::vector<int> newIndex(m_bands.size());
    for (size_t b = 0; b < m_bands.size(); ++b)
        newIndex[b] = int(std::find(order.begin(), order.end(), m_bands[b]) - order.begin());
    m_bands = order;
    for (GridColumn *c : m_columns) {
        if (c->bandIndex() < int(newIndex.size()))
            c->setBandIndex(newIndex[size_t(c->bandIndex())]);
    }
    scheduleLayout();
}

void GridBandedTableView::resizeColumn(int pixelWidth)
{
    // The other columns of the line keep their size on screen; the band grows or shrinks.
    const int sized = m_drag.index;
    const int width = std::max(pixelWidth, 8);
    int total = 0;
    for (int c = 0; c < columnCount(); ++c) {
        const int w = c == sized ? width : m_drag.lineWidths[size_t(c)];
        if (w < 0)
            continue;
        total += w;
        m_columns[size_t(c)]->setWidth(w);
    }
    const GridColumn *column = m_columns[size_t(sized)];
    if (column->bandIndex() < bandCount())
        m_bands[size_t(column->bandIndex())]->setWidth(total);
}

void GridBandedTableView::resizeBand(int pixelWidth)
{
    m_bands[size_t(m_drag.index)]->setWidth(std::max(pixelWidth, 16));
}
