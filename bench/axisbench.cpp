#include "axisbench.h"

#include "valueaxis.h"

#include <QFont>
#include <QFontMetrics>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int axisLength = 1000;

void prepareAxis(benchmark::State &state, bool logarithmic, bool labels, bool vertical)
{
    const QFontMetrics metrics{QFont()};
    ValueAxis axis;
    axis.setVertical(vertical);
    axis.setLogarithmic(logarithmic);
    axis.setAxisShowLabels(labels);
    if (logarithmic)
        axis.setLimits(1.0, 10000.0);
    else
        axis.setLimits(0.0, 100.0);
    // Preparation only works when something changed; the length alternates by one pixel so
    // that every iteration prepares a full scale.
    int length = axisLength;
    for (auto _ : state) {
        length = length == axisLength ? axisLength - 1 : axisLength;
        if (vertical)
            axis.setHeight(length);
        else
            axis.setWidth(length);
        benchmark::DoNotOptimize(axis.prepare(metrics));
    }
}

} // namespace

void registerAxisBenchmarks()
{
    for (const bool logarithmic : {false, true}) {
        for (const bool labels : {false, true}) {
            for (const bool vertical : {false, true}) {
                const std::string name = std::string("axis_prepare") +
                        (logarithmic ? "/log" : "/lin") + (labels ? "/labels" : "/nolabels") +
                        (vertical ? "/vertical" : "/horizontal");
                benchmark::RegisterBenchmark(name.c_str(), prepareAxis, logarithmic, labels,
                                             vertical)
                        ->Unit(benchmark::kMicrosecond);
            }
        }
    }
}
