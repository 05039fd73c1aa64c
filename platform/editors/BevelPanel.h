#pragma once

#include <QColor>
#include <QWidget>

// A panel with an inner and an outer bevel, an optional single-line border and a centred caption.
class BevelPanel : public QWidget
{
    Q_OBJECT

public:
    enum class Bevel { None, Lowered, Raised };

    explicit BevelPanel(QWidget *parent = nullptr);

    void setBevels(Bevel inner, Bevel outer);
    void setBevelWidth(int width);
    void setBorderWidth(int width);        // the gap between the two bevels
    void setSingleBorder(bool on);         // a one-pixel frame line around everything
    void setColor(const QColor &color);
    void setCaption(const QString &caption);
    void setCaptionColor(const QColor &color);

    Bevel innerBevel() const { return m_inner; }
    Bevel outerBevel() const { return m_outer; }
    QString caption() const { return m_caption; }
    QColor color() const { return m_color; }
    // Width taken by the frame on each side: children are laid out inside it.
    int frameWidth() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawBevel(QPainter &p, QRect &r, Bevel bevel) const;

    Bevel m_inner = Bevel::Lowered;
    Bevel m_outer = Bevel::Raised;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    bool m_singleBorder = false;
    QColor m_color;
    QColor m_captionColor;
    QString m_caption;
};
