#include "options/OptionsDialogs.h"

#include "options/frmQuickOptions.h"

namespace kw::options {

void ShowOptions(QWidget *owner, AppServices &services, const TelDialogHooks &hooks)
{
    frmOptions dialog(services, hooks, owner);
    dialog.exec();
}

void ShowQuickOptions(QWidget *owner, AppServices &services)
{
    frmQuickOptions dialog(services, owner);
    dialog.exec();
}

} // namespace kw::options
