#include "DupsTestWorld.h"
#include "app/Dispatch.h"
#include "duplicates/DuplicateActions.h"
#include "duplicates/Removal.h"
#include "duplicates/ScanTypes.h"
#include "duplicates/TreeDupsView.h"
#include "platform/ui/HelpViewer.h"
#include "shell/AppServices.h"
#include "shell/BusyState.h"
#include "shell/SettingNames.h"
#include "shell/frmHaupt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace kw;
using namespace kw::DupsDel;
using kw::test::at;

namespace {

QTreeWidgetItem *nodeNamed(QTreeWidget *tree, const QString &text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

QStringList describeList(QTreeWidget *tree)
{
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *root = tree->topLevelItem(i);
        out << root->text(0).section(' ', 0, 0) + (root->checkState(0) == Qt::Checked ? "*" : "");
        for (int c = 0; c < root->childCount(); ++c)
            out << "  " + root->child(c)->text(0).section(' ', 0, 0)
                       + (root->child(c)->checkState(0) == Qt::Checked ? "*" : "");
    }
    return out;
}

} // namespace

class TestDupsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scanListsAndRemovesThroughTheWindow();
    void profileIsOpenedOnceForTheWholeRun();
    void listKeepsTheOrderNodesWereAdded();
    void runStartEmptiesTheList_data();
    void runStartEmptiesTheList();
    void narrowListKeepsFolderAndDate_data();
    void narrowListKeepsFolderAndDate();
};

void TestDupsWindow::scanListsAndRemovesThroughTheWindow()
{
    test::World w;
    for (const Criterion &c : scanType(ScanKind::Contacts).criteria)
        w.set(c.setting + (c.setting == setting::KontakteFileAs ? "=1" : "=0"));
    const auto folder = w.addFolder("Kunden", "IPM.Contact");
    for (const char *name : {"Abel", "Busch", "Abel", "Busch", "Abel", "Carl"})
        w.addItem(folder, 40, {{"FileAs", name}}, at(int(w.fieldOf(folder, "FileAs").size())));

    AppServices services(w.env.paths(),
                         std::make_unique<ui::ScriptedMessageBox>(), std::make_unique<ui::RecordingHelpViewer>());
    frmHaupt window(services.messages, *services.help);
    QVERIFY(app::wireActions(window, services).rejected.isEmpty());
    window.Form_Load();
    auto *tree = window.findChild<QTreeWidget *>("TvwOrdner");
    QTreeWidgetItem *node = nodeNamed(tree, "Kunden");
    QVERIFY(node);
    node->setCheckState(0, Qt::Checked);
    tree->setCurrentItem(node);

    window.trigger("Dup");
    auto *dups = window.findChild<QTreeWidget *>("tvwDups");
    QCOMPARE(describeList(dups), (QStringList{"Abel", "  Abel*", "  Abel*", "Busch", "  Busch*"}));
    QVERIFY(!window.findChild<QWidget *>("frmDups")->isHidden());
    QVERIFY(window.findChild<QPushButton *>("cmdDupDel")->isEnabled());
    QCOMPARE(window.findChild<QLabel *>("lblStatus")->text(), QString("Bereit"));
    QCOMPARE(dups->topLevelItem(1)->background(0).color(), QColor(255, 244, 170));

    dups->topLevelItem(0)->child(1)->setCheckState(0, Qt::Unchecked); // the user keeps one after all
    window.trigger("cmdDupDel");
    QCOMPARE(w.fieldOf(folder, "FileAs"), (QStringList{"Abel", "Busch", "Abel", "Carl"}));
    const auto parent = w.ns()->GetFolderFromID(folder.entryId, folder.storeId);
    QCOMPARE(parent->Folders()->Item(1)->Name(), duplicatesFolderName());
    QCOMPARE(parent->Folders()->Item(1)->Items()->Count(), 2);
    QVERIFY(window.findChild<QWidget *>("frmDups")->isHidden());
    auto *box = static_cast<ui::ScriptedMessageBox *>(services.box.get());
    QCOMPARE(box->prompts().last(), QString("2 Duplikate entfernt."));
}

// Load (the folder tree), scan and list, open an entry, remove, scan again:
// every step works on the one application the services opened at the load.
void TestDupsWindow::profileIsOpenedOnceForTheWholeRun()
{
    test::World w;
    for (const Criterion &c : scanType(ScanKind::Contacts).criteria)
        w.set(c.setting + (c.setting == "KontakteFileAs" ? "=1" : "=0"));
    const auto folder = w.addFolder("Kunden", "IPM.Contact");
    for (const char *name : {"Abel", "Busch", "Abel"})
        w.addItem(folder, 40, {{"FileAs", name}}, at(0));
    int displayed = 0;
    mailstore::Inspector::setDisplayHook([&displayed](const mailstore::ItemPtr &) { ++displayed; });
    const int before = mailstore::ProfileDb::openCount();

    AppServices services(w.env.paths(), std::make_unique<ui::ScriptedMessageBox>(),
                         std::make_unique<ui::RecordingHelpViewer>());
    frmHaupt window(services.messages, *services.help);
    app::wireActions(window, services);
    window.Form_Load();
    auto *tree = window.findChild<QTreeWidget *>("TvwOrdner");
    const auto scanKunden = [&] {
        QTreeWidgetItem *node = nodeNamed(tree, "Kunden");
        node->setCheckState(0, Qt::Checked);
        tree->setCurrentItem(node);
        window.trigger("Dup");
    };
    scanKunden();
    auto *dups = window.findChild<QTreeWidget *>("tvwDups");
    QCOMPARE(describeList(dups), (QStringList{"Abel", "  Abel*"}));
    dups->setCurrentItem(dups->topLevelItem(0)->child(0));
    window.trigger("cmdDupView");
    window.trigger("cmdDupDel");
    scanKunden();
    mailstore::Inspector::setDisplayHook({});

    auto *box = static_cast<ui::ScriptedMessageBox *>(services.box.get());
    QCOMPARE(displayed, 1);
    QCOMPARE(box->prompts(), (QStringList{"1 Duplikate entfernt.", "Keine Duplikate gefunden."}));
    QCOMPARE(mailstore::ProfileDb::openCount() - before, 1);
}

