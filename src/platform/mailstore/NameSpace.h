#pragma once

#include "platform/mailstore/Fwd.h"

#include <QString>
#include <QStringList>

namespace kw::mailstore {

// The "MAPI" namespace of an application: the store roots and look-ups by ID.
class NameSpace
{
public:
    explicit NameSpace(ProfileDbPtr db);

    // The store roots of the profile in profile order (other users' stores
    // that are only shared with the user are not among them).
    FoldersPtr Folders();
    // IDs are hexadecimal texts in either letter case. An empty StoreID
    // searches every store. Unknown, deleted or moved: kw::PlatformError
    // with kw::errors::kObjectNotFound.
    FolderPtr GetFolderFromID(const QString &entryId, const QString &storeId = {});
    ItemPtr GetItemFromID(const QString &entryId, const QString &storeId = {});
    // A default folder of the user's first store (numbers in defaultfolder).
    FolderPtr GetDefaultFolder(int folderType);
    // An unresolved recipient for a name typed by the user.
    RecipientPtr CreateRecipient(const QString &name);
    // Another user's default folder. Fails when the recipient does not
    // resolve, or when the user has no share grant for that folder.
    FolderPtr GetSharedDefaultFolder(const RecipientPtr &recipient, int folderType);
    // Display names of the address book's entries.
    QStringList addressBook() const;

    const ProfileDbPtr &db() const { return m_db; }

private:
    ProfileDbPtr m_db;
};

} // namespace kw::mailstore
