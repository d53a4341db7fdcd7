#include "directpainter.h"
#include "imagecompare.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <vector>

// Every direct write (bar lines, erase, one-pixel lines, outlines) against the same drawing
// through the painter alone, and that against the painter's own drawing of the same thing, on
// every kind of target and painter state at every device pixel ratio: one table whose rows are
// a target, a ratio and a drawing.

namespace {

using Setup = std::function<void(QPainter &)>;
// one drawing, through the painter alone (false) or through the code under test (true)
using Draw = std::function<void(QPainter &, bool)>;

const QColor lineColours[] = {QColor(255, 0, 0), QColor::fromHsvF(0.3, 0.7, 0.9),
                              QColor(0, 0, 255, 128), QColor(10, 200, 30),
                              QColor::fromHsvF(0.8, 0.6, 0.7, 0.4)};

// Paints through `paint`, so that it can be rendered with a system clip.
class DrawingWidget : public QWidget
{
public:
    Setup paint;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        paint(painter);
    }
};

// The image drawn on and how: a painter of its own with `setup` applied, or, when `region`
// is not empty, QWidget::render of that region at (4, 7), which sets it as the system clip.
// Translations are whole device pixels at every ratio of the table, and the image grows with
// the ratio.
struct Target
{
    QImage::Format format = QImage::Format_ARGB32_Premultiplied;
    qreal ratio = 1;
    QRegion region;
};

Target on(QImage::Format format, qreal ratio = 1, const QRegion &region = QRegion())
{
    Target target;
    target.format = format;
    target.ratio = ratio;
    target.region = region;
    return target;
}

QImage drawn(const Target &target, const Setup &setup, const Setup &draw)
{
    QImage image(QSize(33, 21) * target.ratio, target.format);
    image.setDevicePixelRatio(target.ratio);
    image.fill(QColor(90, 80, 70));
    const Setup paint = [&](QPainter &painter) {
        setup(painter);
        draw(painter);
    };
    if (target.region.isEmpty()) {
        QPainter painter(&image);
        paint(painter);
    } else {
        DrawingWidget widget;
        widget.resize(30, 20);
        widget.paint = paint;
        widget.render(&image, QPoint(4, 7), target.region, QWidget::DrawChildren);
    }
    return image;
}

// `count` of the colours above: the opaque ones, or all of them.
std::vector<QColor> lineRun(int count, bool withTranslucent)
{
    std::vector<QColor> colours;
    for (int i = 0; i < count; ++i)
        colours.push_back(lineColours[withTranslucent ? i % 5 : i % 2 * 3]);
    return colours;
}

// Pixel lines across `area`, a column or a row per colour: through DirectPainter, or as
// fillRect of each line in its QColor (columns from the left, rows from the bottom up).
void fillLines(QPainter &painter, bool underTest, const QRect &area, Qt::Orientation direction,
               const std::vector<QColor> &colours)
{
    if (underTest) {
        std::vector<QRgba64> rgba64;
        for (const QColor &colour : colours)
            rgba64.push_back(colour.rgba64());
        DirectPainter(painter).fillLines(area, direction, rgba64.data());
        return;
    }
    const int count = static_cast<int>(colours.size());
    for (int k = 0; k < count; ++k) {
        const int i = direction == Qt::Horizontal ? k : count - 1 - k;
        const QRect line = direction == Qt::Horizontal
                ? QRect(area.left() + i, area.top(), 1, area.height())
                : QRect(area.left(), area.top() + i, area.width(), 1);
        painter.fillRect(line, colours[static_cast<size_t>(i)]);
    }
}

// Lines side by side across and beyond the image.
Draw barLines(Qt::Orientation direction, bool withTranslucent)
{
    return [=](QPainter &painter, bool underTest) {
        const QRect area(-2, -3, 42, 30);
        const int count = direction == Qt::Horizontal ? area.width() : area.height();
        fillLines(painter, underTest, area, direction, lineRun(count, withTranslucent));
    };
}

Draw erase(const QBrush &background)
{
    return [background](QPainter &painter, bool underTest) {
        if (background.style() != Qt::NoBrush)
            painter.setBackground(background);
        const QRect rect(-4, 3, 50, 12);
        if (underTest)
            DirectPainter(painter).eraseRect(rect);
        else
            painter.eraseRect(rect);
    };
}

// A widget's repaint: the whole erased, then an opaque bar over its upper part, which the
// erase may leave out.
Draw eraseAroundBar(const QBrush &background)
{
    return [background](QPainter &painter, bool underTest) {
        painter.setBackground(background);
        const QRect whole(-1, 0, 35, 22);
        const QRect bar(-1, 0, 35, 12);
        if (underTest)
            DirectPainter(painter).eraseRect(whole, bar);
        else
            painter.eraseRect(whole);
        fillLines(painter, underTest, bar, Qt::Horizontal, lineRun(bar.width(), false));
    };
}

