#include "convertbench.h"

#include "benchvalues.h"
#include "ruleset.h"
#include "summary.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void convertValues(benchmark::State &state, int rules, bool logarithmic, bool storedAsHsv)
{
    RuleSet set;
    fillRules(set, rules, logarithmic, storedAsHsv);
    const std::vector<double> values = barValuesOf(set, barValues);
    for (auto _ : state) {
        for (const double value : values)
            benchmark::DoNotOptimize(set.convert(value));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * barValues);
}

} // namespace

void registerConvertBenchmarks(Summary &summary)
{
    for (const int rules : {2, 10, 100}) {
        for (const bool logarithmic : {false, true}) {
            for (const bool storedAsHsv : {false, true}) {
                const std::string name = "convert/rules:" + std::to_string(rules) +
                        (logarithmic ? "/log" : "/lin") + (storedAsHsv ? "/hsv" : "/rgb");
                benchmark::RegisterBenchmark(name.c_str(), convertValues, rules, logarithmic,
                                             storedAsHsv)
                        ->Unit(benchmark::kMicrosecond);
                summary.addConvert({name, rules, logarithmic, storedAsHsv, barValues});
            }
        }
    }
}
