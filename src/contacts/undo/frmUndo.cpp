#include "contacts/undo/frmUndo.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kw::contacts::undo {

void frmUndoUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("frmUndo"));
    auto *layout = new QVBoxLayout(dialog);
    sevLabel1 = new QLabel(dialog);
    sevLabel1->setObjectName(QStringLiteral("sevLabel1"));
    sevLabel1->setWordWrap(true);
    chkName = new QCheckBox(dialog);
    chkName->setObjectName(QStringLiteral("chkName"));
    chkTel = new QCheckBox(dialog);
    chkTel->setObjectName(QStringLiteral("chkTel"));
    cmdUndo = new QPushButton(dialog);
    cmdUndo->setObjectName(QStringLiteral("cmdUndo"));
    layout->addWidget(sevLabel1);
    layout->addWidget(chkName);
    layout->addWidget(chkTel);
    layout->addWidget(cmdUndo, 0, Qt::AlignRight);
}

frmUndo::frmUndo(std::function<void(const QString &kind)> undo, QWidget *parent)
    : QDialog(parent), m_undo(std::move(undo))
{
    m_ui.setupUi(this);
    setWindowTitle(QStringLiteral("Daten wiederherstellen"));
    m_ui.sevLabel1->setText(
        QString::fromUtf8("Welche Änderungen möchten Sie an den ausgewählen Kontakten wiederherstellen?"));
    m_ui.chkName->setText(QStringLiteral("Namen wiederherstellen"));
    m_ui.chkTel->setText(QStringLiteral("Telefonnummern wiederherstellen"));
    m_ui.cmdUndo->setText(QStringLiteral("Wiederherstellen"));
    connect(m_ui.cmdUndo, &QPushButton::clicked, this, [this] { cmdUndo_Click(); });
}

void frmUndo::cmdUndo_Click()
{
    // Each kind is a run of its own with its own message.
    if (m_ui.chkName->isChecked())
        m_undo(QStringLiteral("Names"));
    if (m_ui.chkTel->isChecked())
        m_undo(QStringLiteral("Telephone"));
    accept();
}

} // namespace kw::contacts::undo
