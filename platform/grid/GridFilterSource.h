#pragma once

#include "platform/filter/FilterValueSource.h"

#include <vector>

class MemField;
class MemTable;

// A table's fields as a filter sees them. Rows are record identities, so a compiled predicate
// can serve as the grid's row filter: [&p](quint32 id) { return p.accepts(int(id)); }.
class GridFilterSource : public FilterValueSource
{
public:
    struct Column
    {
        const MemField *field;
        QString caption;
    };

    GridFilterSource(const MemTable *table, std::vector<Column> columns);

    const MemTable *table() const { return m_table; }
    // Same fields in the same order, whatever the captions.
    bool sameColumns(const std::vector<Column> &columns) const;
    void setColumns(std::vector<Column> columns) { m_columns = std::move(columns); }

    int columnCount() const override { return int(m_columns.size()); }
    FilterFieldKind kind(int column) const override;
    QString columnName(int column) const override;
    QString columnCaption(int column) const override;
    bool isNull(int row, int column) const override;
    QStringView text(int row, int column, QString &buffer) const override;
    qint64 integer(int row, int column) const override;
    qint64 dateTimeKey(int row, int column) const override;

private:
    const MemTable *m_table;
    std::vector<Column> m_columns;
};
