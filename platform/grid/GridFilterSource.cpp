#include "GridFilterSource.h"

#include "platform/memdata/MemField.h"
#include "platform/memdata/AnsiCodec.h"
#include "platform/memdata/MemTable.h"

GridFilterSource::GridFilterSource(const MemTable *table, std::vector<Column> columns)
    : m_table(table), m_columns(std::move(columns))
{
}

bool GridFilterSource::sameColumns(const std::vector<Column> &columns) const
{
    if (columns.size() != m_columns.size())
        return false;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].field != m_columns[i].field)
            return false;
    }
    return true;
}

FilterFieldKind GridFilterSource::kind(int column) const
{
    switch (m_columns[size_t(column)].field->kind()) {
    case FieldKind::Text: return FilterFieldKind::Text;
    case FieldKind::DateTime: return FilterFieldKind::DateTime;
    case FieldKind::Integer: break;
    }
    return FilterFieldKind::Integer;
}

QString GridFilterSource::columnName(int column) const
{
    return m_columns[size_t(column)].field->fieldName();
}

QString GridFilterSource::columnCaption(int column) const
{
    const Column &c = m_columns[size_t(column)];
    return c.caption.isEmpty() ? c.field->fieldName() : c.caption;
}

bool GridFilterSource::isNull(int row, int column) const
{
    return m_table->isNull(quint32(row), m_columns[size_t(column)].field);
}

QStringView GridFilterSource::text(int row, int column, QString &buffer) const
{
    const MemField *field = m_columns[size_t(column)].field;
    if (field->kind() != FieldKind::Text) {
        buffer = m_table->text(quint32(row), field);
        return buffer;
    }
    // Decoded into the caller's buffer, whose capacity stays: no allocation a row.
    buffer.resize(0);
    AnsiCodec::appendUnicode(buffer, m_table->ansiText(quint32(row), field));
    return buffer;
}

qint64 GridFilterSource::integer(int row, int column) const
{
    return m_table->dateTimeKey(quint32(row), m_columns[size_t(column)].field);
}

qint64 GridFilterSource::dateTimeKey(int row, int column) const
{
    // The table's keys count milliseconds from Julian day 0, as the filter's do.
    return m_table->dateTimeKey(quint32(row), m_columns[size_t(column)].field);
}
