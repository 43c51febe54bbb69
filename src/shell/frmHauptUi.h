#pragma once

// The controls of the main window, built by hand rather than from a Designer
// file: several control names carry umlauts ("cmdAlleRück"), which would
// become C++ identifiers in generated code. Every window of the program is
// laid out this way: one plain struct per window, held by value, whose
// setupUi() creates each control with its objectName and makes no
// connections; the window class wires them and keeps the logic elsewhere.
// Captions are set by the window's load, as the original did.

#include <QList>

class QAction;
class QGroupBox;
class QLabel;
class QMainWindow;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTimer;
class QTreeWidget;
class QWidget;

namespace kw {
namespace ui {
class OutBar;
}

// The parts of the main window that each have one owner outside the window.
// The owners get their part by reference and reach the controls by type.

// The status line: text and progress of a run (BusyState, the tools' views).
struct StatusControls
{
    QLabel *lblStatus = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
};

// The duplicate list and its buttons (TreeDupsView).
struct DupListControls
{
    QGroupBox *frmDups = nullptr;
    QTreeWidget *tvwDups = nullptr;
    QPushButton *cmdDupDel = nullptr;
    QPushButton *cmdDupView = nullptr;
    QPushButton *cmdDupsClose = nullptr;
};

// The folder tree, its buttons and the timer that watches for new folders
// (MainWindowFolders).
struct FolderControls
{
    QGroupBox *frmFolder = nullptr;
    QTreeWidget *TvwOrdner = nullptr;
    QPushButton *cmdAktualisieren = nullptr;
    QPushButton *cmdAlleRueck = nullptr; // objectName "cmdAlleRück"
    QPushButton *cmdZweigMark = nullptr;
    QTimer *Timer1 = nullptr;
};

// The frame of another user's opened folder (SharedFolderFrame).
struct SharedFolderControls
{
    QGroupBox *frmSharedFolder = nullptr; // checkable: the check box in its caption
    QLabel *lblName = nullptr;
    QLabel *lblTyp = nullptr;
    QPushButton *cmdCloseShared = nullptr;
};

// Every control of the window: the parts above plus the tool bar, the menus
// and the instruction text, which the window keeps for itself.
struct frmHauptUi : StatusControls, DupListControls, FolderControls, SharedFolderControls
{
    ui::OutBar *OutBar1 = nullptr;
    // Between the folder frame and the right column (instruction text,
    // shared-folder frame, duplicate list).
    QSplitter *mainSplitter = nullptr;

    QLabel *lblHilfe = nullptr;

    QMenu *mnuDatei = nullptr;
    QAction *mnuSharedOpen = nullptr;
    QAction *mnuBeenden = nullptr;

    QMenu *mnuAktion = nullptr;
    QAction *mnuKontaktDupLoeschen = nullptr;
    QAction *mnuFindReplace = nullptr;
    QAction *mnuFormularWechsel = nullptr;
    QAction *mnuHoliday = nullptr;
    QAction *mnuAttSave = nullptr;
    QAction *mnuTelNorm = nullptr;
    QAction *mnuNameCorrection = nullptr;
    QAction *mnuUndo = nullptr;
    QMenu *mnuAnlagen = nullptr;
    QAction *mnuAttUndo = nullptr;
    QAction *mnuAttMove = nullptr;

    QMenu *mnuExtras = nullptr;
    QAction *mnuNameCheck = nullptr;
    QAction *mnuTelTest = nullptr;
    QAction *mnuQuickOption = nullptr;
    QAction *mnuOptionen = nullptr;

    QMenu *mnuHilfeRoot = nullptr;
    QAction *mnuHilfe = nullptr;
    QAction *mnuInfo = nullptr;

    void setupUi(QMainWindow *window);

    // The menu entries that run something (no submenus), in menu order.
    QList<QAction *> menuEntries() const;
    // Every push button of the window.
    QList<QPushButton *> buttons() const;

private:
    void setupMenus(QMainWindow *window);
    void setupToolBar(QMainWindow *window);
    QGroupBox *setupFolderFrame(QWidget *parent);
    QGroupBox *setupDuplicateFrame(QWidget *parent);
    QGroupBox *setupSharedFolderFrame(QWidget *parent);
    QWidget *setupRightColumn(QWidget *parent);
    void setupStatusBar(QMainWindow *window);
};

} // namespace kw
