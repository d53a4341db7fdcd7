#include "hsvrgba.h"
#include "ruleset.h"

#include <QtTest>

#include <climits>
#include <cmath>
#include <limits>

namespace {

using Rules = QVector<QPair<double, QColor>>;

const double notANumber = std::numeric_limits<double>::quiet_NaN();

Rules contents(const RuleSet &set)
{
    Rules out;
    for (const ValueColorRule &rule : set.ruleList())
        out.append({rule.getValue(), rule.getColor()});
    return out;
}

// Replaces the default rules of `set` with `rules`, then switches the mode.
void fill(RuleSet &set, const Rules &rules, bool logarithmic)
{
    set.clear();
    for (const auto &rule : rules)
        set.addRule(rule.first, rule.second);
    set.setLogarithmic(logarithmic);
}

QColor hsv(double h, double s, double v, double a = 1.0)
{
    QColor c;
    c.setHsvF(h, s, v, a);
    return c;
}

const QColor green = Qt::green;
const QColor red = Qt::red;
const QColor blue = Qt::blue;
const QColor white = Qt::white;
const QColor black = Qt::black;

// HSV colours on a grid of QColor's stored components: hue in hundredths of a degree,
// saturation, value and alpha in 16 bits, each from 0 to its end in the given steps.
struct HsvGrid
{
    int hueStep = 1;
    int step = USHRT_MAX; // of saturation and value
    int alphaStep = USHRT_MAX;
};

} // namespace

Q_DECLARE_METATYPE(Rules)
Q_DECLARE_METATYPE(HsvGrid)

class tst_RuleSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newSet();
    void addRule_data();
    void addRule();
    void removeRule_data();
    void removeRule();
    void setLogarithmic_data();
    void setLogarithmic();
    void clearKeepsMode();
    void convert_data();
    void convert();
    void convertKeepsColorSpec();
    void convertGivesRgba64_data();
    void convertGivesRgba64();
    void hsvToRgba64AsQColor_data();
    void hsvToRgba64AsQColor();
    void ruleLogValue_data();
    void ruleLogValue();
};

void tst_RuleSet::newSet()
{
    RuleSet set;
    QCOMPARE(contents(set), (Rules{{0.0, green}, {100.0, red}}));
    QCOMPARE(set.getMin(), 0.0);
    QCOMPARE(set.getMax(), 100.0);
    QVERIFY(!set.isLogarithmic());

    set.clear();
    QVERIFY(set.ruleList().isEmpty());
    QCOMPARE(set.getMin(), 0.0);
    QCOMPARE(set.getMax(), 0.0);
}

void tst_RuleSet::addRule_data()
{
    QTest::addColumn<bool>("logarithmic");
    QTest::addColumn<double>("value");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<bool>("result");
    QTest::addColumn<Rules>("expected");

    // Each row adds one rule to a new set (0 green, 100 red), switched to the mode first.
    QTest::newRow("between") << false << 50.0 << blue << true
                             << Rules{{0, green}, {50, blue}, {100, red}};
    QTest::newRow("replaces colour")
            << false << 100.0 << blue << false << Rules{{0, green}, {100, blue}};
    QTest::newRow("first") << false << -20.0 << black << true
                           << Rules{{-20, black}, {0, green}, {100, red}};
    QTest::newRow("last") << false << 500.0 << white << true
                          << Rules{{0, green}, {100, red}, {500, white}};
    QTest::newRow("negative zero equals zero")
            << false << -0.0 << blue << false << Rules{{0, blue}, {100, red}};
    QTest::newRow("log refuses 0") << true << 0.0 << blue << false << Rules{{100, red}};
    QTest::newRow("log refuses negative") << true << -5.0 << blue << false << Rules{{100, red}};
    QTest::newRow("log accepts small")
            << true << 0.001 << blue << true << Rules{{0.001, blue}, {100, red}};
}

void tst_RuleSet::addRule()
{
    QFETCH(bool, logarithmic);
    QFETCH(double, value);
    QFETCH(QColor, color);
    QFETCH(bool, result);
    QFETCH(Rules, expected);

    RuleSet set;
    set.setLogarithmic(logarithmic);
    QCOMPARE(set.addRule(value, color), result);
    QCOMPARE(contents(set), expected);
}

