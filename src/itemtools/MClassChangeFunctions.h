#pragma once

#include "itemtools/ItemRun.h"
#include "platform/mailstore/Fwd.h"

#include <QString>

// The message-class change (module MClassChangeFunctions): gives every item
// of the ticked folders its standard class followed by a form name, or the
// standard class alone when the name is blank.
namespace kw::itemtools {

// The item's standard message class by its Class ("IPM.Contact" for 40, ...)
// when its MessageClass is that class or continues it after a "."
// ("IPM.Contact.Alt", not "IPM.Contacts"), letter case aside; "" otherwise
// and for kinds without a standard class (notes among them).
QString GetStandardMessageClass(int itemClass, const QString &messageClass);
QString GetStandardMessageClass(const mailstore::Item &item);

// The class written into an item: base + "." + the name without leading and
// trailing blanks, or base alone when nothing of the name is left.
// ("IPM.Contact", " Kunde ") gives "IPM.Contact.Kunde".
QString MessageClassValue(const QString &base, const QString &newName);

// False for a name with control characters or line breaks, which would be
// written into every item's class.
bool isUsableFormName(const QString &name);

// The run: every folder of the working set ("AllTypes"), bracketed by the
// busy state. Items that fail are counted, logged under "ChangeMessageClass"
// and reported once at the end; the run goes on with the next item. Items of
// secure and system classes (S/MIME, rule templates, receipts, reports, ...)
// are never changed: they are counted, named in the error log and reported
// once at the end.
void ChangeMessageClass(RunContext &ctx, const QString &NewName);

// One folder of the run. An empty folder is reported and left; a failing
// item goes into `failures`, an item of a system class into `leftAlone`.
// Throws kw::PlatformError when the folder itself cannot be read.
void ChangeFolderMessageClass(RunContext &ctx, const mailstore::FolderPtr &Folder, const QString &NewName,
                              FailureLog &failures, QStringList &leftAlone);

} // namespace kw::itemtools
