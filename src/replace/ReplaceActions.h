#pragma once

#include <QObject>

namespace kw {
class AppServices;
class frmHaupt;
}

namespace kw::replace {

// The main window's replace entry ("Suc" and "&Ersetzen..."). A child of the
// window, so it lives exactly as long.
class ReplaceActions : public QObject
{
public:
    ReplaceActions(frmHaupt &window, AppServices &services);

    // Opens the replace dialog modally over the window on the folders ticked
    // there. Nothing happens while another run is busy.
    void mnuFindReplace_Click();

private:
    AppServices &m_services;
    frmHaupt &m_window;
};

} // namespace kw::replace
