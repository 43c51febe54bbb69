#include "DupsTestWorld.h"
#include "duplicates/Removal.h"
#include "duplicates/Scan.h"
#include "duplicates/ShowDuplicates.h"
#include "platform/core/PlatformError.h"
#include "platform/ui/ItemWindow.h"

#include <QtTest>

using namespace kw;
using namespace kw::DupsDel;
using kw::test::at;

namespace {

// Contacts "Name" repeated as given; the first of each name is the oldest
// and so the one kept.
mailstore::FolderRecord fillContacts(test::World &w, const QStringList &names, const QString &folderName = "Kontakte",
                                   const QString &messageClass = "IPM.Contact", int itemClass = 40)
{
    w.setAll({"FolderInside=0", "MasterFolder=0"});
    for (const Criterion &c : scanType(ScanKind::Contacts).criteria)
        w.set(c.setting + (c.setting == "KontakteLastName" ? "=1" : "=0"));
    for (const Criterion &c : scanType(ScanKind::Notes).criteria)
        w.set(c.setting + (c.setting == "NotizenBody" ? "=1" : "=0"));
    const auto folder = w.addFolder(folderName, messageClass);
    int minute = 0;
    for (const QString &name : names)
        w.addItem(folder, itemClass, {{itemClass == 40 ? "LastName" : "Body", name}}, at(minute++));
    w.ticked = {folder};
    w.markedClass = messageClass;
    return folder;
}

} // namespace

class TestRemoval : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void removesTickedItems_data();
    void removesTickedItems();
    void secondRemovalReusesTheFolderAndSecondScanFindsNone();
    void failuresAreCountedAndLogged_data();
    void failuresAreCountedAndLogged();
    void notesAreMovedOnce_data();
    void notesAreMovedOnce();
    void noTickedNodeEndsQuietly();
    void unreadableFolderEndsTheRemoval();
    void buttonsDoNothingWhileRemoving();
    void closeEmptiesTheList();
    void viewOpensOnlyASelectedItem_data();
    void viewOpensOnlyASelectedItem();
    void linkModeWritesTheKeptItemsId_data();
    void linkModeWritesTheKeptItemsId();
    void linkModeReportsFailures();
    void linkFailureIsLoggedUnderTheKeptItem_data();
    void linkFailureIsLoggedUnderTheKeptItem();
    void listLimitWarnsOnceAndCountsAllPairs();
};

void TestRemoval::removesTickedItems_data()
{
    QTest::addColumn<QString>("moveSetting");
    QTest::addColumn<QString>("verb");
    QTest::newRow("move when no yes-no value is stored") << "MoveToFolder=" << "Verschiebe";
    QTest::newRow("move") << "MoveToFolder=1" << "Verschiebe";
    QTest::newRow("delete") << "MoveToFolder=0" << "Lösche";
}

void TestRemoval::removesTickedItems()
{
    QFETCH(QString, moveSetting);
    QFETCH(QString, verb);
    test::World w;
    const auto folder = fillContacts(w, {"Adam", "Adam", "Berg", "Adam", "Berg"});
    w.set(moveSetting);
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    QCOMPARE(tickedItemNumbers(w.view.list), (std::vector<int>{2, 4, 5}));
    const QString kept2 = w.state.DupEntryIDs[2];
    w.view.tick(4, false); // the user keeps one of them after all
    w.calls.clear();
    w.env.box.shown.clear();

    DeleteDuplicates(ctx);
    QCOMPARE(w.env.box.prompts(), QStringList{"2 Duplikate entfernt."});
    QCOMPARE(w.env.box.shown[0].buttons, 64);
    QCOMPARE(w.env.box.shown[0].title, QString("Fertig!"));
    QCOMPARE(w.fieldOf(folder, "LastName"), (QStringList{"Adam", "Berg", "Adam"}));
    QVERIFY(w.view.statuses.contains("Phase 3: " + verb + " Element 2 von 2"));
    QCOMPARE(w.view.statuses.last(), QString("Bereit"));
    QVERIFY(!w.view.visible);
    QCOMPARE(w.calls, (QStringList{"SetBusy(yes)", "BeginEndOperation(no)"}));
    const auto dups = w.ns()->GetFolderFromID(folder.entryId, folder.storeId)->Folders()->find(
        duplicatesFolderName());
    if (verb == "Lösche") {
        QVERIFY(!dups);
    } else {
        QVERIFY(dups);
        QCOMPARE(dups->Items()->Count(), 2);
        // Moved items have new identities; the old one no longer resolves.
        QVERIFY(dups->Items()->Item(1)->EntryID() != kept2);
    }
    QVERIFY_THROWS_EXCEPTION(PlatformError, w.ns()->GetItemFromID(kept2, folder.storeId));
}

