#pragma once

#include "contacts/ContactRun.h"
#include "contacts/telephone/TelSettingsCheck.h"
#include "platform/refdb/Database.h"

#include <QObject>

class QWidget;

namespace kw {
class AppServices;
class frmHaupt;
}

namespace kw::contacts {

// The main window's contact entries ("Tel", mnuTelNorm, mnuUndo, mnuTelTest)
// over the window's controls and the program's services. A child of the
// window, so it lives exactly as long.
class ContactActions : public QObject
{
public:
    ContactActions(frmHaupt &window, AppServices &services);

    void StandardizeContactTelNumbers();
    void mnuUndo_Click();
    void mnuTelTest_Click();

    ContactRunContext context();

private:
    frmHaupt &m_window;
    AppServices &m_services;
    StatusBarView m_view;
};

// The telephone table editor and the number-format dialog, modal over
// `parent`; the options dialog opens them and hands the number-format dialog
// its unsaved telephone values.
void showTelDB(AppServices &services, QWidget *parent);
void showNumberFormat(AppServices &services, QWidget *parent, const telephone::SettingTexts &opener);

} // namespace kw::contacts
