#include "directpainter.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Formats in which an opaque colour is stored as QColor::rgba() gives it, with or without
// premultiplication.
bool isPlain32BitFormat(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
            format == QImage::Format_ARGB32_Premultiplied;
}

bool isWholePixelTranslation(const QTransform &transform)
{
    return transform.type() <= QTransform::TxTranslate &&
            transform.dx() == std::floor(transform.dx()) &&
            transform.dy() == std::floor(transform.dy());
}

} // namespace

DirectPainter::DirectPainter(QPainter &painter) : painter(painter)
{
    setUpDirectWrites();
}

// The one rule for direct writes: everything the painter would do with a pixel other than
// store it at a whole-pixel offset sends every drawing to the painter.
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
    const QTransform transform = painter.deviceTransform();
    if (!isWholePixelTranslation(transform) || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver || painter.hasClipping())
        return;
    const QRegion systemClip = engine->systemClip();
    if (systemClip.rectCount() > 1)
        return;
    clip = image->rect();
    if (!systemClip.isEmpty())
        clip &= systemClip.boundingRect();
    offset = QPoint(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
    bytesPerLine = image->bytesPerLine();
    bits = image->bits();
}

bool DirectPainter::toImage(qint64 left, qint64 top, qint64 right, qint64 bottom, QRect &cut) const
{
    const qint64 l = std::max<qint64>(left + offset.x(), clip.left());
    const qint64 r = std::min<qint64>(right + offset.x(), clip.right());
    const qint64 t = std::max<qint64>(top + offset.y(), clip.top());
    const qint64 b = std::min<qint64>(bottom + offset.y(), clip.bottom());
    if (l > r || t > b)
        return false;
    // within the clip, hence within int
    cut.setCoords(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r),
                  static_cast<int>(b));
    return true;
}

