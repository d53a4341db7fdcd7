#include "peerbench.h"

#include "convertbench.h"
#include "repaintbench.h"
#include "summary.h"

#include <benchmark/benchmark.h>
#include <qwt_color_map.h>
#include <qwt_interval.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_engine.h>
#include <qwt_scale_widget.h>

#include <string>
#include <vector>

namespace {

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

void repaintPeer(benchmark::State &state, Shape shape)
{
    QwtScaleWidget widget(shape.vertical ? QwtScaleDraw::RightScale : QwtScaleDraw::BottomScale);
    widget.setColorBarEnabled(true);
    widget.setColorBarWidth(ourBarThickness(shape));
    widget.setColorMap(QwtInterval(0.0, 100.0), new QwtLinearColorMap(Qt::green, Qt::red));
    QwtLinearScaleEngine engine;
    widget.setScaleDiv(engine.divideScale(0.0, 100.0, 10, 5));
    widget.resize(shape.size);
    measureRenders(state, widget, shape);
}

} // namespace

void registerPeerBenchmarks(Summary &summary)
{
    const std::string colorMap = "peer/QwtLinearColorMap::rgb";
    benchmark::RegisterBenchmark(colorMap.c_str(), peerColorMap)->Unit(benchmark::kMicrosecond);
    summary.setPeerColorMap(colorMap, barValues);
    for (const Shape &shape : repaintShapes()) {
        const std::string size = sizeText(shape);
        const int length = shape.vertical ? shape.size.height() : shape.size.width();
        const std::string name = "repaint/peer/" + size +
                (shape.vertical ? "/vertical" : "/horizontal") + "/QwtScaleWidget";
        benchmark::RegisterBenchmark(name.c_str(), repaintPeer, shape)
                ->Unit(benchmark::kMicrosecond);
        summary.addRepaint({name, Summary::Painter::Peer, size, length, true, false, 2});
    }
}
