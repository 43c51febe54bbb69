#include "options/frmQuickOptions.h"

#include "shell/AppServices.h"
#include "shell/BrowseForFolderFunctions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace kw::options {

frmQuickOptions::frmQuickOptions(AppServices &services, QWidget *parent)
    : QDialog(parent), m_services(services), m_form(m_ui, services.settings, services.messages, &services.referenceDatabase)
{
    m_ui.setupUi(this);
    connect(m_ui.cmdForward, &QPushButton::clicked, this, [this] { cmdForward_Click(); });
    connect(m_ui.cmdBack, &QPushButton::clicked, this, [this] { m_form.cmdBack_Click(); });
    connect(m_ui.cmdAttPath, &QToolButton::clicked, this, [this] { cmdAttPath_Click(); });
    connect(m_ui.cmbCountrySelect, &QComboBox::currentIndexChanged, this, [this] { m_form.cmbCountrySelect_Change(); });
    m_ui.cmdForward->setDefault(true);
    m_form.Form_Load();
}

void frmQuickOptions::cmdForward_Click()
{
    if (m_form.cmdForward_Click())
        accept();
}

void frmQuickOptions::cmdAttPath_Click()
{
    const QString folder = BrowseForFolder(*m_services.folderPicker, m_services.messages, m_ui.lblHeading[2]->text(), this);
    if (!folder.isEmpty())
        m_ui.txtAttPath->setText(folder);
}

} // namespace kw::options
