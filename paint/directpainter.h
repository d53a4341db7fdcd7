#ifndef DIRECTPAINTER_H
#define DIRECTPAINTER_H

#include <QRect>
#include <QRgb>
#include <QRgba64>
#include <QtGlobal>

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
// - A pen of width 1 at a whole scale other than 1 (2, 3, or 1 by 2) is stroked as a
//   rectangle of sx by sy per logical pixel centred on the line, square caps included, of
//   which every device pixel whose centre lies inside is drawn: a line at column x covers sx
//   device columns from the first one after sx * x + dx - (sx + 1) / 2. At an even scale no
//   edge meets a pixel centre; at scale 1 the raster engine draws the pen as a cosmetic line
//   on the very pixels of the line, which is the same rule.
// - At a scale that is not whole the same stroke is one or two device pixels wide as the line
//   falls (at 150 % the ticks of a scale come out 1, 1, 2, 2, 1, ...). A one-pixel line (a
//   tick, each edge of an outline) is then drawn crisp instead, by this class alone, on both
//   its ways: round(sx) device columns wide (at least one) from the device pixel in which the
//   logical pixel line starts, floor(sx * x + dx), and along the line from the first pixel
//   of its one end to the last of the other. A line on the first or the last logical pixel
//   of a widget so stays whole (a stroke centred on the line, as at scale 2, loses half of
//   it), and every tick and outline edge of a scale is equally wide. An outline is its four
//   edges, corners filled; a rectangle so small that its edges meet is filled whole. Through
//   the painter such a line is a fillRect of exactly those device pixels, so that the
//   painter alone gives what the direct writes give. Along an axis whose factor is whole the
//   line keeps the painter's placement.
// - An outline (drawRect) at scale 2 is its four edges by the rule for a pen of width 1, two
//   device pixels wide, of which the painter's bevel joins leave out exactly two pixels: the
//   outer corner pixel at the top left and the one at the bottom left (seen on rectangles of
//   every size, inside the image and far beyond its edges, at every whole-pixel translation).
// Left to the painter, and why:
// - every one-pixel line at a whole odd scale other than 1 (3): each edge of the stroke
//   falls on a row of pixel centres, which the painter gives to one side or the other as its
//   arithmetic happens to round (Qt 6 drew an end pixel there that Qt 5 left out);
// - the outline (drawRect) at a whole scale other than 1 and 2 (or 2 on one axis only): the
//   painter joins its edges with bevels, which leave out corner pixels in a pattern that
//   depends on the scale, matched only where the repaint needs it;
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
    // crisp at a scale that is not whole (see above).
    void drawLine(const QPoint &from, const QPoint &to);
    void drawRect(const QRect &rect);

private:
    // device pixels from first to last, both included
    struct Span
    {
        qint64 first;
        qint64 last;
    };
    struct OutlineEdges
    {
        Span left;
        Span right;
        Span top;
        Span bottom;
    };
    enum class LineRule { Painter, Exact, Crisp };

    void setUpMapping();
    void setUpDirectWrites();
    LineRule lineRule() const;
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
    void drawUnscaledOutline(const QRect &rect, QRgb pixel);
    void drawDoubledOutline(const QRect &rect, QRgb pixel);
    void writeSpans(const Span &columns, const Span &rows, QRgb pixel);

    QPainter &painter;
    // the painter's device transform, when it only scales (by factors above 0) and translates
    bool mapped = false;
    qreal scaleX = 1;
    qreal scaleY = 1;
    qreal shiftX = 0;
    qreal shiftY = 0;
    uchar *bits = nullptr;
    qsizetype bytesPerLine = 0;
    QRect clip;
};

#endif // DIRECTPAINTER_H