void TestRemoval::secondRemovalReusesTheFolderAndSecondScanFindsNone()
{
    test::World w;
    const auto folder = fillContacts(w, {"Adam", "Adam"});
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    DeleteDuplicates(ctx);
    w.addItem(folder, 40, {{"LastName", "Adam"}}, at(9));
    w.env.box.shown.clear();
    RemoveDuplicates(ctx);
    DeleteDuplicates(ctx);
    const auto parent = w.ns()->GetFolderFromID(folder.entryId, folder.storeId);
    QCOMPARE(parent->Folders()->Count(), 1);
    QCOMPARE(parent->Folders()->Item(1)->Items()->Count(), 2);
    w.env.box.shown.clear();
    RemoveDuplicates(ctx);
    QCOMPARE(w.env.box.prompts(), QStringList{"Keine Duplikate gefunden."});
    QVERIFY(!w.view.visible);
}

void TestRemoval::failuresAreCountedAndLogged_data()
{
    QTest::addColumn<QString>("moveSetting");
    QTest::addColumn<QString>("sub");
    QTest::newRow("move") << "MoveToFolder=1" << "DupsMove";
    QTest::newRow("delete") << "MoveToFolder=0" << "DupsDel";
}

void TestRemoval::failuresAreCountedAndLogged()
{
    QFETCH(QString, moveSetting);
    QFETCH(QString, sub);
    test::World w;
    const auto folder = fillContacts(w, QStringList(11, "Adam"));
    w.set(moveSetting);
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    QCOMPARE(tickedItemNumbers(w.view.list).size(), size_t(10));
    // Two items vanish after the scan; the removal must not act on the one before them instead.
    w.ns()->GetItemFromID(w.state.DupEntryIDs[4], w.state.DupStoreIDs[4])->Delete();
    mailstore::faults::failFetch(w.state.DupEntryIDs[7], 1);
    w.env.box.shown.clear();
    DeleteDuplicates(ctx);
    QCOMPARE(w.env.box.prompts(),
             QStringList{"8 Duplikate entfernt.\r\n2 Elemente verursachen einen Fehler. Starten Sie einen weiteren "
                         "Durchlauf, um noch eventuell verbliebene Duplikate zu entfernen."});
    QCOMPARE(w.env.box.shown[0].buttons, 48);
    QCOMPARE(w.env.box.shown[0].title, QString("Hinweis!"));
    QCOMPARE(int(w.env.errorLog().count("Sub: " + sub)), 2);
    QVERIFY(w.env.errorLog().contains("Err. No.: " + QString::number(errors::kObjectNotFound) + ", Err. Des.:"));
    // Kept: item 1, plus the one whose fetch failed.
    QCOMPARE(w.fieldOf(folder, "LastName").size(), 2);
}

void TestRemoval::notesAreMovedOnce_data()
{
    QTest::addColumn<bool>("fetchFails");
    QTest::newRow("moved note stays in the duplicates folder") << false;
    QTest::newRow("note that cannot be fetched stays where it was") << true;
}

void TestRemoval::notesAreMovedOnce()
{
    QFETCH(bool, fetchFails);
    test::World w;
    const auto folder = fillContacts(w, {"Zettel", "Zettel"}, "Notizen", "IPM.StickyNote", 44);
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    QCOMPARE(tickedItemNumbers(w.view.list), std::vector<int>{2});
    if (fetchFails)
        mailstore::faults::failFetch(w.state.DupEntryIDs[2], 1);
    DeleteDuplicates(ctx);
    const auto parent = w.ns()->GetFolderFromID(folder.entryId, folder.storeId);
    QCOMPARE(parent->Items()->Count(), fetchFails ? 2 : 1);
    QCOMPARE(parent->Folders()->Item(1)->Items()->Count(), fetchFails ? 0 : 1);
    QCOMPARE(int(w.env.errorLog().count("Sub: DupsMove")), fetchFails ? 1 : 0);
}

void TestRemoval::noTickedNodeEndsQuietly()
{
    test::World w;
    fillContacts(w, {"Adam", "Adam"});
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    w.view.tick(2, false);
    w.env.box.shown.clear();
    DeleteDuplicates(ctx);
    QVERIFY(w.env.box.shown.isEmpty());
    QVERIFY(!w.view.visible);
    QCOMPARE(w.view.statuses.last(), QString("Bereit"));
    QCOMPARE(w.env.errorLog(), QString());
}

