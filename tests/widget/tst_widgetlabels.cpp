#include "valuecolorconverterwidget.h"

#include "labelgrid.h"
#include "onscreen.h"
#include "testfont.h"

#include <QtTest>
#include <QtWidgets>

// ValueColorConverterWidget: whether labels fit across the widget, and that those drawn
// are readable on any scale.

namespace {

QImage grabImage(ValueColorConverterWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
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

    // where not even two labels fit: 0, else the first that fits, not a multiple of a step
    QTest::newRow("-5..5 v 60: 0 alone") << -5.0 << 5.0 << false << true << 60 << "0";
    QTest::newRow("11..19 h 60: the first alone") << 11.0 << 19.0 << false << false << 60 << "11";
    QTest::newRow("100..400 h 60: the first alone")
            << 100.0 << 400.0 << false << false << 60 << "100";
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
    // in the preview host's panel font
    setUpScale(w, testFont("DejaVu Sans", 17), vertical ? QSize(90, length) : QSize(length, 60),
               vertical, lo, hi, logarithmic);
    const LabelReading reading = readLabels(w);
    QVERIFY2(reading.fault.isEmpty(), qPrintable(reading.fault));
    if (!drawn.isEmpty())
        QCOMPARE(reading.seen, drawn);
}

QTEST_MAIN(tst_WidgetLabels)
#include "tst_widgetlabels.moc"
