#include "directpainter.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

using DeviceSpans::acrossLine;
using DeviceSpans::isWhole;
using DeviceSpans::roundedEdge;

namespace {

// Formats in which an opaque colour is stored as QColor::rgba() gives it, with or without
// premultiplication.
bool isPlain32BitFormat(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
            format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

DirectPainter::DirectPainter(QPainter &painter) : painter(painter)
{
    setUpMapping();
    setUpDirectWrites();
}

void DirectPainter::setUpMapping()
{
    // device coordinates are worked out in 64-bit integers, which these bounds keep far from
    // overflowing for any int coordinate
    constexpr qreal largestScale = 1 << 12;
    constexpr qreal largestShift = qreal(1) * (1 << 30);
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxScale || !(transform.m11() > 0) ||
        !(transform.m22() > 0) || transform.m11() > largestScale ||
        transform.m22() > largestScale || !(std::abs(transform.dx()) <= largestShift) ||
        !(std::abs(transform.dy()) <= largestShift))
        return;
    mapped = true;
    scaleX = transform.m11();
    scaleY = transform.m22();
    shiftX = transform.dx();
    shiftY = transform.dy();
    setUpBounds();
}

// The device pixels the painter's device spans. A widget's are those Qt gives it: its logical
// rectangle with each edge at round(scale * edge + shift), halves up, as Qt rounds the clip of
// a widget at any place in its window, in a backing store, grab() or render() alike, and as
// the raster engine rounds the edges of every filled rectangle; so the widget's bar fills
// exactly those pixels. Any other device (an image, a pixmap) spans its own pixels.
void DirectPainter::setUpBounds()
{
    const QPaintDevice *device = painter.device();
    if (!device)
        return;
    if (device->devType() == QInternal::Widget) {
        boundsX = fillSpanX(0, device->width());
        boundsY = fillSpanY(0, device->height());
        return;
    }
    boundsX = {0, qint64(device->width()) - 1};
    boundsY = {0, qint64(device->height()) - 1};
}

// The one rule for direct writes: everything the painter would do with a pixel other than
// store it, at pixels that scale and whole-pixel offset give, sends every drawing to the
// painter.
void DirectPainter::setUpDirectWrites()
{
    QPaintEngine *engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster)
        return;
    QPaintDevice *device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return;
    QImage *image = static_cast<QImage *>(device);
    // The engine writes into the image's own buffer; a shared image would be copied by
    // bits() and our pixels would land in the copy.
    if (!isPlain32BitFormat(image->format()) || !image->isDetached())
        return;
    if (!mapped || !isWhole(shiftX) || !isWhole(shiftY) || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver || painter.hasClipping())
        return;
    const QRegion systemClip = engine->systemClip();
    if (systemClip.rectCount() > 1)
        return;
    clip = image->rect();
    if (!systemClip.isEmpty())
        clip &= systemClip.boundingRect();
    bytesPerLine = image->bytesPerLine();
    bits = image->bits();
}

DirectPainter::Span DirectPainter::fillSpanX(qint64 from, qint64 length) const
{
    return DeviceSpans::fill(from, length, scaleX, shiftX);
}

DirectPainter::Span DirectPainter::fillSpanY(qint64 from, qint64 length) const
{
    return DeviceSpans::fill(from, length, scaleY, shiftY);
}

DirectPainter::Span DirectPainter::lineSpanX(qint64 x) const
{
    return acrossLine(fillSpanX(x, 1), scaleX, boundsX, false);
}

DirectPainter::Span DirectPainter::lineSpanY(qint64 y) const
{
    return acrossLine(fillSpanY(y, 1), scaleY, boundsY, false);
}

bool DirectPainter::toImage(const Span &columns, const Span &rows, QRect &cut) const
{
    const qint64 l = std::max<qint64>(columns.first, clip.left());
    const qint64 r = std::min<qint64>(columns.last, clip.right());
    const qint64 t = std::max<qint64>(rows.first, clip.top());
    const qint64 b = std::min<qint64>(rows.last, clip.bottom());
    if (l > r || t > b)
        return false;
    // within the clip, hence within int
    cut.setCoords(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r),
                  static_cast<int>(b));
    return true;
}

