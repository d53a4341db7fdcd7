#include "scaledivision.h"

#include <QtTest>

#include <cmath>
#include <limits>

// ScaleDivision from its limits alone: no font, no painter, no widget.

namespace {

const double infinity = std::numeric_limits<double>::infinity();

bool closeTo(double actual, double expected, double relative)
{
    return std::fabs(actual - expected) <= relative * std::fabs(expected);
}

// The ticks as "value" for a major and "(value)" for a minor tick, separated by spaces;
// majors() gives the major ticks alone.
QString listed(const ScaleDivision &d, bool withMinor)
{
    QStringList texts;
    for (const ScaleDivision::Tick &tick : d.ticks()) {
        const QString value = QString::number(tick.value);
        if (tick.major)
            texts << value;
        else if (withMinor)
            texts << QLatin1Char('(') + value + QLatin1Char(')');
    }
    return texts.join(QLatin1Char(' '));
}

QString majors(const ScaleDivision &d)
{
    return listed(d, false);
}

} // namespace

class TestScaleDivision : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linear_data();
    void linear();
    void linearTicks_data();
    void linearTicks();
    void logarithmic_data();
    void logarithmic();
};

void TestScaleDivision::linear_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("exponent");
    QTest::addColumn<double>("scaleFactor");
    QTest::addColumn<double>("scaleMin");
    QTest::addColumn<double>("scaleMax");
    QTest::addColumn<double>("labelStep");
    QTest::addColumn<double>("firstLabel");
    QTest::addColumn<QString>("labels");

    QTest::newRow("0..100") << 0.0 << 100.0 << 0.0 << 1.0 << 0.0 << 100.0 << 10.0 << 0.0
                            << "0 10 20 30 40 50 60 70 80 90 100";
    QTest::newRow("0..1") << 0.0 << 1.0 << 0.0 << 1.0 << 0.0 << 1.0 << 0.2 << 0.0
                          << "0 0.2 0.4 0.6 0.8 1";
    QTest::newRow("3..47 aligned")
            << 3.0 << 47.0 << 0.0 << 1.0 << 3.0 << 47.0 << 10.0 << 10.0 << "10 20 30 40";
    QTest::newRow("0..999 rounded out") << 0.0 << 999.0 << 0.0 << 1.0 << 0.0 << 1000.0 << 100.0
                                        << 0.0 << "0 100 200 300 400 500 600 700 800 900 1000";
    QTest::newRow("0..5000") << 0.0 << 5000.0 << 3.0 << 1e3 << 0.0 << 5.0 << 1.0 << 0.0
                             << "0 1 2 3 4 5";
    QTest::newRow("250..1250") << 250.0 << 1250.0 << 3.0 << 1e3 << 0.2 << 1.3 << 0.2 << 0.2
                               << "0.2 0.4 0.6 0.8 1 1.2";
    QTest::newRow("0.001..0.002") << 0.001 << 0.002 << -3.0 << 1e-3 << 1.0 << 2.0 << 0.2 << 1.0
                                  << "1 1.2 1.4 1.6 1.8 2";
    QTest::newRow("-1..1") << -1.0 << 1.0 << 0.0 << 1.0 << -1.0 << 1.0 << 0.5 << -1.0
                           << "-1 -0.5 0 0.5 1";
    QTest::newRow("-5..5 ticks on multiples of the step")
            << -5.0 << 5.0 << 0.0 << 1.0 << -5.0 << 5.0 << 2.0 << -4.0 << "-4 -2 0 2 4";
    QTest::newRow("range under 15")
            << 0.0 << 14.9 << 0.0 << 1.0 << 0.0 << 15.0 << 2.0 << 0.0 << "0 2 4 6 8 10 12 14";
    QTest::newRow("range 15") << 0.0 << 15.0 << 0.0 << 1.0 << 0.0 << 15.0 << 5.0 << 0.0
                              << "0 5 10 15";
    // tenths and hundredths are not exact in binary: summed steps gave 2.77556e-17 for 0 and
    // passed the end of the scale
    QTest::newRow("-0.3..0.3 0 and the ends exact")
            << -0.3 << 0.3 << 0.0 << 1.0 << -0.3 << 0.3 << 0.1 << -0.3
            << "-0.3 -0.2 -0.1 0 0.1 0.2 0.3";
    QTest::newRow("0.5..0.7 tick at the end")
            << 0.5 << 0.7 << 0.0 << 1.0 << 0.5 << 0.7 << 0.05 << 0.5 << "0.5 0.55 0.6 0.65 0.7";
    QTest::newRow("-0.001..0 scaled, 0 exact") << -0.001 << 0.0 << -3.0 << 1e-3 << -1.0 << 0.0
                                               << 0.2 << -1.0 << "-1 -0.8 -0.6 -0.4 -0.2 0";
    QTest::newRow("0.002..0.003 scaled, tick at the end")
            << 0.002 << 0.003 << -3.0 << 1e-3 << 2.0 << 3.0 << 0.2 << 2.0 << "2 2.2 2.4 2.6 2.8 3";
}

// The division's ends, scaling, step and first major tick, and the major ticks' values as
// the default number format writes them.
void TestScaleDivision::linear()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(double, exponent);
    QFETCH(double, scaleFactor);
    QFETCH(double, scaleMin);
    QFETCH(double, scaleMax);
    QFETCH(double, labelStep);
    QFETCH(double, firstLabel);
    QFETCH(QString, labels);
    const ScaleDivision d = ScaleDivision::linear(lo, hi);
    QCOMPARE(d.exponent(), exponent);
    QCOMPARE(d.factor(), scaleFactor); // the double nearest to 10^exponent
    QVERIFY(closeTo(d.start(), scaleMin, 1e-12));
    QVERIFY(closeTo(d.end(), scaleMax, 1e-12));
    QVERIFY(closeTo(d.step(), labelStep, 1e-12));
    QVERIFY(closeTo(d.firstMajor(), firstLabel, 1e-12));
    QCOMPARE(majors(d), labels);
}

