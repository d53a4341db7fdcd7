#ifndef BARLINEFILLER_H
#define BARLINEFILLER_H

#include "scanlinewriter.h"

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QVarLengthArray>

// Fills the pixel lines of the colour bar, each in its own colour.
//
// Opaque lines are written straight into the image's scanlines when the painter allows it
// (see ScanlineWriter): exactly the pixels QPainter::fillRect writes there. Translucent lines,
// and every line of any other painter, go through fillRect.
class BarLineFiller
{
public:
    explicit BarLineFiller(QPainter &painter) : painter(painter), writer(painter) { }

    // one line; `pixel` is color.rgba()
    void fill(const QRect &line, const QColor &color) { fill(line, color, color.rgba()); }
    void fill(const QRect &line, const QColor &color, QRgb pixel);

    // The one-pixel columns of `area` from left to right, column i in the colour
    // colorOf(i, pixel) returns, with its rgba() in `pixel`, asked once per column in order. Writing a column pixel by pixel touches one scanline per
    // pixel; so the columns' colours are gathered into one row, which is then copied into
    // every row of the area, as long as they are all opaque.
    template<typename ColorOf> void fillColumns(const QRect &area, ColorOf colorOf);

    bool writesDirectly() const { return writer.writesDirectly(); }

private:
    static QRect column(const QRect &area, int i)
    {
        return QRect(area.left() + i, area.top(), 1, area.height());
    }

    QPainter &painter;
    ScanlineWriter writer;
};

template<typename ColorOf> void BarLineFiller::fillColumns(const QRect &area, ColorOf colorOf)
{
    const int count = area.width();
    if (!writer.writesDirectly()) {
        QRgb pixel = 0;
        for (int i = 0; i < count; ++i)
            painter.fillRect(column(area, i), colorOf(i, pixel));
        return;
    }
    QVarLengthArray<QRgb, 4096> row(count);
    bool allOpaque = true;
    for (int i = 0; i < count; ++i) {
        const QColor &color = colorOf(i, row[i]);
        if (qAlpha(row[i]) != 255) {
            painter.fillRect(column(area, i), color);
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
