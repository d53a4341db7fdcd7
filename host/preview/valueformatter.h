#ifndef VALUEFORMATTER_H
#define VALUEFORMATTER_H

#include <QList>
#include <QMetaProperty>
#include <QString>
#include <QVariant>

// Writes variants the way a script sees them: colours as colour texts {r,g,b} or
// {r,g,b,a}, booleans as true/false, numbers in the shortest exact form, strings quoted,
// lists in brackets, and an invalid variant as nothing at all.
class ValueFormatter
{
public:
    static QString format(const QVariant &value);
    static QString colorText(const QColor &color);
    // a property's current value; enumerations by key
    static QString formatProperty(const QMetaProperty &property, const QVariant &value);
    // a host signal as it arrives: name(value, value, ...)
    static QString formatSignal(const QString &name, const QList<QVariant> &values);

private:
    static QString formatList(const QVariantList &values);
    static QString quoted(const QString &text);
};

#endif // VALUEFORMATTER_H
