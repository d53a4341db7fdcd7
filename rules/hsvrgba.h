#ifndef HSVRGBA_H
#define HSVRGBA_H

#include <QRgb>
#include <QtGlobal>

#include <climits>

// The rgba() of a QColor that holds these HSV components as QColor stores them: hue in
// hundredths of a degree (0 to 36000, or USHRT_MAX for an achromatic colour), saturation,
// value and alpha in 16 bits. For an HSV colour QColor::rgba() first converts the whole
// colour to a new RGB QColor, which costs as much as the blend that made it; this is the
// same arithmetic on the components alone, bit for bit. Inline: it runs once per bar line.
inline QRgb hsvToRgba(int hue, int saturation, int value, int alpha);

namespace hsvrgba_detail {

// QColor's 16-bit component to the 8-bit one it reports: the nearest multiple of 257
inline int eightBit(int component)
{
    return static_cast<int>((static_cast<unsigned>(component) + 128u) / 257u);
}

// qRound of a fraction in [0, 1] scaled to 16 bits: for numbers of 0 or more qRound is this
inline int eightBit(qreal fraction)
{
    return eightBit(static_cast<int>(fraction * USHRT_MAX + 0.5));
}

} // namespace hsvrgba_detail

// The sextant arithmetic in doubles that QColor's own HSV to RGB conversion does.
inline QRgb hsvToRgba(int hue, int saturation, int value, int alpha)
{
    using hsvrgba_detail::eightBit;
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
    const qreal slope =
            sextant & 1 ? v * (qreal(1.0) - (s * f)) : v * (qreal(1.0) - (s * (qreal(1.0) - f)));
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

#endif // HSVRGBA_H