void TestRemoval::unreadableFolderEndsTheRemoval()
{
    test::World w;
    const auto folder = fillContacts(w, {"Adam", "Adam"});
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    // The marked folder was deleted from under the list: no folder can be added to it.
    w.state.DupMarkedFolder = std::make_shared<mailstore::Folder>(w.db, mailstore::FolderRecord{});
    w.env.box.shown.clear();
    DeleteDuplicates(ctx);
    QCOMPARE(w.env.box.shown.size(), 1);
    QCOMPARE(w.env.box.shown[0].buttons, 16);
    QCOMPARE(w.env.box.shown[0].title, QString("Fehler!"));
    QVERIFY(w.env.errorLog().contains("Sub: FolderAdd"));
    QCOMPARE(w.fieldOf(folder, "LastName").size(), 2);
    QVERIFY(!w.view.visible);
    QCOMPARE(w.calls.last(), QString("BeginEndOperation(no)"));
}

void TestRemoval::buttonsDoNothingWhileRemoving()
{
    test::World w;
    const auto folder = fillContacts(w, {"Adam", "Adam", "Adam"});
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    int reentered = 0;
    // A click on either button while the removal yields must not touch the list.
    ctx.SetBusy = [&](bool) {
        cmdDupDel_Click(ctx);
        cmdDupsClose_Click(ctx);
        reentered += w.state.DupEntryIDs.size() > 1 ? 1 : 0;
    };
    cmdDupDel_Click(ctx);
    QCOMPARE(reentered, 1);
    QCOMPARE(w.fieldOf(folder, "LastName").size(), 1);
    QCOMPARE(w.env.box.prompts().last(), QString("2 Duplikate entfernt."));
}

void TestRemoval::closeEmptiesTheList()
{
    test::World w;
    fillContacts(w, {"Adam", "Adam"});
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    QVERIFY(w.view.visible);
    cmdDupsClose_Click(ctx);
    QVERIFY(!w.view.visible);
    QVERIFY(w.view.list.nodes.isEmpty());
    QCOMPARE(w.state.DupEntryIDs.size(), size_t(1));
    QCOMPARE(w.state.DupStoreIDs.size(), size_t(1));
    QCOMPARE(w.view.statuses.last(), QString("Bereit"));
}

void TestRemoval::viewOpensOnlyASelectedItem_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("deleteFirst");
    QTest::addColumn<QString>("sub");
    QTest::newRow("nothing selected") << "" << false << "";
    QTest::newRow("selected item opens") << "K2" << false << "";
    QTest::newRow("item deleted meanwhile") << "K2" << true << "1203";
}

void TestRemoval::viewOpensOnlyASelectedItem()
{
    QFETCH(QString, key);
    QFETCH(bool, deleteFirst);
    QFETCH(QString, sub);
    ui::installItemWindow(); // as the program does at start
    test::World w;
    fillContacts(w, {"Adam", "Adam"});
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    w.env.box.shown.clear();
    if (deleteFirst)
        w.ns()->GetItemFromID(w.state.DupEntryIDs[2], w.state.DupStoreIDs[2])->Delete();
    w.view.selected = key;
    cmdDupView_Click(ctx);
    QCOMPARE(w.env.box.shown.size(), sub.isEmpty() ? 0 : 1);
    QCOMPARE(w.env.errorLog().contains("Sub: 1203"), !sub.isEmpty());
    QCOMPARE(w.view.list.nodes.size(), 2);
    for (QWidget *top : QApplication::topLevelWidgets())
        top->close();
}

void TestRemoval::linkModeWritesTheKeptItemsId_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("keepOlder");
    QTest::addColumn<QString>("message");
    QTest::newRow("no pairs") << QStringList{"Adam", "Berg"} << true << "Keine Duplikate gefunden.";
    QTest::newRow("groups of three and two, first member stays")
        << QStringList{"Adam", "Berg", "Adam", "Adam", "Berg"} << true << "Outook ID erfolgreich eingetragen.";
    QTest::newRow("groups of three and two, last member stays")
        << QStringList{"Adam", "Berg", "Adam", "Adam", "Berg"} << false << "Outook ID erfolgreich eingetragen.";
}

