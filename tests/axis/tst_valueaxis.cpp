#include "valueaxis.h"

#include "imagecompare.h"
#include "testfont.h"

#include <QtGui>
#include <QtTest>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>

// ValueAxis through its public interface, with a monospaced font at 11 pixels in which every
// label is 14 pixels high; label widths are taken from the font's own metrics.

namespace {

const double notANumber = std::numeric_limits<double>::quiet_NaN();
const double infinity = std::numeric_limits<double>::infinity();
const QColor tickColour(255, 0, 0);
const QColor labelColour(0, 0, 255);

// One axis as the owner sets it up before preparing it.
struct Setup
{
    double lo = 0;
    double hi = 100;
    bool vertical = false;
    int length = 100;
    bool logarithmic = false;
    bool labels = false;
    int tickSize = 5;
    double absMin = 1e-10;
};

using Change = std::function<void(ValueAxis &)>;

QFont axisFont()
{
    return testFont("DejaVu Sans Mono", 11);
}

int textWidth(const QString &text)
{
    return QFontMetrics(axisFont()).boundingRect(text).width();
}

void prepareAxis(ValueAxis &axis, const Setup &s)
{
    axis.setVertical(s.vertical);
    axis.setLogarithmic(s.logarithmic);
    axis.setAxisShowLabels(s.labels);
    axis.setAxisTickSize(s.tickSize);
    axis.setAbsMinForLogScale(s.absMin);
    if (s.vertical)
        axis.setHeight(s.length);
    else
        axis.setWidth(s.length);
    axis.setLimits(s.lo, s.hi);
    axis.prepare(QFontMetrics(axisFont()));
}

int thicknessOf(const ValueAxis &axis)
{
    return axis.isVertical() ? axis.width() : axis.height();
}

// The axis drawn with its start `margin` pixels into a white square image of `size` pixels at
// device pixel ratio `ratio`.
QImage drawnImage(ValueAxis &axis, int baseLine, bool labels, int size, int margin = 0,
                  const QFont &font = axisFont(), qreal ratio = 1)
{
    QImage image(QSize(size, size) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.translate(axis.isVertical() ? QPoint(0, margin) : QPoint(margin, 0));
    axis.setAxisColor(tickColour);
    if (axis.getAxisLabelColor() != labelColour) // a new colour drops the kept label layouts
        axis.setAxisLabelColor(labelColour);
    if (axis.isVertical())
        axis.drawScaleVertical(painter, baseLine, labels);
    else
        axis.drawScaleHorizontal(painter, baseLine, labels);
    return image;
}

// Text is antialiased, so a label shows as pixels that are clearly blue rather than exactly blue.
bool containsColour(const QImage &image, bool label)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (label ? c.blue() > 200 && c.red() < 128 && c.green() < 128 : c == tickColour)
                return true;
        }
    return false;
}

bool closeTo(double actual, double expected, double relative)
{
    return std::fabs(actual - expected) <= relative * std::fabs(expected);
}

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Change)

class TestValueAxis : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void getLimits_data();
    void getLimits();
    void preparationFlag_data();
    void preparationFlag();
    void absMinSetting_data();
    void absMinSetting();
    void logScale_data();
    void logScale();
    void mapping_data();
    void mapping();
    void screenToValue_data();
    void screenToValue();
    void roundTrip_data();
    void roundTrip();
    void thickness_data();
    void thickness();
    void drawing_data();
    void drawing();
    void labelPixels_data();
    void labelPixels();
    void labelsWithinAxis_data();
    void labelsWithinAxis();
    void keptLabelLayouts_data();
    void keptLabelLayouts();
    void penAfterDrawing_data();
    void penAfterDrawing();
    void unsoundInputs_data();
    void unsoundInputs();
};

void TestValueAxis::getLimits_data()
{
    QTest::addColumn<double>("minLimit");
    QTest::addColumn<double>("maxLimit");
    QTest::addColumn<double>("min"); // as getLimits gives them
    QTest::addColumn<double>("max");

    QTest::newRow("both 0 widen by one") << 0.0 << 0.0 << -1.0 << 1.0;
    QTest::newRow("both 5 widen by 1.1") << 5.0 << 5.0 << 5 / 1.1 << 5.5;
    QTest::newRow("both -5 stay ordered") << -5.0 << -5.0 << -5.5 << -5 / 1.1;
    QTest::newRow("swapped") << 7.0 << 2.0 << 2.0 << 7.0;
}

