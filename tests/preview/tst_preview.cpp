// ewo-preview end to end: the examples' printed results and pictures, pictures at a device
// pixel ratio, the host's value forms, the result format of calls, and one message and exit
// code per kind of bad input.

#include "previewrun.h"

#include "imagecompare.h"
#include "pluginloader.h"
#include "testfont.h"

#include <BaseExternWidget.hxx>

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct PixelProbe
{
    QPoint at;
    QColor expected;
};

bool near(const QColor &actual, const QColor &expected, int tolerance)
{
    return qAbs(actual.red() - expected.red()) <= tolerance &&
            qAbs(actual.green() - expected.green()) <= tolerance &&
            qAbs(actual.blue() - expected.blue()) <= tolerance;
}

QString example(const char *name)
{
    return QStringLiteral(EXAMPLES_DIR "/%1.ctl").arg(QLatin1String(name));
}

// The panel size an example states in its "// size: WxH" line; invalid when it states none.
QSize exampleSize(const QString &path)
{
    const QRegularExpression sizeLine(QStringLiteral("^// size: (\\d+)x(\\d+)$"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    while (!file.atEnd()) {
        const QRegularExpressionMatch match =
                sizeLine.match(QString::fromUtf8(file.readLine()).trimmed());
        if (match.hasMatch())
            return {match.captured(1).toInt(), match.captured(2).toInt()};
    }
    return {};
}

// The folder of the pictures the examples are compared with: docs/images/, which the Qt 5
// build on Linux makes, or the folder named by REFERENCE_PICTURES, whose pictures a Linux
// build on the Qt version of this test made (scripts/test-windows.sh renders them with the
// Linux build for the Windows build, so that both are compared on the same Qt).
QString referencePictures()
{
    return qEnvironmentVariable("REFERENCE_PICTURES", QStringLiteral(DOC_IMAGES_DIR));
}

// How far a rendered example may be from its picture. Made on the same Qt version, pictures
// match exactly on Linux and within glyphTolerance() on Windows. Qt 6 against docs/images/:
// Qt 6 lays text out with its own metrics and rasterises glyphs a little differently (labels
// stand a pixel higher or lower, their edges are shaded otherwise) and rounds colours in
// float (bars may be one level off): measured, 1.1 % (pressure) to 4.6 % (tank level, ten
// labels) of the pixels differ, all of them in glyphs. A fault in the bar, which fills half of
// every picture or more, lies far beyond the 5 % allowed.
struct PictureTolerance
{
    int channel; // a pixel differs when some channel is further off than this
    int reach; // ... from every pixel this close to its place in the other picture
    double share; // the share of a picture's pixels that may differ
};

PictureTolerance pictureTolerance()
{
    if (QLibraryInfo::version().majorVersion() == 5 ||
        qEnvironmentVariableIsSet("REFERENCE_PICTURES"))
        return {glyphTolerance(), 0, 0};
    return {1, 1, 0.05};
}

// The plug-in's widget of the default panel drawn in this process by itself, with the preview
// host's panel font, into a picture of device pixel ratio `ratio`, as a backing store of a
// screen scaled by it holds it.
QImage widgetAt(qreal ratio, const QSize &size, bool labels)
{
    PluginLoader loader(QStringLiteral(PLUGIN_FILE));
    Failure failure;
    QWidget panel;
    panel.resize(size);
    BaseExternWidget *adapter = loader.load(failure) ? loader.create(&panel, failure) : nullptr;
    if (!adapter)
        return {};
    QWidget *widget = adapter->widget();
    widget->setGeometry(panel.rect());
    widget->setProperty("axisShowLabels", labels);
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(panel.palette().color(QPalette::Window));
    widget->render(&image);
    return image;
}

} // namespace

Q_DECLARE_METATYPE(PixelProbe)

class tst_Preview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void examples_data();
    void examples();
    void pictures_data();
    void pictures();
    void ratio_data();
    void ratio();
    void propertyForms_data();
    void propertyForms();
    void callResults_data();
    void callResults();
    void failures_data();
    void failures();
    void stopsAtFirstFailureOrKeepsGoing_data();
    void stopsAtFirstFailureOrKeepsGoing();
    void drivesAnyPlugin();
    void windowWithoutDisplay();

private:
    QString pngPath() const { return dir.filePath(QStringLiteral("out.png")); }
    QString writeScript(const QString &text) const;

    QTemporaryDir dir;
};

