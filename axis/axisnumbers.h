#ifndef AXISNUMBERS_H
#define AXISNUMBERS_H

#include <climits>
#include <cmath>

// Conversions every piece of the axis shares.
namespace AxisNumbers {

// Every double that becomes an int passes here: NaN gives 0, values beyond the int range
// give its nearest end, so no conversion is undefined.
inline int clampToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

inline int clampedSum(int a, int b)
{
    return clampToInt(static_cast<double>(a) + b);
}

// 10^e, the double nearest to it for |e| <= 22 with every C library: there 10^|e| is an
// exact double, and a negative power is one correctly rounded division. MinGW-w64's pow is
// a few units in the last place off for negative exponents, which scaled 0.001 by its own
// power of ten to just below 1 and moved the scale's start a whole step down.
inline double powerOfTen(int e)
{
    if (e < 0 && e >= -22)
        return 1.0 / std::pow(10.0, -e);
    return std::pow(10.0, e);
}

} // namespace AxisNumbers

#endif // AXISNUMBERS_H