void tst_RuleSet::removeRule_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("result");
    QTest::addColumn<Rules>("expected");

    QTest::newRow("last rule") << 100.0 << true << Rules{{0, green}};
    QTest::newRow("first rule") << 0.0 << true << Rules{{100, red}};
    QTest::newRow("no such rule") << 7.0 << false << Rules{{0, green}, {100, red}};
    QTest::newRow("last bits differ")
            << std::nextafter(100.0, 200.0) << false << Rules{{0, green}, {100, red}};
    QTest::newRow("nan") << notANumber << false << Rules{{0, green}, {100, red}};
}

void tst_RuleSet::removeRule()
{
    QFETCH(double, value);
    QFETCH(bool, result);
    QFETCH(Rules, expected);

    RuleSet set;
    QCOMPARE(set.removeRule(value), result);
    QCOMPARE(contents(set), expected);
}

void tst_RuleSet::setLogarithmic_data()
{
    QTest::addColumn<Rules>("rules");
    QTest::addColumn<Rules>("expected");

    QTest::newRow("purges zero") << Rules{{0, green}, {100, red}} << Rules{{100, red}};
    QTest::newRow("purged empty gets defaults")
            << Rules{{-10, blue}, {0, black}} << Rules{{1, green}, {100, red}};
    QTest::newRow("empty stays empty") << Rules{} << Rules{};
    QTest::newRow("positive kept")
            << Rules{{0.5, blue}, {2, black}} << Rules{{0.5, blue}, {2, black}};
}

void tst_RuleSet::setLogarithmic()
{
    QFETCH(Rules, rules);
    QFETCH(Rules, expected);

    RuleSet set;
    fill(set, rules, true);
    QVERIFY(set.isLogarithmic());
    QCOMPARE(contents(set), expected);

    // Switching back changes nothing but the flag; purged rules do not come back.
    set.setLogarithmic(false);
    QVERIFY(!set.isLogarithmic());
    QCOMPARE(contents(set), expected);
}

void tst_RuleSet::clearKeepsMode()
{
    RuleSet set;
    set.setLogarithmic(true);
    set.clear();
    QVERIFY(set.isLogarithmic());
    QVERIFY(set.ruleList().isEmpty());
    QCOMPARE(set.convert(5), white);
}

void tst_RuleSet::convert_data()
{
    QTest::addColumn<Rules>("rules");
    QTest::addColumn<bool>("logarithmic");
    QTest::addColumn<double>("value");
    QTest::addColumn<QColor>("expected");

    const Rules defaults{{0, green}, {100, red}};
    QTest::newRow("below first") << defaults << false << -10.0 << green;
    QTest::newRow("on first") << defaults << false << 0.0 << green;
    QTest::newRow("on last") << defaults << false << 100.0 << red;
    QTest::newRow("above last") << defaults << false << 1000.0 << red;
    QTest::newRow("halfway is yellow") << defaults << false << 50.0 << hsv(1.0 / 6, 1, 1);
    QTest::newRow("nan gives last") << defaults << false << notANumber << red;
    QTest::newRow("infinity gives last")
            << defaults << false << std::numeric_limits<double>::infinity() << red;
    QTest::newRow("empty gives white") << Rules{} << false << 42.0 << white;
    QTest::newRow("one rule") << Rules{{5, blue}} << false << 1e9 << blue;
    QTest::newRow("one rule below") << Rules{{5, blue}} << false << -1e9 << blue;
    QTest::newRow("inner rule hit")
            << Rules{{0, green}, {10, blue}, {20, red}} << false << 10.0 << blue;
    QTest::newRow("second pair") << Rules{{0, green}, {10, blue}, {20, red}} << false << 15.0
                                 << hsv((2.0 / 3 + 0.0) / 2, 1, 1);

    const Rules logRules{{1, green}, {100, red}};
    QTest::newRow("log halfway") << logRules << true << 10.0 << hsv(1.0 / 6, 1, 1);
    QTest::newRow("log zero") << logRules << true << 0.0 << green;
    QTest::newRow("log negative") << logRules << true << -3.0 << green;
    QTest::newRow("log on rule") << logRules << true << 1.0 << green;

    QTest::newRow("alpha blends") << Rules{{0, QColor(255, 0, 0, 255)}, {1, QColor(255, 0, 0, 0)}}
                                  << false << 0.5 << hsv(0, 1, 1, 0.5);
    // White reports hue -1: the blend stays at hue 0 until t passes 0.75.
    QTest::newRow("white to green")
            << Rules{{0, white}, {1, green}} << false << 0.5 << hsv(0, 0.5, 1);
    QTest::newRow("white to green late") << Rules{{0, white}, {1, green}} << false << 0.875
                                         << hsv((-1 + (1.0 / 3 + 1) * 0.875), 0.875, 1);
    QTest::newRow("white to red") << Rules{{0, white}, {1, red}} << false << 0.3 << hsv(0, 0.3, 1);
    QTest::newRow("hue does not wrap")
            << Rules{{0, hsv(0.9, 1, 1)}, {1, hsv(0.1, 1, 1)}} << false << 0.5 << hsv(0.5, 1, 1);
    QTest::newRow("achromatic ends")
            << Rules{{0, black}, {1, white}} << false << 0.25 << hsv(0, 0, 0.25);
    const QColor from = hsv(0.3, 0.2, 1);
    const QColor to = hsv(0.3, 1, 0.5);
    QTest::newRow("same hue kept")
            << Rules{{0, from}, {1, to}} << false << 0.5
            << hsv(from.hsvHueF(), (from.hsvSaturationF() + to.hsvSaturationF()) / 2,
                   (from.valueF() + to.valueF()) / 2);
}

