#include "valuecolorconverterwidget.h"

#include "imagecompare.h"
#include "onscreen.h"
#include "queuedevents.h"
#include "testfont.h"

#include <QtTest>
#include <QtWidgets>

// ValueColorConverterWidget: the pixels of its bar, ticks and border through every way of
// painting it, at every device pixel ratio, and its background.

namespace {

// The colours the bar must show: one per pixel line, from the rule set at the axis value.
QVector<QRgb> expectedLineColors(ValueColorConverterWidget &widget, int lines)
{
    QVector<QRgb> colors;
    for (int i = 0; i < lines; ++i)
        colors.append(widget.ruleSet.convert(widget.valueAxis().screenToValue(i)).rgba());
    return colors;
}

QImage grabImage(ValueColorConverterWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// `widget` rendered into an image of device pixel ratio `ratio`, straight or through a
// painter with a clip of its own, which draws everything with Qt's painter.
QImage rendered(QWidget &widget, qreal ratio, const QPoint &offset, const QRegion &source,
                bool clippedPainter)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(qRgb(1, 2, 3));
    if (!clippedPainter) {
        widget.render(&image, offset, source, QWidget::DrawChildren);
        return image;
    }
    QPainter painter(&image);
    const QRect area = source.isEmpty() ? widget.rect() : source.boundingRect();
    painter.setClipRect(QRect(offset, area.size()));
    widget.render(&painter, offset, source, QWidget::DrawChildren);
    return image;
}

// A window painting a checkerboard: what shows through a translucent background differs
// from square to square, and from anything the widget on it painted before.
class CheckeredWindow : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        constexpr int square = 8;
        QPainter painter(this);
        for (int y = 0; y < height(); y += square)
            for (int x = 0; x < width(); x += square)
                painter.fillRect(x, y, square, square,
                                 (x + y) / square % 2 ? QColor(30, 160, 60) : QColor(250, 220, 40));
    }
};

// What switches the colour group (or the role) the widget's background brush is taken from.
enum BackgroundSwitch { DisableWidget, DisableParent, ActivateOtherWindow, UseBaseRole };

} // namespace

Q_DECLARE_METATYPE(BackgroundSwitch)

class tst_WidgetPainting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paintHorizontal_data();
    void paintHorizontal();
    void paintVertical();
    void handWorkedColors_data();
    void handWorkedColors();
    void paintMatchesLineDrawing();
    void renderPaths_data();
    void renderPaths();
    void directWritesMatchPainter_data();
    void directWritesMatchPainter();
    void grabbedAtScreenScale();
    void ticksAndOutlineEquallyWide_data();
    void ticksAndOutlineEquallyWide();
    void childOfGrabbedParent();
    void emptyRuleSetPaintsWhite();
    void translucentBackgroundShowsParent_data();
    void translucentBackgroundShowsParent();
    void backgroundFollowsColourGroup_data();
    void backgroundFollowsColourGroup();
};

void tst_WidgetPainting::paintHorizontal_data()
{
    QTest::addColumn<bool>("border");
    QTest::newRow("border") << true;
    QTest::newRow("no border") << false;
}

void tst_WidgetPainting::paintHorizontal()
{
    QFETCH(bool, border);

    ValueColorConverterWidget w;
    w.resize(200, 40);
    w.setImageBorder(border);
    w.setImageBorderColor(Qt::magenta);
    w.addRule(50, Qt::blue);
    const QImage image = grabImage(w);
    QCOMPARE(image.size(), QSize(200, 40));

    const QVector<QRgb> colors = expectedLineColors(w, 200);
    const int tickTop = 39 - w.axisTickSize();
    const QString mismatch = firstMismatch(image, QRect(QPoint(1, 1), QPoint(198, tickTop - 1)),
                                           [&](int x, int) { return colors.at(x); });
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    const QRgb frame = QColor(Qt::magenta).rgba();
    QCOMPARE(image.pixel(0, 0) == frame, border);
    QCOMPARE(image.pixel(199, 20) == frame, border);
    QCOMPARE(image.pixel(100, 0) == frame, border);
    if (!border)
        QCOMPARE(image.pixel(0, 0), colors.at(0));
}

