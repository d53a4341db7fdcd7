#include "valueaxis.h"

#include "directpainter.h"

#include <QFontMetrics>
#include <QIODevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

// Linear scale: decimal scaling of the values, a major step of 2, 5 or 10 units of a power
// of ten, the scale rounded outward to whole units, major ticks on the multiples of the step,
// four minor ticks between major ticks, and labels on as many major ticks as keep their
// distance.

namespace {

// An ordinary scale has at most a dozen major ticks; the cap only stops loops whose step has
// stopped making sense, such as one near the resolution of the values.
constexpr int maxMajorTicks = 1000;

// floor(log10(|x|)) of a finite limit; -100 for 0
int decimalExponent(double x)
{
    return x == 0 ? -100 : static_cast<int>(std::floor(std::log10(std::fabs(x))));
}

// Labels are chosen on the grid of tick numbers (value / step); beyond this the numbers no
// longer tell the multiples of a round step, and the ticks are counted from the first instead.
constexpr double largestTickNumber = 1e15;

// A tick computed beyond an end of the scale by less than this fraction of a step is rounding,
// not a tick off the scale.
constexpr double roundingSlack = 1e-9;

} // namespace

void ValueAxis::prepareLinScale(const QFontMetrics &metrics)
{
    double lo = 0;
    double hi = 0;
    getLimits(lo, hi);
    prepareLinScaleCommon(lo, hi);
    if (axisShowLabels) {
        if (vertical)
            calculateLinLabelsVertical(metrics);
        else
            calculateLinLabelsHorizontal(metrics);
        chooseLinLabels(metrics);
        return;
    }
    labelInterval = -1;
    clearThickness();
}

void ValueAxis::prepareLinScaleCommon(double min, double max)
{
    if (!std::isfinite(min) || !std::isfinite(max)) {
        prepareLinScaleWithoutTicks();
        return;
    }
    applyDecimalScaling(min, max);
    const double range = max - min;
    // the scaling of extreme limits can overflow, underflow or merge them
    if (!(range > 0) || !std::isfinite(range) || !std::isfinite(min)) {
        prepareLinScaleWithoutTicks();
        return;
    }
    roundLinScaleOutward(min, max);
}

// Limits without a meaningful scale (not finite, or not distinguishable once scaled) get
// the unit scale 0 to 1, which maps to finite values, and no major tick on it.
void ValueAxis::prepareLinScaleWithoutTicks()
{
    exponent = 0;
    scaleFactor = 1.0;
    scaleMin = 0;
    scaleMax = 1;
    labelStep = 1;
    firstLabel = scaleMax + labelStep;
}

// Values of three or more decimal digits before or after the point are shown divided by a
// power of ten, so that labels stay short.
void ValueAxis::applyDecimalScaling(double &min, double &max)
{
    const int e = std::max(decimalExponent(min), decimalExponent(max));
    if (e > -3 && e < 3) {
        exponent = 0;
        scaleFactor = 1.0;
        return;
    }
    exponent = e;
    scaleFactor = powerOfTen(e);
    min /= scaleFactor;
    max /= scaleFactor;
}

// The unit counts a and b are kept in doubles: for limits far apart relative to their
// range (1e15 and 1e15 + 0.125) they exceed the int range.
void ValueAxis::roundLinScaleOutward(double min, double max)
{
    const double p = calculateLinLabelStep(min, max);
    const double step = labelStep;
    const double unit = powerOfTen(static_cast<int>(p));
    const double a = std::floor(min / unit);
    double b = std::ceil(max / unit);
    if (max > unit * b)
        b += 1;
    scaleMin = a;
    scaleMax = b;
    // The first major tick is the first multiple of the step on the scale, for a negative
    // start too, so that 0 is a major tick wherever the scale spans it.
    firstLabel = std::ceil(a / step) * step;
    scaleMin *= unit;
    scaleMax *= unit;
    labelStep *= unit;
    firstLabel *= unit;
}

// Brings the range into 10..100 by powers of ten; the power is returned and the step for that
// normalised range (2, 5 or 10) left in labelStep. A range that is not positive and finite
// would never be normalised, so it gets power 0 and step 10.
double ValueAxis::calculateLinLabelStep(double min, double max)
{
    double r = max - min;
    double p = 0;
    labelStep = 10;
    if (!(r > 0) || !std::isfinite(r))
        return p;
    while (r > 100) {
        r = r / 10;
        p = p + 1;
    }
    while (r < 10) {
        r = r * 10;
        p = p - 1;
    }
    if (r < 15)
        labelStep = 2;
    else if (r < 39)
        labelStep = 5;
    return p;
}

// The number of the first major tick on the grid of multiples of the step; false when the
// numbers no longer tell the multiples apart (see largestTickNumber).
bool ValueAxis::firstLinTickNumber(double &number) const
{
    number = std::rint(firstLabel / labelStep);
    return std::fabs(number) < largestTickNumber;
}

// The value of major tick k (0 is the first): its number on the grid times the step, or k
// steps from the first tick off the grid, never a sum of steps, whose rounding would add up
// (0 would read 2.77556e-17). False beyond the scale, beyond maxMajorTicks, and once the ticks
// stop advancing (a step below the resolution of the values).
bool ValueAxis::linTick(int k, double &value) const
{
    if (k < 0 || k >= maxMajorTicks)
        return false;
    double number = 0;
    const bool onGrid = firstLinTickNumber(number);
    const auto tick = [&](int i) {
        return onGrid ? (number + i) * labelStep : firstLabel + i * labelStep;
    };
    double v = tick(k);
    if (k > 0 && !(v > tick(k - 1)))
        return false;
    if (!onLinScale(v))
        return false;
    value = v;
    return true;
}

