#include "pluginloader.h"
#include "queuedevents.h"

#include <BaseExternWidget.hxx>

#include <QtTest>
#include <QtWidgets>

#include <limits>

namespace {

QColor rgba(int r, int g, int b, int a = 255)
{
    return QColor(r, g, b, a);
}

// Arguments as texts with their types, so that NaN arguments compare equal.
QStringList texts(const QList<QVariant> &values)
{
    QStringList out;
    for (const QVariant &v : values)
        out << QString::fromLatin1(v.typeName()) + ':' + v.toString();
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Qt::MouseButton)

class tst_MirelValueColorConverter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void versionString();
    void independentAdapters();
    void metaObject();
    void invokeThroughMetaObject();
    void signalList();
    void methodList();
    void methodInterface_data();
    void methodInterface();
    void invokeMethod_data();
    void invokeMethod();
    void getRules_data();
    void getRules();
    void getRulesFailures_data();
    void getRulesFailures();
    void clearRules();
    void hostSignals_data();
    void hostSignals();
    void deletingAdapterKeepsWidget();
    void deletingParentDeletesBoth();

private:
    QVariant invoke(const QString &name, QList<QVariant> values, QString &error);
    QStringList ruleTexts();

    PluginLoader plugin{QStringLiteral(PLUGIN_PATH)};
    QWidget *parent = nullptr;
    BaseExternWidget *adapter = nullptr;
};

void tst_MirelValueColorConverter::initTestCase()
{
    Failure failure;
    QVERIFY2(plugin.load(failure), qPrintable(failure.message));
}

void tst_MirelValueColorConverter::init()
{
    parent = new QWidget;
    Failure failure;
    adapter = plugin.create(parent, failure);
    QVERIFY(adapter);
}

void tst_MirelValueColorConverter::cleanup()
{
    delete parent;
    parent = nullptr;
    adapter = nullptr;
}

QVariant tst_MirelValueColorConverter::invoke(const QString &name, QList<QVariant> values,
                                              QString &error)
{
    return adapter->invokeMethod(name, values, error);
}

QStringList tst_MirelValueColorConverter::ruleTexts()
{
    QList<QVariant> values{QVariantList(), QVariantList()};
    QString error;
    adapter->invokeMethod(QStringLiteral("getRules"), values, error);
    QStringList texts;
    const QVariantList numbers = values.at(0).toList();
    const QVariantList colors = values.at(1).toList();
    for (int i = 0; i < numbers.size(); ++i)
        texts << QString::number(numbers.at(i).toDouble()) + '=' + colors.at(i).toString();
    return texts;
}

void tst_MirelValueColorConverter::versionString()
{
    const QString first = plugin.version();
    QCOMPARE(first, QStringLiteral("4"));
    delete parent;
    parent = nullptr;
    QCOMPARE(plugin.version(), first);
}

void tst_MirelValueColorConverter::independentAdapters()
{
    Failure failure;
    BaseExternWidget *second = plugin.create(parent, failure);
    QVERIFY(second != adapter);
    QVERIFY(second->widget() != adapter->widget());
    QCOMPARE(adapter->parent(), parent);
    QCOMPARE(adapter->widget()->parent(), parent);
    QCOMPARE(adapter->widget(), adapter->widget());

    QString error;
    QVERIFY(invoke("removeRule", {0.0}, error).toBool());
    QCOMPARE(ruleTexts(), QStringList{"100={255,0,0}"});
    QList<QVariant> values{QVariantList(), QVariantList()};
    QCOMPARE(second->invokeMethod("getRules", values, error), QVariant(2));
}

