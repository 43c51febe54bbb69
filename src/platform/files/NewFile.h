#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <sys/types.h>

// Writing a file so that its name appears only with the whole content.
namespace kw::files::detail {

// Writes into an open file; a failure throws naming the file the user asked for.
class Writer
{
public:
    Writer(int fd, const QString &path) : m_fd(fd), m_path(path) {}
    void write(const char *data, qint64 size);

private:
    int m_fd;
    QString m_path;
    qint64 m_written = 0;
};

// Creates target from what fill writes: into a hidden temporary beside it,
// flushed, then given the target's name only while that name is free. On any
// failure the temporary is removed and PlatformError thrown; target, if it
// exists, is never touched. mode (permission bits) applies when not negative.
void placeNewFile(const QString &target, const std::function<void(Writer &)> &fill, int mode = -1);

// rename() that fails with EEXIST instead of replacing; returns 0 or errno.
int renameNoReplace(const QByteArray &from, const QByteArray &to);

// Flushes a folder's entries, so a rename in it survives a power cut.
void syncFolder(const QString &folder);

} // namespace kw::files::detail
