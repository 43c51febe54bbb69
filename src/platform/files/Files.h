#pragma once

#include <QByteArray>
#include <QString>

// File-system operations for the tools that write, move and delete files
// (attachments above all). Every failure throws kw::PlatformError with the
// runtime's numbers: 53 file not found, 58 file already exists, 70 permission
// denied, 75 path/file access error, 76 path not found; the description names
// the path in German.
namespace kw::files {

// True when something that is not a folder exists at path. Never throws.
bool FileExists(const QString &path);

// Deletes the file at path. A folder at path counts as "file not found".
void DeleteFile(const QString &path);

// Moves source to target, a full file path; never replaces an existing target.
// Within one file system this is a rename. Across file systems the content is
// copied to a hidden temporary beside the target, flushed, renamed into place
// and only then is the source deleted, so the target is never seen half
// written. If the source cannot be deleted after the copy, the copy is
// removed again and the source's error is thrown: a failed move leaves the
// file where it was, exactly once.
void MoveFile(const QString &source, const QString &target);

// The first half of a move that must not lose the source before the new
// place is in use: puts the file at target (a full path, never replacing an
// existing one) and leaves source as it is; the caller deletes source later.
// Within one file system target becomes a second name of the same file (no
// bytes are copied, so do not change one and expect the other to stay);
// across file systems, or where there are no hard links, the content is
// copied as MoveFile does.
void LinkOrCopyFile(const QString &source, const QString &target);

// Creates path with the whole of bytes, or fails and leaves nothing behind.
// Throws 58 when path exists already, also when another process creates it
// while the content is being written: an existing file is never touched.
void createNewFile(const QString &path, const QByteArray &bytes);

// The last component of path ("" for "/"); trailing separators are ignored.
QString GetFilename(const QString &path);

// folder and name joined by exactly one separator.
QString BuildPath(const QString &folder, const QString &name);

} // namespace kw::files
