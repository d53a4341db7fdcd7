#ifndef CONVERTBENCH_H
#define CONVERTBENCH_H

class Summary;

// as many values as a 1000-pixel bar converts in one repaint
constexpr int barValues = 1000;

// RuleSet::convert over one bar's worth of values.
void registerConvertBenchmarks(Summary &summary);

#endif // CONVERTBENCH_H
