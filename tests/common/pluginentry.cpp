#include "pluginentry.h"

#include <QLibrary>

bool loadPlugin(QLibrary &library, const QString &path, PluginEntry &entry, QString &error)
{
    library.setFileName(path);
    if (!library.load()) {
        error = library.errorString();
        return false;
    }
    entry.create =
            reinterpret_cast<PluginEntry::CreateFunction>(library.resolve("createExternWidget"));
    entry.version =
            reinterpret_cast<PluginEntry::VersionFunction>(library.resolve("getVersionString"));
    if (!entry.create || !entry.version) {
        error = QStringLiteral("%1: an entry point is missing").arg(path);
        return false;
    }
    return true;
}
