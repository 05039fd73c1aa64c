#include "GridDataController.h"

#include "platform/memdata/Bookmark.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QScopedValueRollback>
#include <algorithm>
#include <numeric>

namespace {

constexpr quint32 NoRecord = Bookmark::NoRecord;

int sign(qint64 a, qint64 b) { return a < b ? -1 : (a > b ? 1 : 0); }

} // namespace

GridDataController::GridDataController(QObject *parent) : QObject(parent), m_focusedRecord(NoRecord) {}

GridDataController::~GridDataController() = default;

void GridDataController::setDataSource(DataSource *source)
{
    DataLink::setDataSource(source);
}

// --- notices from the table ----------------------------------------------------------------

namespace {

// Keys name fields of the table they were made for: the same names in the new table, if any.
std::vector<GridSortKey> rebound(const std::vector<GridSortKey> &keys, const MemTable *table)
{
    std::vector<GridSortKey> result;
    for (const GridSortKey &key : keys) {
        if (const MemField *field = table ? table->findField(key.field->fieldName()) : nullptr)
            result.push_back({field, key.order});
    }
    return result;
}

} // namespace

void GridDataController::activeChanged()
{
    if (table() == m_boundTable)
        return;
    // The old table is still whole here (a table tells its sources from its destructor).
    if (m_boundTable) {
        m_sortKeys = rebound(m_sortKeys, table());
        m_groupKeys = rebound(m_groupKeys, table());
    } else {
        m_sortKeys.clear();
        m_groupKeys.clear();
    }
    m_groups.clear();
    m_rows.clear();
    m_records.clear();
    m_indexesValid = false;
    m_boundTable = table();
    emit tableChanged();
}

void GridDataController::dataSetChanged()
{
    m_boundTable = table();
    collectRecords();
    sortRecords();
    rebuildGroups(true);
    refocus(Refocus::FollowCursor);
    emit rowsReset();
}

void GridDataController::dataSetScrolled()
{
    if (m_movingCursor || !isActive())
        return;
    const quint32 id = table()->currentRecordId();
    const int index = indexOfRecord(id);
    if (index < 0) {
        // Not listed (filtered out, or just begun by append): in browse the cursor goes back to
        // the focused record, so the commands never act on a call the user cannot see.
        if (table()->state() == MemTable::State::Browse && m_focusedRecord != NoRecord && m_focusedRecord != id)
            moveCursorTo(m_focusedRecord);
        return;
    }
    if (!m_groupKeys.empty() && visibleRowOfIndex(index) < 0) {
        expandToIndex(index);
        rememberExpanded();
        flatten();
        emit rowsReset();
    }
    setFocus(rowOfRecord(id), false);
}

void GridDataController::recordChanged(const MemField *)
{
    if (m_focusedRow >= 0)
        emit rowChanged(m_focusedRow);
}

void GridDataController::recordInserted(int position)
{
    const quint32 id = table()->recordOrder()[size_t(position)];
    if (!accepts(id)) {
        // The post left the cursor on a record that is not listed.
        refocus(Refocus::Keep);
        return;
    }
    insertRecord(id);
    rebuildGroups(true);
    refocus(Refocus::FollowCursor);
    emit rowsReset();
}

void GridDataController::recordRemoved(int, unsigned recordId)
{
    // The table's cursor is on the next record in store order; the focus goes instead to the
    // row that now stands where the deleted one stood on screen.
    eraseRecord(recordId);
    rebuildGroups(true);
    refocus(Refocus::Keep);
    emit rowsReset();
}

void GridDataController::recordUpdated(int position)
{
    const quint32 id = table()->recordOrder()[size_t(position)];
    eraseRecord(id);
    if (accepts(id))
        insertRecord(id);
    rebuildGroups(true);
    refocus(Refocus::FollowCursor);
    emit rowsReset();
}

// --- order -----------------------------------------------------------------------------------

bool GridDataController::accepts(quint32 recordId) const
{
    return !m_filter || m_filter(recordId);
}

std::vector<GridSortKey> GridDataController::allKeys() const
{
    std::vector<GridSortKey> keys = m_groupKeys;
    for (const GridSortKey &k : m_sortKeys) {
        if (groupLevelOf(k.field) < 0)
            keys.push_back(k);
    }
    return keys;
}

