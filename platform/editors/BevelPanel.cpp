#include "BevelPanel.h"

#include "EditorAccessibility.h"

#include <QPainter>
#include <QPalette>

BevelPanel::BevelPanel(QWidget *parent) : QWidget(parent), m_color(palette().color(QPalette::Button))
{
    m_captionColor = palette().color(QPalette::WindowText);
    EditorAccessibility::install();
}

void BevelPanel::setBevels(Bevel inner, Bevel outer)
{
    m_inner = inner;
    m_outer = outer;
    update();
}

void BevelPanel::setBevelWidth(int width) { m_bevelWidth = width; update(); }
void BevelPanel::setBorderWidth(int width) { m_borderWidth = width; update(); }
void BevelPanel::setSingleBorder(bool on) { m_singleBorder = on; update(); }
void BevelPanel::setColor(const QColor &color) { m_color = color; update(); }
void BevelPanel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
    EditorAccessibility::nameChanged(this);
}
void BevelPanel::setCaptionColor(const QColor &color) { m_captionColor = color; update(); }

int BevelPanel::frameWidth() const
{
    return (m_singleBorder ? 1 : 0) + (m_outer != Bevel::None ? m_bevelWidth : 0) + m_borderWidth
           + (m_inner != Bevel::None ? m_bevelWidth : 0);
}

void BevelPanel::drawBevel(QPainter &p, QRect &r, Bevel bevel) const
{
    if (bevel == Bevel::None)
        return;
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    const QColor topLeft = bevel == Bevel::Raised ? light : dark;
    const QColor bottomRight = bevel == Bevel::Raised ? dark : light;
    for (int i = 0; i < m_bevelWidth; ++i) {
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QRect r = rect();
    p.fillRect(r, m_color);
    if (m_singleBorder) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    drawBevel(p, r, m_outer);
    r.adjust(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    drawBevel(p, r, m_inner);
    if (!m_caption.isEmpty()) {
        p.setPen(m_captionColor);
        p.setFont(font());
        p.drawText(r, Qt::AlignCenter, m_caption);
    }
}
