#include "imagecompare.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

QString pixelText(const QPoint &at)
{
    return QStringLiteral("pixel %1,%2").arg(at.x()).arg(at.y());
}

QString firstMismatch(const QImage &image, const QRect &area,
                      const std::function<QRgb(int, int)> &expected, const QPoint &shift)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QPoint at = QPoint(x, y) + shift;
            if (image.rect().contains(at) && image.pixel(at) != expected(x, y))
                return pixelText(QPoint(x, y));
        }
    }
    return QString();
}

namespace {

int channelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

// The smallest channel difference of `colour` from the pixels within `reach` of `at`.
int nearestDifference(QRgb colour, const QImage &image, const QPoint &at, int reach)
{
    int nearest = INT_MAX;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint other = at + QPoint(dx, dy);
            if (image.rect().contains(other))
                nearest = std::min(nearest, channelDifference(colour, image.pixel(other)));
        }
    }
    return nearest;
}

} // namespace

ImageDifference imageDifference(const QImage &actual, const QImage &expected, int tolerance,
                                int reach)
{
    ImageDifference difference;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QPoint at(x, y);
            const int channel = std::max(nearestDifference(actual.pixel(at), expected, at, reach),
                                         nearestDifference(expected.pixel(at), actual, at, reach));
            difference.largest = std::max(difference.largest, channel);
            if (channel > tolerance)
                ++difference.pixels;
        }
    }
    return difference;
}

QString firstDifference(const QImage &actual, const QImage &expected, const QRect &area,
                        int tolerance)
{
    const auto close = [tolerance](QRgb a, QRgb b) {
        return channelDifference(a, b) <= tolerance;
    };
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb got = actual.pixel(x, y);
            const QRgb want = expected.pixel(x, y);
            if (!close(got, want))
                return pixelText(QPoint(x, y)) +
                        QStringLiteral(" is #%1, expected #%2")
                                .arg(got, 8, 16, QLatin1Char('0'))
                                .arg(want, 8, 16, QLatin1Char('0'));
        }
    }
    return QString();
}

// The lengths of the runs of `colour` along every row (or every column, when `alongRows` is
// false), but for runs that touch the image's edge.
QVector<int> runWidths(const QImage &image, QRgb colour, bool alongRows)
{
    const int lines = alongRows ? image.height() : image.width();
    const int length = alongRows ? image.width() : image.height();
    QVector<int> widths;
    for (int line = 0; line < lines; ++line) {
        int run = 0;
        for (int i = 0; i <= length; ++i) {
            const bool inRun = i < length &&
                    image.pixel(alongRows ? QPoint(i, line) : QPoint(line, i)) == colour;
            if (inRun) {
                ++run;
                continue;
            }
            if (run > 0 && i - run > 0 && i < length)
                widths.append(run);
            run = 0;
        }
    }
    return widths;
}
