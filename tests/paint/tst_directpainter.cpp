#include "barlinefiller.h"
#include "directpainter.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

// The direct writes of the bar lines, erase, ticks and border against the painter's own
// drawing of the same things, on every kind of target and painter state.

namespace {

using Setup = std::function<void(QPainter &)>;
// one drawing, through the painter alone (false) or through the code under test (true)
using Draw = std::function<void(QPainter &, bool)>;

const QColor lineColours[] = {QColor(255, 0, 0), QColor::fromHsvF(0.3, 0.7, 0.9),
                              QColor(0, 0, 255, 128), QColor(10, 200, 30)};

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
// is not empty, QWidget::render of that region at (3, 2), which sets it as the system clip.
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
    QImage image(33, 21, target.format);
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
        widget.render(&image, QPoint(3, 2), target.region, QWidget::DrawChildren);
    }
    return image;
}

// Lines in the colours above, opaque and translucent, partly outside the image.
template<typename Fill> void fillLines(QPainter &painter, Fill fill)
{
    for (int x = -2; x < 40; ++x)
        fill(painter, QRect(x, -3, 1, 30), lineColours[(x + 2) % 4]);
    for (int y = 0; y < 10; ++y)
        fill(painter, QRect(0, y, 35, 1), lineColours[y % 4]);
}

