#include "platform/mailstore/NameSpace.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/mailstore/Recipient.h"

namespace kw::mailstore {

namespace {

[[noreturn]] void notFound(const QString &what, const QString &id)
{
    throw PlatformError(errors::kObjectNotFound,
                        QStringLiteral("%1 mit der ID %2 wurde nicht gefunden.").arg(what, id));
}

} // namespace

NameSpace::NameSpace(ProfileDbPtr db) : m_db(std::move(db)) {}

FoldersPtr NameSpace::Folders()
{
    return std::make_shared<mailstore::Folders>(m_db, 0, m_db->storeRoots());
}

FolderPtr NameSpace::GetFolderFromID(const QString &entryId, const QString &storeId)
{
    const std::optional<FolderRecord> rec = m_db->folderByEntryId(entryId, storeId);
    if (!rec)
        notFound(QStringLiteral("Der Ordner"), entryId);
    return std::make_shared<Folder>(m_db, *rec);
}

ItemPtr NameSpace::GetItemFromID(const QString &entryId, const QString &storeId)
{
    if (faults::takeFetchFault(entryId))
        throw PlatformError(errors::kOperationFailed,
                            QStringLiteral("Das Element konnte nicht geöffnet werden."));
    const std::optional<qint64> id = m_db->itemByEntryId(entryId, storeId);
    if (!id)
        notFound(QStringLiteral("Das Element"), entryId);
    return std::make_shared<Item>(m_db, m_db->loadItem(*id));
}

FolderPtr NameSpace::GetDefaultFolder(int folderType)
{
    const QList<FolderRecord> roots = m_db->storeRoots();
    std::optional<FolderRecord> rec;
    if (!roots.isEmpty())
        rec = m_db->defaultFolder(roots.first().storeRowId, folderType);
    if (!rec)
        throw PlatformError(errors::kObjectNotFound,
                            QStringLiteral("Der Standardordner %1 fehlt.").arg(folderType));
    return std::make_shared<Folder>(m_db, *rec);
}

RecipientPtr NameSpace::CreateRecipient(const QString &name)
{
    return std::make_shared<Recipient>(m_db, name);
}

FolderPtr NameSpace::GetSharedDefaultFolder(const RecipientPtr &recipient, int folderType)
{
    if (!recipient || (!recipient->Resolved() && !recipient->Resolve(false)))
        throw PlatformError(errors::kObjectNotFound,
                            QStringLiteral("Der Name konnte nicht aufgelöst werden."));
    for (const AddressEntry &e : m_db->addressBook()) {
        if (e.id != recipient->userId())
            continue;
        if (!e.sharedFolders.contains(folderType) || !e.storeRowId)
            break;
        if (const std::optional<FolderRecord> rec = m_db->defaultFolder(e.storeRowId, folderType))
            return std::make_shared<Folder>(m_db, *rec);
        break;
    }
    throw PlatformError(errors::kPermissionDenied,
                        QStringLiteral("Sie haben keine Berechtigung, diesen Ordner zu öffnen."));
}

QStringList NameSpace::addressBook() const
{
    QStringList names;
    for (const AddressEntry &e : m_db->addressBook())
        names.append(e.displayName);
    return names;
}

} // namespace kw::mailstore
