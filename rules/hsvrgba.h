#ifndef HSVRGBA_H
#define HSVRGBA_H

#include <QRgb>

// The rgba() of a QColor that holds these HSV components as QColor stores them: hue in
// hundredths of a degree (0 to 36000, or USHRT_MAX for an achromatic colour), saturation,
// value and alpha in 16 bits. For an HSV colour QColor::rgba() first converts the whole
// colour to a new RGB QColor, which costs as much as the blend that made it; this is the
// same arithmetic on the components alone, bit for bit.
QRgb hsvToRgba(int hue, int saturation, int value, int alpha);

#endif // HSVRGBA_H
