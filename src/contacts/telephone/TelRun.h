#pragma once

#include "contacts/ContactRun.h"

#include <QString>

// The telephone run over contacts: every telephone and fax number of the
// contacts in the ticked contact folders goes through FormatTelNumber; each
// field it changes keeps its old text as a backup (UndoFunctions).
namespace kw::contacts::telephone::TelNrStandard {

// Rewrites the numbers, saves each changed contact once and reports how many
// changed ("n Kontakt(e) geändert."). Before any contact is touched, stored
// settings that would spoil numbers (TelSettingsCheck) end the run with one
// message naming the setting, and a reference database or table that cannot
// be read with one error (place 802). Any later failure ends the run too;
// contacts saved before it keep their changes and backups. Returns the
// number of changed contacts, or -1 when the run did not finish.
int StandardizeContactTelNumbers(ContactRunContext &ctx);

} // namespace kw::contacts::telephone::TelNrStandard
