#include "platform/core/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kw::paths {
namespace {

QString fromEnv(const char *name)
{
    return qEnvironmentVariable(name);
}

QString xdgDataHome()
{
    const QString xdg = fromEnv("XDG_DATA_HOME");
    if (!xdg.isEmpty())
        return xdg;
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QString xdgConfigHome()
{
    const QString xdg = fromEnv("XDG_CONFIG_HOME");
    if (!xdg.isEmpty())
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

} // namespace

QString programFolder()
{
    const QString home = fromEnv("KONTORWERK_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(home);
    return xdgDataHome() + QStringLiteral("/kontorwerk");
}

QString registryFile()
{
    const QString file = fromEnv("KONTORWERK_REGISTRY");
    if (!file.isEmpty())
        return file;
    return xdgConfigHome() + QStringLiteral("/kontorwerk/registry.reg");
}

QString profileFile()
{
    const QString file = fromEnv("KONTORWERK_PROFILE");
    if (!file.isEmpty())
        return file;
    return xdgDataHome() + QStringLiteral("/kontorwerk/profile.sqlite");
}

QString dataFolderBeside(const QString &executableFolder)
{
    const QDir exe(executableFolder);
    // Beside the program; installed (PREFIX/bin and PREFIX/share); in the
    // build folder (build/src/app and build/share).
    for (const char *relative : {"share/kontorwerk", "../share/kontorwerk", "../../share/kontorwerk"}) {
        const QString candidate = exe.filePath(QString::fromLatin1(relative));
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return QString();
}

QString dataFolder()
{
    const QString data = fromEnv("KONTORWERK_DATA");
    if (!data.isEmpty())
        return QDir::cleanPath(data);
    if (QCoreApplication::instance()) {
        const QString found = dataFolderBeside(QCoreApplication::applicationDirPath());
        if (!found.isEmpty())
            return found;
    }
    return QDir::cleanPath(QDir::currentPath() + QStringLiteral("/share/kontorwerk"));
}

bool ensureParentFolder(const QString &filePath)
{
    return QDir().mkpath(QFileInfo(filePath).absolutePath());
}

} // namespace kw::paths
