#include "SplitDropDownButton.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

SplitDropDownButton::SplitDropDownButton(const QString &text, QWidget *parent) : OfficeButton(text, parent) {}

QRect SplitDropDownButton::arrowStrip() const
{
    return QRect(width() - ArrowStripWidth, 0, ArrowStripWidth, height());
}

void SplitDropDownButton::dropDown()
{
    if (!m_menu)
        return;
    m_menu->ensurePolished();
    m_menu->adjustSize();
    m_menu->popup(mapToGlobal(QPoint((width() - m_menu->width()) / 2, height())));
}

void SplitDropDownButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && arrowStrip().contains(event->position().toPoint())) {
        dropDown();
        event->accept();
        return;
    }
    OfficeButton::mousePressEvent(event);
}

void SplitDropDownButton::keyPressEvent(QKeyEvent *event)
{
    const bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (arrow && (event->modifiers() & (Qt::AltModifier | Qt::ShiftModifier))) {
        dropDown();
        event->accept();
        return;
    }
    OfficeButton::keyPressEvent(event);
}

void SplitDropDownButton::paintEvent(QPaintEvent *event)
{
    OfficeButton::paintEvent(event);
    QPainter p(this);
    const QRect strip = arrowStrip();
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(strip.topLeft() + QPoint(0, 4), strip.bottomLeft() - QPoint(0, 4));
    const QPoint c = strip.center() + QPoint(1, 1);
    const QPolygon arrow{QPoint(c.x() - 3, c.y() - 2), QPoint(c.x() + 3, c.y() - 2), QPoint(c.x(), c.y() + 1)};
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::ButtonText));
    p.drawPolygon(arrow);
}
