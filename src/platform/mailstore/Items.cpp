#include "platform/mailstore/Items.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/Filter.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/ProfileDb.h"

#include <QHash>
#include <QSet>

namespace kw::mailstore {

Items::Items(ProfileDbPtr db, FolderPtr folder, QList<qint64> itemIds)
    : m_db(std::move(db)), m_folder(std::move(folder)), m_ids(std::move(itemIds))
{
}

ItemPtr Items::Item(int index) const
{
    if (index < 1 || index > m_ids.size())
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Elementindex %1 außerhalb des gültigen Bereichs.").arg(index));
    if (faults::takeItemReadFault(m_folder->Name(), index))
        throw PlatformError(errors::kOperationFailed,
                            QStringLiteral("Das Element %1 konnte nicht gelesen werden.").arg(index));
    return std::make_shared<mailstore::Item>(m_db, m_db->loadItem(m_ids[index - 1]));
}

namespace {

// The ids among `ids` (in their order) whose fields satisfy the expression.
QList<qint64> matchingIds(ProfileDb &db, qint64 folderId, const QList<qint64> &ids,
                          const filter::Expression &expr)
{
    QHash<QString, QHash<qint64, QString>> columns; // field -> item -> stored text
    for (const auto &alternative : expr)
        for (const filter::Clause &c : alternative)
            if (!columns.contains(c.field)) {
                QHash<qint64, QString> &col = columns[c.field];
                for (const auto &row : db.fieldColumn(folderId, c.field))
                    col.insert(row.first, row.second);
            }
    QList<qint64> out;
    for (qint64 id : ids) {
        const bool hit = std::any_of(expr.cbegin(), expr.cend(), [&](const QList<filter::Clause> &all) {
            return std::all_of(all.cbegin(), all.cend(), [&](const filter::Clause &c) {
                return filter::matches(c.field, columns[c.field].value(id), c.value);
            });
        });
        if (hit)
            out.append(id);
    }
    return out;
}

} // namespace

ItemsPtr Items::Restrict(const QString &filterText) const
{
    const filter::Expression expr = filter::parse(filterText);
    return std::make_shared<Items>(m_db, m_folder,
                                   matchingIds(*m_db, m_folder->record().id, m_ids, expr));
}

ItemPtr Items::Find(const QString &filterText) const
{
    const filter::Expression expr = filter::parse(filterText);
    const QList<qint64> ids = matchingIds(*m_db, m_folder->record().id, m_ids, expr);
    if (ids.isEmpty())
        return nullptr;
    return std::make_shared<mailstore::Item>(m_db, m_db->loadItem(ids.first()));
}

ItemPtr Items::Add()
{
    return Add(m_folder->DefaultMessageClass());
}

ItemPtr Items::Add(const QString &messageClass)
{
    const int cls = classForMessageClass(messageClass);
    if (!cls)
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Unbekannte Nachrichtenklasse \"%1\".").arg(messageClass));
    ItemRecord rec;
    rec.folderId = m_folder->record().id;
    rec.itemClass = cls;
    rec.messageClass = messageClass;
    rec.values.resize(ItemSchema::forClass(cls).size());
    auto item = std::make_shared<mailstore::Item>(m_db, std::move(rec));
    item->markDirty();
    return item;
}

} // namespace kw::mailstore
