#include "valueaxis.h"

#include "axisnumbers.h"
#include "directpainter.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

using AxisNumbers::clampedSum;
using AxisNumbers::clampToInt;

// Model, limits, value/pixel mapping and thickness. The scale itself is prepared by
// valueaxis_lin.cpp or valueaxis_log.cpp; everything here only reads what they prepared.

ValueAxis::ValueAxis()
{
    setWidth(0);
    setHeight(0);
}

void ValueAxis::setWidth(int width)
{
    if (!vertical && width != QRect::width())
        needsPreparation = true;
    QRect::setWidth(width);
}

void ValueAxis::setHeight(int height)
{
    if (vertical && height != QRect::height())
        needsPreparation = true;
    QRect::setHeight(height);
}

void ValueAxis::setLogarithmic(bool on)
{
    if (on != logarithmic)
        needsPreparation = true;
    logarithmic = on;
}

void ValueAxis::setAxisShowLabels(bool show)
{
    if (show != axisShowLabels)
        needsPreparation = true;
    axisShowLabels = show;
}

// The layout of the other orientation is of no use: the length may even equal the old
// thickness, which the length check of setWidth/setHeight would take for no change.
void ValueAxis::setVertical(bool on)
{
    if (on != vertical)
        needsPreparation = true;
    vertical = on;
}

void ValueAxis::setAxisTickSize(int size)
{
    axisTickSize = std::max(size, 0);
}

void ValueAxis::setAxisLabelColor(const QColor &color)
{
    axisLabelColor = color;
    dropLabelLayouts();
}

