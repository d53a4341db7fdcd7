#include "valueaxis.h"

#include "axisdrawing.h"
#include "axislayoutbuilder.h"
#include "directpainter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

ValueAxis::ValueAxis()
{
    setWidth(0);
    setHeight(0);
}

void ValueAxis::setWidth(int width)
{
    if (!settings.vertical && width != QRect::width())
        needsPreparation = true;
    QRect::setWidth(width);
}

void ValueAxis::setHeight(int height)
{
    if (settings.vertical && height != QRect::height())
        needsPreparation = true;
    QRect::setHeight(height);
}

void ValueAxis::setLogarithmic(bool on)
{
    if (on != settings.logarithmic)
        needsPreparation = true;
    settings.logarithmic = on;
}

void ValueAxis::setAxisShowLabels(bool show)
{
    if (show != settings.labels)
        needsPreparation = true;
    settings.labels = show;
}

// The layout of the other orientation is of no use: the length may even equal the old
// thickness, which the length check of setWidth/setHeight would take for no change.
void ValueAxis::setVertical(bool on)
{
    if (on != settings.vertical)
        needsPreparation = true;
    settings.vertical = on;
}

void ValueAxis::setAxisTickSize(int size)
{
    settings.tickSize = std::max(size, 0);
}

void ValueAxis::setAxisLabelColor(const QColor &color)
{
    axisLabelColor = color;
    labelTexts.clear();
}

void ValueAxis::setAbsMinForLogScale(double value)
{
    // 0 or less becomes 1e-13; a NaN is kept as written and floored at preparation
    settings.absMinForLogScale = value <= 0 ? 1e-13 : value;
}

void ValueAxis::setLimits(double min, double max)
{
    if (min != minLimit || max != maxLimit)
        needsPreparation = true;
    minLimit = min;
    maxLimit = max;
}

void ValueAxis::getLimits(double &min, double &max) const
{
    const double m = minLimit;
    const double M = maxLimit;
    if (m > M) {
        min = M;
        max = m;
    } else if (m == M && m == 0) {
        min = m - 1.0;
        max = M + 1.0;
    } else if (m == M) {
        min = std::min(m / 1.1, m * 1.1);
        max = std::max(m / 1.1, m * 1.1);
    } else {
        min = m;
        max = M;
    }
}

// Drops the kept label layouts: the texts may change. The thickness across the axis is the
// layout's.
bool ValueAxis::prepare(const QFontMetrics &metrics)
{
    const bool needed = needsPreparation;
    needsPreparation = false;
    if (!needed)
        return false;
    labelTexts.clear();
    settings.length = length();
    AxisLayoutBuilder builder(settings, metrics, texts);
    double lo = 0;
    double hi = 0;
    getLimits(lo, hi);
    builder.build(lo, hi);
    division = builder.division();
    laidOut = builder.layout();
    if (settings.vertical)
        setWidth(laidOut.thickness);
    else
        setHeight(laidOut.thickness);
    return true;
}

int ValueAxis::length() const
{
    return settings.vertical ? height() : width();
}

ScaleMap ValueAxis::map() const
{
    return ScaleMap(division, length(), settings.vertical, settings.logarithmic);
}

bool ValueAxis::valueToScreen(double value, int &position) const
{
    return map().valueToScreen(value, position);
}

double ValueAxis::screenToValue(int position) const
{
    return map().screenToValue(position);
}

void ValueAxis::drawScaleHorizontal(QPainter &painter, int baseLine, bool labels)
{
    DirectPainter direct(painter);
    draw(painter, direct, false, baseLine, labels);
}

void ValueAxis::drawScaleVertical(QPainter &painter, int baseLine, bool labels)
{
    DirectPainter direct(painter);
    draw(painter, direct, true, baseLine, labels);
}

void ValueAxis::drawScale(QPainter &painter, DirectPainter &direct, int baseLine, bool labels)
{
    draw(painter, direct, settings.vertical, baseLine, labels);
}

void ValueAxis::draw(QPainter &painter, DirectPainter &direct, bool verticalAxis, int baseLine,
                     bool labels)
{
    const AxisDrawing::Style style{axisColor, axisLabelColor, settings.tickSize};
    AxisDrawing(painter, direct, labelTexts, style, verticalAxis, baseLine)
            .draw(laidOut, labels && settings.labels && laidOut.labelInterval >= 0);
}
