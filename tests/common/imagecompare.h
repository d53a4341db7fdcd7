#ifndef IMAGECOMPARE_H
#define IMAGECOMPARE_H

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

#include <functional>

// Pixel comparisons that name the first pixel at fault, for QVERIFY2 messages; an empty text
// means that every compared pixel matched.

QString pixelText(const QPoint &at);

// The first pixel of `area` whose image pixel, at `shift` from it, is not expected(x, y);
// pixels shifted off the image are not compared.
QString firstMismatch(const QImage &image, const QRect &area,
                      const std::function<QRgb(int, int)> &expected, const QPoint &shift = {});

// The first pixel of `area` in which `actual` and `expected` differ by more than `tolerance`
// in some channel.
QString firstDifference(const QImage &actual, const QImage &expected, const QRect &area,
                        int tolerance = 0);

// How many pixels of two images of one size differ by more than `tolerance` in some channel
// from every pixel within `reach` of the same place in the other, and the largest such
// difference. A reach of 1 forgives what stands one pixel elsewhere (a glyph, a band edge).
struct ImageDifference
{
    int pixels = 0;
    int largest = 0;
};
ImageDifference imageDifference(const QImage &actual, const QImage &expected, int tolerance,
                                int reach = 0);

// The lengths of the runs of `colour` along every row (or every column, when `alongRows` is
// false), but for runs that touch the image's edge: how wide ticks and lines are drawn.
QVector<int> runWidths(const QImage &image, QRgb colour, bool alongRows);

#endif // IMAGECOMPARE_H
