#include "shell/BrowseForFolderFunctions.h"

#include "platform/ui/FolderPicker.h"
#include "shell/ErrorTrap.h"

namespace kw {

QString BrowseForFolder(ui::FolderPicker &picker, Messages &messages, const QString &title, QWidget *owner)
{
    QString path;
    trapErrors(messages, place::BrowseForFolder, {}, [&] { path = picker.pickFolder(title, owner); });
    return path;
}

} // namespace kw
