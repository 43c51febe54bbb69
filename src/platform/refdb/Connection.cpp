#include "platform/refdb/Connection.h"

#include "platform/core/PlatformError.h"
#include "platform/refdb/Collation.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace kw::refdb {
namespace {

QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("kw-refdb-%1").arg(++counter);
}

// SQLite's primary codes for a file that is no intact reference database: a
// missing table or column (an empty or foreign file), damage, no database at
// all, a read that fails below SQLite.
bool meansUnusable(const QSqlError &error)
{
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 1:  // SQLITE_ERROR: no such table, no such column
    case 10: // SQLITE_IOERR
    case 11: // SQLITE_CORRUPT
    case 14: // SQLITE_CANTOPEN
    case 26: // SQLITE_NOTADB
        return true;
    default:
        return false;
    }
}

} // namespace

QString unusableText(const QString &path)
{
    return QString::fromUtf8("Die Referenzdatenbank \"%1\" ist beschädigt oder unvollständig.").arg(path);
}

// The user reads which file is unusable, in German; SQLite's own text (and
// the step that failed) goes to the error log as the detail.
[[noreturn]] void throwDatabaseError(const QString &path, const QString &what, const QSqlError &error)
{
    const QString sqlite = error.text().trimmed();
    const QString detail = sqlite.isEmpty() ? what : what + QStringLiteral(": ") + sqlite;
    if (meansUnusable(error))
        throw PlatformError(errors::kDatabase, unusableText(path), detail);
    throw PlatformError(errors::kDatabase,
                        QStringLiteral("Die Referenzdatenbank \"%1\" meldet einen Fehler (%2).").arg(path, what), detail);
}

// Owns the QSqlDatabase registration; removed when the last connection or
// recordset that uses it goes away.
struct Connection::Handle
{
    QString name;
    QString path;

    ~Handle()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
};

struct Recordset::State
{
    std::shared_ptr<Connection::Handle> handle;
    std::unique_ptr<QSqlQuery> query;
    QSqlRecord record;
    bool eof = true;
};

// ---- Recordset -----------------------------------------------------------

Recordset::Recordset() = default;
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset &&other) noexcept = default;
Recordset &Recordset::operator=(Recordset &&other) noexcept = default;

bool Recordset::isOpen() const
{
    return d && d->query;
}

bool Recordset::Eof() const
{
    if (!isOpen())
        throw PlatformError(errors::kDatabase, QStringLiteral("Das Recordset ist geschlossen."));
    return d->eof;
}

void Recordset::MoveNext()
{
    if (Eof())
        throw PlatformError(errors::kDatabase, QStringLiteral("Das Recordset steht bereits am Ende."));
    d->eof = !d->query->next();
    if (d->eof && d->query->lastError().isValid())
        throwDatabaseError(d->handle->path, QStringLiteral("Lesefehler"), d->query->lastError());
}

int Recordset::FieldCount() const
{
    if (!isOpen())
        throw PlatformError(errors::kDatabase, QStringLiteral("Das Recordset ist geschlossen."));
    return d->record.count();
}

Field Recordset::Fields(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw PlatformError(errors::kDatabase, QStringLiteral("Feld %1 gibt es nicht.").arg(index));
    if (d->eof)
        throw PlatformError(errors::kDatabase, QStringLiteral("Kein aktueller Datensatz."));
    return Field{d->record.fieldName(index), d->query->value(index)};
}

Field Recordset::Fields(const QString &name) const
{
    const int index = isOpen() ? d->record.indexOf(name) : -1;
    if (index < 0)
        throw PlatformError(errors::kDatabase, QStringLiteral("Das Feld \"%1\" gibt es nicht.").arg(name));
    return Fields(index);
}

void Recordset::Close()
{
    d.reset();
}

// ---- Connection ----------------------------------------------------------

Connection::Connection() = default;
Connection::~Connection() = default;
Connection::Connection(Connection &&other) noexcept = default;
Connection &Connection::operator=(Connection &&other) noexcept = default;

Connection Connection::Open(const QString &path, Mode mode)
{
    if (!QFileInfo(path).isFile()) {
        throw PlatformError(errors::kFileNotFound,
                            QStringLiteral("Die Referenzdatenbank \"%1\" wurde nicht gefunden.").arg(path));
    }
    auto handle = std::make_shared<Handle>();
    handle->name = nextConnectionName();
    handle->path = path;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), handle->name);
    db.setDatabaseName(path);
    if (mode == Mode::ReadOnly)
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        throwDatabaseError(path, QString::fromUtf8("Öffnen fehlgeschlagen"), db.lastError());
    registerFoldingCollation(db);
    Connection connection;
    connection.m_handle = std::move(handle);
    return connection;
}

bool Connection::isOpen() const
{
    return m_handle != nullptr;
}

QSqlDatabase Connection::database() const
{
    if (!m_handle)
        throw PlatformError(errors::kDatabase, QStringLiteral("Die Verbindung ist geschlossen."));
    return QSqlDatabase::database(m_handle->name, false);
}

Recordset Connection::OpenRecordset(const QString &sql, const QVariantList &params)
{
    Recordset rs;
    rs.d = std::make_unique<Recordset::State>();
    rs.d->handle = m_handle;
    rs.d->query = std::make_unique<QSqlQuery>(database());
    QSqlQuery &query = *rs.d->query;
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throwDatabaseError(m_handle->path, QStringLiteral("Abfrage ungültig"), query.lastError());
    for (const QVariant &value : params)
        query.addBindValue(value);
    if (!query.exec())
        throwDatabaseError(m_handle->path, QStringLiteral("Abfrage fehlgeschlagen"), query.lastError());
    rs.d->record = query.record();
    rs.d->eof = !query.next();
    if (rs.d->eof && query.lastError().isValid())
        throwDatabaseError(m_handle->path, QStringLiteral("Lesefehler"), query.lastError());
    return rs;
}

int Connection::Execute(const QString &sql, const QVariantList &params)
{
    QSqlQuery query(database());
    if (!query.prepare(sql))
        throwDatabaseError(m_handle->path, QStringLiteral("Anweisung ungültig"), query.lastError());
    for (const QVariant &value : params)
        query.addBindValue(value);
    if (!query.exec())
        throwDatabaseError(m_handle->path, QStringLiteral("Anweisung fehlgeschlagen"), query.lastError());
    return query.numRowsAffected();
}

void Connection::Close()
{
    m_handle.reset();
}

QString likePrefix(const QString &prefix)
{
    QString pattern;
    pattern.reserve(prefix.size() + 1);
    for (const QChar c : prefix) {
        if (c == u'%' || c == u'_' || c == u'\\')
            pattern += u'\\';
        pattern += c;
    }
    pattern += u'%';
    return pattern;
}

} // namespace kw::refdb
