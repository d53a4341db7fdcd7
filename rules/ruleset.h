#ifndef RULESET_H
#define RULESET_H

#include "valuecolorrule.h"

#include <QColor>
#include <QRgba64>
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
    // For painting: convert(values[i]).rgba64() into colours[i] for `count` values, worked
    // out for a blend from its components without making the colour (see hsvToRgba64).
    // Leaves nothing behind: convert's last result stays as it was.
    void convertToRgba64(const double *values, QRgba64 *colours, int count) const;
    // every rule opaque, and so every colour convert gives (an empty set gives white)
    bool isOpaque() const;

private:
    Q_DISABLE_COPY(RuleSet)

    // a blend's components as fractions, in the order setHsvF takes them
    struct Hsva
    {
        double hue;
        double saturation;
        double value;
        double alpha;
    };

    const ValueColorRule *locate(double value, const ValueColorRule *&lower, double &t) const;
    Hsva blend(const ValueColorRule &from, const ValueColorRule &to, double t) const;
    QRgba64 rgba64Of(double value) const;
    double interpolateComponent(double from, double to, double t) const;

    QVector<ValueColorRule> rules;
    bool logarithmic = false;
    QColor resultColor;
};

#endif // RULESET_H
