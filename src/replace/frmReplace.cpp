#include "replace/frmReplace.h"

#include "platform/ui/BusyBar.h"
#include "platform/ui/HistoryTextBox.h"
#include "replace/ReplaceUndo.h"
#include "shell/AppPaths.h"
#include "shell/RunFrame.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kw::replace {
namespace {

const QString kHistoryFile = QStringLiteral("ReplaceUserField.dat");

const char kHint[] = "Hinweis: Änderungen an Feldern, die mit einem Ausrufezeichen gekennzeichnet sind, "
                     "beeinflussen auch die entsprechenden Teilfelder. Z.B. wirkt sich eine Änderung im "
                     "vollständigen Namen auch auf die Anrede, den Vornamen, den Nachnamen... aus.";

} // namespace

frmReplace::frmReplace(ReplaceContext context, QWidget *parent) : QDialog(parent), m_ctx(std::move(context))
{
    if (!m_ctx.yield)
        m_ctx.yield = [] { QCoreApplication::processEvents(); };
    m_ui.setupUi(this);
    connect(m_ui.chkLeer, &QCheckBox::clicked, this, [this] { chkLeer_Click(); });
    connect(m_ui.chkReplace, &QCheckBox::clicked, this, [this] { chkReplace_Click(); });
    connect(m_ui.chkUserDef, &QCheckBox::clicked, this, [this] { chkUserDef_Click(); });
    connect(m_ui.cmdReplace, &QPushButton::clicked, this, [this] { cmdReplace_Click(); });
    connect(m_ui.cmdUndo, &QPushButton::clicked, this, [this] { cmdUndo_Click(); });
    Form_Load();
}

void frmReplace::Form_Load()
{
    setWindowTitle(QStringLiteral("Suchen und Ersetzen"));
    m_ui.frFields->setTitle(QStringLiteral("Felder"));
    m_ui.frFind->setTitle(QStringLiteral("Suchen nach:"));
    m_ui.frReplace->setTitle(QStringLiteral("Ersetzen durch:"));
    m_ui.sevFrame1->setTitle(QStringLiteral("Optionen"));
    m_ui.chkWord->setText(QStringLiteral("Nur ganzes Wort suchen."));
    m_ui.chkReplace->setText(QStringLiteral("Feldinhalt durch neuen Text ersetzen."));
    m_ui.chkLeer->setText(QStringLiteral("In leeren Feldern neuen Text einfügen."));
    m_ui.chkUserDef->setText(QStringLiteral("benutzerdefiniertes Feld"));
    m_ui.cmdUndo->setText(QStringLiteral("Rückgängig"));
    m_ui.cmdReplace->setText(QStringLiteral("Ersetzen"));
    m_ui.lblDescription->setText(QString::fromUtf8(kHint));
    m_ui.txtUserDef->setHistoryFile(AppPaths::historyFile(m_ctx.programFolder, kHistoryFile));
    m_ui.txtUserDef->setListTitle(QStringLiteral("Namen"));

    m_ui.cmdUndo->setEnabled(false);
    m_messageClass = m_ctx.GetMarkedFolderClass();
    m_set = m_ctx.GetActivatedFolders(m_messageClass);
    if (m_set.OK)
        fillFields();
    m_ui.cmdReplace->setEnabled(m_type != nullptr);
}

void frmReplace::fillFields()
{
    m_type = replaceItemType(m_messageClass);
    if (!m_type) {
        m_ctx.messages.ShowMessage(QStringLiteral("Kein gültiger Ordner gewählt."), ui::mb::Critical,
                                   titles::Hinweis);
        return;
    }
    for (const ReplaceField &field : m_type->fields)
        m_ui.lstFields->addItem(field.caption);
}

// Either option makes the search text meaningless, so it is hidden; the two
// exclude each other, and whole words only apply to a search.
void frmReplace::chkLeer_Click()
{
    const bool on = m_ui.chkLeer->isChecked();
    m_ui.txtFind->setVisible(!on);
    if (on)
        m_ui.chkReplace->setChecked(false);
    m_ui.chkReplace->setEnabled(!on);
    m_ui.chkWord->setEnabled(!on);
}

void frmReplace::chkReplace_Click()
{
    const bool on = m_ui.chkReplace->isChecked();
    m_ui.txtFind->setVisible(!on);
    if (on)
        m_ui.chkLeer->setChecked(false);
    m_ui.chkLeer->setEnabled(!on);
    m_ui.chkWord->setEnabled(!on);
}

void frmReplace::chkUserDef_Click()
{
    m_ui.txtUserDef->setEnabled(m_ui.chkUserDef->isChecked());
}

ReplaceRequest frmReplace::request() const
{
    ReplaceRequest r;
    r.type = m_type;
    for (int k = 0; k < m_ui.lstFields->count(); ++k) {
        if (m_ui.lstFields->item(k)->isSelected())
            r.selectedFields.append(k);
    }
    r.useUserField = m_ui.chkUserDef->isChecked();
    if (r.useUserField)
        r.userFieldName = m_ui.txtUserDef->text().trimmed();
    r.options = {m_ui.txtFind->text(), m_ui.txtReplace->text(), m_ui.chkWord->isChecked(),
                 m_ui.chkReplace->isChecked(), m_ui.chkLeer->isChecked()};
    return r;
}

void frmReplace::cmdReplace_Click()
{
    const ReplaceRequest r = request();
    if (!m_type || m_running)
        return;
    if (!r.hasWork()) {
        m_ctx.messages.ShowMessage(QStringLiteral("Bitte wählen Sie mindestens ein Feld aus."), ui::mb::Exclamation,
                                   titles::Hinweis);
        return;
    }
    if (r.useUserField)
        m_ui.txtUserDef->addCurrentToHistory();
    ReplaceInFolders(r, m_set, m_record, m_ctx.messages, m_ctx.yield, [this](bool running) { setRunning(running); });
}

void frmReplace::cmdUndo_Click()
{
    if (!m_type || m_running || m_record.empty())
        return;
    RunGuard guard{m_ctx.messages, [this](bool running) { setRunning(running); }};
    guardedRun(guard, place::ReplaceUndo, {},
               [this] { UndoReplace(m_record, m_ctx.openNamespace(), m_ctx.messages, m_ctx.yield); });
}

// Disabling the frames rather than the boxes in them keeps the interlocks'
// own enabled states for when the run is over.
void frmReplace::setRunning(bool running)
{
    m_running = running;
    for (QWidget *w : {static_cast<QWidget *>(m_ui.frFields), static_cast<QWidget *>(m_ui.frFind),
                       static_cast<QWidget *>(m_ui.frReplace), static_cast<QWidget *>(m_ui.sevFrame1)})
        w->setEnabled(!running);
    m_ui.cmdReplace->setEnabled(!running);
    m_ui.cmdUndo->setEnabled(!running && !m_record.empty());
    if (running)
        m_ui.sevWaitBar1->start();
    else
        m_ui.sevWaitBar1->stop();
}

void frmReplace::reject()
{
    if (!m_running)
        QDialog::reject();
}

void frmReplace::closeEvent(QCloseEvent *event)
{
    if (m_running)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace kw::replace
