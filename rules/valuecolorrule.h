#ifndef VALUECOLORRULE_H
#define VALUECOLORRULE_H

#include <QColor>
#include <QRgba64>

// One value/colour pair of a colour scale. The colour is stored unchanged (an RGB colour
// stays RGB); beside it the rule keeps the colour's HSV components and alpha as fractions,
// exactly as QColor reports them, so that blending between rules does not convert the
// colour again for every converted value, and its rgba64(). It also caches log10 of its value
// for the logarithmic blend.
class ValueColorRule
{
public:
    ValueColorRule();
    ValueColorRule(double value, const QColor &color);

    double getValue() const { return value; }
    double getLogValue() const { return logValue; }
    const QColor &getColor() const { return color; }
    QRgba64 getRgba64() const { return rgba64; }
    void setColor(const QColor &newColor);

    // HSV components of the colour as fractions in [0, 1]; hue is -1 for achromatic colours.
    double getHue() const { return hue; }
    double getSaturation() const { return saturation; }
    double getBrightness() const { return brightness; }
    double getAlpha() const { return alpha; }

    // Sets logValue to log10(value) and returns true, or returns false and leaves it when
    // the value is 0 or less.
    bool calculateLogValue();

private:
    void cacheComponents();

    double value = 1.0;
    double logValue = 0.0;
    QColor color;
    double hue = 0.0;
    double saturation = 0.0;
    double brightness = 0.0;
    double alpha = 0.0;
    QRgba64 rgba64 = QRgba64::fromRgba64(0);
};

#endif // VALUECOLORRULE_H
