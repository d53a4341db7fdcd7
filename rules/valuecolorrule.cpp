#include "valuecolorrule.h"

#include <cmath>

ValueColorRule::ValueColorRule() : color(Qt::green)
{
    cacheComponents();
}

ValueColorRule::ValueColorRule(double value, const QColor &color)
    : value(value), logValue(value > 0 ? std::log10(value) : -100.0), color(color)
{
    cacheComponents();
}

void ValueColorRule::setColor(const QColor &newColor)
{
    color = newColor;
    cacheComponents();
}

bool ValueColorRule::calculateLogValue()
{
    if (value <= 0)
        return false;
    logValue = std::log10(value);
    return true;
}

// The accessors convert an RGB colour to HSV on every call; reading them once here gives
// the very same numbers the blend would read later.
void ValueColorRule::cacheComponents()
{
    hue = color.hsvHueF();
    saturation = color.hsvSaturationF();
    brightness = color.valueF();
    alpha = color.alphaF();
    rgba64 = color.rgba64();
}
