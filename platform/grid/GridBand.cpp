#include "GridBand.h"

#include <algorithm>

GridBand::GridBand(QObject *parent) : QObject(parent) {}

void GridBand::setCaption(const QString &caption)
{
    m_caption = caption;
    emit changed();
}

void GridBand::setWidth(int width)
{
    m_width = std::max(width, 1);
    emit changed();
}

void GridBand::setFixed(Fixed fixed)
{
    m_fixed = fixed;
    emit changed();
}

void GridBand::setVisible(bool visible)
{
    m_visible = visible;
    emit changed();
}
