#ifndef PLUGINENTRY_H
#define PLUGINENTRY_H

#include <QString>

class BaseExternWidget;
QT_FORWARD_DECLARE_CLASS(QLibrary)
QT_FORWARD_DECLARE_CLASS(QWidget)

// The plug-in's two entry points, resolved from the built .ewo exactly as the host does.
struct PluginEntry
{
    using CreateFunction = BaseExternWidget *(*)(QWidget *);
    using VersionFunction = const char *(*)();

    CreateFunction create = nullptr;
    VersionFunction version = nullptr;
};

// Loads `path` into `library` and resolves both entry points; false with the reason in
// `error` when either is missing.
bool loadPlugin(QLibrary &library, const QString &path, PluginEntry &entry, QString &error);

#endif // PLUGINENTRY_H
