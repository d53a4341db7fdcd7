#ifndef BARLINEFILLER_H
#define BARLINEFILLER_H

#include <QPoint>
#include <QRect>
#include <QtGlobal>

class QColor;
class QPainter;

// Fills the pixel lines of the colour bar, one line per call, each in its own colour.
//
// QPainter::fillRect on a one-pixel-wide column costs one call of the raster engine's fill
// routine per pixel row, which dominates a repaint. So when the painter draws on a 32-bit
// raster image with nothing but a whole-pixel translation, full opacity, source-over
// composition, no clip of its own and at most a rectangular system clip, an opaque line is
// written straight into the image's scanlines: exactly the pixels fillRect writes there.
// Translucent lines, and every line of any other painter, go through fillRect.
class BarLineFiller
{
public:
    explicit BarLineFiller(QPainter &painter);

    void fill(const QRect &line, const QColor &color);
    bool writesDirectly() const { return bits != nullptr; }

private:
    void setUpDirectWrites();

    QPainter &painter;
    uchar *bits = nullptr;
    qsizetype bytesPerLine = 0;
    QPoint offset;
    QRect clip;
};

#endif // BARLINEFILLER_H
