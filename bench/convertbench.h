#ifndef CONVERTBENCH_H
#define CONVERTBENCH_H

class Summary;

// RuleSet::convert over one bar's worth of values, and the peer's colour map per value.
void registerConvertBenchmarks(Summary &summary);

#endif // CONVERTBENCH_H
