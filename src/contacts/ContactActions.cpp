#include "contacts/ContactActions.h"

#include "contacts/telephone/TelRun.h"
#include "contacts/telephone/frmTelDB.h"
#include "contacts/telephone/frmTelPruef.h"
#include "contacts/telephone/frmVorwahlen.h"
#include "contacts/undo/UndoFunctions.h"
#include "contacts/undo/frmUndo.h"
#include "shell/AppServices.h"
#include "shell/frmHaupt.h"
#include "shell/frmHauptUi.h"

namespace kw::contacts {

ContactActions::ContactActions(frmHaupt &window, AppServices &services)
    : QObject(&window)
    , m_window(window)
    , m_services(services)
    , m_view(window.controls().lblStatus, window.controls().ProgressBar1)
{
}

ContactRunContext ContactActions::context()
{
    AppServices &s = m_services;
    return ContactRunContext{mainWindowFrame(s, m_view), s.referenceDatabase};
}

void ContactActions::StandardizeContactTelNumbers()
{
    if (m_services.busy.isBusy())
        return;
    ContactRunContext ctx = context();
    telephone::TelNrStandard::StandardizeContactTelNumbers(ctx);
}

void ContactActions::mnuUndo_Click()
{
    if (m_services.busy.isBusy())
        return;
    undo::frmUndo dialog(
        [this](const QString &kind) {
            ContactRunContext ctx = context();
            undo::UndoFunctions::UndoContactFields(ctx, kind);
        },
        &m_window);
    dialog.exec();
}

void ContactActions::mnuTelTest_Click()
{
    telephone::frmTelPruef dialog(m_services.settings, m_services.messages, m_services.referenceDatabase,
                                  m_services.paths.programFolder, &m_window);
    dialog.exec();
}

void showTelDB(AppServices &services, QWidget *parent)
{
    telephone::frmTelDB dialog(services.messages, services.referenceDatabase, *services.help, parent);
    dialog.exec();
}

void showNumberFormat(AppServices &services, QWidget *parent, const telephone::SettingTexts &opener)
{
    telephone::frmVorwahlen dialog(services.settings, services.messages, services.referenceDatabase,
                                   services.paths.programFolder, *services.help, opener, parent);
    dialog.exec();
}

} // namespace kw::contacts