void TestValueAxis::getLimits()
{
    QFETCH(double, minLimit);
    QFETCH(double, maxLimit);
    QFETCH(double, min);
    QFETCH(double, max);
    ValueAxis axis;
    axis.setLimits(minLimit, maxLimit);
    double gotMin = 0;
    double gotMax = 0;
    axis.getLimits(gotMin, gotMax);
    QCOMPARE(gotMin, min);
    QCOMPARE(gotMax, max);
}

void TestValueAxis::preparationFlag_data()
{
    QTest::addColumn<Change>("change"); // applied to a prepared horizontal axis, twice
    QTest::addColumn<bool>("needed"); // needsPreparation afterwards

    QTest::newRow("same limits") << Change([](ValueAxis &a) { a.setLimits(0, 100); }) << false;
    QTest::newRow("new limit") << Change([](ValueAxis &a) { a.setLimits(-3, 100); }) << true;
    QTest::newRow("NaN limit is always new")
            << Change([](ValueAxis &a) { a.setLimits(notANumber, 100); }) << true;
    QTest::newRow("same width") << Change([](ValueAxis &a) { a.setWidth(100); }) << false;
    QTest::newRow("new width") << Change([](ValueAxis &a) { a.setWidth(101); }) << true;
    QTest::newRow("width of vertical axis") << Change([](ValueAxis &a) {
        a.setVertical(true);
        a.prepare(QFontMetrics(axisFont()));
        a.setWidth(77);
    }) << false;
    QTest::newRow("height of vertical axis") << Change([](ValueAxis &a) {
        a.setVertical(true);
        a.prepare(QFontMetrics(axisFont()));
        a.setHeight(a.height() + 1);
    }) << true;
    QTest::newRow("same mode") << Change([](ValueAxis &a) { a.setLogarithmic(false); }) << false;
    QTest::newRow("new mode") << Change([](ValueAxis &a) { a.setLogarithmic(true); }) << true;
    QTest::newRow("labels off") << Change([](ValueAxis &a) { a.setAxisShowLabels(false); }) << true;
    QTest::newRow("tick size, absMin") << Change([](ValueAxis &a) {
        a.setAxisTickSize(9);
        a.setAbsMinForLogScale(1e-3);
    }) << false;
    // the new length may equal the old thickness, so the orientation itself must mark
    QTest::newRow("new orientation") << Change([](ValueAxis &a) { a.setVertical(true); }) << true;
    QTest::newRow("owner's request")
            << Change([](ValueAxis &a) { a.requestPreparation(); }) << true;
}

void TestValueAxis::preparationFlag()
{
    QFETCH(Change, change);
    QFETCH(bool, needed);
    ValueAxis axis;
    prepareAxis(axis, Setup{0, 100, false, 100, false, true, 5});
    QVERIFY(!axis.isPreparationNeeded());
    change(axis);
    change(axis);
    QCOMPARE(axis.isPreparationNeeded(), needed);
    QCOMPARE(axis.scaleDivision().end(), 100.0); // setters only mark, they never prepare
    QCOMPARE(axis.layout().labelInterval, 1);
    QCOMPARE(axis.prepare(QFontMetrics(axisFont())), needed);
    QVERIFY(!axis.prepare(QFontMetrics(axisFont())));
}

void TestValueAxis::absMinSetting_data()
{
    QTest::addColumn<double>("written");
    QTest::addColumn<double>("stored");

    QTest::newRow("positive") << 1e-3 << 1e-3;
    QTest::newRow("zero") << 0.0 << 1e-13;
    QTest::newRow("negative") << -1.0 << 1e-13;
    // A value that is not a number is kept as written; preparation floors limits at 1e-13.
    QTest::newRow("NaN kept") << notANumber << notANumber;
}

void TestValueAxis::absMinSetting()
{
    QFETCH(double, written);
    QFETCH(double, stored);
    ValueAxis axis;
    axis.setAbsMinForLogScale(written);
    if (std::isnan(stored))
        QVERIFY(std::isnan(axis.getAbsMinForLogScale()));
    else
        QCOMPARE(axis.getAbsMinForLogScale(), stored);
}

