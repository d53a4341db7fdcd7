#ifndef HSVRGBA_H
#define HSVRGBA_H

#include <QColor>
#include <QRgb>
#include <QtGlobal>

#include <climits>

// The rgba() of a QColor that holds these HSV components as QColor stores them: hue in
// hundredths of a degree (0 to 36000, or USHRT_MAX for an achromatic colour), saturation,
// value and alpha in 16 bits. For an HSV colour QColor::rgba() first converts the whole
// colour to a new RGB QColor, which costs as much as the blend that made it; this is the
// same arithmetic on the components alone, bit for bit. Inline: it runs once per bar line.
inline QRgb hsvToRgba(int hue, int saturation, int value, int alpha);

// The floating-point type in which QColor takes HSV fractions and converts HSV to RGB:
// qreal in Qt 5, float in Qt 6. Following it gives the very bits QColor gives on both.
using ColorReal = decltype(QColor().hsvHueF());

// A fraction in [0, 1] as setHsvF stores it: scaled (36000 for the hue, USHRT_MAX for the
// others) and rounded in QColor's own floating-point type.
inline int hsvComponent(double fraction, int scale)
{
    return qRound(ColorReal(fraction) * ColorReal(scale));
}

namespace hsvrgba_detail {

// QColor's 16-bit component to the 8-bit one it reports: the nearest multiple of 257
inline int eightBit(int component)
{
    return static_cast<int>((static_cast<unsigned>(component) + 128u) / 257u);
}

// a fraction in [0, 1] scaled to 16 bits and rounded, then to 8 bits
inline int eightBit(ColorReal fraction)
{
    return eightBit(qRound(fraction * ColorReal(USHRT_MAX)));
}

} // namespace hsvrgba_detail

// The sextant arithmetic that QColor's own HSV to RGB conversion does, in its type.
inline QRgb hsvToRgba(int hue, int saturation, int value, int alpha)
{
    using hsvrgba_detail::eightBit;
    if (saturation == 0 || hue == USHRT_MAX) {
        const int grey = eightBit(value);
        return qRgba(grey, grey, grey, eightBit(alpha));
    }
    const ColorReal one = 1;
    const ColorReal h = hue == 36000 ? 0 : hue / ColorReal(6000);
    const ColorReal s = saturation / ColorReal(USHRT_MAX);
    const ColorReal v = value / ColorReal(USHRT_MAX);
    const int sextant = int(h);
    const ColorReal f = h - sextant;
    const ColorReal p = v * (one - s);
    // odd sextants fall from v, even ones rise towards it
    const ColorReal slope = sextant & 1 ? v * (one - (s * f)) : v * (one - (s * (one - f)));
    ColorReal r = v;
    ColorReal g = slope;
    ColorReal b = p;
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

#endif // HSVRGBA_H
