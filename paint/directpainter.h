#ifndef DIRECTPAINTER_H
#define DIRECTPAINTER_H

#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QRgba64>
#include <QtGlobal>

QT_FORWARD_DECLARE_CLASS(QPainter)

// Draws what a repaint draws most often (pixel lines of one colour each, an erase, one-pixel
// lines and outlines) with exactly the pixels a QPainter would draw, writing them straight
// into the scanlines of the raster image the painter draws on wherever that gives those
// pixels, and through the painter otherwise.
//
// Each call of Qt's raster fill routines costs far more than the few pixels a one-pixel line
// or a short bar line needs, so much more on processors where its vector routines stall.
// Whether the painter allows direct writes is decided once, when the object is made: a 32-bit
// RGB image of its own, nothing but a whole-pixel translation, full opacity, source-over
// composition, no clip of its own and at most a rectangular system clip (a widget's backing
// store, grab() and render() into 32-bit images). Each drawing then writes directly only what
// it can write exactly (opaque pixels, a solid background, an aliased one-pixel pen). The
// painter's state must stay so while the object is in use; it owns nothing.
class DirectPainter
{
public:
    explicit DirectPainter(QPainter &painter);

    bool writesDirectly() const { return bits != nullptr; }

    // The painter's eraseRect. `covered`, a part of `rect` that the caller fills next with
    // opaque pixel lines, is left out when both are written directly: only a background of
    // one solid opaque colour, since a gradient is laid out over the whole rectangle erased.
    void eraseRect(const QRect &rect, const QRect &covered = QRect());

    // Pixel lines of one colour each, side by side across `area`: a column per colour from
    // the left when `direction` is horizontal, a row per colour from the top when it is
    // vertical. Each line gets the pixels of QPainter::fillRect in its colour.
    void fillLines(const QRect &area, Qt::Orientation direction, const QRgba64 *colours);

    // The painter's drawLine and drawRect with its pen (and, for the rectangle, its brush).
    void drawLine(const QPoint &from, const QPoint &to);
    void drawRect(const QRect &rect);

private:
    void setUpDirectWrites();
    bool penPixel(QRgb &pixel) const;
    bool backgroundPixel(QRgb &pixel) const;
    // the rectangle from column left to right and row top to bottom (both ends included), in
    // the painter's coordinates, cut to the clip in image pixels; false when nothing is left
    bool toImage(qint64 left, qint64 top, qint64 right, qint64 bottom, QRect &cut) const;
    bool withinLineLimit(qint64 x, qint64 y) const;
    void write(const QRect &cut, QRgb pixel);
    QRgb *firstRow(const QRect &cut) const;
    void copyFirstRowDown(const QRect &cut);
    void writeSpan(qint64 left, qint64 top, qint64 right, qint64 bottom, QRgb pixel);
    void writeRect(const QRect &rect, QRgb pixel);
    void writeRows(const QRect &area, const QRgba64 *colours);
    void fillLine(const QRect &line, QRgba64 colour);

    QPainter &painter;
    uchar *bits = nullptr;
    qsizetype bytesPerLine = 0;
    QPoint offset;
    QRect clip;
};

#endif // DIRECTPAINTER_H