void TestValueAxis::logScale_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<double>("scaleMin"); // 0: not checked
    QTest::addColumn<double>("scaleMax");
    QTest::addColumn<int>("labelInterval");
    QTest::addColumn<int>("thickness");

    // a horizontal axis is as thick as its labels are high, plus the ticks; a vertical scale
    // is stretched by half a label's height at each end
    const int high = QFontMetrics(axisFont()).boundingRect(QStringLiteral("1E-6789")).height();
    const int wide = textWidth("1E3") + 5;
    const double v = 3.0 / (200 - 2 * (high / 2));
    QTest::newRow("vertical 200: every second")
            << Setup{1, 1000, true, 200, true, true} << std::pow(10.0, -(high / 2) * v)
            << std::pow(10.0, 3 + (high / 2) * v) << 2 << wide;
    QTest::newRow("vertical 60: first only")
            << Setup{1, 1000, true, 60, true, true} << 0.0 << 0.0 << 4 << wide;
    // too short for the thinning passes and for two labels: the first decade of the
    // unstretched scale alone, one label of the four decades
    QTest::newRow("vertical 30: decade 0 on the unstretched scale")
            << Setup{1, 1000, true, 30, true, true} << 1.0 << 1000.0 << 4 << textWidth("1") + 5;
    const int halfFirst = textWidth("1") / 2;
    const int halfLast = textWidth("1E3") / 2;
    const double d = 3.0 / (300 - halfFirst - halfLast);
    QTest::newRow("horizontal 300")
            << Setup{1, 1000, false, 300, true, true} << std::pow(10.0, -halfFirst * d)
            << std::pow(10.0, 3 + halfLast * d) << 2 << high + 5;
    QTest::newRow("two decades both labelled")
            << Setup{1, 10, false, 300, true, true} << 0.0 << 0.0 << 1 << high + 5;
    QTest::newRow("one decade: minor ticks labelled")
            << Setup{5, 9, false, 300, true, true} << 5.0 << 9.0 << 1 << high + 5;
    QTest::newRow("0 raised to absMin")
            << Setup{0, 100, false, 300, true} << 1e-10 << 100.0 << -1 << 0;
    QTest::newRow("both 0 widened, raised")
            << Setup{0, 0, false, 300, true} << 1e-10 << 1.0 << -1 << 0;
    QTest::newRow("both negative spread")
            << Setup{-4, -2, false, 300, true} << 1e-11 << 1e-9 << -1 << 0;
    QTest::newRow("NaN absMin floors at 1e-13")
            << Setup{0, 1, false, 300, true, false, 5, notANumber} << 1e-13 << 1.0 << -1 << 0;
}

void TestValueAxis::logScale()
{
    QFETCH(Setup, setup);
    QFETCH(double, scaleMin);
    QFETCH(double, scaleMax);
    QFETCH(int, labelInterval);
    QFETCH(int, thickness);
    ValueAxis axis;
    prepareAxis(axis, setup);
    QCOMPARE(axis.layout().labelInterval, labelInterval);
    QCOMPARE(thicknessOf(axis), thickness);
    QVERIFY(scaleMin == 0 || closeTo(axis.scaleDivision().start(), scaleMin, 1e-3));
    QVERIFY(scaleMin == 0 || closeTo(axis.scaleDivision().end(), scaleMax, 1e-3));
    QCOMPARE(axis.scaleDivision().logStart(), std::log10(axis.scaleDivision().start()));
    QCOMPARE(axis.scaleDivision().logEnd(), std::log10(axis.scaleDivision().end()));
}

void TestValueAxis::mapping_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("onScale");

    const Setup lin{0, 10};
    const Setup linV{0, 10, true};
    const Setup log{1, 1000, false, 99, true};
    const Setup logV{1, 1000, true, 99, true};
    QTest::newRow("lin middle") << lin << 5.0 << 50 << true;
    QTest::newRow("lin end one beyond") << lin << 10.0 << 100 << true;
    QTest::newRow("lin above clamped") << lin << 11.0 << 99 << false;
    QTest::newRow("lin below clamped") << lin << -1.0 << 0 << false;
    QTest::newRow("lin NaN below") << lin << notANumber << 0 << false;
    QTest::newRow("vertical middle") << linV << 5.0 << 49 << true;
    QTest::newRow("vertical end") << linV << 10.0 << -1 << true;
    QTest::newRow("vertical start") << linV << 0.0 << 99 << true;
    QTest::newRow("vertical above") << linV << 11.0 << 0 << false;
    QTest::newRow("vertical NaN below") << linV << notANumber << 99 << false;
    QTest::newRow("log decade") << log << 10.0 << 33 << true;
    QTest::newRow("log end") << log << 1000.0 << 99 << true;
    QTest::newRow("log zero at start") << log << 0.0 << 0 << false;
    QTest::newRow("log infinity above") << log << infinity << 98 << false;
    QTest::newRow("log vertical negative") << logV << -5.0 << 98 << false;
    QTest::newRow("log vertical decade") << logV << 100.0 << 32 << true;
}

