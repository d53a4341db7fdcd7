#ifndef PLUGINLOADER_H
#define PLUGINLOADER_H

#include "exitcode.h"

#include <QLibrary>
#include <QString>

class BaseExternWidget;
QT_FORWARD_DECLARE_CLASS(QWidget)

// Loads an extern-widget plug-in by path and creates its adapter, as the host does: through
// the two plainly named entry points and nothing else. The library stays loaded for the rest
// of the process (objects it created may live until the very end). The preview host and the
// tests both load the plug-in through it.
class PluginLoader
{
public:
    explicit PluginLoader(const QString &path);

    // checks the file, loads it and resolves both entry points
    bool load(Failure &failure);
    // a new adapter under `parent`; null (with `failure` filled) when the plug-in gives none
    BaseExternWidget *create(QWidget *parent, Failure &failure);
    QString version() const;
    QString path() const { return filePath; }

private:
    Q_DISABLE_COPY(PluginLoader)

    using CreateFunction = BaseExternWidget *(*)(QWidget *);
    using VersionFunction = const char *(*)();

    bool resolveEntryPoints(Failure &failure);

    QString filePath;
    QLibrary library;
    CreateFunction createFunction = nullptr;
    VersionFunction versionFunction = nullptr;
};

#endif // PLUGINLOADER_H
