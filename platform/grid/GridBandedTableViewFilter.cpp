// The filtering side of the banded view: its criteria, the filter buttons and their drop-downs,
// the filter box and the two filter dialogs.

#include "GridBandedTableView.h"

#include "GridColumn.h"
#include "GridFilterBox.h"
#include "GridFilterDropDown.h"
#include "GridFilterSource.h"
#include "GridFilterValueModel.h"

#include "platform/editors/MessageBoxes.h"
#include "platform/filter/FilterBuilder.h"
#include "platform/filter/FilterBuilderDialog.h"
#include "platform/filter/FilterCustomDialog.h"
#include "platform/filter/FilterDateKey.h"
#include "platform/filter/FilterPredicate.h"
#include "platform/memdata/DataError.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QScopedValueRollback>

namespace {

int conditionsOn(const FilterGroup &group, int column)
{
    int n = 0;
    for (int i = 0; i < group.count(); ++i) {
        const FilterItem &item = group.at(i);
        if (item.isCondition())
            n += item.condition().column() == column ? 1 : 0;
        else
            n += conditionsOn(item.group(), column);
    }
    return n;
}

} // namespace

void GridBandedTableView::rebuildFilterSource()
{
    const MemTable *table = m_controller->table();
    std::vector<GridFilterSource::Column> columns;
    std::vector<int> viewColumns;
    for (int c = 0; c < columnCount(); ++c) {
        const GridColumn *column = m_columns[size_t(c)];
        if (column->field()) {
            columns.push_back({column->field(), column->displayCaption()});
            viewColumns.push_back(c);
        }
    }
    // Columns send their changes often (a width while it is dragged); only a new set of fields
    // needs a new source and a new pass over the records.
    if (m_filterSource && table == m_filterSource->table() && viewColumns == m_filterColumns
        && m_filterSource->sameColumns(columns)) {
        m_filterSource->setColumns(std::move(columns)); // captions may differ
        return;
    }
    m_filterColumns = std::move(viewColumns);
    m_filterSource = table ? std::make_unique<GridFilterSource>(table, std::move(columns)) : nullptr;
    if (!m_filter.isEmpty()) {
        try {
            installFilter();
        } catch (const DataError &) {
            // The columns no longer fit the filter: drop it rather than filter on the wrong ones.
            m_filter.clear();
            installFilter();
        }
    }
    updateFilterBox();
}

const FilterValueSource *GridBandedTableView::filterSource() const
{
    return m_filterSource.get();
}

int GridBandedTableView::filterColumnOf(const GridColumn *column) const
{
    for (size_t i = 0; i < m_filterColumns.size(); ++i) {
        if (m_columns[size_t(m_filterColumns[i])] == column)
            return int(i);
    }
    return -1;
}

bool GridBandedTableView::isColumnFiltered(const GridColumn *column) const
{
    const int source = filterColumnOf(column);
    return source >= 0 && m_filter.filtersColumn(source);
}

FilterCompileOptions GridBandedTableView::filterCompileOptions() const
{
    FilterCompileOptions options;
    const MemTable *table = m_controller->table();
    if (!table)
        return options;
    // Dates typed by the user read as the store reads them; a date alone stands for its day.
    options.dateFromText = [table](int, const QString &text) -> QVariant {
        const std::optional<qint64> key = table->regionalSettings().parse(QStringView(text).trimmed());
        if (!key)
            return {};
        const QDateTime dt = FilterDateKey::toDateTime(*key);
        if (!text.contains(QLatin1Char(':')) && dt.time() == QTime(0, 0))
            return dt.date();
        return dt;
    };
    return options;
}

FilterValueFormatter GridBandedTableView::filterValueFormatter() const
{
    const MemTable *table = m_controller->table();
    return [table](int, const FilterValue &value) -> QString {
        const QVariant &v = value.value();
        if (table && v.typeId() == QMetaType::QDateTime)
            return table->regionalSettings().format(FilterDateKey::fromDateTime(v.toDateTime()));
        if (table && v.typeId() == QMetaType::QDate)
            return table->regionalSettings().format(FilterDateKey::fromDate(v.toDate()));
        return v.toString();
    };
}

QString GridBandedTableView::filterText() const
{
    if (!m_filterSource)
        return QString();
    return FilterText::render(m_filter, *m_filterSource, filterValueFormatter());
}

void GridBandedTableView::setFilterCriteria(const FilterCriteria &criteria)
{
    // A filter that does not fit is refused and leaves the one before.
    QScopedValueRollback keep(m_filter, criteria);
    installFilter();
    keep.commit();
    updateFilterBox();
    viewport()->update();
    emit filterChanged();
}