void TestValueAxis::mapping()
{
    QFETCH(Setup, setup);
    QFETCH(double, value);
    QFETCH(int, position);
    QFETCH(bool, onScale);
    ValueAxis axis;
    prepareAxis(axis, setup);
    int got = -7;
    QCOMPARE(axis.valueToScreen(value, got), onScale);
    QCOMPARE(got, position);
}

void TestValueAxis::screenToValue_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("value");

    QTest::newRow("horizontal start") << Setup{0, 10} << 0 << 0.0;
    QTest::newRow("vertical top is the end") << Setup{0, 10, true} << 0 << 10.0;
    QTest::newRow("vertical bottom") << Setup{0, 10, true} << 99 << 0.1;
    QTest::newRow("not clamped") << Setup{0, 10} << 200 << 20.0;
    QTest::newRow("scaled values") << Setup{0, 5000} << 50 << 2500.0;
    QTest::newRow("non-zero start") << Setup{3, 47} << 25 << 14.0;
    QTest::newRow("log quarter") << Setup{1, 1e4, false, 100, true} << 25 << 10.0;
    QTest::newRow("log vertical top") << Setup{1, 1e4, true, 100, true} << 0 << 1e4;
}

void TestValueAxis::screenToValue()
{
    QFETCH(Setup, setup);
    QFETCH(int, position);
    QFETCH(double, value);
    ValueAxis axis;
    prepareAxis(axis, setup);
    QVERIFY(closeTo(axis.screenToValue(position), value, 1e-12));
}

void TestValueAxis::roundTrip_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("shift"); // offset after offset -> value -> offset, minus the first

    QTest::newRow("non-zero start") << Setup{3, 47, false, 137} << 0;
    QTest::newRow("non-zero start vertical") << Setup{3, 47, true, 137} << -1;
    QTest::newRow("equal limits") << Setup{5, 5, false, 137} << 0;
    QTest::newRow("equal limits vertical") << Setup{5, 5, true, 137} << -1;
    QTest::newRow("scaled") << Setup{250, 1250, false, 137} << 0;
    QTest::newRow("log") << Setup{2, 3e5, false, 137, true} << 0;
    QTest::newRow("log vertical") << Setup{2, 3e5, true, 137, true} << -1;
}

// On a vertical axis screenToValue counts from one pixel lower, so the way back ends one up.
void TestValueAxis::roundTrip()
{
    QFETCH(Setup, setup);
    QFETCH(int, shift);
    ValueAxis axis;
    prepareAxis(axis, setup);
    for (int p = 0; p < setup.length; ++p) {
        int back = -100;
        QVERIFY(axis.valueToScreen(axis.screenToValue(p), back));
        QCOMPARE(back - p, shift);
    }
}

void TestValueAxis::thickness_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<QString>("exponentText");

    const int high = QFontMetrics(axisFont()).boundingRect(QStringLiteral("0.001")).height();
    QTest::newRow("horizontal labels") << Setup{0, 100, false, 100, false, true} << high + 5 << "";
    QTest::newRow("vertical widest label")
            << Setup{0, 100, true, 100, false, true} << textWidth("100") + 5 << "";
    QTest::newRow("no labels") << Setup{0, 100, true} << 0 << "";
    QTest::newRow("exponent text wider")
            << Setup{0, 5000, true, 100, false, true, 0} << textWidth("E+3") << "E+3";
    // the multiplier text stands beyond the ticks, as labels do
    QTest::newRow("exponent text and ticks")
            << Setup{0, 5000, true, 100, false, true, 30} << textWidth("E+3") + 30 << "E+3";
    QTest::newRow("labels wider than exponent text")
            << Setup{100000, 100100, true, 100, false, true, 30}
            << std::max({textWidth("1.0002"), textWidth("1.0004"), textWidth("1.0006"),
                         textWidth("1.0008")}) +
                    30
            << "E+5";
    QTest::newRow("negative exponent")
            << Setup{0.001, 0.002, false, 100, false, true, 0} << high << "E-3";
    QTest::newRow("two-digit exponent")
            << Setup{0, 3e12, true, 100, false, true, 0} << textWidth("E+12") << "E+12";
    QTest::newRow("huge tick size saturates")
            << Setup{0, 100, false, 100, false, true, INT_MAX} << INT_MAX << "";
}

