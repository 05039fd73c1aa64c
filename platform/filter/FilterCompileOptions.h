#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QVariant>

#include <functional>

// What a filter needs from outside the criteria to become a predicate.
struct FilterCompileOptions
{
    // The day the date periods count from; a null date means the clock's date at compile time.
    QDate today;
    // Where "this week" and its neighbours begin.
    Qt::DayOfWeek firstDayOfWeek = QLocale::system().firstDayOfWeek();
    // Reads a value given as text for a date-time column, as the store reads its text form:
    // a QDate (a whole day) or a QDateTime, or an invalid QVariant when the text is no date.
    // Without it, ISO 8601 dates and date-times are read.
    std::function<QVariant(int column, const QString &text)> dateFromText;
};
