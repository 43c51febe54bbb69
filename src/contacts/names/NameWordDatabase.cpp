#include "contacts/names/NameWordDatabase.h"

#include "platform/refdb/Connection.h"
#include "platform/refdb/Database.h"

#include <QFile>
#include <algorithm>
#include <functional>
#include <map>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw::contacts::names {
namespace {

// No value from a user goes into these statements; each reads a whole table.
void readTable(refdb::Connection &connection, const QString &table,
               const std::function<void(const refdb::Recordset &)> &row)
{
    refdb::Recordset rs = connection.OpenRecordset(QStringLiteral("SELECT * FROM %1").arg(table));
    while (!rs.Eof()) {
        row(rs);
        rs.MoveNext();
    }
    rs.Close();
}

} // namespace

NameWordTables readNameWordTables(refdb::Connection &connection)
{
    NameWordTables t;
    using Adder = void (NameWordTables::*)(const QString &);
    const std::tuple<const char *, const char *, Adder> single[] = {
        {"T_BusinessWord", "String", &NameWordTables::addBusinessWord},
        {"T_BusinessInStr", "String", &NameWordTables::addBusinessInStr},
        {"T_BusinessEnd", "String", &NameWordTables::addBusinessEnd},
        {"T_Hyphens", "Hyphen", &NameWordTables::addHyphen},
        {"T_TitlesDipl", "Title", &NameWordTables::addTitleDipl},
        {"T_TitlesDr", "Title", &NameWordTables::addTitleDr},
        {"T_TitlesProf", "Title", &NameWordTables::addTitleProf},
        {"T_Addresses", "Address", &NameWordTables::addAddress},
        {"T_Suffixes", "Suffix", &NameWordTables::addSuffix},
    };
    for (const auto &[table, column, add] : single) {
        const QString name = QLatin1String(column);
        readTable(connection, QLatin1String(table),
                   [&t, &name, add = add](const refdb::Recordset &rs) { (t.*add)(rs.Fields(name).text()); });
    }
    readTable(connection, QStringLiteral("T_FirstNames"), [&t](const refdb::Recordset &rs) {
        t.addFirstName(rs.Fields(QStringLiteral("FirstName")).text(), rs.Fields(QStringLiteral("Gender")).text());
    });
    return t;
}

NameWordDatabase::NameWordDatabase(refdb::Database &database)
    : m_database(database), m_encodedPath(QFile::encodeName(database.path()))
{
}

namespace {

// Returns a descriptor open on the file (device, inode) at `path`, or -1.
//
// The descriptors are never closed: closing any descriptor of a file drops
// every POSIX lock this process holds on it, including the locks of SQLite
// connections that are reading or writing it at that moment. One descriptor per
// file identity seen (a new one only after the file was replaced) costs little.
int headerDescriptor(quint64 device, quint64 inode, const QByteArray &path)
{
    static std::mutex mutex;
    static std::map<std::pair<quint64, quint64>, int> open;
    const std::lock_guard<std::mutex> lock(mutex);
    const auto key = std::make_pair(device, inode);
    if (const auto it = open.find(key); it != open.end())
        return it->second;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || quint64(info.st_dev) != device || quint64(info.st_ino) != inode) {
        // Replaced between the two looks: keep it open under its own identity.
        if (fd >= 0)
            open.emplace(std::make_pair(quint64(info.st_dev), quint64(info.st_ino)), fd);
        return -1;
    }
    open.emplace(key, fd);
    return fd;
}

} // namespace

// The header's bytes 18 and 19 are 2 in WAL mode; bytes 24 to 39 are what
// SQLite itself compares to tell whether another writer changed the file.
NameWordDatabase::FileStamp NameWordDatabase::readFileStamp()
{
    const QByteArray &path = m_encodedPath;
    struct stat info {};
    if (::stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return {}; // the database layer reports the missing file
    FileStamp stamp;
    stamp.device = quint64(info.st_dev);
    stamp.inode = quint64(info.st_ino);
    stamp.size = qint64(info.st_size);
    stamp.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    const int fd = headerDescriptor(stamp.device, stamp.inode, path);
    char header[40];
    if (fd < 0 || ::pread(fd, header, sizeof header, 0) != qint64(sizeof header))
        return {};
    stamp.wal = header[18] == 2 || header[19] == 2;
    std::copy(header + 24, header + 40, stamp.header.begin());
    return stamp;
}

void NameWordDatabase::hold(bool on)
{
    m_held = on;
    m_lookedWhileHeld = false;
}

std::shared_ptr<const NameWordTables> NameWordDatabase::acquire()
{
    if (m_held && m_lookedWhileHeld && m_tables)
        return m_tables;
    m_lookedWhileHeld = m_held;
    const FileStamp now = readFileStamp();
    const bool known = now.inode != 0 && !now.wal;
    if (m_tables && known && now == m_stamp)
        return m_tables;
    // Anything else goes through the database layer, which reports a missing
    // or unreadable file and re-reads the tables when their data changed.
    m_tables.reset();
    m_tables = m_database.cached<NameWordTables>(readNameWordTables);
    m_stamp = now;
    return m_tables;
}

} // namespace kw::contacts::names
