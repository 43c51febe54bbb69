#pragma once

// The name-correction run over the ticked contact folders; the parser it
// applies to each contact is NameCorrectionFunctions.

#include "shell/RunFrame.h"

namespace kw::contacts::names {

class NameWordSource;

// The frame of one name run and the name tables it reads.
struct NameRunContext : RunFrame
{
    // One source for the whole run: its tables are read once and again only
    // when the reference database changed.
    NameWordSource &words;
};

// Splits the full name of every contact in the ticked contact folders into
// its parts, rebuilds the file-as text (and, with "SubjectNameCorrect" on,
// the subject) from the layouts of the options, and moves a company name
// from the full name into the empty company field. A contact it changes gets
// the nine backups "KW Backup <field>" first, holding the fields exactly as
// they were, so that the undo restores them.
//
// Contacts with an empty full name are passed over. A contact the parser
// fails on is skipped and logged with its full name (the first failure of a
// run is shown); the run goes on. Any other error ends the run (place 2501).
// Returns the number of contacts changed, or -1 when the run did not start
// or ended on an error.
int CorrectContactNames(NameRunContext &context);

} // namespace kw::contacts::names
