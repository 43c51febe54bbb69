#pragma once

#include "platform/registry/RegFile.h"

#include <QHash>
#include <QList>
#include <QString>

namespace kw::registry {

using HKEY = quintptr;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

// Result codes as the settings code tests them: 0 is success, anything else failure.
constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_INVALID_HANDLE = 6;
constexpr long ERROR_WRITE_FAULT = 29;
constexpr long ERROR_MORE_DATA = 234;

// The per-user registry, kept in one REGEDIT4-style text file.
//
// Every change replaces the file atomically, so a killed process leaves the
// old or the new file, never half of one. Reads reuse the parsed file as long
// as its size and modification time stay the same, so a value saved by
// another window or process is seen at the next read.
//
// A file that cannot be parsed is renamed aside (".unreadable-<time>") and
// never overwritten; takeLoadProblem() says so once.
class Registry
{
public:
    explicit Registry(QString filePath);

    long RegOpenKey(HKEY root, const QString &subKey, HKEY *result);
    long RegCreateKey(HKEY root, const QString &subKey, HKEY *result);
    // With data == nullptr only type and size are queried. With a buffer,
    // `*size` is its capacity in bytes; a smaller capacity gives ERROR_MORE_DATA.
    long RegQueryValueEx(HKEY key, const QString &valueName, quint32 *type, QByteArray *data, quint32 *size);
    long RegSetValueEx(HKEY key, const QString &valueName, quint32 type, const QByteArray &data);
    long RegCloseKey(HKEY key);

    // Writes several values under one key (made when missing) in a single
    // replacement of the file: all of them or none. Each value as
    // RegSetValueEx would write it; a name repeated in the list: the last wins.
    long setValues(HKEY root, const QString &subKey, const QList<Value> &values);

    const QString &filePath() const { return m_filePath; }

    // Rereads the file when it changed and returns a number that changes
    // whenever the values may have changed (file reloaded or written). Numbers
    // are never reused within the process, so a cache keyed by one stays exact.
    quint64 changeStamp();
    // The stamp as of the last look at the file or the last write from this
    // process, without looking at the file again.
    quint64 knownChangeStamp() const { return m_changeStamp; }

    // Test switch: every write fails with ERROR_ACCESS_DENIED.
    void setFailWrites(bool fail) { m_failWrites = fail; }

    // The message about an unreadable file that was set aside, once; then empty.
    QString takeLoadProblem();

private:
    static QString rootName(HKEY root);
    static QString joinPath(HKEY root, const QString &subKey);
    void refresh();
    bool persist(const Hive &next);
    static void putValue(Key &key, const Value &value);
    HKEY newHandle(const QString &keyPath);

    // What tells whether the file changed: identity, size and modification
    // time to the nanosecond. A replacement (as every write here makes) gets a
    // new inode even when size and time agree.
    struct FileState
    {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = -1;
        qint64 modifiedNs = 0;
        bool operator==(const FileState &) const = default;
    };
    // One stat() call: refresh() runs before every read, and a run reads
    // settings for each contact.
    FileState fileState() const;

    QString m_filePath;
    QByteArray m_encodedPath;
    Hive m_hive;
    FileState m_loadedState;
    bool m_loaded = false;
    quint64 m_changeStamp = 0;
    bool m_failWrites = false;
    QString m_loadProblem;
    QHash<HKEY, QString> m_handles; // handle -> lower-case key path
    HKEY m_nextHandle = 0x100;
};

} // namespace kw::registry
