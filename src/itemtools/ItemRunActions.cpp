#include "itemtools/ItemRunActions.h"

#include "itemtools/AttachmentSaveFunctions.h"
#include "itemtools/MClassChangeFunctions.h"
#include "itemtools/frmHoliday.h"
#include "itemtools/frmMClassChange.h"
#include "shell/AppServices.h"
#include "shell/BrowseForFolderFunctions.h"
#include "shell/MailProfile.h"
#include "shell/frmHaupt.h"

#include <QLabel>
#include <QProgressBar>

namespace kw::itemtools {

ItemRunActions::ItemRunActions(frmHaupt &window, AppServices &services)
    : QObject(&window)
    , m_window(window)
    , m_services(services)
    , m_view(window.controls().lblStatus, window.controls().ProgressBar1)
{
}

RunContext ItemRunActions::context()
{
    AppServices &s = m_services;
    QWidget *owner = &m_window;
    return RunContext{mainWindowFrame(s, m_view), [&s, owner](const QString &title) {
                          return BrowseForFolder(*s.folderPicker, s.messages, title, owner);
                      }};
}

void ItemRunActions::mnuFormularWechsel_Click()
{
    if (m_services.busy.isBusy())
        return;
    frmMClassChange dialog(m_services.messages, m_services.paths.programFolder, *m_services.help, &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    RunContext ctx = context();
    ChangeMessageClass(ctx, dialog.className());
}

void ItemRunActions::mnuAttSave_Click()
{
    if (m_services.busy.isBusy())
        return;
    RunContext ctx = context();
    SaveAttachments(ctx);
}

void ItemRunActions::mnuAttUndo_Click()
{
    if (m_services.busy.isBusy())
        return;
    RunContext ctx = context();
    ImportAttachments(ctx);
}

void ItemRunActions::mnuAttMove_Click()
{
    if (m_services.busy.isBusy())
        return;
    RunContext ctx = context();
    MoveAttachments(ctx);
}

void ItemRunActions::mnuHoliday_Click()
{
    if (m_services.busy.isBusy())
        return;
    AppServices &s = m_services;
    // The one place the holiday import reaches the mail store. The dialog
    // works on the calendars ticked in the main window (or the open shared
    // calendar).
    frmHoliday dialog(
        {s.messages, s.referenceDatabase, s.mailProfile.mapiNamespace()},
        [&s] { return s.folders.GetActivatedFolders(gatemode::OnlyAppointment, true); }, &m_window);
    dialog.exec();
}

} // namespace kw::itemtools