const QPen pens[] = {QPen(QColor(255, 0, 0)),
                     QPen(QColor::fromHsvF(0.6, 0.5, 0.8), 0),
                     QPen(QColor(0, 0, 255, 128)),
                     QPen(Qt::green, 1, Qt::SolidLine, Qt::FlatCap),
                     QPen(Qt::blue, 2),
                     QPen(Qt::black, 1, Qt::DashLine)};

// Where a drawing's one-pixel lines are crisp rather than the painter's own: never, at scales
// above 1 (lines, which are the painter's at 1), or from scale 1 on (outlines, whose corners
// are whole where the painter leaves one out).
enum class Crisp { Never, AboveOne, FromOne };

// Ticks: lines up, down, across, of one point, slanted, beyond the image and far beyond
// the range written directly, in every pen above.
void drawLines(QPainter &painter, bool underTest)
{
    const QLine lines[] = {{5, -3, 5, 8},    {9, 12, 9, 4},          {-5, 6, 40, 6},
                           {30, 2, 20, 2},   {12, 12, 12, 12},       {14, 1, 18, 9},
                           {100, 1, 100, 5}, {7, -100000, 7, 100000}};
    DirectPainter direct(painter);
    int shift = 0;
    for (const QPen &pen : pens) {
        painter.setPen(pen);
        for (const QLine &line : lines) {
            const QLine shifted = line.translated(shift, shift);
            if (underTest)
                direct.drawLine(shifted.p1(), shifted.p2());
            else
                painter.drawLine(shifted);
        }
        ++shift;
    }
}

// Borders: inside, partly outside (one starting left of the image with its bottom-right
// corner inside it, which the painter leaves out), one pixel thin, empty, and filled.
Draw drawRects(const QBrush &brush)
{
    return [brush](QPainter &painter, bool underTest) {
        const QRect rects[] = {
                {2, 3, 20, 10}, {-5, -5, 50, 8}, {-9, 2, 12, 6}, {4, 4, 1, 6}, {6, 4, 0, 6}};
        painter.setBrush(brush);
        DirectPainter direct(painter);
        int shift = 0;
        for (const QPen &pen : pens) {
            painter.setPen(pen);
            for (const QRect &rect : rects) {
                if (underTest)
                    direct.drawRect(rect.translated(shift, shift));
                else
                    painter.drawRect(rect.translated(shift, shift));
            }
            ++shift;
        }
    };
}

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Target)
Q_DECLARE_METATYPE(Draw)
Q_DECLARE_METATYPE(Crisp)

class tst_DirectPainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void samePixelsAsPainter_data();
    void samePixelsAsPainter();
};

