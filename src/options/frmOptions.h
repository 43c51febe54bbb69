#pragma once

#include "contacts/telephone/TelSettingsCheck.h"
#include "options/OptionsForm.h"
#include "options/frmOptionsUi.h"

#include <QDialog>

#include <functional>

namespace kw {
class AppServices;
}

namespace kw::options {

// The two telephone dialogs the options open over themselves; they live with
// the telephone tools and are handed in by the program's wiring. An empty
// hook leaves its button without effect. The number-format dialog is handed
// the telephone values shown here, saved or not.
struct TelDialogHooks
{
    using SettingTexts = contacts::telephone::SettingTexts;
    // "Tabellen für Vorwahlen..."
    std::function<void(QWidget *parent)> showTelDB;
    // "benutzerdefiniertes Telefonnummernformat..."
    std::function<void(QWidget *parent, const SettingTexts &shown)> showVorwahlen;
};

// "Optionen": every option of the tools, loaded at opening and written by OK.
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    frmOptions(AppServices &services, TelDialogHooks hooks, QWidget *parent = nullptr);

    frmOptionsUi &controls() { return m_ui; }
    OptionsForm &form() { return m_form; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void cmdAttPath_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wireLayoutEditor();
    void wireTelephonePage();

    frmOptionsUi m_ui;
    AppServices &m_services;
    TelDialogHooks m_hooks;
    OptionsForm m_form;
};

} // namespace kw::options
