#include "scaledivision.h"

#include "axisnumbers.h"

#include <algorithm>
#include <cmath>

using AxisNumbers::clampToInt;
using AxisNumbers::powerOfTen;

namespace {

// An ordinary scale has at most a dozen major ticks; the cap only stops loops whose step has
// stopped making sense, such as one near the resolution of the values.
constexpr int maxMajorTicks = 1000;

// Labels are chosen on the grid of tick numbers (value / step); beyond this the numbers no
// longer tell the multiples of a round step, and the ticks are counted from the first instead.
constexpr double largestTickNumber = 1e15;

// A tick computed beyond an end of the scale by less than this fraction of a step is rounding,
// not a tick off the scale.
constexpr double roundingSlack = 1e-9;

// floor(log10(|x|)) of a finite limit; -100 for 0
int decimalExponent(double x)
{
    return x == 0 ? -100 : static_cast<int>(std::floor(std::log10(std::fabs(x))));
}

// Brings the range into 10..100 by powers of ten; gives the power and the step for that
// normalised range (2, 5 or 10). A range that is not positive and finite would never be
// normalised, so it gets power 0 and step 10.
double normalisedStep(double min, double max, double &step)
{
    double r = max - min;
    double p = 0;
    step = 10;
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
        step = 2;
    else if (r < 39)
        step = 5;
    return p;
}

} // namespace

// Values of three or more decimal digits before or after the point are shown divided by a
// power of ten, so that labels stay short.
ScaleDivision ScaleDivision::linear(double min, double max)
{
    if (!std::isfinite(min) || !std::isfinite(max))
        return {};
    ScaleDivision d;
    const int e = std::max(decimalExponent(min), decimalExponent(max));
    if (e <= -3 || e >= 3) {
        d.scaleExponent = e;
        d.scaleFactor = powerOfTen(e);
        min /= d.scaleFactor;
        max /= d.scaleFactor;
    }
    const double range = max - min;
    // the scaling of extreme limits can overflow, underflow or merge them
    if (!(range > 0) || !std::isfinite(range) || !std::isfinite(min))
        return {};
    d.roundLinearOutward(min, max);
    d.addLinearTicks();
    return d;
}

// The unit counts a and b are kept in doubles: for limits far apart relative to their
// range (1e15 and 1e15 + 0.125) they exceed the int range.
void ScaleDivision::roundLinearOutward(double min, double max)
{
    double step = 0;
    const double p = normalisedStep(min, max, step);
    const double unit = powerOfTen(static_cast<int>(p));
    const double a = std::floor(min / unit);
    double b = std::ceil(max / unit);
    if (max > unit * b)
        b += 1;
    // The first major tick is the first multiple of the step on the scale, for a negative
    // start too, so that 0 is a major tick wherever the scale spans it.
    firstMajorTick = std::ceil(a / step) * step * unit;
    scaleMin = a * unit;
    scaleMax = b * unit;
    majorStep = step * unit;
}

// Four minor ticks after each major tick, each a multiple of the minor step from it, cut off
// at the end of the scale as the major ticks are.
void ScaleDivision::addLinearTicks()
{
    double firstNumber = std::rint(firstMajorTick / majorStep);
    onGrid = std::fabs(firstNumber) < largestTickNumber;
    const double minorStep = majorStep / 5.0;
    // room for a dozen major ticks and their minor ticks, as an ordinary scale has them
    tickList.reserve(64);
    double v = 0;
    for (int k = 0; linearTick(k, firstNumber, v); ++k) {
        tickList.append({v, v, onGrid ? static_cast<qint64>(firstNumber) + k : k, true});
        for (int i = 1; i <= 4; ++i) {
            double m = v + i * minorStep;
            if (!onLinearScale(m))
                break;
            tickList.append({m, m, i, false});
        }
    }
}

// The value of major tick k (0 is the first): its number on the grid times the step, or k
// steps from the first tick off the grid, never a sum of steps, whose rounding would add up
// (0 would read 2.77556e-17). False beyond the scale, beyond maxMajorTicks, and once the ticks
// stop advancing (a step below the resolution of the values).
bool ScaleDivision::linearTick(int k, double firstNumber, double &value) const
{
    if (k >= maxMajorTicks)
        return false;
    const auto tick = [&](int i) {
        return onGrid ? (firstNumber + i) * majorStep : firstMajorTick + i * majorStep;
    };
    double v = tick(k);
    if (k > 0 && !(v > tick(k - 1)))
        return false;
    if (!onLinearScale(v))
        return false;
    value = v;
    return true;
}

// Whether a tick value lies on the scale, allowing for rounding: a value beyond an end by a
// tiny fraction of a step is the end, and is moved onto it.
bool ScaleDivision::onLinearScale(double &value) const
{
    const double slack = roundingSlack * majorStep;
    if (!(value <= scaleMax + slack && value >= scaleMin - slack))
        return false;
    value = std::clamp(value, scaleMin, scaleMax);
    return true;
}

ScaleDivision ScaleDivision::logarithmic(double min, double max)
{
    ScaleDivision d;
    d.scaleMin = min;
    d.scaleMax = max;
    d.logMin = std::log10(min);
    d.logMax = std::log10(max);
    d.addLogarithmicTicks();
    return d;
}

// Stretched ends whose power of ten leaves the double range keep their finite logarithms,
// which is all that mapping and drawing use.
ScaleDivision ScaleDivision::logarithmicFromLogs(double logMin, double logMax)
{
    ScaleDivision d;
    d.scaleMin = std::pow(10.0, logMin);
    d.scaleMax = std::pow(10.0, logMax);
    d.logMin = d.scaleMin > 0 && std::isfinite(d.scaleMin) ? std::log10(d.scaleMin) : logMin;
    d.logMax = d.scaleMax > 0 && std::isfinite(d.scaleMax) ? std::log10(d.scaleMax) : logMax;
    d.addLogarithmicTicks();
    return d;
}

// GCC 12 at -O3 takes the appends below for writes beyond the header of Qt 5's empty shared
// vector, which they never are (the vector is detached and grown first).
QT_WARNING_PUSH
QT_WARNING_DISABLE_GCC("-Wstringop-overflow")

// The decades inside the scale; their count is bounded by the double range (about 630),
// since the logarithms of the ends are always finite.
void ScaleDivision::addLogarithmicTicks()
{
    const int first = clampToInt(std::ceil(logMin));
    const int last = clampToInt(std::floor(logMax));
    decades = first <= last;
    if (!decades) {
        addMinorDecadeTicks(clampToInt(std::floor(logMin)));
        return;
    }
    // a decade and its eight minor ticks each
    tickList.reserve(static_cast<int>(std::min<qint64>(qint64(last) - first + 1, 1000) * 9));
    for (qint64 e = first; e <= last; ++e) {
        const int decade = static_cast<int>(e);
        tickList.append({static_cast<double>(decade), static_cast<double>(decade), e, true});
        addMinorDecadeTicks(decade);
    }
}

// 2 to 9 times the decade, only where they lie on the scale.
void ScaleDivision::addMinorDecadeTicks(int decade)
{
    const double power = powerOfTen(decade);
    for (int k = 2; k <= 9; ++k) {
        const double at = std::log10(k * power);
        if (at >= logMin && !(at > logMax))
            tickList.append({at, k * power, k, false});
    }
}

QT_WARNING_POP