void tst_DirectPainter::samePixelsAsPainter_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<bool>("direct"); // whether the target and painter allow direct writes
    QTest::addColumn<Draw>("draw");
    QTest::addColumn<Crisp>("crisp");

    const Setup plain = [](QPainter &) {};
    const Target premultiplied;
    const Target rgb32 = on(QImage::Format_RGB32);
    const std::tuple<const char *, Target, Setup, bool> targets[] = {
            {"premultiplied", premultiplied, plain, true},
            {"rgb32", rgb32, plain, true},
            {"argb32", on(QImage::Format_ARGB32), plain, true},
            {"translated", premultiplied, [](QPainter &p) { p.translate(8, -4); }, true},
            {"window and viewport", rgb32,
             [](QPainter &p) {
                 p.setViewport(4, 8, 40, 30);
                 p.setWindow(0, 0, 40, 30);
             },
             true},
            {"antialiased", premultiplied,
             [](QPainter &p) { p.setRenderHint(QPainter::Antialiasing); }, true},
            {"system clip rect", on(QImage::Format_ARGB32_Premultiplied, 1, QRegion(4, 3, 20, 9)),
             plain, true},
            {"system clip region",
             on(QImage::Format_RGB32, 1, QRegion(4, 3, 20, 9) + QRegion(0, 12, 9, 6)), plain,
             false},
            {"rgb16", on(QImage::Format_RGB16), plain, false},
            {"rgb888", on(QImage::Format_RGB888), plain, false},
            {"scaled unevenly", premultiplied, [](QPainter &p) { p.scale(1.5, 1.25); }, true},
            {"shrunk", rgb32, [](QPainter &p) { p.scale(0.5, 0.75); }, true},
            {"half-device-pixel translation", rgb32,
             [](QPainter &p) { p.translate(0.5 / p.device()->devicePixelRatioF(), 0); }, false},
            {"rotated", rgb32, [](QPainter &p) { p.rotate(90); }, false},
            {"mirrored", rgb32, [](QPainter &p) { p.scale(-1, 1); }, false},
            {"clipped", rgb32, [](QPainter &p) { p.setClipRect(5, 5, 10, 10); }, false},
            {"clip region", premultiplied,
             [](QPainter &p) { p.setClipRegion(QRegion(5, 5, 10, 10) + QRegion(12, 0, 4, 20)); },
             false},
            {"translucent painter", rgb32, [](QPainter &p) { p.setOpacity(0.5); }, false},
            {"other composition", premultiplied,
             [](QPainter &p) { p.setCompositionMode(QPainter::CompositionMode_Xor); }, false},
    };

    QLinearGradient gradient(0, 0, 30, 0);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    // as a style sheet's qlineargradient sets it: stretched over whatever it fills
    QLinearGradient stretched(0, 0, 0, 1);
    stretched.setCoordinateMode(QGradient::ObjectBoundingMode);
    stretched.setColorAt(0, Qt::yellow);
    stretched.setColorAt(1, Qt::darkBlue);
    const std::tuple<const char *, Draw, Crisp> drawings[] = {
            {"opaque columns", barLines(Qt::Horizontal, false), Crisp::Never},
            {"columns with translucent ones", barLines(Qt::Horizontal, true), Crisp::Never},
            {"opaque rows", barLines(Qt::Vertical, false), Crisp::Never},
            {"rows with translucent ones", barLines(Qt::Vertical, true), Crisp::Never},
            {"erase", erase(Qt::NoBrush), Crisp::Never},
            {"erase in HSV", erase(QColor::fromHsvF(0.3, 0.7, 0.9)), Crisp::Never},
            {"erase translucent", erase(QColor(0, 0, 255, 100)), Crisp::Never},
            {"erase gradient", erase(gradient), Crisp::Never},
            {"erase around a bar", eraseAroundBar(QColor(200, 210, 220)), Crisp::Never},
            {"erase a stretched gradient around a bar", eraseAroundBar(stretched), Crisp::Never},
            {"lines", drawLines, Crisp::AboveOne},
            {"rectangles", drawRects(Qt::NoBrush), Crisp::FromOne},
            {"filled rectangles", drawRects(QColor(0, 200, 200)), Crisp::Never},
    };
    for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
        for (const auto &target : targets) {
            Target scaled = std::get<1>(target);
            scaled.ratio = ratio;
            for (const auto &drawing : drawings) {
                QTest::addRow("%s at %g: %s", std::get<0>(target), ratio, std::get<0>(drawing))
                        << scaled << std::get<2>(target) << std::get<3>(target)
                        << std::get<1>(drawing) << std::get<2>(drawing);
            }
        }
    }
}

// Whether written directly or not, the pixels must be exactly those of the painter alone
// (a painter with a clip of its own), and those the painter's own drawing, but for crisp
// one-pixel lines and outlines, which are crisp on both ways.
void tst_DirectPainter::samePixelsAsPainter()
{
    QFETCH(Target, target);
    QFETCH(Setup, setup);
    QFETCH(bool, direct);
    QFETCH(Draw, draw);
    QFETCH(Crisp, crisp);

    bool painters = true;
    const QImage painterOnly = drawn(target, setup, [&](QPainter &p) {
        const QTransform transform = p.deviceTransform();
        const bool unscaled = transform.m11() == 1 && transform.m22() == 1;
        painters = crisp == Crisp::Never || transform.m11() < 1 || transform.m22() < 1 ||
                (crisp == Crisp::AboveOne && unscaled);
        p.setClipRect(QRect(-1000, -1000, 2000, 2000), Qt::IntersectClip);
        draw(p, true);
    });
    bool wroteDirectly = !direct;
    const QImage actual = drawn(target, setup, [&](QPainter &p) {
        wroteDirectly = DirectPainter(p).writesDirectly();
        draw(p, true);
    });
    QCOMPARE(wroteDirectly, direct);
    const QString difference = firstDifference(actual, painterOnly, actual.rect());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    if (painters) {
        const QImage painted = drawn(target, setup, [&draw](QPainter &p) { draw(p, false); });
        const QString fromPainter = firstDifference(painterOnly, painted, painted.rect());
        QVERIFY2(fromPainter.isEmpty(), qPrintable(fromPainter));
    }
}

QTEST_MAIN(tst_DirectPainter)
#include "tst_directpainter.moc"
