#pragma once

// The controls of the main window, built by hand rather than from a Designer
// file: several control names carry umlauts ("cmdAlleRück"), which would
// become C++ identifiers in generated code. Every window of the program is
// laid out this way: one plain struct per window, held by value, whose
// setupUi() creates each control with its objectName and makes no
// connections; the window class wires them and keeps the logic elsewhere.
// Captions are set by the window's load, as the original did.

class QAction;
class QGroupBox;
class QLabel;
class QMainWindow;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;
class QWidget;

namespace kw {
namespace ui {
class OutBar;
}

struct frmHauptUi
{
    ui::OutBar *OutBar1 = nullptr;

    QGroupBox *frmFolder = nullptr;
    QTreeWidget *TvwOrdner = nullptr;
    QPushButton *cmdAktualisieren = nullptr;
    QPushButton *cmdAlleRueck = nullptr; // objectName "cmdAlleRück"
    QPushButton *cmdZweigMark = nullptr;

    QGroupBox *frmDups = nullptr;
    QTreeWidget *tvwDups = nullptr;
    QPushButton *cmdDupDel = nullptr;
    QPushButton *cmdDupView = nullptr;
    QPushButton *cmdDupsClose = nullptr;

    QGroupBox *frmSharedFolder = nullptr; // checkable: the check box in its caption
    QLabel *lblName = nullptr;
    QLabel *lblTyp = nullptr;
    QPushButton *cmdCloseShared = nullptr;

    QLabel *lblHilfe = nullptr;
    QLabel *lblStatus = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QTimer *Timer1 = nullptr;

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

private:
    void setupMenus(QMainWindow *window);
    void setupToolBar(QMainWindow *window);
    QGroupBox *setupFolderFrame(QWidget *parent);
    QGroupBox *setupDuplicateFrame(QWidget *parent);
    QGroupBox *setupSharedFolderFrame(QWidget *parent);
    void setupStatusBar(QMainWindow *window);
};

} // namespace kw
