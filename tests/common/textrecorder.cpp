#include "textrecorder.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QTextItem>
#include <QTransform>

#include <climits>

namespace {

// Keeps the texts with the painter's transform applied; every other drawing is dropped.
class TextRecordingEngine : public QPaintEngine
{
public:
    TextRecordingEngine() : QPaintEngine(AllFeatures) { }

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyTransform)
            transform = state.transform();
    }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        texts.append({item.text(), transform.map(p), item.font()});
    }

    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override { }
    void drawPath(const QPainterPath &) override { }

    QTransform transform;
    QVector<DrawnText> texts;
};

} // namespace

TextRecorder::TextRecorder(const QSize &size)
    : size(size)
    , dpiX(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX()))
    , dpiY(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY()))
    , engine(new TextRecordingEngine)
{ }

TextRecorder::~TextRecorder() = default;

QPaintEngine *TextRecorder::paintEngine() const
{
    return engine.get();
}

const QVector<DrawnText> &TextRecorder::texts() const
{
    return static_cast<const TextRecordingEngine *>(engine.get())->texts;
}

QRectF TextRecorder::inkBox(const DrawnText &text) const
{
    return QFontMetricsF(text.font, this).tightBoundingRect(text.text).translated(text.origin);
}

int TextRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return size.width();
    case PdmHeight:
        return size.height();
    case PdmWidthMM:
        return size.width() * 254 / (dpiX * 10);
    case PdmHeightMM:
        return size.height() * 254 / (dpiY * 10);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return dpiX;
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return dpiY;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return qRound(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}