void tst_RuleSet::convert()
{
    QFETCH(Rules, rules);
    QFETCH(bool, logarithmic);
    QFETCH(double, value);
    QFETCH(QColor, expected);

    RuleSet set;
    fill(set, rules, logarithmic);
    const QColor result = set.convert(value);
    QCOMPARE(result.rgba(), expected.rgba());
    if (expected.spec() == QColor::Hsv) {
        QCOMPARE(result.spec(), QColor::Hsv);
        QCOMPARE(result.hsvHue(), expected.hsvHue());
        QCOMPARE(result.hsvSaturation(), expected.hsvSaturation());
        QCOMPARE(result.value(), expected.value());
        QCOMPARE(result.alpha(), expected.alpha());
    }
}

// A rule's own colour comes back as stored; a blend that lands on the same colour is HSV.
void tst_RuleSet::convertKeepsColorSpec()
{
    RuleSet set;
    fill(set, {{0, QColor(255, 0, 0)}, {1, QColor(255, 0, 0)}}, false);
    QCOMPARE(set.convert(0).spec(), QColor::Rgb);
    QCOMPARE(set.convert(1).spec(), QColor::Rgb);
    const QColor &blend = set.convert(0.5);
    QCOMPARE(blend.spec(), QColor::Hsv);
    QCOMPARE(blend.rgba(), QColor(255, 0, 0).rgba());
}

void tst_RuleSet::convertGivesRgba64_data()
{
    QTest::addColumn<Rules>("rules");
    QTest::addColumn<bool>("logarithmic");
    QTest::addColumn<bool>("opaque");

    QTest::newRow("green to red") << Rules{{0, green}, {100, red}} << false << true;
    QTest::newRow("log") << Rules{{1, green}, {10, blue}, {1e4, red}} << true << true;
    QTest::newRow("hsv rules") << Rules{{-5, hsv(0.9, 0.3, 0.7)}, {5, hsv(0.1, 1, 0.2)}} << false
                               << true;
    QTest::newRow("translucent") << Rules{{0, QColor(255, 0, 0, 10)}, {1, QColor(0, 9, 255, 240)}}
                                 << false << false;
    QTest::newRow("one translucent")
            << Rules{{0, red}, {1, QColor(0, 9, 255, 254)}} << false << false;
    QTest::newRow("achromatic") << Rules{{0, white}, {1, green}, {2, black}} << false << true;
    QTest::newRow("one rule") << Rules{{5, blue}} << false << true;
    QTest::newRow("empty") << Rules{} << false << true;
}

