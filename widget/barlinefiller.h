#ifndef BARLINEFILLER_H
#define BARLINEFILLER_H

#include "directpainter.h"

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QVarLengthArray>

// Fills the pixel lines of the colour bar, each in its own colour.
//
// Opaque lines are written straight into the image's scanlines when the painter allows it
// (see DirectPainter): exactly the pixels QPainter::fillRect writes there. Translucent lines,
// and every line of any other painter, go through fillRect.
class BarLineFiller
{
public:
    explicit BarLineFiller(QPainter &painter) : painter(painter), writer(painter) { }

    // One line in `color`; or in the pixel `pixel`, and when that is translucent in the colour
    // lastColor() gives.
    void fill(const QRect &line, const QColor &color)
    {
        fill(line, color.rgba(), [&color]() -> const QColor & { return color; });
    }
    template<typename LastColor> void fill(const QRect &line, QRgb pixel, LastColor lastColor)
    {
        if (writer.writesDirectly() && qAlpha(pixel) == 255)
            writer.fill(line, pixel);
        else
            painter.fillRect(line, lastColor());
    }

    // The one-pixel columns of `area` from left to right: column i gets the pixel pixelOf(i),
    // asked once per column in that order, and when that is translucent the colour
    // lastColor() gives right after it. Writing a column pixel by pixel touches one scanline
    // per pixel; so the columns' pixels are gathered into one row, which is then copied into
    // every row of the area, as long as they are all opaque.
    template<typename PixelOf, typename LastColor>
    void fillColumns(const QRect &area, PixelOf pixelOf, LastColor lastColor);

    // Opaque pixels, one per column of `area`, copied into every row; for a filler that
    // writes directly only.
    void fillRows(const QRect &area, const QRgb *pixels) { writer.fillRows(area, pixels); }

    bool writesDirectly() const { return writer.writesDirectly(); }

private:
    static QRect column(const QRect &area, int i)
    {
        return QRect(area.left() + i, area.top(), 1, area.height());
    }

    QPainter &painter;
    DirectPainter writer;
};

template<typename PixelOf, typename LastColor>
void BarLineFiller::fillColumns(const QRect &area, PixelOf pixelOf, LastColor lastColor)
{
    const int count = area.width();
    if (!writer.writesDirectly()) {
        for (int i = 0; i < count; ++i) {
            pixelOf(i);
            painter.fillRect(column(area, i), lastColor());
        }
        return;
    }
    QVarLengthArray<QRgb, 4096> row(count);
    bool allOpaque = true;
    for (int i = 0; i < count; ++i) {
        row[i] = pixelOf(i);
        if (qAlpha(row[i]) != 255) {
            painter.fillRect(column(area, i), lastColor());
            allOpaque = false;
        }
    }
    if (allOpaque) {
        writer.fillRows(area, row.constData());
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (qAlpha(row[i]) == 255)
            writer.fill(column(area, i), row[i]);
    }
}

#endif // BARLINEFILLER_H