void TestValueAxis::thickness()
{
    QFETCH(Setup, setup);
    QFETCH(int, thickness);
    QFETCH(QString, exponentText);
    ValueAxis axis;
    prepareAxis(axis, setup);
    QCOMPARE(thicknessOf(axis), thickness);
    QCOMPARE(axis.layout().multiplier.text, exponentText);
    QCOMPARE(axis.layout().labelInterval, setup.labels ? 1 : -1);
    QVERIFY(!axis.isPreparationNeeded()); // setting the thickness does not mark the axis
}

void TestValueAxis::drawing_data()
{
    QTest::addColumn<Setup>("setup"); // drawn at base line 10, tick 5, minor ticks reach 2
    QTest::addColumn<bool>("labelsAllowed");
    QTest::addColumn<QVector<QPoint>>("tickPixels"); // in the axis colour
    QTest::addColumn<QVector<QPoint>>("emptyPixels"); // left white
    QTest::addColumn<bool>("labelDrawn");

    using Points = QVector<QPoint>;
    QTest::newRow("linear horizontal")
            << Setup{0, 100, false, 100, false, true} << true
            << Points{{0, 5}, {0, 15}, {10, 10}, {50, 5}, {2, 12}, {98, 8}}
            << Points{{0, 4}, {0, 16}, {1, 10}, {2, 13}, {2, 7}} << true;
    // 0.5 + 4 * 0.05 and 0.4 + 4 * 0.02 lie just beyond the scale's end in binary
    QTest::newRow("linear major tick at the end of 0.5..0.7")
            << Setup{0.5, 0.7, false, 100} << false << Points{{75, 5}, {100, 5}, {100, 15}}
            << Points{{99, 5}, {100, 4}} << false;
    QTest::newRow("linear minor tick at the end of 0..0.48")
            << Setup{0, 0.48, false, 96} << false << Points{{80, 5}, {88, 12}, {96, 8}, {96, 12}}
            << Points{{96, 7}, {96, 13}} << false;
    QTest::newRow("labels refused by the owner") << Setup{0, 100, false, 100, false, true} << false
                                                 << Points{{10, 10}} << Points{} << false;
    QTest::newRow("linear vertical") << Setup{0, 100, true, 100, false, true} << true
                                     << Points{{5, 99}, {15, 89}, {10, 49}, {12, 97}}
                                     << Points{{4, 89}, {13, 97}, {10, 98}} << true;
    QTest::newRow("log vertical") << Setup{1, 1000, true, 100, true} << true
                                  << Points{{5, 99}, {15, 66}, {10, 33}, {5, 0}, {12, 89}}
                                  << Points{{13, 89}, {10, 98}, {4, 66}} << false;
    QTest::newRow("log horizontal") << Setup{1, 1000, false, 100, true} << true
                                    << Points{{0, 10}, {33, 5}, {67, 15}, {100, 10}, {10, 12}}
                                    << Points{{10, 13}, {1, 10}} << false;
    // 10 lies exactly halfway between 4 and 25 on the log scale: the tick offset is
    // rint(99 * 0.5) = 50 across and 99 - rint(99 * 0.5) = 49 upward only when the length
    // multiplies the log distance before the division; the quotient first rounds one pixel off
    QTest::newRow("log horizontal halfway decade")
            << Setup{4, 25, false, 99, true} << true << Points{{50, 5}, {50, 15}}
            << Points{{49, 5}, {49, 15}} << false;
    QTest::newRow("log vertical halfway decade")
            << Setup{4, 25, true, 100, true} << true << Points{{5, 49}, {15, 49}}
            << Points{{5, 50}, {15, 50}} << false;
}

void TestValueAxis::drawing()
{
    QFETCH(Setup, setup);
    QFETCH(bool, labelsAllowed);
    QFETCH(QVector<QPoint>, tickPixels);
    QFETCH(QVector<QPoint>, emptyPixels);
    QFETCH(bool, labelDrawn);
    ValueAxis axis;
    prepareAxis(axis, setup);
    const QImage image = drawnImage(axis, 10, labelsAllowed, 120);
    for (const QPoint &p : tickPixels)
        QVERIFY2(image.pixelColor(p) == tickColour, qPrintable(pixelText(p)));
    for (const QPoint &p : emptyPixels)
        QVERIFY2(image.pixelColor(p) == QColor(Qt::white), qPrintable(pixelText(p)));
    QCOMPARE(containsColour(image, true), labelDrawn);
}

