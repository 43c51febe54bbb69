#include "options/OptionsForm.h"

#include "options/OptionsChecks.h"
#include "options/frmOptionsUi.h"
#include "platform/ui/HistoryTextBox.h"
#include "shell/AppPaths.h"
#include "shell/ErrorTrap.h"
#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>

#include <algorithm>

namespace kw::options {

void requireReadableSettings(Settings &settings)
{
    const QString problem = settings.registry().takeLoadProblem();
    if (!problem.isEmpty())
        throw PlatformError(errors::kPathFileAccessError, problem);
}

OptionsForm::OptionsForm(frmOptionsUi &ui, Settings &settings, Messages &messages, QString programFolder,
                         refdb::Database *referenceDatabase)
    : m_ui(ui), m_settings(settings), m_messages(messages), m_programFolder(std::move(programFolder)),
      m_referenceDatabase(referenceDatabase), m_editor(ui)
{
}

bool OptionsForm::Form_Load()
{
    m_loaded = trapErrors(m_messages, place::OptionsLoad, {}, [this] { load(); });
    return m_loaded;
}

void OptionsForm::load()
{
    FillCountryList(m_ui.cmbCountrySelect, true);
    loadControls(m_ui.controls(), m_settings);
    setRanks(readRanks(m_settings));
    m_ui.frFilterTel->setChecked(m_settings.GetSettingBool(setting::FilterTel, false));
    frFilterTel_Click();
    for (const frmOptionsUi::PhraseList &list : m_ui.phraseLists()) {
        list.box->setHistoryFile(AppPaths::historyFile(m_programFolder, list.file));
        list.box->setListTitle(list.title);
    }
    // The editor always starts on the FileAs layout, whatever was stored.
    m_ui.optSaveAs->setChecked(true);
    m_editor.pExampleNew();
    requireReadableSettings(m_settings);
}

bool OptionsForm::ValidateDuplicateCriteria()
{
    bool ok = true;
    for (int tab = 0; tab < 6; ++tab) {
        const QList<QCheckBox *> boxes = m_ui.criteria(tab);
        const bool anyTicked = std::any_of(boxes.begin(), boxes.end(), [this](const QCheckBox *box) {
            // A user field without a name would make every contact equal.
            if (box == m_ui.chkKontakteFieldName && m_ui.txtKontakteFieldNameStr->text().trimmed().isEmpty())
                return false;
            return box->isChecked();
        });
        if (anyTicked)
            continue;
        m_messages.ShowMessage(QString::fromUtf8("Bitte wählen Sie mindestens eine Option die Registerkarte")
                                   + QLatin1Char(' ') + DupCriteriaControls::tabNames().at(tab),
                               ui::mb::Exclamation, titles::Hinweis);
        ok = false;
    }
    return ok;
}

bool OptionsForm::validateLinkField()
{
    if (!m_ui.chkDupEntryIDSave->isChecked() || !m_ui.txtFieldNameEntryID->text().trimmed().isEmpty())
        return true;
    m_messages.ShowMessage(QString::fromUtf8("Bitte geben Sie den Namen des benutzerdefinierten Feldes ein, in das "
                                             "die Outlook ID des bevorzugten Elementes eingetragen werden soll."),
                           ui::mb::Exclamation, titles::Hinweis);
    return false;
}

bool OptionsForm::validate()
{
    bool ok = ValidateDuplicateCriteria();
    ok = validateLinkField() && ok;
    ok = checkLayout(m_messages, m_ui.cmbFileAsLayoutEx->text(), m_ui.lblFileAsLayout->text()) && ok;
    ok = checkLayout(m_messages, m_ui.cmbSubjectLayout->text(), m_ui.lblSubjectLayout->text()) && ok;
    ok = validateBoxes() && ok;
    // Judged on values that passed their own rules only.
    return ok && validateTelephone();
}

// The rules the boxes apply while typing, for values loaded from the
// settings file too, and the export folder.
bool OptionsForm::validateBoxes()
{
    const QList<RuledBox> boxes = {
        {m_ui.txtDurchwahlTrenn, captionOf(m_ui.lblDurchwahlTrenn->text())},
        {m_ui.txtCountryCode, captionOf(m_ui.lblCountryCode->text())},
        {m_ui.txtIDDP, captionOf(m_ui.lblIDDP->text())},
        {m_ui.txtNDDP, captionOf(m_ui.lblNDDP->text())},
        {m_ui.txtFilterCountryStr, captionOf(m_ui.chkFilterCountry->text())},
        {m_ui.txtFilterAreaStr, captionOf(m_ui.chkFilterArea->text())},
        {m_ui.txtAttPath, captionOf(m_ui.lblFolderAtt->text())},
        {m_ui.cmbAttSize, captionOf(m_ui.lblSizeAtt->text())},
        {m_ui.cmbIdleTime, captionOf(m_ui.lblIdleTime->text())},
    };
    QLineEdit *refused = firstRefusedBox(m_messages, boxes);
    if (refused)
        showControl(refused);
    return !refused;
}

bool OptionsForm::validateTelephone()
{
    const std::optional<QWidget *> refused =
        refusedTelephoneControl(m_settings, m_messages, m_referenceDatabase, m_ui.controls(), valuesToSave());
    if (!refused)
        return true;
    showControl(*refused);
    return false;
}

// Its page comes to the front and it gets the focus.
void OptionsForm::showControl(QWidget *control)
{
    if (!control)
        return;
    for (int page = 0; page < int(m_ui.frMain.size()); ++page) {
        if (m_ui.frMain[page]->isAncestorOf(control))
            m_ui.TabMain->setCurrentIndex(page);
    }
    control->setFocus();
}

SettingValues OptionsForm::valuesToSave() const
{
    SettingValues values = controlValues(m_ui.controls());
    values += rankValues(ranks());
    values.append({setting::FilterTel, m_ui.frFilterTel->isChecked() ? QStringLiteral("1") : QStringLiteral("0")});
    return values;
}

bool OptionsForm::cmdOK_Click()
{
    if (!m_loaded)
        return false;
    bool saved = false;
    trapErrors(m_messages, place::OptionsOk, {}, [this, &saved] {
        if (!validate())
            return;
        if (!writeSettings(m_settings, m_messages, valuesToSave()))
            return;
        for (const frmOptionsUi::PhraseList &list : m_ui.phraseLists())
            list.box->addCurrentToHistory();
        saved = true;
    });
    return saved;
}

Ranks OptionsForm::ranks() const
{
    return {m_ui.sldPrio[0]->value(), m_ui.sldPrio[1]->value(), m_ui.sldPrio[2]->value()};
}

void OptionsForm::setRanks(const Ranks &ranks)
{
    for (int i = 0; i < 3; ++i) {
        const QSignalBlocker quiet(m_ui.sldPrio[i]);
        m_ui.sldPrio[i]->setValue(ranks[i]);
    }
}

void OptionsForm::sldPrio_Change(int index)
{
    trapErrors(m_messages, place::OptionsPrioritySlider, {}, [&] { setRanks(swapRanks(ranks(), index)); });
}

void OptionsForm::frFilterTel_Click()
{
    const bool on = m_ui.frFilterTel->isChecked();
    for (QWidget *control : m_ui.filterControls())
        control->setEnabled(on);
}

} // namespace kw::options
