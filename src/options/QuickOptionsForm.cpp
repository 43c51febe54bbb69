#include "options/QuickOptionsForm.h"

#include "options/CountryPresets.h"
#include "options/LayoutEditor.h"
#include "options/NameRule.h"
#include "options/OptionsForm.h"
#include "options/frmQuickOptionsUi.h"
#include "shell/ErrorTrap.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>

namespace kw::options {

QuickOptionsForm::QuickOptionsForm(frmQuickOptionsUi &ui, Settings &settings, Messages &messages)
    : m_ui(ui), m_settings(settings), m_messages(messages)
{
}

void QuickOptionsForm::Form_Load()
{
    m_page = 0;
    m_loaded = trapErrors(m_messages, place::OptionsLoad, {}, [this] {
        loadControls(m_ui.controls(), m_settings);
        const QString text = m_ui.cmbFileAsLayoutEx->currentText();
        {
            const QSignalBlocker quiet(m_ui.cmbFileAsLayoutEx);
            m_ui.cmbFileAsLayoutEx->addItems({QStringLiteral("Nachname, Vorname"),
                                              QStringLiteral("Vorname Nachname Namenszusatz"), QStringLiteral("Firma"),
                                              QStringLiteral("Nachname, Vorname (Firma)"),
                                              QStringLiteral("Firma (Nachname, Vorname)")});
            m_ui.cmbFileAsLayoutEx->setCurrentIndex(-1);
            m_ui.cmbFileAsLayoutEx->setEditText(text);
        }
        FillCountryList(m_ui.cmbCountrySelect, false);
        requireReadableSettings(m_settings);
    });
    showPage();
}

void QuickOptionsForm::showPage()
{
    m_ui.pages->setCurrentIndex(m_page);
    m_ui.cmdBack->setEnabled(m_page > 0);
    const bool last = m_page == kPages - 1;
    m_ui.cmdForward->setText(last ? QStringLiteral("&Fertigstellen") : QStringLiteral("&Weiter"));
    // Values that could not be read are not written back.
    m_ui.cmdForward->setEnabled(m_loaded || !last);
}

bool QuickOptionsForm::cmdForward_Click()
{
    if (m_page < kPages - 1) {
        ++m_page;
        showPage();
        return false;
    }
    return SaveAllSettings();
}

void QuickOptionsForm::cmdBack_Click()
{
    if (m_page == 0)
        return;
    --m_page;
    showPage();
}

void QuickOptionsForm::cmbCountrySelect_Change()
{
    ApplyCountryPreset(m_ui.cmbCountrySelect, m_ui.prefixes());
}

bool QuickOptionsForm::SaveAllSettings()
{
    if (!m_loaded)
        return false;
    if (!checkLayout(m_messages, m_ui.cmbFileAsLayoutEx->currentText(), m_ui.lblFileAsLayout->text()))
        return false;
    return writeSettings(m_settings, m_messages, controlValues(m_ui.controls()));
}

} // namespace kw::options
