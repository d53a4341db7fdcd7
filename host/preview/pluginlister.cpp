#include "pluginlister.h"

#include "scripttext.h"
#include "valueformatter.h"

#include <BaseExternWidget.hxx>

#include <QMetaEnum>
#include <QMetaProperty>
#include <QWidget>

namespace {

QString typeName(int type)
{
    // a QByteArray in Qt 5, a pointer to static text in Qt 6: kept as a QByteArray
    const QByteArray name = QMetaType(type).name();
    return name.isEmpty() ? QStringLiteral("?") : QString::fromLatin1(name);
}

// The type of a property as the host's panel editor names it: an enumeration by its own
// name ("ControlOrientation"), which Qt 6's typeName() qualifies with the class and Qt 5's
// does not.
QString propertyTypeName(const QMetaProperty &property)
{
    if (property.isEnumType())
        return QString::fromLatin1(property.enumerator().name());
    return QString::fromLatin1(property.typeName());
}

QString enumChoices(const QMetaProperty &property)
{
    if (!property.isEnumType())
        return {};
    const QMetaEnum enumeration = property.enumerator();
    QStringList keys;
    for (int i = 0; i < enumeration.keyCount(); ++i)
        keys.append(QStringLiteral("%1=%2")
                            .arg(QString::fromLatin1(enumeration.key(i)))
                            .arg(enumeration.value(i)));
    return QStringLiteral("  (%1)").arg(keys.join(QLatin1String(", ")));
}

} // namespace

QStringList PluginLister::report(const QString &version, const BaseExternWidget &adapter)
{
    QStringList lines;
    lines << QStringLiteral("version: %1").arg(version);
    lines << QStringLiteral("signals:") << signalLines(adapter);
    lines << QStringLiteral("methods:") << methodLines(adapter);
    lines << QStringLiteral("properties:") << propertyLines(*adapter.widget());
    return lines;
}

// The host's interface describes types with QVariant::Type, deprecated in Qt 6.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED

QStringList PluginLister::signalLines(const BaseExternWidget &adapter)
{
    QStringList lines;
    for (const QString &signature : adapter.signalList()) {
        QList<QVariant::Type> types;
        const QString name = signature.section(QLatin1Char('('), 0, 0).trimmed();
        QString line = QStringLiteral("  ") + signature;
        if (adapter.signalInterface(name, types)) {
            QStringList names;
            for (QVariant::Type type : types)
                names.append(typeName(int(type)));
            line += QStringLiteral("  [%1]").arg(names.join(QLatin1String(", ")));
        }
        lines.append(line);
    }
    return lines;
}

QStringList PluginLister::methodLines(const BaseExternWidget &adapter)
{
    QStringList lines;
    for (const QString &signature : adapter.methodList())
        lines.append(QStringLiteral("  ") + signature + reportedTypes(adapter, signature));
    return lines;
}

// "  [bool (double, QColor)]" when methodInterface describes the method, else nothing.
QString PluginLister::reportedTypes(const BaseExternWidget &adapter, const QString &signature)
{
    const QString name = ScriptText::methodName(signature);
    QVariant::Type returnType = QVariant::Invalid;
    QList<QVariant::Type> argTypes;
    if (name.isEmpty() || !adapter.methodInterface(name, returnType, argTypes))
        return {};
    QStringList names;
    for (QVariant::Type type : argTypes)
        names.append(typeName(int(type)));
    const QString returns =
            returnType == QVariant::Invalid ? QStringLiteral("void") : typeName(int(returnType));
    return QStringLiteral("  [%1 (%2)]").arg(returns, names.join(QLatin1String(", ")));
}

QT_WARNING_POP

QStringList PluginLister::propertyLines(const QObject &widget)
{
    QStringList lines;
    for (const QMetaObject *meta = widget.metaObject(); meta && meta != &QWidget::staticMetaObject;
         meta = meta->superClass()) {
        lines << QStringLiteral("  %1:").arg(QString::fromLatin1(meta->className()));
        lines << classPropertyLines(widget, *meta);
    }
    return lines;
}

QStringList PluginLister::classPropertyLines(const QObject &widget, const QMetaObject &meta)
{
    QStringList lines;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        const QString value = ValueFormatter::formatProperty(property, property.read(&widget));
        const QString access = property.isWritable() ? QString() : QStringLiteral(" (read-only)");
        lines.append(QStringLiteral("    %1 %2 = %3%4%5")
                             .arg(propertyTypeName(property),
                                  QString::fromLatin1(property.name()), value, access,
                                  enumChoices(property)));
    }
    return lines;
}
