#include "valuecolorconverterwidget.h"

#include "axistexts.h"

#include "imagecompare.h"
#include "onscreen.h"
#include "queuedevents.h"
#include "testfont.h"
#include "textrecorder.h"

#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Counts the paint events a widget receives, to see whether a setter requested a repaint.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) : QObject(widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Shows the widget and lets its first paint pass, so that a PaintCounter sees only later ones.
bool showSettled(QWidget &widget)
{
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        return false;
    deliverQueuedEvents();
    return true;
}

// The colours the bar must show: one per pixel line, from the rule set at the axis value.
QVector<QRgb> expectedLineColors(ValueColorConverterWidget &widget, int lines)
{
    QVector<QRgb> colors;
    for (int i = 0; i < lines; ++i)
        colors.append(widget.ruleSet.convert(widget.valueAxis().screenToValue(i)).rgba());
    return colors;
}

QImage grabImage(ValueColorConverterWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// `widget` rendered into an image of device pixel ratio `ratio`, straight or through a
// painter with a clip of its own, which draws everything with Qt's painter.
QImage rendered(QWidget &widget, qreal ratio, const QPoint &offset, const QRegion &source,
                bool clippedPainter)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(qRgb(1, 2, 3));
    if (!clippedPainter) {
        widget.render(&image, offset, source, QWidget::DrawChildren);
        return image;
    }
    QPainter painter(&image);
    const QRect area = source.isEmpty() ? widget.rect() : source.boundingRect();
    painter.setClipRect(QRect(offset, area.size()));
    widget.render(&painter, offset, source, QWidget::DrawChildren);
    return image;
}

// The lengths of the runs of `colour` along every row (or every column, when `alongRows` is
// false), but for runs that touch the image's edge.
QVector<int> runWidths(const QImage &image, QRgb colour, bool alongRows)
{
    const int lines = alongRows ? image.height() : image.width();
    const int length = alongRows ? image.width() : image.height();
    QVector<int> widths;
    for (int line = 0; line < lines; ++line) {
        int run = 0;
        for (int i = 0; i <= length; ++i) {
            const bool inRun = i < length &&
                    image.pixel(alongRows ? QPoint(i, line) : QPoint(line, i)) == colour;
            if (inRun) {
                ++run;
                continue;
            }
            if (run > 0 && i - run > 0 && i < length)
                widths.append(run);
            run = 0;
        }
    }
    return widths;
}

// The free pixels between two ink boxes along the axis; negative where they overlap.
qreal distanceAlong(const QRectF &a, const QRectF &b, bool vertical)
{
    if (vertical)
        return std::max(a.top(), b.top()) - std::min(a.bottom(), b.bottom());
    return std::max(a.left(), b.left()) - std::min(a.right(), b.right());
}

// A tick that could carry a label: its number on the labelling grid (a linear tick's value in
// tick steps, a decade), its text and its position along the axis.
struct GridTick
{
    qint64 number;
    QString text;
    int position;
};

// The major ticks of a prepared axis: a linear scale's as the axis lists them; the decades at
// their tick positions (both ends of a vertical scale on its first and last pixel, the end of a
// horizontal one beyond its last).
QVector<GridTick> gridTicks(const ValueAxis &axis)
{
    QVector<GridTick> ticks;
    QString text;
    const int length = axis.isVertical() ? axis.height() : axis.width();
    if (axis.isLogarithmic()) {
        const double from = axis.getLogScaleMin();
        const double span = axis.getLogScaleMax() - from;
        for (int e = static_cast<int>(std::ceil(from)); e <= axis.getLogScaleMax(); ++e) {
            text = AxisTexts::decade(e);
            const int position = axis.isVertical()
                    ? (length - 1) - static_cast<int>(std::rint((length - 1) * (e - from) / span))
                    : static_cast<int>(std::rint(length * (e - from) / span));
            ticks.append({e, text, position});
        }
        return ticks;
    }
    AxisTexts formatter;
    const ScaleDivision &division = axis.scaleDivision();
    for (const ScaleDivision::Tick &tick : division.ticks()) {
        if (!tick.major)
            continue;
        int position = 0;
        axis.valueToScreen(tick.value * division.factor(), position);
        ticks.append({static_cast<qint64>(std::rint(tick.value / division.step())),
                      formatter.value(tick.value), position});
    }
    return ticks;
}

// Where drawing would put the ink of a label on the tick at `position`: centred on the tick,
// moved inward just far enough for its box to lie within the axis length.
QRectF inkOnTick(const TextRecorder &recorder, const QFont &font, const QString &text, int position,
                 bool vertical, int length)
{
    const QFontMetrics metrics(font);
    const QRect box = metrics.boundingRect(text);
    int along = vertical ? position + (box.height() >> 1) - metrics.descent()
                         : position - (box.width() >> 1);
    const int last = (length - 1) - (vertical ? box.bottom() : box.right());
    along = std::max(std::min(along, last), vertical ? -box.top() : -box.left());
    return recorder.inkBox({text, vertical ? QPointF(0, along) : QPointF(along, 0), font});
}

// the smallest distance between two of the labels' ascending numbers
qint64 smallestStep(const QVector<qint64> &numbers)
{
    qint64 step = LLONG_MAX;
    for (int i = 1; i < numbers.size(); ++i)
        step = std::min(step, numbers.at(i) - numbers.at(i - 1));
    return step;
}

// Empty when the labels' numbers lie on one step: each a whole number of the smallest distance
// between two of them away from the first (`fromFirst`, decades), or else away from 0, where
// that distance is 1, 2, 5, 10, 20 ... ticks.
QString offStep(const QVector<qint64> &numbers, bool fromFirst)
{
    if (numbers.size() < 2)
        return {};
    const qint64 step = smallestStep(numbers);
    qint64 decade = 1;
    while (step > 5 * decade)
        decade *= 10;
    if (!fromFirst && step != decade && step != 2 * decade && step != 5 * decade)
        return QStringLiteral("a step of %1 ticks").arg(step);
    for (const qint64 n : numbers)
        if ((n - (fromFirst ? numbers.first() : 0)) % step != 0)
            return QStringLiteral("%1 is off the step %2").arg(n).arg(step);
    return {};
}

// Empty when the labels between the first and the last stand on one even step; with fewer
// than two between them, the three labels.
QString unevenRun(const QVector<qint64> &numbers)
{
    const int n = numbers.size();
    const int first = n == 3 ? 0 : 1;
    const int last = n == 3 ? 2 : n - 2;
    for (int i = first + 2; i <= last; ++i)
        if (numbers.at(i) - numbers.at(i - 1) != numbers.at(first + 1) - numbers.at(first))
            return QStringLiteral("uneven run at %1").arg(numbers.at(i));
    return {};
}

// A window painting a checkerboard: what shows through a translucent background differs
// from square to square, and from anything the widget on it painted before.
class CheckeredWindow : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        constexpr int square = 8;
        QPainter painter(this);
        for (int y = 0; y < height(); y += square)
            for (int x = 0; x < width(); x += square)
                painter.fillRect(x, y, square, square,
                                 (x + y) / square % 2 ? QColor(30, 160, 60) : QColor(250, 220, 40));
    }
};