void tst_Preview::initTestCase()
{
    QVERIFY(dir.isValid());
    QApplication::setFont(testFont("DejaVu Sans", 17)); // the preview host's panel font
}

QString tst_Preview::writeScript(const QString &text) const
{
    const QString path = dir.filePath(QStringLiteral("script.ctl"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
    return path;
}

void tst_Preview::examples_data()
{
    QTest::addColumn<QString>("script"); // run at the size its "// size: WxH" line states
    QTest::addColumn<QStringList>("expectedLines"); // each must appear on stdout as a whole line
    QTest::addColumn<QVector<PixelProbe>>("pixels"); // within 40 per channel

    QTest::newRow("temperature")
            << example("temperature")
            << QStringList{QStringLiteral("clearRules()"),
                           QStringLiteral("addRule(-20, \"{0,0,255}\") -> true"),
                           QStringLiteral("getRules(values, colors) -> 4"),
                           QStringLiteral("  values = [-20, 20, 70, 120]"),
                           QStringLiteral("  colors = [\"{0,0,255}\", \"{0,255,0}\", "
                                          "\"{255,255,0}\", \"{255,0,0}\"]"),
                           QStringLiteral("convert(-20) -> {0,0,255}"),
                           QStringLiteral("convert(150) -> {255,0,0}")}
            << QVector<PixelProbe>{{{2, 3}, QColor(0, 0, 255)}, {{297, 3}, QColor(255, 0, 0)}};
    QTest::newRow("tank level, vertical")
            << example("tank-level")
            << QStringList{QStringLiteral("getRules(levels, colors) -> 5"),
                           QStringLiteral("  levels = [0, 15, 30, 85, 100]"),
                           QStringLiteral("convert(50) -> {0,170,0}")}
            << QVector<PixelProbe>{{{3, 2}, QColor(0, 90, 255)}, {{3, 237}, QColor(200, 0, 0)}};
    QTest::newRow("pressure, logarithmic")
            << example("pressure-log")
            << QStringList{QStringLiteral("getRules(pressures, colors) -> 4"),
                           QStringLiteral("  pressures = [0.001, 0.1, 10, 1000]"),
                           QStringLiteral("removeRule(0) -> false")}
            << QVector<PixelProbe>{{{2, 3}, QColor(0, 0, 160)}, {{397, 3}, QColor(255, 0, 0)}};
    // transparent at the low end: the light panel background shows; opaque orange at the top
    QTest::newRow("translucent")
            << example("translucent")
            << QStringList{QStringLiteral("  colors = [\"{255,140,0,0}\", \"{255,140,0}\"]"),
                           QStringLiteral("convert(50) -> {255,140,0,128}")}
            << QVector<PixelProbe>{{{0, 3}, QColor(239, 239, 239)},
                                   {{299, 3}, QColor(255, 140, 0)}};
}

void tst_Preview::examples()
{
    QFETCH(QString, script);
    QFETCH(QStringList, expectedLines);
    QFETCH(QVector<PixelProbe>, pixels);

    const QSize size = exampleSize(script);
    QVERIFY2(size.isValid(), qPrintable(script + QLatin1String(" has no // size: WxH line")));
    const PreviewRun run =
            PreviewRun::start({QStringLiteral("--script"), script, QStringLiteral("--size"),
                               QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
                               QStringLiteral("--png"), pngPath()});
    QVERIFY2(run.finished, qPrintable(run.err));
    QCOMPARE(run.messages(), QStringList());
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    for (const QString &expected : expectedLines)
        QVERIFY2(lines.contains(expected),
                 qPrintable(expected + QLatin1String("\nin:\n") + run.out));

    const QImage picture(pngPath());
    QCOMPARE(picture.size(), size);
    for (const PixelProbe &probe : pixels) {
        const QColor actual = picture.pixelColor(probe.at);
        QVERIFY2(near(actual, probe.expected, 40),
                 qPrintable(QStringLiteral("pixel (%1,%2) is %3, expected %4")
                                    .arg(probe.at.x())
                                    .arg(probe.at.y())
                                    .arg(actual.name(), probe.expected.name())));
    }
}

void tst_Preview::pictures_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("picture");

    const QDir examples(QStringLiteral(EXAMPLES_DIR));
    for (const QFileInfo &file : examples.entryInfoList({QStringLiteral("*.ctl")}, QDir::Files)) {
        QTest::newRow(qPrintable(file.baseName()))
                << file.filePath()
                << QStringLiteral("%1/%2.png").arg(referencePictures(), file.baseName());
    }
}

// Every example renders as the README shows it (or as the Linux build renders it).
void tst_Preview::pictures()
{
    QFETCH(QString, script);
    QFETCH(QString, picture);

    const QSize size = exampleSize(script);
    const PreviewRun run = PreviewRun::start(
            {QStringLiteral("--script"), script, QStringLiteral("--size"),
             QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
             QStringLiteral("--png"), pngPath()});
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    const QImage actual = QImage(pngPath()).convertToFormat(QImage::Format_ARGB32);
    const QImage expected = QImage(picture).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(actual.size(), expected.size());

    const PictureTolerance tolerance = pictureTolerance();
    const ImageDifference difference =
            imageDifference(actual, expected, tolerance.channel, tolerance.reach);
    const int allowed = int(tolerance.share * actual.width() * actual.height());
    qInfo("%d of %d pixels differ by more than %d, by up to %d", difference.pixels,
          actual.width() * actual.height(), tolerance.channel, difference.largest);
    QVERIFY(difference.pixels <= allowed);
}

void tst_Preview::ratio_data()
{
    QTest::addColumn<QString>("ratio"); // --ratio
    QTest::addColumn<QSize>("pixels"); // the picture's size in device pixels
    QTest::addColumn<bool>("labels");

    QTest::newRow("125 %") << "1.25" << QSize(375, 75) << false;
    QTest::newRow("150 %, labels") << "1.5" << QSize(450, 90) << true;
    QTest::newRow("200 %, labels") << "2" << QSize(600, 120) << true;
    QTest::newRow("300 %") << "3" << QSize(900, 180) << false;
}

// The default panel at a device pixel ratio is what the widget draws at that ratio, pixel for
// pixel, in a picture whose resolution says the ratio.
void tst_Preview::ratio()
{
    QFETCH(QString, ratio);
    QFETCH(QSize, pixels);
    QFETCH(bool, labels);

    const PreviewRun run =
            PreviewRun::start({QStringLiteral("--ratio"), ratio, QStringLiteral("--set"),
                               QStringLiteral("axisShowLabels=%1").arg(labels ? "true" : "false"),
                               QStringLiteral("--png"), pngPath()});
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    const QImage actual = QImage(pngPath()).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(actual.size(), pixels);
    const QString unscaledPath = dir.filePath(QStringLiteral("unscaled.png"));
    QCOMPARE(PreviewRun::start({QStringLiteral("--png"), unscaledPath}).exitCode, 0);
    QCOMPARE(actual.dotsPerMeterX(),
             qRound(QImage(unscaledPath).dotsPerMeterX() * ratio.toDouble()));

    const QImage expected = widgetAt(ratio.toDouble(), QSize(300, 60), labels)
                                    .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(expected.size(), pixels);
    const QString difference = firstDifference(actual, expected, actual.rect());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void tst_Preview::propertyForms_data()
{
    QTest::addColumn<QString>("assignment"); // --set NAME=VALUE
    QTest::addColumn<QString>("listed"); // what --list then shows for the property

    QTest::newRow("enum key") << "orientation=Vertical"
                              << "orientation = Vertical";
    QTest::newRow("enum number") << "orientation=1"
                                 << "orientation = Vertical";
    QTest::newRow("enum, qualified key") << "orientation=ValueColorConverterWidget::Vertical"
                                         << "orientation = Vertical";
    QTest::newRow("bool, upper case") << "logarithmic=TRUE"
                                      << "logarithmic = true";
    QTest::newRow("bool, lower case") << "imageBorder=false"
                                      << "imageBorder = false";
    QTest::newRow("int") << "axisTickSize=12"
                         << "axisTickSize = 12";
    QTest::newRow("float, exponent") << "absMinForLogScale=1e-3"
                                     << "absMinForLogScale = 0.001";
    QTest::newRow("float from integer text") << "absMinForLogScale=5"
                                             << "absMinForLogScale = 5";
    QTest::newRow("colour text") << "axisColor={1,2,3}"
                                 << "axisColor = {1,2,3}";
    QTest::newRow("colour text with alpha, spaced") << "axisColor={ 1, 2, 3, 4 }"
                                                    << "axisColor = {1,2,3,4}";
    QTest::newRow("colour #rrggbb") << "axisColor=#102030"
                                    << "axisColor = {16,32,48}";
    QTest::newRow("colour name") << "axisLabelColor=red"
                                 << "axisLabelColor = {255,0,0}";
    QTest::newRow("quoted colour name") << "axisColor=\"blue\""
                                        << "axisColor = {0,0,255}";
    QTest::newRow("transparent") << "imageBorderColor=transparent"
                                 << "imageBorderColor = {0,0,0,0}";
}

void tst_Preview::propertyForms()
{
    QFETCH(QString, assignment);
    QFETCH(QString, listed);

    const PreviewRun run =
            PreviewRun::start({QStringLiteral("--set"), assignment, QStringLiteral("--list")});
    QVERIFY(run.finished);
    QCOMPARE(run.messages(), QStringList());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(listed), qPrintable(run.out));
}

void tst_Preview::callResults_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QStringList>("printed"); // the whole stdout, line by line

    // the plug-in starts with the rules 0 green and 100 red
    QTest::newRow("colour result as colour text")
            << "convert(0)" << QStringList{QStringLiteral("convert(0) -> {0,255,0}")};
    QTest::newRow("quoted colour text converted to a colour")
            << "addRule(50, \"{0,0,255}\")"
            << QStringList{QStringLiteral("addRule(50, \"{0,0,255}\") -> true")};
    QTest::newRow("#rrggbb, existing value")
            << "addRule(100, #0000ff)"
            << QStringList{QStringLiteral("addRule(100, #0000ff) -> false")};
    QTest::newRow("invalid result prints no arrow")
            << "clearRules();" << QStringList{QStringLiteral("clearRules()")};
    QTest::newRow("output variables")
            << "getRules(v, c)  // both are replaced"
            << QStringList{QStringLiteral("getRules(v, c) -> 2"), QStringLiteral("  v = [0, 100]"),
                           QStringLiteral("  c = [\"{0,255,0}\", \"{255,0,0}\"]")};
    QTest::newRow("error text after the result")
            << "removeRule(v)"
            << QStringList{QStringLiteral("removeRule(v) -> false  error: argument 1 (value) is "
                                          "not float"),
                           QStringLiteral("  v = []")};
}

