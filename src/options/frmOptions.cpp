#include "options/frmOptions.h"

#include "contacts/telephone/TelSettingsCheck.h"
#include "platform/ui/HistoryTextBox.h"
#include "shell/AppServices.h"
#include "shell/BrowseForFolderFunctions.h"
#include "shell/ErrorTrap.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

namespace kw::options {

frmOptions::frmOptions(AppServices &services, TelDialogHooks hooks, QWidget *parent)
    : QDialog(parent), m_services(services), m_hooks(std::move(hooks)),
      m_form(m_ui, services.settings, services.messages, services.paths.programFolder,
             &services.referenceDatabase)
{
    m_ui.setupUi(this);
    connect(m_ui.cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_ui.cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(m_ui.cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(m_ui.cmdAttPath, &QToolButton::clicked, this, [this] { cmdAttPath_Click(); });
    for (int i = 0; i < 3; ++i)
        connect(m_ui.sldPrio[i], &QSlider::valueChanged, this, [this, i] { m_form.sldPrio_Change(i); });
    wireTelephonePage();
    wireLayoutEditor();
    m_ui.cmdOK->setDefault(true);
    // A dialog that could not load its values must not write them.
    m_ui.cmdOK->setEnabled(m_form.Form_Load());
}

void frmOptions::wireTelephonePage()
{
    connect(m_ui.frFilterTel, &QGroupBox::toggled, this, [this] { m_form.frFilterTel_Click(); });
    const auto apply = [this] { ApplyCountryPreset(m_ui.cmbCountrySelect, m_ui.prefixes()); };
    connect(m_ui.cmbCountrySelect, &QComboBox::currentIndexChanged, this, apply);
    connect(m_ui.cmbCountrySelect, &QComboBox::activated, this, apply);
    connect(m_ui.cmdTelDB, &QPushButton::clicked, this, [this] {
        if (m_hooks.showTelDB)
            m_hooks.showTelDB(this);
    });
    connect(m_ui.cmdTelOptions, &QPushButton::clicked, this, [this] {
        if (!m_hooks.showVorwahlen)
            return;
        // The separators there are judged against the extension separator
        // shown here, saved or not: both may change in one go.
        TelDialogHooks::SettingTexts shown;
        for (const auto &[name, value] : m_form.valuesToSave())
            shown.insert(name, value);
        m_hooks.showVorwahlen(this, shown);
    });
}

void frmOptions::wireLayoutEditor()
{
    LayoutEditor &editor = m_form.layoutEditor();
    for (const LayoutToken &token : layoutTokens()) {
        const int index = token.index;
        connect(m_ui.cmdZeichen[index], &QPushButton::clicked, this, [&editor, index] { editor.cmdZeichen_Click(index); });
    }
    connect(m_ui.roCommand1, &QPushButton::clicked, this, [&editor] { editor.roCommand1_Click(); });
    connect(m_ui.cmdDelLayout, &QPushButton::clicked, this, [&editor] { editor.cmdDelLayout_Click(); });
    for (QComboBox *box : {static_cast<QComboBox *>(m_ui.cmbFileAsLayoutEx), static_cast<QComboBox *>(m_ui.cmbSubjectLayout)}) {
        connect(box, &QComboBox::editTextChanged, this, [&editor] { editor.pExampleNew(); });
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
    }
    connect(m_ui.optSaveAs, &QRadioButton::toggled, this, [&editor] { editor.pExampleNew(); });
}

// Focusing a layout box makes it the target of the token buttons.
bool frmOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_ui.cmbFileAsLayoutEx || watched == m_ui.cmbFileAsLayoutEx->lineEdit())
            m_ui.optSaveAs->setChecked(true);
        else if (watched == m_ui.cmbSubjectLayout || watched == m_ui.cmbSubjectLayout->lineEdit())
            m_ui.optBetreff->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}

void frmOptions::cmdOK_Click()
{
    if (m_form.cmdOK_Click())
        accept();
}

void frmOptions::cmdCancel_Click()
{
    reject();
}

void frmOptions::cmdHelp_Click()
{
    if (m_services.help)
        m_services.help->showHelpFor(this);
}

void frmOptions::cmdAttPath_Click()
{
    const QString folder = BrowseForFolder(*m_services.folderPicker, m_services.messages, m_ui.lblFolderAtt->text(), this);
    if (!folder.isEmpty())
        m_ui.txtAttPath->setText(folder);
}

} // namespace kw::options
