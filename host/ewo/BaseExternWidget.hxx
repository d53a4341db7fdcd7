#ifndef BASEEXTERNWIDGET_HXX
#define BASEEXTERNWIDGET_HXX

// Stand-in for the host's extern-widget base class. It declares the interface a plug-in is
// written against, in the host's order of virtual operations, so that a plug-in built
// against this header builds unchanged against the host's own. The host describes argument
// types with QVariant::Type, which Qt 6 deprecates: the interface keeps it on both versions.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

QT_FORWARD_DECLARE_CLASS(QWidget)

#if defined(EWO_BUILD_LIBRARY)
#define EWO_EXPORT Q_DECL_EXPORT
#else
#define EWO_EXPORT Q_DECL_IMPORT
#endif

QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED

class EWO_EXPORT BaseExternWidget : public QObject
{
    Q_OBJECT

public:
    // The parent becomes the object's QObject parent.
    explicit BaseExternWidget(QWidget *parent);
    ~BaseExternWidget() override;

    // the widget the host embeds in its panel
    virtual QWidget *widget() const = 0;

    // host signals the plug-in can raise, as signature texts
    virtual QStringList signalList() const;
    // argument types of one host signal; false when not described
    virtual bool signalInterface(const QString &name, QList<QVariant::Type> &argTypes) const;

    // script methods, as signature texts
    virtual QStringList methodList() const;
    // return and argument types of one script method; false when not described
    virtual bool methodInterface(const QString &name, QVariant::Type &returnType,
                                 QList<QVariant::Type> &argTypes) const;
    // runs script method `name`; the base knows no method and complains in `error`
    virtual QVariant invokeMethod(const QString &name, QList<QVariant> &values, QString &error);

Q_SIGNALS:
    // a host signal raised by the plug-in, with its argument values in order
    void signal(const QString &name, const QList<QVariant> &values);

protected:
    // True when `values` holds at least `count` arguments; otherwise false with a complaint
    // naming the method and both counts in `error`.
    bool hasNumArgs(const QString &name, const QList<QVariant> &values, int count, QString &error);

private:
    Q_DISABLE_COPY(BaseExternWidget)
};

QT_WARNING_POP

#endif // BASEEXTERNWIDGET_HXX
