#include "mirelvaluecolorconverter.h"

#include "valuecolorconverterwidget.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace {

// What a script argument must be for its method to run.
enum class ArgumentTest {
    None, // no argument in this place
    // A number: a text that is not one ("abc", "") is refused rather than read as 0, so that
    // a typo cannot change the rule at 0.
    Number,
    // A finite number: a NaN or infinite rule could never be removed again and would leave the
    // axis without a scale.
    RuleValue,
    // A valid colour: a text that names none is refused rather than stored as an invalid colour.
    Color,
    List,
};

// One argument's test and the text a script reads when the argument fails it.
struct ArgumentRule
{
    ArgumentTest test;
    const char *refusal;
};

constexpr ArgumentRule noArgument{ArgumentTest::None, nullptr};
constexpr ArgumentRule valueArgument{ArgumentTest::Number, "argument 1 (value) is not float"};
constexpr ArgumentRule ruleValueArgument{ArgumentTest::RuleValue, valueArgument.refusal};
constexpr ArgumentRule colorArgument{ArgumentTest::Color, "argument 2 (color) is not color"};
constexpr ArgumentRule valuesListArgument{ArgumentTest::List,
                                          "argument 1 (dfValues) is not dyn_float"};
constexpr ArgumentRule colorsListArgument{ArgumentTest::List,
                                          "argument 2 (dsColors) is not dyn_string"};

// What a method answers when the host's count check fails.
enum class CountRefusal { False, MinusOne };

bool isNumber(const QVariant &argument)
{
    bool ok = false;
    if (argument.canConvert<double>())
        argument.toDouble(&ok);
    return ok;
}

bool passes(ArgumentTest test, const QVariant &argument)
{
    switch (test) {
    case ArgumentTest::None:
        return true;
    case ArgumentTest::Number:
        return isNumber(argument);
    case ArgumentTest::RuleValue:
        return isNumber(argument) && std::isfinite(argument.toDouble());
    case ArgumentTest::Color:
        return argument.canConvert<QColor>() && argument.value<QColor>().isValid();
    case ArgumentTest::List:
        return argument.canConvert<QVariantList>();
    }
    return false;
}

// The type code methodInterface reports for an argument: the host Qt's QVariant::Type value,
// which equals the QMetaType id on Qt 5 and Qt 6.
int typeCode(ArgumentTest test)
{
    return test == ArgumentTest::Color ? QMetaType::QColor : QMetaType::Double;
}

} // namespace

struct MirelValueColorConverter::ScriptMethod
{
    using Handler = QVariant (MirelValueColorConverter::*)(const QString &, QList<QVariant> &,
                                                           QString &);

    // the arguments before the first empty place
    int argumentCount() const
    {
        const auto end =
                std::find_if(arguments.cbegin(), arguments.cend(),
                             [](const ArgumentRule &a) { return a.test == ArgumentTest::None; });
        return static_cast<int>(end - arguments.cbegin());
    }

    const char *name; // compared exactly, letter case included
    const char *signature; // what methodList reports, character for character
    std::array<ArgumentRule, 2> arguments; // tested in order; the first failure ends the call
    CountRefusal countRefusal;
    int describedResult; // the result type methodInterface reports; 0: not described
    Handler handler;
};

// The script methods in the order methodList reports them. A method without arguments gets no
// count check. methodInterface describes only the methods with a result type here.
const MirelValueColorConverter::ScriptMethod MirelValueColorConverter::scriptMethods[] = {
        {"clearRules",
         "void clearRules()",
         {noArgument, noArgument},
         CountRefusal::False,
         0,
         &MirelValueColorConverter::invokeClearRules},
        {"addRule",
         "bool addRule(float value, string color)",
         {ruleValueArgument, colorArgument},
         CountRefusal::False,
         QMetaType::Bool,
         &MirelValueColorConverter::invokeAddRule},
        {"removeRule",
         "bool removeRule(float value)",
         {valueArgument, noArgument},
         CountRefusal::False,
         0,
         &MirelValueColorConverter::invokeRemoveRule},
        {"convert",
         "string convert(float value)",
         {valueArgument, noArgument},
         CountRefusal::False,
         QMetaType::QColor,
         &MirelValueColorConverter::invokeConvert},
        {"getRules",
         "int getRules(dyn_float &dfValues, dyn_string &dsColors)",
         {valuesListArgument, colorsListArgument},
         CountRefusal::MinusOne,
         0,
         &MirelValueColorConverter::invokeGetRules},
};

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
    QStringList signatures;
    for (const ScriptMethod &method : scriptMethods)
        signatures.append(QString::fromLatin1(method.signature));
    return signatures;
}