// Columns side by side across and beyond the image, in colours ever the same or in all
// colours above.
Draw columns(bool withTranslucent)
{
    return [withTranslucent](QPainter &painter, bool underTest) {
        const QRect area(-2, -3, 42, 30);
        const auto colourOf = [withTranslucent](int i) -> const QColor & {
            return lineColours[withTranslucent ? i % 4 : i % 2];
        };
        if (underTest) {
            int last = 0;
            BarLineFiller(painter).fillColumns(
                    area, [&](int i) { return colourOf(last = i).rgba(); },
                    [&]() -> const QColor & { return colourOf(last); });
            return;
        }
        for (int i = 0; i < area.width(); ++i)
            painter.fillRect(QRect(area.left() + i, area.top(), 1, area.height()), colourOf(i));
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

const QPen pens[] = {QPen(QColor(255, 0, 0)),
                     QPen(QColor::fromHsvF(0.6, 0.5, 0.8), 0),
                     QPen(QColor(0, 0, 255, 128)),
                     QPen(Qt::green, 1, Qt::SolidLine, Qt::FlatCap),
                     QPen(Qt::blue, 2),
                     QPen(Qt::black, 1, Qt::DashLine)};

// Ticks: lines up, down, across, of one point, slanted, beyond the image and far beyond
// the range written directly, in every pen above.
void drawLines(QPainter &painter, bool underTest)
{
    const QLine lines[] = {{5, -3, 5, 8},    {9, 12, 9, 4},          {-5, 6, 40, 6},
                           {30, 2, 20, 2},   {12, 12, 12, 12},       {14, 1, 18, 9},
                           {100, 1, 100, 5}, {7, -100000, 7, 100000}};
    DirectPainter writer(painter);
    int shift = 0;
    for (const QPen &pen : pens) {
        painter.setPen(pen);
        for (const QLine &line : lines) {
            const QLine shifted = line.translated(shift, shift);
            if (underTest)
                writer.drawLine(shifted.p1(), shifted.p2());
            else
                painter.drawLine(shifted);
        }
        ++shift;
    }
}

// Borders: inside, partly outside, one pixel thin, empty, and filled by a brush.
Draw drawRects(const QBrush &brush)
{
    return [brush](QPainter &painter, bool underTest) {
        const QRect rects[] = {{2, 3, 20, 10}, {-5, -5, 50, 8}, {4, 4, 1, 6}, {6, 4, 0, 6}};
        painter.setBrush(brush);
        DirectPainter writer(painter);
        int shift = 0;
        for (const QPen &pen : pens) {
            painter.setPen(pen);
            for (const QRect &rect : rects) {
                if (underTest)
                    writer.drawRect(rect.translated(shift, shift));
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

class tst_DirectPainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void samePixelsAsFillRect_data();
    void samePixelsAsFillRect();
    void samePixelsAsPainter_data() { samePixelsAsFillRect_data(); }
    void samePixelsAsPainter();
};

void tst_DirectPainter::samePixelsAsFillRect_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<bool>("direct");

    const Setup plain = [](QPainter &) {};
    const Target premultiplied;
    const Target rgb32 = on(QImage::Format_RGB32);
    QTest::newRow("premultiplied") << premultiplied << plain << true;
    QTest::newRow("rgb32") << rgb32 << plain << true;
    QTest::newRow("argb32") << on(QImage::Format_ARGB32) << plain << true;
    QTest::newRow("translated") << premultiplied << Setup([](QPainter &p) { p.translate(7, -4); })
                                << true;
    QTest::newRow("window and viewport") << rgb32 << Setup([](QPainter &p) {
        p.setViewport(3, 5, 40, 30);
        p.setWindow(0, 0, 40, 30);
    }) << true;
    QTest::newRow("antialiased") << premultiplied << Setup([](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing);
    }) << true;
    QTest::newRow("system clip rect")
            << on(QImage::Format_ARGB32_Premultiplied, 1, QRegion(4, 3, 20, 9)) << plain << true;
    QTest::newRow("system clip region")
            << on(QImage::Format_RGB32, 1, QRegion(4, 3, 20, 9) + QRegion(0, 12, 9, 6)) << plain
            << false;
    QTest::newRow("rgb16") << on(QImage::Format_RGB16) << plain << false;
    QTest::newRow("rgb888") << on(QImage::Format_RGB888) << plain << false;
    QTest::newRow("half-pixel translation")
            << rgb32 << Setup([](QPainter &p) { p.translate(0.5, 0); }) << false;
    QTest::newRow("scaled") << rgb32 << Setup([](QPainter &p) { p.scale(2, 2); }) << false;
    QTest::newRow("rotated") << rgb32 << Setup([](QPainter &p) { p.rotate(90); }) << false;
    QTest::newRow("device pixel ratio 1.5")
            << on(QImage::Format_ARGB32_Premultiplied, 1.5) << plain << false;
    QTest::newRow("device pixel ratio 2") << on(QImage::Format_RGB32, 2) << plain << false;
    QTest::newRow("clipped") << rgb32 << Setup([](QPainter &p) { p.setClipRect(5, 5, 10, 10); })
                             << false;
    QTest::newRow("clip region") << premultiplied << Setup([](QPainter &p) {
        p.setClipRegion(QRegion(5, 5, 10, 10) + QRegion(12, 0, 4, 20));
    }) << false;
    QTest::newRow("translucent painter")
            << rgb32 << Setup([](QPainter &p) { p.setOpacity(0.5); }) << false;
    QTest::newRow("other composition") << premultiplied << Setup([](QPainter &p) {
        p.setCompositionMode(QPainter::CompositionMode_Xor);
    }) << false;
}

// Whichever way a line is written, the pixels must be exactly those of QPainter::fillRect.
void tst_DirectPainter::samePixelsAsFillRect()
{
    QFETCH(Target, target);
    QFETCH(Setup, setup);
    QFETCH(bool, direct);

    const QImage expected = drawn(target, setup, [](QPainter &painter) {
        fillLines(painter, [](QPainter &p, const QRect &r, const QColor &c) { p.fillRect(r, c); });
    });
    bool wroteDirectly = !direct;
    const QImage actual = drawn(target, setup, [&wroteDirectly](QPainter &painter) {
        wroteDirectly = BarLineFiller(painter).writesDirectly();
        fillLines(painter, [](QPainter &p, const QRect &r, const QColor &c) {
            BarLineFiller(p).fill(r, c);
        });
    });
    QCOMPARE(wroteDirectly, direct);
    QCOMPARE(actual, expected);
}

// Bar columns, erase, ticks and borders, in opaque and translucent colours and brushes: the
// painter's own pixels, whether written directly or not.
void tst_DirectPainter::samePixelsAsPainter()
{
    QFETCH(Target, target);
    QFETCH(Setup, setup);

    QLinearGradient gradient(0, 0, 30, 0);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    const std::pair<const char *, Draw> drawings[] = {
            {"opaque columns", columns(false)},
            {"columns with translucent ones", columns(true)},
            {"erase", erase(Qt::NoBrush)},
            {"erase in HSV", erase(QColor::fromHsvF(0.3, 0.7, 0.9))},
            {"erase translucent", erase(QColor(0, 0, 255, 100))},
            {"erase gradient", erase(gradient)},
            {"lines", drawLines},
            {"rectangles", drawRects(Qt::NoBrush)},
            {"filled rectangles", drawRects(QColor(0, 200, 200))},
    };
    for (const auto &drawing : drawings) {
        const Draw &draw = drawing.second;
        const QImage expected = drawn(target, setup, [&draw](QPainter &p) { draw(p, false); });
        const QImage actual = drawn(target, setup, [&draw](QPainter &p) { draw(p, true); });
        QVERIFY2(actual == expected, drawing.first);
    }
}

QTEST_MAIN(tst_DirectPainter)
#include "tst_directpainter.moc"
