#include "platform/files/Files.h"

#include "platform/core/PlatformError.h"
#include "platform/files/Faults.h"
#include "platform/files/FileErrors.h"
#include "platform/files/NewFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw::files {
using namespace detail;

namespace {

// The file to act on, which must exist and must not be a folder.
struct stat existingFile(const QString &path)
{
    struct stat st;
    if (::stat(native(path).constData(), &st) != 0)
        throwErrno(errno, path, Role::Existing);
    if (S_ISDIR(st.st_mode))
        throwNumber(errors::kFileNotFound, path);
    return st;
}

void copyContent(const QString &source, Writer &out)
{
    const int fd = ::open(native(source).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throwErrno(errno, source, Role::Existing);
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            throwErrno(err, source, Role::Existing);
        }
        if (n == 0)
            break;
        try {
            out.write(buffer, n);
        } catch (...) {
            ::close(fd);
            throw;
        }
    }
    ::close(fd);
}

int deleteSource(const QString &source)
{
    if (faults::sourceDeleteFails())
        return EACCES;
    return ::unlink(native(source).constData()) == 0 ? 0 : errno;
}

// Copy, then delete. A source that will not go makes the whole move fail:
// the copy is taken back so the file is in one place, the old one.
void moveAcross(const QString &source, const QString &target, mode_t mode)
{
    placeNewFile(target, [&](Writer &out) { copyContent(source, out); }, mode & 07777);
    const int err = deleteSource(source);
    if (err == 0)
        return;
    if (::unlink(native(target).constData()) == 0)
        throwErrno(err, source, Role::Existing);
    throw PlatformError(errors::kPathFileAccessError,
                        QStringLiteral("\"%1\" wurde nach \"%2\" kopiert, lässt sich aber nicht löschen; "
                                       "die Datei liegt jetzt an beiden Orten.")
                            .arg(source, target));
}

// Within one file system a failed rename leaves both sides as they were;
// the question is only which path to name.
[[noreturn]] void renameFailed(int err, const QString &source, const QString &target)
{
    const bool sourceSide = (err == EACCES || err == EPERM || err == EROFS)
                            && ::access(native(parentFolder(source)).constData(), W_OK) != 0;
    if (sourceSide)
        throwErrno(err, source, Role::Existing);
    throwErrno(err, target, Role::New);
}

} // namespace

bool FileExists(const QString &path)
{
    struct stat st;
    return !path.isEmpty() && ::stat(native(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

void DeleteFile(const QString &path)
{
    existingFile(path);
    if (::unlink(native(path).constData()) != 0)
        throwErrno(errno, path, Role::Existing);
}

void MoveFile(const QString &source, const QString &target)
{
    const struct stat st = existingFile(source);
    const int err = faults::crossDevice() ? EXDEV : renameNoReplace(native(source), native(target));
    if (err == EXDEV)
        moveAcross(source, target, st.st_mode);
    else if (err != 0)
        renameFailed(err, source, target);
}

void LinkOrCopyFile(const QString &source, const QString &target)
{
    const struct stat st = existingFile(source);
    int err = EXDEV;
    if (!faults::crossDevice())
        err = ::link(native(source).constData(), native(target).constData()) == 0 ? 0 : errno;
    if (err == 0) {
        syncFolder(parentFolder(target));
        return;
    }
    if (err != EXDEV && err != EPERM && err != EOPNOTSUPP && err != EMLINK)
        throwErrno(err, target, Role::New);
    placeNewFile(target, [&](Writer &out) { copyContent(source, out); }, st.st_mode & 07777);
}

void createNewFile(const QString &path, const QByteArray &bytes)
{
    // Checked first only to spare writing in vain; placing the file checks again.
    struct stat st;
    if (::lstat(native(path).constData(), &st) == 0)
        throwNumber(errors::kFileAlreadyExists, path);
    placeNewFile(path, [&](Writer &out) { out.write(bytes.constData(), bytes.size()); });
}

QString GetFilename(const QString &path)
{
    qsizetype end = path.size();
    while (end > 0 && path.at(end - 1) == u'/')
        --end;
    if (end == 0)
        return {};
    const qsizetype start = path.lastIndexOf(u'/', end - 1) + 1;
    return path.mid(start, end - start);
}

QString BuildPath(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    qsizetype end = folder.size();
    while (end > 0 && folder.at(end - 1) == u'/')
        --end;
    qsizetype start = 0;
    while (start < name.size() && name.at(start) == u'/')
        ++start;
    return folder.left(end) + u'/' + name.mid(start);
}

} // namespace kw::files
