#pragma once

#include <QStringList>

namespace kw {
class AppServices;
class frmHaupt;
}

namespace kw::app {

struct WiringResult
{
    QStringList wired;    // names the table routes, built or not
    QStringList rejected; // names the window does not know: misspelt keys
};

// Connects the main window's tool-bar keys, menu entries and buttons to the
// tools, and the busy state to the window. This is the one table of what each
// entry starts; every tool that is added gets its line here.
WiringResult wireActions(frmHaupt &window, AppServices &services);

} // namespace kw::app
