#include "scripttext.h"

#include <QRegularExpression>

namespace ScriptText {

bool unquote(const QString &text, QString &result, Escapes escapes)
{
    if (text.size() < 2 || !text.startsWith(QLatin1Char('"')) || !text.endsWith(QLatin1Char('"')))
        return false;
    if (escapes == Escapes::Keep) {
        result = text.mid(1, text.size() - 2);
        return true;
    }
    QString decoded;
    for (int i = 1; i < text.size() - 1; ++i) {
        QChar c = text.at(i);
        if (c == QLatin1Char('"'))
            return false;
        if (c == QLatin1Char('\\')) {
            if (++i == text.size() - 1)
                return false;
            c = text.at(i);
            if (c == QLatin1Char('n'))
                c = QLatin1Char('\n');
            else if (c == QLatin1Char('t'))
                c = QLatin1Char('\t');
        }
        decoded.append(c);
    }
    result = decoded;
    return true;
}

bool parseBool(const QString &text, bool &on)
{
    if (text == QLatin1String("true") || text == QLatin1String("TRUE"))
        on = true;
    else if (text == QLatin1String("false") || text == QLatin1String("FALSE"))
        on = false;
    else
        return false;
    return true;
}

QString methodName(const QString &signature)
{
    static const QRegularExpression namePattern(QStringLiteral("(\\w+)\\s*\\("));
    return namePattern.match(signature).captured(1);
}

} // namespace ScriptText
