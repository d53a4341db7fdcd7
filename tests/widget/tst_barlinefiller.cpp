#include "barlinefiller.h"

#include <QtGui>
#include <QtTest>

#include <functional>

namespace {

using Setup = std::function<void(QPainter &)>;

// Fills a few lines, opaque and translucent, partly outside the image, through `fill`.
template<typename Fill> void fillLines(QImage &image, const Setup &setup, Fill fill)
{
    QPainter painter(&image);
    setup(painter);
    const QColor colors[] = {QColor(255, 0, 0), QColor::fromHsvF(0.3, 0.7, 0.9),
                             QColor(0, 0, 255, 128), QColor(10, 200, 30)};
    for (int x = -2; x < 40; ++x)
        fill(painter, QRect(x, -3, 1, 30), colors[(x + 2) % 4]);
    for (int y = 0; y < 10; ++y)
        fill(painter, QRect(0, y, 35, 1), colors[y % 4]);
}

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(QImage::Format)

class tst_BarLineFiller : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void samePixelsAsFillRect_data();
    void samePixelsAsFillRect();
};

void tst_BarLineFiller::samePixelsAsFillRect_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<bool>("direct");

    const Setup plain = [](QPainter &) {};
    QTest::newRow("premultiplied") << QImage::Format_ARGB32_Premultiplied << plain << true;
    QTest::newRow("rgb32") << QImage::Format_RGB32 << plain << true;
    QTest::newRow("argb32") << QImage::Format_ARGB32 << plain << true;
    QTest::newRow("translated") << QImage::Format_ARGB32_Premultiplied
                                << Setup([](QPainter &p) { p.translate(7, -4); }) << true;
    QTest::newRow("window and viewport") << QImage::Format_RGB32 << Setup([](QPainter &p) {
        p.setViewport(3, 5, 40, 30);
        p.setWindow(0, 0, 40, 30);
    }) << true;
    QTest::newRow("rgb16") << QImage::Format_RGB16 << plain << false;
    QTest::newRow("rgb888") << QImage::Format_RGB888 << plain << false;
    QTest::newRow("half-pixel translation")
            << QImage::Format_RGB32 << Setup([](QPainter &p) { p.translate(0.5, 0); }) << false;
    QTest::newRow("scaled") << QImage::Format_RGB32 << Setup([](QPainter &p) { p.scale(2, 2); })
                            << false;
    QTest::newRow("rotated") << QImage::Format_RGB32 << Setup([](QPainter &p) { p.rotate(90); })
                             << false;
    QTest::newRow("clipped") << QImage::Format_RGB32
                             << Setup([](QPainter &p) { p.setClipRect(5, 5, 10, 10); }) << false;
    QTest::newRow("translucent painter")
            << QImage::Format_RGB32 << Setup([](QPainter &p) { p.setOpacity(0.5); }) << false;
    QTest::newRow("other composition")
            << QImage::Format_ARGB32_Premultiplied
            << Setup([](QPainter &p) { p.setCompositionMode(QPainter::CompositionMode_Xor); })
            << false;
}

// Whichever way a line is written, the pixels must be exactly those of QPainter::fillRect.
void tst_BarLineFiller::samePixelsAsFillRect()
{
    QFETCH(QImage::Format, format);
    QFETCH(Setup, setup);
    QFETCH(bool, direct);

    QImage expected(33, 21, format);
    expected.fill(QColor(90, 80, 70));
    QImage actual = expected.copy();

    fillLines(expected, setup,
              [](QPainter &p, const QRect &r, const QColor &c) { p.fillRect(r, c); });
    bool wroteDirectly = false;
    {
        QPainter painter(&actual);
        setup(painter);
        BarLineFiller filler(painter);
        wroteDirectly = filler.writesDirectly();
    }
    fillLines(actual, setup,
              [](QPainter &p, const QRect &r, const QColor &c) { BarLineFiller(p).fill(r, c); });
    QCOMPARE(wroteDirectly, direct);
    QCOMPARE(actual, expected);
}

QTEST_MAIN(tst_BarLineFiller)
#include "tst_barlinefiller.moc"
