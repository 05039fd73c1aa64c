#pragma once

#include <QWidget>

// A read-only field that shows an address as a link; one click (not a double click) asks for it
// to be opened.
class HyperLinkEdit : public QWidget
{
    Q_OBJECT

public:
    explicit HyperLinkEdit(QWidget *parent = nullptr);

    void setText(const QString &address);
    QString text() const { return m_text; }
    void setBackground(const QColor &color);
    void setShadow(bool on) { m_shadow = on; update(); }

Q_SIGNALS:
    void activated(const QString &address);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QString m_text;
    QColor m_background;
    bool m_shadow = false;
};
