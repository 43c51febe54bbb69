#include "platform/refdb/Database.h"

#include "platform/core/Paths.h"
#include "platform/core/PlatformError.h"
#include "platform/refdb/Collation.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <sys/stat.h>

namespace kw::refdb {

// A connection kept open only to ask SQLite whether another connection has
// committed since the last look (PRAGMA data_version), plus the identity of
// the file it has open, so that a replaced file is noticed too.
struct Database::Watch
{
    Connection connection;
    std::unique_ptr<QSqlQuery> dataVersion;
    quint64 device = 0;
    quint64 inode = 0;

    ~Watch() { dataVersion.reset(); }
};

Database::Database(QString path)
    : m_path(std::move(path))
{
}

Database::~Database()
{
    release();
}

Connection Database::open() const
{
    return Connection::Open(m_path);
}

Connection Database::openForWriting() const
{
    return Connection::Open(m_path, Connection::Mode::ReadWrite);
}

void Database::release()
{
    m_cache.clear();
    m_watch.reset();
}

Database::Stamp Database::stamp()
{
    struct stat info {};
    const QByteArray native = QFile::encodeName(m_path);
    if (::stat(native.constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        release();
        throw PlatformError(errors::kFileNotFound,
                            QStringLiteral("Die Referenzdatenbank \"%1\" wurde nicht gefunden.").arg(m_path));
    }
    const auto device = static_cast<quint64>(info.st_dev);
    const auto inode = static_cast<quint64>(info.st_ino);
    if (m_watch && (m_watch->device != device || m_watch->inode != inode))
        release();
    if (!m_watch) {
        auto watch = std::make_unique<Watch>();
        watch->connection = Connection::Open(m_path);
        watch->dataVersion = std::make_unique<QSqlQuery>(watch->connection.database());
        if (!watch->dataVersion->prepare(QStringLiteral("PRAGMA data_version")))
            throwDatabaseError(m_path, QStringLiteral("PRAGMA data_version"), watch->dataVersion->lastError());
        watch->device = device;
        watch->inode = inode;
        m_watch = std::move(watch);
    }
    QSqlQuery &query = *m_watch->dataVersion;
    if (!query.exec() || !query.next()) {
        const QSqlError error = query.lastError();
        release();
        throwDatabaseError(m_path, QStringLiteral("Lesefehler"), error);
    }
    const auto nanoseconds = [](const timespec &t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
    Stamp result{device,
                 inode,
                 qint64(info.st_size),
                 nanoseconds(info.st_mtim),
                 nanoseconds(info.st_ctim),
                 query.value(0).toLongLong()};
    query.finish();
    return result;
}

namespace {

// SQLite's primary result codes that mean "this file is no (intact) database".
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

// How a look into a database file went: its tables, or why it is broken, or
// nothing when the look itself failed (locked, unreadable): then nobody can
// tell, and the file is left alone.
struct FileCheck
{
    bool known = false;
    QString broken; // empty when intact
    QSet<QString> tables;
};

FileCheck checkDatabaseFile(const QString &path)
{
    static int counter = 0;
    const QString name = QStringLiteral("kw_refdb_check_%1").arg(++counter);
    FileCheck check;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
        if (db.open()) {
            registerFoldingCollation(db); // quick_check compares with the tables' collation
            QSqlQuery q(db);
            const auto failed = [&] {
                const int code = q.lastError().nativeErrorCode().toInt() & 0xff;
                check.known = code == kSqliteCorrupt || code == kSqliteNotADatabase;
                check.broken = q.lastError().text().trimmed();
            };
            if (!q.exec(QStringLiteral("PRAGMA quick_check"))) {
                failed();
            } else if (q.next() && q.value(0).toString() != QLatin1String("ok")) {
                check.known = true;
                check.broken = q.value(0).toString();
            } else if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
                failed();
            } else {
                check.known = true;
                while (q.next())
                    check.tables.insert(q.value(0).toString());
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return check;
}

// Why the program copy is no reference database; empty when it is one or
// when that cannot be told.
QString brokenReason(const QString &target, const QString &pristine)
{
    const FileCheck copy = checkDatabaseFile(target);
    if (!copy.known || !copy.broken.isEmpty())
        return copy.known ? copy.broken : QString();
    const FileCheck shipped = checkDatabaseFile(pristine);
    if (!shipped.known || !shipped.broken.isEmpty())
        return {};
    QStringList missing = QStringList(shipped.tables.cbegin(), shipped.tables.cend());
    missing.removeIf([&](const QString &table) { return copy.tables.contains(table); });
    missing.sort();
    return missing.isEmpty() ? QString() : QStringLiteral("es fehlen die Tabellen %1").arg(missing.join(QStringLiteral(", ")));
}

// Renames the broken copy (with SQLite's side files) to a name of its own;
// the user's table edits may still be rescued from it.
QString setAside(const QString &target)
{
    const QString stem = target + QStringLiteral(".defekt-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = stem;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = stem + QStringLiteral("-%1").arg(n);
    if (!QFile::rename(target, aside))
        throw PlatformError(errors::kPermissionDenied,
                            QStringLiteral("Die beschädigte Referenzdatenbank \"%1\" lässt sich nicht umbenennen.")
                                .arg(target));
    for (const QString &suffix : {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (QFileInfo::exists(target + suffix))
            QFile::rename(target + suffix, aside + suffix);
    return aside;
}

} // namespace

ProgramCopy ensureProgramCopy(const QString &pristine, const QString &target)
{
    QString broken;
    if (QFileInfo::exists(target)) {
        broken = brokenReason(target, pristine);
        if (broken.isEmpty())
            return {target, {}};
    }
    QFile source(pristine);
    if (!source.open(QIODevice::ReadOnly)) {
        throw PlatformError(errors::kFileNotFound,
                            QStringLiteral("Die mitgelieferte Referenzdatenbank \"%1\" fehlt.").arg(pristine));
    }
    if (!paths::ensureParentFolder(target))
        throw PlatformError(errors::kPathNotFound, QStringLiteral("Der Ordner für \"%1\" lässt sich nicht anlegen.").arg(target));
    const QString aside = broken.isEmpty() ? QString() : setAside(target);
    // Written under a temporary name and renamed, so a crash never leaves a
    // half-copied database that would then count as present.
    QSaveFile copy(target);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(source.readAll()) < 0 || !copy.commit()) {
        throw PlatformError(errors::kPermissionDenied,
                            QStringLiteral("Die Referenzdatenbank lässt sich nicht nach \"%1\" kopieren: %2")
                                .arg(target, copy.errorString()));
    }
    if (aside.isEmpty())
        return {target, {}};
    return {target, QStringLiteral("Die Referenzdatenbank \"%1\" ist beschädigt (%2). Sie wurde als \"%3\" "
                                   "beiseitegelegt und durch die mitgelieferte ersetzt.")
                        .arg(target, broken, aside)};
}

} // namespace kw::refdb
