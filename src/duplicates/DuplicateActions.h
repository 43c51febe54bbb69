#pragma once

#include "duplicates/DupsContext.h"
#include "duplicates/TreeDupsView.h"

#include <QObject>

namespace kw {
class AppServices;
class frmHaupt;
}

namespace kw::DupsDel {

// The duplicate entries of the main window ("Dup", mnuKontaktDupLoeschen and
// the list's three buttons) over the window's controls and the program's
// services. A child of the window, so it lives exactly as long.
class DuplicateActions : public QObject
{
public:
    DuplicateActions(frmHaupt &window, AppServices &services);

    void RemoveDuplicates();
    void cmdDupDel_Click();
    void cmdDupView_Click();
    void cmdDupsClose_Click();

    DupsContext context();
    DupState &state() { return m_state; }

    // Any tool's run starts: the last scan's list and the identities behind
    // it go, and the list's buttons are on again for the next one.
    void runStarting();

private:
    AppServices &m_services;
    TreeDupsView m_view;
    DupState m_state;
};

} // namespace kw::DupsDel
