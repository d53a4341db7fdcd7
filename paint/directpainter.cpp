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

// Lines are written directly only within the range in which Qt's raster engine draws them
// without clipping them in floating point first; beyond it the painter draws them.
constexpr qint64 coordinateLimit = 32767;

bool withinLimit(qint64 value)
{
    return value >= -coordinateLimit && value <= coordinateLimit;
}

} // namespace

DirectPainter::DirectPainter(QPainter &painter) : painter(painter)
{
    setUpDirectWrites();
}

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

// Wide rectangles get their first row filled and the others copied from it, which runs at
// the memory's speed; narrow ones, such as ticks, are filled row by row.
void DirectPainter::write(const QRect &cut, QRgb pixel)
{
    constexpr int copiedFromWidth = 64;
    QRgb *first = reinterpret_cast<QRgb *>(bits + cut.top() * bytesPerLine) + cut.left();
    std::fill(first, first + cut.width(), pixel);
    const size_t bytes = static_cast<size_t>(cut.width()) * sizeof(QRgb);
    for (int y = cut.top() + 1; y <= cut.bottom(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(bits + y * bytesPerLine) + cut.left();
        if (cut.width() >= copiedFromWidth)
            std::memcpy(row, first, bytes);
        else
            std::fill(row, row + cut.width(), pixel);
    }
}

void DirectPainter::fill(const QRect &rect, QRgb pixel)
{
    QRect cut;
    if (toImage(rect.left(), rect.top(), qint64(rect.left()) + rect.width() - 1,
                qint64(rect.top()) + rect.height() - 1, cut))
        write(cut, pixel);
}

void DirectPainter::fillRows(const QRect &rect, const QRgb *colors)
{
    QRect cut;
    if (!toImage(rect.left(), rect.top(), qint64(rect.left()) + rect.width() - 1,
                 qint64(rect.top()) + rect.height() - 1, cut))
        return;
    const QRgb *from = colors + (cut.left() - (qint64(rect.left()) + offset.x()));
    const size_t bytes = static_cast<size_t>(cut.width()) * sizeof(QRgb);
    for (int y = cut.top(); y <= cut.bottom(); ++y)
        std::memcpy(bits + y * bytesPerLine + cut.left() * qsizetype(sizeof(QRgb)), from, bytes);
}

void DirectPainter::eraseRect(const QRect &rect)
{
    const QBrush &background = painter.background();
    if (!bits || background.style() != Qt::SolidPattern || background.color().alpha() != 255) {
        painter.eraseRect(rect);
        return;
    }
    fill(rect, background.color().rgba());
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
    if (!straight || !penPixel(pixel) || !withinLimit(qint64(from.x()) + offset.x()) ||
        !withinLimit(qint64(from.y()) + offset.y()) || !withinLimit(qint64(to.x()) + offset.x()) ||
        !withinLimit(qint64(to.y()) + offset.y())) {
        painter.drawLine(from, to);
        return;
    }
    QRect cut;
    if (toImage(std::min(from.x(), to.x()), std::min(from.y(), to.y()), std::max(from.x(), to.x()),
                std::max(from.y(), to.y()), cut))
        write(cut, pixel);
}

// The outline runs from left to left + width and from top to top + height, as the raster
// engine strokes a QRect; an unfilled rectangle only.
void DirectPainter::drawRect(const QRect &rect)
{
    QRgb pixel = 0;
    const qint64 left = rect.left();
    const qint64 top = rect.top();
    const qint64 right = left + rect.width();
    const qint64 bottom = top + rect.height();
    if (rect.width() <= 0 || rect.height() <= 0 || painter.brush().style() != Qt::NoBrush ||
        !penPixel(pixel) || !withinLimit(left + offset.x()) || !withinLimit(top + offset.y()) ||
        !withinLimit(right + offset.x()) || !withinLimit(bottom + offset.y())) {
        painter.drawRect(rect);
        return;
    }
    QRect cut;
    if (toImage(left, top, right, top, cut))
        write(cut, pixel);
    if (toImage(left, bottom, right, bottom, cut))
        write(cut, pixel);
    if (toImage(left, top + 1, left, bottom - 1, cut))
        write(cut, pixel);
    if (toImage(right, top + 1, right, bottom - 1, cut))
        write(cut, pixel);
}
