#ifndef SCALEMAP_H
#define SCALEMAP_H

#include "scaledivision.h"

// Between values and pixel offsets along an axis of a given length, for the ends of a
// division. Offset 0 is the left end of a horizontal axis (smallest values) and the top of a
// vertical one (largest values). Values map with the end of the scale one pixel beyond the
// last pixel of the axis; a logarithmic tick on a vertical axis maps both ends of the scale
// onto the first and last pixel.
class ScaleMap
{
public:
    ScaleMap(const ScaleDivision &division, int length, bool vertical, bool logarithmic);

    // the offset of `value`; false (with the offset of the nearer end) beyond the scale
    bool valueToScreen(double value, int &position) const;
    double screenToValue(int position) const;
    // the offset of a tick of the division; false beyond the scale
    bool tickPosition(const ScaleDivision::Tick &tick, int &position) const;
    // the offset of a logarithmic tick at log10 of its value; false beyond the scale
    bool logTickPosition(double logValue, int &position) const;

private:
    int offsetBelowScale() const;
    int offsetAboveScale() const;
    bool valueToScreenLin(double value, int &position) const;
    bool valueToScreenLog(double value, int &position) const;
    bool mapBetween(double x, double from, double to, int &position) const;
    int offsetOnScale(double t) const;
    bool logValueToScreenVertical(double logValue, int &position) const;
    bool logValueToScreenHorizontal(double logValue, int &position) const;

    double start;
    double end;
    double logStart;
    double logEnd;
    double exponent;
    double factor;
    int length;
    bool vertical;
    bool logarithmic;
};

#endif // SCALEMAP_H
