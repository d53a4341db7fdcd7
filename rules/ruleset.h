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
    // the same, also giving the colour's rgba(), which for a blend is worked out from its
    // components without converting the colour (see hsvToRgba)
    const QColor &convert(double value, QRgb &rgba);

private:
    Q_DISABLE_COPY(RuleSet)

    const QColor &convertTo(double value, QRgb *rgba);
    const QColor &ruleColor(const ValueColorRule &rule, QRgb *rgba) const;
    const QColor &interpolateLin(const ValueColorRule &lower, const ValueColorRule &upper,
                                 double value, QRgb *rgba);
    const QColor &interpolateLog(const ValueColorRule &lower, const ValueColorRule &upper,
                                 double value, QRgb *rgba);
    const QColor &interpolate(const ValueColorRule &from, const ValueColorRule &to, double t,
                              QRgb *rgba);
    double interpolateComponent(double from, double to, double t) const;

    QVector<ValueColorRule> rules;
    bool logarithmic = false;
    QColor resultColor;
};

#endif // RULESET_H
