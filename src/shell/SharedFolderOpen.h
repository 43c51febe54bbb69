#pragma once

#include "platform/mailstore/Fwd.h"

#include <QList>
#include <QString>

namespace kw {

// One entry of the folder-type list and the default-folder number it opens.
struct SharedFolderType
{
    QString text;
    int folderNumber;
};
// "Kalender", "Kontakte", "Posteingang", "Notizen", "Aufgaben", "Journal".
const QList<SharedFolderType> &sharedFolderTypes();

// A name checked against the address book.
struct ResolvedName
{
    bool resolved = false;
    QString displayName;
};

// Resolves a typed name through the wrapper library's recipient. Throws
// kw::PlatformError when the mail store cannot be reached.
ResolvedName resolveSharedOwner(const mailstore::NameSpacePtr &ns, const QString &name);

// Opens the owner's default folder of the type at `position` of the list.
// Throws kw::PlatformError when there is no grant or the folder is missing.
mailstore::FolderPtr openSharedDefaultFolder(const mailstore::NameSpacePtr &ns, const QString &ownerName,
                                           int position);

} // namespace kw
