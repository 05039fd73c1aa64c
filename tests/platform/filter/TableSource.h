#pragma once

#include "platform/filter/FilterDateKey.h"
#include "platform/filter/FilterValueSource.h"

#include <QDateTime>
#include <QList>
#include <QVariant>

// A small in-memory table for the filter tests: Nome (text), Data (date-time), Numero (integer).
// A null QVariant is a null value.
class TableSource : public FilterValueSource
{
public:
    enum Column { Nome, Data, Numero };

    struct Row
    {
        QString nome;
        QVariant data;
        QVariant numero;
    };

    explicit TableSource(QList<Row> rows = {}) : m_rows(std::move(rows)) {}

    int rowCount() const { return int(m_rows.size()); }

    int columnCount() const override { return 3; }
    FilterFieldKind kind(int column) const override
    {
        static const FilterFieldKind kinds[] = {FilterFieldKind::Text, FilterFieldKind::DateTime,
                                                FilterFieldKind::Integer};
        return kinds[column];
    }
    QString columnName(int column) const override
    {
        static const char *const names[] = {"Nome", "Data", "Numero"};
        return QString::fromLatin1(names[column]);
    }
    QString columnCaption(int column) const override { return columnName(column); }

    bool isNull(int row, int column) const override
    {
        const Row &r = m_rows.at(row);
        switch (column) {
        case Nome:
            return r.nome.isEmpty();
        case Data:
            return r.data.isNull();
        default:
            return r.numero.isNull();
        }
    }

    QStringView text(int row, int column, QString &buffer) const override
    {
        const Row &r = m_rows.at(row);
        switch (column) {
        case Nome:
            return r.nome;
        case Data:
            buffer = r.data.isNull() ? QString() : r.data.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
            return buffer;
        default:
            buffer = r.numero.isNull() ? QString() : QString::number(r.numero.toLongLong());
            return buffer;
        }
    }

    qint64 integer(int row, int) const override { return m_rows.at(row).numero.toLongLong(); }
    qint64 dateTimeKey(int row, int) const override
    {
        return FilterDateKey::fromDateTime(m_rows.at(row).data.toDateTime());
    }

private:
    QList<Row> m_rows;
};
