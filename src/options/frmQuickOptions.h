#pragma once

#include "options/QuickOptionsForm.h"
#include "options/frmQuickOptionsUi.h"

#include <QDialog>

namespace kw {
class AppServices;
}

namespace kw::options {

// "Optionen-Assistent": four pages for the most important settings.
class frmQuickOptions : public QDialog
{
    Q_OBJECT

public:
    explicit frmQuickOptions(AppServices &services, QWidget *parent = nullptr);

    frmQuickOptionsUi &controls() { return m_ui; }
    QuickOptionsForm &form() { return m_form; }

    void cmdForward_Click();
    void cmdAttPath_Click();

private:
    frmQuickOptionsUi m_ui;
    AppServices &m_services;
    QuickOptionsForm m_form;
};

} // namespace kw::options