// What switches the colour group (or the role) the widget's background brush is taken from.
enum BackgroundSwitch { DisableWidget, DisableParent, ActivateOtherWindow, UseBaseRole };

} // namespace

Q_DECLARE_METATYPE(Qt::MouseButton)
Q_DECLARE_METATYPE(BackgroundSwitch)

class tst_ValueColorConverterWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void metaObject();
    void defaults();
    void propertiesByName_data();
    void propertiesByName();
    void setterSideEffects_data();
    void setterSideEffects();
    void limitsFollowRules();
    void logarithmicFitsLimits();
    void replacedColorRepaints();
    void layoutFollowsOrientationAndFont_data();
    void layoutFollowsOrientationAndFont();
    void paintHorizontal_data();
    void paintHorizontal();
    void paintVertical();
    void handWorkedColors_data();
    void handWorkedColors();
    void paintMatchesLineDrawing();
    void renderPaths_data();
    void renderPaths();
    void directWritesMatchPainter_data();
    void directWritesMatchPainter();
    void grabbedAtScreenScale();
    void ticksAndOutlineEquallyWide_data();
    void ticksAndOutlineEquallyWide();
    void childOfGrabbedParent();
    void labelsFit_data();
    void labelsFit();
    void labelsReadable_data();
    void labelsReadable();
    void emptyRuleSetPaintsWhite();
    void translucentBackgroundShowsParent_data();
    void translucentBackgroundShowsParent();
    void backgroundFollowsColourGroup_data();
    void backgroundFollowsColourGroup();
    void resizeReachesAxisAlongBarOnly();
    void mouse_data();
    void mouse();
};

void tst_ValueColorConverterWidget::metaObject()
{
    const QMetaObject &mo = ValueColorConverterWidget::staticMetaObject;
    QCOMPARE(mo.className(), "ValueColorConverterWidget");
    QCOMPARE(mo.superClass(), &QWidget::staticMetaObject);

    const QStringList names{"orientation",       "logarithmic",      "axisShowLabels",
                            "axisTickSize",      "axisColor",        "axisLabelColor",
                            "absMinForLogScale", "imageBorderColor", "imageBorder"};
    const QStringList types{"ControlOrientation",
                            "bool",
                            "bool",
                            "int",
                            "QColor",
                            "QColor",
                            "double",
                            "QColor",
                            "bool"};
    QCOMPARE(mo.propertyCount() - mo.propertyOffset(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        const QMetaProperty p = mo.property(mo.propertyOffset() + i);
        QCOMPARE(QString::fromLatin1(p.name()), names.at(i));
        QVERIFY2(QString::fromLatin1(p.typeName()).endsWith(types.at(i)), p.typeName());
        QVERIFY(p.isReadable() && p.isWritable());
        QVERIFY(!p.isResettable() && !p.hasNotifySignal() && !p.isConstant() && !p.isFinal());
        QVERIFY(p.isDesignable() && p.isScriptable() && p.isStored());
        QCOMPARE(p.isEnumType(), i == 0);
    }

    QCOMPARE(mo.methodCount() - mo.methodOffset(), 2);
    const QMetaMethod down = mo.method(mo.methodOffset());
    const QMetaMethod doubleClick = mo.method(mo.methodOffset() + 1);
    QCOMPARE(down.methodSignature(), QByteArray("mouseDown(int,int,int)"));
    QCOMPARE(doubleClick.methodSignature(), QByteArray("mouseDoubleClick(int,int,int)"));
    QCOMPARE(down.methodType(), QMetaMethod::Signal);
    QCOMPARE(down.access(), QMetaMethod::Public);

    QCOMPARE(mo.enumeratorCount() - mo.enumeratorOffset(), 1);
    const QMetaEnum e = mo.enumerator(mo.enumeratorOffset());
    QCOMPARE(e.name(), "ControlOrientation");
    QCOMPARE(e.keyCount(), 2);
    QCOMPARE(e.keyToValue("Horizontal"), 0);
    QCOMPARE(e.keyToValue("Vertical"), 1);
}

void tst_ValueColorConverterWidget::defaults()
{
    ValueColorConverterWidget w;
    QCOMPARE(w.orientation(), ValueColorConverterWidget::Horizontal);
    QCOMPARE(w.logarithmic(), false);
    QCOMPARE(w.axisShowLabels(), false);
    QCOMPARE(w.axisTickSize(), 5);
    QCOMPARE(w.axisColor(), QColor(Qt::black));
    QCOMPARE(w.axisLabelColor(), QColor(Qt::black));
    QCOMPARE(w.absMinForLogScale(), 1e-10);
    QCOMPARE(w.imageBorderColor(), QColor(Qt::gray));
    QCOMPARE(w.imageBorder(), true);
    QCOMPARE(w.minimumSize(), QSize(10, 10));
    QCOMPARE(w.ruleSet.ruleList().size(), 2);
    // The axis spans the default rules from the start.
    QCOMPARE(w.valueAxis().getMinLimit(), 0.0);
    QCOMPARE(w.valueAxis().getMaxLimit(), 100.0);
}

void tst_ValueColorConverterWidget::propertiesByName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QVariant>("read");

    const QVariant vertical = QVariant::fromValue(ValueColorConverterWidget::Vertical);
    QTest::newRow("orientation by key")
            << QByteArray("orientation") << QVariant("Vertical") << vertical;
    QTest::newRow("orientation by number") << QByteArray("orientation") << QVariant(1) << vertical;
    QTest::newRow("orientation out of range")
            << QByteArray("orientation") << QVariant(-1301959076)
            << QVariant::fromValue(ValueColorConverterWidget::Horizontal);
    QTest::newRow("logarithmic") << QByteArray("logarithmic") << QVariant(true) << QVariant(true);
    QTest::newRow("axisShowLabels")
            << QByteArray("axisShowLabels") << QVariant(true) << QVariant(true);
    QTest::newRow("axisTickSize") << QByteArray("axisTickSize") << QVariant(9) << QVariant(9);
    QTest::newRow("negative tick size")
            << QByteArray("axisTickSize") << QVariant(-3) << QVariant(0);
    QTest::newRow("axisColor") << QByteArray("axisColor") << QVariant(QColor(Qt::blue))
                               << QVariant(QColor(Qt::blue));
    QTest::newRow("axisLabelColor") << QByteArray("axisLabelColor") << QVariant(QColor(Qt::red))
                                    << QVariant(QColor(Qt::red));
    QTest::newRow("absMinForLogScale")
            << QByteArray("absMinForLogScale") << QVariant(1e-3) << QVariant(1e-3);
    QTest::newRow("absMin zero") << QByteArray("absMinForLogScale") << QVariant(0.0)
                                 << QVariant(1e-13);
    QTest::newRow("absMin negative")
            << QByteArray("absMinForLogScale") << QVariant(-1.0) << QVariant(1e-13);
    QTest::newRow("imageBorderColor") << QByteArray("imageBorderColor")
                                      << QVariant(QColor(Qt::cyan)) << QVariant(QColor(Qt::cyan));
    QTest::newRow("imageBorder") << QByteArray("imageBorder") << QVariant(false) << QVariant(false);
}