void tst_MirelValueColorConverter::metaObject()
{
    const QMetaObject *mo = adapter->metaObject();
    QCOMPARE(mo->className(), "MirelValueColorConverter");
    QCOMPARE(mo->superClass(), &BaseExternWidget::staticMetaObject);
    QCOMPARE(mo->propertyCount(), mo->propertyOffset());
    QCOMPARE(mo->enumeratorCount(), mo->enumeratorOffset());
    QCOMPARE(mo->classInfoCount(), mo->classInfoOffset());
    QCOMPARE(mo->constructorCount(), 0);

    QCOMPARE(mo->methodCount() - mo->methodOffset(), 3);
    const QMetaMethod invoke = mo->method(mo->methodOffset());
    QCOMPARE(invoke.methodSignature(),
             QByteArray("invokeMethod(QString,QList<QVariant>&,QString&)"));
    QCOMPARE(invoke.methodType(), QMetaMethod::Slot);
    QCOMPARE(invoke.access(), QMetaMethod::Public);
    QCOMPARE(invoke.typeName(), "QVariant");
    QCOMPARE(invoke.parameterNames(), (QList<QByteArray>{"name", "values", "error"}));
    const QByteArray mouseSlots[] = {"mouseDown(int,int,int)", "mouseDoubleClick(int,int,int)"};
    for (int i = 0; i < 2; ++i) {
        const QMetaMethod slot = mo->method(mo->methodOffset() + 1 + i);
        QCOMPARE(slot.methodSignature(), mouseSlots[i]);
        QCOMPARE(slot.methodType(), QMetaMethod::Slot);
        QCOMPARE(slot.access(), QMetaMethod::Private);
        QCOMPARE(slot.returnType(), int(QMetaType::Void));
    }

    QCOMPARE(adapter->qt_metacast("MirelValueColorConverter"), static_cast<void *>(adapter));
    QCOMPARE(adapter->qt_metacast("BaseExternWidget"), static_cast<void *>(adapter));
    QCOMPARE(adapter->qt_metacast("SomethingElse"), nullptr);
    QVERIFY(adapter->inherits("BaseExternWidget"));
}

// The slot reaches the adapter's own override, and changes the caller's arguments.
void tst_MirelValueColorConverter::invokeThroughMetaObject()
{
    QVariant result;
    QString name = QStringLiteral("getRules");
    QList<QVariant> values{QVariantList(), QVariantList()};
    QString error;
    QVERIFY(QMetaObject::invokeMethod(adapter, "invokeMethod", Qt::DirectConnection,
                                      Q_RETURN_ARG(QVariant, result), Q_ARG(QString, name),
                                      QGenericArgument("QList<QVariant>&", &values),
                                      QGenericArgument("QString&", &error)));
    QCOMPARE(result, QVariant(2));
    QCOMPARE(values.at(0).toList().size(), 2);
}

void tst_MirelValueColorConverter::signalList()
{
    const QStringList expected{"mouseDown(int button, int x, int y)",
                               "mouseDoubleClick(int button, int x, int y)"};
    QCOMPARE(adapter->signalList(), expected);
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED // the host interface's QVariant::Type
            QList<QVariant::Type>
                    types;
    QVERIFY(!adapter->signalInterface("mouseDown", types));
    QVERIFY(types.isEmpty());
    QT_WARNING_POP
}

void tst_MirelValueColorConverter::methodList()
{
    const QStringList expected{"void clearRules()", "bool addRule(float value, string color)",
                               "bool removeRule(float value)", "string convert(float value)",
                               "int getRules(dyn_float &dfValues, dyn_string &dsColors)"};
    QCOMPARE(adapter->methodList(), expected);
}

void tst_MirelValueColorConverter::methodInterface_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("described");
    QTest::addColumn<int>("returnType");
    QTest::addColumn<QList<int>>("argTypes");

    // QVariant::Type codes are the QMetaType ids of the same types
    const QList<int> before{QMetaType::QString};
    const int untouched = QMetaType::User;
    QTest::newRow("addRule") << "addRule" << true << int(QMetaType::Bool)
                             << (before + QList<int>{QMetaType::Double, QMetaType::QColor});
    QTest::newRow("convert") << "convert" << true << int(QMetaType::QColor)
                             << (before + QList<int>{QMetaType::Double});
    for (const char *name : {"clearRules", "removeRule", "getRules", "AddRule", "nothing"})
        QTest::newRow(name) << name << false << untouched << before;
}

void tst_MirelValueColorConverter::methodInterface()
{
    QFETCH(QString, name);
    QFETCH(bool, described);
    QFETCH(int, returnType);
    QFETCH(QList<int>, argTypes);

    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED // the host interface's QVariant::Type
            QVariant::Type actualReturn = QVariant::UserType;
    QList<QVariant::Type> actualArgs{QVariant::String};
    QCOMPARE(adapter->methodInterface(name, actualReturn, actualArgs), described);
    QList<int> args;
    for (QVariant::Type t : actualArgs)
        args << int(t);
    QT_WARNING_POP
    QCOMPARE(int(actualReturn), returnType);
    QCOMPARE(args, argTypes);
}

