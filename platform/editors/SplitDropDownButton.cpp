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

void SplitDropDownButton::setDropDownMenu(QMenu *menu)
{
    if (m_menu)
        m_menu->removeEventFilter(this);
    m_menu = menu;
    if (m_menu)
        m_menu->installEventFilter(this);
}

bool SplitDropDownButton::eventFilter(QObject *watched, QEvent *event)
{
    // The menu closes on a press outside it and passes the press on; on the strip that would
    // drop it down again at once.
    if (watched == m_menu && event->type() == QEvent::MouseButtonPress) {
        const QPoint global = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        const QRect strip(mapToGlobal(arrowStrip().topLeft()), arrowStrip().size());
        m_menu->setAttribute(Qt::WA_NoMouseReplay, isVisible() && strip.contains(global));
    }
    return OfficeButton::eventFilter(watched, event);
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
