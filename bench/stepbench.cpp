#include "stepbench.h"

#include "directpainter.h"
#include "ruleset.h"
#include "valueaxis.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// The widget at 1000x60, horizontal, labels on, linear 0..100 green to red: the steps of its
// repaint one at a time, each on a painter of its own into an image like a backing store's.
constexpr int barLength = 1000;
constexpr int widgetHeight = 60;
constexpr QImage::Format imageFormat = QImage::Format_ARGB32_Premultiplied;

// How a step's painter is set up: as the widget gets it, or clipped to the whole image, which
// leaves the pixels as they are but sends every direct write back to Qt's painter path.
enum class Path { Direct, Painter };

struct Scene
{
    Scene()
    {
        axis.setAxisShowLabels(true);
        axis.setWidth(barLength);
        axis.setLimits(0.0, 100.0);
        axis.prepare(QFontMetrics(QApplication::font()));
        baseLine = widgetHeight - 1 - axis.height();
    }

    RuleSet rules; // 0 green, 100 red
    ValueAxis axis;
    int baseLine = 0;
    QImage image{QSize(barLength, widgetHeight), imageFormat};
};

void begin(QPainter &painter, Scene &scene, Path path)
{
    painter.begin(&scene.image);
    painter.setBackground(QApplication::palette().window());
    if (path == Path::Painter)
        painter.setClipRect(scene.image.rect());
}

template<typename Step> void measure(benchmark::State &state, Path path, Step step)
{
    Scene scene;
    for (auto _ : state) {
        QPainter painter;
        begin(painter, scene, path);
        step(painter, scene);
        painter.end();
        benchmark::ClobberMemory();
    }
}

std::vector<QRgba64> barColours(Scene &scene)
{
    std::vector<QRgba64> colours(static_cast<size_t>(barLength));
    for (int x = 0; x < barLength; ++x)
        colours[static_cast<size_t>(x)] = scene.rules.convert(scene.axis.screenToValue(x)).rgba64();
    return colours;
}

void beginEnd(benchmark::State &state, Path path)
{
    measure(state, path, [](QPainter &, Scene &) {});
}

void erase(benchmark::State &state, Path path)
{
    measure(state, path, [](QPainter &painter, Scene &scene) {
        DirectPainter(painter).eraseRect(scene.image.rect());
    });
}

// one screenToValue per line, then the conversion of all lines in one pass, as the bar does
void barColourValues(benchmark::State &state)
{
    Scene scene;
    std::vector<double> values(static_cast<size_t>(barLength));
    std::vector<QRgba64> colours(static_cast<size_t>(barLength));
    for (auto _ : state) {
        for (int x = 0; x < barLength; ++x)
            values[static_cast<size_t>(x)] = scene.axis.screenToValue(x);
        scene.rules.convertToRgba64(values.data(), colours.data(), barLength);
        benchmark::ClobberMemory();
    }
}

void barPixels(benchmark::State &state, Path path)
{
    Scene scene;
    const std::vector<QRgba64> colours = barColours(scene);
    measure(state, path, [&](QPainter &painter, Scene &scene) {
        DirectPainter(painter).fillLines(QRect(0, 0, barLength, scene.baseLine + 1), Qt::Horizontal,
                                         colours.data());
    });
}

void axisDrawing(benchmark::State &state, Path path, bool labels)
{
    measure(state, path, [labels](QPainter &painter, Scene &scene) {
        scene.axis.drawScaleHorizontal(painter, scene.baseLine, labels);
    });
}

void border(benchmark::State &state, Path path)
{
    measure(state, path, [](QPainter &painter, Scene &scene) {
        painter.setPen(Qt::gray);
        DirectPainter(painter).drawRect(QRect(0, 0, barLength - 1, scene.baseLine));
    });
}

void add(const std::string &step, Path path, void (*function)(benchmark::State &, Path))
{
    const std::string name =
            "step/1000x60/" + step + (path == Path::Direct ? "/direct" : "/painter");
    benchmark::RegisterBenchmark(name.c_str(), function, path)->Unit(benchmark::kMicrosecond);
}

} // namespace

void registerStepBenchmarks()
{
    for (const Path path : {Path::Direct, Path::Painter}) {
        add("begin_end", path, beginEnd);
        add("erase", path, erase);
        add("bar_pixels", path, barPixels);
        const std::string suffix = path == Path::Direct ? "/direct" : "/painter";
        benchmark::RegisterBenchmark(("step/1000x60/ticks" + suffix).c_str(), axisDrawing, path,
                                     false)
                ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("step/1000x60/ticks_and_labels" + suffix).c_str(),
                                     axisDrawing, path, true)
                ->Unit(benchmark::kMicrosecond);
        add("border", path, border);
    }
    benchmark::RegisterBenchmark("step/1000x60/bar_colours", barColourValues)
            ->Unit(benchmark::kMicrosecond);
}
