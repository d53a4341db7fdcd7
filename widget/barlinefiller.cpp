#include "barlinefiller.h"

#include <QColor>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

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

BarLineFiller::BarLineFiller(QPainter &painter) : painter(painter)
{
    setUpDirectWrites();
}

void BarLineFiller::setUpDirectWrites()
{
    QPaintEngine *engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster)
        return;
    QPaintDevice *device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return;
    QImage *image = static_cast<QImage *>(device);
    // The engine writes into the image's own buffer; a shared image would be copied by
    // bits() and our lines would land in the copy.
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

void BarLineFiller::fill(const QRect &line, const QColor &color)
{
    if (!bits || color.alpha() != 255) {
        painter.fillRect(line, color);
        return;
    }
    // the line in image pixels, cut to the clip
    const int left = std::max(line.left() + offset.x(), clip.left());
    const int right = std::min(line.right() + offset.x(), clip.right());
    const int top = std::max(line.top() + offset.y(), clip.top());
    const int bottom = std::min(line.bottom() + offset.y(), clip.bottom());
    const QRgb pixel = color.rgba();
    for (int y = top; y <= bottom && left <= right; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(bits + y * bytesPerLine);
        std::fill(row + left, row + right + 1, pixel);
    }
}
