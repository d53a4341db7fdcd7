#include "imagecompare.h"

#include <algorithm>
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

QString firstDifference(const QImage &actual, const QImage &expected, const QRect &area,
                        int tolerance)
{
    const auto close = [tolerance](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= tolerance &&
                std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
                std::abs(qBlue(a) - qBlue(b)) <= tolerance &&
                std::abs(qAlpha(a) - qAlpha(b)) <= tolerance;
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