// The host writes and reads by name: a property wired to the wrong accessor shows here.
void tst_ValueColorConverterWidget::propertiesByName()
{
    QFETCH(QByteArray, name);
    QFETCH(QVariant, written);
    QFETCH(QVariant, read);

    ValueColorConverterWidget w;
    QVERIFY(w.setProperty(name.constData(), written));
    const QVariant actual = w.property(name.constData());
    if (name == "orientation")
        QCOMPARE(actual.toInt(), read.toInt());
    else
        QCOMPARE(actual, read);
}

void tst_ValueColorConverterWidget::setterSideEffects_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("repaints");

    QTest::newRow("orientation") << QByteArray("orientation") << QVariant(0) << true;
    QTest::newRow("logarithmic") << QByteArray("logarithmic") << QVariant(false) << true;
    QTest::newRow("axisShowLabels") << QByteArray("axisShowLabels") << QVariant(false) << true;
    QTest::newRow("axisTickSize") << QByteArray("axisTickSize") << QVariant(8) << false;
    QTest::newRow("axisColor") << QByteArray("axisColor") << QVariant(QColor(Qt::red)) << true;
    QTest::newRow("axisLabelColor")
            << QByteArray("axisLabelColor") << QVariant(QColor(Qt::red)) << true;
    QTest::newRow("absMinForLogScale") << QByteArray("absMinForLogScale") << QVariant(1.0) << false;
    QTest::newRow("imageBorderColor")
            << QByteArray("imageBorderColor") << QVariant(QColor(Qt::red)) << true;
    QTest::newRow("imageBorder") << QByteArray("imageBorder") << QVariant(true) << true;
}

// Every setter but tick size and absMinForLogScale requests a repaint, also when the
// value does not change.
void tst_ValueColorConverterWidget::setterSideEffects()
{
    QFETCH(QByteArray, name);
    QFETCH(QVariant, value);
    QFETCH(bool, repaints);

    ValueColorConverterWidget w;
    w.resize(200, 40);
    QVERIFY(showSettled(w));
    PaintCounter counter(&w);
    QVERIFY(w.setProperty(name.constData(), value));
    deliverQueuedEvents();
    QCOMPARE(counter.count > 0, repaints);
}

void tst_ValueColorConverterWidget::limitsFollowRules()
{
    ValueColorConverterWidget w;
    w.resize(200, 40);
    QVERIFY(w.addRule(50, Qt::blue));
    QCOMPARE(w.valueAxis().getMinLimit(), 0.0);
    QCOMPARE(w.valueAxis().getMaxLimit(), 100.0);
    QVERIFY(!w.valueAxis().isPreparationNeeded());

    QVERIFY(w.addRule(200, Qt::blue));
    QCOMPARE(w.valueAxis().getMaxLimit(), 200.0);
    // A replaced colour leaves the axis alone, even when its limits are stale.
    w.ruleSet.addRule(300, Qt::red);
    QVERIFY(!w.addRule(300, Qt::yellow));
    QCOMPARE(w.valueAxis().getMaxLimit(), 200.0);
    QCOMPARE(w.ruleSet.ruleList().last().getColor(), QColor(Qt::yellow));
    QVERIFY(w.removeRule(300));

    QVERIFY(w.removeRule(200));
    QVERIFY(w.removeRule(100));
    QVERIFY(w.removeRule(50));
    QCOMPARE(w.valueAxis().getMinLimit(), 0.0);
    QCOMPARE(w.valueAxis().getMaxLimit(), 0.0);
    double lo = 0;
    double hi = 0;
    w.valueAxis().getLimits(lo, hi);
    QCOMPARE(lo, -1.0);
    QCOMPARE(hi, 1.0);
    QVERIFY(!w.removeRule(7));
}

// The purge of rules at 0 and below refits the axis; an empty set keeps its limits.
void tst_ValueColorConverterWidget::logarithmicFitsLimits()
{
    ValueColorConverterWidget w;
    QVERIFY(w.addRule(50, Qt::blue));
    w.setLogarithmic(true);
    QVERIFY(w.logarithmic());
    QCOMPARE(w.ruleSet.getMin(), 50.0);
    QCOMPARE(w.valueAxis().getMinLimit(), 50.0);
    QVERIFY(w.valueAxis().isLogarithmic());

    w.ruleSet.clear();
    w.setLogarithmic(false);
    QCOMPARE(w.valueAxis().getMinLimit(), 50.0);
    QCOMPARE(w.valueAxis().getMaxLimit(), 100.0);
}

// A replaced colour shows at once, although addRule answers false.
void tst_ValueColorConverterWidget::replacedColorRepaints()
{
    ValueColorConverterWidget w;
    w.resize(200, 40);
    QVERIFY(showSettled(w));
    PaintCounter counter(&w);
    QVERIFY(!w.addRule(100, Qt::blue));
    deliverQueuedEvents();
    QVERIFY(counter.count > 0);
}

void tst_ValueColorConverterWidget::layoutFollowsOrientationAndFont_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("pixelSize");

    // the new length equals the old thickness: 15 + 5 across a horizontal axis, the width of
    // "100" (20) + 5 across a vertical one
    QTest::newRow("to vertical") << QSize(40, 20) << true << 12;
    QTest::newRow("to horizontal") << QSize(25, 100) << false << 12;
    QTest::newRow("larger font") << QSize(200, 60) << false << 20;
    QTest::newRow("larger font, vertical") << QSize(60, 200) << true << 20;
}

// A widget whose orientation or font changes lays its axis out as one made that way.
void tst_ValueColorConverterWidget::layoutFollowsOrientationAndFont()
{
    QFETCH(QSize, size);
    QFETCH(bool, vertical);
    QFETCH(int, pixelSize);
    const auto orientation =
            vertical ? ValueColorConverterWidget::Vertical : ValueColorConverterWidget::Horizontal;
    const QFont font = testFont("DejaVu Sans Mono", pixelSize);

    ValueColorConverterWidget fresh;
    fresh.setFont(font);
    fresh.resize(size);
    fresh.setOrientation(orientation);
    fresh.setAxisShowLabels(true);

    const bool fontChanges = pixelSize != 12;
    ValueColorConverterWidget changed;
    changed.setFont(testFont("DejaVu Sans Mono", 12));
    changed.resize(size);
    const auto other =
            vertical ? ValueColorConverterWidget::Horizontal : ValueColorConverterWidget::Vertical;
    changed.setOrientation(fontChanges ? orientation : other);
    changed.setAxisShowLabels(true);
    QVERIFY(showSettled(changed));
    PaintCounter counter(&changed);
    if (fontChanges)
        changed.setFont(font);
    else
        changed.setOrientation(orientation);
    QCOMPARE(static_cast<const QRect &>(changed.valueAxis()),
             static_cast<const QRect &>(fresh.valueAxis()));
    QCOMPARE(grabImage(changed), grabImage(fresh));
    deliverQueuedEvents();
    QVERIFY(counter.count > 0);
}

void tst_ValueColorConverterWidget::paintHorizontal_data()
{
    QTest::addColumn<bool>("border");
    QTest::newRow("border") << true;
    QTest::newRow("no border") << false;
}

