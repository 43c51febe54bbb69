#include "replace/ReplaceActions.h"

#include "platform/mailstore/NameSpace.h"
#include "replace/frmReplace.h"
#include "shell/AppServices.h"
#include "shell/MailProfile.h"
#include "shell/frmHaupt.h"

namespace kw::replace {

ReplaceActions::ReplaceActions(frmHaupt &window, AppServices &services)
    : QObject(&window), m_services(services), m_window(window)
{
}

void ReplaceActions::mnuFindReplace_Click()
{
    AppServices &services = m_services;
    if (services.busy.isBusy())
        return;
    ReplaceContext context{
        services.messages,
        services.paths.programFolder,
        [&services] { return services.folders.GetMarkedFolderClass(); },
        [&services](const QString &messageClass) { return services.folders.GetActivatedFolders(messageClass); },
        [&services] { return services.mailProfile.mapiNamespace(); },
        {}};
    frmReplace dialog(std::move(context), &m_window);
    dialog.exec();
}

} // namespace kw::replace
