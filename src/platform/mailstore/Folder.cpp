#include "platform/mailstore/Folder.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/ProfileDb.h"

namespace kw::mailstore {

Folder::Folder(ProfileDbPtr db, FolderRecord record) : m_db(std::move(db)), m_rec(std::move(record))
{
}

FoldersPtr Folder::Folders()
{
    return std::make_shared<mailstore::Folders>(m_db, m_rec.id, m_db->childFolders(m_rec.id));
}

ItemsPtr Folder::Items()
{
    // The folder is fetched anew so that a folder deleted meanwhile is noticed.
    std::optional<FolderRecord> current = m_db->folderById(m_rec.id);
    if (!current)
        throw PlatformError(errors::kObjectNotFound,
                            QStringLiteral("Der Ordner %1 existiert nicht mehr.").arg(m_rec.name));
    return std::make_shared<mailstore::Items>(m_db, std::make_shared<Folder>(m_db, *current),
                                            m_db->itemIds(m_rec.id));
}

FolderPtr Folder::Parent()
{
    if (!m_rec.parentId)
        return nullptr;
    const std::optional<FolderRecord> p = m_db->folderById(m_rec.parentId);
    return p ? std::make_shared<Folder>(m_db, *p) : nullptr;
}

Folders::Folders(ProfileDbPtr db, qint64 parentId, QList<FolderRecord> records)
    : m_db(std::move(db)), m_parentId(parentId), m_records(std::move(records))
{
}

FolderPtr Folders::Item(int index) const
{
    if (index < 1 || index > m_records.size())
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Ordnerindex %1 außerhalb des gültigen Bereichs.").arg(index));
    return std::make_shared<Folder>(m_db, m_records[index - 1]);
}

FolderPtr Folders::find(const QString &name) const
{
    for (const FolderRecord &r : m_records)
        if (r.name == name)
            return std::make_shared<Folder>(m_db, r);
    for (const FolderRecord &r : m_records)
        if (r.name.compare(name, Qt::CaseInsensitive) == 0)
            return std::make_shared<Folder>(m_db, r);
    return nullptr;
}

FolderPtr Folders::Item(const QString &name) const
{
    FolderPtr f = find(name);
    if (!f)
        throw PlatformError(errors::kObjectNotFound,
                            QStringLiteral("Der Ordner \"%1\" wurde nicht gefunden.").arg(name));
    return f;
}

FolderPtr Folders::Add(const QString &name)
{
    if (m_parentId == 0)
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Hier kann kein Ordner angelegt werden."));
    if (name.trimmed().isEmpty())
        throw PlatformError(errors::kInvalidArgument, QStringLiteral("Der Ordnername fehlt."));
    for (const FolderRecord &r : m_db->childFolders(m_parentId))
        if (r.name.compare(name, Qt::CaseInsensitive) == 0)
            throw PlatformError(errors::kOperationFailed,
                                QStringLiteral("Ein Ordner \"%1\" existiert bereits.").arg(name));
    const std::optional<FolderRecord> parent = m_db->folderById(m_parentId);
    if (!parent)
        throw PlatformError(errors::kObjectNotFound, QStringLiteral("Der Oberordner fehlt."));
    const FolderRecord made = m_db->addFolder(*parent, name, parent->containerClass,
                                              parent->defaultMessageClass);
    m_records.append(made);
    return std::make_shared<Folder>(m_db, made);
}

} // namespace kw::mailstore
