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
inline RuleSet::Hsva RuleSet::blend(const ValueColorRule &from, const ValueColorRule &to,
                                    double t) const
{
    return {interpolateComponent(from.getHue(), to.getHue(), t),
            interpolateComponent(from.getSaturation(), to.getSaturation(), t),
            interpolateComponent(from.getBrightness(), to.getBrightness(), t),
            interpolateComponent(from.getAlpha(), to.getAlpha(), t)};
}

const QColor &RuleSet::convert(double value)
{
    if (rules.isEmpty()) {
        resultColor = QColor(Qt::white);
        return resultColor;
    }
    const ValueColorRule *lower = nullptr;
    double t = 0;
    if (const ValueColorRule *rule = locate(value, lower, t))
        return rule->getColor();
    const Hsva hsva = blend(*lower, lower[1], t);
    resultColor.setHsvF(hsva.hue, hsva.saturation, hsva.value, hsva.alpha);
    return resultColor;
}

// The blend's rgba64() comes from its components rounded to 16 bits as setHsvF stores them.
// Out of line: inlined into the bulk conversion's loop, it made the log10 of a logarithmic
// blend run markedly slower in the repaint (about 12 us more on a 1000-pixel bar).
Q_NEVER_INLINE QRgba64 RuleSet::rgba64Of(double value) const
{
    if (rules.isEmpty())
        return QColor(Qt::white).rgba64();
    const ValueColorRule *lower = nullptr;
    double t = 0;
    if (const ValueColorRule *rule = locate(value, lower, t))
        return rule->getRgba64();
    const Hsva hsva = blend(*lower, lower[1], t);
    return hsvToRgba64(hsvComponent(hsva.hue, 36000), hsvComponent(hsva.saturation, USHRT_MAX),
                       hsvComponent(hsva.value, USHRT_MAX), hsvComponent(hsva.alpha, USHRT_MAX));
}

// One loop around the whole conversion: the processor works on the next values while the
// divisions of one are still under way, which calls one at a time do not let it.
void RuleSet::convertToRgba64(const double *values, QRgba64 *colours, int count) const
{
    for (int i = 0; i < count; ++i)
        colours[i] = rgba64Of(values[i]);
}

bool RuleSet::isOpaque() const
{
    for (const ValueColorRule &rule : rules) {
        if (!rule.getRgba64().isOpaque())
            return false;
    }
    return true;
}
