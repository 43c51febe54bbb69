#pragma once

#include "contacts/ContactRun.h"
#include "platform/mailstore/Fwd.h"

#include <QString>
#include <QStringList>

namespace kw::mapi {
class SafeItem;
}

// Backup values of contact fields and their undo.
//
// A run that changes a contact field first keeps the field's old text in the
// contact's text user property "KW Backup " + field ("KW Backup Fullname").
// One level only: a later change overwrites it. The undo writes the backup
// back into the field and deletes it, so each change can be undone once.
namespace kw::contacts::undo::UndoFunctions {

// "KW Backup " + FieldName.
QString backupName(const QString &FieldName);

// The fields of each kind, in the order they are restored.
const QStringList &nameFields();      // "Names": the nine name fields
const QStringList &telephoneFields(); // "Telephone": the nineteen numbers

// Keeps the field's current text as its backup (created when missing; the
// item is not saved here). False when the backup could not be made, which
// has been reported (place 206): the caller must then leave the field alone.
bool WriteBackup(const mailstore::ItemPtr &item, const QString &FieldName, Messages &messages);

// Sets the field to its backup and deletes the backup; Restored says whether
// there was one. The item is not saved here. Throws PlatformError.
void RestoreFieldFromBackup(mapi::SafeItem &Item, const QString &FieldName, bool &Restored);

// Restores every field of `fields` that has a backup. Afterwards each
// restored field holds exactly its backup, also where writing one field makes
// the store recompute another (a name part rebuilds the full name). Returns
// the number of fields restored; the item is not saved. Throws PlatformError.
int RestoreContactFields(mapi::SafeItem &Item, const QStringList &fields);

// The undo of one kind ("Names" or "Telephone"; any other does nothing) over
// the ticked contact folders: restores, saves each contact that had a backup
// and reports the number of contacts. A failure ends the run (place 401).
// Returns that number, or -1 when the run did not finish.
int UndoContactFields(ContactRunContext &ctx, const QString &Kind);

} // namespace kw::contacts::undo::UndoFunctions
