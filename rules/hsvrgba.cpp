#include "hsvrgba.h"

#include <QtGlobal>

#include <climits>

namespace {

// QColor's 16-bit component to the 8-bit one it reports: the nearest multiple of 257
int eightBit(int component)
{
    return (component + 128) / 257;
}

int eightBit(qreal fraction)
{
    return eightBit(qRound(fraction * USHRT_MAX));
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
    const qreal q = v * (qreal(1.0) - (s * f));
    const qreal t = v * (qreal(1.0) - (s * (qreal(1.0) - f)));
    qreal r = v;
    qreal g = t;
    qreal b = p;
    switch (sextant) {
    case 1:
        r = q;
        g = v;
        break;
    case 2:
        r = p;
        g = v;
        b = t;
        break;
    case 3:
        r = p;
        g = q;
        b = v;
        break;
    case 4:
        r = t;
        g = p;
        b = v;
        break;
    case 5:
        g = p;
        b = q;
        break;
    default:
        break;
    }
    return qRgba(eightBit(r), eightBit(g), eightBit(b), eightBit(alpha));
}
