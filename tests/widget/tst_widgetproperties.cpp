#include "valuecolorconverterwidget.h"

#include "onscreen.h"
#include "queuedevents.h"
#include "testfont.h"

#include <QtTest>
#include <QtWidgets>

// ValueColorConverterWidget: its properties by name, what each setter does, the limits
// following the rules, the layout following orientation, font and size, and mouse signals.

namespace {

// Counts the paint events a widget receives, to see whether a setter requested a repaint.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) : QObject(widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Shows the widget and lets its first paint pass, so that a PaintCounter sees only later ones.
bool showSettled(QWidget &widget)
{
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        return false;
    deliverQueuedEvents();
    return true;
}

QImage grabImage(ValueColorConverterWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

Q_DECLARE_METATYPE(Qt::MouseButton)

class tst_WidgetProperties : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void metaObject();
    void defaults();
    void propertiesByName_data();
    void propertiesByName();
    void setterSideEffects_data();
    void setterSideEffects();
    void limitsFollowRules();
    void logarithmicFitsLimits();
    void replacedColorRepaints();
    void layoutFollowsOrientationAndFont_data();
    void layoutFollowsOrientationAndFont();
    void resizeReachesAxisAlongBarOnly();
    void mouse_data();
    void mouse();
};

void tst_WidgetProperties::metaObject()
{
    const QMetaObject &mo = ValueColorConverterWidget::staticMetaObject;
    QCOMPARE(mo.className(), "ValueColorConverterWidget");
    QCOMPARE(mo.superClass(), &QWidget::staticMetaObject);

    const QStringList names{"orientation",       "logarithmic",      "axisShowLabels",
                            "axisTickSize",      "axisColor",        "axisLabelColor",
                            "absMinForLogScale", "imageBorderColor", "imageBorder"};
    const QStringList types{"ControlOrientation",
                            "bool",
                            "bool",
                            "int",
                            "QColor",
                            "QColor",
                            "double",
                            "QColor",
                            "bool"};
    QCOMPARE(mo.propertyCount() - mo.propertyOffset(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        const QMetaProperty p = mo.property(mo.propertyOffset() + i);
        QCOMPARE(QString::fromLatin1(p.name()), names.at(i));
        QVERIFY2(QString::fromLatin1(p.typeName()).endsWith(types.at(i)), p.typeName());
        QVERIFY(p.isReadable() && p.isWritable());
        QVERIFY(!p.isResettable() && !p.hasNotifySignal() && !p.isConstant() && !p.isFinal());
        QVERIFY(p.isDesignable() && p.isScriptable() && p.isStored());
        QCOMPARE(p.isEnumType(), i == 0);
    }

    QCOMPARE(mo.methodCount() - mo.methodOffset(), 2);
    const QMetaMethod down = mo.method(mo.methodOffset());
    const QMetaMethod doubleClick = mo.method(mo.methodOffset() + 1);
    QCOMPARE(down.methodSignature(), QByteArray("mouseDown(int,int,int)"));
    QCOMPARE(doubleClick.methodSignature(), QByteArray("mouseDoubleClick(int,int,int)"));
    QCOMPARE(down.methodType(), QMetaMethod::Signal);
    QCOMPARE(down.access(), QMetaMethod::Public);

    QCOMPARE(mo.enumeratorCount() - mo.enumeratorOffset(), 1);
    const QMetaEnum e = mo.enumerator(mo.enumeratorOffset());
    QCOMPARE(e.name(), "ControlOrientation");
    QCOMPARE(e.keyCount(), 2);
    QCOMPARE(e.keyToValue("Horizontal"), 0);
    QCOMPARE(e.keyToValue("Vertical"), 1);
}

void tst_WidgetProperties::defaults()
{
    ValueColorConverterWidget w;
    QCOMPARE(w.orientation(), ValueColorConverterWidget::Horizontal);
    QCOMPARE(w.logarithmic(), false);
    QCOMPARE(w.axisShowLabels(), false);
    QCOMPARE(w.axisTickSize(), 5);
    QCOMPARE(w.axisColor(), QColor(Qt::black));
    QCOMPARE(w.axisLabelColor(), QColor(Qt::black));
    QCOMPARE(w.absMinForLogScale(), 1e-10);
    QCOMPARE(w.imageBorderColor(), QColor(Qt::gray));
    QCOMPARE(w.imageBorder(), true);
    QCOMPARE(w.minimumSize(), QSize(10, 10));
    QCOMPARE(w.ruleSet.ruleList().size(), 2);
    // The axis spans the default rules from the start.
    QCOMPARE(w.valueAxis().getMinLimit(), 0.0);
    QCOMPARE(w.valueAxis().getMaxLimit(), 100.0);
}

void tst_WidgetProperties::propertiesByName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QVariant>("read");

    const QVariant vertical = QVariant::fromValue(ValueColorConverterWidget::Vertical);
    QTest::newRow("orientation by key")
            << QByteArray("orientation") << QVariant("Vertical") << vertical;
    QTest::newRow("orientation by number") << QByteArray("orientation") << QVariant(1) << vertical;
    QTest::newRow("orientation out of range")
            << QByteArray("orientation") << QVariant(-1301959076)
            << QVariant::fromValue(ValueColorConverterWidget::Horizontal);
    QTest::newRow("logarithmic") << QByteArray("logarithmic") << QVariant(true) << QVariant(true);
    QTest::newRow("axisShowLabels")
            << QByteArray("axisShowLabels") << QVariant(true) << QVariant(true);
    QTest::newRow("axisTickSize") << QByteArray("axisTickSize") << QVariant(9) << QVariant(9);
    QTest::newRow("negative tick size")
            << QByteArray("axisTickSize") << QVariant(-3) << QVariant(0);
    QTest::newRow("axisColor") << QByteArray("axisColor") << QVariant(QColor(Qt::blue))
                               << QVariant(QColor(Qt::blue));
    QTest::newRow("axisLabelColor") << QByteArray("axisLabelColor") << QVariant(QColor(Qt::red))
                                    << QVariant(QColor(Qt::red));
    QTest::newRow("absMinForLogScale")
            << QByteArray("absMinForLogScale") << QVariant(1e-3) << QVariant(1e-3);
    QTest::newRow("absMin zero") << QByteArray("absMinForLogScale") << QVariant(0.0)
                                 << QVariant(1e-13);
    QTest::newRow("absMin negative")
            << QByteArray("absMinForLogScale") << QVariant(-1.0) << QVariant(1e-13);
    QTest::newRow("imageBorderColor") << QByteArray("imageBorderColor")
                                      << QVariant(QColor(Qt::cyan)) << QVariant(QColor(Qt::cyan));
    QTest::newRow("imageBorder") << QByteArray("imageBorder") << QVariant(false) << QVariant(false);
}

void tst_WidgetProperties::propertiesByName()
{
    QFETCH(QByteArray, name);
    QFETCH(QVariant, written);
    QFETCH(QVariant, read);

    ValueColorConverterWidget w;
    QVERIFY(w.setProperty(name.constData(), written));
    const QVariant actual = w.property(name.constData());
    if (name == "orientation")
        QCOMPARE(actual.toInt(), read.toInt());
    else
        QCOMPARE(actual, read);
}

void tst_WidgetProperties::setterSideEffects_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("repaints");

