#pragma once

#include "contacts/names/CorrectContactNames.h"
#include "contacts/names/NameWordDatabase.h"
#include "platform/refdb/Database.h"

#include <QObject>

class QWidget;

namespace kw {
class AppServices;
class frmHaupt;
}

namespace kw::contacts::names {

// The name entries of the main window ("Nam", mnuNameCorrection and
// mnuNameCheck) over the window's status line and the program's services.
// A child of the window, so it lives exactly as long. The run and the test
// dialog share one word source, so the tables are read once for both and
// again only after the reference database changed.
class ContactNameActions : public QObject
{
public:
    ContactNameActions(frmHaupt &window, AppServices &services);

    void CorrectContactNames();
    void mnuNameCheck_Click();

    NameRunContext context();

private:
    frmHaupt &m_window;
    AppServices &m_services;
    StatusBarView m_view;
    NameWordDatabase m_words;
};

} // namespace kw::contacts::names
