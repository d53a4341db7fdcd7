#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include "exitcode.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

// One piece of work for the plug-in, kept in command-line order: a property write
// (--set NAME=VALUE), a single statement (--call) or a script file (--script).
struct PreviewStep
{
    enum Kind { Set, Call, Script };
    Kind kind = Call;
    QString text;
};

struct PreviewOptions
{
    QString pluginPath; // empty: the plug-in built next to the executable
    QVector<PreviewStep> steps;
    QString pngPath; // empty: open a window
    QSize size{300, 60};
    qreal ratio = 1; // device pixel ratio of the picture or the window
    int quitAfterMs = -1; // negative: run until the window is closed
    bool list = false;
    bool keepGoing = false;
    bool help = false;

    // No window is opened when the run only prints or writes a picture.
    bool needsWindow() const { return pngPath.isEmpty() && !list; }
};

// Reads the command line by hand rather than with QCommandLineParser, because --set, --call
// and --script must run in the order in which they are given, across options.
class CommandLine
{
public:
    static bool parse(const QStringList &arguments, PreviewOptions &options, Failure &failure);
    static QString helpText();

private:
    static bool takesValue(const QString &option);
    static bool applyFlag(const QString &option, PreviewOptions &options);
    static bool applyValue(const QString &option, const QString &value, PreviewOptions &options,
                           Failure &failure);
    static bool parseSize(const QString &text, QSize &size);
    static bool parseRatio(const QString &text, qreal &ratio);
};

#endif // COMMANDLINE_H
