#pragma once

#include <QByteArray>
#include <QString>

// Turning a failed system call into the PlatformError a tool reports.
namespace kw::files::detail {

// What the failing path was to the call: a file that ought to be there, or a
// name a new file ought to take. A missing name means "file not found" for
// the one, "path not found" for the other.
enum class Role { Existing, New };

[[noreturn]] void throwErrno(int err, const QString &path, Role role);
[[noreturn]] void throwNumber(long number, const QString &path);

QByteArray native(const QString &path);
// The folder holding path ("." for a bare name).
QString parentFolder(const QString &path);

} // namespace kw::files::detail
