#pragma once

#include "platform/mailstore/Fwd.h"

#include <QList>
#include <QPair>
#include <QString>

class QWidget;

namespace kw::ui {

// The German label a mail client shows for a field ("BusinessTelephoneNumber"
// gives "Telefon geschäftlich"); a field without one keeps its name.
QString fieldLabel(const QString &fieldName);

// The item window's title: the subject; for a contact its full name, else
// its file-as. The message class only when all of these are empty.
QString itemWindowTitle(const mailstore::Item &item);

// The (label, whole value) rows the window lists: the item's identity, then
// every field that holds more than its default.
QList<QPair<QString, QString>> itemWindowRows(const mailstore::Item &item);

// Opens the read-only window for an item, modeless and deleted when closed;
// Escape closes it. Needs a QApplication.
QWidget *showItemWindow(const mailstore::ItemPtr &item);

// Makes Inspector::Display open showItemWindow. The program calls it at start.
void installItemWindow();

} // namespace kw::ui
