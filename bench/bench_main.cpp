#include "axisbench.h"
#include "convertbench.h"
#include "peerbench.h"
#include "repaintbench.h"
#include "stepbench.h"
#include "summary.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>

#include <unistd.h>

// Runs every case with Google Benchmark's usual flags (--benchmark_filter,
// --benchmark_repetitions, ...) and prints the summary with the ratios afterwards. The
// widgets need an application; without a display it runs on the offscreen platform.
int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // MVC_BENCH_SAVE=FILE keeps our repaint times for a run on the other CPU path, which
    // compares with them when given MVC_BENCH_COMPARE=FILE.
    Summary summary(qgetenv("QT_NO_CPU_FEATURE").contains("avx2"),
                    qEnvironmentVariable("MVC_BENCH_SAVE").toStdString(),
                    qEnvironmentVariable("MVC_BENCH_COMPARE").toStdString());
    registerConvertBenchmarks(summary);
    registerAxisBenchmarks();
    registerRepaintBenchmarks(summary);
    registerPeerBenchmarks(summary);
    registerStepBenchmarks();

    SummaryReporter reporter(summary, isatty(fileno(stdout)) != 0);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    summary.print(std::cout);
    return 0;
}