// convertToRgba64 gives the rgba64() of the colour convert gives, for blends, rules and
// beyond them, and leaves convert's last colour as it was; an opaque set gives only opaque
// colours.
void tst_RuleSet::convertGivesRgba64()
{
    QFETCH(Rules, rules);
    QFETCH(bool, logarithmic);
    QFETCH(bool, opaque);
    RuleSet set;
    fill(set, rules, logarithmic);
    QVector<double> values{notANumber, -1e300, 1e300};
    for (const auto &rule : rules)
        values << rule.first;
    const double lo = rules.isEmpty() ? 0 : rules.first().first;
    const double hi = rules.isEmpty() ? 1 : rules.last().first;
    for (int i = -100; i <= 2100; ++i)
        values << (logarithmic ? lo * std::pow(hi / lo, i / 2000.0) : lo + (hi - lo) * i / 2000.0);
    QCOMPARE(set.isOpaque(), opaque);
    const QColor &last = set.convert(values.last());
    const QColor lastBefore = last;
    QVector<QRgba64> colours(values.size());
    set.convertToRgba64(values.constData(), colours.data(), values.size());
    QCOMPARE(last, lastBefore);
    for (int i = 0; i < values.size(); ++i) {
        const QColor expected = set.convert(values.at(i));
        QCOMPARE(quint64(colours.at(i)), quint64(expected.rgba64()));
        if (opaque)
            QVERIFY(colours.at(i).isOpaque());
    }
}

void tst_RuleSet::hsvToRgba64AsQColor_data()
{
    QTest::addColumn<HsvGrid>("grid");
    QTest::newRow("every hue") << HsvGrid{1, USHRT_MAX, USHRT_MAX};
    QTest::newRow("saturation and value") << HsvGrid{1499, 257, USHRT_MAX};
    QTest::newRow("odd steps") << HsvGrid{3331, 331, 4111};
    QTest::newRow("every alpha") << HsvGrid{12000, USHRT_MAX, 1};
}

// Every colour of the grid, and achromatic ones, as QColor::rgba64() gives them.
void tst_RuleSet::hsvToRgba64AsQColor()
{
    QFETCH(HsvGrid, grid);
    for (int s = 0; s <= USHRT_MAX; s += grid.step) {
        for (int v = 0; v <= USHRT_MAX; v += grid.step) {
            for (int a = 0; a <= USHRT_MAX; a += grid.alphaStep) {
                const QColor grey = hsv(-1, s / 65535.0, v / 65535.0, a / 65535.0);
                QCOMPARE(quint64(hsvToRgba64(USHRT_MAX, s, v, a)), quint64(grey.rgba64()));
                for (int h = 0; h <= 36000; h += grid.hueStep) {
                    const QColor c = hsv(h / 36000.0, s / 65535.0, v / 65535.0, a / 65535.0);
                    if (hsvToRgba64(h, s, v, a) != c.rgba64())
                        QFAIL(qPrintable(
                                QStringLiteral("h %1 s %2 v %3 a %4").arg(h).arg(s).arg(v).arg(a)));
                }
            }
        }
    }
}

void tst_RuleSet::ruleLogValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("logValue");
    QTest::addColumn<bool>("recalculated");

    QTest::newRow("positive") << 1000.0 << 3.0 << true;
    QTest::newRow("zero") << 0.0 << -100.0 << false;
    QTest::newRow("negative") << -10.0 << -100.0 << false;
}

void tst_RuleSet::ruleLogValue()
{
    QFETCH(double, value);
    QFETCH(double, logValue);
    QFETCH(bool, recalculated);

    ValueColorRule rule(value, blue);
    QCOMPARE(rule.getLogValue(), logValue);
    QCOMPARE(rule.calculateLogValue(), recalculated);
    QCOMPARE(rule.getLogValue(), logValue);

    const ValueColorRule defaults;
    QCOMPARE(defaults.getValue(), 1.0);
    QCOMPARE(defaults.getLogValue(), 0.0);
    QCOMPARE(defaults.getColor(), green);
}

QTEST_APPLESS_MAIN(tst_RuleSet)
#include "tst_ruleset.moc"