void tst_Preview::callResults()
{
    QFETCH(QString, call);
    QFETCH(QStringList, printed);

    const PreviewRun run =
            PreviewRun::start({QStringLiteral("--call"), call, QStringLiteral("--png"), pngPath()});
    QVERIFY(run.finished);
    QCOMPARE(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), printed);
}

void tst_Preview::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // part of the one message line on stderr

    const QString png = QStringLiteral("--png");
    const QString out = pngPath();
    const auto withPlugin = [&](const char *path) {
        return QStringList{QStringLiteral("--plugin"), QString::fromLatin1(path), png, out};
    };
    const auto set = [&](const char *assignment) {
        return QStringList{QStringLiteral("--set"), QString::fromLatin1(assignment), png, out};
    };
    const auto call = [&](const char *statement) {
        return QStringList{QStringLiteral("--call"), QString::fromLatin1(statement), png, out};
    };

    QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--plug")} << 1 << "--plug: unknown option";
    QTest::newRow("option without value")
            << QStringList{QStringLiteral("--set")} << 1 << "--set: needs a value";
    QTest::newRow("bad size") << QStringList{QStringLiteral("--size"), QStringLiteral("300x0"), png,
                                             out}
                              << 1 << "--size 300x0: expected WxH";
    QTest::newRow("ratio 0") << QStringList{QStringLiteral("--ratio"), QStringLiteral("0"), png,
                                            out}
                             << 1 << "--ratio 0: expected a number above 0";
    QTest::newRow("ratio not a number") << QStringList{QStringLiteral("--ratio=1,5"), png, out} << 1
                                        << "--ratio 1,5: expected a number above 0";
    QTest::newRow("missing plug-in") << withPlugin("/nonexistent/x.ewo") << 2
                                     << "/nonexistent/x.ewo: plug-in file not found";
    QTest::newRow("text file as plug-in") << withPlugin(EXAMPLES_DIR "/temperature.ctl") << 3
                                          << "temperature.ctl: not a loadable library";
    QTest::newRow("no entry points")
            << withPlugin(NOENTRY_PLUGIN) << 4 << "no entry point createExternWidget";
    QTest::newRow("factory gives nothing")
            << withPlugin(NULLFACTORY_PLUGIN) << 5 << "createExternWidget returned no adapter";
    QTest::newRow("unreadable script")
            << QStringList{QStringLiteral("--script"), QStringLiteral("/nonexistent.ctl"), png, out}
            << 6 << "/nonexistent.ctl: cannot read script";
    QTest::newRow("unclosed call") << call("addRule(1, \"red\"") << 7
                                   << "expected \")\" at the end of the call to addRule";
    QTest::newRow("unterminated string") << call("addRule(1, \"red)") << 7 << "unterminated string";
    QTest::newRow("name alone") << call("axisColor") << 7
                                << "expected \"=\" or \"(\" after \"axisColor\"";
    QTest::newRow("empty argument")
            << call("addRule(1,,2)") << 7 << "argument 2 of addRule is empty";
    QTest::newRow("--set without =") << set("axisColor") << 7 << "--set axisColor:";
    QTest::newRow("unknown property") << set("colour=red") << 8
                                      << "--set colour=red: unknown property colour of "
                                         "ValueColorConverterWidget";
    QTest::newRow("enum key") << set("orientation=Diagonal") << 9
                              << "malformed value Diagonal for orientation: expected one of "
                                 "Horizontal, Vertical or its number";
    QTest::newRow("enum number") << set("orientation=7") << 9 << "malformed value 7";
    QTest::newRow("bool") << set("logarithmic=yes") << 9 << "expected true or false";
    QTest::newRow("int") << set("axisTickSize=2.5") << 9 << "expected an integer";
    QTest::newRow("colour component") << set("axisColor={0,0,256}") << 9 << "expected a colour";
    QTest::newRow("colour argument") << call("addRule(10, \"{0,0}\")") << 9
                                     << "argument 2 of addRule: \"{0,0}\" is not a colour";
    QTest::newRow("number argument")
            << call("convert(\"warm\")") << 9 << "argument 1 of convert: \"warm\" is not a number";
    QTest::newRow("read-only property")
            << set("minimized=true") << 10 << "property minimized is read-only";
    QTest::newRow("unknown method") << call("addrule(1, \"red\")") << 11
                                    << "unknown method addrule (the plug-in has: clearRules, "
                                       "addRule, removeRule, convert, getRules)";
    QTest::newRow("method error") << call("convert(x)") << 12
                                  << "--call convert(x): convert reported: argument 1 (value) "
                                     "is not float";
    QTest::newRow("too few arguments") << call("getRules(v)") << 12 << "getRules reported:";
    QTest::newRow("picture not written") << QStringList{png, QStringLiteral("/nonexistent/out.png")}
                                         << 13 << "/nonexistent/out.png: cannot write the picture";
}