void GridBandedTableView::setFilterEnabled(bool enabled)
{
    if (m_filterEnabled == enabled)
        return;
    m_filterEnabled = enabled;
    installFilter();
    updateFilterBox();
    viewport()->update();
    emit filterChanged();
}

void GridBandedTableView::installFilter()
{
    if (m_filter.isEmpty() || !m_filterSource) {
        m_predicate.reset();
        if (m_controller->hasRowFilter())
            m_controller->setRowFilter({});
        return;
    }
    // Compiled even while switched off, so a filter that does not fit is refused at once.
    auto predicate = std::make_shared<FilterPredicate>(
        FilterPredicate::compile(m_filter, *m_filterSource, filterCompileOptions()));
    m_predicate = predicate;
    if (!m_filterEnabled || predicate->acceptsAll()) {
        if (m_controller->hasRowFilter())
            m_controller->setRowFilter({});
        return;
    }
    m_controller->setRowFilter([predicate](quint32 id) { return predicate->accepts(int(id)); });
}

void GridBandedTableView::updateFilterBox()
{
    const bool shown = !m_filter.isEmpty();
    if (shown)
        m_filterBox->setFilter(filterText(), m_filterEnabled);
    if (shown != m_filterBox->isVisibleTo(this)) {
        m_filterBox->setVisible(shown);
        placeFilterBox();
    }
}

void GridBandedTableView::placeFilterBox()
{
    const int height = m_filterBox->isVisibleTo(this) ? m_filterBox->sizeHint().height() : 0;
    setViewportMargins(0, 0, 0, height);
    if (height > 0) {
        const QRect vp = viewport()->geometry();
        m_filterBox->setGeometry(vp.left(), vp.bottom() + 1, vp.width(), height);
        m_filterBox->raise();
    }
}

// --- the drop-down ---------------------------------------------------------------------------

void GridBandedTableView::showFilterDropDown(int column)
{
    const GridColumn *c = m_columns[size_t(column)];
    if (!c->field() || !m_controller->table())
        return;
    relayout();
    const QRect header = m_layout.columnHeaderRect(column);
    const QPoint below = viewport()->mapToGlobal(QPoint(header.left(), header.bottom() + 1));
    const QRect button = filterButtonRect(column);
    m_filterDropDown->popup(column, m_controller->table(), c->field(), below, header.width(),
                            QRect(viewport()->mapToGlobal(button.topLeft()), button.size()));
    m_filterDropDown->highlight(activeFilterRow(column));
}

int GridBandedTableView::activeFilterRow(int column) const
{
    // The entry that stands for the column's condition: a value, the blanks or the non-blanks;
    // anything the list cannot show leaves "(All)".
    FilterBoolOperator op;
    const QList<FilterCondition> conditions = columnConditions(filterColumnOf(m_columns[size_t(column)]), op);
    if (conditions.size() != 1)
        return GridFilterValueModel::All;
    const FilterCondition &c = conditions.first();
    switch (c.filterOperator()) {
    case FilterOperator::Blanks: return GridFilterValueModel::Blanks;
    case FilterOperator::NonBlanks: return GridFilterValueModel::NonBlanks;
    case FilterOperator::Equal: {
        const GridFilterValueModel *model = m_filterDropDown->model();
        for (int row = GridFilterValueModel::FirstValue; row < model->rowCount(); ++row) {
            if (model->value(row).value() == c.value().value())
                return row;
        }
        return GridFilterValueModel::All;
    }
    default: return GridFilterValueModel::All;
    }
}

void GridBandedTableView::onFilterPicked(int column, int row)
{
    const int source = filterColumnOf(m_columns[size_t(column)]);
    if (source < 0)
        return;
    const GridFilterValueModel *model = m_filterDropDown->model();
    FilterCriteria criteria = m_filter;
    switch (GridFilterValueModel::entryOf(row)) {
    case GridFilterValueModel::All:
        criteria.removeColumn(source);
        break;
    case GridFilterValueModel::Custom:
        showCustomFilterDialog(column);
        return;
    case GridFilterValueModel::Blanks:
        criteria.removeColumn(source);
        criteria.root().addCondition(FilterCondition(source, FilterOperator::Blanks));
        break;
    case GridFilterValueModel::NonBlanks:
        criteria.removeColumn(source);
        criteria.root().addCondition(FilterCondition(source, FilterOperator::NonBlanks));
        break;
    case GridFilterValueModel::FirstValue:
        criteria.removeColumn(source);
        criteria.root().addCondition(FilterCondition(source, FilterOperator::Equal, {model->value(row)}));
        break;
    }
    try {
        setFilterCriteria(criteria);
        // The user just asked for this condition: a filter switched off in the box comes back on.
        setFilterEnabled(true);
    } catch (const DataError &error) {
        MessageBoxes::showError(error.message(), this);
    }
}

