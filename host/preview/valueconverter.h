#ifndef VALUECONVERTER_H
#define VALUECONVERTER_H

#include "statement.h"

#include <QColor>
#include <QMetaProperty>
#include <QString>
#include <QVariant>

// Turns script texts into the variants a widget property or a script method expects: the
// host's forms of booleans, numbers, enumeration keys and colours. Every conversion either
// yields a value of the requested type or says why not; nothing is guessed.
class ValueConverter
{
public:
    // the value for a property write from the text right of `=`
    static bool toPropertyValue(const QMetaProperty &property, const QString &text, QVariant &value,
                                QString &error);
    // a call argument, converted to `type` when the plug-in reports one (QVariant::Invalid:
    // none reported, the argument is passed as read)
    static bool toArgumentValue(const ScriptArgument &argument, int type, QVariant &value,
                                QString &error);

    // {r,g,b}, {r,g,b,a} with components 0..255, #rrggbb (and Qt's other # forms), or an
    // SVG colour name
    static bool parseColor(const QString &text, QColor &color);

private:
    static bool parseColorText(const QString &text, QColor &color);
    static bool toEnumValue(const QMetaEnum &enumeration, const QString &text, QVariant &value);
    static bool toTypedValue(int type, const QString &text, QVariant &value);
    static QString expectation(const QMetaProperty &property);
    static QString typeDescription(int type);
};

#endif // VALUECONVERTER_H