void tst_Preview::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    const PreviewRun run = PreviewRun::start(arguments);
    QVERIFY(run.finished);
    QCOMPARE(run.messages().size(), 1);
    QVERIFY2(run.messages().constFirst().contains(message), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);
}

void tst_Preview::stopsAtFirstFailureOrKeepsGoing_data()
{
    QTest::addColumn<bool>("keepGoing");
    QTest::addColumn<QStringList>("results"); // stdout lines
    QTest::addColumn<QStringList>("culprits"); // one per message, in order

    QTest::newRow("stops") << false
                           << QStringList{QStringLiteral("addRule(50, \"{0,0,255}\") -> true")}
                           << QStringList{QStringLiteral("script.ctl:3:")};
    QTest::newRow("keeps going")
            << true
            << QStringList{QStringLiteral("addRule(50, \"{0,0,255}\") -> true"),
                           QStringLiteral("removeRule(50) -> true"),
                           QStringLiteral("convert(100) -> {255,0,0}")}
            << QStringList{QStringLiteral("script.ctl:3:"), QStringLiteral("script.ctl:5:")};
}

void tst_Preview::stopsAtFirstFailureOrKeepsGoing()
{
    QFETCH(bool, keepGoing);
    QFETCH(QStringList, results);
    QFETCH(QStringList, culprits);

    const QString script = writeScript(QStringLiteral("addRule(50, \"{0,0,255}\")\n"
                                                      "// a comment line\n"
                                                      "nosuch(1)\n"
                                                      "removeRule(50)\n"
                                                      "axisColor = nocolour\n"
                                                      "\n"
                                                      "convert(100)\n"));
    QStringList arguments{QStringLiteral("--script"), script, QStringLiteral("--png"), pngPath()};
    if (keepGoing)
        arguments.prepend(QStringLiteral("--keep-going"));
    const PreviewRun run = PreviewRun::start(arguments);
    QVERIFY(run.finished);
    QCOMPARE(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), results);
    const QStringList messages = run.messages();
    QCOMPARE(messages.size(), culprits.size());
    for (int i = 0; i < culprits.size(); ++i)
        QVERIFY2(messages.at(i).contains(culprits.at(i)), qPrintable(messages.at(i)));
    QCOMPARE(run.exitCode, 11); // the first failure's code: unknown method
}

