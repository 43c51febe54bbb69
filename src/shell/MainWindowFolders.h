#pragma once

#include "shell/SharedFolder.h"
#include "shell/frmHauptUi.h"

#include <QObject>
#include <QPointer>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace kw {

class BusyState;
class FolderStructure;
class Messages;

// Ties the main window's folder tree, its three buttons, Timer1, the
// shared-folder menu entry and frame to their logic; the window's dispatch
// table calls the handlers. A child of the window; the dialog it opens is
// centred on the window.
class MainWindowFolders : public QObject
{
public:
    MainWindowFolders(QWidget *window, const FolderControls &tree, const SharedFolderControls &sharedFrame,
                      BusyState &busy, FolderStructure &structure, SharedFolder &shared, Messages &messages);

    void tvwFolderFill();           // at the window's load
    void cmdAktualisieren_Click();  // "Ordnerstruktur neu einlesen"
    void cmdAlleRueck_Click();      // "Alle deaktivieren"
    void cmdZweigMark_Click();      // "Zweig aktivieren"
    void Timer1_Timer();
    void mnuSharedOpen_Click();     // the dialog, modal
    void cmdCloseShared_Click();
    void frmSharedFolder_Click();   // the frame's caption check box

    SharedFolderFrame &sharedFrame() { return m_frame; }

private:
    void TvwOrdner_NodeCheck(QTreeWidgetItem *node, int column);

    QPointer<QWidget> m_window;
    QPointer<QTreeWidget> m_tree;
    BusyState &m_busy;
    FolderStructure &m_structure;
    SharedFolder &m_shared;
    Messages &m_messages;
    SharedFolderFrame m_frame;
};

} // namespace kw