    QTest::newRow("orientation") << QByteArray("orientation") << QVariant(0) << true;
    QTest::newRow("logarithmic") << QByteArray("logarithmic") << QVariant(false) << true;
    QTest::newRow("axisShowLabels") << QByteArray("axisShowLabels") << QVariant(false) << true;
    QTest::newRow("axisTickSize") << QByteArray("axisTickSize") << QVariant(8) << false;
    QTest::newRow("axisColor") << QByteArray("axisColor") << QVariant(QColor(Qt::red)) << true;
    QTest::newRow("axisLabelColor")
            << QByteArray("axisLabelColor") << QVariant(QColor(Qt::red)) << true;
    QTest::newRow("absMinForLogScale") << QByteArray("absMinForLogScale") << QVariant(1.0) << false;
    QTest::newRow("imageBorderColor")
            << QByteArray("imageBorderColor") << QVariant(QColor(Qt::red)) << true;
    QTest::newRow("imageBorder") << QByteArray("imageBorder") << QVariant(true) << true;
}

void tst_WidgetProperties::setterSideEffects()
{
    QFETCH(QByteArray, name);
    QFETCH(QVariant, value);
    QFETCH(bool, repaints);

    ValueColorConverterWidget w;
    w.resize(200, 40);
    QVERIFY(showSettled(w));
    PaintCounter counter(&w);
    QVERIFY(w.setProperty(name.constData(), value));
    deliverQueuedEvents();
    QCOMPARE(counter.count > 0, repaints);
}

