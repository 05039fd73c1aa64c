#include "GridStyle.h"

#include "platform/editors/FontFaces.h"

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
    return FontFaces::font(face, pixelSize, bold);
}
