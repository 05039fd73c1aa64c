#pragma once

#include "platform/grid/GridStyle.h"

#include <QObject>
#include <QPointer>
#include <QString>

class MemField;

// A column of a banded view, bound to a field by name. Its place is a band, a line of that band
// and a position on the line; a hidden column keeps its place. The width is a design width: the
// visible columns of a line share the band's width in proportion to theirs.
class GridColumn : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultWidth = 64;

    explicit GridColumn(QObject *parent = nullptr);

    QString fieldName() const { return m_fieldName; }
    void setFieldName(const QString &name);
    // Resolved by the view against its table; null while unbound.
    const MemField *field() const { return m_field; }

    // Without a caption the header shows the field's name.
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    QString displayCaption() const { return m_caption.isEmpty() ? m_fieldName : m_caption; }

    int bandIndex() const { return m_band; }
    void setBandIndex(int band);
    int lineIndex() const { return m_line; }
    void setLineIndex(int line);
    int place() const { return m_place; }
    void setPlace(int place);
    void setPosition(int band, int line, int place);

    int width() const { return m_width; }
    void setWidth(int width);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    GridStyle *contentStyle() const { return m_contentStyle; }
    void setContentStyle(GridStyle *style);
    GridStyle *headerStyle() const { return m_headerStyle; }
    void setHeaderStyle(GridStyle *style);
    Qt::Alignment headerVerticalAlignment() const { return m_headerVAlign; }
    void setHeaderVerticalAlignment(Qt::Alignment alignment);

Q_SIGNALS:
    void changed();

private:
    friend class GridBandedTableView;

    QString m_fieldName;
    QString m_caption;
    const MemField *m_field = nullptr;
    int m_band = 0;
    int m_line = 0;
    int m_place = 0;
    int m_width = DefaultWidth;
    bool m_visible = true;
    QPointer<GridStyle> m_contentStyle;
    QPointer<GridStyle> m_headerStyle;
    Qt::Alignment m_headerVAlign = Qt::AlignTop;
};