// Each column of the bar is its own converted colour; the border frames the bar exactly.
void tst_ValueColorConverterWidget::paintHorizontal()
{
    QFETCH(bool, border);

    ValueColorConverterWidget w;
    w.resize(200, 40);
    w.setImageBorder(border);
    w.setImageBorderColor(Qt::magenta);
    w.addRule(50, Qt::blue);
    const QImage image = grabImage(w);
    QCOMPARE(image.size(), QSize(200, 40));

    const QVector<QRgb> colors = expectedLineColors(w, 200);
    const int tickTop = 39 - w.axisTickSize();
    const QString mismatch = firstMismatch(image, QRect(QPoint(1, 1), QPoint(198, tickTop - 1)),
                                           [&](int x, int) { return colors.at(x); });
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    const QRgb frame = QColor(Qt::magenta).rgba();
    QCOMPARE(image.pixel(0, 0) == frame, border);
    QCOMPARE(image.pixel(199, 20) == frame, border);
    QCOMPARE(image.pixel(100, 0) == frame, border);
    if (!border)
        QCOMPARE(image.pixel(0, 0), colors.at(0));
}

void tst_ValueColorConverterWidget::paintVertical()
{
    ValueColorConverterWidget w;
    w.resize(30, 100);
    w.setOrientation(ValueColorConverterWidget::Vertical);
    w.setImageBorder(false);
    w.addRule(25, Qt::blue);
    const QImage image = grabImage(w);

    const QVector<QRgb> colors = expectedLineColors(w, 100);
    // Values grow upward: the top row shows the upper end of the rules.
    QCOMPARE(QColor(image.pixel(0, 0)), QColor(Qt::red));
    const int tickLeft = 29 - w.axisTickSize();
    const QString mismatch = firstMismatch(image, QRect(0, 0, tickLeft, 100),
                                           [&](int, int y) { return colors.at(y); });
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void tst_ValueColorConverterWidget::handWorkedColors_data()
{
    QTest::addColumn<bool>("vertical"); // 200 x 40 or 40 x 200, no border, no labels
    QTest::addColumn<bool>("logarithmic"); // rules 0 (1 when logarithmic) green, 100 red
    QTest::addColumn<int>("line"); // pixel offset along the bar
    QTest::addColumn<QColor>("color");

    // 200 pixels for 0..100: offset 100 is the value 50, halfway from green to red in hue
    QTest::newRow("first column") << false << false << 0 << QColor(0, 255, 0);
    QTest::newRow("middle column") << false << false << 100 << QColor(255, 255, 0);
    // vertical: offset 0 is the top, 100 - 0 / 200 * 100
    QTest::newRow("top row") << true << false << 0 << QColor(255, 0, 0);
    QTest::newRow("middle row") << true << false << 100 << QColor(255, 255, 0);
    // two decades over 200 pixels: offset 100 is the value 10, halfway on the log scale
    QTest::newRow("log middle column") << false << true << 100 << QColor(255, 255, 0);
}

// Expected colours worked out by hand, independent of the widget's own mapping and conversion.
void tst_ValueColorConverterWidget::handWorkedColors()
{
    QFETCH(bool, vertical);
    QFETCH(bool, logarithmic);
    QFETCH(int, line);
    QFETCH(QColor, color);

    ValueColorConverterWidget w;
    w.resize(vertical ? QSize(40, 200) : QSize(200, 40));
    w.setOrientation(vertical ? ValueColorConverterWidget::Vertical
                              : ValueColorConverterWidget::Horizontal);
    w.setImageBorder(false);
    w.setLogarithmic(logarithmic);
    if (logarithmic)
        QVERIFY(w.addRule(1, Qt::green));
    const QImage image = grabImage(w);
    QCOMPARE(image.pixelColor(vertical ? QPoint(10, line) : QPoint(line, 10)), color);
}

// The bar must show exactly what one-pixel lines in the converted colours would show,
// translucent colours included.
void tst_ValueColorConverterWidget::paintMatchesLineDrawing()
{
    ValueColorConverterWidget w;
    w.resize(120, 30);
    w.setImageBorder(false);
    w.setAxisTickSize(0);
    w.ruleSet.clear();
    w.addRule(0, QColor(255, 0, 0, 40));
    w.addRule(60, QColor(0, 0, 255, 200));
    w.addRule(120, QColor(0, 255, 0));
    const QImage image = grabImage(w);

    QImage reference(image.size(), QImage::Format_ARGB32);
    reference.fill(w.palette().color(QPalette::Window));
    QPainter painter(&reference);
    for (int x = 0; x < 120; ++x) {
        painter.setPen(w.ruleSet.convert(w.valueAxis().screenToValue(x)));
        painter.drawLine(x, 0, x, 29);
    }
    painter.end();
    const QString mismatch = firstDifference(image, reference, QRect(0, 0, 120, 29));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void tst_ValueColorConverterWidget::renderPaths_data()
{
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QRegion>("source");

    QTest::newRow("whole") << QPoint(0, 0) << QRegion();
    QTest::newRow("at an offset") << QPoint(13, 7) << QRegion();
    QTest::newRow("one part") << QPoint(5, 3) << QRegion(20, 0, 50, 40);
    QTest::newRow("two parts") << QPoint(0, 0)
                               << (QRegion(0, 0, 30, 40) + QRegion(100, 10, 30, 20));
}

// However a host renders the widget (offset, partial region), each bar column shows its own
// colour inside the rendered region and nothing is written outside it.
void tst_ValueColorConverterWidget::renderPaths()
{
    QFETCH(QPoint, offset);
    QFETCH(QRegion, source);

    ValueColorConverterWidget w;
    w.resize(200, 40);
    w.setImageBorder(false);
    w.addRule(50, Qt::blue);
    w.addRule(70, QColor(255, 255, 0, 100));
    const QRgb sentinel = qRgb(1, 2, 3);
    QImage image(240, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(sentinel);
    w.render(&image, offset, source, QWidget::DrawChildren);

    QImage reference(200, 40, QImage::Format_ARGB32_Premultiplied);
    reference.fill(w.palette().color(QPalette::Window));
    QPainter painter(&reference);
    for (int x = 0; x < 200; ++x) {
        painter.setPen(w.ruleSet.convert(w.valueAxis().screenToValue(x)));
        painter.drawLine(x, 0, x, 39);
    }
    painter.end();

    // The source region's top left corner lands at the offset.
    const QPoint shift = offset - source.boundingRect().topLeft();
    const int tickTop = 39 - w.axisTickSize();
    const auto expected = [&](int x, int y) {
        const bool painted = source.isEmpty() || source.contains(QPoint(x, y));
        return painted ? reference.pixel(x, y) : sentinel;
    };
    const QString mismatch = firstMismatch(image, QRect(0, 0, 200, tickTop), expected, shift);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    QCOMPARE(image.pixel(239, 59), sentinel);
}

void tst_ValueColorConverterWidget::directWritesMatchPainter_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("logarithmic");
    QTest::addColumn<QColor>("middle"); // the colour of a rule between the default ones
    QTest::addColumn<QString>("styleSheet"); // of the widget's parent, which is rendered
    QTest::addColumn<QPoint>("place"); // of the widget in its parent
    QTest::addColumn<QPoint>("offset"); // of the rendered source in the image
    QTest::addColumn<QRegion>("source"); // of the parent; empty for all of it
    QTest::addColumn<qreal>("ratio"); // the image's device pixel ratio

    const QColor blue(Qt::blue);
    const QColor translucent(255, 255, 0, 100);
    const QString plain;
    const QPoint origin;
    struct Row
    {
        const char *name;
        bool vertical;
        bool logarithmic;
        QColor middle;
        QString styleSheet;
        QPoint place;
        QPoint offset;
        QRegion source;
    };
    const Row rows[] = {
            {"horizontal", false, false, blue, plain, origin, origin, QRegion()},
            {"vertical", true, false, blue, plain, origin, origin, QRegion()},
            {"logarithmic", false, true, blue, plain, origin, origin, QRegion()},
            {"translucent", false, false, translucent, plain, origin, origin, QRegion()},
            {"translucent vertical", true, false, translucent, plain, origin, origin, QRegion()},
            // a gradient is stretched over the whole widget, the band beside the bar included
            {"linear gradient background", false, false, blue,
             "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 yellow, stop:1 navy)",
             origin, origin, QRegion()},
            {"radial gradient background", true, false, blue,
             "background: qradialgradient(cx:0.5, cy:0.5, radius:0.7, stop:0 white, "
             "stop:1 darkgreen)",
             origin, origin, QRegion()},
            // the border starts two or more pixels left of the image; then as much further
            // left as lands on whole device pixels at every ratio
            {"rendered left of the image", false, false, blue, plain, origin, QPoint(-5, 3),
             QRegion()},
            {"rendered left by whole device pixels", false, false, blue, plain, origin,
             QPoint(-4, 4), QRegion()},
            {"source cut on the left", false, false, blue, plain, origin, origin,
             QRegion(4, 0, 196, 60)},
            {"child left of its window", true, false, blue, plain, QPoint(-3, 0), origin,
             QRegion()},
    };
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        for (const Row &row : rows) {
            QTest::addRow("%s at %g", row.name, ratio)
                    << row.vertical << row.logarithmic << row.middle << row.styleSheet
                    << row.place << row.offset << row.source << ratio;
        }
    }
}

// The repaint written straight into the image, as a backing store gets it, has the pixels of
// the same repaint through a clipped painter, which draws all of it with Qt's painter; so
// under the host's conditions: a style sheet, a widget at any place, any part rendered, any
// device pixel ratio.
void tst_ValueColorConverterWidget::directWritesMatchPainter()
{
    QFETCH(bool, vertical);
    QFETCH(bool, logarithmic);
    QFETCH(QColor, middle);
    QFETCH(QString, styleSheet);
    QFETCH(QPoint, place);
    QFETCH(QPoint, offset);
    QFETCH(QRegion, source);
    QFETCH(qreal, ratio);

    QWidget parent;
    parent.setStyleSheet(styleSheet);
    auto *w = new ValueColorConverterWidget(&parent);
    w->setFont(testFont("DejaVu Sans Mono", 12));
    w->setGeometry(QRect(place, vertical ? QSize(60, 200) : QSize(200, 60)));
    parent.resize(w->size());
    w->setOrientation(vertical ? ValueColorConverterWidget::Vertical
                               : ValueColorConverterWidget::Horizontal);
    w->setAxisShowLabels(true);
    w->setLogarithmic(logarithmic);
    w->addRule(50, middle);
    const QImage direct = rendered(parent, ratio, offset, source, false);
    const QImage painted = rendered(parent, ratio, offset, source, true);
    const QString difference = firstDifference(direct, painted, direct.rect());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// What a scaled screen shows: the widget grabbed at the platform's scale (QT_SCALE_FACTOR,
// which CTest sets for this function in runs of their own) has the pixels of the same widget
// rendered through a clipped painter at that ratio.
void tst_ValueColorConverterWidget::grabbedAtScreenScale()
{
    const qreal factor = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
            ? qgetenv("QT_SCALE_FACTOR").toDouble()
            : 1.0;
    ValueColorConverterWidget w;
    w.setFont(testFont("DejaVu Sans Mono", 12));
    w.resize(200, 60);
    w.setAxisShowLabels(true);
    w.addRule(50, Qt::blue);
    const QImage grabbed = w.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(grabbed.devicePixelRatio(), factor);
    const QImage painted = rendered(w, factor, QPoint(), QRegion(), true);
    const QString difference = firstDifference(grabbed, painted, grabbed.rect());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void tst_ValueColorConverterWidget::ticksAndOutlineEquallyWide_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("width"); // of every tick and outline edge, in device pixels

    for (const bool vertical : {false, true}) {
        const char *name = vertical ? "vertical" : "horizontal";
        QTest::addRow("%s at 1", name) << 1.0 << vertical << 1;
        QTest::addRow("%s at 1.25", name) << 1.25 << vertical << 1;
        QTest::addRow("%s at 1.5", name) << 1.5 << vertical << 2;
        QTest::addRow("%s at 1.75", name) << 1.75 << vertical << 2;
        QTest::addRow("%s at 2", name) << 2.0 << vertical << 2;
        QTest::addRow("%s at 2.5", name) << 2.5 << vertical << 3;
    }
}

// Every tick and every edge of the outline is equally wide on the device at every ratio:
// counted across each run of the tick colour and of the border colour, in every device row
// and column, without labels, whose glyphs may touch a tick's end; runs cut by the image's
// edge are left out (at a whole ratio the painter's
// stroke, centred on the first pixel line, loses half of it there).
void tst_ValueColorConverterWidget::ticksAndOutlineEquallyWide()
{
    QFETCH(qreal, ratio);
    QFETCH(bool, vertical);
    QFETCH(int, width);

    const QRgb tick = qRgb(255, 0, 255);
    const QRgb border = qRgb(0, 255, 255);
    ValueColorConverterWidget w;
    w.setFont(testFont("DejaVu Sans Mono", 12));
    w.resize(vertical ? QSize(60, 200) : QSize(200, 60));
    w.setOrientation(vertical ? ValueColorConverterWidget::Vertical
                              : ValueColorConverterWidget::Horizontal);
    w.setAxisColor(tick);
    w.setImageBorderColor(border);
    const QImage image = rendered(w, ratio, QPoint(), QRegion(), false);
    // ticks run across the bar, the outline's edges both ways
    const QVector<int> tickWidths = runWidths(image, tick, !vertical);
    QVector<int> edgeWidths = runWidths(image, border, true) + runWidths(image, border, false);
    QVERIFY2(tickWidths.size() >= 40, qPrintable(QString::number(tickWidths.size())));
    for (const int found : tickWidths + edgeWidths)
        QCOMPARE(found, width);
}

// A host grabs its panel, not the widget: the bar lands at the widget's place in the parent.
void tst_ValueColorConverterWidget::childOfGrabbedParent()
{
    QWidget parent;
    parent.resize(300, 100);
    auto *w = new ValueColorConverterWidget(&parent);
    w->setGeometry(40, 30, 200, 40);
    w->setImageBorder(false);
    const QImage image = parent.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QVector<QRgb> colors = expectedLineColors(*w, 200);
    const QString mismatch = firstMismatch(
            image, QRect(0, 0, 200, 30), [&](int x, int) { return colors.at(x); }, QPoint(40, 30));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    QCOMPARE(image.pixel(39, 30), parent.palette().color(QPalette::Window).rgba());
}

void tst_ValueColorConverterWidget::labelsFit_data()
{
    QTest::addColumn<int>("room");
    QTest::addColumn<bool>("fits");

    // room: rows left for the bar above the axis band (candidate base line)
    QTest::newRow("candidate 5 fits") << 5 << true;
    QTest::newRow("candidate 4 does not") << 4 << false;
    QTest::newRow("plenty") << 20 << true;
}

// Labels are drawn, and the bar shortened to the base line, only when at least five rows
// stay for the bar; otherwise the bar takes the whole height.
void tst_ValueColorConverterWidget::labelsFit()
{
    QFETCH(int, room);
    QFETCH(bool, fits);

    ValueColorConverterWidget w;
    w.setFont(testFont("DejaVu Sans Mono", 12));
    w.resize(200, 40);
    w.setImageBorderColor(Qt::magenta);
    w.addRule(50, Qt::blue);
    w.setAxisShowLabels(true);
    const int labelHeight = w.valueAxis().height() - w.axisTickSize();
    // thickness = label height + tick size; candidate = 39 - thickness
    w.setAxisTickSize(39 - room - labelHeight);
    w.setAxisShowLabels(false);
    w.setAxisShowLabels(true);
    QCOMPARE(39 - w.valueAxis().height(), room);

    const QImage image = grabImage(w);
    const int baseLine = fits ? room : 39;
    const QRgb frame = QColor(Qt::magenta).rgba();
    QCOMPARE(image.pixel(100, baseLine), frame);
    if (fits) {
        const QRgb background = w.palette().color(QPalette::Window).rgba();
        QCOMPARE(image.pixel(199, baseLine + w.axisTickSize() + 1), background);
        // Somewhere in the band below the ticks the label colour shows.
        bool labelSeen = false;
        for (int y = baseLine + w.axisTickSize() + 1; y < 40 && !labelSeen; ++y)
            for (int x = 0; x < 200 && !labelSeen; ++x)
                labelSeen = image.pixel(x, y) == qRgb(0, 0, 0);
        QVERIFY(labelSeen);
    }
}

void tst_ValueColorConverterWidget::labelsReadable_data()
{
    QTest::addColumn<double>("lo"); // the first and last rule
    QTest::addColumn<double>("hi");
    QTest::addColumn<bool>("logarithmic");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("length"); // of the bar; across it the widget is 60 or 90 pixels
    QTest::addColumn<QString>("drawn"); // the texts in drawing order; empty: not compared

    const QVector<QPair<double, double>> ranges{
            {0, 100},      {0, 1},          {-1, 1},  {-5, 5},     {-20, 120},     {-100, 0},
            {0, 5000},     {-273.15, 1500}, {3, 47},  {250, 1250}, {0.001, 0.002}, {1, 1000},
            {0.001, 1000}, {5, 9},          {50, 50}, {1e-4, 1e6}};
    for (const auto &range : ranges)
        for (const bool logarithmic : {false, true})
            for (const bool vertical : {false, true})
                for (const int length : {60, 120, 200, 280, 300, 500, 1000}) {
                    if (logarithmic && range.first <= 0) // refused as logarithmic rules
                        continue;
                    const QString name = QStringLiteral("%1..%2 %3 %4 %5")
                                                 .arg(range.first)
                                                 .arg(range.second)
                                                 .arg(QLatin1String(logarithmic ? "log" : "lin"))
                                                 .arg(QLatin1String(vertical ? "v" : "h"))
                                                 .arg(length);
                    QTest::newRow(qPrintable(name)) << range.first << range.second << logarithmic
                                                    << vertical << length << QString();
                }

    // the cases that read wrong before: crowded or overlapping labels, ticks off the step, cut
    // logarithmic labels, logarithmic scales without a number
    QTest::newRow("temperature picture: 120 and 100 apart")
            << -20.0 << 120.0 << false << false << 300 << QString();
    QTest::newRow("0..100 at 120 px thinned") << 0.0 << 100.0 << false << false << 120 << QString();
    QTest::newRow("-100..0 at 500 px apart") << -100.0 << 0.0 << false << false << 500 << QString();
    QTest::newRow("-5..5 on the step") << -5.0 << 5.0 << false << false << 300 << "-4 -2 0 2 4";
    QTest::newRow("-273.15..1500 on the step, multiplier kept")
            << -273.15 << 1500.0 << false << false << 300 << "0 0.5 1 E+3";
    QTest::newRow("multiplier: the end label gives way")
            << 0.0 << 5000.0 << false << false << 300 << "0 1 2 3 4 E+3";
    QTest::newRow("pressure picture: 1E3 whole")
            << 1e-3 << 1e3 << true << false << 400 << QString();
    QTest::newRow("1E-4..1E6 at 120 px whole") << 1e-4 << 1e6 << true << false << 120 << QString();
    QTest::newRow("1E-4..1E6 at 120 px vertical whole")
            << 1e-4 << 1e6 << true << true << 120 << QString();
    QTest::newRow("log one rule on a decade: the decade")
            << 100.0 << 100.0 << true << false << 1000 << "100";
    QTest::newRow("log one rule: its minor tick") << 50.0 << 50.0 << true << false << 1000 << "50";
    QTest::newRow("log rules 5 and 9: minor ticks")
            << 5.0 << 9.0 << true << false << 1000 << "5 6 7 8 9";
    QTest::newRow("log after a scaled linear axis: no multiplier")
            << 5000.0 << 9000.0 << true << false << 1000 << "5000 6000 7000 8000 9000";

    // where labels that fit were left out or ran unevenly
    QTest::newRow("temperature v 120: 0 100") << -20.0 << 120.0 << false << true << 120 << "0 100";
    QTest::newRow("temperature v 160: every second tick, end included")
            << -20.0 << 120.0 << false << true << 160 << "0 40 80 120";
    QTest::newRow("temperature v 200: -20 gives way to 0, 100 to the end")
            << -20.0 << 120.0 << false << true << 200 << "0 20 40 60 80 120";
    QTest::newRow("temperature v 280: all eight")
            << -20.0 << 120.0 << false << true << 280 << "-20 0 20 40 60 80 100 120";
    QTest::newRow("temperature h 200: every second tick from 0")
            << -20.0 << 120.0 << false << false << 200 << "0 40 80 120";
    QTest::newRow("temperature h 280: -20 gives way to 0, 100 to the end")
            << -20.0 << 120.0 << false << false << 280 << "0 20 40 60 80 120";
    QTest::newRow("0..100 v 200: every second tick, both ends")
            << 0.0 << 100.0 << false << true << 200 << "0 20 40 60 80 100";
    QTest::newRow("-100..0 v 200: every second tick, both ends")
            << -100.0 << 0.0 << false << true << 200 << "-100 -80 -60 -40 -20 0";
    QTest::newRow("0..5000 v 200: 0 to 4 beside the multiplier")
            << 0.0 << 5000.0 << false << true << 200 << "0 1 2 3 4 E+3";
    QTest::newRow("0..1000000 v 200: 0 to 0.8 beside the multiplier")
            << 0.0 << 1e6 << false << true << 200 << "0 0.2 0.4 0.6 0.8 E+6";
    QTest::newRow("0.5..0.7 h 200: every second tick, end included")
            << 0.5 << 0.7 << false << false << 200 << "0.5 0.6 0.7";
}

// What reaches the painter, on any scale with labels on: every text whole inside the widget,
// no two texts' ink closer than the width of a "0", some number shown (unscaled axes), 0
// labelled wherever the scale spans it, the labels on one step of the ticks, those between the
// ends on one even step, and no tick of that step left without a label that would fit.
void tst_ValueColorConverterWidget::labelsReadable()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(bool, logarithmic);
    QFETCH(bool, vertical);
    QFETCH(int, length);
    QFETCH(QString, drawn);

    ValueColorConverterWidget w;
    w.setFont(testFont("DejaVu Sans", 17)); // the preview host's panel font
    w.resize(vertical ? QSize(90, length) : QSize(length, 60));
    w.setOrientation(vertical ? ValueColorConverterWidget::Vertical
                              : ValueColorConverterWidget::Horizontal);
    w.setAxisShowLabels(true);
    w.ruleSet.clear();
    w.addRule(lo, Qt::blue);
    w.addRule(hi, Qt::red);
    w.setLogarithmic(logarithmic); // after the rules' linear scale
    TextRecorder recorder(w.size());
    w.render(&recorder, QPoint(), QRegion(), QWidget::DrawChildren);

    const QVector<DrawnText> &texts = recorder.texts();
    QStringList all;
    QVector<double> values;
    QStringList valueTexts;
    for (const DrawnText &t : texts) {
        all << t.text;
        bool number = false;
        const double v = t.text.toDouble(&number);
        if (number) { // else the multiplier
            values << v;
            valueTexts << t.text;
        }
    }
    const QString seen = all.join(' ');
    // a scaled axis shows no number at all where the first would crowd its multiplier
    if (w.valueAxis().getExponentText().isEmpty())
        QVERIFY2(!values.isEmpty(), qPrintable(seen));
    const QRectF widget(w.rect());
    const int zero = QFontMetrics(w.font()).horizontalAdvance(QLatin1Char('0'));
    const auto keepsDistance = [&](const QRectF &ink) {
        return std::all_of(texts.cbegin(), texts.cend(), [&](const DrawnText &t) {
            return distanceAlong(ink, recorder.inkBox(t), vertical) >= zero;
        });
    };
    for (int i = 0; i < texts.size(); ++i) {
        const QRectF ink = recorder.inkBox(texts.at(i));
        QVERIFY2(widget.contains(ink), qPrintable(texts.at(i).text + " cut in " + seen));
        for (int j = i + 1; j < texts.size(); ++j)
            QVERIFY2(distanceAlong(ink, recorder.inkBox(texts.at(j)), vertical) >= zero,
                     qPrintable(texts.at(i).text + " crowds " + texts.at(j).text + " in " + seen));
    }
    if (!logarithmic && lo <= 0 && hi >= 0 && !values.isEmpty())
        QVERIFY2(all.contains(QStringLiteral("0")), qPrintable(seen));

    // The labels' numbers on the labelling grid; a logarithmic scale without a decade labels
    // its minor ticks, numbered by their factor.
    const QVector<GridTick> ticks = gridTicks(w.valueAxis());
    QVector<qint64> numbers;
    bool onTicks = true;
    for (int i = 0; i < values.size(); ++i) {
        const auto tick = std::find_if(ticks.cbegin(), ticks.cend(), [&](const GridTick &t) {
            return t.text == valueTexts.at(i);
        });
        onTicks = onTicks && tick != ticks.cend();
        const double v = values.at(i);
        numbers << (tick != ticks.cend() ? tick->number
                                         : static_cast<qint64>(std::rint(
                                                   v / std::pow(10.0, std::floor(std::log10(v))))));
    }
    QVERIFY2(onTicks || logarithmic, qPrintable(seen + " off the ticks"));
    const bool fromFirst = logarithmic && onTicks; // decades count from the first labelled
    QString fault = offStep(numbers, fromFirst);
    if (fault.isEmpty())
        fault = unevenRun(numbers);
    QVERIFY2(fault.isEmpty(), qPrintable(fault + " in " + seen));
    if (onTicks && numbers.size() > 1) {
        const qint64 step = smallestStep(numbers);
        for (const GridTick &t : ticks) {
            if ((t.number - (fromFirst ? numbers.first() : 0)) % step != 0 ||
                numbers.contains(t.number))
                continue;
            const QRectF ink = inkOnTick(recorder, w.font(), t.text, t.position, vertical, length);
            const bool whole = vertical ? ink.top() >= 0 && ink.bottom() <= length
                                        : ink.left() >= 0 && ink.right() <= length;
            QVERIFY2(!whole || !keepsDistance(ink), qPrintable(t.text + " fits in " + seen));
        }
    }
    if (!drawn.isEmpty())
        QCOMPARE(seen, drawn);
}

void tst_ValueColorConverterWidget::translucentBackgroundShowsParent_data()
{
    QTest::addColumn<QColor>("background"); // the widget's; its parent is red
    QTest::addColumn<QColor>("seen"); // through the transparent bar

    QTest::newRow("opaque: the widget's own") << QColor(Qt::blue) << QColor(Qt::blue);
    QTest::newRow("transparent: the parent's") << QColor(Qt::transparent) << QColor(Qt::red);
    QTest::newRow("translucent: blended on the parent's")
            << QColor(0, 0, 255, 128) << QColor(127, 0, 128);
}

// Only an opaque background lets Qt skip painting what lies beneath the widget.
void tst_ValueColorConverterWidget::translucentBackgroundShowsParent()
{
    QFETCH(QColor, background);
    QFETCH(QColor, seen);
    QWidget parent;
    parent.resize(100, 40);
    QPalette red;
    red.setColor(QPalette::Window, Qt::red);
    parent.setPalette(red);
    parent.setAutoFillBackground(true);
    auto *w = new ValueColorConverterWidget(&parent);
    w->resize(parent.size());
    QPalette own;
    own.setColor(QPalette::Window, background);
    w->setPalette(own);
    w->setImageBorder(false);
    w->ruleSet.clear();
    w->addRule(0, QColor(0, 0, 0, 0));
    QCOMPARE(w->testAttribute(Qt::WA_OpaquePaintEvent), background.alpha() == 255);
    const QImage image = parent.grab().toImage();
    const QColor actual = image.pixelColor(50, 5);
    QVERIFY2(qAbs(actual.red() - seen.red()) <= 1 && qAbs(actual.green() - seen.green()) <= 1 &&
                     qAbs(actual.blue() - seen.blue()) <= 1,
             qPrintable(actual.name()));
}

void tst_ValueColorConverterWidget::backgroundFollowsColourGroup_data()
{
    // the Window brush in each group; Base is translucent in all of them
    QTest::addColumn<QColor>("active");
    QTest::addColumn<QColor>("inactive");
    QTest::addColumn<QColor>("disabled");
    QTest::addColumn<bool>("onParent"); // the palette set on the window, not the widget
    QTest::addColumn<QString>("styleSheet"); // set on the widget instead of a palette
    QTest::addColumn<BackgroundSwitch>("change");

    const QColor opaque(200, 230, 255);
    const QColor translucent(200, 40, 40, 128);
    QTest::newRow("disabled translucent, widget disabled")
            << opaque << opaque << translucent << false << QString() << DisableWidget;
    QTest::newRow("disabled translucent on the parent, parent disabled")
            << opaque << opaque << translucent << true << QString() << DisableParent;
    QTest::newRow("style sheet :disabled, widget disabled")
            << QColor() << QColor() << QColor() << false
            << QStringLiteral("QWidget { background-color: rgb(200,230,255); } "
                              "QWidget:disabled { background-color: rgba(200,40,40,128); }")
            << DisableWidget;
    QTest::newRow("inactive translucent, other window activated")
            << opaque << translucent << opaque << false << QString() << ActivateOtherWindow;
    QTest::newRow("opaque window, background role set to translucent base")
            << opaque << opaque << opaque << false << QString() << UseBaseRole;
}

// Whatever switches the brush the next paint erases with, Qt paints beneath the widget
// whenever that brush is translucent: the window then shows what the same widget shows
// painted without Qt::WA_OpaquePaintEvent, not the brush blended over its own old pixels.
void tst_ValueColorConverterWidget::backgroundFollowsColourGroup()
{
    QFETCH(QColor, active);
    QFETCH(QColor, inactive);
    QFETCH(QColor, disabled);
    QFETCH(bool, onParent);
    QFETCH(QString, styleSheet);
    QFETCH(BackgroundSwitch, change);

    CheckeredWindow window;
    window.resize(140, 50);
    auto *w = new ValueColorConverterWidget(&window);
    w->setGeometry(10, 10, 120, 30);
    w->setImageBorder(false);
    w->ruleSet.clear();
    w->addRule(0, QColor(0, 0, 0, 0)); // the background shows through the whole bar
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // Set once the window is shown, as a host does: a style sheet set before the first show
    // takes effect in the polish, at whose end Qt's style sheet style clears the attribute.
    if (styleSheet.isEmpty()) {
        QPalette colours;
        colours.setColor(QPalette::Active, QPalette::Window, active);
        colours.setColor(QPalette::Inactive, QPalette::Window, inactive);
        colours.setColor(QPalette::Disabled, QPalette::Window, disabled);
        colours.setColor(QPalette::Base, QColor(40, 40, 200, 128));
        (onParent ? static_cast<QWidget *>(&window) : w)->setPalette(colours);
    } else {
        w->setStyleSheet(styleSheet);
    }
    deliverQueuedEvents();

    QWidget other;
    switch (change) {
    case DisableWidget:
        w->setEnabled(false);
        break;
    case DisableParent:
        window.setEnabled(false);
        break;
    case ActivateOtherWindow:
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!window.isActiveWindow());
        break;
    case UseBaseRole:
        w->setBackgroundRole(QPalette::Base);
        break;
    }
    w->update();
    deliverQueuedEvents();
    const QImage shown = onScreen(window);
    QVERIFY(!shown.isNull());

    w->setAttribute(Qt::WA_OpaquePaintEvent, false);
    window.repaint();
    const ImageDifference difference = imageDifference(shown, onScreen(window), 0);
    QVERIFY2(difference.pixels == 0,
             qPrintable(QStringLiteral("%1 pixels differ, by up to %2")
                                .arg(difference.pixels)
                                .arg(difference.largest)));
}

