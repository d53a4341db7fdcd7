#ifndef PREVIEWAPP_H
#define PREVIEWAPP_H

#include "commandline.h"
#include "exitcode.h"

class BaseExternWidget;
class Panel;
class ScriptRunner;

// One run of the tool: load the plug-in, place it on a panel, run the steps in command-line
// order, then list, write the picture or show the window and print host signals.
class PreviewApp
{
public:
    explicit PreviewApp(const PreviewOptions &options);

    // the process exit code
    int run();

private:
    Q_DISABLE_COPY(PreviewApp)

    bool runSteps(ScriptRunner &runner);
    int finish(Panel &panel, const QString &version, BaseExternWidget &adapter,
               ExitCode scriptResult);
    int showWindow(Panel &panel, BaseExternWidget &adapter, ExitCode scriptResult);
    QString pluginPath() const;
    static int exitWith(const Failure &failure);

    PreviewOptions options;
};

#endif // PREVIEWAPP_H
