#pragma once

#include <QObject>

namespace kw {
class AppServices;
class frmHaupt;
}

namespace kw::options {

// The main window's option entries ("Opt", mnuOptionen and mnuQuickOption).
// A child of the window, so it lives exactly as long.
class OptionsActions : public QObject
{
public:
    OptionsActions(frmHaupt &window, AppServices &services);

    // The options dialog, with the telephone dialogs it opens over itself.
    void mnuOptionen_Click();
    // The options wizard.
    void mnuQuickOption_Click();

private:
    AppServices &m_services;
    frmHaupt &m_window;
};

} // namespace kw::options