void tst_MirelValueColorConverter::invokeMethod_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<QVariant>>("values");
    QTest::addColumn<QVariant>("result");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("rules");

    const QString kept = QStringLiteral("kept");
    const QStringList defaults{"0={0,255,0}", "100={255,0,0}"};
    const QVariant blue = QColor(Qt::blue);
    const QString notFloat = QStringLiteral("argument 1 (value) is not float");
    const QString notColor = QStringLiteral("argument 2 (color) is not color");

    QTest::newRow("add") << "addRule" << QList<QVariant>{50.0, blue} << QVariant(true) << kept
                         << QStringList{"0={0,255,0}", "50={0,0,255}", "100={255,0,0}"};
    QTest::newRow("add replaces colour")
            << "addRule" << QList<QVariant>{100, blue} << QVariant(false) << kept
            << QStringList{"0={0,255,0}", "100={0,0,255}"};
    QTest::newRow("add extra arguments ignored")
            << "addRule" << QList<QVariant>{50.0, blue, "x"} << QVariant(true) << kept
            << QStringList{"0={0,255,0}", "50={0,0,255}", "100={255,0,0}"};
    QTest::newRow("add numeric text")
            << "addRule" << QList<QVariant>{"2.5", blue} << QVariant(true) << kept
            << QStringList{"0={0,255,0}", "2.5={0,0,255}", "100={255,0,0}"};
    // a typo or a value without a place on the scale changes nothing and says so
    QTest::newRow("add text not a number fails")
            << "addRule" << QList<QVariant>{"abc", blue} << QVariant(false) << notFloat << defaults;
    QTest::newRow("add number with trailing text fails")
            << "addRule" << QList<QVariant>{"12a", blue} << QVariant(false) << notFloat << defaults;
    QTest::newRow("add empty text fails")
            << "addRule" << QList<QVariant>{"", blue} << QVariant(false) << notFloat << defaults;
    QTest::newRow("add nan fails") << "addRule" << QList<QVariant>{qQNaN(), blue} << QVariant(false)
                                   << notFloat << defaults;
    QTest::newRow("add infinity fails") << "addRule" << QList<QVariant>{qInf(), blue}
                                        << QVariant(false) << notFloat << defaults;
    QTest::newRow("add -infinity text fails") << "addRule" << QList<QVariant>{"-inf", blue}
                                              << QVariant(false) << notFloat << defaults;
    QTest::newRow("add invalid colour fails")
            << "addRule" << QList<QVariant>{7, QColor()} << QVariant(false) << notColor << defaults;
    QTest::newRow("add colour text naming nothing fails")
            << "addRule" << QList<QVariant>{7, "bluish"} << QVariant(false) << notColor << defaults;
    QTest::newRow("add colour text")
            << "addRule" << QList<QVariant>{7, "#ff8000"} << QVariant(true) << kept
            << QStringList{"0={0,255,0}", "7={255,128,0}", "100={255,0,0}"};
    QTest::newRow("add integer colour")
            << "addRule" << QList<QVariant>{7, 5} << QVariant(false) << notColor << defaults;
    QTest::newRow("add both wrong") << "addRule" << QList<QVariant>{QVariantList(), 5}
                                    << QVariant(false) << notFloat << defaults;
    QTest::newRow("add too few") << "addRule" << QList<QVariant>{7} << QVariant(false)
                                 << "addRule: 2 arguments required, 1 given" << defaults;
    QTest::newRow("remove") << "removeRule" << QList<QVariant>{100} << QVariant(true) << kept
                            << QStringList{"0={0,255,0}"};
    QTest::newRow("remove missing")
            << "removeRule" << QList<QVariant>{7} << QVariant(false) << kept << defaults;
    QTest::newRow("remove wrong type") << "removeRule" << QList<QVariant>{QVariant(QVariantList())}
                                       << QVariant(false) << notFloat << defaults;
    QTest::newRow("remove text not a number fails")
            << "removeRule" << QList<QVariant>{"abc"} << QVariant(false) << notFloat << defaults;
    QTest::newRow("remove none") << "removeRule" << QList<QVariant>{} << QVariant(false)
                                 << "removeRule: 1 arguments required, 0 given" << defaults;
    QTest::newRow("convert") << "convert" << QList<QVariant>{50}
                             << QVariant(QColor::fromHsvF(1.0 / 6, 1, 1)) << kept << defaults;
    QTest::newRow("convert nan") << "convert"
                                 << QList<QVariant>{std::numeric_limits<double>::quiet_NaN()}
                                 << QVariant(QColor(Qt::red)) << kept << defaults;
    QTest::newRow("convert text not a number fails")
            << "convert" << QList<QVariant>{"12a"} << QVariant(false) << notFloat << defaults;
    QTest::newRow("convert wrong type") << "convert" << QList<QVariant>{QVariant(QVariantList())}
                                        << QVariant(false) << notFloat << defaults;
    QTest::newRow("clear ignores arguments")
            << "clearRules" << QList<QVariant>{1, "x"} << QVariant() << kept << QStringList{};
    QTest::newRow("case differs") << "ClearRules" << QList<QVariant>{} << QVariant()
                                  << "unknown method ClearRules" << defaults;
    QTest::newRow("trailing space") << "convert " << QList<QVariant>{1} << QVariant()
                                    << "unknown method convert " << defaults;
}

