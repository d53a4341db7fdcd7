#include "benchvalues.h"

#include "ruleset.h"

#include <cmath>

std::vector<std::pair<double, QColor>> benchRules(int count, bool logarithmic, bool storedAsHsv)
{
    std::vector<std::pair<double, QColor>> rules;
    for (int i = 0; i < count; ++i) {
        const double t = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
        const double value = logarithmic ? std::pow(10.0, 4.0 * t) : 100.0 * t;
        const QColor hsv =
                QColor::fromHsv((120 + i * 47) % 360, 255 - (i * 29) % 96, 255 - (i * 17) % 64);
        rules.emplace_back(value, storedAsHsv ? hsv : hsv.toRgb());
    }
    return rules;
}

void fillRules(RuleSet &set, int count, bool logarithmic, bool storedAsHsv)
{
    set.clear();
    set.setLogarithmic(logarithmic);
    for (const auto &rule : benchRules(count, logarithmic, storedAsHsv))
        set.addRule(rule.first, rule.second);
}

std::vector<double> barValuesOf(const RuleSet &set, int count)
{
    std::vector<double> values;
    const double lo = set.isLogarithmic() ? std::log10(set.getMin()) : set.getMin();
    const double hi = set.isLogarithmic() ? std::log10(set.getMax()) : set.getMax();
    for (int i = 0; i < count; ++i) {
        const double x = lo + (hi - lo) * i / (count - 1);
        values.push_back(set.isLogarithmic() ? std::pow(10.0, x) : x);
    }
    return values;
}
