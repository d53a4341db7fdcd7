#include "valuecolorconverterwidget.h"

#include "axistexts.h"

#include "onscreen.h"
#include "testfont.h"
#include "textrecorder.h"

#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <climits>
#include <cmath>

// ValueColorConverterWidget: whether labels fit across the widget, and that those drawn
// are readable on any scale.

namespace {

QImage grabImage(ValueColorConverterWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
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
        const double from = axis.scaleDivision().logStart();
        const double span = axis.scaleDivision().logEnd() - from;
        for (int e = static_cast<int>(std::ceil(from)); e <= axis.scaleDivision().logEnd(); ++e) {
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

} // namespace

class tst_WidgetLabels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void labelsFit_data();
    void labelsFit();
    void labelsReadable_data();
    void labelsReadable();
};

void tst_WidgetLabels::labelsFit_data()
{
    QTest::addColumn<int>("room");
    QTest::addColumn<bool>("fits");

    // room: rows left for the bar above the axis band (candidate base line)
    QTest::newRow("candidate 5 fits") << 5 << true;
    QTest::newRow("candidate 4 does not") << 4 << false;
    QTest::newRow("plenty") << 20 << true;
}

void tst_WidgetLabels::labelsFit()
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

void tst_WidgetLabels::labelsReadable_data()
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

void tst_WidgetLabels::labelsReadable()
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
    if (w.valueAxis().layout().multiplier.text.isEmpty())
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

QTEST_MAIN(tst_WidgetLabels)
#include "tst_widgetlabels.moc"
