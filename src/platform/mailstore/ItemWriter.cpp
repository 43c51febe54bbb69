#include "platform/mailstore/ItemWriter.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/FieldValues.h"
#include "platform/mailstore/ProfileDb.h"

#include <algorithm>
#include <unistd.h>

namespace kw::mailstore {

void itemGone()
{
    throw PlatformError(errors::kObjectNotFound,
                        QStringLiteral("Das Element wurde nicht gefunden. Es wurde gelöscht oder verschoben."));
}

ItemWriter::ItemWriter(QSqlDatabase &db)
    : m_begin(db, "BEGIN IMMEDIATE"),
      m_commit(db, "COMMIT"),
      m_rollback(db, "ROLLBACK"),
      m_nextSeq(db, "SELECT COALESCE(MAX(seq), 0) + 1 FROM items WHERE folder = ?"),
      m_insertItem(db, "INSERT INTO items(folder, entry_id, class, message_class, created, seq)"
                       " VALUES (?, ?, ?, ?, ?, ?)"),
      m_setClass(db, "UPDATE items SET message_class = ? WHERE id = ?"),
      m_itemExists(db, "SELECT 1 FROM items WHERE id = ?"),
      m_putField(db, "INSERT OR REPLACE INTO fields(item, kind, name, value, type) VALUES (?, 0, ?, ?, 0)"),
      m_dropField(db, "DELETE FROM fields WHERE item = ? AND kind = 0 AND name = ?"),
      m_propNames(db, "SELECT name FROM fields WHERE item = ? AND kind = 1"),
      m_putProp(db, "INSERT OR REPLACE INTO fields(item, kind, name, value, type) VALUES (?, 1, ?, ?, ?)"),
      m_dropProp(db, "DELETE FROM fields WHERE item = ? AND kind = 1 AND name = ?"),
      m_dropAllProps(db, "DELETE FROM fields WHERE item = ? AND kind = 1")
{
}

ItemWriter::Scope::Scope(ItemWriter &writer) : m_writer(writer)
{
    if (m_writer.m_begin.inTransaction())
        return;
    m_writer.m_begin.run();
    m_open = true;
}

ItemWriter::Scope::~Scope()
{
    // After a failed statement SQLite may have rolled back by itself.
    if (!m_open || !m_writer.m_rollback.inTransaction())
        return;
    try {
        m_writer.m_rollback.run();
    } catch (const PlatformError &) {
        // Nothing more to undo here: the connection ends the transaction when closed.
    }
}

void ItemWriter::Scope::commit()
{
    if (!m_open)
        return;
    m_writer.m_commit.run(); // on failure the destructor rolls back
    m_open = false;
}

void ItemWriter::insertItem(ItemRecord &rec)
{
    m_nextSeq.start(rec.folderId);
    const qint64 next = m_nextSeq.step() ? m_nextSeq.integer(0) : 1;
    while (m_nextSeq.step()) {
    }
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
        while (m_itemExists.step()) {
        }
        if (!exists)
            itemGone();
        return;
    }
    m_setClass.bind(1, rec.messageClass);
    m_setClass.bind(2, rec.id);
    if (m_setClass.run() < 1)
        itemGone();
}

void ItemWriter::writeFields(const ItemRecord &rec, const QList<bool> &dirty, bool all, bool isNew)
{
    const ItemSchema &schema = ItemSchema::forClass(rec.itemClass);
    int written = 0;
    const int exitCode = faults::takeExitDuringSave();
    for (int i = 0; i < schema.size(); ++i) {
        if (!all && !dirty.value(i))
            continue;
        const FieldDef &f = schema.field(i);
        const QString &v = rec.values[i];
        if (v.isNull() || v == defaultFieldText(f.kind)) {
            if (!isNew) { // a new item has no rows to drop
                m_dropField.bind(1, rec.id);
                m_dropField.bind(2, f.name);
                m_dropField.run();
            }
        } else {
            m_putField.bind(1, rec.id);
            m_putField.bind(2, f.name);
            m_putField.bind(3, v);
            m_putField.run();
        }
        if (exitCode && ++written == 2)
            ::_exit(exitCode); // a crash in the middle of the transaction
    }
}

void ItemWriter::putUserProperty(qint64 itemId, const UserPropertyRecord &p)
{
    m_putProp.bind(1, itemId);
    m_putProp.bind(2, p.name);
    m_putProp.bind(3, p.value);
    m_putProp.bind(4, p.type);
    m_putProp.run();
}

void ItemWriter::writeAllUserProperties(const ItemRecord &rec, bool isNew)
{
    if (!isNew) {
        m_dropAllProps.start(rec.id);
        m_dropAllProps.run();
    }
    for (const UserPropertyRecord &p : rec.userProperties)
        putUserProperty(rec.id, p);
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

void ItemWriter::writeUserProperties(const ItemRecord &rec, const QStringList &changed)
{
    if (changed.isEmpty())
        return;
    for (const QString &name : staleUserProperties(rec, changed)) {
        m_dropProp.bind(1, rec.id);
        m_dropProp.bind(2, name);
        m_dropProp.run();
    }
    for (const QString &name : changed) {
        const int i = indexOfUserProperty(rec.userProperties, name);
        if (i >= 0)
            putUserProperty(rec.id, rec.userProperties[i]);
    }
}

} // namespace kw::mailstore
