#include "platform/mailstore/ItemWriter.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/FieldValues.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/mailstore/ProfileSchema.h"

#include <algorithm>
#include <unistd.h>

namespace kw::mailstore {

void itemGone()
{
    throw PlatformError(errors::kObjectNotFound,
                        QStringLiteral("Das Element wurde nicht gefunden. Es wurde gelöscht oder verschoben."));
}

ItemWriter::ItemWriter(QSqlDatabase &db)
    : m_db(db),
      m_begin(db, "BEGIN IMMEDIATE"),
      m_commit(db, "COMMIT"),
      m_rollback(db, "ROLLBACK"),
      m_savepoint(db, "SAVEPOINT kw_item"),
      m_release(db, "RELEASE kw_item"),
      m_rollbackTo(db, "ROLLBACK TO kw_item"),
      m_nextSeq(db, "SELECT COALESCE(MAX(seq), 0) + 1 FROM items WHERE folder = ?"),
      m_insertItem(db, "INSERT INTO items(folder, entry_id, class, message_class, created, seq)"
                       " VALUES (?, ?, ?, ?, ?, ?)"),
      m_setClass(db, "UPDATE items SET message_class = ? WHERE id = ?"),
      m_itemExists(db, "SELECT 1 FROM items WHERE id = ?"),
      m_dropField(db, "DELETE FROM fields WHERE item = ? AND kind = 0 AND name = ?"),
      m_propNames(db, "SELECT name FROM fields WHERE item = ? AND kind = 1"),
      m_dropProp(db, "DELETE FROM fields WHERE item = ? AND kind = 1 AND name = ?"),
      m_dropAllProps(db, "DELETE FROM fields WHERE item = ? AND kind = 1")
{
}

ItemWriter::Scope::Scope(ItemWriter &writer, bool ownUndo) : m_writer(writer)
{
    if (!m_writer.m_begin.inTransaction()) {
        m_state = State::Transaction;
        m_writer.m_begin.run();
    } else if (ownUndo) {
        m_state = State::Savepoint;
        m_writer.m_savepoint.run();
    } else {
        m_state = State::Joined;
    }
}

ItemWriter::Scope::~Scope()
{
    // After a failed statement SQLite may have rolled back by itself.
    if (m_state == State::Done || m_state == State::Joined || !m_writer.m_rollback.inTransaction())
        return;
    try {
        if (m_state == State::Savepoint) {
            m_writer.m_rollbackTo.run();
            m_writer.m_release.run();
        } else {
            m_writer.m_rollback.run();
        }
    } catch (const PlatformError &) {
        // Nothing better to do in a destructor; SQLite refuses a rollback
        // only after an I/O error, which the next access reports.
    }
}

void ItemWriter::Scope::commit()
{
    // On failure the destructor rolls back.
    if (m_state == State::Transaction)
        m_writer.m_commit.run();
    else if (m_state == State::Savepoint)
        m_writer.m_release.run();
    m_state = State::Done;
}

void ItemWriter::insertItem(ItemRecord &rec)
{
    m_nextSeq.start(rec.folderId);
    const qint64 next = m_nextSeq.step() ? m_nextSeq.integer(0) : 1;
    m_nextSeq.reset();
    if (rec.entryId.isEmpty())
        rec.entryId = ProfileDb::newId(24);
    if (!rec.created().isValid())
        rec.creationTime = QDateTime::currentDateTime();
    const QString created = rec.created().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    m_insertItem.bind(1, rec.folderId);
    m_insertItem.bind(2, rec.entryId);
    m_insertItem.bind(3, rec.itemClass);
    m_insertItem.bind(4, rec.messageClass);
    m_insertItem.bind(5, created);
    m_insertItem.bind(6, next);
    m_insertItem.run();
    rec.id = m_insertItem.lastInsertId();
}

void ItemWriter::updateItem(const ItemRecord &rec, bool messageClassChanged)
{
    if (!messageClassChanged) {
        // A read, so that an unchanged class does not rewrite the row.
        m_itemExists.start(rec.id);
        const bool exists = m_itemExists.step();
        m_itemExists.reset();
        if (!exists)
            itemGone();
        return;
    }
    m_setClass.bind(1, rec.messageClass);
    m_setClass.bind(2, rec.id);
    if (m_setClass.run() < 1)
        itemGone();
}

void ItemWriter::writeValues(const ItemRecord &rec, const QList<bool> &fieldDirty,
                             const QStringList &changedUserProperties, bool whole, bool isNew)
{
    m_rows.clear();
    m_exitCode = faults::takeExitDuringSave();
    queueFields(rec, fieldDirty, whole, isNew);
    if (whole)
        queueAllUserProperties(rec, isNew);
    else
        queueUserProperties(rec, changedUserProperties);
    putRows(rec.id);
}

void ItemWriter::queueFields(const ItemRecord &rec, const QList<bool> &dirty, bool all, bool isNew)
{
    const ItemSchema &itemSchema = ItemSchema::forClass(rec.itemClass);
    for (int i = 0; i < itemSchema.size(); ++i) {
        if (!all && !dirty.value(i))
            continue;
        const FieldDef &f = itemSchema.field(i);
        const QString &v = rec.values[i];
        if (!v.isNull() && v != defaultFieldText(f.kind))
            m_rows.push_back({schema::kFieldRow, &f.name, &v, 0});
        else if (!isNew) // a new item has no rows to drop
            drop(m_dropField, rec.id, f.name);
    }
}

void ItemWriter::queueAllUserProperties(const ItemRecord &rec, bool isNew)
{
    if (!isNew) {
        m_dropAllProps.start(rec.id);
        m_dropAllProps.run();
    }
    for (const UserPropertyRecord &p : rec.userProperties)
        m_rows.push_back({schema::kUserPropertyRow, &p.name, &p.value, p.type});
}

QStringList ItemWriter::staleUserProperties(const ItemRecord &rec, const QStringList &changed)
{
    // Stored rows that a changed name stands for without regard to case but
    // that the record does not hold under that exact name: a deleted
    // property, or another copy's spelling of one added here.
    QStringList stale;
    m_propNames.start(rec.id);
    while (m_propNames.step()) {
        const QString stored = m_propNames.text(0);
        if (std::none_of(changed.cbegin(), changed.cend(),
                         [&](const QString &name) { return sameUserPropertyName(name, stored); }))
            continue;
        const int i = indexOfUserProperty(rec.userProperties, stored);
        if (i < 0 || rec.userProperties[i].name != stored)
            stale.append(stored);
    }
    return stale;
}

void ItemWriter::queueUserProperties(const ItemRecord &rec, const QStringList &changed)
{
    if (changed.isEmpty())
        return;
    for (const QString &name : staleUserProperties(rec, changed))
        drop(m_dropProp, rec.id, name);
    for (const QString &name : changed) {
        const int i = indexOfUserProperty(rec.userProperties, name);
        if (i >= 0) {
            const UserPropertyRecord &p = rec.userProperties[i];
            m_rows.push_back({schema::kUserPropertyRow, &p.name, &p.value, p.type});
        }
    }
}

void ItemWriter::drop(sql::FastStatement &statement, qint64 itemId, const QString &name)
{
    statement.bind(1, itemId);
    statement.bind(2, name);
    statement.run();
    wrote();
}

void ItemWriter::wrote()
{
    if (m_exitCode)
        ::_exit(m_exitCode); // a crash in the middle of the transaction
}

sql::FastStatement &ItemWriter::putStatement(int level)
{
    // (?1, ?2, ?3, ?4, ?5), (?1, ?6, ?7, ?8, ?9), ...: the item once, four values per row.
    std::unique_ptr<sql::FastStatement> &st = m_putRows[level];
    if (!st) {
        QByteArray sqlText = "INSERT OR REPLACE INTO fields(item, kind, name, value, type) VALUES ";
        for (int r = 0; r < (1 << level); ++r) {
            const int p = 2 + 4 * r;
            sqlText += QStringLiteral("%1(?1, ?%2, ?%3, ?%4, ?%5)")
                           .arg(r ? QStringLiteral(", ") : QString()).arg(p).arg(p + 1).arg(p + 2).arg(p + 3)
                           .toLatin1();
        }
        st = std::make_unique<sql::FastStatement>(m_db, sqlText.constData());
    }
    return *st;
}

void ItemWriter::putRows(qint64 itemId)
{
    // In chunks of 16, 8, ... rows: a statement per row would cost more in
    // SQLite's per-statement work than the rows themselves.
    size_t done = 0;
    while (done < m_rows.size()) {
        int level = kMaxPutLevel;
        while ((size_t(1) << level) > m_rows.size() - done)
            --level;
        sql::FastStatement &st = putStatement(level);
        st.bind(1, itemId);
        for (int r = 0; r < (1 << level); ++r) {
            const Row &row = m_rows[done + size_t(r)];
            st.bind(2 + 4 * r, row.kind);
            st.bind(3 + 4 * r, *row.name);
            st.bind(4 + 4 * r, *row.value);
            st.bind(5 + 4 * r, row.type);
        }
        st.run();
        done += size_t(1) << level;
        wrote();
    }
}

} // namespace kw::mailstore
