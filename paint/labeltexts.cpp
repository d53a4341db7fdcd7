#include "labeltexts.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextOption>

#include <algorithm>
#include <cmath>

void LabelTexts::setKept(bool keep)
{
    kept = keep;
    clear();
}

void LabelTexts::clear()
{
    texts.clear();
}

// The painter's font carries the resolution of its device, which QFont's comparison leaves
// out; so the device's resolution is compared too, and its device pixel ratio (a window moved
// to another screen).
void LabelTexts::begin(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    const int x = device ? device->logicalDpiX() : 0;
    const int y = device ? device->logicalDpiY() : 0;
    const qreal r = device ? device->devicePixelRatioF() : 1;
    if (!kept || painter.font() != font || x != dpiX || y != dpiY || r != ratio ||
        painter.layoutDirection() != direction) {
        clear();
        font = painter.font();
        dpiX = x;
        dpiY = y;
        ratio = r;
        direction = painter.layoutDirection();
        ascent = QFontMetricsF(font).ascent();
    }
    const QTransform transform = painter.deviceTransform();
    asStaticText = kept && transform.type() <= QTransform::TxScale && transform.m11() > 0 &&
            transform.m22() > 0 && transform.dx() == std::floor(transform.dx()) &&
            transform.dy() == std::floor(transform.dy());
}

const LabelTexts::Kept &LabelTexts::laidOut(int slot, const QString &text)
{
    if (slot < texts.size() && texts.at(slot).text == text)
        return texts.at(slot);
    Kept made;
    made.text = text;
    if (asStaticText) {
        made.layout.setText(text);
        made.layout.setTextFormat(Qt::PlainText);
        QTextOption option;
        option.setTextDirection(direction);
        made.layout.setTextOption(option);
    }
    texts.resize(std::min<qsizetype>(slot, texts.size()));
    texts.append(made);
    return texts.last();
}

// drawText puts the base line on the nearest row of device pixels, which a scale that is not
// whole may move it off; this is that row, in the painter's coordinates.
qreal LabelTexts::baseLineOnDeviceRow(const QPainter &painter, int y)
{
    const QTransform transform = painter.deviceTransform();
    const qreal row = std::floor(y * transform.m22() + transform.dy() + 0.5);
    return (row - transform.dy()) / transform.m22();
}

void LabelTexts::draw(QPainter &painter, const QPoint &at, int slot, const QString &text)
{
    const Kept &label = laidOut(slot, text);
    if (asStaticText && !label.layout.text().isEmpty())
        painter.drawStaticText(QPointF(at.x(), baseLineOnDeviceRow(painter, at.y()) - ascent),
                               label.layout);
    else
        painter.drawText(at, label.text);
}
