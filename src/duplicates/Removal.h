#pragma once

#include "duplicates/DupsContext.h"

namespace kw::DupsDel {

// The subfolder the ticked duplicates are moved into.
const QString &duplicatesFolderName();

// Moves the ticked items of the list into the duplicates subfolder of the
// folder marked for the scan (setting MoveToFolder, default yes) or deletes
// them, and reports how many failed.
void DeleteDuplicates(DupsContext &ctx);

// The list's buttons. A click during a running removal does nothing, so a
// removal never starts twice over one list nor loses the list under it.
void cmdDupDel_Click(DupsContext &ctx);
void cmdDupsClose_Click(DupsContext &ctx);
// Opens the selected entry's item in its own window.
void cmdDupView_Click(DupsContext &ctx);

} // namespace kw::DupsDel