void GridDataController::collectRecords()
{
    m_records.clear();
    m_indexesValid = false;
    if (!isActive())
        return;
    const std::vector<quint32> &order = table()->recordOrder();
    if (!m_filter) {
        m_records = order;
        return;
    }
    m_records.reserve(order.size());
    for (quint32 id : order) {
        if (m_filter(id))
            m_records.push_back(id);
    }
}

void GridDataController::sortRecords()
{
    const std::vector<GridSortKey> keys = allKeys();
    // Without keys the rows keep the store's order, as collected.
    if (keys.empty() || m_records.size() < 2 || !isActive())
        return;
    switch (std::min<size_t>(keys.size(), 3)) {
    case 1: sortBy<1>(keys); break;
    case 2: sortBy<2>(keys); break;
    default: sortBy<3>(keys); break;
    }
    m_indexesValid = false;
}

namespace {

// The first keys of a record, read once and kept beside its index so that the sort walks
// memory in order: a text as its primary and secondary prefixes (exact for eight characters or
// fewer), a number as itself with the sign bit turned so that it orders unsigned.
template<size_t K>
struct SortItem
{
    quint64 primary[K];
    quint64 secondary[K];
    quint32 index;
    bool shortText[K]; // at most eight characters: the prefixes are the whole text
};

} // namespace

template<size_t K>
void GridDataController::sortBy(const std::vector<GridSortKey> &keys)
{
    const MemTable *t = table();
    const size_t n = m_records.size();
    const size_t keyCount = keys.size();
    std::vector<bool> text(keyCount), descending(keyCount);
    std::vector<std::vector<QByteArrayView>> texts(keyCount);
    std::vector<std::vector<qint64>> numbers(keyCount);
    std::vector<SortItem<K>> items(n);
    for (size_t k = 0; k < keyCount; ++k) {
        const MemField *field = keys[k].field;
        text[k] = field->kind() == FieldKind::Text;
        descending[k] = keys[k].order == Qt::DescendingOrder;
        if (text[k])
            texts[k].resize(n);
        else if (k >= K)
            numbers[k].resize(n);
        for (size_t i = 0; i < n; ++i) {
            if (text[k]) {
                const QByteArrayView v = t->ansiText(m_records[i], field);
                texts[k][i] = v;
                if (k < K) {
                    items[i].primary[k] = m_collator.prefixKey(v);
                    items[i].secondary[k] = m_collator.secondaryPrefixKey(v);
                    items[i].shortText[k] = v.size() <= 8;
                }
            } else {
                const qint64 v = t->dateTimeKey(m_records[i], field);
                if (k < K) {
                    items[i].primary[k] = quint64(v) ^ (quint64(1) << 63);
                    items[i].secondary[k] = 0;
                    items[i].shortText[k] = true;
                } else {
                    numbers[k][i] = v;
                }
            }
        }
    }
    for (size_t i = 0; i < n; ++i)
        items[i].index = quint32(i);

    const auto compareKey = [&](size_t k, const SortItem<K> &a, const SortItem<K> &b) {
        if (k < K) {
            if (a.primary[k] != b.primary[k])
                return a.primary[k] < b.primary[k] ? -1 : 1;
            // Texts of eight or fewer characters are decided by the prefixes alone.
            if (a.shortText[k] && b.shortText[k])
                return a.secondary[k] == b.secondary[k] ? 0 : (a.secondary[k] < b.secondary[k] ? -1 : 1);
            return m_collator.compare(texts[k][a.index], texts[k][b.index]);
        }
        if (text[k])
            return m_collator.compare(texts[k][a.index], texts[k][b.index]);
        return sign(numbers[k][a.index], numbers[k][b.index]);
    };
    // The records come in store order, so the index breaks ties and the sort is stable.
    std::sort(items.begin(), items.end(), [&](const SortItem<K> &a, const SortItem<K> &b) {
        for (size_t k = 0; k < keyCount; ++k) {
            const int d = compareKey(k, a, b);
            if (d != 0)
                return descending[k] ? d > 0 : d < 0;
        }
        return a.index < b.index;
    });
    // Where each record first differs from the one before it among the grouping fields, while
    // the keys are at hand: the groups are cut from this without reading the table again.
    const size_t levels = m_groupKeys.size();
    m_breaks.assign(n, 0);
    for (size_t i = 1; i < n; ++i) {
        size_t level = 0;
        while (level < levels && compareKey(level, items[i - 1], items[i]) == 0)
            ++level;
        m_breaks[i] = quint8(std::min<size_t>(level, 255));
    }
    std::vector<quint32> sorted(n);
    for (size_t i = 0; i < n; ++i)
        sorted[i] = m_records[items[i].index];
    m_records.swap(sorted);
}