void tst_WidgetProperties::limitsFollowRules()
{
    ValueColorConverterWidget w;
    w.resize(200, 40);
    QVERIFY(w.addRule(50, Qt::blue));
    QCOMPARE(w.valueAxis().getMinLimit(), 0.0);
    QCOMPARE(w.valueAxis().getMaxLimit(), 100.0);
    QVERIFY(!w.valueAxis().isPreparationNeeded());

    QVERIFY(w.addRule(200, Qt::blue));
    QCOMPARE(w.valueAxis().getMaxLimit(), 200.0);
    // A replaced colour leaves the axis alone, even when its limits are stale.
    w.ruleSet.addRule(300, Qt::red);
    QVERIFY(!w.addRule(300, Qt::yellow));
    QCOMPARE(w.valueAxis().getMaxLimit(), 200.0);
    QCOMPARE(w.ruleSet.ruleList().last().getColor(), QColor(Qt::yellow));
    QVERIFY(w.removeRule(300));

    QVERIFY(w.removeRule(200));
    QVERIFY(w.removeRule(100));
    QVERIFY(w.removeRule(50));
    QCOMPARE(w.valueAxis().getMinLimit(), 0.0);
    QCOMPARE(w.valueAxis().getMaxLimit(), 0.0);
    double lo = 0;
    double hi = 0;
    w.valueAxis().getLimits(lo, hi);
    QCOMPARE(lo, -1.0);
    QCOMPARE(hi, 1.0);
    QVERIFY(!w.removeRule(7));
}

void tst_WidgetProperties::logarithmicFitsLimits()
{
    ValueColorConverterWidget w;
    QVERIFY(w.addRule(50, Qt::blue));
    w.setLogarithmic(true);
    QVERIFY(w.logarithmic());
    QCOMPARE(w.ruleSet.getMin(), 50.0);
    QCOMPARE(w.valueAxis().getMinLimit(), 50.0);
    QVERIFY(w.valueAxis().isLogarithmic());

    w.ruleSet.clear();
    w.setLogarithmic(false);
    QCOMPARE(w.valueAxis().getMinLimit(), 50.0);
    QCOMPARE(w.valueAxis().getMaxLimit(), 100.0);
}

void tst_WidgetProperties::replacedColorRepaints()
{
    ValueColorConverterWidget w;
    w.resize(200, 40);
    QVERIFY(showSettled(w));
    PaintCounter counter(&w);
    QVERIFY(!w.addRule(100, Qt::blue));
    deliverQueuedEvents();
    QVERIFY(counter.count > 0);
}

void tst_WidgetProperties::layoutFollowsOrientationAndFont_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("pixelSize");

    // the new length equals the old thickness: 15 + 5 across a horizontal axis, the width of
    // "100" (20) + 5 across a vertical one
    QTest::newRow("to vertical") << QSize(40, 20) << true << 12;
    QTest::newRow("to horizontal") << QSize(25, 100) << false << 12;
    QTest::newRow("larger font") << QSize(200, 60) << false << 20;
    QTest::newRow("larger font, vertical") << QSize(60, 200) << true << 20;
}

