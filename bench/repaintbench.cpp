#include "repaintbench.h"

#include "benchvalues.h"
#include "summary.h"
#include "valuecolorconverterwidget.h"

#include <QImage>
#include <QPainter>
#include <QSize>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

void setUpOurs(ValueColorConverterWidget &widget, Shape shape, bool labels, bool logarithmic,
               int rules)
{
    widget.setOrientation(shape.vertical ? ValueColorConverterWidget::Vertical
                                         : ValueColorConverterWidget::Horizontal);
    widget.setAxisShowLabels(labels);
    widget.ruleSet.clear();
    widget.setLogarithmic(logarithmic);
    if (rules == 2) {
        // green to red, like the peer
        widget.addRule(logarithmic ? 1.0 : 0.0, Qt::green);
        widget.addRule(logarithmic ? 10000.0 : 100.0, Qt::red);
    } else {
        for (const auto &rule : benchRules(rules, logarithmic, false))
            widget.addRule(rule.first, rule.second);
    }
    widget.resize(shape.size);
}

void repaintOurs(benchmark::State &state, Shape shape, bool labels, bool logarithmic, int rules)
{
    ValueColorConverterWidget widget;
    setUpOurs(widget, shape, labels, logarithmic, rules);
    measureRenders(state, widget, shape);
}

// What any repaint of the whole area must at least do: write every device pixel once, with
// the colours known in advance.
void repaintFloor(benchmark::State &state, Shape shape)
{
    const QSize size = shape.size * shape.ratio;
    const int length = shape.vertical ? size.height() : size.width();
    std::vector<QRgb> colors;
    for (int i = 0; i < length; ++i) {
        const int red = 255 * i / (length - 1);
        colors.push_back(qRgb(red, 255 - red, 0));
    }
    QImage image(size, imageFormat);
    const int width = image.width();
    const int height = image.height();
    for (auto _ : state) {
        uchar *bits = image.bits();
        const qsizetype stride = image.bytesPerLine();
        for (int y = 0; y < height; ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(bits + y * stride);
            if (shape.vertical)
                std::fill(line, line + width, colors[static_cast<size_t>(height - 1 - y)]);
            else
                std::memcpy(line, colors.data(), static_cast<size_t>(width) * sizeof(QRgb));
        }
        benchmark::ClobberMemory();
    }
}

// Qt's share of a horizontal repaint: 1000 one-pixel-wide columns of `rows` pixels filled
// with QPainter::fillRect in precomputed RGB colours, with no conversion and no axis.
void fillColumns(benchmark::State &state, int rows)
{
    constexpr int columns = 1000;
    std::vector<QColor> colors;
    for (int i = 0; i < columns; ++i)
        colors.push_back(
                QColor::fromRgb(255 * i / (columns - 1), 255 - 255 * i / (columns - 1), 0));
    QImage image(QSize(columns, rows), imageFormat);
    for (auto _ : state) {
        QPainter painter(&image);
        for (int x = 0; x < columns; ++x)
            painter.fillRect(x, 0, 1, rows, colors[static_cast<size_t>(x)]);
        painter.end();
        benchmark::ClobberMemory();
    }
}

} // namespace

std::string sizeText(const Shape &shape)
{
    std::string text = std::to_string(shape.size.width()) + "x" + std::to_string(shape.size.height());
    if (shape.ratio != 1)
        text += "@" + QByteArray::number(shape.ratio).toStdString();
    return text;
}

std::vector<Shape> repaintShapes()
{
    return {{QSize(1000, 60), false, 1},    {QSize(60, 1000), true, 1},
            {QSize(4000, 60), false, 1},    {QSize(1000, 60), false, 1.25},
            {QSize(1000, 60), false, 1.5}, {QSize(1000, 60), false, 2}};
}

// The thickness of our bar with labels, which the peer's colour bar gets as well.
int ourBarThickness(Shape shape)
{
    ValueColorConverterWidget widget;
    setUpOurs(widget, shape, true, false, 2);
    QImage image(shape.size, imageFormat);
    widget.render(&image);
    const ValueAxis &axis = widget.valueAxis();
    return shape.vertical ? shape.size.width() - axis.width() : shape.size.height() - axis.height();
}

// The first render delivers the pending resize (which prepares our axis) and fills the
// glyph cache; the loop then measures repaints only.
void measureRenders(benchmark::State &state, QWidget &widget, const Shape &shape)
{
    QImage image(shape.size * shape.ratio, imageFormat);
    image.setDevicePixelRatio(shape.ratio);
    widget.render(&image);
    for (auto _ : state) {
        widget.render(&image);
        benchmark::ClobberMemory();
    }
}

void registerRepaintBenchmarks(Summary &summary)
{
    for (const Shape &shape : repaintShapes()) {
        const std::string size = sizeText(shape);
        const int length = shape.vertical ? shape.size.height() : shape.size.width();
        const std::string orientation = shape.vertical ? "/vertical" : "/horizontal";
        for (const bool labels : {true, false}) {
            for (const bool logarithmic : {false, true}) {
                const std::string name = "repaint/ours/" + size + orientation +
                        (labels ? "/labels" : "/nolabels") + (logarithmic ? "/log" : "/lin") +
                        "/rules:2";
                benchmark::RegisterBenchmark(name.c_str(), repaintOurs, shape, labels, logarithmic,
                                             2)
                        ->Unit(benchmark::kMicrosecond);
                summary.addRepaint(
                        {name, Summary::Painter::Ours, size, length, labels, logarithmic, 2});
            }
        }
        if (size == "1000x60") {
            const std::string name = "repaint/ours/" + size + orientation + "/labels/lin/rules:10";
            benchmark::RegisterBenchmark(name.c_str(), repaintOurs, shape, true, false, 10)
                    ->Unit(benchmark::kMicrosecond);
            summary.addRepaint({name, Summary::Painter::Ours, size, length, true, false, 10});
        }
        const std::string floor = "repaint/floor/" + size + orientation + "/scanlines";
        benchmark::RegisterBenchmark(floor.c_str(), repaintFloor, shape)
                ->Unit(benchmark::kMicrosecond);
        summary.addRepaint({floor, Summary::Painter::Floor, size, length, false, false, 2});
    }
    for (const int rows : {1, 34, 60}) {
        const std::string name = "qt_fillRect_columns/1000x" + std::to_string(rows);
        benchmark::RegisterBenchmark(name.c_str(), fillColumns, rows)
                ->Unit(benchmark::kMicrosecond);
    }
}
