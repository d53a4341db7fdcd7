#ifndef DIRECTPAINTER_H
#define DIRECTPAINTER_H

#include "devicespans.h"

#include <QRect>
#include <QRgb>
#include <QRgba64>
#include <QtGlobal>

#include <limits>

QT_FORWARD_DECLARE_CLASS(QColor)
QT_FORWARD_DECLARE_CLASS(QPainter)

// Draws what a repaint draws most often (pixel lines of one colour each, an erase, one-pixel
// lines and outlines) with exactly the pixels a QPainter would draw, writing them straight
// into the scanlines of the raster image the painter draws on wherever that gives those
// pixels, and through the painter otherwise.
//
// Each call of Qt's raster fill routines costs far more than the few pixels a one-pixel line
// or a short bar line needs, so much more on processors where its vector routines stall, and
// through a scaling painter (a screen at 125 %, 150 %, 200 %) more again.
// Whether the painter allows direct writes is decided once, when the object is made: a 32-bit
// RGB image of its own; a transform that only scales, by factors above 0 (equal or not; the
// device pixel ratio is one of them), and translates by whole device pixels; full opacity,
// source-over composition, no clip of its own and at most a rectangular system clip (a
// widget's backing store, grab() and render() into 32-bit images). Each drawing then writes
// directly only what it can write exactly (opaque pixels, a solid background, an aliased
// one-pixel pen). The painter's state must stay so while the object is in use; it owns
// nothing.
//
// The painter's rules at a scale sx, sy with translation dx, dy (found by comparing with Qt's
// raster engine, the same on Qt 5 and Qt 6; device columns here, rows alike):
// - A filled rectangle from column l to l + w (eraseRect, fillRect, each bar line) covers the
//   device columns from round(sx * l + dx) up to, not including, round(sx * (l + w) + dx),
//   rounding halves up. Neighbouring rectangles so share no pixel and leave no gap; a bar
//   line is one or two device pixels wide at 150 %, which the bar's colours hide.
// - A one-pixel line (a solid pen of width 1, square caps, aliased: a tick, each edge of an
//   outline) at any scale of 1 or more is drawn crisp, by this class alone, on both its ways:
//   across the line round(sx) device columns (at least one) from the first device column of
//   its logical pixel line, as a filled rectangle would cover that line (above); along the
//   line the device pixels of its logical pixels, from one end to the other. On the last
//   logical pixel line within the device's bounds the line ends on the bounds' last device
//   column instead, and a line wholly outside them keeps to its own device columns. An
//   outline is its four edges, the right and bottom ones ending on the last device column
//   (row) of their logical lines, corners filled; a rectangle so small that its edges meet
//   is filled whole. So every tick and outline edge is equally wide, whole on the first and
//   the last pixel line of a widget, and an outline covers exactly the device pixels a
//   fillRect of what it encloses covers: a bar filled inside it shows no pixel beyond it.
//   Through the painter such a line is a fillRect of exactly those device pixels, so that the
//   painter alone gives what the direct writes give. At scale 1 this is the painter's own
//   line, and its outline but for a corner pixel the raster engine leaves out of rectangles
//   that start two or more pixels left of the image; at other scales the painter's stroke is
//   one or two device pixels wide as it falls (150 %), or centred on the logical line so that
//   half of it is lost on a widget's first pixel line (200 %).
// - The device's bounds: for a widget, the device pixels Qt gives it, its logical rectangle
//   with each edge rounded as a filled rectangle's (above); Qt rounds a widget's clip so at any
//   place in its window, on its backing store, in grab() and in render(), Qt 5 and Qt 6 alike,
//   where the painter's translation is the widget's place times the ratio and may fall
//   between device pixels. For any other device, its own pixels.
// Left to the painter, and why:
// - one-pixel lines without a scale but between device pixels, where the painter's cosmetic
//   line chooses its pixels by rules of its own;
// - every line at a scale below 1 on either axis, and a pen of width 0 at any scale other
//   than 1: the raster engine draws those as cosmetic lines one device pixel wide, which are
//   even already and whose ends the cosmetic stroker places by rules of its own;
// - fills of an antialiased painter at any scale other than 1, which blends the device pixels
//   that edges cut;
// - slanted lines, lines of one point, other pens (dashed, wider, flat or round caps,
//   antialiased), filled rectangles, translucent backgrounds and gradients, and lines reaching
//   beyond the range the raster engine draws without clipping them first; every drawing under
//   any other transform (rotated, sheared, mirrored, scaled by more than 4096) and, but for
//   the crisp lines, which stay crisp through the painter, under a translation between device
//   pixels.
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

    // The painter's drawLine and drawRect with its pen (and, for the rectangle, its brush),
    // one-pixel lines crisp at every scale of 1 or more (see above).
    void drawLine(const QPoint &from, const QPoint &to);
    void drawRect(const QRect &rect);

private:
    using Span = DeviceSpans::Span;
    struct OutlineEdges
    {
        Span left;
        Span right;
        Span top;
        Span bottom;
    };

    void setUpMapping();
    void setUpBounds();
    void setUpDirectWrites();
    bool crispLines() const;
    bool fillsDirectly() const;
    bool onePixelPen() const;
    bool penPixel(QRgb &pixel) const;
    bool backgroundPixel(QRgb &pixel) const;
    Span fillSpanX(qint64 from, qint64 length) const;
    Span fillSpanY(qint64 from, qint64 length) const;
    Span lineSpanX(qint64 x) const;
    Span lineSpanY(qint64 y) const;
    // device columns and rows, cut to the clip; false when nothing is left
    bool toImage(const Span &columns, const Span &rows, QRect &cut) const;
    bool withinLineLimit(qint64 x, qint64 y) const;
    void write(const QRect &cut, QRgb pixel);
    QRgb *firstRow(const QRect &cut) const;
    void copyFirstRowDown(const QRect &cut);
    void writeRect(const QRect &rect, QRgb pixel);
    void writeRows(const QRect &area, const QRgba64 *colours);
    void writeWholeScaledRow(QRgb *row, const QRect &cut, qint64 start, const QRgba64 *colours);
    void fillLine(const QRect &line, QRgba64 colour);
    void fillDevice(const Span &columns, const Span &rows, const QColor &colour);
    OutlineEdges outlineEdges(const QRect &rect) const;
    void drawCrispOutline(const QRect &rect, const QColor &colour);
    void writeSpans(const Span &columns, const Span &rows, QRgb pixel);

    QPainter &painter;
    // the painter's device transform, when it only scales (by factors above 0) and translates
    bool mapped = false;
    qreal scaleX = 1;
    qreal scaleY = 1;
    qreal shiftX = 0;
    qreal shiftY = 0;
    // the device pixels of the painter's device (see setUpBounds); unbounded until known
    Span boundsX{std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()};
    Span boundsY{std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()};
    uchar *bits = nullptr;
    qsizetype bytesPerLine = 0;
    QRect clip;
};

#endif // DIRECTPAINTER_H
