#include "contacts/NameWordDatabase.h"

#include "platform/refdb/Connection.h"
#include "platform/refdb/Database.h"

#include <QFile>
#include <QtEndian>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw {
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

NameWordDatabase::NameWordDatabase(refdb::Database &database) : m_database(database) {}

NameWordDatabase::~NameWordDatabase()
{
    closeFile();
}

void NameWordDatabase::closeFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

// The header's bytes 18 and 19 are 2 in WAL mode; bytes 24 to 27 hold the
// change counter (big-endian).
NameWordDatabase::FileStamp NameWordDatabase::readFileStamp()
{
    const QByteArray path = QFile::encodeName(m_database.path());
    struct stat info {};
    if (::stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        closeFile();
        return {}; // the database layer reports the missing file
    }
    FileStamp stamp{quint64(info.st_dev), quint64(info.st_ino), 0, false};
    if (m_fd >= 0 && !(stamp.device == m_stamp.device && stamp.inode == m_stamp.inode))
        closeFile();
    if (m_fd < 0)
        m_fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    unsigned char header[28];
    if (m_fd < 0 || ::pread(m_fd, header, sizeof header, 0) != qint64(sizeof header)) {
        closeFile();
        return {};
    }
    stamp.wal = header[18] == 2 || header[19] == 2;
    stamp.changeCounter = qFromBigEndian<quint32>(header + 24);
    return stamp;
}

std::shared_ptr<const NameWordTables> NameWordDatabase::acquire()
{
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

} // namespace kw
