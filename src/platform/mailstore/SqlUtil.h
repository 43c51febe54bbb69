#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <string_view>
#include <vector>

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
// hot paths (item reads and saves) where QtSql's per-value conversions and
// allocations would dominate. Must be destroyed before the connection is
// closed.
class FastStatement
{
public:
    FastStatement(QSqlDatabase &db, const char *sqlText);
    ~FastStatement();
    FastStatement(const FastStatement &) = delete;
    FastStatement &operator=(const FastStatement &) = delete;

    // Resets the statement and binds one integer as its only parameter.
    void start(qint64 value);
    // Parameters are numbered from 1. A null text binds as empty text, as
    // the text columns are NOT NULL.
    void bind(int parameter, qint64 value);
    void bind(int parameter, const QString &value);
    // Runs a statement that returns no rows and resets it; the number of rows
    // it changed. Throws on failure.
    int run();
    // The rowid of the connection's last insert.
    qint64 lastInsertId() const;
    // Whether a transaction is open on the statement's connection.
    bool inTransaction() const;
    // Next row; false at the end. Throws on failure.
    bool step();
    // Done with the rows before the end: releases the read lock at once.
    void reset();
    bool isNull(int column) const;
    qint64 integer(int column) const;
    QString text(int column) const;
    std::string_view utf8(int column) const;

private:
    sqlite3_stmt *m_stmt = nullptr;
    std::vector<QByteArray> m_texts; // the UTF-8 of each bound text, by parameter
};

} // namespace kw::mailstore::sql
