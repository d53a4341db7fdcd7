#ifndef RULESET_H
#define RULESET_H

#include "valuecolorrule.h"

#include <QColor>
#include <QVector>

// The ordered value/colour rules of one colour scale, in linear or logarithmic mode, and
// the conversion of any value to a colour: below the first rule the first colour, above the
// last rule the last colour, on a rule its exact colour, and between two rules a blend of
// hue, saturation, brightness and alpha (no wrap-around of hue). The set owns its rules by
// value; values are strictly ascending, and in logarithmic mode greater than 0.
class RuleSet
{
public:
    RuleSet();

    // rule editing
    bool addRule(double value, const QColor &color);
    bool removeRule(double value);
    void clear();

    double getMin() const;
    double getMax() const;
    const QVector<ValueColorRule> &ruleList() const { return rules; }

    // mode
    void setLogarithmic(bool on);
    bool isLogarithmic() const { return logarithmic; }

    // conversion; the reference stays valid until the next conversion or change of the rules
    const QColor &convert(double value);
    // convert(value).rgba(), worked out for a blend from its components without making the
    // colour (see hsvToRgba). lastColor() gives the colour of the last conversion, made only
    // when asked for; the reference is valid as convert's result is.
    QRgb convertToRgba(double value);
    const QColor &lastColor();
    // convertToRgba of `count` values into `pixels`, one conversion per value
    void convertToRgba(const double *values, QRgb *pixels, int count);
    // every rule opaque, and so every colour convert gives (an empty set gives white)
    bool isOpaque() const;

private:
    Q_DISABLE_COPY(RuleSet)

    void forgetLast();
    const ValueColorRule *locate(double value, const ValueColorRule *&lower, double &t) const;
    void blend(const ValueColorRule &from, const ValueColorRule &to, double t);
    double interpolateComponent(double from, double to, double t) const;

    QVector<ValueColorRule> rules;
    bool logarithmic = false;
    QColor resultColor;
    // the last blend's components, and what lastColor() gives
    double blendAlpha = 0;
    double blendHue = 0;
    double blendSaturation = 0;
    double blendBrightness = 0;
    bool blendPending = false;
    const ValueColorRule *lastRule = nullptr;
};

#endif // RULESET_H
