#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <QWidget>

// Collects the texts a widget paints, so a test can ask what the user reads on screen.
class PaintedTexts : public QPaintDevice
{
public:
    explicit PaintedTexts(QSize size) : m_size(size), m_engine(this) {}

    static QStringList of(QWidget *widget)
    {
        PaintedTexts device(widget->size());
        widget->render(&device, QPoint(), QRegion(), QWidget::DrawChildren);
        return device.m_texts;
    }

    QPaintEngine *paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmWidthMM: return m_size.width() * 254 / 960;
        case PdmHeightMM: return m_size.height() * 254 / 960;
        case PdmNumColors: return 0x7fffffff;
        case PdmDepth: return 32;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(PaintedTexts *device) : QPaintEngine(AllFeatures), m_device(device) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawTextItem(const QPointF &, const QTextItem &item) override { m_device->m_texts << item.text(); }
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawRects(const QRectF *, int) override {}
        void drawLines(const QLineF *, int) override {}
        Type type() const override { return User; }

    private:
        PaintedTexts *m_device;
    };

    QSize m_size;
    mutable Engine m_engine;
    QStringList m_texts;
};
