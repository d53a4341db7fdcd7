#ifndef PREVIEWRUN_H
#define PREVIEWRUN_H

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One finished run of ewo-preview: exit code and both outputs. A run that does not end in
// time is killed and reported as not finished.
struct PreviewRun
{
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;

    static PreviewRun start(const QStringList &arguments, int timeoutMs = 20000);
    static PreviewRun start(const QStringList &arguments, const QProcessEnvironment &env,
                            int timeoutMs = 20000);
    static QProcessEnvironment environment();
    // the tool's own messages (Qt's warnings filtered out)
    QStringList messages() const;
};

#endif // PREVIEWRUN_H
