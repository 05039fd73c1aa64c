#include "TextLabel.h"

TextLabel::TextLabel(QWidget *parent) : TextLabel(QString(), parent) {}

TextLabel::TextLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TextLabel::setColors(const QColor &text, const QColor &background)
{
    QPalette p = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Window, background);
    }
    setPalette(p);
}