// Lines are drawn by these rules only within the range in which Qt's raster engine draws
// them without clipping them in floating point first; beyond it the painter draws them.
bool DirectPainter::withinLineLimit(qint64 x, qint64 y) const
{
    constexpr qreal limit = 32767;
    const qreal deviceX = scaleX * x + shiftX;
    const qreal deviceY = scaleY * y + shiftY;
    return deviceX >= -limit && deviceX <= limit && deviceY >= -limit && deviceY <= limit;
}

// Wide rectangles get their first row filled and the others copied from it, which runs at
// the memory's speed; narrow ones, such as ticks, are filled row by row.
void DirectPainter::write(const QRect &cut, QRgb pixel)
{
    constexpr int copiedFromWidth = 64;
    if (cut.width() >= copiedFromWidth) {
        std::fill(firstRow(cut), firstRow(cut) + cut.width(), pixel);
        copyFirstRowDown(cut);
        return;
    }
    for (int y = cut.top(); y <= cut.bottom(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(bits + y * bytesPerLine) + cut.left();
        std::fill(row, row + cut.width(), pixel);
    }
}

QRgb *DirectPainter::firstRow(const QRect &cut) const
{
    return reinterpret_cast<QRgb *>(bits + cut.top() * bytesPerLine) + cut.left();
}

// A wide area's first row, once written, is copied into every other row of it: one pass over
// the pixels instead of a fill per row.
void DirectPainter::copyFirstRowDown(const QRect &cut)
{
    const QRgb *first = firstRow(cut);
    const size_t bytes = static_cast<size_t>(cut.width()) * sizeof(QRgb);
    for (int y = cut.top() + 1; y <= cut.bottom(); ++y)
        std::memcpy(bits + y * bytesPerLine + cut.left() * qsizetype(sizeof(QRgb)), first, bytes);
}

// The device pixels of the painter's fillRect of `rect`.
void DirectPainter::writeRect(const QRect &rect, QRgb pixel)
{
    writeSpans(fillSpanX(rect.left(), rect.width()), fillSpanY(rect.top(), rect.height()), pixel);
}

// An antialiased painter blends the device pixels that a filled rectangle's edges cut, which
// a scale that is not whole makes of almost every edge; at 3 it was seen to blend a few
// pixels along whole-pixel edges as well.
bool DirectPainter::fillsDirectly() const
{
    return bits &&
            (!painter.testRenderHint(QPainter::Antialiasing) || (scaleX == 1 && scaleY == 1));
}

bool DirectPainter::backgroundPixel(QRgb &pixel) const
{
    const QBrush &background = painter.background();
    if (!fillsDirectly() || background.style() != Qt::SolidPattern || background.color().alpha() != 255)
        return false;
    pixel = background.color().rgba();
    return true;
}

void DirectPainter::eraseRect(const QRect &rect, const QRect &covered)
{
    QRgb pixel = 0;
    if (!backgroundPixel(pixel)) {
        painter.eraseRect(rect);
        return;
    }
    const QRect inner = covered & rect;
    if (inner.isEmpty()) {
        writeRect(rect, pixel);
        return;
    }
    // the bands above, below, left and right of the covered part; empty ones write nothing,
    // and at a scale they meet the covered part's device pixels as its own edges do
    writeRect(QRect(rect.topLeft(), QPoint(rect.right(), inner.top() - 1)), pixel);
    writeRect(QRect(QPoint(rect.left(), inner.bottom() + 1), rect.bottomRight()), pixel);
    writeRect(QRect(QPoint(rect.left(), inner.top()), QPoint(inner.left() - 1, inner.bottom())),
              pixel);
    writeRect(QRect(QPoint(inner.right() + 1, inner.top()), QPoint(rect.right(), inner.bottom())),
              pixel);
}

// The order of the lines is the painter's concern only where they may share pixels (an
// antialiased painter): columns from the left, rows from the bottom up, as the bar has always
// drawn them.
void DirectPainter::fillLines(const QRect &area, Qt::Orientation direction, const QRgba64 *colours)
{
    if (direction == Qt::Vertical) {
        for (int i = area.height() - 1; i >= 0; --i)
            fillLine(QRect(area.left(), area.top() + i, area.width(), 1), colours[i]);
        return;
    }
    const int count = area.width();
    if (fillsDirectly() && std::all_of(colours, colours + count, [](QRgba64 c) { return c.isOpaque(); })) {
        writeRows(area, colours);
        return;
    }
    for (int i = 0; i < count; ++i)
        fillLine(QRect(area.left() + i, area.top(), 1, area.height()), colours[i]);
}

// A translucent colour is blended by the painter, in the colour's own 16 bits per channel.
void DirectPainter::fillLine(const QRect &line, QRgba64 colour)
{
    if (fillsDirectly() && colour.isOpaque())
        writeRect(line, colour.toArgb32());
    else
        painter.fillRect(line, QColor(colour));
}

// Opaque columns: a column written pixel by pixel touches one scanline per pixel, so the
// first row is written and then copied into every other row. At a scale each column covers
// the device columns of its own fillRect: none, one or more.
void DirectPainter::writeRows(const QRect &area, const QRgba64 *colours)
{
    QRect cut;
    if (!toImage(fillSpanX(area.left(), area.width()), fillSpanY(area.top(), area.height()), cut))
        return;
    QRgb *row = firstRow(cut) - cut.left();
    if (scaleX == 1) {
        const QRgba64 *from = colours + (cut.left() - (qint64(area.left()) + qint64(shiftX)));
        std::transform(from, from + cut.width(), row + cut.left(),
                       [](QRgba64 c) { return c.toArgb32(); });
    } else if (isWhole(scaleX)) {
        writeWholeScaledRow(row, cut, roundedEdge(scaleX * area.left() + shiftX), colours);
    } else {
        // each column's right edge is the next one's left edge
        qint64 first = roundedEdge(scaleX * area.left() + shiftX);
        for (int i = 0; i < area.width(); ++i) {
            const qint64 end = roundedEdge(scaleX * (qint64(area.left()) + i + 1) + shiftX);
            const qint64 from = std::max<qint64>(first, cut.left());
            const qint64 to = std::min<qint64>(end, qint64(cut.right()) + 1);
            const QRgb pixel = colours[i].toArgb32();
            for (qint64 x = from; x < to; ++x)
                row[x] = pixel;
            first = end;
        }
    }
    copyFirstRowDown(cut);
}

// At a whole scale every column is the same number of device columns wide, from `start`,
// the first device column of the first; only the cut's ends may take part of a column.
void DirectPainter::writeWholeScaledRow(QRgb *row, const QRect &cut, qint64 start,
                                        const QRgba64 *colours)
{
    const qint64 width = static_cast<qint64>(scaleX);
    qint64 column = (cut.left() - start) / width;
    qint64 x = cut.left();
    const qint64 end = qint64(cut.right()) + 1;
    while (x < end) {
        const QRgb pixel = colours[column].toArgb32();
        ++column;
        const qint64 to = std::min(start + column * width, end);
        for (; x < to; ++x)
            row[x] = pixel;
    }
}

// A solid pen of width 1 (or 0 without a scale) with square caps, aliased: what the rules in
// the class comment cover.
bool DirectPainter::onePixelPen() const
{
    const QPen &pen = painter.pen();
    const bool unscaled = scaleX == 1 && scaleY == 1;
    return pen.style() == Qt::SolidLine && pen.isSolid() && pen.capStyle() == Qt::SquareCap &&
            (pen.widthF() == 1.0 || (pen.widthF() == 0.0 && unscaled)) &&
            !painter.testRenderHint(QPainter::Antialiasing);
}

// The pen's pixel, when its colour is opaque and it can be written directly.
bool DirectPainter::penPixel(QRgb &pixel) const
{
    const QColor color = painter.pen().color();
    if (!bits || color.alpha() != 255)
        return false;
    pixel = color.rgba();
    return true;
}

// Whether one-pixel lines are drawn by the rules in the class comment, at the painter's
// transform and pen. Without a scale but between device pixels they are the painter's.
bool DirectPainter::crispLines() const
{
    const bool betweenPixels = scaleX == 1 && scaleY == 1 && !(isWhole(shiftX) && isWhole(shiftY));
    return mapped && scaleX >= 1 && scaleY >= 1 && !betweenPixels && onePixelPen();
}

// Device pixels in the pen's colour: written directly, or through the painter as a fillRect
// of exactly those pixels.
void DirectPainter::fillDevice(const Span &columns, const Span &rows, const QColor &colour)
{
    QRgb pixel = 0;
    if (penPixel(pixel)) {
        writeSpans(columns, rows, pixel);
        return;
    }
    // edges on whole device pixels, which the painter's rounding keeps there
    const QPointF topLeft((columns.first - shiftX) / scaleX, (rows.first - shiftY) / scaleY);
    const QPointF bottomRight((columns.last + 1 - shiftX) / scaleX,
                              (rows.last + 1 - shiftY) / scaleY);
    painter.fillRect(QRectF(topLeft, bottomRight), colour);
}

// A line of one point is left to the painter, as is every slanted line. Along the line its
// device pixels are those of its logical pixels, from the first of one end to the last of the
// other.
void DirectPainter::drawLine(const QPoint &from, const QPoint &to)
{
    const bool vertical = from.x() == to.x();
    const bool straight = vertical != (from.y() == to.y());
    if (!straight || !crispLines() || !withinLineLimit(from.x(), from.y()) ||
        !withinLineLimit(to.x(), to.y())) {
        painter.drawLine(from, to);
        return;
    }
    const qint64 left = std::min(from.x(), to.x());
    const qint64 top = std::min(from.y(), to.y());
    // one of the two differences is 0
    const qint64 length =
            std::abs(qint64(to.x()) - from.x()) + std::abs(qint64(to.y()) - from.y()) + 1;
    const Span columns = vertical ? lineSpanX(left) : fillSpanX(left, length);
    const Span rows = vertical ? fillSpanY(top, length) : lineSpanY(top);
    fillDevice(columns, rows, painter.pen().color());
}

// An unfilled rectangle only; the outline runs from left to left + width and from top to
// top + height, as the raster engine strokes a QRect.
void DirectPainter::drawRect(const QRect &rect)
{
    const qint64 right = qint64(rect.left()) + rect.width();
    const qint64 bottom = qint64(rect.top()) + rect.height();
    if (rect.width() <= 0 || rect.height() <= 0 || painter.brush().style() != Qt::NoBrush ||
        !crispLines() || !withinLineLimit(rect.left(), rect.top()) ||
        !withinLineLimit(right, bottom)) {
        painter.drawRect(rect);
        return;
    }
    drawCrispOutline(rect, painter.pen().color());
}

// The device pixels of the four one-pixel lines an outline is made of, at column left and
// left + width, at row top and top + height: the right and bottom ones up to the last device
// pixel of their logical lines, so that the outline covers exactly the device pixels of the
// logical pixels it encloses, as a fillRect of them would, and no fewer.
DirectPainter::OutlineEdges DirectPainter::outlineEdges(const QRect &rect) const
{
    const qint64 right = qint64(rect.left()) + rect.width();
    const qint64 bottom = qint64(rect.top()) + rect.height();
    return {acrossLine(fillSpanX(rect.left(), 1), scaleX, boundsX, false),
            acrossLine(fillSpanX(right, 1), scaleX, boundsX, true),
            acrossLine(fillSpanY(rect.top(), 1), scaleY, boundsY, false),
            acrossLine(fillSpanY(bottom, 1), scaleY, boundsY, true)};
}

// The four edges as four rectangles that share no pixel, or one filled whole where they meet.
void DirectPainter::drawCrispOutline(const QRect &rect, const QColor &colour)
{
    const auto [left, right, top, bottom] = outlineEdges(rect);
    if (right.first <= left.last + 1 || bottom.first <= top.last + 1) {
        fillDevice({left.first, right.last}, {top.first, bottom.last}, colour);
        return;
    }
    fillDevice({left.first, right.last}, top, colour);
    fillDevice({left.first, right.last}, bottom, colour);
    fillDevice(left, {top.last + 1, bottom.first - 1}, colour);
    fillDevice(right, {top.last + 1, bottom.first - 1}, colour);
}

void DirectPainter::writeSpans(const Span &columns, const Span &rows, QRgb pixel)
{
    QRect cut;
    if (toImage(columns, rows, cut))
        write(cut, pixel);
}
