#include "previewrun.h"

#include <QProcess>

PreviewRun PreviewRun::start(const QStringList &arguments, int timeoutMs)
{
    return start(arguments, environment(), timeoutMs);
}

PreviewRun PreviewRun::start(const QStringList &arguments, const QProcessEnvironment &env,
                             int timeoutMs)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PREVIEW_EXE), arguments);
    PreviewRun run;
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(2000);
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    // A Windows program's text-mode streams end lines with \r\n; compare lines as on Linux.
    run.out = QString::fromUtf8(process.readAllStandardOutput())
                      .replace(QLatin1String("\r\n"), QLatin1String("\n"));
    run.err = QString::fromUtf8(process.readAllStandardError())
                      .replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return run;
}

// The test's own environment, XDG_RUNTIME_DIR included (CTest provides one when the build
// was configured without it).
QProcessEnvironment PreviewRun::environment()
{
    return QProcessEnvironment::systemEnvironment();
}

QStringList PreviewRun::messages() const
{
    QStringList lines;
    for (const QString &line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1String("ewo-preview: ")))
            lines.append(line);
    }
    return lines;
}
