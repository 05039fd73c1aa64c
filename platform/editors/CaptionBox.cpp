#include "CaptionBox.h"

CaptionBox::CaptionBox(QWidget *parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setColors(Qt::black, Qt::white);
}

void CaptionBox::setColors(const QColor &text, const QColor &background)
{
    QPalette p = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Window, background);
    }
    setPalette(p);
}
