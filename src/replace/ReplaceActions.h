#pragma once

class QWidget;

namespace kw {
class AppServices;
}

namespace kw::replace {

// "Suc" and "&Ersetzen...": opens the replace dialog modally over `parent`
// on the folders ticked in the main window. Nothing happens while another
// run is busy.
void ShowReplaceDialog(QWidget *parent, AppServices &services);

} // namespace kw::replace
