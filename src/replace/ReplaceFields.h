#pragma once

#include <QList>
#include <QString>

namespace kw::replace {

// How a date field takes a new text.
enum class DateRule {
    None,           // any text
    Date,           // only a date; an empty text clears it ("01.01.4501")
    DateNotClearable // only a date; the field always keeps one
};

// One entry of the dialog's field list. Its position in the list is the field
// index the run records and the undo reads back.
struct ReplaceField
{
    QString caption;  // as the list shows it; composite contact fields end in " !"
    QString property; // the item member read and written by name
    DateRule dateRule = DateRule::None;
};

// Everything the dialog, the run and the undo need to know about one kind of
// folder: the items it holds, the safe item that wraps them and the fields a
// user may change.
struct ReplaceItemType
{
    QString messageClass; // default message class of the folder, compared exactly
    int itemClass = 0;
    QString safeProgId;
    QList<ReplaceField> fields;
};

// The seven kinds of folder the dialog works on.
const QList<ReplaceItemType> &replaceItemTypes();
// The kind for a folder's default message class; nullptr for any other
// (including derived classes such as "IPM.Contact.Kunde").
const ReplaceItemType *replaceItemType(const QString &messageClass);

} // namespace kw::replace