int GridDataController::compareRecords(quint32 a, quint32 b) const
{
    const MemTable *t = table();
    for (const GridSortKey &k : allKeys()) {
        int d;
        if (k.field->kind() == FieldKind::Text)
            d = m_collator.compare(t->ansiText(a, k.field), t->ansiText(b, k.field));
        else
            d = sign(t->dateTimeKey(a, k.field), t->dateTimeKey(b, k.field));
        if (d != 0)
            return k.order == Qt::DescendingOrder ? -d : d;
    }
    return sign(t->positionOf(a), t->positionOf(b));
}

bool GridDataController::sameValue(const MemField *field, quint32 a, quint32 b) const
{
    const MemTable *t = table();
    if (field->kind() == FieldKind::Text)
        return t->ansiText(a, field) == t->ansiText(b, field);
    return t->dateTimeKey(a, field) == t->dateTimeKey(b, field);
}

void GridDataController::insertRecord(quint32 recordId)
{
    const auto at = std::upper_bound(m_records.begin(), m_records.end(), recordId,
                                     [this](quint32 id, quint32 other) { return compareRecords(id, other) < 0; });
    m_records.insert(at, recordId);
    m_indexesValid = false;
}

bool GridDataController::eraseRecord(quint32 recordId)
{
    const int index = indexOfRecord(recordId);
    if (index < 0)
        return false;
    m_records.erase(m_records.begin() + index);
    m_indexesValid = false;
    return true;
}

void GridDataController::ensureIndexes() const
{
    if (m_indexesValid)
        return;
    quint32 top = 0;
    for (quint32 id : m_records)
        top = std::max(top, id + 1);
    m_indexOfRecord.assign(top, -1);
    for (size_t i = 0; i < m_records.size(); ++i)
        m_indexOfRecord[m_records[i]] = qint32(i);
    m_indexesValid = true;
}

int GridDataController::indexOfRecord(quint32 recordId) const
{
    ensureIndexes();
    return recordId < m_indexOfRecord.size() ? m_indexOfRecord[recordId] : -1;
}

// --- sorting, grouping, filter ---------------------------------------------------------------

void GridDataController::setSortKeys(std::vector<GridSortKey> keys)
{
    m_sortKeys = std::move(keys);
    reset();
}

int GridDataController::sortIndexOf(const MemField *field) const
{
    for (size_t i = 0; i < m_sortKeys.size(); ++i) {
        if (m_sortKeys[i].field == field)
            return int(i);
    }
    return -1;
}

Qt::SortOrder GridDataController::sortOrderOf(const MemField *field) const
{
    const int g = groupLevelOf(field);
    if (g >= 0)
        return m_groupKeys[size_t(g)].order;
    const int s = sortIndexOf(field);
    return s >= 0 ? m_sortKeys[size_t(s)].order : Qt::AscendingOrder;
}

void GridDataController::changeSort(const MemField *field, SortChange change)
{
    const auto other = [](Qt::SortOrder o) {
        return o == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    };
    const int g = groupLevelOf(field);
    if (g >= 0) {
        if (change != SortChange::Remove) {
            m_groupKeys[size_t(g)].order = other(m_groupKeys[size_t(g)].order);
            reset();
        }
        return;
    }
    const int s = sortIndexOf(field);
    std::vector<GridSortKey> keys = m_sortKeys;
    switch (change) {
    case SortChange::Replace: {
        const Qt::SortOrder order = s >= 0 ? other(keys[size_t(s)].order) : Qt::AscendingOrder;
        keys = {GridSortKey{field, order}};
        break;
    }
    case SortChange::Add:
        if (s >= 0)
            keys[size_t(s)].order = other(keys[size_t(s)].order);
        else
            keys.push_back(GridSortKey{field, Qt::AscendingOrder});
        break;
    case SortChange::Remove:
        if (s < 0)
            return;
        keys.erase(keys.begin() + s);
        break;
    }
    setSortKeys(std::move(keys));
}

