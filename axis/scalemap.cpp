#include "scalemap.h"

#include "axisnumbers.h"

#include <cmath>

using AxisNumbers::clampToInt;

ScaleMap::ScaleMap(const ScaleDivision &division, int length, bool vertical, bool logarithmic)
    : start(division.start())
    , end(division.end())
    , logStart(division.logStart())
    , logEnd(division.logEnd())
    , exponent(division.exponent())
    , factor(division.factor())
    , length(length)
    , vertical(vertical)
    , logarithmic(logarithmic)
{ }

int ScaleMap::offsetBelowScale() const
{
    return vertical ? length - 1 : 0;
}

int ScaleMap::offsetAboveScale() const
{
    return vertical ? 0 : length - 1;
}

bool ScaleMap::valueToScreen(double value, int &position) const
{
    return logarithmic ? valueToScreenLog(value, position) : valueToScreenLin(value, position);
}

bool ScaleMap::valueToScreenLin(double value, int &position) const
{
    if (exponent != 0)
        value /= factor;
    return mapBetween(value, start, end, position);
}

bool ScaleMap::valueToScreenLog(double value, int &position) const
{
    if (!(value > 0)) { // 0, negative values and NaN lie below the scale
        position = offsetBelowScale();
        return false;
    }
    return mapBetween(std::log10(value), logStart, logEnd, position);
}

// `x` on the scale from `from` to `to`; NaN counts as below it.
bool ScaleMap::mapBetween(double x, double from, double to, int &position) const
{
    if (!(x >= from)) {
        position = offsetBelowScale();
        return false;
    }
    if (x > to) {
        position = offsetAboveScale();
        return false;
    }
    position = offsetOnScale((x - from) / (to - from));
    return true;
}

// The end of the scale (t = 1) lands one pixel beyond the last pixel of the axis.
int ScaleMap::offsetOnScale(double t) const
{
    const double along = std::rint(length * t);
    return clampToInt(vertical ? (length - 1.0) - along : along);
}

double ScaleMap::screenToValue(int position) const
{
    const double p = vertical ? static_cast<double>(length) - position : position;
    // an axis without length has no pixels; give the start of the scale, not 0/0
    const double f = length > 0 ? p / length : 0.0;
    if (logarithmic)
        return std::pow(10.0, f * (logEnd - logStart) + logStart);
    return (f * (end - start) + start) * factor;
}

// A linear tick is mapped as its value, in the units of the limits.
bool ScaleMap::tickPosition(const ScaleDivision::Tick &tick, int &position) const
{
    if (logarithmic)
        return logTickPosition(tick.at, position);
    return valueToScreen(tick.at * factor, position);
}

bool ScaleMap::logTickPosition(double logValue, int &position) const
{
    return vertical ? logValueToScreenVertical(logValue, position)
                    : logValueToScreenHorizontal(logValue, position);
}

// Tick mapping on a vertical axis: both ends of the scale fall on the first and last pixel.
bool ScaleMap::logValueToScreenVertical(double logValue, int &position) const
{
    const int last = length - 1;
    position = 0;
    if (!logarithmic)
        return false;
    if (!(logValue >= logStart)) {
        position = last;
        return false;
    }
    if (logValue > logEnd)
        return false;
    // multiplied before dividing: the quotient first can round a tick to the neighbouring pixel
    position = clampToInt(last - std::rint(last * (logValue - logStart) / (logEnd - logStart)));
    return true;
}

// Tick mapping on a horizontal axis: the end of the scale falls one beyond the last pixel.
bool ScaleMap::logValueToScreenHorizontal(double logValue, int &position) const
{
    position = 0;
    if (!logarithmic || !(logValue >= logStart))
        return false;
    if (logValue > logEnd) {
        position = length - 1;
        return false;
    }
    position = clampToInt(std::rint(length * (logValue - logStart) / (logEnd - logStart)));
    return true;
}
