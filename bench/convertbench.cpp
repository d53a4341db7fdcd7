#include "convertbench.h"

#include "benchvalues.h"
#include "ruleset.h"
#include "summary.h"

#include <benchmark/benchmark.h>
#include <qwt_color_map.h>
#include <qwt_interval.h>

#include <string>
#include <vector>

namespace {

// as many values as a 1000-pixel bar converts in one repaint
constexpr int barValues = 1000;

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

// The peer blends in RGB between two colours; green to red over 0..100.
void peerColorMap(benchmark::State &state)
{
    const QwtLinearColorMap map(Qt::green, Qt::red);
    const QwtInterval interval(0.0, 100.0);
    std::vector<double> values;
    for (int i = 0; i < barValues; ++i)
        values.push_back(100.0 * i / (barValues - 1));
    for (auto _ : state) {
        for (const double value : values)
            benchmark::DoNotOptimize(map.rgb(interval, value));
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
    const std::string peer = "peer/QwtLinearColorMap::rgb";
    benchmark::RegisterBenchmark(peer.c_str(), peerColorMap)->Unit(benchmark::kMicrosecond);
    summary.setPeerColorMap(peer, barValues);
}