void GridDataController::setGroupKeys(std::vector<GridSortKey> keys)
{
    // A group's path means nothing under other keys: a focused group hands the focus to its
    // first record.
    if (!m_focusedGroupPath.empty() && m_focusedRow >= 0 && m_focusedRow < rowCount()) {
        m_focusedRecord = m_records[size_t(groupFirstIndex(rowGroup(m_focusedRow)))];
        m_focusedGroupPath.clear();
    }
    m_groupKeys = std::move(keys);
    collectRecords();
    sortRecords();
    rebuildGroups(false);
    refocus(Refocus::Keep);
    emit rowsReset();
}

int GridDataController::groupLevelOf(const MemField *field) const
{
    for (size_t i = 0; i < m_groupKeys.size(); ++i) {
        if (m_groupKeys[i].field == field)
            return int(i);
    }
    return -1;
}

void GridDataController::groupBy(const MemField *field, int level)
{
    std::vector<GridSortKey> keys = m_groupKeys;
    Qt::SortOrder order = sortOrderOf(field);
    const int old = groupLevelOf(field);
    if (old >= 0)
        keys.erase(keys.begin() + old);
    level = std::clamp(level, 0, int(keys.size()));
    keys.insert(keys.begin() + level, GridSortKey{field, order});
    setGroupKeys(std::move(keys));
}

void GridDataController::ungroup(const MemField *field)
{
    const int old = groupLevelOf(field);
    if (old < 0)
        return;
    std::vector<GridSortKey> keys = m_groupKeys;
    keys.erase(keys.begin() + old);
    setGroupKeys(std::move(keys));
}

void GridDataController::setRowFilter(RowFilter filter)
{
    m_filter = std::move(filter);
    reset();
}

void GridDataController::setGroupFooters(GroupFooters mode)
{
    if (m_footers == mode)
        return;
    m_footers = mode;
    if (!m_groupKeys.empty()) {
        flatten();
        refocus(Refocus::Stay);
        emit rowsReset();
    }
}

void GridDataController::reset()
{
    collectRecords();
    sortRecords();
    rebuildGroups(true);
    refocus(Refocus::Keep);
    emit rowsReset();
}

// --- groups and rows -------------------------------------------------------------------------

std::string GridDataController::groupPath(int group) const
{
    std::string path;
    const Group &g = m_groups[size_t(group)];
    // A record just removed from the table no longer has values; any other of the group will do.
    quint32 id = m_records[size_t(g.first)];
    for (int i = g.first; i < g.first + g.count && !table()->bookmarkValid(Bookmark(id)); ++i)
        id = m_records[size_t(i)];
    for (int level = 0; level <= m_groups[size_t(group)].level; ++level) {
        const MemField *f = m_groupKeys[size_t(level)].field;
        if (f->kind() == FieldKind::Text) {
            const QByteArrayView v = table()->ansiText(id, f);
            path.append(v.data(), size_t(v.size()));
        } else {
            path += std::to_string(table()->dateTimeKey(id, f));
        }
        path += '\x1f';
    }
    return path;
}

void GridDataController::rememberExpanded()
{
    // Kept from the moment groups open or close: after a reload the old record identities may
    // name other records, so a group is known again only by the values along its path.
    m_expandedPaths.clear();
    for (size_t g = 0; g < m_groups.size(); ++g) {
        if (m_groups[g].expanded)
            m_expandedPaths.insert(groupPath(int(g)));
    }
}

void GridDataController::rebuildGroups(bool keepExpanded)
{
    m_groups.clear();
    if (!m_groupKeys.empty() && !m_records.empty()) {
        buildGroups(0, 0, recordCount(), -1);
        if (keepExpanded && !m_expandedPaths.empty()) {
            for (size_t g = 0; g < m_groups.size(); ++g)
                m_groups[g].expanded = m_expandedPaths.count(groupPath(int(g))) > 0;
        }
    }
    m_breaks.clear();
    m_breaks.shrink_to_fit();
    rememberExpanded();
    flatten();
}

int GridDataController::buildGroups(int level, int first, int end, int parent)
{
    const MemField *field = m_groupKeys[size_t(level)].field;
    const bool last = level + 1 == int(m_groupKeys.size());
    int i = first;
    while (i < end) {
        int j = i + 1;
        if (m_breaks.size() == m_records.size()) {
            while (j < end && m_breaks[size_t(j)] > level)
                ++j;
        } else {
            while (j < end && sameValue(field, m_records[size_t(i)], m_records[size_t(j)]))
                ++j;
        }
        const int g = int(m_groups.size());
        m_groups.push_back(Group{level, parent, i, j - i, 0, false});
        if (!last)
            buildGroups(level + 1, i, j, g);
        m_groups[size_t(g)].subtreeEnd = int(m_groups.size());
        i = j;
    }
    return int(m_groups.size());
}

