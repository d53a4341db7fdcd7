#include "ruleset.h"

#include "hsvrgba.h"

#include <climits>
#include <cmath>

RuleSet::RuleSet()
{
    addRule(0.0, Qt::green);
    addRule(100.0, Qt::red);
}

// Inserts in ascending order, or replaces the colour of a rule with an equal value. Only a
// newly created rule gives true. A NaN value compares neither equal nor greater and lands last.
bool RuleSet::addRule(double value, const QColor &color)
{
    if (logarithmic && value <= 0)
        return false;
    for (int i = 0; i < rules.size(); ++i) {
        ValueColorRule &rule = rules[i];
        if (rule.getValue() == value) {
            rule.setColor(color);
            return false;
        }
        if (rule.getValue() > value) {
            rules.insert(i, ValueColorRule(value, color));
            return true;
        }
    }
    rules.append(ValueColorRule(value, color));
    return true;
}

bool RuleSet::removeRule(double value)
{
    for (int i = 0; i < rules.size(); ++i) {
        if (rules.at(i).getValue() == value) {
            rules.remove(i);
            return true;
        }
    }
    return false;
}

void RuleSet::clear()
{
    rules.clear();
}

double RuleSet::getMin() const
{
    return rules.isEmpty() ? 0.0 : rules.first().getValue();
}

double RuleSet::getMax() const
{
    return rules.isEmpty() ? 0.0 : rules.last().getValue();
}

// Switching on purges the rules of value 0 or less; a set that this purge empties gets the
// logarithmic defaults 1 -> green and 100 -> red. Switching off changes nothing but the flag.
void RuleSet::setLogarithmic(bool on)
{
    if (on == logarithmic)
        return;
    logarithmic = on;
    if (!on)
        return;
    const bool hadRules = !rules.isEmpty();
    for (int i = rules.size() - 1; i >= 0; --i) {
        if (rules.at(i).getValue() <= 0)
            rules.remove(i);
        else
            rules[i].calculateLogValue();
    }
    if (hadRules && rules.isEmpty()) {
        addRule(1.0, Qt::green);
        addRule(100.0, Qt::red);
    }
}

const QColor &RuleSet::convert(double value)
{
    return convertTo(value, nullptr);
}

const QColor &RuleSet::convert(double value, QRgb &rgba)
{
    return convertTo(value, &rgba);
}

// `rgba`, when given, receives the result's rgba().
const QColor &RuleSet::convertTo(double value, QRgb *rgba)
{
    if (rules.isEmpty()) {
        resultColor = QColor(Qt::white);
        if (rgba)
            *rgba = resultColor.rgba();
        return resultColor;
    }
    const ValueColorRule *first = rules.constData();
    if (value <= first->getValue() || rules.size() == 1)
        return ruleColor(*first, rgba);
    const ValueColorRule *end = first + rules.size();
    for (const ValueColorRule *lower = first; lower + 1 != end; ++lower) {
        const ValueColorRule &upper = lower[1];
        if (value == lower->getValue())
            return ruleColor(*lower, rgba);
        if (value == upper.getValue())
            return ruleColor(upper, rgba);
        if (lower->getValue() < value && value < upper.getValue())
            return logarithmic ? interpolateLog(*lower, upper, value, rgba)
                               : interpolateLin(*lower, upper, value, rgba);
    }
    return ruleColor(rules.last(), rgba);
}

const QColor &RuleSet::ruleColor(const ValueColorRule &rule, QRgb *rgba) const
{
    if (rgba)
        *rgba = rule.getRgba();
    return rule.getColor();
}

const QColor &RuleSet::interpolateLin(const ValueColorRule &lower, const ValueColorRule &upper,
                                      double value, QRgb *rgba)
{
    const double t = (value - lower.getValue()) / (upper.getValue() - lower.getValue());
    return interpolate(lower, upper, t, rgba);
}

// Uses the rules' cached logarithms, not fresh ones of their values.
const QColor &RuleSet::interpolateLog(const ValueColorRule &lower, const ValueColorRule &upper,
                                      double value, QRgb *rgba)
{
    const double t =
            (std::log10(value) - lower.getLogValue()) / (upper.getLogValue() - lower.getLogValue());
    return interpolate(lower, upper, t, rgba);
}

// Plain arithmetic on each component: hue does not wrap, and the hue -1 of an achromatic
// colour takes part like any other number before the clamp lifts it to 0. The rgba() comes
// from the components rounded to 16 bits as setHsvF stores them.
const QColor &RuleSet::interpolate(const ValueColorRule &from, const ValueColorRule &to, double t,
                                   QRgb *rgba)
{
    const double alpha = interpolateComponent(from.getAlpha(), to.getAlpha(), t);
    const double hue = interpolateComponent(from.getHue(), to.getHue(), t);
    const double saturation = interpolateComponent(from.getSaturation(), to.getSaturation(), t);
    const double brightness = interpolateComponent(from.getBrightness(), to.getBrightness(), t);
    resultColor.setHsvF(hue, saturation, brightness, alpha);
    if (rgba) {
        *rgba = resultColor.spec() == QColor::Hsv
                ? hsvToRgba(hue == -1 ? USHRT_MAX : qRound(hue * 36000), qRound(saturation * USHRT_MAX),
                            qRound(brightness * USHRT_MAX), qRound(alpha * USHRT_MAX))
                : resultColor.rgba();
    }
    return resultColor;
}

double RuleSet::interpolateComponent(double from, double to, double t) const
{
    const double r = from == to ? from : from + (to - from) * t;
    if (r < 0)
        return 0.0;
    return qMin(r, 1.0);
}
