#pragma once

#include <QLabel>

// A static text with a single-line border at a fixed size, on white; never takes the focus.
class CaptionBox : public QLabel
{
    Q_OBJECT

public:
    explicit CaptionBox(QWidget *parent = nullptr);

    void setColors(const QColor &text, const QColor &background);
};