// --- the dialogs -----------------------------------------------------------------------------

QList<FilterCondition> GridBandedTableView::columnConditions(int sourceColumn, FilterBoolOperator &op) const
{
    // What the custom dialog can show: the column's conditions at the top, or a nested group
    // holding nothing but (up to two) conditions on the column.
    op = FilterBoolOperator::And;
    QList<FilterCondition> found;
    const FilterGroup &root = m_filter.root();
    for (int i = 0; i < root.count(); ++i) {
        const FilterItem &item = root.at(i);
        if (item.isCondition() && item.condition().column() == sourceColumn) {
            found << item.condition();
        } else if (item.isGroup() && item.group().refersTo(sourceColumn) && found.isEmpty()) {
            const FilterGroup &g = item.group();
            bool simple = g.count() <= 2;
            for (int k = 0; simple && k < g.count(); ++k)
                simple = g.at(k).isCondition() && g.at(k).condition().column() == sourceColumn;
            if (simple) {
                for (int k = 0; k < g.count(); ++k)
                    found << g.at(k).condition();
                op = g.boolOperator() == FilterBoolOperator::Or ? FilterBoolOperator::Or : FilterBoolOperator::And;
                return found;
            }
        }
    }
    return found.mid(0, 2);
}

void GridBandedTableView::showCustomFilterDialog(int column)
{
    const int source = filterColumnOf(m_columns[size_t(column)]);
    if (source < 0 || !m_filterSource)
        return;
    FilterCustomDialog dialog(*m_filterSource, source, this);
    dialog.setCompileOptions(filterCompileOptions());
    dialog.setValueFormatter(filterValueFormatter());
    FilterBoolOperator op = FilterBoolOperator::And;
    const QList<FilterCondition> current = columnConditions(source, op);
    // The dialog shows the column's filter only when it holds all of it in operators it offers
    // (a range or a list, or more than two conditions, it cannot show).
    bool shown = int(current.size()) == conditionsOn(m_filter.root(), source);
    for (const FilterCondition &c : current)
        shown = shown && dialog.offeredOperators().contains(c.filterOperator());
    if (shown && !current.isEmpty())
        dialog.setConditions(current, op);
    const QList<FilterCondition> untouched = dialog.conditions();
    const FilterBoolOperator untouchedOp = dialog.boolOperator();
    if (dialog.exec() != QDialog::Accepted)
        return;
    // OK on a dialog that could not show the column's filter, left as it opened: nothing changes,
    // rather than the filter being dropped without a word.
    if (!shown && dialog.conditions() == untouched && dialog.boolOperator() == untouchedOp)
        return;
    FilterCriteria criteria = m_filter;
    criteria.removeColumn(source);
    const QList<FilterCondition> chosen = dialog.conditions();
    if (chosen.size() == 1) {
        criteria.root().addCondition(chosen.first());
    } else if (chosen.size() > 1) {
        FilterGroup &group = criteria.root().addGroup(dialog.boolOperator());
        for (const FilterCondition &c : chosen)
            group.addCondition(c);
    }
    try {
        setFilterCriteria(criteria);
    } catch (const DataError &error) {
        MessageBoxes::showError(error.message(), this);
    }
}

void GridBandedTableView::showFilterBuilder()
{
    if (!m_filterSource)
        return;
    FilterBuilderDialog dialog(*m_filterSource, this);
    dialog.setCompileOptions(filterCompileOptions());
    dialog.setValueFormatter(filterValueFormatter());
    dialog.setCriteria(m_filter);
    dialog.setFileChooser(m_fileChooser);
    // A new condition starts on the first column the user can see, not on a hidden one.
    for (size_t i = 0; i < m_filterColumns.size(); ++i) {
        if (m_columns[size_t(m_filterColumns[i])]->isVisible()) {
            dialog.builder()->setNewConditionColumn(int(i));
            break;
        }
    }
    connect(&dialog, &FilterBuilderDialog::applied, this, [this](const FilterCriteria &criteria) {
        try {
            setFilterCriteria(criteria);
        } catch (const DataError &error) {
            MessageBoxes::showError(error.message(), this);
        }
    });
    dialog.exec();
}
