#include "valuecolorconverterwidget.h"

#include "onscreen.h"
#include "queuedevents.h"
#include "testfont.h"

#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <cmath>
#include <memory>

// The frame and the ticks of a widget placed anywhere in its window, on a screen scaled by the
// platform (QT_SCALE_FACTOR, which CTest sets for runs of their own): read from the device
// pixels of the window's backing store and of the other ways a host paints a panel. Each
// frame edge and tick must be round(ratio) device pixels wide and whole, the frame at the
// widget's own device edges, and no pixel of the bar outside the frame.

namespace {

enum class Path { OnScreen, PartlyCovered, ParentGrabbed, ParentRendered, OwnWindow };
enum class Edge { Left, Top, Right, Bottom, Ticks, VerticalTicks };

const QSize widgetSize(200, 40); // of a horizontal widget; a vertical one is turned
const QRgb parentColour = qRgb(255, 255, 255);
const QRgb frameColour = qRgb(255, 128, 0);
const QRgb tickColour = qRgb(255, 0, 255);
const QRgb coverColour = qRgb(128, 0, 0);
// where a sibling covers a horizontal widget: a band across it, through the top and bottom
// edges and the ticks
const QRect coverBand(60, -5, 20, 50);

// The bar runs from green to blue through cyan: no red, and one channel full. Nothing else
// in the picture (frame, ticks, grey background and labels, parent, cover) is so.
bool isBar(QRgb pixel)
{
    return qRed(pixel) == 0 && std::max(qGreen(pixel), qBlue(pixel)) == 255;
}

// round(ratio), halves up: the device width of every frame edge and tick; 0 for a ratio the
// table does not know
int lineWidth(qreal ratio)
{
    const std::pair<qreal, int> widths[] = {{1, 1}, {1.25, 1}, {1.5, 2}, {1.75, 2},
                                            {2, 2}, {2.5, 3},  {3, 3}};
    for (const auto &[known, width] : widths)
        if (known == ratio)
            return width;
    return 0;
}

// Qt places a widget at logical x..x + w on the device from round(ratio * x) up to, not
// including, round(ratio * (x + w)), halves up.
int deviceEdge(qreal ratio, int logical)
{
    return static_cast<int>(std::floor(ratio * logical + 0.5));
}

QRect deviceRect(qreal ratio, const QRect &logical)
{
    return QRect(QPoint(deviceEdge(ratio, logical.left()), deviceEdge(ratio, logical.top())),
                 QPoint(deviceEdge(ratio, logical.left() + logical.width()) - 1,
                        deviceEdge(ratio, logical.top() + logical.height()) - 1));
}

QRect transposed(const QRect &rect)
{
    return QRect(rect.y(), rect.x(), rect.height(), rect.width());
}

// A vertical widget's picture turned into a horizontal one's: bar above, axis below, offset
// 0 of the axis on the left.
QImage transposed(const QImage &image)
{
    QImage turned(image.height(), image.width(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            turned.setPixel(y, x, image.pixel(x, y));
    return turned;
}

void setUp(ValueColorConverterWidget &widget, bool vertical)
{
    QPalette grey = widget.palette();
    grey.setColor(QPalette::Window, QColor(200, 200, 200));
    widget.setPalette(grey);
    widget.setFont(testFont("DejaVu Sans Mono", 12));
    widget.resize(vertical ? widgetSize.transposed() : widgetSize);
    widget.setOrientation(vertical ? ValueColorConverterWidget::Vertical
                                   : ValueColorConverterWidget::Horizontal);
    widget.setAxisShowLabels(true);
    widget.setAxisColor(tickColour);
    widget.setAxisLabelColor(QColor(64, 64, 64));
    widget.setImageBorderColor(frameColour);
    widget.addRule(100, Qt::blue);
}

QImage shown(QWidget &window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return QImage();
    deliverQueuedEvents();
    return onScreen(window);
}

// The window's device pixels on `path`, with the widget in it at `position`.
QImage devicePixels(Path path, const QPoint &position, bool vertical)
{
    auto widget = std::make_unique<ValueColorConverterWidget>();
    setUp(*widget, vertical);
    if (path == Path::OwnWindow)
        return shown(*widget);
    QWidget window;
    QPalette white = window.palette();
    white.setColor(QPalette::Window, parentColour);
    window.setPalette(white);
    window.resize(widget->size() + QSize(20, 20));
    widget->setParent(&window);
    widget.release()->move(position);
    if (path == Path::PartlyCovered) {
        auto *cover = new QWidget(&window);
        cover->setGeometry((vertical ? transposed(coverBand) : coverBand).translated(position));
        cover->setStyleSheet(QStringLiteral("background: #800000"));
    }
    if (path == Path::ParentGrabbed)
        return window.grab().toImage();
    if (path == Path::ParentRendered) {
        const qreal ratio = qApp->devicePixelRatio();
        QImage image(window.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        window.render(&image);
        return image;
    }
    return shown(window);
}

QString at(const QPoint &pixel)
{
    return QStringLiteral("device pixel %1,%2").arg(pixel.x()).arg(pixel.y());
}

// What the picture of a horizontal widget (or a vertical one's, turned) shows of the widget
// at `device`, its device rectangle: the frame from the widget's top left device pixel to the
// last row of the frame's colour in the middle column, edges `width` device pixels wide.
class Picture
{
public:
    Picture(const QImage &image, const QRect &device, int width)
        : image(image.convertToFormat(QImage::Format_RGB32)), device(device), width(width)
    {
        for (int y = std::max(device.top(), 0); y <= device.bottom(); ++y)
            if (pixel({middle, y}) == frameColour)
                frameBottom = y;
    }

    // The widget stands on its device rectangle: the parent just outside it, the widget on
    // its edges.
    QString placed() const
    {
        const int row = device.center().y();
        const QPoint outside[] = {{device.left() - 1, row}, {device.right() + 1, row}};
        const QPoint inside[] = {{device.left(), row}, {device.right(), row}};
        for (int i = 0; i < 2; ++i) {
            if (!image.rect().contains(outside[i]))
                continue;
            if (pixel(outside[i]) != parentColour)
                return at(outside[i]) + QStringLiteral(" is not the parent's");
            if (pixel(inside[i]) == parentColour)
                return at(inside[i]) + QStringLiteral(" is not the widget's");
        }
        return QString();
    }

    QString frameEdge(Edge which) const
    {
        if (frameBottom < 0)
            return QStringLiteral("no frame in the middle column");
        const int height = frameBottom - device.top() + 1;
        const int left = std::max(device.left(), 0);
        const int length = std::min(device.right(), image.width() - 1) - left + 1;
        switch (which) {
        case Edge::Left:
            return edge(device.topLeft(), {0, 1}, height, {1, 0});
        case Edge::Right:
            return edge(device.topRight(), {0, 1}, height, {-1, 0});
        case Edge::Top:
            return edge({left, device.top()}, {1, 0}, length, {0, 1});
        case Edge::Bottom:
            return edge({left, frameBottom}, {1, 0}, length, {0, -1});
        case Edge::Ticks:
        case Edge::VerticalTicks:
            return ticks(which == Edge::Ticks);
        }
        return QString();
    }

    // No pixel of the bar outside the frame, anywhere in the picture.
    QString barInsideFrame() const
    {
        const QRect frame(device.topLeft(), QPoint(device.right(), frameBottom));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (isBar(pixel({x, y})) && !frame.contains(x, y))
                    return at({x, y}) + QStringLiteral(" of the bar is outside the frame");
        return QString();
    }

private:
    QRgb pixel(const QPoint &p) const { return image.pixel(p); }

    // An edge `width` device lines thick, from `from` along `step` for `length` pixels and
    // inward along `inward`, and no thicker; covered pixels are not looked at.
    QString edge(const QPoint &from, const QPoint &step, int length, const QPoint &inward) const
    {
        for (int i = 0; i < length; ++i) {
            for (int k = 0; k < width; ++k) {
                const QPoint p = from + step * i + inward * k;
                if (pixel(p) != frameColour && pixel(p) != coverColour)
                    return at(p) + QStringLiteral(" is not the frame's");
            }
        }
        const QPoint beyond = from + step * (length / 2) + inward * width;
        if (pixel(beyond) == frameColour)
            return at(beyond) + QStringLiteral(": the edge is wider than %1").arg(width);
        return QString();
    }

    // Every tick in the first device row below the frame is `width` pixels wide, and the one
    // at the start of the axis (horizontal: the first pixel line; vertical, turned: the last)
    // stands whole on the widget's device edge. Runs cut by the cover or by the picture's
    // edge are not counted.
    QString ticks(bool tickOnFirstLine) const
    {
        const int row = frameBottom + 1;
        QVector<QPair<int, int>> runs; // first and last device column
        for (int x = std::max(device.left(), 0); x <= device.right(); ++x) {
            if (pixel({x, row}) != tickColour)
                continue;
            int last = x;
            while (last < device.right() && pixel({last + 1, row}) == tickColour)
                ++last;
            const bool covered = (x > 0 && pixel({x - 1, row}) == coverColour) ||
                    (last < device.right() && pixel({last + 1, row}) == coverColour);
            if (!covered && !(x == 0 && device.left() < 0))
                runs.append({x, last});
            x = last;
        }
        if (runs.size() < 3)
            return QStringLiteral("%1 ticks in device row %2").arg(runs.size()).arg(row);
        for (const auto &run : runs) {
            const int found = run.second - run.first + 1;
            if (found != width)
                return at({run.first, row}) + QStringLiteral(": a tick %1 wide").arg(found);
        }
        if (tickOnFirstLine && device.left() >= 0 && runs.first().first != device.left())
            return QStringLiteral("the first tick starts at ") + at({runs.first().first, row});
        if (!tickOnFirstLine && runs.last().second != device.right())
            return QStringLiteral("the last tick ends at ") + at({runs.last().second, row});
        return QString();
    }

    QImage image;
    QRect device;
    int width;
    int middle = device.center().x();
    int frameBottom = -1;
};

} // namespace

Q_DECLARE_METATYPE(Path)
Q_DECLARE_METATYPE(Edge)

class tst_ScaledPositions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frameAndTicksWhole_data();
    void frameAndTicksWhole();
};

void tst_ScaledPositions::frameAndTicksWhole_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<QPoint>("position"); // of the widget in its window
    QTest::addColumn<Edge>("edge");

    const qreal percent = qApp->devicePixelRatio() * 100;
    const std::pair<Edge, const char *> edges[] = {
            {Edge::Left, "left edge"},   {Edge::Top, "top edge"},
            {Edge::Right, "right edge"}, {Edge::Bottom, "bottom edge"},
            {Edge::Ticks, "ticks"},      {Edge::VerticalTicks, "vertical ticks"}};
    for (const auto &[edge, name] : edges)
        QTest::addRow("%s at %g %% in a window of its own", name, percent)
                << Path::OwnWindow << QPoint() << edge;

    const std::pair<Path, const char *> paths[] = {{Path::OnScreen, "on screen"},
                                                   {Path::PartlyCovered, "partly covered"},
                                                   {Path::ParentGrabbed, "parent grabbed"},
                                                   {Path::ParentRendered, "parent rendered"}};
    // the coordinate that moves an edge; a negative one as in a scrolled panel, where the
    // edges and ticks at the start are out of sight
    const QVector<int> places{0, 1, 2, 3, 4, 5, 6, 7};
    const QVector<int> scrolled = QVector<int>{-3} + places;
    for (const auto &[path, pathName] : paths) {
        for (const auto &[edge, name] : edges) {
            const bool moveY =
                    edge == Edge::Top || edge == Edge::Bottom || edge == Edge::VerticalTicks;
            const bool startHidden = edge != Edge::Left && edge != Edge::Top;
            for (const int at : startHidden ? scrolled : places) {
                QTest::addRow("%s at %g %%, %s = %d, %s", name, percent, moveY ? "y" : "x", at,
                              pathName)
                        << path << (moveY ? QPoint(5, at) : QPoint(at, 3)) << edge;
            }
        }
    }
}

void tst_ScaledPositions::frameAndTicksWhole()
{
    QFETCH(Path, path);
    QFETCH(QPoint, position);
    QFETCH(Edge, edge);

    const qreal ratio = qApp->devicePixelRatio();
    const int width = lineWidth(ratio);
    QVERIFY2(width > 0, qPrintable(QStringLiteral("no width known at %1").arg(ratio)));
    const bool vertical = edge == Edge::VerticalTicks;
    const QImage image = devicePixels(path, position, vertical);
    QVERIFY(!image.isNull());
    const QRect logical(position, vertical ? widgetSize.transposed() : widgetSize);
    const Picture picture(vertical ? transposed(image) : image,
                          deviceRect(ratio, vertical ? transposed(logical) : logical), width);
    for (const QString &fault :
         {picture.placed(), picture.frameEdge(edge), picture.barInsideFrame()})
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

QTEST_MAIN(tst_ScaledPositions)
#include "tst_scaledpositions.moc"