// Nothing in the tool may depend on our plug-in: a different one, with other properties and
// methods, is driven by names alone.
void tst_Preview::drivesAnyPlugin()
{
    const PreviewRun run = PreviewRun::start(
            {QStringLiteral("--plugin"), QStringLiteral(PROBE_PLUGIN), QStringLiteral("--set"),
             QStringLiteral("shape=Square"), QStringLiteral("--call"),
             QStringLiteral("paint(\"lime\")"), QStringLiteral("--call"),
             QStringLiteral("echo(2.5)"), QStringLiteral("--call"), QStringLiteral("echo(7)"),
             QStringLiteral("--call"), QStringLiteral("echo({1,2,3})"), QStringLiteral("--call"),
             QStringLiteral("split(\"a b\", parts)"), QStringLiteral("--list"),
             QStringLiteral("--png"), pngPath()});
    QVERIFY(run.finished);
    QCOMPARE(run.messages(), QStringList());
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    const QStringList expected{
            QStringLiteral("paint(\"lime\") -> true"),
            // untyped arguments pass as read: a double, an int, a colour text as a string
            QStringLiteral("echo(2.5) -> \"double 2.5\""), QStringLiteral("echo(7) -> \"int 7\""),
            QStringLiteral("echo({1,2,3}) -> \"QString {1,2,3}\""),
            QStringLiteral("  parts = [\"a\", \"b\"]"), QStringLiteral("version: probe 1"),
            QStringLiteral("  bool paint(string color)  [bool (QColor)]"),
            QStringLiteral("    Shape shape = Square  (Round=0, Square=3)"),
            QStringLiteral("    int area = 18000 (read-only)")};
    for (const QString &line : expected)
        QVERIFY2(lines.contains(line), qPrintable(line + QLatin1String("\nin:\n") + run.out));
    const QImage picture(pngPath());
    QCOMPARE(picture.pixelColor(150, 30), QColor(Qt::green));
}

// Qt's platform plug-in would abort the process; the tool says what is missing instead.
// Windows always has a display: there the window opens and --quit-after ends the run.
void tst_Preview::windowWithoutDisplay()
{
    QProcessEnvironment env = PreviewRun::environment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    const PreviewRun run =
            PreviewRun::start({QStringLiteral("--quit-after"), QStringLiteral("10")}, env);
    QVERIFY(run.finished);
#if defined(Q_OS_WIN)
    QCOMPARE(run.messages(), QStringList());
    QCOMPARE(run.exitCode, 0);
#else
    QCOMPARE(run.exitCode, 14);
    QCOMPARE(run.messages(),
             QStringList{"ewo-preview: window: no display (DISPLAY is not set); use --png FILE"});
#endif
}

QTEST_MAIN(tst_Preview)
#include "tst_preview.moc"
