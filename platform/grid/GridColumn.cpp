#include "GridColumn.h"

#include "GridStyle.h"

#include <algorithm>

GridColumn::GridColumn(QObject *parent) : QObject(parent) {}

void GridColumn::setFieldName(const QString &name)
{
    m_fieldName = name;
    emit changed();
}

void GridColumn::setCaption(const QString &caption)
{
    m_caption = caption;
    emit changed();
}

void GridColumn::setBandIndex(int band)
{
    m_band = std::max(band, 0);
    emit changed();
}

void GridColumn::setLineIndex(int line)
{
    m_line = std::max(line, 0);
    emit changed();
}

void GridColumn::setPlace(int place)
{
    m_place = std::max(place, 0);
    emit changed();
}

void GridColumn::setPosition(int band, int line, int place)
{
    m_band = std::max(band, 0);
    m_line = std::max(line, 0);
    m_place = std::max(place, 0);
    emit changed();
}

void GridColumn::setWidth(int width)
{
    m_width = std::max(width, 1);
    emit changed();
}

void GridColumn::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    emit changed();
}

void GridColumn::setContentStyle(GridStyle *style)
{
    m_contentStyle = style;
    emit changed();
}

void GridColumn::setHeaderStyle(GridStyle *style)
{
    m_headerStyle = style;
    emit changed();
}

void GridColumn::setHeaderVerticalAlignment(Qt::Alignment alignment)
{
    m_headerVAlign = alignment & Qt::AlignVertical_Mask;
    emit changed();
}
