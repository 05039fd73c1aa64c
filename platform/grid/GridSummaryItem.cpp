#include "GridSummaryItem.h"

QString GridSummaryItem::formatNumber(qint64 value, const QString &format)
{
    if (format.isEmpty())
        return QString::number(value);
    const int zeros = int(format.count(QLatin1Char('0')));
    QString number = value == 0 && zeros == 0 ? QString() : QString::number(qAbs(value));
    if (number.size() < zeros)
        number.prepend(QString(zeros - number.size(), QLatin1Char('0')));
    if (value < 0)
        number.prepend(QLatin1Char('-'));
    // The digits go where the first digit placeholder is; the rest of the placeholders vanish.
    QString out;
    bool placed = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (!placed)
                out += number;
            placed = true;
        } else {
            out += c;
        }
    }
    return out;
}
