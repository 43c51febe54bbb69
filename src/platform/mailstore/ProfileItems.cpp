// Item rows of a profile: load, save, move, delete and attachments.
#include "platform/core/PlatformError.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/ItemSchema.h"
#include "platform/mailstore/ItemWriter.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/mailstore/ProfileSchema.h"
#include "platform/mailstore/SqlUtil.h"

namespace kw::mailstore {

namespace {

// QtSql binds a null QString as NULL; text columns here are NOT NULL.
QString nn(const QString &s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

QVariant nullInt()
{
    return QVariant(QMetaType(QMetaType::LongLong));
}

} // namespace

QString ProfileDb::storeIdOfFolder(qint64 folderId)
{
    auto it = m_folderStoreIds.constFind(folderId);
    if (it != m_folderStoreIds.cend())
        return *it;
    const std::optional<FolderRecord> f = folderById(folderId);
    const QString id = f ? f->storeId : QString();
    m_folderStoreIds.insert(folderId, id);
    return id;
}

QList<qint64> ProfileDb::itemIds(qint64 folderId)
{
    QSqlQuery &q = query(QStringLiteral("SELECT id FROM items WHERE folder = ? ORDER BY seq"));
    sql::exec(q, {folderId});
    QList<qint64> ids;
    while (q.next())
        ids.append(q.value(0).toLongLong());
    q.finish();
    return ids;
}

ItemRecord ProfileDb::loadItem(qint64 itemId)
{
    // One query brings the item with all its fields and user properties.
    if (!m_loadItem)
        m_loadItem = std::make_unique<sql::FastStatement>(
            m_db, "SELECT i.folder, i.entry_id, i.class, i.message_class, i.created, f.kind,"
                  " f.name, f.value, f.type FROM items i LEFT JOIN fields f ON f.item = i.id"
                  " WHERE i.id = ?");
    sql::FastStatement &q = *m_loadItem;
    q.start(itemId);
    ItemRecord rec;
    const ItemSchema *schema = nullptr;
    while (q.step()) {
        if (!schema) {
            rec.id = itemId;
            rec.folderId = q.integer(0);
            rec.entryId = q.text(1);
            rec.itemClass = int(q.integer(2));
            rec.messageClass = q.text(3);
            rec.createdText = q.text(4);
            schema = &ItemSchema::forClass(rec.itemClass);
            rec.values.resize(schema->size());
        }
        if (q.isNull(5))
            continue;
        if (q.integer(5) == schema::kUserPropertyRow) {
            rec.userProperties.append({q.text(6), int(q.integer(8)), q.text(7)});
        } else {
            const int idx = schema->indexOfUtf8(q.utf8(6));
            if (idx >= 0)
                rec.values[idx] = q.text(7);
        }
    }
    if (!schema)
        itemGone();
    return rec;
}

std::optional<qint64> ProfileDb::itemByEntryId(const QString &entryId, const QString &storeId)
{
    QSqlQuery &q = query(QStringLiteral("SELECT id, folder FROM items WHERE entry_id = ?"));
    sql::exec(q, {entryId.toUpper()});
    std::optional<qint64> found;
    qint64 folder = 0;
    if (q.next()) {
        found = q.value(0).toLongLong();
        folder = q.value(1).toLongLong();
    }
    q.finish();
    if (found && !storeId.isEmpty() && storeIdOfFolder(folder) != storeId.toUpper())
        return std::nullopt;
    return found;
}

namespace {

void writeAttachments(ProfileDb &db, qint64 itemId, QList<AttachmentRecord> &atts,
                      const QList<qint64> &removed)
{
    QSqlQuery &drop = db.query(QStringLiteral("DELETE FROM attachments WHERE id = ? AND item = ?"));
    for (qint64 id : removed)
        sql::exec(drop, {id, itemId});
    QSqlQuery &update = db.query(QStringLiteral(
        "UPDATE attachments SET position = ?, hidden = ?, file_name = ?, display_name = ? WHERE id = ?"));
    QSqlQuery &insert = db.query(QStringLiteral(
        "INSERT INTO attachments(item, position, file_name, display_name, type, size, hidden,"
        " path_name, content) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (int pos = 0; pos < atts.size(); ++pos) {
        AttachmentRecord &a = atts[pos];
        const QVariant hidden = a.hidden ? QVariant(*a.hidden ? 1 : 0) : nullInt();
        if (a.id) {
            sql::exec(update, {pos, hidden, nn(a.fileName), nn(a.displayName), a.id});
            continue;
        }
        sql::exec(insert, {itemId, pos, nn(a.fileName), nn(a.displayName), a.type, a.size, hidden,
                           nn(a.pathName), a.content});
        a.id = insert.lastInsertId().toLongLong();
    }
}

} // namespace

void ProfileDb::saveItem(ItemRecord &record, const QList<bool> &fieldDirty, bool allFields,
                         QList<AttachmentRecord> *attachments,
                         const QList<qint64> &removedAttachments, bool messageClassChanged,
                         const QStringList &changedUserProperties)
{
    if (faults::takeSaveFault(record.entryId))
        throw PlatformError(errors::kOperationFailed,
                            QStringLiteral("Das Element konnte nicht gespeichert werden."));
    if (!m_writer)
        m_writer = std::make_unique<ItemWriter>(m_db);
    ItemRecord work = record; // the caller's record changes only after the commit
    ItemWriter::Scope tx(*m_writer, !allFields);
    const bool isNew = work.id == 0;
    if (isNew)
        m_writer->insertItem(work);
    else
        m_writer->updateItem(work, messageClassChanged);
    m_writer->writeValues(work, fieldDirty, changedUserProperties, isNew || allFields, isNew);
    QList<AttachmentRecord> atts = attachments ? *attachments : QList<AttachmentRecord>();
    if (attachments)
        writeAttachments(*this, work.id, atts, removedAttachments);
    tx.commit();
    record = work;
    if (attachments)
        *attachments = atts;
}

void ProfileDb::moveItem(ItemRecord &record, qint64 targetFolderId)
{
    sql::Transaction tx(m_db);
    QSqlQuery &seq = query(QStringLiteral(
        "SELECT COALESCE(MAX(seq), 0) + 1 FROM items WHERE folder = ?"));
    sql::exec(seq, {targetFolderId});
    const qint64 next = seq.next() ? seq.value(0).toLongLong() : 1;
    seq.finish();
    const QString newEntryId = newId(24);
    QSqlQuery &q = query(QStringLiteral(
        "UPDATE items SET folder = ?, entry_id = ?, seq = ? WHERE id = ?"));
    sql::exec(q, {targetFolderId, newEntryId, next, record.id});
    if (q.numRowsAffected() < 1)
        itemGone();
    tx.commit();
    record.folderId = targetFolderId;
    record.entryId = newEntryId;
}

void ProfileDb::deleteItem(qint64 itemId)
{
    sql::Transaction tx(m_db);
    QSqlQuery &q = query(QStringLiteral("DELETE FROM items WHERE id = ?"));
    sql::exec(q, {itemId});
    if (q.numRowsAffected() < 1)
        itemGone();
    sql::exec(query(QStringLiteral("DELETE FROM fields WHERE item = ?")), {itemId});
    sql::exec(query(QStringLiteral("DELETE FROM attachments WHERE item = ?")), {itemId});
    tx.commit();
}

QList<AttachmentRecord> ProfileDb::loadAttachments(qint64 itemId)
{
    QSqlQuery &q = query(QStringLiteral(
        "SELECT id, file_name, display_name, type, size, hidden, path_name FROM attachments"
        " WHERE item = ? ORDER BY position"));
    sql::exec(q, {itemId});
    QList<AttachmentRecord> out;
    while (q.next()) {
        AttachmentRecord a;
        a.id = q.value(0).toLongLong();
        a.fileName = q.value(1).toString();
        a.displayName = q.value(2).toString();
        a.type = q.value(3).toInt();
        a.size = q.value(4).toLongLong();
        if (!q.value(5).isNull())
            a.hidden = q.value(5).toInt() != 0;
        a.pathName = q.value(6).toString();
        out.append(a);
    }
    q.finish();
    return out;
}

QByteArray ProfileDb::attachmentContent(qint64 attachmentId)
{
    QSqlQuery &q = query(QStringLiteral("SELECT content FROM attachments WHERE id = ?"));
    sql::exec(q, {attachmentId});
    QByteArray content;
    if (q.next())
        content = q.value(0).toByteArray();
    q.finish();
    return content;
}

QList<QPair<qint64, QString>> ProfileDb::fieldColumn(qint64 folderId, const QString &canonicalName)
{
    QSqlQuery &q = query(QStringLiteral(
        "SELECT i.id, f.value FROM items i LEFT JOIN fields f ON f.item = i.id AND f.kind = 0"
        " AND f.name = ? WHERE i.folder = ? ORDER BY i.seq"));
    sql::exec(q, {canonicalName, folderId});
    QList<QPair<qint64, QString>> out;
    while (q.next())
        out.append({q.value(0).toLongLong(),
                    q.value(1).isNull() ? QString() : q.value(1).toString()});
    q.finish();
    return out;
}

} // namespace kw::mailstore
