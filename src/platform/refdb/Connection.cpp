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

[[noreturn]] void throwDatabaseError(const QString &what, const QSqlError &error)
{
    const QString detail = error.text().trimmed();
    throw PlatformError(errors::kDatabase, detail.isEmpty() ? what : what + QStringLiteral(": ") + detail);
}

} // namespace

// Owns the QSqlDatabase registration; removed when the last connection or
// recordset that uses it goes away.
struct Connection::Handle
{
    QString name;

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
        throwDatabaseError(QStringLiteral("Lesefehler"), d->query->lastError());
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
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), handle->name);
    db.setDatabaseName(path);
    if (mode == Mode::ReadOnly)
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        throwDatabaseError(QStringLiteral("Die Referenzdatenbank \"%1\" lässt sich nicht öffnen").arg(path),
                           db.lastError());
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
        throwDatabaseError(QStringLiteral("Abfrage ungültig"), query.lastError());
    for (const QVariant &value : params)
        query.addBindValue(value);
    if (!query.exec())
        throwDatabaseError(QStringLiteral("Abfrage fehlgeschlagen"), query.lastError());
    rs.d->record = query.record();
    rs.d->eof = !query.next();
    if (rs.d->eof && query.lastError().isValid())
        throwDatabaseError(QStringLiteral("Lesefehler"), query.lastError());
    return rs;
}

int Connection::Execute(const QString &sql, const QVariantList &params)
{
    QSqlQuery query(database());
    if (!query.prepare(sql))
        throwDatabaseError(QStringLiteral("Anweisung ungültig"), query.lastError());
    for (const QVariant &value : params)
        query.addBindValue(value);
    if (!query.exec())
        throwDatabaseError(QStringLiteral("Anweisung fehlgeschlagen"), query.lastError());
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