void GridDataController::flatten()
{
    m_rows.clear();
    m_rowsOfIndexValid = false;
    if (m_groupKeys.empty())
        return;
    for (int g = 0; g < groupCount(); g = m_groups[size_t(g)].subtreeEnd)
        flattenGroup(g);
}

void GridDataController::flattenGroup(int group)
{
    const Group &g = m_groups[size_t(group)];
    m_rows.push_back(Row{group, RowKind::Group});
    if (g.expanded) {
        if (g.level + 1 == int(m_groupKeys.size())) {
            for (int i = g.first; i < g.first + g.count; ++i)
                m_rows.push_back(Row{i, RowKind::Record});
        } else {
            for (int c = group + 1; c < g.subtreeEnd; c = m_groups[size_t(c)].subtreeEnd)
                flattenGroup(c);
        }
    }
    if (m_footers == GroupFooters::AlwaysVisible || (m_footers == GroupFooters::VisibleWhenExpanded && g.expanded))
        m_rows.push_back(Row{group, RowKind::GroupFooter});
}

void GridDataController::ensureRowsOfIndex() const
{
    if (m_rowsOfIndexValid)
        return;
    m_rowOfIndex.assign(m_records.size(), -1);
    for (size_t r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].kind == RowKind::Record)
            m_rowOfIndex[size_t(m_rows[r].index)] = qint32(r);
    }
    m_rowsOfIndexValid = true;
}

int GridDataController::visibleRowOfIndex(int index) const
{
    if (index < 0)
        return -1;
    if (m_groupKeys.empty())
        return index;
    ensureRowsOfIndex();
    return m_rowOfIndex[size_t(index)];
}

int GridDataController::rowCount() const
{
    return m_groupKeys.empty() ? recordCount() : int(m_rows.size());
}

GridDataController::RowKind GridDataController::rowKind(int row) const
{
    return m_groupKeys.empty() ? RowKind::Record : m_rows[size_t(row)].kind;
}

int GridDataController::rowLevel(int row) const
{
    if (m_groupKeys.empty())
        return 0;
    const Row &r = m_rows[size_t(row)];
    return r.kind == RowKind::Record ? int(m_groupKeys.size()) : m_groups[size_t(r.index)].level;
}

quint32 GridDataController::rowRecordId(int row) const
{
    if (m_groupKeys.empty())
        return m_records[size_t(row)];
    const Row &r = m_rows[size_t(row)];
    return r.kind == RowKind::Record ? m_records[size_t(r.index)] : NoRecord;
}

int GridDataController::rowGroup(int row) const
{
    if (m_groupKeys.empty())
        return -1;
    const Row &r = m_rows[size_t(row)];
    if (r.kind != RowKind::Record)
        return r.index;
    // The innermost group of a record: the last group row above it.
    for (int up = row - 1; up >= 0; --up) {
        if (m_rows[size_t(up)].kind == RowKind::Group)
            return m_rows[size_t(up)].index;
    }
    return -1;
}

int GridDataController::rowOfRecord(quint32 recordId) const
{
    return visibleRowOfIndex(indexOfRecord(recordId));
}

int GridDataController::rowOfGroup(int group) const
{
    for (size_t r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].kind == RowKind::Group && m_rows[r].index == group)
            return int(r);
    }
    return -1;
}

QString GridDataController::groupValueText(int group) const
{
    return table()->text(m_records[size_t(groupFirstIndex(group))], groupField(group));
}

void GridDataController::setGroupExpanded(int group, bool expanded)
{
    if (m_groups[size_t(group)].expanded == expanded)
        return;
    m_groups[size_t(group)].expanded = expanded;
    rememberExpanded();
    flatten();
    refocus(Refocus::Stay);
    emit rowsReset();
}

void GridDataController::setAllGroupsExpanded(bool expanded)
{
    for (Group &g : m_groups)
        g.expanded = expanded;
    rememberExpanded();
    flatten();
    refocus(Refocus::Stay);
    emit rowsReset();
}

void GridDataController::expandToIndex(int index)
{
    for (int g = 0; g < groupCount();) {
        Group &group = m_groups[size_t(g)];
        if (index >= group.first && index < group.first + group.count) {
            group.expanded = true;
            ++g; // into its children
        } else {
            g = group.subtreeEnd;
        }
    }
}

