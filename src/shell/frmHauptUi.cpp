#include "shell/frmHauptUi.h"

#include "platform/ui/OutBar.h"
#include "platform/ui/ToolIcons.h"
#include "platform/ui/WidgetBuild.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kw {
namespace {

using ui::build::named;

QAction *entry(QMenu *menu, const char *name)
{
    return named(menu->addAction(QString()), name);
}

QMenu *menu(QWidget *parent, const char *name)
{
    return named(new QMenu(parent), name);
}

QTreeWidget *tree(QWidget *parent, const char *name)
{
    auto *view = named(new QTreeWidget(parent), name);
    view->setHeaderHidden(true);
    view->setColumnCount(1);
    return view;
}

} // namespace

void frmHauptUi::setupUi(QMainWindow *window)
{
    window->setObjectName(QStringLiteral("frmHaupt"));
    setupMenus(window);
    setupToolBar(window);

    // The tree and the right column share what the tool bar leaves, split
    // where the user drags; neither may shrink to nothing.
    auto *central = new QWidget(window);
    mainSplitter = named(new QSplitter(Qt::Horizontal, central), "mainSplitter");
    mainSplitter->setChildrenCollapsible(false);
    mainSplitter->addWidget(setupFolderFrame(mainSplitter));
    mainSplitter->addWidget(setupRightColumn(mainSplitter));
    // The right column takes most of a wide window: the duplicate list's
    // entries (name, folder, date) are long.
    mainSplitter->setStretchFactor(0, 1);
    mainSplitter->setStretchFactor(1, 3);

    auto *columns = new QHBoxLayout(central);
    columns->addWidget(OutBar1);
    columns->addWidget(mainSplitter, 1);
    window->setCentralWidget(central);

    setupStatusBar(window);
    Timer1 = named(new QTimer(window), "Timer1");
    Timer1->setInterval(1000);
}

QList<QAction *> frmHauptUi::menuEntries() const
{
    QList<QAction *> entries;
    for (const QMenu *menu : {mnuDatei, mnuAktion, mnuAnlagen, mnuExtras, mnuHilfeRoot}) {
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator() && !action->menu())
                entries.append(action);
        }
    }
    return entries;
}

QList<QPushButton *> frmHauptUi::buttons() const
{
    return {cmdAktualisieren, cmdAlleRueck, cmdZweigMark, cmdDupDel, cmdDupView, cmdDupsClose, cmdCloseShared};
}

void frmHauptUi::setupMenus(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    mnuDatei = menu(window, "mnuDatei");
    mnuSharedOpen = entry(mnuDatei, "mnuSharedOpen");
    mnuDatei->addSeparator();
    mnuBeenden = entry(mnuDatei, "mnuBeenden");
    bar->addMenu(mnuDatei);

    mnuAktion = menu(window, "mnuAktion");
    mnuKontaktDupLoeschen = entry(mnuAktion, "mnuKontaktDupLoeschen");
    mnuFindReplace = entry(mnuAktion, "mnuFindReplace");
    mnuFormularWechsel = entry(mnuAktion, "mnuFormularWechsel");
    mnuHoliday = entry(mnuAktion, "mnuHoliday");
    mnuAttSave = entry(mnuAktion, "mnuAttSave");
    mnuTelNorm = entry(mnuAktion, "mnuTelNorm");
    mnuNameCorrection = entry(mnuAktion, "mnuNameCorrection");
    mnuAktion->addSeparator();
    mnuUndo = entry(mnuAktion, "mnuUndo");
    mnuAnlagen = menu(mnuAktion, "mnuAnlagen");
    mnuAttUndo = entry(mnuAnlagen, "mnuAttUndo");
    mnuAttMove = entry(mnuAnlagen, "mnuAttMove");
    mnuAktion->addMenu(mnuAnlagen);
    bar->addMenu(mnuAktion);

    mnuExtras = menu(window, "mnuExtras");
    mnuNameCheck = entry(mnuExtras, "mnuNameCheck");
    mnuTelTest = entry(mnuExtras, "mnuTelTest");
    mnuExtras->addSeparator();
    mnuQuickOption = entry(mnuExtras, "mnuQuickOption");
    mnuOptionen = entry(mnuExtras, "mnuOptionen");
    bar->addMenu(mnuExtras);

    mnuHilfeRoot = menu(window, "mnuHilfeRoot");
    mnuHilfe = entry(mnuHilfeRoot, "mnuHilfe");
    mnuHilfeRoot->addSeparator();
    mnuInfo = entry(mnuHilfeRoot, "mnuInfo");
    bar->addMenu(mnuHilfeRoot);
}

