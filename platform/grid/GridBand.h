#pragma once

#include <QObject>
#include <QString>

// A band of a banded view: a block of columns with a caption, a width and a place on the left
// edge or in the part that scrolls sideways.
class GridBand : public QObject
{
    Q_OBJECT

public:
    enum class Fixed { None, Left };

    explicit GridBand(QObject *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    int width() const { return m_width; }
    void setWidth(int width);
    Fixed fixed() const { return m_fixed; }
    void setFixed(Fixed fixed);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

Q_SIGNALS:
    void changed();

private:
    QString m_caption;
    int m_width = 200;
    Fixed m_fixed = Fixed::None;
    bool m_visible = true;
};
