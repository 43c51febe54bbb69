#include "itemtools/frmMClassChange.h"

#include "itemtools/MClassChangeFunctions.h"
#include "shell/GlobalFunctions.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/HistoryTextBox.h"
#include "shell/AppPaths.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace kw::itemtools {

void frmMClassChangeUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmMClassChange"));
    auto *layout = new QGridLayout(dialog);
    lblDes = new QLabel(dialog);
    lblDes->setObjectName(QStringLiteral("lblDes"));
    lblDes->setWordWrap(true);
    txtClassName = new ui::HistoryTextBox(dialog);
    txtClassName->setObjectName(QStringLiteral("txtClassName"));
    cmdOK = new QPushButton(dialog);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdHelp = new QPushButton(dialog);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdHelp->setIcon(dialog->style()->standardIcon(QStyle::SP_DialogHelpButton));
    layout->addWidget(lblDes, 0, 0, 1, 3);
    layout->addWidget(txtClassName, 1, 0, 1, 3);
    layout->addWidget(cmdHelp, 2, 0);
    layout->setColumnStretch(1, 1);
    layout->addWidget(cmdOK, 2, 2);
}

frmMClassChange::frmMClassChange(Messages &messages, const QString &programFolder, ui::HelpViewer &help,
                                 QWidget *parent)
    : QDialog(parent), m_messages(messages), m_help(help), m_programFolder(programFolder)
{
    m_ui.setupUi(this);
    connect(m_ui.cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_ui.cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    m_ui.cmdOK->setDefault(true);
    Form_Load();
}

void frmMClassChange::Form_Load()
{
    m_ui.lblDes->setText(QString::fromUtf8(
        "Geben Sie den neuen Formularnamen ein: \n"
        "Hinweis: Geben Sie ein Leerzeichen ein um die Standard-Klasse zuzuweisen.\n"
        "\n"
        "Bitte nur den kurzen Formularnamen angeben. IPM.... wird automatisch vom Programm hinzugefügt."));
    setWindowTitle(QStringLiteral("Eingabe!"));
    m_ui.cmdOK->setText(QStringLiteral("OK"));
    m_ui.txtClassName->setHistoryFile(AppPaths::historyFile(m_programFolder, QStringLiteral("MessageClass.dat")));
    m_ui.txtClassName->setListTitle(QStringLiteral("Namen"));
}

void frmMClassChange::cmdOK_Click()
{
    if (!isUsableFormName(className())) {
        m_messages.ShowMessage(QStringLiteral("Der Formularname darf keine Steuerzeichen oder "
                                              "Zeilenumbrüche enthalten. Bitte korrigieren Sie den Namen."),
                               ui::mb::Exclamation, titles::Hinweis);
        m_ui.txtClassName->setFocus();
        return;
    }
    m_ui.txtClassName->addCurrentToHistory();
    accept();
}

void frmMClassChange::cmdHelp_Click()
{
    m_help.showHelpFor(this);
}

QString frmMClassChange::className() const
{
    return m_ui.txtClassName->text();
}

} // namespace kw::itemtools
