#pragma once

#include <QString>
#include <vector>

namespace kw::replace {

// One saved change: what the field held before the run wrote its new text.
struct UndoEntry
{
    QString old;
    QString entryId;
    QString storeId; // of the folder the item was found in
    int field = 0;   // index in the field list; unused for the user-defined field

    bool operator==(const UndoEntry &) const = default;
};

// The changes of the last run that reached the store, in the order they were
// made. It lives in the open dialog only: a new run replaces it, and the
// undo removes what it wrote back, so a second undo retries the rest.
struct UndoRecord
{
    std::vector<UndoEntry> fields;     // changes of the listed fields
    std::vector<UndoEntry> userFields; // changes of the user-defined field
    QString userFieldName;

    int size() const { return int(fields.size() + userFields.size()); }
    bool empty() const { return fields.empty() && userFields.empty(); }
};

} // namespace kw::replace
