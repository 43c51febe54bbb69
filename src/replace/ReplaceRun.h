#pragma once

#include "replace/NewString.h"
#include "replace/ReplaceFields.h"
#include "replace/UndoRecord.h"

#include <QList>
#include <functional>

namespace kw {
class Messages;
struct WorkingSet;
}

namespace kw::replace {

// What one run is asked to do.
struct ReplaceRequest
{
    const ReplaceItemType *type = nullptr;
    QList<int> selectedFields; // indexes into type->fields, ascending
    bool useUserField = false;
    QString userFieldName; // without surrounding blanks
    ReplaceOptions options;

    bool hasWork() const { return !selectedFields.isEmpty() || useUserField; }
};

struct ReplaceSummary
{
    int replaced = 0;       // changes written and saved
    int failed = 0;         // changes lost: their item could not be saved, or the store refused the value
    bool completed = false; // no: an error ended the run and was reported
};

// Goes through every item of the folders 1..FolderCount of the set, gives
// each selected field (and the user-defined field, when asked) its new text
// and saves each changed item once. `record` is replaced by the changes that
// were saved. A value the store refuses is counted as failed, logged
// ("ReplaceRun") and skipped. Ends with the summary messages; an error other
// than a failed save or a refused value ends the run through the error
// handler (59) and keeps in the record what was saved until then. `yield`
// runs after each item is fetched. `lock` is the dialog's busy switch: on
// for the run, off once its messages are shown.
ReplaceSummary ReplaceInFolders(const ReplaceRequest &request, const WorkingSet &set, UndoRecord &record,
                                Messages &messages, const std::function<void()> &yield,
                                std::function<void(bool running)> lock = {});

} // namespace kw::replace
