#include "devicespans.h"

#include <QtTest>

// The device pixels of fills along one axis of a painter's transform, and the crisp-line
// policy across one-pixel lines, as numbers.

class TestDeviceSpans : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void line_data();
    void line();
    void fill_data();
    void fill();
};

void TestDeviceSpans::line_data()
{
    QTest::addColumn<qint64>("from"); // the device pixels of the logical pixel line
    QTest::addColumn<qint64>("to");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<qint64>("boundsLast"); // the device's pixels run from 0 to this
    QTest::addColumn<bool>("fromEnd");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");

    QTest::newRow("unscaled") << qint64(5) << qint64(5) << 1.0 << qint64(99) << false << qint64(5)
                              << qint64(5);
    QTest::newRow("1.25: one pixel of two")
            << qint64(5) << qint64(6) << 1.25 << qint64(99) << false << qint64(5) << qint64(5);
    QTest::newRow("1.5: two pixels from one")
            << qint64(3) << qint64(3) << 1.5 << qint64(99) << false << qint64(3) << qint64(4);
    QTest::newRow("1.5: the last line ends on the last pixel")
            << qint64(148) << qint64(148) << 1.5 << qint64(148) << false << qint64(147)
            << qint64(148);
    QTest::newRow("1.5: from the end")
            << qint64(10) << qint64(10) << 1.5 << qint64(99) << true << qint64(9) << qint64(10);
    QTest::newRow("2") << qint64(10) << qint64(11) << 2.0 << qint64(99) << false << qint64(10)
                       << qint64(11);
    QTest::newRow("3: cut by the bounds' last pixel")
            << qint64(297) << qint64(299) << 3.0 << qint64(298) << false << qint64(296)
            << qint64(298);
    QTest::newRow("beyond the bounds: its own pixels")
            << qint64(200) << qint64(200) << 1.5 << qint64(99) << false << qint64(200)
            << qint64(200);
}

void TestDeviceSpans::line()
{
    QFETCH(qint64, from);
    QFETCH(qint64, to);
    QFETCH(qreal, scale);
    QFETCH(qint64, boundsLast);
    QFETCH(bool, fromEnd);
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    const DeviceSpans::Span span =
            DeviceSpans::acrossLine({from, to}, scale, {0, boundsLast}, fromEnd);
    QCOMPARE(span.first, first);
    QCOMPARE(span.last, last);
}

void TestDeviceSpans::fill_data()
{
    QTest::addColumn<qint64>("from");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<qreal>("shift");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last"); // first - 1: no device pixel

    QTest::newRow("unscaled") << qint64(3) << qint64(4) << 1.0 << 0.0 << qint64(3) << qint64(6);
    // neighbouring one-pixel columns at 150 % tile the device: two pixels, then one
    QTest::newRow("1.5, column 0")
            << qint64(0) << qint64(1) << 1.5 << 0.0 << qint64(0) << qint64(1);
    QTest::newRow("1.5, column 1")
            << qint64(1) << qint64(1) << 1.5 << 0.0 << qint64(2) << qint64(2);
    QTest::newRow("1.25, halves round up")
            << qint64(2) << qint64(3) << 1.25 << 0.0 << qint64(3) << qint64(5);
    QTest::newRow("scale 2, shifted")
            << qint64(3) << qint64(2) << 2.0 << 1.0 << qint64(7) << qint64(10);
    QTest::newRow("1.5 below 0, halves up")
            << qint64(-1) << qint64(1) << 1.5 << 0.0 << qint64(-1) << qint64(-1);
    QTest::newRow("0.5, no pixel")
            << qint64(1) << qint64(1) << 0.5 << 0.0 << qint64(1) << qint64(0);
}

void TestDeviceSpans::fill()
{
    QFETCH(qint64, from);
    QFETCH(qint64, length);
    QFETCH(qreal, scale);
    QFETCH(qreal, shift);
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    const DeviceSpans::Span span = DeviceSpans::fill(from, length, scale, shift);
    QCOMPARE(span.first, first);
    QCOMPARE(span.last, last);
}

QTEST_APPLESS_MAIN(TestDeviceSpans)
#include "tst_devicespans.moc"
