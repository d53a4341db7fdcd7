// Renders a built plug-in over a fixed grid of cases and writes one line per case: its name
// and a digest of its pixels. The plug-in is driven only as the host drives it (the entry
// point, properties by name, script methods), so that the same grid renders any commit.
//   pixelgrid-render PLUGIN.ewo OUTPUT.txt [PNG_DIR [NAME_PART]]
// With PNG_DIR, the cases whose name holds NAME_PART are also written there as PNG files.

#include <BaseExternWidget.hxx>

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLibrary>
#include <QPainter>
#include <QTextStream>
#include <QWidget>

#include <cstdio>

namespace {

struct Range
{
    double min;
    double max;
};

// Scales of every kind: through 0 and off it, small and large magnitudes (scaled labels),
// single rules, negative and non-positive limits for the logarithmic mode.
const Range ranges[] = {{0, 100},   {-20, 120},    {-5, 5},        {0, 1},
                        {0.5, 0.7}, {-0.3, 0.3},   {0, 1e6},       {1e-6, 1e-3},
                        {1, 1e6},   {0.001, 1000}, {1000, 1500},   {-1e9, 1e9},
                        {5, 9},     {0.1, 0.2},    {1e-10, 1e10},  {2, 8},
                        {3, 3},     {100, 100},    {12345, 67890}, {-100, -1},
                        {0, 0.05},  {1, 10},       {20, 30000},    {1e15, 1e15 + 0.125}};
const int lengths[] = {40, 55, 80, 120, 200, 300, 500, 1000};
const int acrossSizes[] = {24, 60};
const qreal ratios[] = {1, 1.25, 1.5, 2};

using CreateFunction = BaseExternWidget *(*)(QWidget *);

void call(BaseExternWidget &adapter, const char *name, QList<QVariant> values)
{
    QString error;
    adapter.invokeMethod(QString::fromLatin1(name), values, error);
}

// Through the widget's own painting into an image, directly or through a painter with a
// clip of its own (which keeps every drawing on the painter's path).
QImage render(QWidget &widget, qreal ratio, bool clipped)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(qRgb(1, 2, 3));
    if (!clipped) {
        widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }
    QPainter painter(&image);
    painter.setClipRect(widget.rect());
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QByteArray digest(const QImage &image)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArray::fromRawData(reinterpret_cast<const char *>(image.constScanLine(y)),
                                             image.width() * 4));
    return hash.result().toHex();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: pixelgrid-render PLUGIN.ewo OUTPUT.txt [PNG_DIR [NAME_PART]]\n");
        return 2;
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    QApplication::setFont(font);
    QLibrary library(QString::fromLocal8Bit(argv[1]));
    const auto create = reinterpret_cast<CreateFunction>(library.resolve("createExternWidget"));
    if (!create) {
        std::fprintf(stderr, "%s\n", qPrintable(library.errorString()));
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    QTextStream lines(&out);
    const QString pngDir = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    const QString part = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();
    QWidget parent;
    BaseExternWidget *adapter = create(&parent);
    QWidget *widget = adapter->widget();
    int cases = 0;
    for (const bool vertical : {false, true})
        for (const bool logarithmic : {false, true})
            for (const bool labels : {false, true})
                for (const Range &range : ranges) {
                    call(*adapter, "clearRules", {});
                    call(*adapter, "addRule", {range.min, QColor(0, 128, 255)});
                    call(*adapter, "addRule", {range.max, QColor(255, 64, 0)});
                    widget->setProperty("orientation", vertical ? 1 : 0);
                    widget->setProperty("logarithmic", logarithmic);
                    widget->setProperty("axisShowLabels", labels);
                    for (const int across : acrossSizes)
                        for (const int length : lengths) {
                            widget->resize(vertical ? QSize(across, length)
                                                    : QSize(length, across));
                            for (const qreal ratio : ratios)
                                for (const bool clipped : {false, true}) {
                                    const QString name =
                                            QStringLiteral("%1-%2-%3-%4..%5-%6x%7-r%8-%9")
                                                    .arg(vertical ? "vert" : "horz",
                                                         logarithmic ? "log" : "lin",
                                                         labels ? "labels" : "bare")
                                                    .arg(range.min, 0, 'g', 17)
                                                    .arg(range.max, 0, 'g', 17)
                                                    .arg(widget->width())
                                                    .arg(widget->height())
                                                    .arg(ratio)
                                                    .arg(clipped ? "painter" : "direct");
                                    const QImage image = render(*widget, ratio, clipped);
                                    lines << name << ' ' << digest(image) << '\n';
                                    if (!pngDir.isEmpty() && name.contains(part))
                                        image.save(QDir(pngDir).filePath(name + ".png"));
                                    ++cases;
                                }
                        }
                    // back to a state every range starts from
                    widget->setProperty("logarithmic", false);
                }
    std::fprintf(stderr, "%d cases\n", cases);
    return 0;
}
