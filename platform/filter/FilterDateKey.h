#pragma once

#include <QDateTime>

// A date-time as one number: milliseconds counted from the start of the Julian day 0 of the
// wall-clock date and time, with no time zone. Sources hand date-times over in this form so that
// a row compares with one integer comparison.
class FilterDateKey
{
public:
    static constexpr qint64 MsecsPerDay = 86400000;

    static qint64 fromDate(QDate date) { return date.toJulianDay() * MsecsPerDay; }
    static qint64 fromDateTime(const QDateTime &dateTime)
    {
        return fromDate(dateTime.date()) + dateTime.time().msecsSinceStartOfDay();
    }
    static qint64 fromDateTime(QDate date, QTime time)
    {
        return fromDate(date) + time.msecsSinceStartOfDay();
    }

    // The day a key falls on, as a Julian day.
    static qint64 day(qint64 key) { return key >= 0 ? key / MsecsPerDay : -((-key - 1) / MsecsPerDay) - 1; }

    static QDateTime toDateTime(qint64 key)
    {
        const qint64 d = day(key);
        return QDateTime(QDate::fromJulianDay(d), QTime::fromMSecsSinceStartOfDay(int(key - d * MsecsPerDay)));
    }
};
