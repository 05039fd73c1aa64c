#pragma once

#include <QColor>
#include <QFont>
#include <QObject>

// How a part of the grid looks: background, font and text colour. Unset parts fall back to the
// look the grid would use by itself.
class GridStyle : public QObject
{
    Q_OBJECT

public:
    explicit GridStyle(QObject *parent = nullptr);

    QColor background() const { return m_background; }
    void setBackground(const QColor &colour);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &colour);
    bool hasFont() const { return m_hasFont; }
    QFont font() const { return m_font; }
    void setFont(const QFont &font);
    // A face as the forms name it, at a pixel height; faces this system lacks get a close relative.
    void setFont(const QString &face, int pixelSize, bool bold = false);

    static QFont fontFor(const QString &face, int pixelSize, bool bold = false);

Q_SIGNALS:
    void changed();

private:
    QColor m_background;
    QColor m_textColor;
    QFont m_font;
    bool m_hasFont = false;
};