const MirelValueColorConverter::ScriptMethod *
MirelValueColorConverter::findScriptMethod(const QString &name)
{
    const auto end = std::cend(scriptMethods);
    const auto found = std::find_if(std::cbegin(scriptMethods), end, [&](const ScriptMethod &m) {
        return name == QLatin1String(m.name);
    });
    return found == end ? nullptr : found;
}

// Describes "addRule" and "convert" only; the types are appended to what argTypes holds.
// The codes are the host Qt's own QVariant::Type values (deprecated in Qt 6, kept by the host).
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
bool MirelValueColorConverter::methodInterface(const QString &name, QVariant::Type &returnType,
                                               QList<QVariant::Type> &argTypes) const
{
    const ScriptMethod *method = findScriptMethod(name);
    if (!method || method->describedResult == 0)
        return false;
    returnType = static_cast<QVariant::Type>(method->describedResult);
    for (int i = 0; i < method->argumentCount(); ++i)
        argTypes.append(static_cast<QVariant::Type>(typeCode(method->arguments.at(i).test)));
    return true;
}
QT_WARNING_POP

QVariant MirelValueColorConverter::invokeMethod(const QString &name, QList<QVariant> &values,
                                                QString &error)
{
    const ScriptMethod *method = findScriptMethod(name);
    if (!method)
        return BaseExternWidget::invokeMethod(name, values, error);
    QVariant refusal;
    if (!argumentsAccepted(*method, name, values, error, refusal))
        return refusal;
    return (this->*method->handler)(name, values, error);
}

// The host's count check, then each argument's test in order. A refusal leaves the arguments
// as they are; a failed count check leaves in `error` what the host wrote there.
bool MirelValueColorConverter::argumentsAccepted(const ScriptMethod &method, const QString &name,
                                                 const QList<QVariant> &values, QString &error,
                                                 QVariant &refusal)
{
    const int count = method.argumentCount();
    if (count == 0)
        return true;
    if (!hasNumArgs(name, values, count, error)) {
        refusal = method.countRefusal == CountRefusal::MinusOne ? QVariant(-1) : QVariant(false);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const ArgumentRule &rule = method.arguments.at(i);
        if (!passes(rule.test, values.at(i))) {
            error = QString::fromLatin1(rule.refusal);
            refusal = QVariant(false);
            return false;
        }
    }
    return true;
}

QVariant MirelValueColorConverter::invokeClearRules(const QString &, QList<QVariant> &, QString &)
{
    converterWidget->ruleSet.clear();
    converterWidget->update();
    return {};
}

QVariant MirelValueColorConverter::invokeAddRule(const QString &, QList<QVariant> &values,
                                                 QString &)
{
    return QVariant(
            converterWidget->addRule(values.at(0).toDouble(), values.at(1).value<QColor>()));
}

QVariant MirelValueColorConverter::invokeRemoveRule(const QString &, QList<QVariant> &values,
                                                    QString &)
{
    return QVariant(converterWidget->removeRule(values.at(0).toDouble()));
}

QVariant MirelValueColorConverter::invokeConvert(const QString &, QList<QVariant> &values,
                                                 QString &)
{
    return QVariant(converterWidget->ruleSet.convert(values.at(0).toDouble()));
}

// Replaces both arguments with variant lists of the rule values and their colour texts.
QVariant MirelValueColorConverter::invokeGetRules(const QString &, QList<QVariant> &values,
                                                  QString &)
{
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
