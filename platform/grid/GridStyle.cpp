#include "GridStyle.h"

GridStyle::GridStyle(QObject *parent) : QObject(parent) {}

void GridStyle::setBackground(const QColor &colour)
{
    m_background = colour;
    emit changed();
}

void GridStyle::setTextColor(const QColor &colour)
{
    m_textColor = colour;
    emit changed();
}

void GridStyle::setFont(const QFont &font)
{
    m_font = font;
    m_hasFont = true;
    emit changed();
}

void GridStyle::setFont(const QString &face, int pixelSize, bool bold)
{
    setFont(fontFor(face, pixelSize, bold));
}

QFont GridStyle::fontFor(const QString &face, int pixelSize, bool bold)
{
    QString family = face;
    // The terminal face is a fixed-pitch screen font; the dialog faces are plain sans serifs.
    if (face.compare(QLatin1String("HE_TERMINAL"), Qt::CaseInsensitive) == 0)
        family = QStringLiteral("DejaVu Sans Mono");
    else if (face.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0
             || face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        family = QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
