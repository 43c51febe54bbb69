#pragma once

#include "platform/refdb/Connection.h"

#include <QString>
#include <functional>
#include <memory>
#include <typeindex>
#include <unordered_map>

namespace kw::refdb {

// The reference database file, as the tools see it.
//
// Every use opens its own Connection (open()), so an edit of the tables is
// seen at the next use. Tools that read the same tables very often may keep
// derived data through cached(): it is rebuilt whenever the file is replaced
// or any connection commits a change to it, so callers cannot tell it from
// reading afresh.
class Database
{
public:
    // The file at `path`; the program's is AppPaths::referenceDatabase().
    explicit Database(QString path);
    ~Database();

    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &path() const { return m_path; }

    // A fresh read-only connection. Throws PlatformError.
    Connection open() const;
    // A fresh connection that may change the tables (the table editor's).
    // Throws PlatformError.
    Connection openForWriting() const;

    // Identifies the file's current content. Throws PlatformError when the
    // file is missing or unreadable. The file times catch what SQLite's own
    // counter cannot: another file copied over this one in place whose header
    // happens to count as many commits, or a change of its permissions.
    struct Stamp
    {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modified = 0; // ns
        qint64 statusChanged = 0; // ns
        qint64 dataVersion = -1;
        bool operator==(const Stamp &) const = default;
    };
    Stamp stamp();

    // The value `load` made from this database, made anew when the content
    // changed since. Throws what stamp() or `load` throw.
    //   auto tables = db.cached<TelTables>([](Connection &c) { return TelTables::read(c); });
    template <class T>
    std::shared_ptr<const T> cached(const std::function<T(Connection &)> &load)
    {
        const Stamp now = stamp();
        Slot &slot = m_cache[std::type_index(typeid(T))];
        if (!slot.value || !(slot.stamp == now)) {
            slot.value.reset();
            Connection connection = open();
            slot.value = std::make_shared<const T>(load(connection));
            slot.stamp = now;
        }
        return std::static_pointer_cast<const T>(slot.value);
    }

    // Drops the kept watch connection and every cached value.
    void release();

private:
    struct Slot
    {
        Stamp stamp;
        std::shared_ptr<const void> value;
    };
    struct Watch;

    QString m_path;
    std::unique_ptr<Watch> m_watch;
    std::unordered_map<std::type_index, Slot> m_cache;
};

// What ensureProgramCopy did: the program copy's path and, when a broken copy
// was set aside and replaced, the message that tells the user so.
struct ProgramCopy
{
    QString path;
    QString notice;
};

// Copies the pristine KontorwerkPub.db from the shipped data folder into the
// program folder when it is missing there; an existing copy (with the user's
// edits) is left alone. A copy that is no reference database (not SQLite,
// damaged, or without the shipped tables) is renamed aside, never deleted,
// and replaced. Throws PlatformError when there is nothing to copy or the
// copy fails.
ProgramCopy ensureProgramCopy(const QString &pristine, const QString &target);

} // namespace kw::refdb
