#include "options/OptionsActions.h"

#include "contacts/ContactActions.h"
#include "options/frmOptions.h"
#include "options/frmQuickOptions.h"
#include "shell/AppServices.h"
#include "shell/frmHaupt.h"

namespace kw::options {

OptionsActions::OptionsActions(frmHaupt &window, AppServices &services)
    : QObject(&window), m_services(services), m_window(window)
{
}

void OptionsActions::mnuOptionen_Click()
{
    AppServices &services = m_services;
    // The telephone table editor and the number-format dialog, which the options open.
    const TelDialogHooks hooks{[&services](QWidget *parent) { contacts::showTelDB(services, parent); },
                               [&services](QWidget *parent, const TelDialogHooks::SettingTexts &shown) {
                                   contacts::showNumberFormat(services, parent, shown);
                               }};
    frmOptions dialog(services, hooks, &m_window);
    dialog.exec(); // it writes on OK only
}

void OptionsActions::mnuQuickOption_Click()
{
    frmQuickOptions dialog(m_services, &m_window);
    dialog.exec(); // it writes on finishing only
}

} // namespace kw::options
