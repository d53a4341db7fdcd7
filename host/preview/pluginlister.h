#ifndef PLUGINLISTER_H
#define PLUGINLISTER_H

#include <QString>
#include <QStringList>

class BaseExternWidget;
QT_FORWARD_DECLARE_CLASS(QMetaObject)
QT_FORWARD_DECLARE_CLASS(QObject)

// The --list report: what a panel engineer sees of a plug-in in the host's property editor
// and script help. The version text, the host signals, the script methods with the types
// methodInterface reports, and the widget's properties grouped by class (down to, not
// including, QWidget) with type and current value.
class PluginLister
{
public:
    static QStringList report(const QString &version, const BaseExternWidget &adapter);

private:
    static QStringList signalLines(const BaseExternWidget &adapter);
    static QStringList methodLines(const BaseExternWidget &adapter);
    static QString reportedTypes(const BaseExternWidget &adapter, const QString &signature);
    static QStringList propertyLines(const QObject &widget);
    static QStringList classPropertyLines(const QObject &widget, const QMetaObject &meta);
};

#endif // PLUGINLISTER_H
