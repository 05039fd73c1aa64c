#include "HyperLinkEdit.h"

#include "EditorAccessibility.h"

#include <QMouseEvent>
#include <QPainter>

HyperLinkEdit::HyperLinkEdit(QWidget *parent) : QWidget(parent), m_background(palette().color(QPalette::Button))
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    EditorAccessibility::install();
}

void HyperLinkEdit::setText(const QString &address)
{
    m_text = address;
    setToolTip(address);
    update();
    EditorAccessibility::nameChanged(this);
}

void HyperLinkEdit::setBackground(const QColor &color)
{
    m_background = color;
    update();
}

void HyperLinkEdit::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QRect r = rect();
    if (m_shadow) {
        p.fillRect(r.adjusted(2, 2, 0, 0), palette().color(QPalette::Shadow));
        r.adjust(0, 0, -2, -2);
    }
    p.fillRect(r, m_background);
    QFont f = font();
    f.setUnderline(true);
    p.setFont(f);
    p.setPen(QColor(0, 0, 255));
    p.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, m_text);
}

void HyperLinkEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !m_text.isEmpty())
        Q_EMIT activated(m_text);
}

void HyperLinkEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The press of the double click already opened it once.
    event->accept();
}
