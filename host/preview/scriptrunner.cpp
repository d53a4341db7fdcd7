#include "scriptrunner.h"

#include "console.h"
#include "scripttext.h"
#include "valueconverter.h"
#include "valueformatter.h"

#include <BaseExternWidget.hxx>

#include <QFile>
#include <QMetaProperty>
#include <QTextStream>
#include <QWidget>

ScriptRunner::ScriptRunner(BaseExternWidget &adapter, bool keepGoing)
    : adapter(adapter), keepGoing(keepGoing)
{ }

bool ScriptRunner::runStatement(const QString &line, const QString &origin)
{
    Statement statement;
    return parse(line, origin, statement) && execute(statement, origin);
}

bool ScriptRunner::runAssignment(const QString &line, const QString &origin)
{
    Statement statement;
    if (!parse(line, origin, statement))
        return false;
    if (statement.kind != Statement::Assignment)
        return fail(ExitCode::MalformedStatement, origin, QStringLiteral("expected NAME=VALUE"));
    return writeProperty(statement, origin);
}

bool ScriptRunner::runScript(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(ExitCode::ScriptUnreadable, path,
                    QStringLiteral("cannot read script (%1)").arg(file.errorString()));
    // Scripts are UTF-8 whatever the locale says.
    QString text = QString::fromUtf8(file.readAll());
    QTextStream stream(&text, QIODevice::ReadOnly);
    bool allRan = true;
    for (int number = 1; !stream.atEnd() && mayContinue(); ++number) {
        const QString origin = QStringLiteral("%1:%2").arg(path).arg(number);
        allRan = runStatement(stream.readLine(), origin) && allRan;
    }
    return allRan;
}

bool ScriptRunner::parse(const QString &line, const QString &origin, Statement &statement)
{
    QString error;
    if (!StatementParser::parse(line, statement, error))
        return fail(ExitCode::MalformedStatement, origin, error);
    return true;
}

bool ScriptRunner::execute(const Statement &statement, const QString &origin)
{
    switch (statement.kind) {
    case Statement::Assignment:
        return writeProperty(statement, origin);
    case Statement::Call:
        return callMethod(statement, origin);
    case Statement::Empty:
        break;
    }
    return true;
}

bool ScriptRunner::writeProperty(const Statement &statement, const QString &origin)
{
    QMetaProperty property;
    if (!findProperty(statement.name, origin, property))
        return false;
    if (!property.isWritable())
        return fail(ExitCode::PropertyNotWritable, origin,
                    QStringLiteral("property %1 is read-only").arg(statement.name));
    QVariant value;
    QString error;
    if (!ValueConverter::toPropertyValue(property, statement.valueText, value, error))
        return fail(ExitCode::MalformedValue, origin, error);
    if (!property.write(adapter.widget(), value))
        return fail(
                ExitCode::PropertyNotWritable, origin,
                QStringLiteral("property %1 refused %2").arg(statement.name, statement.valueText));
    return true;
}

bool ScriptRunner::findProperty(const QString &name, const QString &origin, QMetaProperty &property)
{
    const QMetaObject *meta = adapter.widget()->metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    if (index < 0)
        return fail(ExitCode::UnknownProperty, origin,
                    QStringLiteral("unknown property %1 of %2")
                            .arg(name, QString::fromLatin1(meta->className())));
    property = meta->property(index);
    return true;
}

bool ScriptRunner::callMethod(const Statement &statement, const QString &origin)
{
    if (!methodNames().contains(statement.name))
        return fail(ExitCode::UnknownMethod, origin,
                    QStringLiteral("unknown method %1 (the plug-in has: %2)")
                            .arg(statement.name, methodNames().join(QLatin1String(", "))));
    QList<QVariant> values;
    if (!buildArguments(statement, origin, values))
        return false;
    QString error;
    const QVariant result = adapter.invokeMethod(statement.name, values, error);
    printCallResult(statement, result, values, error);
    if (!error.isEmpty())
        return fail(ExitCode::MethodError, origin,
                    QStringLiteral("%1 reported: %2").arg(statement.name, error));
    return true;
}

// Converts each argument to the type that methodInterface reports for its position; where
// none is reported the argument goes as read. Variables go as they are, being outputs. The
// reported types are the host interface's QVariant::Type, deprecated in Qt 6.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
bool ScriptRunner::buildArguments(const Statement &statement, const QString &origin,
                                  QList<QVariant> &values)
{
    QVariant::Type returnType = QVariant::Invalid;
    QList<QVariant::Type> types;
    if (!adapter.methodInterface(statement.name, returnType, types))
        types.clear();
    for (int i = 0; i < statement.arguments.size(); ++i) {
        const ScriptArgument &argument = statement.arguments.at(i);
        if (argument.kind == ScriptArgument::Variable) {
            values.append(variables.value(argument.text, QVariantList()));
            continue;
        }
        const int type = i < types.size() ? int(types.at(i)) : int(QMetaType::UnknownType);
        QVariant value;
        QString error;
        if (!ValueConverter::toArgumentValue(argument, type, value, error))
            return fail(
                    ExitCode::MalformedValue, origin,
                    QStringLiteral("argument %1 of %2: %3").arg(i + 1).arg(statement.name, error));
        values.append(value);
    }
    return true;
}
QT_WARNING_POP

// "call -> result  error: text", then one "  name = value" line per output variable.
void ScriptRunner::printCallResult(const Statement &statement, const QVariant &result,
                                   const QList<QVariant> &values, const QString &error)
{
    QString line = statement.callText();
    const QString resultText = ValueFormatter::format(result);
    if (!resultText.isEmpty())
        line += QStringLiteral(" -> ") + resultText;
    if (!error.isEmpty())
        line += QStringLiteral("  error: ") + error;
    Console::printLine(line);
    for (int i = 0; i < statement.arguments.size() && i < values.size(); ++i) {
        const ScriptArgument &argument = statement.arguments.at(i);
        if (argument.kind != ScriptArgument::Variable)
            continue;
        variables.insert(argument.text, values.at(i));
        Console::printLine(QStringLiteral("  %1 = %2")
                                   .arg(argument.text, ValueFormatter::format(values.at(i))));
    }
}

// The names in the signature texts of methodList.
QStringList ScriptRunner::methodNames() const
{
    QStringList names;
    for (const QString &signature : adapter.methodList()) {
        const QString name = ScriptText::methodName(signature);
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

bool ScriptRunner::fail(ExitCode code, const QString &origin, const QString &message)
{
    if (firstFailure == ExitCode::Success)
        firstFailure = code;
    Console::printFailure({code, origin, message});
    return false;
}
