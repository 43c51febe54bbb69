#include "options/QuickOptionsForm.h"

#include "options/CountryPresets.h"
#include "options/LayoutEditor.h"
#include "options/NameRule.h"
#include "options/OptionsChecks.h"
#include "options/OptionsForm.h"
#include "options/frmQuickOptionsUi.h"
#include "shell/ErrorTrap.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>

namespace kw::options {

QuickOptionsForm::QuickOptionsForm(frmQuickOptionsUi &ui, Settings &settings, Messages &messages,
                                   refdb::Database *referenceDatabase)
    : m_ui(ui), m_settings(settings), m_messages(messages), m_referenceDatabase(referenceDatabase)
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
    if (refusedBoxes())
        return false;
    const SettingValues values = controlValues(m_ui.controls());
    if (const std::optional<QWidget *> refused =
            refusedTelephoneControl(m_settings, m_messages, m_referenceDatabase, m_ui.controls(), values)) {
        showControl(*refused);
        return false;
    }
    return writeSettings(m_settings, m_messages, values);
}

// The rules the boxes apply while typing, for values loaded from the
// settings file too, and the export folder.
bool QuickOptionsForm::refusedBoxes()
{
    const QList<RuledBox> boxes = {
        {m_ui.txtCountryCode, captionOf(m_ui.lblCountryCode->text())},
        {m_ui.txtIDDP, captionOf(m_ui.lblIDDP->text())},
        {m_ui.txtNDDP, captionOf(m_ui.lblNDDP->text())},
        {m_ui.txtDurchwahlTrenn, captionOf(m_ui.frDurchwahl->title())},
        {m_ui.txtAttPath, QString::fromUtf8("Ordner für exportierte Anlagen")}, // its page's heading is a question
    };
    QLineEdit *refused = firstRefusedBox(m_messages, boxes);
    showControl(refused);
    return refused;
}

// Its page comes to the front and it gets the focus.
void QuickOptionsForm::showControl(QWidget *control)
{
    if (!control)
        return;
    for (int page = 0; page < kPages; ++page) {
        if (m_ui.frMain[page]->isAncestorOf(control))
            m_page = page;
    }
    showPage();
    control->setFocus();
}

} // namespace kw::options
