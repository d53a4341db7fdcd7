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
    forgetLast();
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
    forgetLast();
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
    forgetLast();
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
    forgetLast();
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

// The rule whose own colour `value` gets; or nullptr, with the lower of the two rules to blend
// and the blend's weight t of the upper one. The set is not empty.
inline const ValueColorRule *RuleSet::locate(double value, const ValueColorRule *&lower,
                                             double &t) const
{
    const ValueColorRule *first = rules.constData();
    if (value <= first->getValue() || rules.size() == 1)
        return first;
    const ValueColorRule *end = first + rules.size();
    for (const ValueColorRule *low = first; low + 1 != end; ++low) {
        const ValueColorRule &upper = low[1];
        if (value == low->getValue())
            return low;
        if (value == upper.getValue())
            return &upper;
        if (low->getValue() < value && value < upper.getValue()) {
            lower = low;
            // the logarithmic blend uses the rules' cached logarithms, not fresh ones
            t = logarithmic ? (std::log10(value) - low->getLogValue()) /
                            (upper.getLogValue() - low->getLogValue())
                            : (value - low->getValue()) / (upper.getValue() - low->getValue());
            return nullptr;
        }
    }
    return &rules.last();
}

inline double RuleSet::interpolateComponent(double from, double to, double t) const
{
    const double r = from == to ? from : from + (to - from) * t;
    if (r < 0)
        return 0.0;
    return qMin(r, 1.0);
}

// Plain arithmetic on each component: hue does not wrap, and the hue -1 of an achromatic
// colour takes part like any other number before the clamp lifts it to 0.
inline void RuleSet::blend(const ValueColorRule &from, const ValueColorRule &to, double t)
{
    blendAlpha = interpolateComponent(from.getAlpha(), to.getAlpha(), t);
    blendHue = interpolateComponent(from.getHue(), to.getHue(), t);
    blendSaturation = interpolateComponent(from.getSaturation(), to.getSaturation(), t);
    blendBrightness = interpolateComponent(from.getBrightness(), to.getBrightness(), t);
}

const QColor &RuleSet::convert(double value)
{
    if (rules.isEmpty()) {
        forgetLast();
        resultColor = QColor(Qt::white);
        return resultColor;
    }
    const ValueColorRule *lower = nullptr;
    double t = 0;
    blendPending = false;
    if ((lastRule = locate(value, lower, t)))
        return lastRule->getColor();
    blend(*lower, lower[1], t);
    resultColor.setHsvF(blendHue, blendSaturation, blendBrightness, blendAlpha);
    return resultColor;
}

// The blend's rgba() comes from its components rounded to 16 bits as setHsvF stores them.
QRgb RuleSet::convertToRgba(double value)
{
    forgetLast();
    if (rules.isEmpty()) {
        resultColor = QColor(Qt::white);
        return resultColor.rgba();
    }
    const ValueColorRule *lower = nullptr;
    double t = 0;
    if ((lastRule = locate(value, lower, t)))
        return lastRule->getRgba();
    blend(*lower, lower[1], t);
    blendPending = true;
    return hsvToRgba(hsvComponent(blendHue, 36000), hsvComponent(blendSaturation, USHRT_MAX),
                     hsvComponent(blendBrightness, USHRT_MAX), hsvComponent(blendAlpha, USHRT_MAX));
}

// One loop around the whole conversion: the processor works on the next values while the
// divisions of one are still under way, which calls one at a time do not let it.
void RuleSet::convertToRgba(const double *values, QRgb *pixels, int count)
{
    for (int i = 0; i < count; ++i)
        pixels[i] = convertToRgba(values[i]);
}

bool RuleSet::isOpaque() const
{
    for (const ValueColorRule &rule : rules) {
        if (qAlpha(rule.getRgba()) != 255)
            return false;
    }
    return true;
}

// Edits move the rules; the last conversion's colour is then the last one made.
void RuleSet::forgetLast()
{
    blendPending = false;
    lastRule = nullptr;
}

const QColor &RuleSet::lastColor()
{
    if (lastRule)
        return lastRule->getColor();
    if (blendPending) {
        resultColor.setHsvF(blendHue, blendSaturation, blendBrightness, blendAlpha);
        blendPending = false;
    }
    return resultColor;
}