// Lines are written directly only within the range in which Qt's raster engine draws them
// without clipping them in floating point first; beyond it the painter draws them.
bool DirectPainter::withinLineLimit(qint64 x, qint64 y) const
{
    constexpr qint64 limit = 32767;
    const qint64 deviceX = x + offset.x();
    const qint64 deviceY = y + offset.y();
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

// From column left to right and row top to bottom, both ends included, in the painter's
// coordinates: a one-pixel line when left equals right or top equals bottom.
void DirectPainter::writeSpan(qint64 left, qint64 top, qint64 right, qint64 bottom, QRgb pixel)
{
    QRect cut;
    if (toImage(left, top, right, bottom, cut))
        write(cut, pixel);
}

void DirectPainter::writeRect(const QRect &rect, QRgb pixel)
{
    writeSpan(rect.left(), rect.top(), qint64(rect.left()) + rect.width() - 1,
              qint64(rect.top()) + rect.height() - 1, pixel);
}

bool DirectPainter::backgroundPixel(QRgb &pixel) const
{
    const QBrush &background = painter.background();
    if (!bits || background.style() != Qt::SolidPattern || background.color().alpha() != 255)
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
    // the bands above, below, left and right of the covered part; empty ones write nothing
    writeRect(QRect(rect.topLeft(), QPoint(rect.right(), inner.top() - 1)), pixel);
    writeRect(QRect(QPoint(rect.left(), inner.bottom() + 1), rect.bottomRight()), pixel);
    writeRect(QRect(QPoint(rect.left(), inner.top()), QPoint(inner.left() - 1, inner.bottom())),
              pixel);
    writeRect(QRect(QPoint(inner.right() + 1, inner.top()), QPoint(rect.right(), inner.bottom())),
              pixel);
}

// The order of the lines is the painter's concern only where they may share pixels (a scaled
// or antialiased painter): columns from the left, rows from the bottom up, as the bar has
// always drawn them.
void DirectPainter::fillLines(const QRect &area, Qt::Orientation direction, const QRgba64 *colours)
{
    if (direction == Qt::Vertical) {
        for (int i = area.height() - 1; i >= 0; --i)
            fillLine(QRect(area.left(), area.top() + i, area.width(), 1), colours[i]);
        return;
    }
    const int count = area.width();
    if (bits && std::all_of(colours, colours + count, [](QRgba64 c) { return c.isOpaque(); })) {
        writeRows(area, colours);
        return;
    }
    for (int i = 0; i < count; ++i)
        fillLine(QRect(area.left() + i, area.top(), 1, area.height()), colours[i]);
}

// A translucent colour is blended by the painter, in the colour's own 16 bits per channel.
void DirectPainter::fillLine(const QRect &line, QRgba64 colour)
{
    if (bits && colour.isOpaque())
        writeRect(line, colour.toArgb32());
    else
        painter.fillRect(line, QColor(colour));
}

// Opaque columns: a column written pixel by pixel touches one scanline per pixel, so the
// first row is written and then copied into every other row.
void DirectPainter::writeRows(const QRect &area, const QRgba64 *colours)
{
    QRect cut;
    if (!toImage(area.left(), area.top(), qint64(area.left()) + area.width() - 1,
                 qint64(area.top()) + area.height() - 1, cut))
        return;
    const QRgba64 *from = colours + (cut.left() - (qint64(area.left()) + offset.x()));
    std::transform(from, from + cut.width(), firstRow(cut), [](QRgba64 c) { return c.toArgb32(); });
    copyFirstRowDown(cut);
}

// What the raster engine draws as a one-pixel line (its cosmetic stroker, both end pixels
// included): an aliased solid pen of width 0 or 1 with square caps and an opaque solid colour.
bool DirectPainter::penPixel(QRgb &pixel) const
{
    const QPen &pen = painter.pen();
    if (!bits || pen.style() != Qt::SolidLine || !pen.isSolid() ||
        pen.capStyle() != Qt::SquareCap || !(pen.widthF() == 0.0 || pen.widthF() == 1.0) ||
        painter.testRenderHint(QPainter::Antialiasing))
        return false;
    const QColor color = pen.color();
    if (color.alpha() != 255)
        return false;
    pixel = color.rgba();
    return true;
}

// A line of one point is left to the painter, as is every slanted line.
void DirectPainter::drawLine(const QPoint &from, const QPoint &to)
{
    QRgb pixel = 0;
    const bool straight = (from.x() == to.x()) != (from.y() == to.y());
    if (!straight || !penPixel(pixel) || !withinLineLimit(from.x(), from.y()) ||
        !withinLineLimit(to.x(), to.y())) {
        painter.drawLine(from, to);
        return;
    }
    writeSpan(std::min(from.x(), to.x()), std::min(from.y(), to.y()), std::max(from.x(), to.x()),
              std::max(from.y(), to.y()), pixel);
}

// The outline runs from left to left + width and from top to top + height, as the raster
// engine strokes a QRect; an unfilled rectangle only. The engine leaves out the last pixel of
// the outline, its bottom-right corner, when the rectangle starts two or more pixels left of
// the image (on Qt 5 and Qt 6 alike, whatever its top and size).
void DirectPainter::drawRect(const QRect &rect)
{
    QRgb pixel = 0;
    const qint64 left = rect.left();
    const qint64 top = rect.top();
    const qint64 right = left + rect.width();
    const qint64 bottom = top + rect.height();
    if (rect.width() <= 0 || rect.height() <= 0 || painter.brush().style() != Qt::NoBrush ||
        !penPixel(pixel) || !withinLineLimit(left, top) || !withinLineLimit(right, bottom)) {
        painter.drawRect(rect);
        return;
    }
    const qint64 bottomEnd = left + offset.x() <= -2 ? right - 1 : right;
    writeSpan(left, top, right, top, pixel);
    writeSpan(left, bottom, bottomEnd, bottom, pixel);
    writeSpan(left, top + 1, left, bottom - 1, pixel);
    writeSpan(right, top + 1, right, bottom - 1, pixel);
}
