#include "shell/frmSharedFolderOpen.h"

#include "platform/mailstore/NameSpace.h"
#include "shell/ErrorTrap.h"
#include "shell/MailProfile.h"
#include "shell/MailServices.h"
#include "shell/SharedFolder.h"
#include "shell/SharedFolderOpen.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kw {
namespace {

// What a window manager puts beside the title: the window icon and up to
// three buttons.
constexpr int kTitleBarExtras = 140;

// Wide enough that the title, usually drawn in bold, is not cut.
int titleWidth(const QWidget &window)
{
    QFont title = window.font();
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(window.windowTitle()) + kTitleBarExtras;
}

} // namespace

void frmSharedFolderOpenUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmSharedFolderOpen"));
    auto *layout = new QGridLayout(dialog);
    lblName = new QLabel(dialog);
    lblName->setObjectName(QStringLiteral("lblName"));
    txtName = new QLineEdit(dialog);
    txtName->setObjectName(QStringLiteral("txtName"));
    cmdNameCheck = new QPushButton(dialog);
    cmdNameCheck->setObjectName(QStringLiteral("cmdNameCheck"));
    lblOrdner = new QLabel(dialog);
    lblOrdner->setObjectName(QStringLiteral("lblOrdner"));
    cmbFolderTyp = new QComboBox(dialog);
    cmbFolderTyp->setObjectName(QStringLiteral("cmbFolderTyp"));
    cmdOK = new QPushButton(dialog);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    // Each label over its box, and tied to it for screen readers.
    lblName->setBuddy(txtName);
    lblOrdner->setBuddy(cmbFolderTyp);
    layout->addWidget(lblName, 0, 0, 1, 2);
    layout->addWidget(txtName, 1, 0);
    layout->addWidget(cmdNameCheck, 1, 1);
    layout->addWidget(lblOrdner, 2, 0, 1, 2);
    layout->addWidget(cmbFolderTyp, 3, 0);
    layout->addWidget(cmdOK, 3, 1);
}

frmSharedFolderOpen::frmSharedFolderOpen(MailProfile &profile, Messages &messages, SharedFolder &shared,
                                         SharedFolderFrame *frame, QWidget *parent)
    : QDialog(parent), m_profile(profile), m_messages(messages), m_shared(shared), m_frame(frame)
{
    m_ui.setupUi(this);
    connect(m_ui.txtName, &QLineEdit::textChanged, this, [this] { txtName_Change(); });
    connect(m_ui.cmdNameCheck, &QPushButton::clicked, this, [this] { cmdNameCheck_Click(); });
    connect(m_ui.cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    m_ui.cmdOK->setDefault(true);
    Form_Load();
}

void frmSharedFolderOpen::Form_Load()
{
    setWindowTitle(QString::fromUtf8("Ordner eines anderen Benutzers öffnen"));
    m_ui.cmdNameCheck->setText(QString::fromUtf8("Namen überprüfen"));
    m_ui.cmdOK->setText(QStringLiteral("OK"));
    m_ui.lblName->setText(QStringLiteral("Name:"));
    m_ui.lblOrdner->setText(QStringLiteral("Ordner"));
    m_ui.cmbFolderTyp->clear();
    for (const SharedFolderType &type : sharedFolderTypes())
        m_ui.cmbFolderTyp->addItem(type.text);
    m_ui.cmbFolderTyp->setCurrentIndex(0);
    setMinimumWidth(std::max(minimumSizeHint().width(), titleWidth(*this)));
    adjustSize();
}

// The marker shows as the address book's usual underlined name.
void frmSharedFolderOpen::setResolved(bool resolved)
{
    m_resolved = resolved;
    QFont font = m_ui.txtName->font();
    font.setUnderline(resolved);
    m_ui.txtName->setFont(font);
    m_ui.txtName->setProperty("resolved", resolved);
}

void frmSharedFolderOpen::txtName_Change()
{
    setResolved(false);
}

void frmSharedFolderOpen::takeResolvedName(const QString &displayName)
{
    m_ui.txtName->setText(displayName); // an edit: clears the marker first
    setResolved(true);
}

void frmSharedFolderOpen::showNotFound()
{
    m_messages.ShowMessage(
        QString::fromUtf8("Name wurde nicht im Adressbuch gefunden. Bitte überprüfen Sie Ihre Eingabe."), ui::mb::Exclamation,
        titles::Hinweis);
}

void frmSharedFolderOpen::cmdNameCheck_Click()
{
    trapErrors(m_messages, place::SharedFolderNameCheck, {}, [this] {
        const ResolvedName name = resolveSharedOwner(m_profile.mapiNamespace(), m_ui.txtName->text());
        if (name.resolved)
            takeResolvedName(name.displayName);
        else
            showNotFound();
    });
    CleanUpMAPI(m_messages, m_profile);
}

void frmSharedFolderOpen::cmdOK_Click()
{
    try {
        const mailstore::NameSpacePtr ns = m_profile.mapiNamespace();
        const ResolvedName name = resolveSharedOwner(ns, m_ui.txtName->text());
        if (!name.resolved) {
            showNotFound();
            return;
        }
        takeResolvedName(name.displayName);
        const int position = m_ui.cmbFolderTyp->currentIndex();
        const mailstore::FolderPtr folder = openSharedDefaultFolder(ns, name.displayName, position);
        m_shared.open(folder);
        if (m_frame)
            m_frame->showOpened(name.displayName, m_ui.cmbFolderTyp->itemText(position));
    } catch (const std::exception &) {
        m_messages.ShowMessage(
            QString::fromUtf8("Ordner konnte nicht geöffnet werden. Überprüfen Sie die Berechtigungen."), ui::mb::Exclamation,
            titles::Hinweis);
        return;
    }
    accept();
    CleanUpMAPI(m_messages, m_profile);
}

} // namespace kw