void TestScaleDivision::linearTicks_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<QString>("ticks"); // minor ticks in brackets
    QTest::addColumn<QString>("numbers"); // of the major ticks on the labelling grid

    QTest::newRow("0..1 four minor ticks after each major")
            << 0.0 << 1.0
            << "0 (0.04) (0.08) (0.12) (0.16) 0.2 (0.24) (0.28) (0.32) (0.36) 0.4 (0.44) (0.48) "
               "(0.52) (0.56) 0.6 (0.64) (0.68) (0.72) (0.76) 0.8 (0.84) (0.88) (0.92) (0.96) 1"
            << "0 1 2 3 4 5";
    QTest::newRow("3..47 minor ticks cut at the end")
            << 3.0 << 47.0
            << "10 (12) (14) (16) (18) 20 (22) (24) (26) (28) 30 (32) (34) (36) (38) 40 (42) (44) "
               "(46)"
            << "1 2 3 4";
    QTest::newRow("-5..5 numbered through 0") << -5.0 << 5.0
                                              << "-4 (-3.6) (-3.2) (-2.8) (-2.4) -2 (-1.6) (-1.2) "
                                                 "(-0.8) (-0.4) 0 (0.4) (0.8) (1.2) (1.6) 2 (2.4) "
                                                 "(2.8) (3.2) (3.6) 4 (4.4) (4.8)"
                                              << "-2 -1 0 1 2";
    // far from 0 the tick numbers no longer tell multiples of the step: counted from the first
    QTest::newRow("1e15..1e15+0.125 off the grid")
            << 1e15 << 1e15 + 0.125 << QString() << QString();
    QTest::newRow("infinite limits: no ticks") << -infinity << infinity << QString() << QString();
    QTest::newRow("NaN limit: no ticks") << std::nan("") << 1.0 << QString() << QString();
}

void TestScaleDivision::linearTicks()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(QString, ticks);
    QFETCH(QString, numbers);
    const ScaleDivision d = ScaleDivision::linear(lo, hi);
    if (!ticks.isEmpty())
        QCOMPARE(listed(d, true), ticks);
    QStringList majorNumbers;
    for (const ScaleDivision::Tick &tick : d.ticks())
        if (tick.major)
            majorNumbers << QString::number(tick.number);
    if (!numbers.isEmpty())
        QCOMPARE(majorNumbers.join(QLatin1Char(' ')), numbers);
    if (ticks.isEmpty() && numbers.isEmpty() && std::isfinite(lo) && std::isfinite(hi)) {
        QVERIFY(!d.numberedOnGrid());
        QVERIFY(!d.ticks().isEmpty());
        QCOMPARE(d.ticks().first().number, qint64(0));
    }
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        QVERIFY(d.ticks().isEmpty());
        QCOMPARE(d.start(), 0.0);
        QCOMPARE(d.end(), 1.0);
    }
}

void TestScaleDivision::logarithmic_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<bool>("fromLogs"); // lo and hi are the logarithms of the ends
    QTest::addColumn<QString>("ticks"); // decades as exponents, minor ticks as values
    QTest::addColumn<bool>("decades");

    QTest::newRow("1..100") << 1.0 << 100.0 << false
                            << "0 (2) (3) (4) (5) (6) (7) (8) (9) 1 (20) (30) (40) (50) (60) (70) "
                               "(80) (90) 2"
                            << true;
    QTest::newRow("0.5..30 minor ticks only after a decade")
            << 0.5 << 30.0 << false << "0 (2) (3) (4) (5) (6) (7) (8) (9) 1 (20) (30)" << true;
    QTest::newRow("5..9 no decade: the minor ticks of the decade below")
            << 5.0 << 9.0 << false << "(5) (6) (7) (8) (9)" << false;
    QTest::newRow("stretched ends from their logarithms")
            << -0.1 << 1.05 << true << "0 (2) (3) (4) (5) (6) (7) (8) (9) 1" << true;
    QTest::newRow("ends beyond the double range keep their logarithms")
            << 307.5 << 309.0 << true << "308 309" << true;
}

void TestScaleDivision::logarithmic()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(bool, fromLogs);
    QFETCH(QString, ticks);
    QFETCH(bool, decades);
    const ScaleDivision d = fromLogs ? ScaleDivision::logarithmicFromLogs(lo, hi)
                                     : ScaleDivision::logarithmic(lo, hi);
    QString listing = listed(d, true);
    if (fromLogs && lo > 300) // minor ticks there are beyond the double range
        listing = majors(d);
    QCOMPARE(listing, ticks);
    QCOMPARE(d.hasDecades(), decades);
    QVERIFY(std::isfinite(d.logStart()) && std::isfinite(d.logEnd()));
    if (fromLogs) {
        QCOMPARE(d.logStart(), lo);
        QCOMPARE(d.logEnd(), hi);
    } else {
        QCOMPARE(d.logStart(), std::log10(lo));
        QCOMPARE(d.logEnd(), std::log10(hi));
    }
    for (const ScaleDivision::Tick &tick : d.ticks())
        QVERIFY(tick.at >= d.logStart() && tick.at <= d.logEnd());
}

QTEST_APPLESS_MAIN(TestScaleDivision)
#include "tst_scaledivision.moc"
