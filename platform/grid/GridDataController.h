#pragma once

#include "platform/grid/GridSortKey.h"
#include "platform/grid/GridTextCollator.h"
#include "platform/memdata/Bookmark.h"
#include "platform/memdata/DataLink.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <set>
#include <string>
#include <vector>

class DataSource;
class MemField;
class MemTable;

// The rows a grid shows, without any widget: the table's records filtered, sorted (grouping fields
// first, then the sort fields, then store order) and cut into a tree of groups, flattened into the
// rows on screen (group rows, records of expanded groups, group footers).
//
// One rule, kept here alone: the table's current record is the record of the focused row. A
// focused group row, or no row at all, means there is no current record for the commands
// (currentRecordId() is NoRecord). Every change (filter, sort, grouping, expansion, a post, a
// delete, a cursor moved from outside) ends in refocus(), which puts the focus on a listed row and
// the cursor on its record.
class GridDataController : public QObject, private DataLink
{
    Q_OBJECT

public:
    enum class RowKind { Record, Group, GroupFooter };
    enum class SortChange { Replace, Add, Remove };
    enum class GroupFooters { Hidden, VisibleWhenExpanded, AlwaysVisible };
    using RowFilter = std::function<bool(quint32 recordId)>;

    explicit GridDataController(QObject *parent = nullptr);
    ~GridDataController() override;

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return DataLink::dataSource(); }
    MemTable *table() const { return DataLink::table(); }

    // Records that pass the filter, in the order shown.
    int recordCount() const { return int(m_records.size()); }
    quint32 recordIdAt(int index) const { return m_records[size_t(index)]; }
    int indexOfRecord(quint32 recordId) const;

    const std::vector<GridSortKey> &sortKeys() const { return m_sortKeys; }
    void setSortKeys(std::vector<GridSortKey> keys);
    // What a click on a header asks: Replace sorts by the field alone (the other way round when it
    // already was), Add appends it or turns it round, Remove takes it out. On a grouped field it
    // turns the grouping round.
    void changeSort(const MemField *field, SortChange change);
    int sortIndexOf(const MemField *field) const;
    Qt::SortOrder sortOrderOf(const MemField *field) const;

    const std::vector<GridSortKey> &groupKeys() const { return m_groupKeys; }
    void setGroupKeys(std::vector<GridSortKey> keys);
    // Groups by field at level (clamped); a field already grouped moves there. New groups start
    // collapsed.
    void groupBy(const MemField *field, int level);
    void ungroup(const MemField *field);
    int groupLevelOf(const MemField *field) const;

    void setRowFilter(RowFilter filter);
    bool hasRowFilter() const { return bool(m_filter); }

    void setGroupFooters(GroupFooters mode);
    GroupFooters groupFooters() const { return m_footers; }

    // Rows as shown.
    int rowCount() const;
    RowKind rowKind(int row) const;
    // Indent level: a record's is the number of grouping levels, a group's (and its footer's) its depth.
    int rowLevel(int row) const;
    quint32 rowRecordId(int row) const;
    int rowGroup(int row) const;
    // -1 when the record is filtered out or inside a collapsed group.
    int rowOfRecord(quint32 recordId) const;
    int rowOfGroup(int group) const;

    int groupCount() const { return int(m_groups.size()); }
    int groupLevel(int group) const { return m_groups[size_t(group)].level; }
    int groupParent(int group) const { return m_groups[size_t(group)].parent; }
    int groupFirstIndex(int group) const { return m_groups[size_t(group)].first; }
    int groupRecordCount(int group) const { return m_groups[size_t(group)].count; }
    const MemField *groupField(int group) const { return m_groupKeys[size_t(groupLevel(group))].field; }
    QString groupValueText(int group) const;
    bool isGroupExpanded(int group) const { return m_groups[size_t(group)].expanded; }
    void setGroupExpanded(int group, bool expanded);
    void setAllGroupsExpanded(bool expanded);

    int focusedRow() const { return m_focusedRow; }
    // Focusing a record row moves the table's cursor to it; a footer row passes the focus on.
    void setFocusedRow(int row);
    quint32 focusedRecordId() const;
    // The record the commands act on: the focused row's, or NoRecord on a group row or with no rows.
    quint32 currentRecordId() const { return focusedRecordId(); }
    bool hasCurrentRecord() const { return focusedRecordId() != Bookmark::NoRecord; }

    const GridTextCollator &collator() const { return m_collator; }
    // Memory held for the rows, for the benchmark's account.
    qsizetype bytesUsed() const;

