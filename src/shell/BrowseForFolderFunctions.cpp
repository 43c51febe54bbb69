#include "shell/BrowseForFolderFunctions.h"

#include "platform/core/PlatformError.h"
#include "platform/ui/FolderPicker.h"
#include "shell/GlobalFunctions.h"

namespace kw {

QString BrowseForFolder(ui::FolderPicker &picker, Messages &messages, const QString &title, QWidget *owner)
{
    try {
        return picker.pickFolder(title, owner);
    } catch (const PlatformError &e) {
        messages.HandleError(e.description(), e.number(), place::BrowseForFolder);
    } catch (const std::exception &e) {
        messages.HandleError(QString::fromLocal8Bit(e.what()), errors::kOperationFailed, place::BrowseForFolder);
    }
    return {};
}

} // namespace kw