void TestRemoval::linkModeWritesTheKeptItemsId()
{
    QFETCH(QStringList, names);
    QFETCH(bool, keepOlder);
    QFETCH(QString, message);
    test::World w;
    const auto folder = fillContacts(w, names);
    w.set(keepOlder ? "OldDel=1" : "OldDel=0");
    w.setAll({"DupEntryIDSave=1", "FieldNameEntryID=Dublette von"});
    // A property of that name from an earlier run is reused, not doubled.
    if (names.size() >= 3) {
        auto third = w.ns()->GetFolderFromID(folder.entryId, folder.storeId)->Items()->Item(3);
        third->UserProperties()->Add("Dublette von", 1)->setValue("alt");
        third->Save();
    }
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    QCOMPARE(w.env.box.prompts(), QStringList{message});
    QVERIFY(!w.view.visible);
    const auto items = w.ns()->GetFolderFromID(folder.entryId, folder.storeId)->Items();
    for (int j = 1; j <= items->Count(); ++j) {
        const auto item = items->Item(j);
        const auto prop = item->UserProperties()->Find("Dublette von");
        // The oldest or the youngest of the same name stays.
        const int keptIndex = (keepOlder ? names.indexOf(names[j - 1]) : names.lastIndexOf(names[j - 1])) + 1;
        const bool removed = keptIndex != j;
        if (!removed) {
            QVERIFY(!prop || j == 3);
            continue;
        }
        QVERIFY(prop);
        QCOMPARE(prop->Value(), items->Item(keptIndex)->EntryID());
        int count = 0;
        for (int p = 1; p <= item->UserProperties()->Count(); ++p)
            count += item->UserProperties()->Item(p)->Name() == "Dublette von";
        QCOMPARE(count, 1);
    }
}

void TestRemoval::linkModeReportsFailures()
{
    test::World w;
    fillContacts(w, {"Adam", "Adam", "Adam"});
    w.set("DupEntryIDSave=1");
    auto ctx = w.context();
    auto activated = ctx.GetActivatedFolders;
    ctx.GetActivatedFolders = [&](const QString &mode) {
        const WorkingSet set = activated(mode);
        mailstore::faults::failSave({}, 1); // the first write fails
        return set;
    };
    RemoveDuplicates(ctx);
    QCOMPARE(w.env.box.shown.size(), 1);
    QVERIFY(w.env.box.shown[0].prompt.startsWith("1 Elemente verursachen einen Fehler"));
    QCOMPARE(w.env.box.shown[0].buttons, 48);
    const QString log = w.env.errorLog();
    QCOMPARE(int(log.count("Sub: Save Outlook ID")), 1);
    QVERIFY(log.contains("Error No.: "));
    QVERIFY(log.contains(", Outlook ID: " + w.state.DupEntryIDs[1])); // the kept item's, as the link holds
}

void TestRemoval::linkFailureIsLoggedUnderTheKeptItem_data()
{
    QTest::addColumn<bool>("keepOlder");
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("failing");
    QTest::newRow("oldest kept, second fails") << true << 1 << 2;
    QTest::newRow("youngest kept, first fails") << false << 3 << 1;
}

void TestRemoval::linkFailureIsLoggedUnderTheKeptItem()
{
    QFETCH(bool, keepOlder);
    QFETCH(int, kept);
    QFETCH(int, failing);
    test::World w;
    const auto folder = fillContacts(w, {"Adam", "Adam", "Adam"});
    w.setAll({"DupEntryIDSave=1", keepOlder ? "OldDel=1" : "OldDel=0"});
    const auto items = w.ns()->GetFolderFromID(folder.entryId, folder.storeId)->Items();
    const QString keptId = items->Item(kept)->EntryID();
    const QString failingId = items->Item(failing)->EntryID();
    mailstore::faults::failSave(failingId, 1);
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    mailstore::faults::reset();
    const QString log = w.env.errorLog();
    QCOMPARE(int(log.count("Error No.: ")), 1);
    QVERIFY2(log.contains(", Outlook ID: " + keptId + "\r\n"), qPrintable(log));
    QVERIFY(!log.contains(failingId));
}

void TestRemoval::listLimitWarnsOnceAndCountsAllPairs()
{
    test::World w;
    const int pairs = 20000;
    PairList list;
    list.parents.assign(size_t(2 * pairs) + 1, 0);
    list.children.assign(size_t(2 * pairs) + 1, 0);
    for (int k = 1; k <= pairs; ++k) {
        list.parents[size_t(k)] = 2 * k - 1;
        list.children[size_t(k)] = 2 * k;
    }
    list.count = pairs;
    const std::vector<QString> displays(size_t(2 * pairs) + 1, QStringLiteral("x"));
    const std::vector<char> remove(size_t(2 * pairs) + 1, 0);
    auto ctx = w.context();
    ShowDuplicates(ctx, list, displays, remove, pairs, "Task");
    QCOMPARE(w.env.box.prompts(),
             QStringList{"Es werden nur die ersten 32.767 Elemente angezeigt. Starten Sie nach der Bereinigung "
                         "dieser Elemente einen weiteren Durchlauf um alle Duplikate zu entfernen."});
    QCOMPARE(w.env.box.shown[0].buttons, 48);
    QCOMPARE(w.view.statuses.last(), QString("20000 Duplikate gefunden..."));
    QCOMPARE(w.view.list.nodes.size(), 32768);
    QVERIFY(w.view.visible);
}

QTEST_MAIN(TestRemoval)
#include "tst_removal.moc"
