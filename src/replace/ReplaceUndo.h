#pragma once

#include "platform/mailstore/Fwd.h"
#include "replace/UndoRecord.h"

#include <functional>

namespace kw {
class Messages;
}

namespace kw::replace {

struct UndoSummary
{
    int restored = 0; // entries written back and saved
    int failed = 0;   // entries whose item could not be fetched, written or saved
};

// Writes the recorded old texts back, the user-defined field first, each item
// fetched anew through `ns` and saved once per run of consecutive entries.
// Fields get their stored texts back exactly, composite parts included.
// An item that fails is counted, logged ("ReplaceUndo") and left in the
// record for another try; restored entries leave the record. Ends with the
// messages on what was restored and what was not. `yield` runs after each
// item.
UndoSummary UndoReplace(UndoRecord &record, const mailstore::NameSpacePtr &ns,
                        Messages &messages, const std::function<void()> &yield);

} // namespace kw::replace