void tst_ValueColorConverterWidget::emptyRuleSetPaintsWhite()
{
    ValueColorConverterWidget w;
    w.resize(50, 20);
    w.ruleSet.clear();
    const QImage image = grabImage(w);
    QCOMPARE(image.pixel(25, 5), qRgb(255, 255, 255));
}

void tst_ValueColorConverterWidget::resizeReachesAxisAlongBarOnly()
{
    ValueColorConverterWidget w;
    w.resize(200, 40);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.valueAxis().width(), 200);
    QVERIFY(!w.valueAxis().isPreparationNeeded());

    w.resize(200, 60);
    QCOMPARE(w.valueAxis().width(), 200);
    w.resize(300, 40);
    QCOMPARE(w.valueAxis().width(), 300);
    QVERIFY(!w.valueAxis().isPreparationNeeded());

    w.setOrientation(ValueColorConverterWidget::Vertical);
    QCOMPARE(w.valueAxis().height(), 40);
    w.resize(100, 40);
    QCOMPARE(w.valueAxis().height(), 40);
    w.resize(100, 90);
    QCOMPARE(w.valueAxis().height(), 90);
    QVERIFY(!w.valueAxis().isPreparationNeeded());
}

void tst_ValueColorConverterWidget::mouse_data()
{
    QTest::addColumn<QEvent::Type>("type");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPointF>("local");
    QTest::addColumn<int>("downCode");
    QTest::addColumn<int>("doubleClickCode");
    QTest::addColumn<QPoint>("rounded");

    const QPointF at(10.4, 20.5);
    const QPoint rounded(10, 21);
    QTest::newRow("left press") << QEvent::MouseButtonPress << Qt::LeftButton << at << 1 << 0
                                << rounded;
    QTest::newRow("right press") << QEvent::MouseButtonPress << Qt::RightButton << at << 2 << 0
                                 << rounded;
    QTest::newRow("middle press") << QEvent::MouseButtonPress << Qt::MiddleButton << at << 0 << 0
                                  << rounded;
    QTest::newRow("back press") << QEvent::MouseButtonPress << Qt::BackButton << at << 0 << 0
                                << rounded;
    QTest::newRow("left double") << QEvent::MouseButtonDblClick << Qt::LeftButton << at << 0 << 1
                                 << rounded;
    QTest::newRow("right double") << QEvent::MouseButtonDblClick << Qt::RightButton << QPointF(3, 4)
                                  << 0 << 2 << QPoint(3, 4);
    QTest::newRow("middle double")
            << QEvent::MouseButtonDblClick << Qt::MiddleButton << at << 0 << 0 << rounded;
}

void tst_ValueColorConverterWidget::mouse()
{
    QFETCH(QEvent::Type, type);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPointF, local);
    QFETCH(int, downCode);
    QFETCH(int, doubleClickCode);
    QFETCH(QPoint, rounded);

    ValueColorConverterWidget w;
    w.resize(200, 40);
    w.move(37, 53);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy down(&w, &ValueColorConverterWidget::mouseDown);
    QSignalSpy doubleClick(&w, &ValueColorConverterWidget::mouseDoubleClick);

    QMouseEvent event(type, local, local + w.mapToGlobal(QPoint()), button, button, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);

    const QPoint global = w.mapToGlobal(rounded);
    const QList<QVariant> expected{downCode ? downCode : doubleClickCode, global.x(), global.y()};
    QCOMPARE(down.count(), downCode ? 1 : 0);
    QCOMPARE(doubleClick.count(), doubleClickCode ? 1 : 0);
    if (downCode)
        QCOMPARE(down.first(), expected);
    if (doubleClickCode)
        QCOMPARE(doubleClick.first(), expected);
}

QTEST_MAIN(tst_ValueColorConverterWidget)
#include "tst_valuecolorconverterwidget.moc"
