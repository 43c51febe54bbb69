#pragma once

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
// hook leaves its button without effect.
struct TelDialogHooks
{
    std::function<void(QWidget *parent)> showTelDB;     // "Tabellen für Vorwahlen..."
    std::function<void(QWidget *parent)> showVorwahlen; // "benutzerdefiniertes Telefonnummernformat..."
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
