#pragma once

#include "platform/filter/FilterFieldKind.h"

#include <QString>
#include <QStringView>

// The rows a filter runs over, as the grid's data controller sees them. Columns are numbered from
// 0; rows are whatever numbers the caller passes to the predicate.
class FilterValueSource
{
public:
    virtual ~FilterValueSource() = default;

    virtual int columnCount() const = 0;
    virtual FilterFieldKind kind(int column) const = 0;
    // Stable identity of a column (its field name); filter files refer to columns by it.
    virtual QString columnName(int column) const = 0;
    // What a filter text calls the column.
    virtual QString columnCaption(int column) const = 0;

    virtual bool isNull(int row, int column) const = 0;
    // The value's text form, for any kind; empty for a null value. May return a view of the
    // source's own storage or of buffer, which the caller keeps and passes again on the next
    // call so that no row allocates. The view is good until the next call.
    virtual QStringView text(int row, int column, QString &buffer) const = 0;
    virtual qint64 integer(int row, int column) const = 0;
    // See FilterDateKey.
    virtual qint64 dateTimeKey(int row, int column) const = 0;
};