void tst_WidgetProperties::layoutFollowsOrientationAndFont()
{
    QFETCH(QSize, size);
    QFETCH(bool, vertical);
    QFETCH(int, pixelSize);
    const auto orientation =
            vertical ? ValueColorConverterWidget::Vertical : ValueColorConverterWidget::Horizontal;
    const QFont font = testFont("DejaVu Sans Mono", pixelSize);

    ValueColorConverterWidget fresh;
    fresh.setFont(font);
    fresh.resize(size);
    fresh.setOrientation(orientation);
    fresh.setAxisShowLabels(true);

    const bool fontChanges = pixelSize != 12;
    ValueColorConverterWidget changed;
    changed.setFont(testFont("DejaVu Sans Mono", 12));
    changed.resize(size);
    const auto other =
            vertical ? ValueColorConverterWidget::Horizontal : ValueColorConverterWidget::Vertical;
    changed.setOrientation(fontChanges ? orientation : other);
    changed.setAxisShowLabels(true);
    QVERIFY(showSettled(changed));
    PaintCounter counter(&changed);
    if (fontChanges)
        changed.setFont(font);
    else
        changed.setOrientation(orientation);
    QCOMPARE(static_cast<const QRect &>(changed.valueAxis()),
             static_cast<const QRect &>(fresh.valueAxis()));
    QCOMPARE(grabImage(changed), grabImage(fresh));
    deliverQueuedEvents();
    QVERIFY(counter.count > 0);
}

void tst_WidgetProperties::resizeReachesAxisAlongBarOnly()
{
    ValueColorConverterWidget w;
    w.resize(200, 40);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.valueAxis().width(), 200);
    QVERIFY(!w.valueAxis().isPreparationNeeded());

    w.resize(200, 60);
    QCOMPARE(w.valueAxis().width(), 200);
    w.resize(300, 40);
    QCOMPARE(w.valueAxis().width(), 300);
    QVERIFY(!w.valueAxis().isPreparationNeeded());

    w.setOrientation(ValueColorConverterWidget::Vertical);
    QCOMPARE(w.valueAxis().height(), 40);
    w.resize(100, 40);
    QCOMPARE(w.valueAxis().height(), 40);
    w.resize(100, 90);
    QCOMPARE(w.valueAxis().height(), 90);
    QVERIFY(!w.valueAxis().isPreparationNeeded());
}

void tst_WidgetProperties::mouse_data()
{
    QTest::addColumn<QEvent::Type>("type");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPointF>("local");
    QTest::addColumn<int>("downCode");
    QTest::addColumn<int>("doubleClickCode");
    QTest::addColumn<QPoint>("rounded");

    const QPointF at(10.4, 20.5);
    const QPoint rounded(10, 21);
    QTest::newRow("left press") << QEvent::MouseButtonPress << Qt::LeftButton << at << 1 << 0
                                << rounded;
    QTest::newRow("right press") << QEvent::MouseButtonPress << Qt::RightButton << at << 2 << 0
                                 << rounded;
    QTest::newRow("middle press") << QEvent::MouseButtonPress << Qt::MiddleButton << at << 0 << 0
                                  << rounded;
    QTest::newRow("back press") << QEvent::MouseButtonPress << Qt::BackButton << at << 0 << 0
                                << rounded;
    QTest::newRow("left double") << QEvent::MouseButtonDblClick << Qt::LeftButton << at << 0 << 1
                                 << rounded;
    QTest::newRow("right double") << QEvent::MouseButtonDblClick << Qt::RightButton << QPointF(3, 4)
                                  << 0 << 2 << QPoint(3, 4);
    QTest::newRow("middle double")
            << QEvent::MouseButtonDblClick << Qt::MiddleButton << at << 0 << 0 << rounded;
}

void tst_WidgetProperties::mouse()
{
    QFETCH(QEvent::Type, type);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPointF, local);
    QFETCH(int, downCode);
    QFETCH(int, doubleClickCode);
    QFETCH(QPoint, rounded);

    ValueColorConverterWidget w;
    w.resize(200, 40);
    w.move(37, 53);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy down(&w, &ValueColorConverterWidget::mouseDown);
    QSignalSpy doubleClick(&w, &ValueColorConverterWidget::mouseDoubleClick);

    QMouseEvent event(type, local, local + w.mapToGlobal(QPoint()), button, button, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);

    const QPoint global = w.mapToGlobal(rounded);
    const QList<QVariant> expected{downCode ? downCode : doubleClickCode, global.x(), global.y()};
    QCOMPARE(down.count(), downCode ? 1 : 0);
    QCOMPARE(doubleClick.count(), doubleClickCode ? 1 : 0);
    if (downCode)
        QCOMPARE(down.first(), expected);
    if (doubleClickCode)
        QCOMPARE(doubleClick.first(), expected);
}

QTEST_MAIN(tst_WidgetProperties)
#include "tst_widgetproperties.moc"
