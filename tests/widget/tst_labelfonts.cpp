#include "valuecolorconverterwidget.h"

#include "imagecompare.h"
#include "labelgrid.h"
#include "testfont.h"

#include <QtTest>
#include <QtWidgets>

// The axis labels in the fonts a panel engineer sets through the widget's font: the faces of
// fonts-dejavu-core from 8 to 24 pt, bold and oblique among them.

namespace {

QImage renderedAt(ValueColorConverterWidget &widget, qreal ratio)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    widget.render(&image);
    return image;
}

} // namespace

class tst_LabelFonts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readableInEveryFont_data();
    void readableInEveryFont();
    void fontTooLarge_data();
    void fontTooLarge();
    void fontChangeAtRatio_data();
    void fontChangeAtRatio();
};

void tst_LabelFonts::readableInEveryFont_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<double>("lo"); // the first and last rule
    QTest::addColumn<double>("hi");
    QTest::addColumn<bool>("logarithmic");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("length"); // of the bar; across it 70 pixels (vertical) or 60

    const QVector<QPair<const char *, QFont>> fonts{
            {"Sans 8 pt", testPointFont("DejaVu Sans", 8)},
            {"Sans 10 pt", testPointFont("DejaVu Sans", 10)},
            {"Sans 14 pt", testPointFont("DejaVu Sans", 14)},
            {"Sans 16 pt", testPointFont("DejaVu Sans", 16)},
            {"Serif 12 pt", testPointFont("DejaVu Serif", 12)},
            {"Sans Mono 12 pt", testPointFont("DejaVu Sans Mono", 12)},
            {"Sans Bold 12 pt", testPointFont("DejaVu Sans", 12, true)},
            {"Sans Oblique 12 pt", testPointFont("DejaVu Sans", 12, false, true)}};
    const QVector<QPair<double, double>> linear{{0, 100}, {-20, 120}, {0, 5000}};
    const QVector<QPair<double, double>> logarithmic{{1e-3, 1e3}, {1e-4, 1e6}};
    for (const auto &font : fonts)
        for (const bool log : {false, true})
            for (const auto &range : log ? logarithmic : linear)
                for (const bool vertical : {false, true})
                    for (const int length : {80, 200, 400})
                        QTest::addRow("%s: %g..%g %s %s at %d px", font.first, range.first,
                                      range.second, log ? "log" : "lin",
                                      vertical ? "vertical" : "horizontal", length)
                                << font.second << range.first << range.second << log << vertical
                                << length;
}

// Whole, apart, on one step and none left out that fits, in every font of the table.
void tst_LabelFonts::readableInEveryFont()
{
    QFETCH(QFont, font);
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(bool, logarithmic);
    QFETCH(bool, vertical);
    QFETCH(int, length);

    ValueColorConverterWidget w;
    setUpScale(w, font, vertical ? QSize(70, length) : QSize(length, 60), vertical, lo, hi,
               logarithmic);
    const LabelReading reading = readLabels(w);
    QVERIFY2(reading.fault.isEmpty(), qPrintable(reading.fault));
}

void tst_LabelFonts::fontTooLarge_data()
{
    QTest::addColumn<int>("points"); // DejaVu Sans
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("labels"); // drawn, whole and apart; else none and the whole bar

    // a logarithmic scale 1E-3..1E3
    QTest::newRow("24 pt below a 40-pixel-high bar: no labels, the whole bar")
            << 24 << QSize(300, 40) << false << false;
    QTest::newRow("24 pt beside a 50-pixel-wide bar: no labels, the whole bar")
            << 24 << QSize(50, 300) << true << false;
    QTest::newRow("16 pt beside a 60-pixel-wide bar: the bar narrowed, labels whole")
            << 16 << QSize(60, 300) << true << true;
    QTest::newRow("16 pt below a 40-pixel-high bar: the bar narrowed, labels whole")
            << 16 << QSize(300, 40) << false << true;
}

// A font too large for the widget: the bar gives way to the labels down to a few pixel lines;
// below that no label is drawn, never a cut one, and the bar takes the whole widget.
void tst_LabelFonts::fontTooLarge()
{
    QFETCH(int, points);
    QFETCH(QSize, size);
    QFETCH(bool, vertical);
    QFETCH(bool, labels);

    ValueColorConverterWidget w;
    setUpScale(w, testPointFont("DejaVu Sans", points), size, vertical, 1e-3, 1e3, true);
    const QRgb frame = qRgb(255, 0, 255);
    w.setImageBorderColor(frame);
    const LabelReading reading = readLabels(w);
    if (labels)
        QVERIFY2(reading.fault.isEmpty() && reading.numbers > 0, qPrintable(reading.fault));
    else
        QCOMPARE(reading.seen, QString());
    // the frame on the bar's last line across: the widget's far edge when the bar is whole
    const QImage image = renderedAt(w, 1);
    const QPoint farEdge = vertical ? QPoint(size.width() - 1, size.height() / 2)
                                    : QPoint(size.width() / 2, size.height() - 1);
    QCOMPARE(image.pixel(farEdge) == frame, !labels);
}

void tst_LabelFonts::fontChangeAtRatio_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("vertical");

    for (const bool vertical : {false, true})
        for (const qreal ratio : {1.0, 1.25, 1.5, 2.0})
            QTest::addRow("%s at %g", vertical ? "vertical" : "horizontal", ratio)
                    << ratio << vertical;
}

// A widget whose font changes to DejaVu Sans 14 pt shows at once, at every device pixel ratio,
// what one set up in that font shows, with crisp ticks; on a scaled linear axis, whose ticks
// stand apart and whose multiplier stands beyond them too.
void tst_LabelFonts::fontChangeAtRatio()
{
    QFETCH(qreal, ratio);
    QFETCH(bool, vertical);

    const QFont font = testPointFont("DejaVu Sans", 14);
    const QSize size = vertical ? QSize(70, 200) : QSize(300, 60);
    const QRgb tick = qRgb(255, 0, 255);
    ValueColorConverterWidget fresh;
    setUpScale(fresh, font, size, vertical, 0, 5000, false);
    fresh.setAxisColor(tick);
    ValueColorConverterWidget changed;
    setUpScale(changed, testFont("DejaVu Sans", 17), size, vertical, 0, 5000, false);
    changed.setAxisColor(tick);
    const QImage before = renderedAt(changed, ratio);
    changed.setFont(font);

    const QImage image = renderedAt(changed, ratio);
    QVERIFY(image != before);
    const QString difference = firstDifference(image, renderedAt(fresh, ratio), image.rect());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    // round(ratio) device pixels wide: 1 at 125 %, 2 at 150 %; counted without the labels,
    // whose antialiased edge may cover a tick's end in one of its device rows
    changed.setAxisLabelColor(Qt::transparent);
    const QVector<int> tickWidths = runWidths(renderedAt(changed, ratio), tick, !vertical);
    QVERIFY2(tickWidths.size() >= 20, qPrintable(QString::number(tickWidths.size())));
    for (const int found : tickWidths)
        QCOMPARE(found, qRound(ratio));
}

QTEST_MAIN(tst_LabelFonts)
#include "tst_labelfonts.moc"