void tst_WidgetPainting::paintVertical()
{
    ValueColorConverterWidget w;
    w.resize(30, 100);
    w.setOrientation(ValueColorConverterWidget::Vertical);
    w.setImageBorder(false);
    w.addRule(25, Qt::blue);
    const QImage image = grabImage(w);

    const QVector<QRgb> colors = expectedLineColors(w, 100);
    // Values grow upward: the top row shows the upper end of the rules.
    QCOMPARE(QColor(image.pixel(0, 0)), QColor(Qt::red));
    const int tickLeft = 29 - w.axisTickSize();
    const QString mismatch = firstMismatch(image, QRect(0, 0, tickLeft, 100),
                                           [&](int, int y) { return colors.at(y); });
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void tst_WidgetPainting::handWorkedColors_data()
{
    QTest::addColumn<bool>("vertical"); // 200 x 40 or 40 x 200, no border, no labels
    QTest::addColumn<bool>("logarithmic"); // rules 0 (1 when logarithmic) green, 100 red
    QTest::addColumn<int>("line"); // pixel offset along the bar
    QTest::addColumn<QColor>("color");

    // 200 pixels for 0..100: offset 100 is the value 50, halfway from green to red in hue
    QTest::newRow("first column") << false << false << 0 << QColor(0, 255, 0);
    QTest::newRow("middle column") << false << false << 100 << QColor(255, 255, 0);
    // vertical: offset 0 is the top, 100 - 0 / 200 * 100
    QTest::newRow("top row") << true << false << 0 << QColor(255, 0, 0);
    QTest::newRow("middle row") << true << false << 100 << QColor(255, 255, 0);
    // two decades over 200 pixels: offset 100 is the value 10, halfway on the log scale
    QTest::newRow("log middle column") << false << true << 100 << QColor(255, 255, 0);
}

void tst_WidgetPainting::handWorkedColors()
{
    QFETCH(bool, vertical);
    QFETCH(bool, logarithmic);
    QFETCH(int, line);
    QFETCH(QColor, color);

    ValueColorConverterWidget w;
    w.resize(vertical ? QSize(40, 200) : QSize(200, 40));
    w.setOrientation(vertical ? ValueColorConverterWidget::Vertical
                              : ValueColorConverterWidget::Horizontal);
    w.setImageBorder(false);
    w.setLogarithmic(logarithmic);
    if (logarithmic)
        QVERIFY(w.addRule(1, Qt::green));
    const QImage image = grabImage(w);
    QCOMPARE(image.pixelColor(vertical ? QPoint(10, line) : QPoint(line, 10)), color);
}

void tst_WidgetPainting::paintMatchesLineDrawing()
{
    ValueColorConverterWidget w;
    w.resize(120, 30);
    w.setImageBorder(false);
    w.setAxisTickSize(0);
    w.ruleSet.clear();
    w.addRule(0, QColor(255, 0, 0, 40));
    w.addRule(60, QColor(0, 0, 255, 200));
    w.addRule(120, QColor(0, 255, 0));
    const QImage image = grabImage(w);

    QImage reference(image.size(), QImage::Format_ARGB32);
    reference.fill(w.palette().color(QPalette::Window));
    QPainter painter(&reference);
    for (int x = 0; x < 120; ++x) {
        painter.setPen(w.ruleSet.convert(w.valueAxis().screenToValue(x)));
        painter.drawLine(x, 0, x, 29);
    }
    painter.end();
    const QString mismatch = firstDifference(image, reference, QRect(0, 0, 120, 29));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void tst_WidgetPainting::renderPaths_data()
{
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QRegion>("source");

    QTest::newRow("whole") << QPoint(0, 0) << QRegion();
    QTest::newRow("at an offset") << QPoint(13, 7) << QRegion();
    QTest::newRow("one part") << QPoint(5, 3) << QRegion(20, 0, 50, 40);
    QTest::newRow("two parts") << QPoint(0, 0)
                               << (QRegion(0, 0, 30, 40) + QRegion(100, 10, 30, 20));
}

void tst_WidgetPainting::renderPaths()
{
    QFETCH(QPoint, offset);
    QFETCH(QRegion, source);

    ValueColorConverterWidget w;
    w.resize(200, 40);
    w.setImageBorder(false);
    w.addRule(50, Qt::blue);
    w.addRule(70, QColor(255, 255, 0, 100));
    const QRgb sentinel = qRgb(1, 2, 3);
    QImage image(240, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(sentinel);
    w.render(&image, offset, source, QWidget::DrawChildren);

    QImage reference(200, 40, QImage::Format_ARGB32_Premultiplied);
    reference.fill(w.palette().color(QPalette::Window));
    QPainter painter(&reference);
    for (int x = 0; x < 200; ++x) {
        painter.setPen(w.ruleSet.convert(w.valueAxis().screenToValue(x)));
        painter.drawLine(x, 0, x, 39);
    }
    painter.end();

    // The source region's top left corner lands at the offset.
    const QPoint shift = offset - source.boundingRect().topLeft();
    const int tickTop = 39 - w.axisTickSize();
    const auto expected = [&](int x, int y) {
        const bool painted = source.isEmpty() || source.contains(QPoint(x, y));
        return painted ? reference.pixel(x, y) : sentinel;
    };
    const QString mismatch = firstMismatch(image, QRect(0, 0, 200, tickTop), expected, shift);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    QCOMPARE(image.pixel(239, 59), sentinel);
}

void tst_WidgetPainting::directWritesMatchPainter_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("logarithmic");
    QTest::addColumn<QColor>("middle"); // the colour of a rule between the default ones
    QTest::addColumn<QString>("styleSheet"); // of the widget's parent, which is rendered
    QTest::addColumn<QPoint>("place"); // of the widget in its parent
    QTest::addColumn<QPoint>("offset"); // of the rendered source in the image
    QTest::addColumn<QRegion>("source"); // of the parent; empty for all of it
    QTest::addColumn<qreal>("ratio"); // the image's device pixel ratio

    const QColor blue(Qt::blue);
    const QColor translucent(255, 255, 0, 100);
    const QString plain;
    const QPoint origin;
    struct Row
    {
        const char *name;
        bool vertical;
        bool logarithmic;
        QColor middle;
        QString styleSheet;
        QPoint place;
        QPoint offset;
        QRegion source;
    };
    const Row rows[] = {
            {"horizontal", false, false, blue, plain, origin, origin, QRegion()},
            {"vertical", true, false, blue, plain, origin, origin, QRegion()},
            {"logarithmic", false, true, blue, plain, origin, origin, QRegion()},
            {"translucent", false, false, translucent, plain, origin, origin, QRegion()},
            {"translucent vertical", true, false, translucent, plain, origin, origin, QRegion()},
            // a gradient is stretched over the whole widget, the band beside the bar included
            {"linear gradient background", false, false, blue,
             "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 yellow, stop:1 navy)",
             origin, origin, QRegion()},
            {"radial gradient background", true, false, blue,
             "background: qradialgradient(cx:0.5, cy:0.5, radius:0.7, stop:0 white, "
             "stop:1 darkgreen)",
             origin, origin, QRegion()},
            // the border starts two or more pixels left of the image; then as much further
            // left as lands on whole device pixels at every ratio
            {"rendered left of the image", false, false, blue, plain, origin, QPoint(-5, 3),
             QRegion()},
            {"rendered left by whole device pixels", false, false, blue, plain, origin,
             QPoint(-4, 4), QRegion()},
            {"source cut on the left", false, false, blue, plain, origin, origin,
             QRegion(4, 0, 196, 60)},
            {"child left of its window", true, false, blue, plain, QPoint(-3, 0), origin,
             QRegion()},
    };
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        for (const Row &row : rows) {
            QTest::addRow("%s at %g", row.name, ratio)
                    << row.vertical << row.logarithmic << row.middle << row.styleSheet
                    << row.place << row.offset << row.source << ratio;
        }
    }
}

void tst_WidgetPainting::directWritesMatchPainter()
{
    QFETCH(bool, vertical);
    QFETCH(bool, logarithmic);
    QFETCH(QColor, middle);
    QFETCH(QString, styleSheet);
    QFETCH(QPoint, place);
    QFETCH(QPoint, offset);
    QFETCH(QRegion, source);
    QFETCH(qreal, ratio);

    QWidget parent;
    parent.setStyleSheet(styleSheet);
    auto *w = new ValueColorConverterWidget(&parent);
    w->setFont(testFont("DejaVu Sans Mono", 12));
    w->setGeometry(QRect(place, vertical ? QSize(60, 200) : QSize(200, 60)));
    parent.resize(w->size());
    w->setOrientation(vertical ? ValueColorConverterWidget::Vertical
                               : ValueColorConverterWidget::Horizontal);
    w->setAxisShowLabels(true);
    w->setLogarithmic(logarithmic);
    w->addRule(50, middle);
    const QImage direct = rendered(parent, ratio, offset, source, false);
    const QImage painted = rendered(parent, ratio, offset, source, true);
    const QString difference = firstDifference(direct, painted, direct.rect());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void tst_WidgetPainting::grabbedAtScreenScale()
{
    const qreal factor = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
            ? qgetenv("QT_SCALE_FACTOR").toDouble()
            : 1.0;
    ValueColorConverterWidget w;
    w.setFont(testFont("DejaVu Sans Mono", 12));
    w.resize(200, 60);
    w.setAxisShowLabels(true);
    w.addRule(50, Qt::blue);
    const QImage grabbed = w.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(grabbed.devicePixelRatio(), factor);
    const QImage painted = rendered(w, factor, QPoint(), QRegion(), true);
    const QString difference = firstDifference(grabbed, painted, grabbed.rect());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void tst_WidgetPainting::ticksAndOutlineEquallyWide_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("width"); // of every tick and outline edge, in device pixels

    for (const bool vertical : {false, true}) {
        const char *name = vertical ? "vertical" : "horizontal";
        QTest::addRow("%s at 1", name) << 1.0 << vertical << 1;
        QTest::addRow("%s at 1.25", name) << 1.25 << vertical << 1;
        QTest::addRow("%s at 1.5", name) << 1.5 << vertical << 2;
        QTest::addRow("%s at 1.75", name) << 1.75 << vertical << 2;
        QTest::addRow("%s at 2", name) << 2.0 << vertical << 2;
        QTest::addRow("%s at 2.5", name) << 2.5 << vertical << 3;
    }
}

void tst_WidgetPainting::ticksAndOutlineEquallyWide()
{
    QFETCH(qreal, ratio);
    QFETCH(bool, vertical);
    QFETCH(int, width);

    const QRgb tick = qRgb(255, 0, 255);
    const QRgb border = qRgb(0, 255, 255);
    ValueColorConverterWidget w;
    w.setFont(testFont("DejaVu Sans Mono", 12));
    w.resize(vertical ? QSize(60, 200) : QSize(200, 60));
    w.setOrientation(vertical ? ValueColorConverterWidget::Vertical
                              : ValueColorConverterWidget::Horizontal);
    w.setAxisColor(tick);
    w.setImageBorderColor(border);
    const QImage image = rendered(w, ratio, QPoint(), QRegion(), false);
    // ticks run across the bar, the outline's edges both ways
    const QVector<int> tickWidths = runWidths(image, tick, !vertical);
    QVector<int> edgeWidths = runWidths(image, border, true) + runWidths(image, border, false);
    QVERIFY2(tickWidths.size() >= 40, qPrintable(QString::number(tickWidths.size())));
    for (const int found : tickWidths + edgeWidths)
        QCOMPARE(found, width);
}

void tst_WidgetPainting::childOfGrabbedParent()
{
    QWidget parent;
    parent.resize(300, 100);
    auto *w = new ValueColorConverterWidget(&parent);
    w->setGeometry(40, 30, 200, 40);
    w->setImageBorder(false);
    const QImage image = parent.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QVector<QRgb> colors = expectedLineColors(*w, 200);
    const QString mismatch = firstMismatch(
            image, QRect(0, 0, 200, 30), [&](int x, int) { return colors.at(x); }, QPoint(40, 30));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    QCOMPARE(image.pixel(39, 30), parent.palette().color(QPalette::Window).rgba());
}

void tst_WidgetPainting::emptyRuleSetPaintsWhite()
{
    ValueColorConverterWidget w;
    w.resize(50, 20);
    w.ruleSet.clear();
    const QImage image = grabImage(w);
    QCOMPARE(image.pixel(25, 5), qRgb(255, 255, 255));
}

void tst_WidgetPainting::translucentBackgroundShowsParent_data()
{
    QTest::addColumn<QColor>("background"); // the widget's; its parent is red
    QTest::addColumn<QColor>("seen"); // through the transparent bar

    QTest::newRow("opaque: the widget's own") << QColor(Qt::blue) << QColor(Qt::blue);
    QTest::newRow("transparent: the parent's") << QColor(Qt::transparent) << QColor(Qt::red);
    QTest::newRow("translucent: blended on the parent's")
            << QColor(0, 0, 255, 128) << QColor(127, 0, 128);
}

void tst_WidgetPainting::translucentBackgroundShowsParent()
{
    QFETCH(QColor, background);
    QFETCH(QColor, seen);
    QWidget parent;
    parent.resize(100, 40);
    QPalette red;
    red.setColor(QPalette::Window, Qt::red);
    parent.setPalette(red);
    parent.setAutoFillBackground(true);
    auto *w = new ValueColorConverterWidget(&parent);
    w->resize(parent.size());
    QPalette own;
    own.setColor(QPalette::Window, background);
    w->setPalette(own);
    w->setImageBorder(false);
    w->ruleSet.clear();
    w->addRule(0, QColor(0, 0, 0, 0));
    QCOMPARE(w->testAttribute(Qt::WA_OpaquePaintEvent), background.alpha() == 255);
    const QImage image = parent.grab().toImage();
    const QColor actual = image.pixelColor(50, 5);
    QVERIFY2(qAbs(actual.red() - seen.red()) <= 1 && qAbs(actual.green() - seen.green()) <= 1 &&
                     qAbs(actual.blue() - seen.blue()) <= 1,
             qPrintable(actual.name()));
}

void tst_WidgetPainting::backgroundFollowsColourGroup_data()
{
    // the Window brush in each group; Base is translucent in all of them
    QTest::addColumn<QColor>("active");
    QTest::addColumn<QColor>("inactive");
    QTest::addColumn<QColor>("disabled");
    QTest::addColumn<bool>("onParent"); // the palette set on the window, not the widget
    QTest::addColumn<QString>("styleSheet"); // set on the widget instead of a palette
    QTest::addColumn<BackgroundSwitch>("change");

    const QColor opaque(200, 230, 255);
    const QColor translucent(200, 40, 40, 128);
    QTest::newRow("disabled translucent, widget disabled")
            << opaque << opaque << translucent << false << QString() << DisableWidget;
    QTest::newRow("disabled translucent on the parent, parent disabled")
            << opaque << opaque << translucent << true << QString() << DisableParent;
    QTest::newRow("style sheet :disabled, widget disabled")
            << QColor() << QColor() << QColor() << false
            << QStringLiteral("QWidget { background-color: rgb(200,230,255); } "
                              "QWidget:disabled { background-color: rgba(200,40,40,128); }")
            << DisableWidget;
    QTest::newRow("inactive translucent, other window activated")
            << opaque << translucent << opaque << false << QString() << ActivateOtherWindow;
    QTest::newRow("opaque window, background role set to translucent base")
            << opaque << opaque << opaque << false << QString() << UseBaseRole;
}

void tst_WidgetPainting::backgroundFollowsColourGroup()
{
    QFETCH(QColor, active);
    QFETCH(QColor, inactive);
    QFETCH(QColor, disabled);
    QFETCH(bool, onParent);
    QFETCH(QString, styleSheet);
    QFETCH(BackgroundSwitch, change);

    CheckeredWindow window;
    window.resize(140, 50);
    auto *w = new ValueColorConverterWidget(&window);
    w->setGeometry(10, 10, 120, 30);
    w->setImageBorder(false);
    w->ruleSet.clear();
    w->addRule(0, QColor(0, 0, 0, 0)); // the background shows through the whole bar
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // Set once the window is shown, as a host does: a style sheet set before the first show
    // takes effect in the polish, at whose end Qt's style sheet style clears the attribute.
    if (styleSheet.isEmpty()) {
        QPalette colours;
        colours.setColor(QPalette::Active, QPalette::Window, active);
        colours.setColor(QPalette::Inactive, QPalette::Window, inactive);
        colours.setColor(QPalette::Disabled, QPalette::Window, disabled);
        colours.setColor(QPalette::Base, QColor(40, 40, 200, 128));
        (onParent ? static_cast<QWidget *>(&window) : w)->setPalette(colours);
    } else {
        w->setStyleSheet(styleSheet);
    }
    deliverQueuedEvents();

    QWidget other;
    switch (change) {
    case DisableWidget:
        w->setEnabled(false);
        break;
    case DisableParent:
        window.setEnabled(false);
        break;
    case ActivateOtherWindow:
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!window.isActiveWindow());
        break;
    case UseBaseRole:
        w->setBackgroundRole(QPalette::Base);
        break;
    }
    w->update();
    deliverQueuedEvents();
    const QImage shown = onScreen(window);
    QVERIFY(!shown.isNull());

    w->setAttribute(Qt::WA_OpaquePaintEvent, false);
    window.repaint();
    const ImageDifference difference = imageDifference(shown, onScreen(window), 0);
    QVERIFY2(difference.pixels == 0,
             qPrintable(QStringLiteral("%1 pixels differ, by up to %2")
                                .arg(difference.pixels)
                                .arg(difference.largest)));
}

QTEST_MAIN(tst_WidgetPainting)
#include "tst_widgetpainting.moc"
