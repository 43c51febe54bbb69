#pragma once

#include "itemtools/ItemRun.h"

#include <QObject>

namespace kw {
class AppServices;
class frmHaupt;
}

namespace kw::itemtools {

// The main window's entries of the message-class change, the attachment runs
// and the school holidays, over its controls and the program's services. A
// child of the window, so it lives exactly as long. No entry starts while a
// run is busy.
class ItemRunActions : public QObject
{
public:
    ItemRunActions(frmHaupt &window, AppServices &services);

    void mnuFormularWechsel_Click(); // also the tool-bar key "For"
    void mnuAttSave_Click();         // also "Att"
    void mnuAttUndo_Click();         // after the Yes to the window's question
    void mnuAttMove_Click();
    void mnuHoliday_Click();          // also "Hol"

    RunContext context();

private:
    frmHaupt &m_window;
    AppServices &m_services;
    StatusBarView m_view;
};

} // namespace kw::itemtools
