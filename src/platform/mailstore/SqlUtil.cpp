#include "platform/mailstore/SqlUtil.h"

#include "platform/core/PlatformError.h"

#include <QHash>
#include <QSqlError>

namespace kw::mailstore::sql {

namespace {

[[noreturn]] void fail(const QSqlError &error)
{
    throw PlatformError(errors::kOperationFailed,
                        QStringLiteral("Profilzugriff fehlgeschlagen: %1").arg(error.text()));
}

QHash<QString, int> &depths()
{
    static QHash<QString, int> d;
    return d;
}

} // namespace

void execPlain(QSqlDatabase &db, const QString &statement)
{
    QSqlQuery q(db);
    if (!q.exec(statement))
        fail(q.lastError());
}

void exec(QSqlQuery &query, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec())
        fail(query.lastError());
}

Transaction::Transaction(QSqlDatabase &db) : m_db(db)
{
    int &depth = depths()[db.connectionName()];
    m_outer = depth == 0;
    if (m_outer && !m_db.transaction())
        fail(m_db.lastError());
    if (!m_outer) {
        m_savepoint = QStringLiteral("kw_%1").arg(depth);
        execPlain(m_db, QStringLiteral("SAVEPOINT ") + m_savepoint);
    }
    ++depth;
}

Transaction::~Transaction()
{
    int &depth = depths()[m_db.connectionName()];
    --depth;
    if (m_outer && !m_done)
        m_db.rollback();
    if (!m_outer && !m_done) {
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK TO ") + m_savepoint);
        QSqlQuery(m_db).exec(QStringLiteral("RELEASE ") + m_savepoint);
    }
    if (depth == 0)
        depths().remove(m_db.connectionName());
}

void Transaction::commit()
{
    m_done = true;
    if (!m_outer)
        execPlain(m_db, QStringLiteral("RELEASE ") + m_savepoint);
    else if (!m_db.commit()) {
        const QSqlError error = m_db.lastError();
        m_db.rollback();
        fail(error);
    }
}

} // namespace kw::mailstore::sql

#include <QSqlDriver>
#include <QStringEncoder>
#include <cstring>
#include <sqlite3.h>

namespace kw::mailstore::sql {

namespace {

sqlite3 *rawHandle(QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    return handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
               ? *static_cast<sqlite3 *const *>(handle.constData())
               : nullptr;
}

} // namespace

QString accessFailure(QSqlDatabase &db, const QSqlError &error)
{
    // What SQLite says about the content; everything else is about access.
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case SQLITE_OK:
    case SQLITE_ERROR: // e.g. no such table
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return {};
    default:
        break;
    }
    sqlite3 *raw = rawHandle(db);
    const int systemError = raw ? sqlite3_system_errno(raw) : 0;
    const QString sqliteText = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return systemError ? QStringLiteral("%1 (%2)").arg(QString::fromLocal8Bit(std::strerror(systemError)), sqliteText)
                       : sqliteText;
}

FastStatement::FastStatement(QSqlDatabase &db, const char *sqlText)
{
    sqlite3 *raw = rawHandle(db);
    if (!raw || sqlite3_prepare_v2(raw, sqlText, -1, &m_stmt, nullptr) != SQLITE_OK)
        throw PlatformError(errors::kOperationFailed,
                            QStringLiteral("Profilzugriff fehlgeschlagen: %1")
                                .arg(raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QStringLiteral("kein SQLite")));
    m_texts.resize(size_t(sqlite3_bind_parameter_count(m_stmt)));
}

FastStatement::~FastStatement()
{
    sqlite3_finalize(m_stmt);
}

void FastStatement::start(qint64 value)
{
    sqlite3_reset(m_stmt);
    sqlite3_bind_int64(m_stmt, 1, value);
}

void FastStatement::bind(int parameter, qint64 value)
{
    sqlite3_bind_int64(m_stmt, parameter, value);
}

void FastStatement::bind(int parameter, const QString &value)
{
    // Encoded into a buffer kept per parameter: no allocation once it has
    // grown, and SQLite needs no UTF-16 conversion of its own.
    if (size_t(parameter) > m_texts.size())
        m_texts.resize(size_t(parameter)); // SQLite itself refuses the number
    QByteArray &buffer = m_texts[size_t(parameter - 1)];
    QStringEncoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const qsizetype room = utf8.requiredSpace(value.size());
    if (buffer.size() < room)
        buffer.resize(room);
    const char *end = utf8.appendToBuffer(buffer.data(), value);
    sqlite3_bind_text(m_stmt, parameter, buffer.constData(), int(end - buffer.constData()), SQLITE_STATIC);
}

int FastStatement::run()
{
    while (step()) {
    }
    return sqlite3_changes(sqlite3_db_handle(m_stmt));
}

qint64 FastStatement::lastInsertId() const
{
    return sqlite3_last_insert_rowid(sqlite3_db_handle(m_stmt));
}

bool FastStatement::inTransaction() const
{
    return !sqlite3_get_autocommit(sqlite3_db_handle(m_stmt));
}

bool FastStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE) {
        sqlite3_reset(m_stmt); // releases the read lock at once
        return false;
    }
    const QString message = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
    sqlite3_reset(m_stmt);
    throw PlatformError(errors::kOperationFailed,
                        QStringLiteral("Profilzugriff fehlgeschlagen: %1").arg(message));
}

void FastStatement::reset()
{
    sqlite3_reset(m_stmt);
}

bool FastStatement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

qint64 FastStatement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

std::string_view FastStatement::utf8(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? std::string_view(data, size_t(sqlite3_column_bytes(m_stmt, column))) : std::string_view();
}

QString FastStatement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column)) : QString();
}

} // namespace kw::mailstore::sql
