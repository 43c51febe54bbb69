#include "platform/ui/FolderPicker.h"

#include "platform/core/PlatformError.h"

#include <QFileDialog>

namespace kw::ui {

QString QtFolderPicker::pickFolder(const QString &title, QWidget *owner)
{
    return QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
}

QString ScriptedFolderPicker::pickFolder(const QString &title, QWidget *)
{
    titles.append(title);
    if (failNext) {
        failNext = false;
        throw PlatformError(errors::kOperationFailed, QStringLiteral("Folder picker not available"));
    }
    return answers.isEmpty() ? QString() : answers.dequeue();
}

} // namespace kw::ui
