#ifndef EXITCODE_H
#define EXITCODE_H

#include <QString>

// One exit code per kind of failure, so that scripts and tests can tell them apart. The
// numbers are part of the tool's interface (they are listed in --help): do not renumber.
enum class ExitCode {
    Success = 0,
    Usage = 1,
    PluginMissing = 2,
    NotAPlugin = 3,
    EntryPointMissing = 4,
    PluginCreationFailed = 5,
    ScriptUnreadable = 6,
    MalformedStatement = 7,
    UnknownProperty = 8,
    MalformedValue = 9,
    PropertyNotWritable = 10,
    UnknownMethod = 11,
    MethodError = 12,
    PngNotWritten = 13,
    NoDisplay = 14,
};

// What went wrong and where: the culprit (an option, a file, file:line) and one line of text.
struct Failure
{
    ExitCode code = ExitCode::Success;
    QString culprit;
    QString message;
};

#endif // EXITCODE_H
