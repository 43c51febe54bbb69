#pragma once

#include "contacts/ContactRun.h"

#include <QString>

// The telephone run over contacts: every telephone and fax number of the
// contacts in the ticked contact folders goes through FormatTelNumber; each
// field it changes keeps its old text as a backup (UndoFunctions).
namespace kw::TelNrStandard {

// Rewrites the numbers, saves each changed contact once and reports how many
// changed ("n Kontakt(e) geändert."). A reference database that cannot be
// read is reported before any contact is touched, and any failure ends the
// run (place 802); contacts saved before it keep their changes and backups.
// Returns the number of changed contacts, or -1 when the run did not finish.
int StandardizeContactTelNumbers(contacts::ContactRunContext &ctx);

} // namespace kw::TelNrStandard
