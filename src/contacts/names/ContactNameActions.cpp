#include "contacts/names/ContactNameActions.h"

#include "contacts/names/frmNameCheck.h"
#include "shell/AppServices.h"
#include "shell/frmHaupt.h"
#include "shell/frmHauptUi.h"

#include <QLabel>
#include <QProgressBar>
#include <QWidget>

namespace kw::contacts::names {

ContactNameActions::ContactNameActions(frmHaupt &window, AppServices &services)
    : QObject(&window)
    , m_window(window)
    , m_services(services)
    , m_view(window.controls().lblStatus, window.controls().ProgressBar1)
    , m_words(services.referenceDatabase)
{
}

NameRunContext ContactNameActions::context()
{
    AppServices &s = m_services;
    return NameRunContext{mainWindowFrame(s, m_view), m_words};
}

void ContactNameActions::CorrectContactNames()
{
    if (m_services.busy.isBusy())
        return;
    NameRunContext ctx = context();
    names::CorrectContactNames(ctx);
}

void ContactNameActions::mnuNameCheck_Click()
{
    frmNameCheck dialog(m_words, m_services.messages, m_services.paths.programFolder, &m_window);
    dialog.exec();
}

} // namespace kw::contacts::names
