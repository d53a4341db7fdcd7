#ifndef TEXTRECORDER_H
#define TEXTRECORDER_H

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QVector>

#include <memory>

// A paint device that keeps every text drawn on it, where it was drawn and in which font, and
// draws nothing: what a painter really got, whatever the code that drove it believed it drew.
// Its resolution is the primary screen's, so texts are laid out as on a widget (it needs a
// QGuiApplication).

struct DrawnText
{
    QString text;
    QPointF origin; // the start of the text's base line, in device pixels
    QFont font;
};

class TextRecorder : public QPaintDevice
{
public:
    explicit TextRecorder(const QSize &size);
    ~TextRecorder() override;

    QPaintEngine *paintEngine() const override;
    const QVector<DrawnText> &texts() const;
    // the box of a drawn text's ink, from the metrics of the font it was drawn in
    QRectF inkBox(const DrawnText &text) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size;
    int dpiX;
    int dpiY;
    std::unique_ptr<QPaintEngine> engine;
};

#endif // TEXTRECORDER_H
