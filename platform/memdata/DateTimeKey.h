#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <limits>

// A local date and time as milliseconds counted from the start of Julian day 0: a plain number
// that sorts, compares and round-trips exactly, with no time zone to shift it.
namespace DateTimeKey {

constexpr qint64 Null = std::numeric_limits<qint64>::min();
constexpr qint64 MsPerDay = 86400000;

inline qint64 fromParts(QDate date, int msOfDay) { return date.toJulianDay() * MsPerDay + msOfDay; }
inline qint64 fromDateTime(const QDateTime &dt)
{
    return dt.isValid() ? fromParts(dt.date(), dt.time().msecsSinceStartOfDay()) : Null;
}
inline QDate date(qint64 key) { return QDate::fromJulianDay(key / MsPerDay); }
inline int msOfDay(qint64 key) { return int(key % MsPerDay); }
inline QDateTime toDateTime(qint64 key)
{
    if (key == Null)
        return {};
    return QDateTime(date(key), QTime::fromMSecsSinceStartOfDay(msOfDay(key)));
}

} // namespace DateTimeKey
