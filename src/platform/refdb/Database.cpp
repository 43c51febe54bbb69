#include "platform/refdb/Database.h"

#include "platform/core/Paths.h"
#include "platform/core/PlatformError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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
            throw PlatformError(errors::kDatabase, watch->dataVersion->lastError().text());
        watch->device = device;
        watch->inode = inode;
        m_watch = std::move(watch);
    }
    QSqlQuery &query = *m_watch->dataVersion;
    if (!query.exec() || !query.next()) {
        const QString text = query.lastError().text();
        release();
        throw PlatformError(errors::kDatabase,
                            QStringLiteral("Die Referenzdatenbank \"%1\" ist nicht lesbar: %2").arg(m_path, text));
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

QString ensureProgramCopy(const QString &pristine, const QString &target)
{
    if (QFileInfo::exists(target))
        return target;
    QFile source(pristine);
    if (!source.open(QIODevice::ReadOnly)) {
        throw PlatformError(errors::kFileNotFound,
                            QStringLiteral("Die mitgelieferte Referenzdatenbank \"%1\" fehlt.").arg(pristine));
    }
    if (!paths::ensureParentFolder(target))
        throw PlatformError(errors::kPathNotFound, QStringLiteral("Der Ordner für \"%1\" lässt sich nicht anlegen.").arg(target));
    // Written under a temporary name and renamed, so a crash never leaves a
    // half-copied database that would then count as present.
    QSaveFile copy(target);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(source.readAll()) < 0 || !copy.commit()) {
        throw PlatformError(errors::kPermissionDenied,
                            QStringLiteral("Die Referenzdatenbank lässt sich nicht nach \"%1\" kopieren: %2")
                                .arg(target, copy.errorString()));
    }
    return target;
}

} // namespace kw::refdb
