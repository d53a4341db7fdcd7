#include "valueformatter.h"

#include <QColor>
#include <QMetaEnum>
#include <QStringList>

QString ValueFormatter::format(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::QColor:
        return colorText(value.value<QColor>());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Double:
    case QMetaType::Float:
        // 17 significant digits would show binary noise (0.1 as 0.10000000000000001)
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QString:
        return quoted(value.toString());
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        return formatList(value.toList());
    default:
        if (value.canConvert<QString>())
            return value.toString();
        return QStringLiteral("<%1>").arg(QString::fromLatin1(value.typeName()));
    }
}

QString ValueFormatter::colorText(const QColor &color)
{
    if (color.alpha() == 255)
        return QStringLiteral("{%1,%2,%3}").arg(color.red()).arg(color.green()).arg(color.blue());
    return QStringLiteral("{%1,%2,%3,%4}")
            .arg(color.red())
            .arg(color.green())
            .arg(color.blue())
            .arg(color.alpha());
}

QString ValueFormatter::formatProperty(const QMetaProperty &property, const QVariant &value)
{
    if (!property.isEnumType())
        return format(value);
    const QMetaEnum enumeration = property.enumerator();
    const int number = value.toInt();
    const QByteArray keys = enumeration.isFlag() ? enumeration.valueToKeys(number)
                                                 : QByteArray(enumeration.valueToKey(number));
    return keys.isEmpty() ? QString::number(number) : QString::fromLatin1(keys);
}

QString ValueFormatter::formatSignal(const QString &name, const QList<QVariant> &values)
{
    QStringList texts;
    for (const QVariant &value : values)
        texts.append(format(value));
    return QStringLiteral("%1(%2)").arg(name, texts.join(QLatin1String(", ")));
}

QString ValueFormatter::formatList(const QVariantList &values)
{
    QStringList texts;
    for (const QVariant &value : values)
        texts.append(format(value));
    return QStringLiteral("[%1]").arg(texts.join(QLatin1String(", ")));
}

QString ValueFormatter::quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    escaped.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QStringLiteral("\"%1\"").arg(escaped);
}
