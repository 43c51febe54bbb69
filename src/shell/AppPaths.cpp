#include "shell/AppPaths.h"

#include "platform/core/Paths.h"

namespace kw {
namespace {

QString preferencesOf(const QString &programFolder)
{
    return programFolder + QStringLiteral("/Preferences");
}

} // namespace

AppPaths AppPaths::fromEnvironment()
{
    return {paths::programFolder(), paths::registryFile(), paths::profileFile(), paths::dataFolder()};
}

QString AppPaths::helpFolder() const
{
    return dataFolder + QStringLiteral("/help");
}

QString AppPaths::referenceDatabase() const
{
    return programFolder + QStringLiteral("/KontorwerkPub.db");
}

QString AppPaths::shippedReferenceDatabase() const
{
    return dataFolder + QStringLiteral("/KontorwerkPub.db");
}

QString AppPaths::preferencesFolder() const
{
    return preferencesOf(programFolder);
}

QString AppPaths::historyFile(const QString &programFolder, const QString &fileName)
{
    return preferencesOf(programFolder) + QLatin1Char('/') + fileName;
}

} // namespace kw
