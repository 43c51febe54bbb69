#pragma once

// Module OptionsDialogs: how the main window opens the options and the wizard.

#include "options/frmOptions.h"

class QWidget;

namespace kw {
class AppServices;
}

namespace kw::options {

// Shows the options dialog modally over `owner`; it writes on OK only.
void ShowOptions(QWidget *owner, AppServices &services, const TelDialogHooks &hooks);
// Shows the options wizard modally over `owner`; it writes on finishing only.
void ShowQuickOptions(QWidget *owner, AppServices &services);

} // namespace kw::options
