#ifndef STATEMENT_H
#define STATEMENT_H

#include <QString>
#include <QVariant>
#include <QVector>

// One argument of a script method call, as written.
struct ScriptArgument
{
    enum Kind { Number, String, ColorText, Boolean, Variable };
    Kind kind = Number;
    QString text; // the source text, used to echo the call
    QVariant value; // int or double, unquoted QString, colour text, bool, or the variable name
};

// One script line: nothing (blank or comment), a property write or a method call.
struct Statement
{
    enum Kind { Empty, Assignment, Call };
    Kind kind = Empty;
    QString name;
    QString valueText; // right-hand side of an assignment, as written
    QVector<ScriptArgument> arguments;

    // the call as it is echoed before its result: name(arg, arg)
    QString callText() const;
};

// Turns one line into a Statement. A line is `NAME = VALUE` or `name(arguments)`, with an
// optional `;` at its end and an optional `//` comment; quoted strings may hold commas,
// braces and `//`.
class StatementParser
{
public:
    static bool parse(const QString &line, Statement &statement, QString &error);

private:
    static QString stripComment(const QString &line);
    static int identifierLength(const QString &text);
    static bool parseCall(const QString &rest, Statement &statement, QString &error);
    static bool splitArguments(const QString &text, QStringList &pieces, QString &error);
    static bool parseArgument(const QString &text, ScriptArgument &argument);
    static bool parseNumber(const QString &text, QVariant &number);
};

#endif // STATEMENT_H