void frmHauptUi::setupToolBar(QMainWindow *window)
{
    OutBar1 = named(new ui::OutBar(window), "OutBar1");
    // One width for every group: as wide as the longest caption or header.
    OutBar1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    struct ItemSetup { const char *group; const char *key; const char *toolTip; const char *icon; };
    // Captions come with the window's load; only Hol, Nam and Tel carry tooltips.
    static const ItemSetup items[] = {
        {"AktGrp", "Dup", "", "duplicates"},
        {"AktGrp", "Suc", "", "search"},
        {"AktGrp", "Att", "", "attachments"},
        {"AktGrp", "Hol", "Schulferien hinzufügen", "holidays"},
        {"AktGrp", "For", "", "form"},
        {"KonGrp", "Nam", "Namen korrigieren", "names"},
        {"KonGrp", "Tel", "Telefonnummern vereinheitlichen", "telephone"},
        {"ExtGrp", "Opt", "", "options"},
        {"ExtGrp", "Hil", "", "help"},
    };
    for (const ItemSetup &s : items) {
        const QString group = QString::fromUtf8(s.group);
        int g = OutBar1->groupIndex(group);
        if (g < 0)
            g = OutBar1->addGroup(group, QString());
        OutBar1->addItem(g, {QString::fromUtf8(s.key), QString(), QString::fromUtf8(s.toolTip),
                             ui::toolIcon(QString::fromUtf8(s.icon))});
    }
}

QGroupBox *frmHauptUi::setupFolderFrame(QWidget *parent)
{
    frmFolder = named(new QGroupBox(parent), "frmFolder");
    TvwOrdner = tree(frmFolder, "TvwOrdner");
    // Folder names show whole: the column follows the widest open name and
    // the tree scrolls sideways where the frame is narrower.
    TvwOrdner->header()->setStretchLastSection(false);
    TvwOrdner->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    cmdAktualisieren = named(new QPushButton(frmFolder), "cmdAktualisieren");
    cmdAlleRueck = named(new QPushButton(frmFolder), "cmdAlleRück");
    cmdZweigMark = named(new QPushButton(frmFolder), "cmdZweigMark");
    // One below the other, so that the frame leaves the duplicate list room
    // for its dates on a small screen.
    auto *layout = new QVBoxLayout(frmFolder);
    layout->addWidget(TvwOrdner, 1);
    for (QPushButton *button : {cmdAktualisieren, cmdAlleRueck, cmdZweigMark})
        layout->addWidget(button);
    return frmFolder;
}

QGroupBox *frmHauptUi::setupDuplicateFrame(QWidget *parent)
{
    frmDups = named(new QGroupBox(parent), "frmDups");
    tvwDups = tree(frmDups, "tvwDups");
    cmdDupDel = named(new QPushButton(frmDups), "cmdDupDel");
    cmdDupView = named(new QPushButton(frmDups), "cmdDupView");
    cmdDupsClose = named(new QPushButton(frmDups), "cmdDupsClose");
    // One below the other, like the folder frame's: side by side they held
    // the list, and so the window, wider than a small screen spares.
    auto *layout = new QVBoxLayout(frmDups);
    layout->addWidget(tvwDups, 1);
    for (QPushButton *button : {cmdDupDel, cmdDupView, cmdDupsClose})
        layout->addWidget(button);
    frmDups->hide();
    return frmDups;
}

QWidget *frmHauptUi::setupRightColumn(QWidget *parent)
{
    auto *column = new QWidget(parent);
    lblHilfe = named(new QLabel(column), "lblHilfe");
    lblHilfe->setWordWrap(true);
    lblHilfe->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(setupSharedFolderFrame(column));
    layout->addWidget(lblHilfe);
    layout->addWidget(setupDuplicateFrame(column), 1);
    layout->addStretch(0);
    return column;
}

QGroupBox *frmHauptUi::setupSharedFolderFrame(QWidget *parent)
{
    frmSharedFolder = named(new QGroupBox(parent), "frmSharedFolder");
    frmSharedFolder->setCheckable(true);
    frmSharedFolder->setChecked(true);
    lblName = named(new QLabel(frmSharedFolder), "lblName");
    lblTyp = named(new QLabel(frmSharedFolder), "lblTyp");
    cmdCloseShared = named(new QPushButton(frmSharedFolder), "cmdCloseShared");
    auto *layout = new QVBoxLayout(frmSharedFolder);
    layout->addWidget(lblName);
    layout->addWidget(lblTyp);
    layout->addWidget(cmdCloseShared, 0, Qt::AlignRight);
    frmSharedFolder->hide();
    return frmSharedFolder;
}

void frmHauptUi::setupStatusBar(QMainWindow *window)
{
    QStatusBar *status = window->statusBar();
    lblStatus = named(new QLabel(status), "lblStatus");
    ProgressBar1 = named(new QProgressBar(status), "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumWidth(260);
    status->addWidget(lblStatus, 1);
    status->addPermanentWidget(ProgressBar1);
}

} // namespace kw
