#include "shell/AppPaths.h"

#include "platform/core/Paths.h"

namespace kw {

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

QString AppPaths::historyFile(const QString &programFolder, const QString &fileName)
{
    return programFolder + QStringLiteral("/Preferences/") + fileName;
}

} // namespace kw