// --- focus -----------------------------------------------------------------------------------

quint32 GridDataController::focusedRecordId() const
{
    if (m_focusedRow < 0 || m_focusedRow >= rowCount())
        return NoRecord;
    return rowRecordId(m_focusedRow);
}

void GridDataController::setFocusedRow(int row)
{
    if (rowCount() == 0)
        return;
    row = std::clamp(row, 0, rowCount() - 1);
    // Footers take no focus: go on the way the focus was moving, or back when there is nothing.
    const int step = row >= m_focusedRow ? 1 : -1;
    int target = row;
    while (target >= 0 && target < rowCount() && rowKind(target) == RowKind::GroupFooter)
        target += step;
    if (target < 0 || target >= rowCount()) {
        target = row;
        while (target >= 0 && target < rowCount() && rowKind(target) == RowKind::GroupFooter)
            target -= step;
    }
    if (target < 0 || target >= rowCount())
        return;
    setFocus(target, true);
}

void GridDataController::setFocus(int row, bool moveCursor)
{
    const bool group = row >= 0 && rowKind(row) == RowKind::Group;
    m_focusedRecord = row >= 0 ? rowRecordId(row) : NoRecord;
    m_focusedGroupPath = group ? groupPath(rowGroup(row)) : std::string();
    if (moveCursor && m_focusedRecord != NoRecord)
        moveCursorTo(m_focusedRecord);
    if (row == m_focusedRow)
        return;
    m_focusedRow = row;
    emit focusedRowChanged(row);
}

void GridDataController::moveCursorTo(quint32 recordId)
{
    if (!isActive() || table()->currentRecordId() == recordId)
        return;
    const QScopedValueRollback moving(m_movingCursor, true);
    table()->moveTo(table()->positionOf(recordId));
}

int GridDataController::collapsedRowOfIndex(int index) const
{
    // The outermost collapsed group shows for a record inside it.
    for (int g = 0; g < groupCount();) {
        const Group &group = m_groups[size_t(g)];
        if (index >= group.first && index < group.first + group.count) {
            if (!group.expanded)
                return rowOfGroup(g);
            ++g;
        } else {
            g = group.subtreeEnd;
        }
    }
    return -1;
}

int GridDataController::rowOfGroupPath(const std::string &path) const
{
    for (int g = 0; g < groupCount(); ++g) {
        if (groupPath(g) != path)
            continue;
        // Under a collapsed parent the parent's row stands for it.
        for (int up = g; up >= 0; up = groupParent(up)) {
            const int row = rowOfGroup(up);
            if (row >= 0)
                return row;
        }
    }
    return -1;
}

void GridDataController::refocus(Refocus mode)
{
    if (rowCount() == 0) {
        setFocus(-1, false);
        return;
    }
    const bool browsing = isActive() && table()->state() == MemTable::State::Browse;
    quint32 id = m_focusedRecord;
    if (mode == Refocus::FollowCursor && browsing)
        id = table()->currentRecordId();
    int row = -1;
    const int index = id != NoRecord ? indexOfRecord(id) : -1;
    if (index >= 0) {
        row = visibleRowOfIndex(index);
        if (row < 0 && mode == Refocus::Stay) {
            row = collapsedRowOfIndex(index);
        } else if (row < 0) {
            expandToIndex(index);
            rememberExpanded();
            flatten();
            row = visibleRowOfIndex(index);
        }
    } else if (id == NoRecord && !m_focusedGroupPath.empty()) {
        row = rowOfGroupPath(m_focusedGroupPath);
    }
    if (row < 0) {
        // The focused row went: the row that now stands where it stood, else the one above.
        row = std::clamp(m_focusedRow, 0, rowCount() - 1);
        while (row > 0 && rowKind(row) == RowKind::GroupFooter)
            --row;
    }
    // Moving the cursor would post a record being changed; its post refocuses again.
    setFocus(row, browsing);
}

qsizetype GridDataController::bytesUsed() const
{
    return qsizetype(m_records.capacity() * sizeof(quint32) + m_indexOfRecord.capacity() * sizeof(qint32)
                     + m_groups.capacity() * sizeof(Group) + m_rows.capacity() * sizeof(Row)
                     + m_rowOfIndex.capacity() * sizeof(qint32));
}
