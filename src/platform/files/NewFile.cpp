#include "platform/files/NewFile.h"

#include "platform/files/Faults.h"
#include "platform/files/FileErrors.h"

#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw::files::detail {
namespace {

// A temporary file that removes itself unless it was given its final name.
struct Temporary
{
    QByteArray path;
    int fd = -1;
    bool placed = false;

    ~Temporary()
    {
        if (fd >= 0)
            ::close(fd);
        if (!placed && !path.isEmpty())
            ::unlink(path.constData());
    }
};

// Hidden and short whatever the target's name: a long name plus a suffix
// could pass the file system's limit.
void openTemporaryBeside(const QString &target, Temporary &tmp)
{
    const QByteArray folder = native(parentFolder(target));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = folder + "/.kw-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16)
                                + ".part";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            tmp.path = name;
            tmp.fd = fd;
            return;
        }
        if (errno != EEXIST)
            throwErrno(errno, target, Role::New);
    }
    throwErrno(EEXIST, target, Role::New);
}

void finish(Temporary &tmp, const QString &target, int mode)
{
    if (mode >= 0 && ::fchmod(tmp.fd, static_cast<mode_t>(mode)) != 0)
        throwErrno(errno, target, Role::New);
    if (::fsync(tmp.fd) != 0)
        throwErrno(errno, target, Role::New);
    const int fd = tmp.fd;
    tmp.fd = -1;
    if (::close(fd) != 0)
        throwErrno(errno, target, Role::New);
}

} // namespace

void Writer::write(const char *data, qint64 size)
{
    const qint64 limit = faults::writeLimit();
    while (size > 0) {
        const qint64 chunk = limit < 0 ? size : qMin(size, limit - m_written);
        if (chunk <= 0)
            throwErrno(ENOSPC, m_path, Role::New);
        const ssize_t n = ::write(m_fd, data, static_cast<size_t>(chunk));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throwErrno(errno, m_path, Role::New);
        data += n;
        size -= n;
        m_written += n;
    }
}

void placeNewFile(const QString &target, const std::function<void(Writer &)> &fill, int mode)
{
    Temporary tmp;
    openTemporaryBeside(target, tmp);
    Writer writer(tmp.fd, target);
    fill(writer);
    finish(tmp, target, mode);
    if (const int err = renameNoReplace(tmp.path, native(target)))
        throwErrno(err, target, Role::New);
    tmp.placed = true;
    syncFolder(parentFolder(target));
}

int renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // The file system cannot refuse to replace in a rename: a hard link can.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData()); // both names are the same file now; dropping one loses nothing
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP)
        return errno;
    // No hard links either (FAT): check, then rename; only a concurrent writer can slip in between.
    struct stat st;
    if (::lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return; // the rename is done; only its durability is at stake
    ::fsync(fd);
    ::close(fd);
}

} // namespace kw::files::detail