void TestDupsWindow::listKeepsTheOrderNodesWereAdded()
{
    QTreeWidget *tree = new QTreeWidget;
    const std::unique_ptr<QTreeWidget> owner(tree);
    DupListControls controls;
    controls.tvwDups = tree;
    TreeDupsView view(StatusControls{}, controls);
    const QColor white(255, 255, 255);
    DupList list;
    list.nodes = {DupNode{"K1", "", "a", "Contact", true, white}, DupNode{"K3", "K1", "c", "Contact", false, white},
                  DupNode{"K2", "", "b", "Contact", false, white}, DupNode{"K4", "K2", "d", "Contact", true, white},
                  DupNode{"K5", "K1", "e", "Contact", true, white}};
    view.showNodes(list);
    QCOMPARE(view.tickedItems(), (std::vector<int>{1, 4, 5}));
    tree->topLevelItem(0)->child(1)->setCheckState(0, Qt::Unchecked);
    QCOMPARE(view.tickedItems(), (std::vector<int>{1, 4}));
    QCOMPARE(view.selectedKey(), QString());
    tree->setCurrentItem(tree->topLevelItem(1)->child(0));
    QCOMPARE(view.selectedKey(), QString("K4"));
}

void TestDupsWindow::runStartEmptiesTheList_data()
{
    QTest::addColumn<bool>("starting");
    QTest::newRow("another run starts: the list goes") << true;
    QTest::newRow("a run ends: the list stays") << false;
}

void TestDupsWindow::runStartEmptiesTheList()
{
    QFETCH(bool, starting);
    test::TestEnv env;
    AppServices services(AppPaths{env.programFolder(), env.registryFile(), env.profileFile(), {}},
                         std::make_unique<ui::ScriptedMessageBox>(), std::make_unique<ui::RecordingHelpViewer>());
    frmHaupt window(services.messages, *services.help);
    window.show();
    const frmHauptUi &c = window.controls();
    services.busy.attach(BusyControls::of(c));
    auto *dups = new DuplicateActions(window, services);
    new QTreeWidgetItem(c.tvwDups, QStringList("Müller"));
    c.frmDups->show();
    c.cmdDupDel->setEnabled(false);
    c.cmdDupView->setEnabled(false);
    dups->state().DupEntryIDs = {QString(), "E1"};
    dups->state().DupStoreIDs = {QString(), "S1"};

    services.busy.BeginEndOperation(starting);
    QCOMPARE(c.frmDups->isHidden(), starting);
    QCOMPARE(c.tvwDups->topLevelItemCount(), starting ? 0 : 1);
    QCOMPARE(c.cmdDupDel->isEnabled(), starting);
    QCOMPARE(c.cmdDupView->isEnabled(), starting);
    QCOMPARE(dups->state().DupEntryIDs.size(), starting ? size_t(1) : size_t(2));
    QCOMPARE(dups->state().DupStoreIDs.size(), starting ? size_t(1) : size_t(2));
    QCOMPARE(c.lblStatus->text(), QString("Bereit"));
}

void TestDupsWindow::narrowListKeepsFolderAndDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("room"); // as wide as this text
    QTest::addColumn<QString>("kept"); // the end that shows whole; empty: none
    const QString dated = QStringLiteral(" (Kontakte, 03.04.2022 15:50:50)");
    QTest::newRow("fits: shown whole") << "Huber, Maria" + dated << "Huber, Maria" + dated << "Huber, Maria" + dated;
    QTest::newRow("long name: name cut, folder and date kept")
        << QString::fromUtf8("Müller-Lüdenscheidt, Lukas") + dated << "Huber" + dated << dated;
    QTest::newRow("no room for the name: folder and date kept") << "Huber, Maria" + dated << dated << dated;
    QTest::newRow("folder with brackets: kept whole")
        << "Huber, Maria (Duplikate (erstellt von Kontorwerk), 13.02.2024 23:36:11)"
        << "Hub (Duplikate (erstellt von Kontorwerk), 13.02.2024 23:36:11)"
        << " (Duplikate (erstellt von Kontorwerk), 13.02.2024 23:36:11)";
    QTest::newRow("brackets in the name: only the last part kept")
        << "Meier (Firma) Holzbau GmbH" + dated << "Meier (F" + dated << dated;
    QTest::newRow("no folder part: cut at the end") << "Besprechung mit der Firma Holzbau" << "Besprechung" << "";
}

void TestDupsWindow::narrowListKeepsFolderAndDate()
{
    QFETCH(QString, text);
    QFETCH(QString, room);
    QFETCH(QString, kept);
    const QFontMetrics metrics(QApplication::font());
    const int width = metrics.horizontalAdvance(room);
    const QString shown = fitEntryText(text, metrics, width);
    QVERIFY2(shown.endsWith(kept), qPrintable(shown));
    QVERIFY2(metrics.horizontalAdvance(shown) <= width || shown == kept, qPrintable(shown));
    QCOMPARE(shown == text, metrics.horizontalAdvance(text) <= width);
    if (kept.isEmpty())
        QCOMPARE(shown, metrics.elidedText(text, Qt::ElideRight, width));
}

QTEST_MAIN(TestDupsWindow)
#include "tst_dupswindow.moc"
