#pragma once

#include <QList>
#include <QString>
#include <vector>

namespace kw::replace {

// A field's stored text before a write, as the store keeps it.
struct StoredField
{
    int index = 0; // in the item's field schema
    QString text;  // null: nothing had been stored in the field

    bool operator==(const StoredField &o) const
    {
        return index == o.index && text == o.text && text.isNull() == o.text.isNull();
    }
};

// One saved change: what the field held before the run wrote its new text.
struct UndoEntry
{
    QString old;
    QString entryId;
    QString storeId; // of the folder the item was found in
    int field = 0;   // index in the field list; unused for the user-defined field
    // Every field the write changed, with its text before: the field itself and
    // what the store changed with it (a full name's parts, an address's lines,
    // an appointment's end). Writing these back restores the item exactly,
    // which writing `old` through the store's rules would not.
    QList<StoredField> before;

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
