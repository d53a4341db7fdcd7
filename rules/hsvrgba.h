#ifndef HSVRGBA_H
#define HSVRGBA_H

#include <QColor>
#include <QRgba64>
#include <QtGlobal>

#include <climits>

// The rgba64() of a QColor that holds these HSV components as QColor stores them: hue in
// hundredths of a degree (0 to 36000, or USHRT_MAX for an achromatic colour), saturation,
// value and alpha in 16 bits. For an HSV colour QColor::rgba64() first converts the whole
// colour to a new RGB QColor, which costs as much as the blend that made it; this is the
// same arithmetic on the components alone, bit for bit. Inline: it runs once per bar line.
inline QRgba64 hsvToRgba64(int hue, int saturation, int value, int alpha);

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

// a fraction in [0, 1] scaled to 16 bits and rounded, as QColor stores a channel
inline quint16 sixteenBit(ColorReal fraction)
{
    return static_cast<quint16>(qRound(fraction * ColorReal(USHRT_MAX)));
}

} // namespace hsvrgba_detail

// The sextant arithmetic that QColor's own HSV to RGB conversion does, in its type.
inline QRgba64 hsvToRgba64(int hue, int saturation, int value, int alpha)
{
    using hsvrgba_detail::sixteenBit;
    const auto alpha16 = static_cast<quint16>(alpha);
    if (saturation == 0 || hue == USHRT_MAX) {
        const auto grey = static_cast<quint16>(value);
        return QRgba64::fromRgba64(grey, grey, grey, alpha16);
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
    return QRgba64::fromRgba64(sixteenBit(r), sixteenBit(g), sixteenBit(b), alpha16);
}

#endif // HSVRGBA_H
