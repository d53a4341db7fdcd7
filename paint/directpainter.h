#ifndef DIRECTPAINTER_H
#define DIRECTPAINTER_H

#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QtGlobal>

QT_FORWARD_DECLARE_CLASS(QPainter)

// Writes opaque pixels straight into the scanlines of the raster image a painter draws on,
// wherever that gives exactly the pixels the painter would write, and draws through the
// painter otherwise.
//
// Each call of Qt's raster fill routines costs far more than the few pixels a one-pixel line
// or a short bar line needs, so much more on processors where its vector routines stall. The
// writer is used when the painter draws on a 32-bit RGB image with nothing but a whole-pixel
// translation, full opacity, source-over composition, no clip of its own and at most a
// rectangular system clip (a widget's backing store, grab() and render() into 32-bit images).
// The painter's state must stay so while the writer is in use.
class DirectPainter
{
public:
    explicit DirectPainter(QPainter &painter);

    bool writesDirectly() const { return bits != nullptr; }

    // Direct writes only, for callers that checked writesDirectly(): `rect` in the painter's
    // coordinates, cut to the image and the clip. fillRows gives every row of `rect` the
    // pixels colors[0] .. colors[rect.width() - 1], the first at rect.left().
    void fill(const QRect &rect, QRgb pixel);
    void fillRows(const QRect &rect, const QRgb *colors);

    // The painter's eraseRect, drawLine and drawRect with its background, pen and brush:
    // written directly for a solid opaque background, and for horizontal or vertical lines
    // and unfilled rectangles of an opaque solid pen one pixel wide without antialiasing.
    void eraseRect(const QRect &rect);
    void drawLine(const QPoint &from, const QPoint &to);
    void drawRect(const QRect &rect);

private:
    void setUpDirectWrites();
    bool penPixel(QRgb &pixel) const;
    // the rectangle from column left to right and row top to bottom (both ends included), in
    // the painter's coordinates, cut to the clip in image pixels; false when nothing is left
    bool toImage(qint64 left, qint64 top, qint64 right, qint64 bottom, QRect &cut) const;
    void write(const QRect &cut, QRgb pixel);

    QPainter &painter;
    uchar *bits = nullptr;
    qsizetype bytesPerLine = 0;
    QPoint offset;
    QRect clip;
};

#endif // DIRECTPAINTER_H
