#include "platform/files/FileErrors.h"

#include "platform/core/PlatformError.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>

namespace kw::files::detail {
namespace {

bool folderExists(const QString &path)
{
    struct stat st;
    return ::stat(native(path), &st) == 0 && S_ISDIR(st.st_mode);
}

long numberFor(int err, const QString &path, Role role)
{
    switch (err) {
    case ENOENT:
        // A missing folder on the way is "path not found" even for an existing file's path.
        return role == Role::Existing && folderExists(parentFolder(path)) ? errors::kFileNotFound
                                                                          : errors::kPathNotFound;
    case ENOTDIR:
        return errors::kPathNotFound;
    case EEXIST:
    case ENOTEMPTY:
        return errors::kFileAlreadyExists;
    case EISDIR:
        return role == Role::Existing ? errors::kFileNotFound : errors::kFileAlreadyExists;
    case EACCES:
    case EPERM:
    case EROFS:
        return errors::kPermissionDenied;
    default:
        return errors::kPathFileAccessError;
    }
}

QString reason(int err)
{
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral(" Der Datenträger ist voll.");
    case EIO:
        return QStringLiteral(" Lese- oder Schreibfehler.");
    case ENAMETOOLONG:
        return QStringLiteral(" Der Name ist zu lang.");
    default:
        return {};
    }
}

QString describe(long number, const QString &path)
{
    switch (number) {
    case errors::kFileNotFound:
        return QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(path);
    case errors::kFileAlreadyExists:
        return QStringLiteral("Die Datei \"%1\" ist bereits vorhanden.").arg(path);
    case errors::kPermissionDenied:
        return QStringLiteral("Der Zugriff auf \"%1\" wurde verweigert.").arg(path);
    case errors::kPathNotFound:
        return QStringLiteral("Der Pfad \"%1\" wurde nicht gefunden.").arg(parentFolder(path));
    default:
        return QStringLiteral("Fehler beim Zugriff auf \"%1\".").arg(path);
    }
}

} // namespace

void throwErrno(int err, const QString &path, Role role)
{
    const long number = numberFor(err, path, role);
    QString text = describe(number, path);
    if (number == errors::kPathFileAccessError)
        text += reason(err);
    throw PlatformError(number, text);
}

void throwNumber(long number, const QString &path)
{
    throw PlatformError(number, describe(number, path));
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

QString parentFolder(const QString &path)
{
    return QFileInfo(path).path();
}

} // namespace kw::files::detail
