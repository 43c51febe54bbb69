#include "platform/mailstore/SqlUtil.h"

#include "platform/core/PlatformError.h"

#include <QHash>
#include <QSqlError>

namespace kw::outlook::sql {

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
    ++depth;
}

Transaction::~Transaction()
{
    int &depth = depths()[m_db.connectionName()];
    --depth;
    if (m_outer && !m_done)
        m_db.rollback();
    if (depth == 0)
        depths().remove(m_db.connectionName());
}

void Transaction::commit()
{
    m_done = true;
    if (m_outer && !m_db.commit()) {
        const QSqlError error = m_db.lastError();
        m_db.rollback();
        fail(error);
    }
}

} // namespace kw::outlook::sql
