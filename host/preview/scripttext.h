#ifndef SCRIPTTEXT_H
#define SCRIPTTEXT_H

#include <QString>

// The literal forms that statements, property values and the plug-in's method texts share,
// read in one place: quoted strings, booleans and the name in a method signature.
namespace ScriptText {

enum class Escapes {
    Decode, // \" \\ \n and \t are read as a script string knows them
    Keep // the text between the quotes is taken as written, backslashes included
};

// The text between the quotes of a whole "..." token. With Escapes::Decode an inner quote
// must be escaped and the last one may not be; with Escapes::Keep any text between a
// leading and a trailing quote will do. `result` is left as it was when this returns false.
bool unquote(const QString &text, QString &result, Escapes escapes);

// true, TRUE, false or FALSE
bool parseBool(const QString &text, bool &on);

// The name in a signature text of methodList, e.g. "getRules" from
// "int getRules(dyn_float &dfValues, dyn_string &dsColors)"; empty when it names none.
QString methodName(const QString &signature);

} // namespace ScriptText

#endif // SCRIPTTEXT_H
