#ifndef BENCHVALUES_H
#define BENCHVALUES_H

#include <QColor>

#include <utility>
#include <vector>

class RuleSet;

// The rules the benchmarks convert with: `count` rules spread evenly over 0..100, or over
// 1..10000 in decades when logarithmic, each with a colour of its own (hue, saturation and
// brightness all change from rule to rule). Stored as RGB or as HSV colours.
std::vector<std::pair<double, QColor>> benchRules(int count, bool logarithmic, bool storedAsHsv);

// Replaces the rules of `set` with benchRules() and switches the mode.
void fillRules(RuleSet &set, int count, bool logarithmic, bool storedAsHsv);

// `count` values evenly spread from the first to the last rule of `set`, on its own scale
// (linear, or logarithmic in logarithmic mode).
std::vector<double> barValuesOf(const RuleSet &set, int count);

#endif // BENCHVALUES_H
