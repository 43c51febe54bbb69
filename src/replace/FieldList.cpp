#include "replace/FieldList.h"

namespace kw::replace {

// The type-ahead search moves the current entry without an event, and a list
// of several selectable entries would toggle the entry it lands on.
QItemSelectionModel::SelectionFlags FieldList::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    if (!event)
        return QItemSelectionModel::NoUpdate;
    return QListWidget::selectionCommand(index, event);
}

} // namespace kw::replace
