#include "labelchoice.h"

#include <QtTest>

// The thinning of a logarithmic scale's decade labels, on the labels' extents along the axis
// alone. A row lists the extents of the decades in order.

namespace {

QVector<int> numbersIn(const QString &text)
{
    QVector<int> numbers;
    for (const QString &n : text.split(QLatin1Char(' ')))
        if (!n.isEmpty())
            numbers.append(n.toInt());
    return numbers;
}

} // namespace

class TestDecadeThinning : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void thinning_data();
    void thinning();
};

void TestDecadeThinning::thinning_data()
{
    QTest::addColumn<QString>("extents");
    QTest::addColumn<int>("avail");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("interval"); // stored as one more than the interval that fits
    QTest::addColumn<QString>("measured"); // the decades of the fitting pass

    QTest::newRow("all fit") << "10 10 10 10" << 100 << true << 2 << "0 1 2 3";
    // every second decade, counted so that the second is the first kept: only two are left,
    // so the first drawn decade alone is labelled (the interval spans all four)
    QTest::newRow("two left of four") << "10 10 10 10" << 35 << true << 4 << "1 3";
    QTest::newRow("two decades both labelled") << "10 10" << 25 << true << 1 << "0 1";
    QTest::newRow("every third of six") << "10 10 10 10 10 10" << 25 << true << 6 << "2 5";
    QTest::newRow("every second of seven") << "10 12 10 12 10 12 10" << 40 << true << 3 << "1 3 5";
    QTest::newRow("a sum equal to the room does not fit") << "10 10 10" << 30 << false << 1 << "";
    QTest::newRow("one decade") << "10" << 100 << false << 1 << "";
    QTest::newRow("no decade") << "" << 100 << false << 1 << "";
    QTest::newRow("no room") << "10 10 10" << 5 << false << 1 << "";
}

void TestDecadeThinning::thinning()
{
    QFETCH(QString, extents);
    QFETCH(int, avail);
    QFETCH(bool, fits);
    QFETCH(int, interval);
    QFETCH(QString, measured);
    const LabelChoice::Thinning thinning = LabelChoice::thinDecades(numbersIn(extents), avail);
    QCOMPARE(thinning.fits, fits);
    QCOMPARE(thinning.interval, interval);
    QCOMPARE(thinning.measured, numbersIn(measured));
}

QTEST_APPLESS_MAIN(TestDecadeThinning)
#include "tst_decadethinning.moc"