void tst_MirelValueColorConverter::invokeMethod()
{
    QFETCH(QString, name);
    QFETCH(QList<QVariant>, values);
    QFETCH(QVariant, result);
    QFETCH(QString, error);
    QFETCH(QStringList, rules);

    QString actualError = QStringLiteral("kept");
    const QList<QVariant> given = values;
    const QVariant actual = adapter->invokeMethod(name, values, actualError);
    QCOMPARE(actual.userType(), result.userType());
    if (result.userType() == QMetaType::QColor)
        QCOMPARE(actual.value<QColor>().rgba(), result.value<QColor>().rgba());
    else
        QCOMPARE(actual, result);
    QCOMPARE(actualError, error);
    QCOMPARE(texts(values), texts(given));
    QCOMPARE(ruleTexts(), rules);
}

void tst_MirelValueColorConverter::getRules_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("text");

    QTest::newRow("opaque") << rgba(255, 128, 0) << "{255,128,0}";
    QTest::newRow("alpha 254") << rgba(255, 128, 0, 254) << "{255,128,0,254}";
    QTest::newRow("alpha 127") << rgba(255, 128, 0, 127) << "{255,128,0,127}";
    QTest::newRow("transparent") << rgba(1, 2, 3, 0) << "{1,2,3,0}";
    QTest::newRow("hsv colour") << QColor::fromHsv(240, 255, 255) << "{0,0,255}";
}

// Lists given in the arguments are replaced by variant lists of doubles and texts.
void tst_MirelValueColorConverter::getRules()
{
    QFETCH(QColor, color);
    QFETCH(QString, text);

    QString error = QStringLiteral("kept");
    QList<QVariant> values;
    QVERIFY(adapter->invokeMethod("clearRules", values, error).isNull());
    values = {0.0, color};
    QVERIFY(adapter->invokeMethod("addRule", values, error).toBool());
    values = {100.0, QColor(Qt::red)};
    QVERIFY(adapter->invokeMethod("addRule", values, error).toBool());

    values = {QVariantList{1, 2, 3}, QVariantList{"old"}};
    const QVariant result = adapter->invokeMethod("getRules", values, error);
    QCOMPARE(result.userType(), int(QMetaType::Int));
    QCOMPARE(result.toInt(), 2);
    QCOMPARE(values.at(0).userType(), int(QMetaType::QVariantList));
    QCOMPARE(values.at(1).userType(), int(QMetaType::QVariantList));
    QCOMPARE(values.at(0).toList(), (QVariantList{0.0, 100.0}));
    QCOMPARE(values.at(0).toList().at(0).userType(), int(QMetaType::Double));
    QCOMPARE(values.at(1).toList(), (QVariantList{text, QStringLiteral("{255,0,0}")}));
    QCOMPARE(values.at(1).toList().at(0).userType(), int(QMetaType::QString));
    QCOMPARE(error, QStringLiteral("kept"));
}

void tst_MirelValueColorConverter::getRulesFailures_data()
{
    QTest::addColumn<QList<QVariant>>("values");
    QTest::addColumn<QVariant>("result");
    QTest::addColumn<QString>("error");

    QTest::newRow("one argument") << QList<QVariant>{QVariant(QVariantList())} << QVariant(-1)
                                  << "getRules: 2 arguments required, 1 given";
    QTest::newRow("first not a list")
            << QList<QVariant>{5, 5} << QVariant(false) << "argument 1 (dfValues) is not dyn_float";
    QTest::newRow("second not a list") << QList<QVariant>{QVariantList(), 5} << QVariant(false)
                                       << "argument 2 (dsColors) is not dyn_string";
}

