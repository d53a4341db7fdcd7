#ifndef MIRELVALUECOLORCONVERTER_H
#define MIRELVALUECOLORCONVERTER_H

#include <QtGlobal>

// The host's interface describes types with QVariant::Type, which Qt 6 deprecates; its
// header and the one override that takes them are compiled without that warning.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
#include <BaseExternWidget.hxx>
QT_WARNING_POP

class ValueColorConverterWidget;

// The object the host holds for one placed colour scale. It creates the widget as a sibling
// under the host's parent (the parent owns both; the adapter never deletes the widget),
// forwards the widget's mouse signals as named host signals, and runs the five script
// methods on the widget and its rule set.
class MirelValueColorConverter : public BaseExternWidget
{
    Q_OBJECT

public:
    explicit MirelValueColorConverter(QWidget *parent);
    ~MirelValueColorConverter() override;

    QWidget *widget() const override;
    QStringList signalList() const override;
    QStringList methodList() const override;
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    bool methodInterface(const QString &name, QVariant::Type &returnType,
                         QList<QVariant::Type> &argTypes) const override;
    QT_WARNING_POP

public Q_SLOTS:
    QVariant invokeMethod(const QString &name, QList<QVariant> &values, QString &error) override;

private Q_SLOTS:
    void mouseDown(int button, int x, int y);
    void mouseDoubleClick(int button, int x, int y);

private:
    Q_DISABLE_COPY(MirelValueColorConverter)

    // One row per script method: its name, signature text, argument tests and handler.
    struct ScriptMethod;
    static const ScriptMethod scriptMethods[];
    static const ScriptMethod *findScriptMethod(const QString &name);
    bool argumentsAccepted(const ScriptMethod &method, const QString &name,
                           const QList<QVariant> &values, QString &error, QVariant &refusal);

    // the handlers, called once the method's arguments have passed their tests
    QVariant invokeClearRules(const QString &name, QList<QVariant> &values, QString &error);
    QVariant invokeAddRule(const QString &name, QList<QVariant> &values, QString &error);
    QVariant invokeRemoveRule(const QString &name, QList<QVariant> &values, QString &error);
    QVariant invokeConvert(const QString &name, QList<QVariant> &values, QString &error);
    QVariant invokeGetRules(const QString &name, QList<QVariant> &values, QString &error);
    QString colorToString(const QColor &color);

    ValueColorConverterWidget *converterWidget;
};

#endif // MIRELVALUECOLORCONVERTER_H
