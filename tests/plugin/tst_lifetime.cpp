// Thousands of create/use/destroy cycles of adapters under one parent, in both orders of
// destruction. Run in the sanitizer build, AddressSanitizer reports any invalid access or
// double deletion and LeakSanitizer any leak at exit.

#include "pluginloader.h"

#include <BaseExternWidget.hxx>

#include <QtTest>
#include <QtWidgets>

namespace {
enum class Ending { AdapterThenParent, ParentOnly, AdapterOnly };
} // namespace

Q_DECLARE_METATYPE(Ending)

class tst_Lifetime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cycles_data();
    void cycles();

private:
    void use(BaseExternWidget &adapter, int cycle);

    PluginLoader plugin{QStringLiteral(PLUGIN_PATH)};
};

void tst_Lifetime::initTestCase()
{
    Failure failure;
    QVERIFY2(plugin.load(failure), qPrintable(failure.message));
}

// Exercises every part that allocates: rules, lists, colour texts, the axis and painting.
void tst_Lifetime::use(BaseExternWidget &adapter, int cycle)
{
    QString error;
    QList<QVariant> args{cycle % 200, QColor(cycle % 256, 0, 0, cycle % 255)};
    adapter.invokeMethod(QStringLiteral("addRule"), args, error);
    args = {QVariantList(), QVariantList()};
    adapter.invokeMethod(QStringLiteral("getRules"), args, error);
    args = {cycle * 0.5};
    adapter.invokeMethod(QStringLiteral("convert"), args, error);
    adapter.invokeMethod(QStringLiteral("unknown"), args, error);
    QWidget *widget = adapter.widget();
    widget->setProperty("axisShowLabels", cycle % 2 == 0);
    widget->setProperty("logarithmic", cycle % 3 == 0);
    widget->setProperty("orientation", cycle % 4 == 0 ? "Vertical" : "Horizontal");
    widget->resize(40 + cycle % 50, 30);
    if (cycle % 10 == 0)
        widget->grab();
    if (cycle % 7 == 0)
        adapter.invokeMethod(QStringLiteral("clearRules"), args, error);
}

void tst_Lifetime::cycles_data()
{
    QTest::addColumn<Ending>("ending");
    QTest::newRow("adapter, then parent") << Ending::AdapterThenParent;
    QTest::newRow("parent only") << Ending::ParentOnly;
    QTest::newRow("adapter only, parent reused") << Ending::AdapterOnly;
}

void tst_Lifetime::cycles()
{
    QFETCH(Ending, ending);

    QWidget sharedParent;
    for (int cycle = 0; cycle < 2000; ++cycle) {
        QWidget *parent = ending == Ending::AdapterOnly ? &sharedParent : new QWidget;
        Failure failure;
        QPointer<BaseExternWidget> adapter = plugin.create(parent, failure);
        QVERIFY2(adapter, qPrintable(failure.message));
        QPointer<QWidget> widget = adapter->widget();
        use(*adapter, cycle);
        if (ending != Ending::ParentOnly) {
            delete adapter;
            QVERIFY(widget);
        }
        if (ending != Ending::AdapterOnly) {
            delete parent;
            QVERIFY(!adapter);
            QVERIFY(!widget);
        } else {
            delete widget;
        }
    }
    QVERIFY(sharedParent.children().isEmpty());
}

QTEST_MAIN(tst_Lifetime)
#include "tst_lifetime.moc"