void TestValueAxis::labelPixels_data()
{
    QTest::addColumn<Setup>("setup"); // drawn at base line 10 with labels, tick 5
    QTest::addColumn<QString>("text"); // one label
    QTest::addColumn<QPoint>("origin"); // the start of its text base line
    QTest::addColumn<QRect>("glyphs"); // the pixels compared: the text's box beyond the tick

    // Boxes from the font: a horizontal label is centred on its tick, its base line a box
    // height beyond the ticks' end (15); a vertical one starts at the ticks' end, centred on
    // its tick with its descent below the middle. Compared: the box beyond the ticks.
    const QFontMetrics metrics(axisFont());
    const QRect box50 = metrics.boundingRect(QStringLiteral("50"));
    const QRect box100 = metrics.boundingRect(QStringLiteral("100"));
    const QPoint under50(150 - box50.width() / 2, 15 + box50.height());
    QTest::newRow("horizontal: centred under the tick, below its end")
            << Setup{0, 100, false, 300, false, true} << "50" << under50
            << box50.translated(under50);
    // the last tick stands one beyond the axis: its label moves inward to end on pixel 299
    const QPoint under100(299 - box100.right(), 15 + box100.height());
    QTest::newRow("horizontal: last label kept whole")
            << Setup{0, 100, false, 300, false, true} << "100" << under100
            << box100.translated(under100);
    const QRect box0 = metrics.boundingRect(QStringLiteral("0"));
    const QPoint under0(150 - box0.width() / 2, 15 + box0.height());
    QTest::newRow("horizontal: 0 of -0.3..0.3 reads 0") << Setup{-0.3, 0.3, false, 300, false, true}
                                                        << "0" << under0 << box0.translated(under0);
    const QPoint beside50(15, 149 + box50.height() / 2 - metrics.descent());
    QRect glyphs50 = box50.translated(beside50);
    glyphs50.setLeft(std::max(glyphs50.left(), 16));
    QTest::newRow("vertical: right of the tick, centred on it")
            << Setup{0, 100, true, 300, false, true} << "50" << beside50 << glyphs50;
}

