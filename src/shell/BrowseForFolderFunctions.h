#pragma once

#include <QString>

class QWidget;

namespace kw {

class Messages;
namespace ui { class FolderPicker; }

// Lets the user pick a file-system folder. Returns its path, or an empty
// text when the user cancels or the picker fails (reported with 2202).
QString BrowseForFolder(ui::FolderPicker &picker, Messages &messages, const QString &title, QWidget *owner);

} // namespace kw
