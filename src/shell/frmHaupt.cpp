#include "shell/frmHaupt.h"

#include "platform/core/PlatformError.h"
#include "platform/core/Text.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/OutBar.h"
#include "shell/AppServices.h"
#include "shell/BusyState.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"
#include "shell/WindowPlacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace kw {
namespace {

// Tools keep their own error traps; this only catches what one let through,
// so that no exception leaves a click handler. The info text names the entry.
constexpr int kActionFailed = 1200;

struct GroupCaption
{
    const char *group;
    const char *text;
};

// Tool-bar captions by group and item key; Hol and Nam show no text.
const GroupCaption kGroupCaptions[] = {{"AktGrp", "Allgemein"}, {"KonGrp", "Kontakte"}, {"ExtGrp", "Extras"}};
const struct { const char *group; const char *key; const char *text; } kItemCaptions[] = {
    {"AktGrp", "Dup", "Duplikate entfernen"},
    {"KonGrp", "Tel", "Telefonnummern vereinheitlichen"},
    {"AktGrp", "Suc", "Suchen und Ersetzen"},
    {"AktGrp", "For", "Nachrichtenklasse ändern"},
    {"AktGrp", "Att", "Anlagen in Ordner speichern"},
    {"ExtGrp", "Hil", "Hilfe"},
    {"ExtGrp", "Opt", "Optionen"},
};

// The one entry of the window's own that still runs a tool: after its question.
const QString kAttachmentUndo = QStringLiteral("mnuAttUndo");

void setCaption(QObject *control, const QString &text)
{
    if (!control)
        throw PlatformError(errors::kObjectVariableNotSet, QStringLiteral("Steuerelement fehlt für ") + text);
    if (auto *menu = qobject_cast<QMenu *>(control))
        menu->setTitle(text);
    else if (auto *action = qobject_cast<QAction *>(control))
        action->setText(text);
    else if (auto *box = qobject_cast<QGroupBox *>(control))
        box->setTitle(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
    else
        throw PlatformError(errors::kTypeMismatch, QStringLiteral("Keine Beschriftung für ") + control->objectName());
}

} // namespace

const QStringList &frmHaupt::hookNames()
{
    static const QStringList names = {QStringLiteral("tvwFolderFill"), QStringLiteral("Timer1"),
                                      QStringLiteral("frmSharedFolder")};
    return names;
}

const QString &frmHaupt::instructionText()
{
    static const QString text = QStringList{
        QStringLiteral("Aktivieren Sie zuerst die gewünschten Ordner, indem Sie ein Häkchen in das entsprechende Kästchen setzen."),
        QStringLiteral("Einen von den aktivierten Ordnern müssen Sie markieren. Diesem Ordner können Sie (über Extras/Optionen) besondere Eigenschaften zuweisen."),
        QStringLiteral("Wählen Sie anschließend die gewünschte Aktion aus."),
        QStringLiteral("Vor der ersten Nutzung der Funktionen, sollten Sie über Extras/Optionen-Assistent Ihre persönlichen Einstellungen vornehmen."),
        QStringLiteral("Weitere Informationen finden Sie auch in der Hilfe."),
    }.join(kCrLf + kCrLf);
    return text;
}

const QString &frmHaupt::rightsHolder()
{
    static const QString text = QStringLiteral("© Kontorwerk-Entwickler");
    return text;
}

frmHaupt::frmHaupt(Messages &messages, ui::HelpViewer &help, QWidget *parent)
    : QMainWindow(parent), m_messages(messages), m_help(help)
{
    m_ui.setupUi(this);
    resize(placement::defaultSize(placement::availableScreens()));
    // The list takes the instruction text's place while it is shown, so the
    // window needs no more room for it than for the text.
    m_ui.frmDups->installEventFilter(this);
    m_fixed.insert(QStringLiteral("Hil"), [this] { m_help.showHelpFor(this); });
    m_fixed.insert(QStringLiteral("mnuHilfe"), [this] { m_help.showHelpFor(this); });
    m_fixed.insert(QStringLiteral("mnuInfo"), [this] { showInfo(); });
    m_fixed.insert(QStringLiteral("mnuBeenden"), [this] { close(); });
    m_fixed.insert(kAttachmentUndo, [this] { askAttachmentUndo(); });
    connectControls();
}

void frmHaupt::connectControls()
{
    ui::OutBar *bar = m_ui.OutBar1;
    for (int g = 0; g < bar->groupCount(); ++g) {
        for (int i = 0; i < bar->itemCount(g); ++i)
            m_settable.insert(bar->itemKey(g, i));
    }
    connect(bar, &ui::OutBar::ItemClick, this, &frmHaupt::OutBar1_ItemClick);

    for (QAction *action : m_ui.menuEntries()) {
        const QString name = action->objectName();
        m_settable.insert(name);
        connect(action, &QAction::triggered, this, [this, name] { trigger(name); });
    }
    for (QPushButton *button : m_ui.buttons()) {
        const QString name = button->objectName();
        m_settable.insert(name);
        connect(button, &QPushButton::clicked, this, [this, name] { trigger(name); });
    }
    for (const QString &hook : hookNames())
        m_settable.insert(hook);
    connect(m_ui.Timer1, &QTimer::timeout, this, [this] { trigger(QStringLiteral("Timer1")); });
    connect(m_ui.frmSharedFolder, &QGroupBox::clicked, this, [this] { trigger(QStringLiteral("frmSharedFolder")); });

    for (auto it = m_fixed.cbegin(); it != m_fixed.cend(); ++it) {
        if (it.key() != kAttachmentUndo)
            m_settable.remove(it.key());
    }
}

void frmHaupt::Form_Load()
{
    trapErrors(m_messages, place::MainWindowLoad, QString(), [this] {
        setCaptions();
        reserveListWidth();
        if (const auto fill = m_actions.value(QStringLiteral("tvwFolderFill")))
            fill();
    });
}

QList<frmHaupt::Caption> frmHaupt::captionTable() const
{
    const frmHauptUi &c = m_ui;
    const auto row = [](QObject *control, const char *text) { return Caption{control, QString::fromUtf8(text)}; };
    return {
        row(c.mnuDatei, "&Datei"),
        row(c.mnuSharedOpen, "&Ordner eines anderen Benutzers öffnen..."),
        row(c.mnuBeenden, "&Beenden"),
        row(c.mnuAktion, "&Aktion"),
        row(c.mnuKontaktDupLoeschen, "&Duplikate entfernen"),
        row(c.mnuFindReplace, "&Ersetzen..."),
        row(c.mnuFormularWechsel, "&Nachrichtenklasse ändern..."),
        row(c.mnuHoliday, "&Schulferien einfügen..."),
        row(c.mnuAttSave, "&Anlagen speichern"),
        row(c.mnuTelNorm, "&Tel.-Nr. vereinheitlichen"),
        row(c.mnuNameCorrection, "&Namen korrigieren"),
        row(c.mnuUndo, "&Daten wiederherstellen..."),
        row(c.mnuAnlagen, "An&lagen"),
        row(c.mnuAttUndo, "&Anlagen wiederherstellen..."),
        row(c.mnuAttMove, "Anlagen &verschieben..."),
        row(c.mnuExtras, "&Extras"),
        row(c.mnuNameCheck, "&Namen testen..."),
        row(c.mnuTelTest, "&Telefonnummer testen..."),
        row(c.mnuQuickOption, "Optionen-&Assistent"),
        row(c.mnuOptionen, "&Optionen"),
        row(c.mnuHilfeRoot, "&?"),
        row(c.mnuHilfe, "&Hilfe"),
        row(c.mnuInfo, "&Info"),
        row(c.frmFolder, "Ordner"),
        row(c.cmdAktualisieren, "Ordnerstruktur neu einlesen"),
        row(c.cmdAlleRueck, "Alle deaktivieren"),
        row(c.cmdZweigMark, "Zweig aktivieren"),
        row(c.frmDups, "Gefundene Duplikate"),
        row(c.cmdDupDel, "Elemente entfernen"),
        row(c.cmdDupView, "Element anzeigen"),
        row(c.cmdDupsClose, "Liste schließen"),
        row(c.frmSharedFolder, "Ordner eines anderen Benutzers"),
        row(c.cmdCloseShared, "Schließen"),
        {c.lblStatus, BusyState::readyText()},
        {c.lblHilfe, instructionText()},
    };
}

void frmHaupt::setCaptions()
{
    ui::OutBar *bar = m_ui.OutBar1;
    for (const auto &c : kItemCaptions) {
        if (!bar->setItemCaption(QString::fromUtf8(c.group), QString::fromUtf8(c.key), QString::fromUtf8(c.text)))
            throw PlatformError(errors::kObjectNotFound, QStringLiteral("Kein Element ") + QString::fromUtf8(c.key));
    }
    for (const GroupCaption &c : kGroupCaptions) {
        if (!bar->setGroupCaption(QString::fromUtf8(c.group), QString::fromUtf8(c.text)))
            throw PlatformError(errors::kObjectNotFound, QStringLiteral("Keine Gruppe ") + QString::fromUtf8(c.group));
    }
    for (const auto &[control, text] : captionTable())
        setCaption(control, text);
    setWindowTitle(QStringLiteral("Kontorwerk"));
}

bool frmHaupt::setAction(const QString &name, std::function<void()> action)
{
    if (!m_settable.contains(name))
        return false;
    m_actions.insert(name, std::move(action));
    return true;
}

QStringList frmHaupt::actionNames() const
{
    QStringList names(m_settable.begin(), m_settable.end());
    names.sort();
    return names;
}

void frmHaupt::trigger(const QString &name)
{
    if (const auto fixed = m_fixed.value(name)) {
        trapErrors(m_messages, kActionFailed, name, fixed);
        return;
    }
    runAction(name);
}

void frmHaupt::runAction(const QString &name)
{
    const auto action = m_actions.value(name);
    if (action)
        trapErrors(m_messages, kActionFailed, name, action);
}

void frmHaupt::OutBar1_ItemClick(int group, int index, int button)
{
    if (button != ui::mouse::Left)
        return;
    const QString key = m_ui.OutBar1->itemKey(group, index);
    if (!key.isEmpty())
        trigger(key);
}

void frmHaupt::showInfo()
{
    trapErrors(m_messages, place::InfoBox, QString(), [this] {
        m_messages.ShowMessage(QStringLiteral("Version ") + versionText() + kCrLf + rightsHolder(),
                               ui::mb::Information, titles::Info);
    });
}

void frmHaupt::askAttachmentUndo()
{
    const int answer = m_messages.ShowMessage(
        QStringLiteral("Möchten Sie die verknüpften Anlagen wieder (zurück)importieren?"),
        ui::mb::YesNoQuestion, titles::Frage);
    if (answer == ui::answer::Yes)
        runAction(kAttachmentUndo);
}

// The right column is as wide from the start as the list needs with its
// captioned buttons, so showing the list never widens the window.
void frmHaupt::reserveListWidth()
{
    QWidget *column = m_ui.frmDups->parentWidget();
    column->setMinimumWidth(std::max(column->minimumSizeHint().width(), m_ui.frmDups->minimumSizeHint().width()));
}

bool frmHaupt::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.frmDups && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        m_ui.lblHilfe->setVisible(event->type() == QEvent::HideToParent);
    return QMainWindow::eventFilter(watched, event);
}

void frmHaupt::closeEvent(QCloseEvent *event)
{
    // No question: the program simply ends (its owner keeps the window's place).
    event->accept();
    Q_EMIT programEnding();
}

} // namespace kw
