#pragma once

#include <QPointer>
#include <QString>

class GridColumn;

// One figure of a summary group: what it counts, how it is written and under which column.
struct GridSummaryItem
{
    enum class Kind { Count };

    QString fieldName;
    Kind kind = Kind::Count;
    QString format;
    QPointer<GridColumn> column;

    // A picture number format: '0' digits are always written, '#' digits only when needed,
    // so "#####" writes the bare number. Other characters are copied as they are.
    static QString formatNumber(qint64 value, const QString &format);
};
