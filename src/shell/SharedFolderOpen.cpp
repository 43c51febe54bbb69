#include "shell/SharedFolderOpen.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mailstore/Recipient.h"
#include "platform/mapi/MAPIUtils.h"

namespace kw {

const QList<SharedFolderType> &sharedFolderTypes()
{
    static const QList<SharedFolderType> types = {
        {QStringLiteral("Kalender"), 9},  {QStringLiteral("Kontakte"), 10}, {QStringLiteral("Posteingang"), 6},
        {QStringLiteral("Notizen"), 12},  {QStringLiteral("Aufgaben"), 13}, {QStringLiteral("Journal"), 11},
    };
    return types;
}

ResolvedName resolveSharedOwner(const mailstore::NameSpacePtr &ns, const QString &name)
{
    mapi::MAPIUtils utils(ns);
    const mailstore::RecipientPtr recipient = utils.CreateRecipient(name, true, 0);
    recipient->Resolve(false);
    ResolvedName result;
    result.resolved = recipient->Resolved();
    if (result.resolved)
        result.displayName = recipient->Name();
    return result;
}

mailstore::FolderPtr openSharedDefaultFolder(const mailstore::NameSpacePtr &ns, const QString &ownerName, int position)
{
    if (position < 0 || position >= sharedFolderTypes().size())
        throw PlatformError(errors::kInvalidArgument, QStringLiteral("No folder type at position %1").arg(position));
    const mailstore::RecipientPtr recipient = ns->CreateRecipient(ownerName);
    recipient->Resolve(false);
    return ns->GetSharedDefaultFolder(recipient, sharedFolderTypes().at(position).folderNumber);
}

} // namespace kw
