#pragma once

#include "contacts/names/NameWordTables.h"

#include <QByteArray>
#include <array>
#include <QtGlobal>

namespace kw::refdb {
class Connection;
class Database;
}

namespace kw::contacts::names {

// Reads the ten name word tables through an open reference-database connection.
// Throws kw::PlatformError when a table is missing or a query fails.
NameWordTables readNameWordTables(refdb::Connection &connection);

// The word tables of the reference database for the parser.
//
// Every parse checks the file (unless held) and reads the tables again when
// anything changed, so an edited table takes effect at the next name exactly as if each
// word were queried; unchanged tables are not re-read. The check is the file's
// identity, size and modification time and the header's change counter, which
// every committed write in rollback-journal mode increments; in WAL mode, where
// that counter may stand still, it is SQLite's data version. Keep one object for a whole run or
// dialog, since the tables live in it. A missing or unreadable file throws
// kw::PlatformError from acquire().
class NameWordDatabase : public NameWordSource
{
public:
    explicit NameWordDatabase(refdb::Database &database);

    std::shared_ptr<const NameWordTables> acquire() override;
    // Held, the file is looked at only until the tables have been read once:
    // two system calls per name would cost a run more than its parsing.
    void hold(bool on) override;

    // What identifies the file's content without opening a database connection.
    struct FileStamp
    {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        std::array<char, 16> header{}; // bytes 24 to 39: change counter, page count, free list
        bool wal = false;
        bool operator==(const FileStamp &) const = default;
    };

private:
    FileStamp readFileStamp();

    refdb::Database &m_database;
    QByteArray m_encodedPath; // looked at before every parse
    FileStamp m_stamp;
    std::shared_ptr<const NameWordTables> m_tables;
    bool m_held = false;
    bool m_lookedWhileHeld = false;
};

} // namespace kw::contacts::names
