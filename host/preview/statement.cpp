#include "statement.h"

#include "scripttext.h"

#include <QLocale>
#include <QStringList>

QString Statement::callText() const
{
    QStringList texts;
    for (const ScriptArgument &argument : arguments)
        texts.append(argument.text);
    return QStringLiteral("%1(%2)").arg(name, texts.join(QLatin1String(", ")));
}

bool StatementParser::parse(const QString &line, Statement &statement, QString &error)
{
    statement = Statement();
    QString text = stripComment(line).trimmed();
    if (text.endsWith(QLatin1Char(';')))
        text = text.chopped(1).trimmed();
    if (text.isEmpty())
        return true;
    const int nameLength = identifierLength(text);
    if (nameLength == 0) {
        error = QStringLiteral("expected a property or method name at \"%1\"").arg(text);
        return false;
    }
    statement.name = text.left(nameLength);
    const QString rest = text.mid(nameLength).trimmed();
    if (rest.startsWith(QLatin1Char('='))) {
        statement.kind = Statement::Assignment;
        statement.valueText = rest.mid(1).trimmed();
        if (statement.valueText.isEmpty()) {
            error = QStringLiteral("missing value after \"%1 =\"").arg(statement.name);
            return false;
        }
        return true;
    }
    if (rest.startsWith(QLatin1Char('(')))
        return parseCall(rest, statement, error);
    error = QStringLiteral("expected \"=\" or \"(\" after \"%1\"").arg(statement.name);
    return false;
}

// Cuts the line at the first `//` that is not inside a quoted string.
QString StatementParser::stripComment(const QString &line)
{
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted && c == QLatin1Char('\\'))
            ++i;
        else if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && QStringView(line).mid(i, 2) == QLatin1String("//"))
            return line.left(i);
    }
    return line;
}

int StatementParser::identifierLength(const QString &text)
{
    int length = 0;
    while (length < text.size()) {
        const QChar c = text.at(length);
        const bool letter = c.isLetter() || c == QLatin1Char('_');
        if (!letter && !(length > 0 && c.isDigit()))
            break;
        ++length;
    }
    return length;
}

bool StatementParser::parseCall(const QString &rest, Statement &statement, QString &error)
{
    statement.kind = Statement::Call;
    if (!rest.endsWith(QLatin1Char(')'))) {
        error = QStringLiteral("expected \")\" at the end of the call to %1").arg(statement.name);
        return false;
    }
    QStringList pieces;
    if (!splitArguments(rest.mid(1, rest.size() - 2), pieces, error))
        return false;
    for (int i = 0; i < pieces.size(); ++i) {
        ScriptArgument argument;
        if (!parseArgument(pieces.at(i), argument)) {
            error = pieces.at(i).isEmpty()
                    ? QStringLiteral("argument %1 of %2 is empty").arg(i + 1).arg(statement.name)
                    : QStringLiteral("argument %1 of %2 is malformed: %3")
                              .arg(i + 1)
                              .arg(statement.name, pieces.at(i));
            return false;
        }
        statement.arguments.append(argument);
    }
    return true;
}

// Splits at the commas that are neither inside quotes nor inside braces or parentheses.
bool StatementParser::splitArguments(const QString &text, QStringList &pieces, QString &error)
{
    if (text.trimmed().isEmpty())
        return true;
    bool quoted = false;
    int depth = 0;
    int start = 0;
    for (int i = 0; i < text.size() && depth >= 0; ++i) {
        const QChar c = text.at(i);
        if (quoted && c == QLatin1Char('\\')) {
            ++i;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && (c == QLatin1Char('{') || c == QLatin1Char('('))) {
            ++depth;
        } else if (!quoted && (c == QLatin1Char('}') || c == QLatin1Char(')'))) {
            --depth;
        } else if (!quoted && depth == 0 && c == QLatin1Char(',')) {
            pieces.append(text.mid(start, i - start).trimmed());
            start = i + 1;
        }
    }
    if (quoted || depth != 0) {
        error = quoted ? QStringLiteral("unterminated string")
                       : QStringLiteral("unbalanced brackets");
        return false;
    }
    pieces.append(text.mid(start).trimmed());
    return true;
}

bool StatementParser::parseArgument(const QString &text, ScriptArgument &argument)
{
    argument.text = text;
    if (text.startsWith(QLatin1Char('"'))) {
        argument.kind = ScriptArgument::String;
        QString string;
        const bool ok = ScriptText::unquote(text, string, ScriptText::Escapes::Decode);
        argument.value = string;
        return ok;
    }
    if ((text.startsWith(QLatin1Char('{')) && text.endsWith(QLatin1Char('}'))) ||
        text.startsWith(QLatin1Char('#'))) {
        argument.kind = ScriptArgument::ColorText;
        argument.value = QString(text).remove(QLatin1Char(' '));
        return true;
    }
    bool on = false;
    if (ScriptText::parseBool(text, on)) {
        argument.kind = ScriptArgument::Boolean;
        argument.value = on;
        return true;
    }
    if (!text.isEmpty() && identifierLength(text) == text.size()) {
        argument.kind = ScriptArgument::Variable;
        argument.value = text;
        return true;
    }
    argument.kind = ScriptArgument::Number;
    return parseNumber(text, argument.value);
}

// Integers stay integers, as a script passes them; anything else numeric is a double.
bool StatementParser::parseNumber(const QString &text, QVariant &number)
{
    const QLocale c = QLocale::c();
    bool ok = false;
    const int integer = c.toInt(text, &ok);
    if (ok) {
        number = integer;
        return true;
    }
    const double real = c.toDouble(text, &ok);
    if (ok)
        number = real;
    return ok;
}