// Each glyph pixel of a label is what drawing the text at its place gives; elsewhere the
// drawing test checks exact pixels.
void TestValueAxis::labelPixels()
{
    QFETCH(Setup, setup);
    QFETCH(QString, text);
    QFETCH(QPoint, origin);
    QFETCH(QRect, glyphs);
    ValueAxis axis;
    prepareAxis(axis, setup);
    const QImage image = drawnImage(axis, 10, true, 320);

    QImage reference(image.size(), image.format());
    reference.fill(Qt::white);
    QPainter painter(&reference);
    painter.setFont(axisFont());
    painter.setPen(labelColour);
    painter.drawText(origin, text);
    painter.end();

    QVERIFY(containsColour(reference.copy(glyphs), true));
    const QString difference = firstDifference(image, reference, glyphs, glyphTolerance());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestValueAxis::labelsWithinAxis_data()
{
    QTest::addColumn<Setup>("setup"); // with labels, drawn at base line 10, ticks reach 15
    QTest::addColumn<QString>("multiplier");
    QTest::addColumn<QPoint>("multiplierAt"); // base line start: hand-placed at the band's end

    // E+3 is 19 pixels wide, 14 high with its top 11 above the base line (offsets in the axis)
    const QRect e3 = QFontMetrics(axisFont()).boundingRect(QStringLiteral("E+3"));
    QTest::newRow("horizontal") << Setup{0, 100, false, 100, false, true} << "" << QPoint();
    QTest::newRow("vertical") << Setup{0, 100, true, 100, false, true} << "" << QPoint();
    QTest::newRow("negative start") << Setup{-20, 120, false, 300, false, true} << "" << QPoint();
    QTest::newRow("horizontal E+3") << Setup{0, 5000, false, 200, false, true} << "E+3"
                                    << QPoint(199 - e3.right(), 15 + e3.height());
    QTest::newRow("vertical E+3") << Setup{0, 5000, true, 200, false, true} << "E+3"
                                  << QPoint(16 - e3.left(), -e3.top());
}

// Linear labels are moved inward just far enough to be whole; a scaled axis shows its
// multiplier at the far end of the label band, clear of ticks and labels.
void TestValueAxis::labelsWithinAxis()
{
    QFETCH(Setup, setup);
    QFETCH(QString, multiplier);
    QFETCH(QPoint, multiplierAt);
    ValueAxis axis;
    prepareAxis(axis, setup);
    const int margin = 20;
    const int size = setup.length + 2 * margin;
    const QImage image = drawnImage(axis, 10, true, size, margin);
    const QPoint along = setup.vertical ? QPoint(0, 1) : QPoint(1, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QColor c = image.pixelColor(x, y);
            const int offset = QPoint::dotProduct(QPoint(x, y), along) - margin;
            if (c.blue() > c.red()) // label ink
                QVERIFY2(offset >= 0 && offset < setup.length, qPrintable(pixelText({x, y})));
        }
    if (multiplier.isEmpty())
        return;
    // where the multiplier stands, the image shows it alone
    QImage reference(image.size(), QImage::Format_RGB32);
    reference.fill(Qt::white);
    QPainter painter(&reference);
    painter.setFont(axisFont());
    painter.setPen(labelColour);
    painter.translate(along * margin);
    painter.drawText(multiplierAt, multiplier);
    painter.end();
    const QRect box = QFontMetrics(axisFont())
                              .boundingRect(multiplier)
                              .translated(multiplierAt + along * margin)
                              .adjusted(-2, -2, 2, 2) &
            (setup.vertical ? QRect(0, margin, size, setup.length)
                            : QRect(margin, 0, setup.length, size));
    const QString difference = firstDifference(image, reference, box, glyphTolerance());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestValueAxis::keptLabelLayouts_data()
{
    QTest::addColumn<Setup>("setup"); // with labels
    QTest::addColumn<Change>("change"); // made between the first and the second drawing
    QTest::addColumn<int>("pixelSize"); // of the font of the second drawing
    QTest::addColumn<qreal>("ratio"); // the device pixel ratio of the second drawing

    const Change none = [](ValueAxis &) {};
    const Setup linear{0, 100, false, 300, false, true};
    QTest::newRow("linear") << linear << none << 11 << 1.0;
    QTest::newRow("vertical") << Setup{0, 100, true, 300, false, true} << none << 11 << 1.0;
    QTest::newRow("with multiplier")
            << Setup{0, 5000, false, 300, false, true} << none << 11 << 1.0;
    QTest::newRow("log") << Setup{1, 1e5, false, 300, true, true} << none << 11 << 1.0;
    QTest::newRow("log vertical") << Setup{1, 1e5, true, 300, true, true} << none << 11 << 1.0;
    QTest::newRow("other font") << linear << none << 15 << 1.0;
    // a window moved to a screen at 125 %, 150 % or 200 %
    QTest::newRow("at 1.25") << linear << none << 11 << 1.25;
    QTest::newRow("vertical at 1.5") << Setup{0, 100, true, 300, false, true} << none << 11 << 1.5;
    QTest::newRow("with multiplier at 2")
            << Setup{0, 5000, false, 300, false, true} << none << 11 << 2.0;
    QTest::newRow("log at 1.5") << Setup{1, 1e5, false, 300, true, true} << none << 11 << 1.5;
    QTest::newRow("new limits") << linear << Change([](ValueAxis &a) {
        a.setLimits(-20, 80);
        a.prepare(QFontMetrics(axisFont()));
    }) << 11 << 1.0;
    // the decade 0 has the value of the linear label "0" but reads "1"
    QTest::newRow("to logarithmic") << linear << Change([](ValueAxis &a) {
        a.setLogarithmic(true);
        a.setLimits(1, 1000);
        a.prepare(QFontMetrics(axisFont()));
    }) << 11 << 1.0;
}

// A second drawing from the kept label layouts gives the pixels of labels laid out anew and
// drawn with drawText, also after a preparation, with another font or at another device
// pixel ratio in between.
void TestValueAxis::keptLabelLayouts()
{
    QFETCH(Setup, setup);
    QFETCH(Change, change);
    QFETCH(int, pixelSize);
    QFETCH(qreal, ratio);
    const QFont font = testFont("DejaVu Sans Mono", pixelSize);
    ValueAxis kept;
    prepareAxis(kept, setup);
    drawnImage(kept, 10, true, 330, 7);
    change(kept);
    ValueAxis fresh;
    fresh.setLabelLayoutsKept(false);
    prepareAxis(fresh, setup);
    change(fresh);
    // 8 pixels in: whole device pixels at every ratio, where kept layouts are drawn as such
    QCOMPARE(drawnImage(kept, 10, true, 330, 8, font, ratio),
             drawnImage(fresh, 10, true, 330, 8, font, ratio));
}

void TestValueAxis::penAfterDrawing_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QColor>("pen"); // the painter's pen colour once the axis has drawn

    const QColor untouched(Qt::green);
    QTest::newRow("linear with labels") << Setup{0, 100, false, 100, false, true} << tickColour;
    QTest::newRow("linear vertical") << Setup{0, 100, true, 100} << tickColour;
    QTest::newRow("log with labels") << Setup{1, 1000, true, 200, true, true} << tickColour;
    QTest::newRow("log horizontal") << Setup{1, 1000, false, 100, true} << tickColour;
    // 5 to 9 holds no whole decade: nothing is drawn and the pen is not set
    QTest::newRow("log without decade") << Setup{5, 9, false, 100, true} << untouched;
    QTest::newRow("log vertical without decade") << Setup{5, 9, true, 100, true} << untouched;
}

// The owner draws the border after the axis, so the pen the axis leaves behind is part of
// what the painter does next.
void TestValueAxis::penAfterDrawing()
{
    QFETCH(Setup, setup);
    QFETCH(QColor, pen);
    ValueAxis axis;
    prepareAxis(axis, setup);
    axis.setAxisColor(tickColour);
    axis.setAxisLabelColor(labelColour);
    QImage image(120, 120, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(axisFont());
    painter.setPen(Qt::green);
    if (axis.isVertical())
        axis.drawScaleVertical(painter, 10, true);
    else
        axis.drawScaleHorizontal(painter, 10, true);
    QCOMPARE(painter.pen().color(), pen);
}

void TestValueAxis::unsoundInputs_data()
{
    QTest::addColumn<Setup>("setup"); // always with labels
    QTest::addColumn<bool>("ticks"); // major ticks expected in the drawing

    // each row hung in a loop or converted an out-of-range double to int before it was mended
    QTest::newRow("range of 2e308") << Setup{-1e308, 1e308, false, 200} << true;
    QTest::newRow("infinite limits lin") << Setup{-infinity, infinity, true, 200} << false;
    QTest::newRow("infinite limits log") << Setup{-infinity, infinity, true, 200, true} << true;
    QTest::newRow("NaN limit lin") << Setup{notANumber, 1, false, 200} << false;
    QTest::newRow("NaN limits log") << Setup{notANumber, notANumber, false, 200, true} << true;
    QTest::newRow("NaN absMin") << Setup{-1, 1, false, 200, true, true, 5, notANumber} << true;
    QTest::newRow("step below resolution") << Setup{1e15, 1e15 + 0.125, false, 200} << true;
    QTest::newRow("step below resolution vertical") << Setup{1e15, 1e15 + 0.125, true, 200} << true;
    QTest::newRow("equal subnormal limits") << Setup{5e-324, 5e-324, false, 200} << false;
    QTest::newRow("largest doubles") << Setup{1.7e308, 1.7e308, false, 200} << false;
    QTest::newRow("600 decades, short") << Setup{1e-300, 1e300, true, 30, true} << true;
    QTest::newRow("600 decades, horizontal") << Setup{1e-300, 1e300, false, 2000, true} << true;
    QTest::newRow("600 decades, long") << Setup{1e-300, 1e300, true, 100000, true} << true;
    QTest::newRow("huge tick size lin") << Setup{0, 100, true, 200, false, true, INT_MAX} << true;
    QTest::newRow("huge tick size log") << Setup{1, 1e5, false, 200, true, true, INT_MAX} << true;
    QTest::newRow("huge length") << Setup{0, 100, false, INT_MAX} << true;
    QTest::newRow("no length lin") << Setup{0, 100, false, 0} << true;
    QTest::newRow("no length log") << Setup{1, 100, true, 0, true} << true;
}

// Unsound limits and sizes end, map to defined values and offsets and draw ticks only where
// the scale means something. A row that loops without end fails by CTest's time limit; the
// wall time of a row that ends is no verdict, since it depends on the machine's load.
void TestValueAxis::unsoundInputs()
{
    QFETCH(Setup, setup);
    QFETCH(bool, ticks);
    ValueAxis axis;
    setup.labels = true;
    prepareAxis(axis, setup);
    QVERIFY(thicknessOf(axis) >= 0);
    QVERIFY(std::isfinite(axis.scaleDivision().logStart()) &&
            std::isfinite(axis.scaleDivision().logEnd()));
    for (int p : {0, setup.length / 2, setup.length - 1})
        QVERIFY(!std::isnan(axis.screenToValue(p)));
    for (double v : {setup.lo, setup.hi, notANumber, -infinity, infinity}) {
        int position = INT_MIN;
        axis.valueToScreen(v, position);
        QVERIFY(position >= -1 && position <= setup.length);
    }
    QCOMPARE(containsColour(drawnImage(axis, 60, true, 300), false), ticks);
}

QTEST_MAIN(TestValueAxis)
#include "tst_valueaxis.moc"
