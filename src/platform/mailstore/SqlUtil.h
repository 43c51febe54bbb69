#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>

// Small helpers over QtSql that turn failures into kw::PlatformError.
namespace kw::outlook::sql {

void execPlain(QSqlDatabase &db, const QString &statement);
// Binds the values in order and executes the prepared query.
void exec(QSqlQuery &query, const QVariantList &values);

// A transaction that rolls back unless committed. Nested transactions on the
// same connection join the outermost one.
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
    bool m_done = false;
};

} // namespace kw::outlook::sql