void tst_MirelValueColorConverter::getRulesFailures()
{
    QFETCH(QList<QVariant>, values);
    QFETCH(QVariant, result);
    QFETCH(QString, error);

    const QList<QVariant> given = values;
    QString actualError;
    const QVariant actual = adapter->invokeMethod("getRules", values, actualError);
    QCOMPARE(actual.userType(), result.userType());
    QCOMPARE(actual, result);
    QCOMPARE(actualError, error);
    QCOMPARE(values, given);
}

// Clearing keeps the axis limits and still repaints when the set was already empty.
void tst_MirelValueColorConverter::clearRules()
{
    QWidget *widget = adapter->widget();
    widget->resize(200, 40);
    parent->show();
    QVERIFY(QTest::qWaitForWindowExposed(parent));
    QList<QVariant> values;
    QString error;
    adapter->invokeMethod("clearRules", values, error);
    deliverQueuedEvents();

    int paints = 0;
    struct Filter : QObject
    {
        int *count;
        explicit Filter(int *c) : count(c) { }
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                ++*count;
            return false;
        }
    } filter(&paints);
    widget->installEventFilter(&filter);
    QVERIFY(adapter->invokeMethod("clearRules", values, error).isNull());
    deliverQueuedEvents();
    QVERIFY(paints > 0);
    widget->removeEventFilter(&filter);

    values = {QVariantList(), QVariantList()};
    QCOMPARE(adapter->invokeMethod("getRules", values, error), QVariant(0));
    QCOMPARE(values.at(0).toList(), QVariantList());
    values = {42};
    QCOMPARE(adapter->invokeMethod("convert", values, error).value<QColor>(), QColor(Qt::white));
    const QImage image = widget->grab().toImage();
    QCOMPARE(QColor(image.pixel(100, 10)), QColor(Qt::white));
}

void tst_MirelValueColorConverter::hostSignals_data()
{
    QTest::addColumn<QEvent::Type>("type");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("signalName");
    QTest::addColumn<int>("code");

    QTest::newRow("left press") << QEvent::MouseButtonPress << Qt::LeftButton << "mouseDown" << 1;
    QTest::newRow("right double") << QEvent::MouseButtonDblClick << Qt::RightButton
                                  << "mouseDoubleClick" << 2;
    QTest::newRow("middle press") << QEvent::MouseButtonPress << Qt::MiddleButton << QString() << 0;
}

// The host signal is raised inside the widget's event handler.
void tst_MirelValueColorConverter::hostSignals()
{
    QFETCH(QEvent::Type, type);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, signalName);
    QFETCH(int, code);

    QWidget *widget = adapter->widget();
    widget->resize(200, 40);
    parent->move(40, 60);
    parent->show();
    QVERIFY(QTest::qWaitForWindowExposed(parent));
    QSignalSpy spy(adapter, &BaseExternWidget::signal);
    const QPoint local(12, 7);
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);

    if (signalName.isEmpty()) {
        QCOMPARE(spy.count(), 0);
        return;
    }
    QCOMPARE(spy.count(), 1);
    const QPoint global = widget->mapToGlobal(local);
    QCOMPARE(spy.first().at(0).toString(), signalName);
    const QVariantList args = spy.first().at(1).value<QList<QVariant>>();
    QCOMPARE(args, (QVariantList{code, global.x(), global.y()}));
    QCOMPARE(args.at(0).userType(), int(QMetaType::Int));
}

void tst_MirelValueColorConverter::deletingAdapterKeepsWidget()
{
    QPointer<QWidget> widget = adapter->widget();
    delete adapter;
    QVERIFY(widget);
    QCOMPARE(widget->parent(), parent);
    // The widget still works and its signals go nowhere.
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void tst_MirelValueColorConverter::deletingParentDeletesBoth()
{
    QPointer<BaseExternWidget> guardedAdapter = adapter;
    QPointer<QWidget> widget = adapter->widget();
    delete parent;
    parent = nullptr;
    QVERIFY(!guardedAdapter);
    QVERIFY(!widget);
}

QTEST_MAIN(tst_MirelValueColorConverter)
#include "tst_mirelvaluecolorconverter.moc"
