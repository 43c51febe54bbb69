#include "replace/ReplaceActions.h"

#include "platform/mailstore/NameSpace.h"
#include "replace/frmReplace.h"
#include "shell/AppServices.h"
#include "shell/MailProfile.h"

namespace kw::replace {

void ShowReplaceDialog(QWidget *parent, AppServices &services)
{
    if (services.busy.isBusy())
        return;
    ReplaceContext context{
        services.messages,
        services.paths.programFolder,
        [&services] { return services.folders.GetMarkedFolderClass(); },
        [&services](const QString &messageClass) { return services.folders.GetActivatedFolders(messageClass); },
        [&services] { return services.mailProfile.mapiNamespace(); },
        {}};
    frmReplace dialog(std::move(context), parent);
    dialog.exec();
}

} // namespace kw::replace