// Whether a tick value lies on the scale, allowing for rounding: a value beyond an end by a
// tiny fraction of a step is the end, and is moved onto it.
bool ValueAxis::onLinScale(double &value) const
{
    const double slack = roundingSlack * labelStep;
    if (!(value <= scaleMax + slack && value >= scaleMin - slack))
        return false;
    value = std::clamp(value, scaleMin, scaleMax);
    return true;
}

void ValueAxis::makeLinLabel(double value, QString &text)
{
    text.clear();
    labelStream.setString(&text, QIODevice::ReadWrite);
    labelStream << value;
    labelStream.flush();
    labelStream.setString(nullptr); // the stream must not keep pointing at the caller's text
}

int ValueAxis::largestLinLabelExtent(bool width, const QFontMetrics &metrics)
{
    labelInterval = 1;
    QString text;
    int largest = 0;
    double v = 0;
    for (int i = 0; linTick(i, v); ++i) {
        makeLinLabel(v, text);
        const QRect r = metrics.boundingRect(text);
        largest = std::max(largest, width ? r.width() : r.height());
    }
    return largest;
}

bool ValueAxis::calculateLinLabelsVertical(const QFontMetrics &metrics)
{
    calculateMinWidth(largestLinLabelExtent(true, metrics), metrics);
    return true;
}

bool ValueAxis::calculateLinLabelsHorizontal(const QFontMetrics &metrics)
{
    calculateMinHeight(largestLinLabelExtent(false, metrics), metrics);
    return true;
}

// Every major tick is a candidate, numbered by its value in tick steps so that every m-th tick
// counts from 0; the room across the axis stays that of the largest label, labelled or not.
void ValueAxis::chooseLinLabels(const QFontMetrics &metrics)
{
    double firstNumber = 0;
    const bool onGrid = firstLinTickNumber(firstNumber);
    LabelCandidates candidates;
    QString text;
    double v = 0;
    for (int i = 0; linTick(i, v); ++i) {
        int position = 0;
        valueToScreen(v * scaleFactor, position);
        makeLinLabel(v, text);
        const qint64 number = onGrid ? static_cast<qint64>(firstNumber) + i : i;
        double next = 0;
        const bool end = i == 0 || !linTick(i + 1, next);
        addLabelCandidate(candidates, i, number, end, onGrid && number == 0, position, text,
                          metrics);
    }
    chooseLabels(candidates, nullptr, 1, metrics);
}

// Labels stand on the ticks chosen at preparation, kept whole within the axis length; a scaled
// axis shows its multiplier at the far end of the label band when any label is drawn.
void ValueAxis::drawScaleLin(QPainter &painter, bool verticalAxis, int baseLine, bool labels)
{
    const QFontMetrics metrics = painter.fontMetrics();
    keepLabelLayoutsFor(painter);
    int next = 0;
    int labelIndex = 0;
    DirectPainter direct(painter);
    // the ticks' pen; a label sets its own and then this one again
    painter.setPen(axisColor);
    double v = 0;
    for (int i = 0; linTick(i, v); ++i) {
        int position = 0;
        valueToScreen(v * scaleFactor, position);
        drawTick(direct, verticalAxis, position, baseLine, axisTickSize);
        if (labels && isLabelledTick(i, next)) {
            drawLabel(painter, metrics, verticalAxis, position, baseLine,
                      labelLayout(labelIndex++, v, false, metrics));
            painter.setPen(axisColor);
        }
        drawLinMinorTicks(direct, verticalAxis, v, baseLine);
    }
    if (labels && multiplierShown) {
        const LabelLayout &multiplier = multiplierLayout(metrics);
        painter.setPen(axisLabelColor);
        drawLabelText(painter, multiplierOrigin(multiplier.box, verticalAxis, baseLine),
                      multiplier);
        painter.setPen(axisColor);
    }
}

// The multiplier stands at the end of the largest values: right-aligned at the end of a
// horizontal axis on the labels' base line, at the top of a vertical axis just beyond the
// ticks' reach. Gives the start of its base line for its bounding rectangle `box`.
QPoint ValueAxis::multiplierOrigin(const QRect &box, bool verticalAxis, int baseLine) const
{
    const int beyondTick = clampedSum(baseLine, axisTickSize);
    if (verticalAxis)
        return {clampedSum(beyondTick, 1 - box.left()), -box.top()};
    return {clampedSum(clampedSum(length(), -1), -box.right()),
            clampedSum(beyondTick, box.height())};
}

// Four minor ticks after a major tick, each a multiple of the minor step from it, cut off at
// the end of the scale as the major ticks are, in the pen the caller set to the axis colour.
void ValueAxis::drawLinMinorTicks(DirectPainter &direct, bool verticalAxis, double major,
                                  int baseLine) const
{
    const double minorStep = labelStep / 5.0;
    for (int i = 1; i <= 4; ++i) {
        double m = major + i * minorStep;
        if (!onLinScale(m))
            break;
        int position = 0;
        valueToScreen(m * scaleFactor, position);
        drawTick(direct, verticalAxis, position, baseLine, axisTickSize >> 1);
    }
}
