#include "shell/MainWindowFolders.h"

#include "shell/BusyState.h"
#include "shell/FolderStructureFunctions.h"
#include "shell/FolderTree.h"
#include "shell/GlobalFunctions.h"
#include "shell/frmSharedFolderOpen.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QTimer>
#include <QTreeWidget>

namespace kw {

MainWindowFolders::MainWindowFolders(QWidget *window, const FolderControls &tree,
                                     const SharedFolderControls &sharedFrame, BusyState &busy,
                                     FolderStructure &structure, SharedFolder &shared, Messages &messages)
    : QObject(window)
    , m_window(window)
    , m_tree(tree.TvwOrdner)
    , m_busy(busy)
    , m_structure(structure)
    , m_shared(shared)
    , m_messages(messages)
    , m_frame(shared, sharedFrame)
{
    m_structure.setTree(m_tree);
    m_structure.setTimer(tree.Timer1);
    if (m_tree) {
        m_tree->setHeaderHidden(true);
        m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(m_tree, &QTreeWidget::itemChanged, this, &MainWindowFolders::TvwOrdner_NodeCheck);
    }
}

void MainWindowFolders::tvwFolderFill()
{
    m_structure.tvwFolderFill();
}

void MainWindowFolders::cmdAktualisieren_Click()
{
    if (m_busy.isBusy() || m_structure.filling())
        return;
    // Busy while reading: no tool may start on a half-read tree.
    m_busy.SetBusy(true);
    const bool read = m_structure.tvwFolderFill();
    m_busy.SetBusy(false);
    if (read)
        m_messages.ShowMessage(QStringLiteral("Alle Ordner neu eingelesen."), ui::mb::Information, titles::Info);
}

void MainWindowFolders::cmdAlleRueck_Click()
{
    if (m_tree)
        foldertree::cmdAlleRueck(m_tree, m_messages);
}

void MainWindowFolders::cmdZweigMark_Click()
{
    if (m_tree)
        foldertree::cmdZweigMark(m_tree, m_messages);
}

void MainWindowFolders::Timer1_Timer()
{
    m_structure.DelayInspect();
}

// Only a user's click reaches here: every tick the program sets itself runs
// with the tree's signals blocked.
void MainWindowFolders::TvwOrdner_NodeCheck(QTreeWidgetItem *node, int column)
{
    Q_UNUSED(column);
    if (m_tree)
        foldertree::TvwOrdner_NodeCheck(m_tree, node);
}

void MainWindowFolders::mnuSharedOpen_Click()
{
    frmSharedFolderOpen dialog(m_structure.profile(), m_messages, m_shared, &m_frame, m_window);
    dialog.exec();
}

void MainWindowFolders::cmdCloseShared_Click()
{
    m_frame.cmdCloseShared_Click();
}

void MainWindowFolders::frmSharedFolder_Click()
{
    if (m_frame.frame())
        m_frame.frmSharedFolder_Click(m_frame.frame()->isChecked());
}

} // namespace kw
