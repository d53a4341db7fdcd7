#ifndef REPAINTBENCH_H
#define REPAINTBENCH_H

#include <QImage>
#include <QSize>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

class Summary;

// Full repaints rendered into an image as a backing store would get them: our widget and
// the floor of writing precomputed colours straight into the image. The peer's repaints
// (peerbench) use the same shapes and the same measurement.
void registerRepaintBenchmarks(Summary &summary);

// The format of a raster backing store with alpha.
constexpr QImage::Format imageFormat = QImage::Format_ARGB32_Premultiplied;

// A widget size, rendered at a device pixel ratio: into an image of `ratio` times the size,
// as on a screen scaled to 125 % or 150 %.
struct Shape
{
    QSize size;
    bool vertical = false;
    qreal ratio = 1;
};

// the shapes measured, and their names in benchmark names ("1000x60", "1000x60@1.5")
std::vector<Shape> repaintShapes();
std::string sizeText(const Shape &shape);
// the thickness of our bar with labels, which the peer's colour bar gets as well
int ourBarThickness(Shape shape);
// renders the widget into an image once, then once per benchmark iteration
void measureRenders(benchmark::State &state, QWidget &widget, const Shape &shape);

#endif // REPAINTBENCH_H