void ValueAxis::setAbsMinForLogScale(double value)
{
    // 0 or less becomes 1e-13; a NaN is kept as written and floored at preparation
    absMinForLogScale = value <= 0 ? 1e-13 : value;
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

bool ValueAxis::prepare(const QFontMetrics &metrics)
{
    const bool needed = needsPreparation;
    needsPreparation = false;
    if (!needed)
        return false;
    dropLabelLayouts();
    clearLabelChoice();
    if (logarithmic)
        prepareLogScale(metrics);
    else
        prepareLinScale(metrics);
    layOutTicks();
    return true;
}

int ValueAxis::length() const
{
    return vertical ? height() : width();
}

int ValueAxis::offsetBelowScale() const
{
    return vertical ? length() - 1 : 0;
}

int ValueAxis::offsetAboveScale() const
{
    return vertical ? 0 : length() - 1;
}

bool ValueAxis::valueToScreen(double value, int &position) const
{
    return logarithmic ? valueToScreenLog(value, position) : valueToScreenLin(value, position);
}

bool ValueAxis::valueToScreenLin(double value, int &position) const
{
    if (division.exponent() != 0)
        value /= division.factor();
    const double scaleMin = division.start();
    const double scaleMax = division.end();
    if (!(value >= scaleMin)) { // NaN counts as below the scale
        position = offsetBelowScale();
        return false;
    }
    if (value > scaleMax) {
        position = offsetAboveScale();
        return false;
    }
    position = offsetOnScale((value - scaleMin) / (scaleMax - scaleMin));
    return true;
}

bool ValueAxis::valueToScreenLog(double value, int &position) const
{
    if (!(value > 0)) { // 0, negative values and NaN lie below the scale
        position = offsetBelowScale();
        return false;
    }
    const double logValue = std::log10(value);
    const double logScaleMin = division.logStart();
    const double logScaleMax = division.logEnd();
    if (logValue < logScaleMin) {
        position = offsetBelowScale();
        return false;
    }
    if (logValue > logScaleMax) {
        position = offsetAboveScale();
        return false;
    }
    position = offsetOnScale((logValue - logScaleMin) / (logScaleMax - logScaleMin));
    return true;
}

// The end of the scale (t = 1) lands one pixel beyond the last pixel of the axis.
int ValueAxis::offsetOnScale(double t) const
{
    const int len = length();
    const double along = std::rint(len * t);
    return clampToInt(vertical ? (len - 1.0) - along : along);
}

double ValueAxis::screenToValue(int position) const
{
    const int len = length();
    const double p = vertical ? static_cast<double>(len) - position : position;
    // an axis without length has no pixels; give the start of the scale, not 0/0
    const double f = len > 0 ? p / len : 0.0;
    const ScaleDivision &d = division;
    if (logarithmic)
        return std::pow(10.0, f * (d.logEnd() - d.logStart()) + d.logStart());
    return (f * (d.end() - d.start()) + d.start()) * d.factor();
}

// The multiplier text of a scaled axis stands beyond the ticks like a label, so the thickness
// is the larger of the two extents plus the tick size.
void ValueAxis::calculateMinWidth(int labelWidth, const QFontMetrics &metrics)
{
    setWidth(clampedSum(std::max(labelWidth, exponentTextExtent(true, metrics)), axisTickSize));
}

void ValueAxis::calculateMinHeight(int labelHeight, const QFontMetrics &metrics)
{
    setHeight(clampedSum(std::max(labelHeight, exponentTextExtent(false, metrics)), axisTickSize));
}

// Writes the multiplier text of a scaled linear axis ("E+3") and returns the room it needs
// across the axis; empties the text and returns 0 otherwise.
int ValueAxis::exponentTextExtent(bool width, const QFontMetrics &metrics)
{
    exponentText.clear();
    if (logarithmic || division.exponent() == 0)
        return 0;
    QTextStream stream(&exponentText);
    stream.setNumberFlags(QTextStream::ForceSign);
    stream << "E" << clampToInt(std::rint(division.exponent()));
    stream.flush();
    const QRect r = metrics.boundingRect(exponentText);
    return width ? r.width() : r.height();
}

void ValueAxis::clearThickness()
{
    if (vertical)
        setWidth(0);
    else
        setHeight(0);
}

void ValueAxis::drawScaleHorizontal(QPainter &painter, int baseLine, bool labels)
{
    drawScale(painter, false, baseLine, labels);
}

void ValueAxis::drawScaleVertical(QPainter &painter, int baseLine, bool labels)
{
    drawScale(painter, true, baseLine, labels);
}

// One loop for both scales over the ticks laid out at preparation: each tick, its label
// where preparation chose one and the owner allows labels, then, on a scaled linear axis, the
// multiplier. The ticks' pen is set before the first tick and after each label; a
// logarithmic scale that shows neither a decade nor labelled minor ticks leaves the painter
// untouched.
void ValueAxis::drawScale(QPainter &painter, bool verticalAxis, int baseLine, bool labels)
{
    const bool withLabels = labels && axisShowLabels && labelInterval >= 0;
    const QFontMetrics metrics = painter.fontMetrics();
    keepLabelLayoutsFor(painter);
    DirectPainter direct(painter);
    if (!logarithmic || !tickMarks.isEmpty() || minorTicksLabelled)
        painter.setPen(axisColor);
    int labelIndex = 0;
    for (const TickMark &mark : std::as_const(tickMarks)) {
        drawTick(direct, verticalAxis, mark.position, baseLine,
                 mark.major ? axisTickSize : axisTickSize >> 1);
        if (withLabels && mark.labelled) {
            drawLabel(painter, metrics, verticalAxis, mark.position, baseLine,
                      labelLayout(labelIndex++, mark.labelValue, mark.decade, metrics));
            painter.setPen(axisColor);
        }
    }
    if (withLabels && multiplierShown && !logarithmic) {
        const LabelLayout &multiplier = multiplierLayout(metrics);
        painter.setPen(axisLabelColor);
        drawLabelText(painter, multiplierOrigin(multiplier.box, verticalAxis, baseLine),
                      multiplier);
        painter.setPen(axisColor);
    }
}

// The ticks of the division where drawing puts them, with the labels chosen: those of a
// logarithmic scale without a decade only when they carry the labels.
void ValueAxis::layOutTicks()
{
    tickMarks.clear();
    if (logarithmic && !division.hasDecades() && !minorTicksLabelled)
        return;
    const ScaleDivision::Ticks &ticks = division.ticks();
    int next = 0;
    for (int i = 0; i < ticks.size(); ++i) {
        const ScaleDivision::Tick &tick = ticks.at(i);
        TickMark mark;
        if (logarithmic)
            logTickPosition(vertical, tick.at, mark.position);
        else
            valueToScreen(tick.at * division.factor(), mark.position);
        mark.major = tick.major;
        mark.labelled = next < labelledTicks.size() && labelledTicks.at(next) == i;
        next += mark.labelled ? 1 : 0;
        mark.decade = logarithmic && tick.major;
        mark.labelValue = tick.value;
        tickMarks.append(mark);
    }
}

// with the painter's pen, which the callers set to the axis colour
void ValueAxis::drawTick(DirectPainter &direct, bool verticalAxis, int position, int baseLine,
                         int reach)
{
    const int from = clampedSum(baseLine, -reach);
    const int to = clampedSum(baseLine, reach);
    if (verticalAxis)
        direct.drawLine(QPoint(from, position), QPoint(to, position));
    else
        direct.drawLine(QPoint(position, from), QPoint(position, to));
}

// A label beyond the end of its tick: centred under it on a horizontal axis, right of it and
// vertically centred on a vertical one. Gives the start of the text's base line for a text
// whose bounding rectangle is `box`, before it is kept within the axis length.
QPoint ValueAxis::labelOrigin(const QFontMetrics &metrics, bool verticalAxis, int position,
                              int baseLine, const QRect &box) const
{
    const int beyondTick = clampedSum(baseLine, axisTickSize);
    if (verticalAxis)
        return {beyondTick, clampedSum(position, (box.height() >> 1) - metrics.descent())};
    return {position - (box.width() >> 1), clampedSum(beyondTick, box.height())};
}

void ValueAxis::drawLabel(QPainter &painter, const QFontMetrics &metrics, bool verticalAxis,
                          int position, int baseLine, const LabelLayout &label) const
{
    painter.setPen(axisLabelColor);
    const QPoint centred = labelOrigin(metrics, verticalAxis, position, baseLine, label.box);
    drawLabelText(painter, keptWithinLength(centred, label.box, verticalAxis), label);
}

void ValueAxis::setLabelLayoutsKept(bool keep)
{
    labelLayoutsKept = keep;
    dropLabelLayouts();
}

void ValueAxis::dropLabelLayouts()
{
    labelLayouts.clear();
    multiplierLabel = LabelLayout();
}

// Called at the start of every drawing. The painter's font carries the resolution of its
// device, which QFont's comparison leaves out; so the device's resolution is compared too,
// and its device pixel ratio (a window moved to another screen).
// A kept layout is drawn as QStaticText, laid out in the painter's text direction, which
// places its glyphs exactly where drawText does under a scale (a device pixel ratio among
// them) and a translation by whole device pixels, once its base line is on a device pixel
// row as drawText puts it; under any other transform the kept text goes to drawText, and
// layouts made there have none.
void ValueAxis::keepLabelLayoutsFor(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    const int dpiX = device ? device->logicalDpiX() : 0;
    const int dpiY = device ? device->logicalDpiY() : 0;
    const qreal ratio = device ? device->devicePixelRatioF() : 1;
    if (!labelLayoutsKept || painter.font() != labelFont || dpiX != labelDpiX ||
        dpiY != labelDpiY || ratio != labelRatio || painter.layoutDirection() != labelDirection) {
        dropLabelLayouts();
        labelFont = painter.font();
        labelDpiX = dpiX;
        labelDpiY = dpiY;
        labelRatio = ratio;
        labelDirection = painter.layoutDirection();
        labelAscent = QFontMetricsF(labelFont).ascent();
    }
    const QTransform transform = painter.deviceTransform();
    labelsAsStaticText = labelLayoutsKept && transform.type() <= QTransform::TxScale &&
            transform.m11() > 0 && transform.m22() > 0 &&
            transform.dx() == std::floor(transform.dx()) &&
            transform.dy() == std::floor(transform.dy());
}

ValueAxis::LabelLayout ValueAxis::laidOut(double value, const QString &text,
                                          const QFontMetrics &metrics) const
{
    LabelLayout label;
    label.value = value;
    label.text = text;
    label.box = metrics.boundingRect(text);
    if (labelsAsStaticText) {
        label.layout.setText(text);
        label.layout.setTextFormat(Qt::PlainText);
        QTextOption option;
        option.setTextDirection(labelDirection);
        label.layout.setTextOption(option);
    }
    return label;
}

// The index-th label of a drawing: a linear tick value in scaled units, or a decade. Kept
// layouts are checked against the value, so that a drawing that meets its labels in another
// order lays them out again instead of mixing them; the layouts kept after a new one are
// dropped.
const ValueAxis::LabelLayout &ValueAxis::labelLayout(int index, double value, bool decade,
                                                     const QFontMetrics &metrics)
{
    if (index < labelLayouts.size() && labelLayouts.at(index).value == value)
        return labelLayouts.at(index);
    QString text;
    if (decade)
        makeLogLabel(static_cast<int>(value), text);
    else
        makeLinLabel(value, text);
    labelLayouts.resize(std::min<qsizetype>(index, labelLayouts.size()));
    labelLayouts.append(laidOut(value, text, metrics));
    return labelLayouts.last();
}

const ValueAxis::LabelLayout &ValueAxis::multiplierLayout(const QFontMetrics &metrics)
{
    if (multiplierLabel.text != exponentText)
        multiplierLabel = laidOut(0, exponentText, metrics);
    return multiplierLabel;
}

// `at` is the start of the text's base line, as for drawText.
void ValueAxis::drawLabelText(QPainter &painter, const QPoint &at, const LabelLayout &label) const
{
    if (labelsAsStaticText && !label.layout.text().isEmpty()) {
        // drawText puts the base line on the nearest row of device pixels, which a scale
        // that is not whole may move it off
        const QTransform transform = painter.deviceTransform();
        const qreal row = std::floor(at.y() * transform.m22() + transform.dy() + 0.5);
        const qreal baseLine = (row - transform.dy()) / transform.m22();
        painter.drawStaticText(QPointF(at.x(), baseLine - labelAscent), label.layout);
    } else {
        painter.drawText(at, label.text);
    }
}
