#pragma once

#include <QString>
#include <QVariant>

// One value of a condition: a QString, a qint64, a QDate (a whole day), a QDateTime, or nothing
// (a blank), with the text the user saw for it. A text given for a date-time column is converted
// when the filter is compiled.
class FilterValue
{
public:
    FilterValue() = default;
    FilterValue(const QVariant &value, const QString &displayText = QString());

    const QVariant &value() const { return m_value; }
    const QString &displayText() const { return m_displayText; }
    // No value, or an empty text.
    bool isBlank() const;

    friend bool operator==(const FilterValue &a, const FilterValue &b)
    {
        return a.m_value == b.m_value && a.m_displayText == b.m_displayText;
    }
    friend bool operator!=(const FilterValue &a, const FilterValue &b) { return !(a == b); }

private:
    QVariant m_value;
    QString m_displayText;
};
