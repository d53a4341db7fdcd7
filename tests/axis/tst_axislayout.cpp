#include "axislayout.h"

#include <QtTest>

// What the layout of an axis decides without a font: where the base line of the ticks lies
// across the widget and whether the labels fit beyond it.

class TestAxisLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void baseLine_data();
    void baseLine();
};

void TestAxisLayout::baseLine_data()
{
    QTest::addColumn<int>("across"); // the widget's extent across the bar
    QTest::addColumn<int>("thickness"); // of the laid-out axis band
    QTest::addColumn<bool>("labelsOn");
    QTest::addColumn<int>("baseLine");
    QTest::addColumn<bool>("labelsFit");

    QTest::newRow("labels off: the bar takes the widget") << 60 << 20 << false << 59 << false;
    QTest::newRow("labels beyond the bar") << 60 << 20 << true << 39 << true;
    QTest::newRow("five lines left for the bar") << 26 << 20 << true << 5 << true;
    QTest::newRow("four lines left: labels left out") << 25 << 20 << true << 24 << false;
    QTest::newRow("band wider than the widget") << 10 << 20 << true << 9 << false;
    QTest::newRow("no band") << 60 << 0 << true << 59 << true;
}

void TestAxisLayout::baseLine()
{
    QFETCH(int, across);
    QFETCH(int, thickness);
    QFETCH(bool, labelsOn);
    QFETCH(int, baseLine);
    QFETCH(bool, labelsFit);
    AxisLayout layout;
    layout.thickness = thickness;
    bool fit = !labelsFit;
    QCOMPARE(layout.baseLine(across, labelsOn, fit), baseLine);
    QCOMPARE(fit, labelsFit);
}

QTEST_APPLESS_MAIN(TestAxisLayout)
#include "tst_axislayout.moc"
