#include "previewapp.h"

#include "console.h"
#include "panel.h"
#include "pluginlister.h"
#include "pluginloader.h"
#include "scriptrunner.h"
#include "valueformatter.h"

#include <BaseExternWidget.hxx>

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <utility>

PreviewApp::PreviewApp(const PreviewOptions &options) : options(options)
{ }

int PreviewApp::run()
{
    PluginLoader loader(pluginPath());
    Failure failure;
    if (!loader.load(failure))
        return exitWith(failure);
    Panel panel(options.size);
    BaseExternWidget *adapter = loader.create(&panel, failure);
    if (!adapter)
        return exitWith(failure);
    panel.embed(adapter->widget());
    panel.setWindowTitle(
            QStringLiteral("ewo-preview: %1").arg(QFileInfo(loader.path()).fileName()));
    panel.showAndSettle();

    ScriptRunner runner(*adapter, options.keepGoing);
    if (!runSteps(runner))
        return int(runner.exitCode());
    return finish(panel, loader.version(), *adapter, runner.exitCode());
}

// false when a failure ends the run (it does not with --keep-going)
bool PreviewApp::runSteps(ScriptRunner &runner)
{
    for (const PreviewStep &step : std::as_const(options.steps)) {
        if (step.kind == PreviewStep::Set)
            runner.runAssignment(step.text, QStringLiteral("--set %1").arg(step.text));
        else if (step.kind == PreviewStep::Call)
            runner.runStatement(step.text, QStringLiteral("--call %1").arg(step.text));
        else
            runner.runScript(step.text);
        if (!runner.mayContinue())
            return false;
    }
    return true;
}

int PreviewApp::finish(Panel &panel, const QString &version, BaseExternWidget &adapter,
                       ExitCode scriptResult)
{
    if (options.list) {
        for (const QString &line : PluginLister::report(version, adapter))
            Console::printLine(line);
    }
    if (!options.pngPath.isEmpty()) {
        QString error;
        if (!panel.writePng(options.pngPath, options.ratio, error))
            return exitWith({ExitCode::PngNotWritten, options.pngPath, error});
    }
    if (options.needsWindow())
        return showWindow(panel, adapter, scriptResult);
    return int(scriptResult);
}

int PreviewApp::showWindow(Panel &panel, BaseExternWidget &adapter, ExitCode scriptResult)
{
    QObject::connect(&adapter, &BaseExternWidget::signal,
                     [](const QString &name, const QList<QVariant> &values) {
                         Console::printLine(ValueFormatter::formatSignal(name, values));
                     });
    // Closing the last window ends the run; exit() ends it also where the platform could not
    // create the window: Qt 6 then sees no window that was shown, runs on after the close and
    // does not act on quit() either (seen under Wine without a display).
    if (options.quitAfterMs >= 0)
        QTimer::singleShot(options.quitAfterMs, &panel, [&panel] {
            panel.close();
            QCoreApplication::exit(0);
        });
    panel.raise();
    panel.activateWindow();
    QApplication::exec();
    return int(scriptResult);
}

QString PreviewApp::pluginPath() const
{
    if (!options.pluginPath.isEmpty())
        return options.pluginPath;
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') +
            QStringLiteral(EWO_PREVIEW_DEFAULT_PLUGIN);
}

int PreviewApp::exitWith(const Failure &failure)
{
    Console::printFailure(failure);
    return int(failure.code);
}
