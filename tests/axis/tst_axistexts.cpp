#include "axistexts.h"

#include <QtTest>

// The texts of an axis, formatted without a font.

class TestAxisTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void labels_data();
    void labels();
    void multiplier_data();
    void multiplier();
};

void TestAxisTexts::labels_data()
{
    QTest::addColumn<bool>("decade"); // the decade of the value rather than the value
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("fraction") << false << 0.2 << "0.2";
    QTest::newRow("thousand") << false << 1000.0 << "1000";
    QTest::newRow("small is scientific") << false << 0.00001 << "1e-05";
    QTest::newRow("million is scientific") << false << 1e6 << "1e+06";
    QTest::newRow("rounding noise dropped") << false << 0.1 + 0.2 << "0.3";
    QTest::newRow("six digits, no grouping") << false << 1234567.0 << "1.23457e+06";
    QTest::newRow("decade 0") << true << 0.0 << "1";
    QTest::newRow("decade 2") << true << 2.0 << "100";
    QTest::newRow("decade 3") << true << 3.0 << "1E3";
    QTest::newRow("decade -1") << true << -1.0 << "1E-1";
    QTest::newRow("decade -10") << true << -10.0 << "1E-10";
}

void TestAxisTexts::labels()
{
    QFETCH(bool, decade);
    QFETCH(double, value);
    QFETCH(QString, text);
    AxisTexts texts;
    for (int i = 0; i < 2; ++i) // the one stream is reused without carrying anything over
        QCOMPARE(decade ? AxisTexts::decade(static_cast<int>(value)) : texts.value(value), text);
}

void TestAxisTexts::multiplier_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<QString>("text");

    QTest::newRow("unscaled") << 0.0 << 100.0 << "";
    QTest::newRow("thousands") << 0.0 << 5000.0 << "E+3";
    QTest::newRow("millionths") << 0.0 << 2e-6 << "E-6";
    QTest::newRow("not finite") << 0.0 << qInf() << "";
}

void TestAxisTexts::multiplier()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(QString, text);
    QCOMPARE(AxisTexts::multiplier(ScaleDivision::linear(lo, hi)), text);
}

QTEST_APPLESS_MAIN(TestAxisTexts)
#include "tst_axistexts.moc"