Q_SIGNALS:
    // The data source shows another table, or none: fields of the old one are no longer valid.
    void tableChanged();
    // Rows, groups or their order may all differ.
    void rowsReset();
    // The shown values of a row changed.
    void rowChanged(int row);
    void focusedRowChanged(int row);

private:
    struct Group
    {
        int level;
        int parent;
        int first;       // index into m_records
        int count;
        int subtreeEnd;  // index of the next group that is not a descendant
        bool expanded;
    };
    struct Row
    {
        qint32 index;    // into m_records for a record, into m_groups otherwise
        RowKind kind;
    };

    void activeChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled() override;
    void recordChanged(const MemField *field) override;
    void recordInserted(int position) override;
    void recordRemoved(int position, unsigned recordId) override;
    void recordUpdated(int position) override;

    bool accepts(quint32 recordId) const;
    std::vector<GridSortKey> allKeys() const;
    int compareRecords(quint32 a, quint32 b) const;
    bool sameValue(const MemField *field, quint32 a, quint32 b) const;
    void collectRecords();
    void sortRecords();
    template<size_t K>
    void sortBy(const std::vector<GridSortKey> &keys);
    void insertRecord(quint32 recordId);
    bool eraseRecord(quint32 recordId);
    void rememberExpanded();
    void rebuildGroups(bool keepExpanded);
    int buildGroups(int level, int first, int end, int parent);
    void flatten();
    void flattenGroup(int group);
    std::string groupPath(int group) const;
    void ensureIndexes() const;
    void ensureRowsOfIndex() const;
    int visibleRowOfIndex(int index) const;
    void expandToIndex(int index);
    // How a change treats the focused record: Stay leaves it inside a group just collapsed (its
    // group row takes the focus); Keep opens the groups that would hide it; FollowCursor takes the
    // table's current record instead, as after a post.
    enum class Refocus { Stay, Keep, FollowCursor };
    void refocus(Refocus mode);
    int rowOfGroupPath(const std::string &path) const;
    int collapsedRowOfIndex(int index) const;
    void setFocus(int row, bool moveCursor);
    void moveCursorTo(quint32 recordId);
    void reset();

    GridTextCollator m_collator;
    std::vector<GridSortKey> m_sortKeys;
    std::vector<GridSortKey> m_groupKeys;
    RowFilter m_filter;
    GroupFooters m_footers = GroupFooters::Hidden;

    std::vector<quint32> m_records;
    mutable std::vector<qint32> m_indexOfRecord;   // by record id
    mutable bool m_indexesValid = false;
    std::vector<Group> m_groups;
    std::vector<quint8> m_breaks;                  // from the last sort, until the groups are cut
    std::set<std::string> m_expandedPaths;
    std::vector<Row> m_rows;                       // empty while nothing is grouped
    mutable std::vector<qint32> m_rowOfIndex;      // by record index, while grouped
    mutable bool m_rowsOfIndexValid = false;

    int m_focusedRow = -1;
    quint32 m_focusedRecord;                       // NoRecord unless a record row has the focus
    std::string m_focusedGroupPath;                // empty unless a group row has the focus
    QPointer<const MemTable> m_boundTable; // null also once that table is gone
    bool m_movingCursor = false;
};
