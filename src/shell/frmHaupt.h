#pragma once

#include "shell/frmHauptUi.h"

#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <QString>

#include <functional>

namespace kw {
class Messages;
namespace ui {
class HelpViewer;
}

// The main window: folder tree, tool bar, menus, duplicate list, shared-folder
// frame, instruction text, status line and progress bar.
//
// Every tool-bar key, menu entry and button is dispatched through one table of
// actions by its exact name ("Dup", "mnuKontaktDupLoeschen", "cmdAktualisieren").
// The window itself only knows help, the information box and the ending; the
// tools are set from outside with setAction() before Form_Load(). A name
// without an action does nothing.
class frmHaupt : public QMainWindow
{
    Q_OBJECT

public:
    // Besides the controls' names the table knows these hooks:
    // "tvwFolderFill" runs in Form_Load, "Timer1" at each tick of Timer1,
    // "frmSharedFolder" on a click on the shared-folder frame's check box.
    static const QStringList &hookNames();
    static const QString &instructionText();
    // The second line of the information box.
    static const QString &rightsHolder();

    frmHaupt(Messages &messages, ui::HelpViewer &help, QWidget *parent = nullptr);

    // Sets every caption and the status "Bereit", then runs "tvwFolderFill".
    // A failure is reported with place code 1205 and skips the rest of the load.
    void Form_Load();

    // Sets what `name` does. For "mnuAttUndo" it is what a Yes to the
    // question does. Returns false, and changes nothing, for a name the window
    // does not dispatch or whose behaviour is fixed (help, info, ending).
    bool setAction(const QString &name, std::function<void()> action);
    // Every name setAction() accepts.
    QStringList actionNames() const;

    // Does what a click on the entry, button or tool item `name` does.
    void trigger(const QString &name);
    // Only the left button (1) acts; the key of the item is compared exactly.
    void OutBar1_ItemClick(int group, int index, int button);

    // The controls, for the tools that show progress or switch the busy state.
    frmHauptUi &controls() { return m_ui; }

    // What the load writes into each control: menus, entries, frames,
    // buttons, the status line and the instruction text.
    struct Caption
    {
        QObject *control;
        QString text;
    };
    QList<Caption> captionTable() const;

Q_SIGNALS:
    // The user closed the window or chose "&Beenden": the program ends.
    void programEnding();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectControls();
    void setCaptions();
    void reserveListWidth();
    void showInfo();
    void askAttachmentUndo();
    void runAction(const QString &name);

    frmHauptUi m_ui;
    Messages &m_messages;
    ui::HelpViewer &m_help;
    QHash<QString, std::function<void()>> m_fixed;
    QHash<QString, std::function<void()>> m_actions;
    QSet<QString> m_settable;
};

} // namespace kw
