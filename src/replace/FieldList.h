#pragma once

#include <QListWidget>

namespace kw::replace {

// A list of fields of which several may be chosen. Typing the start of a
// caption only moves the current entry there; an entry is chosen or let go
// by a click or the space bar, so that nothing is chosen without a sign.
class FieldList : public QListWidget
{
public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
};

} // namespace kw::replace
