#include "mirelvaluecolorconverter.h"

#include "valuecolorconverterwidget.h"

#include <QColor>

#include <cmath>

namespace {

// A value argument must hold a number: a text that is not one ("abc", "") is refused rather
// than read as 0, so that a typo cannot change the rule at 0.
bool readValue(const QVariant &argument, double &value)
{
    if (!argument.canConvert<double>())
        return false;
    bool ok = false;
    value = argument.toDouble(&ok);
    return ok;
}

// Rule values must be finite as well: a NaN or infinite rule could never be removed again and
// would leave the axis without a scale.
bool readRuleValue(const QVariant &argument, double &value)
{
    return readValue(argument, value) && std::isfinite(value);
}

// A colour argument must give a valid colour: a text that names none is refused rather than
// stored as an invalid colour.
bool readColor(const QVariant &argument, QColor &color)
{
    if (!argument.canConvert<QColor>())
        return false;
    color = argument.value<QColor>();
    return color.isValid();
}

QVariant valueRefused(QString &error)
{
    error = QStringLiteral("argument 1 (value) is not float");
    return QVariant(false);
}

} // namespace

MirelValueColorConverter::MirelValueColorConverter(QWidget *parent)
    : BaseExternWidget(parent), converterWidget(new ValueColorConverterWidget(parent))
{
    connect(converterWidget, SIGNAL(mouseDown(int, int, int)), this,
            SLOT(mouseDown(int, int, int)));
    connect(converterWidget, SIGNAL(mouseDoubleClick(int, int, int)), this,
            SLOT(mouseDoubleClick(int, int, int)));
}

// The widget belongs to the parent, not to the adapter.
MirelValueColorConverter::~MirelValueColorConverter() = default;

QWidget *MirelValueColorConverter::widget() const
{
    return converterWidget;
}

QStringList MirelValueColorConverter::signalList() const
{
    return {QStringLiteral("mouseDown(int button, int x, int y)"),
            QStringLiteral("mouseDoubleClick(int button, int x, int y)")};
}

void MirelValueColorConverter::mouseDown(int button, int x, int y)
{
    signal(QStringLiteral("mouseDown"), QList<QVariant>{button, x, y});
}

void MirelValueColorConverter::mouseDoubleClick(int button, int x, int y)
{
    signal(QStringLiteral("mouseDoubleClick"), QList<QVariant>{button, x, y});
}

QStringList MirelValueColorConverter::methodList() const
{
    return {QStringLiteral("void clearRules()"),
            QStringLiteral("bool addRule(float value, string color)"),
            QStringLiteral("bool removeRule(float value)"),
            QStringLiteral("string convert(float value)"),
            QStringLiteral("int getRules(dyn_float &dfValues, dyn_string &dsColors)")};
}

// Describes "addRule" and "convert" only; the types are appended to what argTypes holds.
// The codes are the host Qt's own QVariant::Type values (deprecated in Qt 6, kept by the host).
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
bool MirelValueColorConverter::methodInterface(const QString &name, QVariant::Type &returnType,
                                               QList<QVariant::Type> &argTypes) const
{
    if (name == QLatin1String("addRule")) {
        returnType = QVariant::Bool;
        argTypes.append(QVariant::Double);
        argTypes.append(QVariant::Color);
        return true;
    }
    if (name == QLatin1String("convert")) {
        returnType = QVariant::Color;
        argTypes.append(QVariant::Double);
        return true;
    }
    return false;
}
QT_WARNING_POP

QVariant MirelValueColorConverter::invokeMethod(const QString &name, QList<QVariant> &values,
                                                QString &error)
{
    if (name == QLatin1String("clearRules"))
        return invokeClearRules(name, values, error);
    if (name == QLatin1String("addRule"))
        return invokeAddRule(name, values, error);
    if (name == QLatin1String("removeRule"))
        return invokeRemoveRule(name, values, error);
    if (name == QLatin1String("convert"))
        return invokeConvert(name, values, error);
    if (name == QLatin1String("getRules"))
        return invokeGetRules(name, values, error);
    return BaseExternWidget::invokeMethod(name, values, error);
}

QVariant MirelValueColorConverter::invokeClearRules(const QString &, QList<QVariant> &, QString &)
{
    converterWidget->ruleSet.clear();
    converterWidget->update();
    return {};
}

QVariant MirelValueColorConverter::invokeAddRule(const QString &name, QList<QVariant> &values,
                                                 QString &error)
{
    if (!hasNumArgs(name, values, 2, error))
        return QVariant(false);
    double value = 0;
    if (!readRuleValue(values.at(0), value))
        return valueRefused(error);
    QColor color;
    if (!readColor(values.at(1), color)) {
        error = QStringLiteral("argument 2 (color) is not color");
        return QVariant(false);
    }
    return QVariant(converterWidget->addRule(value, color));
}

QVariant MirelValueColorConverter::invokeRemoveRule(const QString &name, QList<QVariant> &values,
                                                    QString &error)
{
    if (!hasNumArgs(name, values, 1, error))
        return QVariant(false);
    double value = 0;
    if (!readValue(values.at(0), value))
        return valueRefused(error);
    return QVariant(converterWidget->removeRule(value));
}

QVariant MirelValueColorConverter::invokeConvert(const QString &name, QList<QVariant> &values,
                                                 QString &error)
{
    if (!hasNumArgs(name, values, 1, error))
        return QVariant(false);
    double value = 0;
    if (!readValue(values.at(0), value))
        return valueRefused(error);
    const QColor color = converterWidget->ruleSet.convert(value);
    return QVariant(color);
}

// Replaces both arguments with variant lists of the rule values and their colour texts.
QVariant MirelValueColorConverter::invokeGetRules(const QString &name, QList<QVariant> &values,
                                                  QString &error)
{
    if (!hasNumArgs(name, values, 2, error))
        return QVariant(-1);
    if (!values.at(0).canConvert<QVariantList>()) {
        error = QStringLiteral("argument 1 (dfValues) is not dyn_float");
        return QVariant(false);
    }
    if (!values.at(1).canConvert<QVariantList>()) {
        error = QStringLiteral("argument 2 (dsColors) is not dyn_string");
        return QVariant(false);
    }
    const QVector<ValueColorRule> &rules = converterWidget->ruleSet.ruleList();
    QList<QVariant> ruleValues;
    QList<QVariant> ruleColors;
    ruleValues.reserve(rules.size());
    ruleColors.reserve(rules.size());
    for (const ValueColorRule &rule : rules) {
        ruleValues.append(QVariant(rule.getValue()));
        ruleColors.append(QVariant(colorToString(rule.getColor())));
    }
    values[0] = QVariant(ruleValues);
    values[1] = QVariant(ruleColors);
    // an int on both Qt versions (size() is a qsizetype in Qt 6)
    return QVariant(static_cast<int>(rules.size()));
}

// "{r,g,b}" for an opaque colour, "{r,g,b,a}" for any other alpha.
QString MirelValueColorConverter::colorToString(const QColor &color)
{
    if (color.alpha() > 254)
        return QStringLiteral("{%1,%2,%3}").arg(color.red()).arg(color.green()).arg(color.blue());
    return QStringLiteral("{%1,%2,%3,%4}")
            .arg(color.red())
            .arg(color.green())
            .arg(color.blue())
            .arg(color.alpha());
}
