#include "hsvrgba.h"

#include <QtGlobal>

#include <climits>

namespace {

// QColor's 16-bit component to the 8-bit one it reports: the nearest multiple of 257
int eightBit(int component)
{
    return static_cast<int>((static_cast<unsigned>(component) + 128u) / 257u);
}

// qRound of a fraction in [0, 1] scaled to 16 bits: for numbers of 0 or more qRound is this
int eightBit(qreal fraction)
{
    return eightBit(static_cast<int>(fraction * USHRT_MAX + 0.5));
}

} // namespace

// The sextant arithmetic in doubles that QColor's own HSV to RGB conversion does.
QRgb hsvToRgba(int hue, int saturation, int value, int alpha)
{
    if (saturation == 0 || hue == USHRT_MAX) {
        const int grey = eightBit(value);
        return qRgba(grey, grey, grey, eightBit(alpha));
    }
    const qreal h = hue == 36000 ? 0 : hue / 6000.;
    const qreal s = saturation / qreal(USHRT_MAX);
    const qreal v = value / qreal(USHRT_MAX);
    const int sextant = int(h);
    const qreal f = h - sextant;
    const qreal p = v * (qreal(1.0) - s);
    // odd sextants fall from v, even ones rise towards it
    const qreal slope = sextant & 1 ? v * (qreal(1.0) - (s * f))
                                    : v * (qreal(1.0) - (s * (qreal(1.0) - f)));
    qreal r = v;
    qreal g = slope;
    qreal b = p;
    switch (sextant) {
    case 1:
        r = slope;
        g = v;
        break;
    case 2:
        r = p;
        g = v;
        b = slope;
        break;
    case 3:
        r = p;
        g = slope;
        b = v;
        break;
    case 4:
        r = slope;
        g = p;
        b = v;
        break;
    case 5:
        g = p;
        b = slope;
        break;
    default:
        break;
    }
    return qRgba(eightBit(r), eightBit(g), eightBit(b), eightBit(alpha));
}
