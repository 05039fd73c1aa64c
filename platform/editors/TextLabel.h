#pragma once

#include <QLabel>

// A label on a background colour of its own.
class TextLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TextLabel(QWidget *parent = nullptr);
    explicit TextLabel(const QString &text, QWidget *parent = nullptr);

    void setColors(const QColor &text, const QColor &background);
};
