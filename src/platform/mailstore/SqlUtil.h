#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <string_view>

// Small helpers over QtSql that turn failures into kw::PlatformError.
namespace kw::mailstore::sql {

void execPlain(QSqlDatabase &db, const QString &statement);
// Binds the values in order and executes the prepared query.
void exec(QSqlQuery &query, const QVariantList &values);

// When a failed statement could not open or read the file (as opposed to
// finding something that is no database, or no such table), the reason,
// with the system's own words where it gave any ("Permission denied");
// otherwise an empty text.
QString accessFailure(QSqlDatabase &db, const QSqlError &error);

// A transaction that rolls back unless committed. A nested one on the same
// connection is a savepoint of the outermost: its commit keeps its writes
// for the outer commit, its failure undoes only its own writes.
class Transaction
{
public:
    explicit Transaction(QSqlDatabase &db);
    ~Transaction();
    void commit();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    QSqlDatabase &m_db;
    bool m_outer;
    QString m_savepoint; // nested ones
    bool m_done = false;
};

} // namespace kw::mailstore::sql

struct sqlite3_stmt;

namespace kw::mailstore::sql {

// A statement prepared straight on the connection's SQLite handle, for the
// hot read path where QtSql's per-value conversions would dominate. Must be
// destroyed before the connection is closed.
class FastStatement
{
public:
    FastStatement(QSqlDatabase &db, const char *sqlText);
    ~FastStatement();
    FastStatement(const FastStatement &) = delete;
    FastStatement &operator=(const FastStatement &) = delete;

    // Resets the statement and binds one integer as its only parameter.
    void start(qint64 value);
    // Next row; false at the end. Throws on failure.
    bool step();
    bool isNull(int column) const;
    qint64 integer(int column) const;
    QString text(int column) const;
    std::string_view utf8(int column) const;

private:
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace kw::mailstore::sql
