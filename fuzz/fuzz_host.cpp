// Turns fuzzer input into a sequence of host operations on one plug-in instance: script
// method calls with arbitrary names and arguments, property writes by name, resizes,
// toggles of orientation, logarithmic mode and labels, and paints into an image. Any crash,
// hang, sanitizer report or leak is a fault of the plug-in.

#include <BaseExternWidget.hxx>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <limits>
#include <memory>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define FUZZ_HAVE_LSAN 1
#endif
#endif

extern "C" BaseExternWidget *createExternWidget(QWidget *parent);

namespace {

const char *const methodNames[] = {"clearRules", "addRule", "removeRule", "convert",
                                   "getRules",   "AddRule", "convert ",   ""};
const char *const propertyNames[] = {"orientation",       "logarithmic",      "axisShowLabels",
                                     "axisTickSize",      "axisColor",        "axisLabelColor",
                                     "absMinForLogScale", "imageBorderColor", "imageBorder",
                                     "objectName",        "noSuchProperty",   "enabled"};

double pickDouble(FuzzedDataProvider &in)
{
    static constexpr double specials[] = {std::numeric_limits<double>::quiet_NaN(),
                                          std::numeric_limits<double>::infinity(),
                                          -std::numeric_limits<double>::infinity(),
                                          std::numeric_limits<double>::denorm_min(),
                                          -std::numeric_limits<double>::denorm_min(),
                                          std::numeric_limits<double>::max(),
                                          std::numeric_limits<double>::lowest(),
                                          std::numeric_limits<double>::min(),
                                          std::numeric_limits<double>::epsilon(),
                                          0.0,
                                          -0.0,
                                          1e15,
                                          1e15 + 0.125,
                                          1e-300,
                                          1e300,
                                          100.0};
    if (in.ConsumeBool())
        return in.PickValueInArray(specials);
    return in.ConsumeFloatingPoint<double>();
}

QVariant pickValue(FuzzedDataProvider &in, int depth = 0)
{
    switch (in.ConsumeIntegralInRange(0, 9)) {
    case 0:
        return pickDouble(in);
    case 1:
        return in.ConsumeIntegral<int>();
    case 2:
        return QString::number(pickDouble(in), 'g', in.ConsumeIntegralInRange(1, 20));
    case 3:
        return QString::fromStdString(in.ConsumeRandomLengthString(32));
    case 4: {
        QColor color(in.ConsumeIntegral<quint8>(), in.ConsumeIntegral<quint8>(),
                     in.ConsumeIntegral<quint8>(), in.ConsumeIntegral<quint8>());
        return color;
    }
    case 5:
        return QColor();
    case 6: {
        QVariantList list;
        const int n = in.ConsumeIntegralInRange(0, 3);
        for (int i = 0; i < n && depth < 2; ++i)
            list.append(pickValue(in, depth + 1));
        return list;
    }
    case 7:
        return in.ConsumeBool();
    case 8:
        return QVariant::fromValue(in.ConsumeIntegral<qlonglong>());
    default:
        return QVariant();
    }
}

void invokeScriptMethod(FuzzedDataProvider &in, BaseExternWidget &adapter)
{
    const QString name = in.ConsumeBool()
            ? QString::fromLatin1(in.PickValueInArray(methodNames))
            : QString::fromStdString(in.ConsumeRandomLengthString(16));
    QList<QVariant> values;
    const int count = in.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count; ++i)
        values.append(pickValue(in));
    QString error;
    adapter.invokeMethod(name, values, error);
    // the host interface's QVariant::Type, deprecated in Qt 6
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QVariant::Type returnType = QVariant::Invalid;
    QList<QVariant::Type> argTypes;
    adapter.methodInterface(name, returnType, argTypes);
    QT_WARNING_POP
}

void writeProperty(FuzzedDataProvider &in, QWidget &widget)
{
    const char *name = in.PickValueInArray(propertyNames);
    widget.setProperty(name, pickValue(in));
}

void resize(FuzzedDataProvider &in, QWidget &widget)
{
    // Along the bar up to 20000 pixels; across it small enough to paint quickly.
    const int along = in.ConsumeIntegralInRange(0, 20000);
    const int across = in.ConsumeIntegralInRange(0, 256);
    if (widget.property("orientation").toInt() == 1)
        widget.resize(across, along);
    else
        widget.resize(along, across);
}

void toggle(FuzzedDataProvider &in, QWidget &widget)
{
    static const char *const flags[] = {"orientation", "logarithmic", "axisShowLabels"};
    const char *name = in.PickValueInArray(flags);
    const QVariant current = widget.property(name);
    widget.setProperty(
            name, name == flags[0] ? QVariant(1 - current.toInt()) : QVariant(!current.toBool()));
}

void paint(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image);
}

QApplication &application()
{
    static int argc = 1;
    static char name[] = "fuzz_host";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The application and its platform plug-in live as long as the process and keep some
        // allocations to the end; they are not the plug-in's, so the leak check leaves them out.
#ifdef FUZZ_HAVE_LSAN
    __lsan_disable();
#endif
    application();
#ifdef FUZZ_HAVE_LSAN
    __lsan_enable();
#endif
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    std::unique_ptr<QWidget> parent(new QWidget);
    BaseExternWidget *adapter = createExternWidget(parent.get());
    QWidget &widget = *adapter->widget();
    widget.resize(200, 40);
    const bool deleteAdapterFirst = in.ConsumeBool();

    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0:
        case 1:
            invokeScriptMethod(in, *adapter);
            break;
        case 2:
            writeProperty(in, widget);
            break;
        case 3:
            resize(in, widget);
            break;
        case 4:
            toggle(in, widget);
            break;
        default:
            paint(widget);
            break;
        }
    }
    paint(widget);
    if (deleteAdapterFirst)
        delete adapter;
    return 0;
}
