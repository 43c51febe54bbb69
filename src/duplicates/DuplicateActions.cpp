#include "duplicates/DuplicateActions.h"

#include "duplicates/Removal.h"
#include "duplicates/Scan.h"
#include "shell/AppServices.h"
#include "shell/MailServices.h"
#include "shell/frmHaupt.h"

namespace kw::DupsDel {

DuplicateActions::DuplicateActions(frmHaupt &window, AppServices &services)
    : QObject(&window), m_services(services), m_view(window.controls(), window.controls())
{
    m_services.busy.onRunStarting(this, [this] { runStarting(); });
}

void DuplicateActions::runStarting()
{
    m_view.setListVisible(false);
    m_view.clearNodes();
    m_state.resetIds();
    m_view.setListButtonsEnabled(true);
}

DupsContext DuplicateActions::context()
{
    AppServices &s = m_services;
    return DupsContext{mainWindowFrame(s, m_view),
                       s.mailProfile,
                       m_view,
                       m_state,
                       [&s](bool busy) { s.busy.SetBusy(busy); },
                       [&s] { CleanUpMAPI(s.messages, s.mailProfile); },
                       [&s] { return s.folders.GetMarkedFolderClass(); },
                       [&s](const mailstore::FolderPtr &parent, const QString &entryId) {
                           s.folderTree.addFolder(parent, entryId);
                       }};
}

void DuplicateActions::RemoveDuplicates()
{
    if (m_services.busy.isBusy())
        return;
    DupsContext ctx = context();
    DupsDel::RemoveDuplicates(ctx);
}

void DuplicateActions::cmdDupDel_Click()
{
    DupsContext ctx = context();
    DupsDel::cmdDupDel_Click(ctx);
}

void DuplicateActions::cmdDupView_Click()
{
    DupsContext ctx = context();
    DupsDel::cmdDupView_Click(ctx);
}

void DuplicateActions::cmdDupsClose_Click()
{
    DupsContext ctx = context();
    DupsDel::cmdDupsClose_Click(ctx);
}

} // namespace kw::DupsDel
