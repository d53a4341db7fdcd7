#include "pluginloader.h"

#include <BaseExternWidget.hxx>

#include <QFileInfo>
#include <QWidget>

PluginLoader::PluginLoader(const QString &path) : filePath(path)
{ }

bool PluginLoader::load(Failure &failure)
{
    const QFileInfo info(filePath);
    if (!info.exists()) {
        failure = {ExitCode::PluginMissing, filePath, QStringLiteral("plug-in file not found")};
        return false;
    }
    if (!info.isFile()) {
        failure = {ExitCode::NotAPlugin, filePath, QStringLiteral("not a file")};
        return false;
    }
    // An absolute path makes QLibrary try the name as it is before adding lib/.so.
    library.setFileName(info.absoluteFilePath());
    // Resolving everything now turns a plug-in with undefined symbols into a load error
    // here instead of a crash at its first call.
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!library.load()) {
        QString reason = library.errorString();
        reason.replace(QLatin1Char('\n'), QLatin1Char(' '));
        failure = {ExitCode::NotAPlugin, filePath,
                   QStringLiteral("not a loadable library (%1)").arg(reason)};
        return false;
    }
    return resolveEntryPoints(failure);
}

bool PluginLoader::resolveEntryPoints(Failure &failure)
{
    // QFunctionPointer is void (*)(), which converts to any function pointer type.
    createFunction = reinterpret_cast<CreateFunction>(library.resolve("createExternWidget"));
    versionFunction = reinterpret_cast<VersionFunction>(library.resolve("getVersionString"));
    const char *missing = !createFunction ? "createExternWidget"
            : !versionFunction            ? "getVersionString"
                                          : nullptr;
    if (missing) {
        failure = {ExitCode::EntryPointMissing, filePath,
                   QStringLiteral("not a plug-in: no entry point %1")
                           .arg(QString::fromLatin1(missing))};
        return false;
    }
    return true;
}

BaseExternWidget *PluginLoader::create(QWidget *parent, Failure &failure)
{
    BaseExternWidget *adapter = createFunction(parent);
    if (!adapter) {
        failure = {ExitCode::PluginCreationFailed, filePath,
                   QStringLiteral("createExternWidget returned no adapter")};
        return nullptr;
    }
    if (!adapter->widget()) {
        failure = {ExitCode::PluginCreationFailed, filePath,
                   QStringLiteral("the adapter has no widget")};
        return nullptr;
    }
    return adapter;
}

QString PluginLoader::version() const
{
    const char *text = versionFunction();
    return text ? QString::fromUtf8(text) : QString();
}
