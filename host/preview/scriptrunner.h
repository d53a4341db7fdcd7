#ifndef SCRIPTRUNNER_H
#define SCRIPTRUNNER_H

#include "exitcode.h"
#include "statement.h"

#include <QHash>
#include <QMap>
#include <QString>
#include <QVariant>

class BaseExternWidget;
QT_FORWARD_DECLARE_CLASS(QMetaProperty)

// Runs statements against one placed plug-in, as a host's control script would: property
// writes through the widget's meta-object, method calls through the adapter's invokeMethod.
// Each call prints its result line; each failure prints one message naming its origin and
// is remembered. Script variables (the output arguments of calls) live as long as the runner.
class ScriptRunner
{
public:
    ScriptRunner(BaseExternWidget &adapter, bool keepGoing);

    // `origin` names the source in messages: "--call", "file.ctl:12", ...
    bool runStatement(const QString &line, const QString &origin);
    bool runAssignment(const QString &line, const QString &origin);
    bool runScript(const QString &path);

    // false once something failed and --keep-going was not given
    bool mayContinue() const { return keepGoing || firstFailure == ExitCode::Success; }
    ExitCode exitCode() const { return firstFailure; }

private:
    Q_DISABLE_COPY(ScriptRunner)

    bool parse(const QString &line, const QString &origin, Statement &statement);
    bool execute(const Statement &statement, const QString &origin);
    bool writeProperty(const Statement &statement, const QString &origin);
    bool findProperty(const QString &name, const QString &origin, QMetaProperty &property);
    bool callMethod(const Statement &statement, const QString &origin);
    bool buildArguments(const Statement &statement, const QString &origin, QList<QVariant> &values);
    void printCallResult(const Statement &statement, const QVariant &result,
                         const QList<QVariant> &values, const QString &error);
    QStringList methodNames() const;
    bool fail(ExitCode code, const QString &origin, const QString &message);

    BaseExternWidget &adapter;
    bool keepGoing;
    ExitCode firstFailure = ExitCode::Success;
    QHash<QString, QVariant> variables;
};

#endif // SCRIPTRUNNER_H
