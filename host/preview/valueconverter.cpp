#include "valueconverter.h"

#include "qtcompat.h"
#include "scripttext.h"

#include <QLocale>
#include <QMetaEnum>
#include <QStringList>

namespace {

QString enumKeys(const QMetaEnum &enumeration)
{
    QStringList keys;
    for (int i = 0; i < enumeration.keyCount(); ++i)
        keys.append(QString::fromLatin1(enumeration.key(i)));
    return keys.join(QLatin1String(", "));
}

} // namespace

bool ValueConverter::toPropertyValue(const QMetaProperty &property, const QString &text,
                                     QVariant &value, QString &error)
{
    // Text between double quotes loses them; anything else is taken as written.
    QString plain = text;
    ScriptText::unquote(text, plain, ScriptText::Escapes::Keep);
    const bool ok = property.isEnumType() ? toEnumValue(property.enumerator(), plain, value)
                                          : toTypedValue(property.userType(), plain, value);
    if (!ok)
        error = QStringLiteral("malformed value %1 for %2: expected %3")
                        .arg(text, QString::fromLatin1(property.name()), expectation(property));
    return ok;
}

bool ValueConverter::toArgumentValue(const ScriptArgument &argument, int type, QVariant &value,
                                     QString &error)
{
    if (type == QMetaType::UnknownType) {
        value = argument.value;
        return true;
    }
    const bool fromText =
            argument.kind == ScriptArgument::String || argument.kind == ScriptArgument::ColorText;
    const bool ok = fromText ? toTypedValue(type, argument.value.toString(), value)
                             : toTypedValue(type, argument.text, value);
    if (!ok)
        error = QStringLiteral("%1 is not %2").arg(argument.text, typeDescription(type));
    return ok;
}

bool ValueConverter::parseColor(const QString &text, QColor &color)
{
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('{')))
        return parseColorText(trimmed, color);
    if (!QColor::isValidColor(trimmed))
        return false;
    color = QColor(trimmed);
    return true;
}

bool ValueConverter::parseColorText(const QString &text, QColor &color)
{
    if (!text.endsWith(QLatin1Char('}')))
        return false;
    const QStringList parts = text.mid(1, text.size() - 2).split(QLatin1Char(','));
    if (parts.size() != 3 && parts.size() != 4)
        return false;
    int components[4] = {0, 0, 0, 255};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        components[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok || components[i] < 0 || components[i] > 255)
            return false;
    }
    color = QColor(components[0], components[1], components[2], components[3]);
    return true;
}

// A key (bare or class-qualified) or a number that names one of the keys.
bool ValueConverter::toEnumValue(const QMetaEnum &enumeration, const QString &text, QVariant &value)
{
    bool ok = false;
    int number = enumeration.isFlag() ? enumeration.keysToValue(text.toLatin1().constData(), &ok)
                                      : enumeration.keyToValue(text.toLatin1().constData(), &ok);
    if (!ok) {
        number = QLocale::c().toInt(text, &ok);
        ok = ok && (enumeration.isFlag() || enumeration.valueToKey(number) != nullptr);
    }
    if (ok)
        value = number;
    return ok;
}

bool ValueConverter::toTypedValue(int type, const QString &text, QVariant &value)
{
    const QLocale c = QLocale::c();
    bool ok = false;
    switch (type) {
    case QMetaType::Bool: {
        bool on = false;
        ok = ScriptText::parseBool(text, on);
        value = on;
        break;
    }
    case QMetaType::Int:
        value = c.toInt(text, &ok);
        break;
    case QMetaType::UInt:
        value = c.toUInt(text, &ok);
        break;
    case QMetaType::LongLong:
        value = c.toLongLong(text, &ok);
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        value = c.toDouble(text, &ok);
        break;
    case QMetaType::QColor: {
        QColor color;
        ok = parseColor(text, color);
        value = color;
        break;
    }
    case QMetaType::QString:
        value = text;
        ok = true;
        break;
    default:
        value = text;
        ok = QtCompat::convert(value, type);
    }
    return ok;
}

QString ValueConverter::typeDescription(int type)
{
    switch (type) {
    case QMetaType::Bool:
        return QStringLiteral("true or false");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return QStringLiteral("an integer");
    case QMetaType::Double:
    case QMetaType::Float:
        return QStringLiteral("a number");
    case QMetaType::QColor:
        return QStringLiteral("a colour ({r,g,b}, {r,g,b,a}, #rrggbb or a colour name)");
    default:
        return QStringLiteral("a %1").arg(QString::fromLatin1(QMetaType(type).name()));
    }
}

QString ValueConverter::expectation(const QMetaProperty &property)
{
    if (property.isEnumType())
        return QStringLiteral("one of %1 or its number").arg(enumKeys(property.enumerator()));
    return typeDescription(property.userType());
}
