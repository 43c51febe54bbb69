#include "DupsTestWorld.h"
#include "duplicates/Scan.h"

#include <QtTest>

using namespace kw;
using namespace kw::DupsDel;
using kw::test::at;

Q_DECLARE_METATYPE(kw::DupsDel::ScanKind)

namespace {

QString messageClassOf(ScanKind kind)
{
    return scanType(kind).startClasses.first();
}

// Switches every criterion of the scan off, then the given ones on.
void onlyCriteria(test::World &w, ScanKind kind, const QStringList &on)
{
    for (const Criterion &c : scanType(kind).criteria)
        w.set(c.setting + (on.contains(c.setting) ? "=1" : "=0"));
}

} // namespace

class TestScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void criteriaDecideEquality_data();
    void criteriaDecideEquality();
    void threeEqualContactsFormOneGroup();
    void listEntriesNameTheItem_data();
    void listEntriesNameTheItem();
    void folderInsideKeepsFoldersApart_data();
    void folderInsideKeepsFoldersApart();
    void itemsOfOtherClassesAreSkipped_data();
    void itemsOfOtherClassesAreSkipped();
    void failingItemsAreRetried_data();
    void failingItemsAreRetried();
    void changedFolderSizes_data();
    void changedFolderSizes();
    void statusLineCountsBothPhases();
    void badSettingsEndTheScan_data();
    void badSettingsEndTheScan();
    void dispatchByMarkedFolderClass_data();
    void dispatchByMarkedFolderClass();
    void listButtonsWaitForAFilledList();
};

void TestScan::criteriaDecideEquality_data()
{
    QTest::addColumn<ScanKind>("kind");
    QTest::addColumn<QStringList>("on");
    QTest::addColumn<int>("classA");
    QTest::addColumn<QVariantMap>("a");
    QTest::addColumn<int>("classB");
    QTest::addColumn<QVariantMap>("b");
    QTest::addColumn<bool>("equal");

    const auto C = ScanKind::Contacts;
    QTest::newRow("contact last names differ in case and blanks")
        << C << QStringList{"KontakteLastName"} << 40 << QVariantMap{{"LastName", "Müller"}} << 40
        << QVariantMap{{"LastName", "  müller "}} << true;
    QTest::newRow("contact phone numbers differ by an inner blank")
        << C << QStringList{"KontakteHomeTelephoneNumber"} << 40 << QVariantMap{{"HomeTelephoneNumber", "0711 123"}}
        << 40 << QVariantMap{{"HomeTelephoneNumber", "0711123"}} << false;
    QTest::newRow("contact phone numbers differ in a trailing blank")
        << C << QStringList{"KontakteHomeTelephoneNumber"} << 40 << QVariantMap{{"HomeTelephoneNumber", "0711"}}
        << 40 << QVariantMap{{"HomeTelephoneNumber", "0711 "}} << false;
    QTest::newRow("contacts with every switched-on criterion empty")
        << C << QStringList{"KontakteLastName", "KontakteFirstName", "KontakteCompanyName"} << 40
        << QVariantMap{{"Body", "a"}} << 40 << QVariantMap{{"Body", "b"}} << true;
    QTest::newRow("contact differs in a switched-off field only")
        << C << QStringList{"KontakteLastName"} << 40 << QVariantMap{{"LastName", "Kühn"}, {"FirstName", "A"}} << 40
        << QVariantMap{{"LastName", "Kühn"}, {"FirstName", "B"}} << true;
    QTest::newRow("user field on one contact only")
        << C << QStringList{"KontakteFieldName"} << 40 << QVariantMap{{"user:Kundennr", "42"}} << 40
        << QVariantMap{} << false;
    QTest::newRow("user field equal on both")
        << C << QStringList{"KontakteFieldName"} << 40 << QVariantMap{{"user:Kundennr", "42"}} << 40
        << QVariantMap{{"user:kundennr", "42"}} << true;
    QTest::newRow("mail subjects differ in case")
        << ScanKind::Emails << QStringList{"EmailSubject"} << 43 << QVariantMap{{"Subject", "Angebot"}} << 43
        << QVariantMap{{"Subject", "ANGEBOT"}} << true;
    QTest::newRow("mail bodies differ in case")
        << ScanKind::Emails << QStringList{"EmailBody"} << 43 << QVariantMap{{"Body", "Hallo"}} << 43
        << QVariantMap{{"Body", "hallo"}} << false;
    QTest::newRow("post and mail without recipients pair by To")
        << ScanKind::Emails << QStringList{"EmailTo"} << 45 << QVariantMap{} << 43 << QVariantMap{} << true;
    QTest::newRow("post never pairs with a mail that has recipients")
        << ScanKind::Emails << QStringList{"EmailTo"} << 45 << QVariantMap{} << 43
        << QVariantMap{{"To", "a@example.org"}} << false;
    QTest::newRow("journal subjects differ in case")
        << ScanKind::Journal << QStringList{"JournalSubject"} << 42 << QVariantMap{{"Subject", "Anruf"}} << 42
        << QVariantMap{{"Subject", "anruf"}} << false;
    QTest::newRow("appointments at the same time on another day")
        << ScanKind::Appointments << QStringList{"TermineStart"} << 26
        << QVariantMap{{"Start", "01.05.2025 10:00:00"}} << 26 << QVariantMap{{"Start", "02.05.2025 10:00:00"}}
        << false;
    QTest::newRow("appointments at the same start")
        << ScanKind::Appointments << QStringList{"TermineStart"} << 26
        << QVariantMap{{"Start", "01.05.2025 10:00:00"}} << 26 << QVariantMap{{"Start", "01.05.2025 10:00:00"}}
        << true;
    QTest::newRow("task subjects differ in blanks and case")
        << ScanKind::Tasks << QStringList{"AufgabenSubject"} << 48 << QVariantMap{{"Subject", "Bericht "}} << 48
        << QVariantMap{{"Subject", "bericht"}} << true;
    QTest::newRow("notes of another colour")
        << ScanKind::Notes << QStringList{"NotizenColor", "NotizenBody"} << 44
        << QVariantMap{{"Color", 1}, {"Body", "x"}} << 44 << QVariantMap{{"Color", 2}, {"Body", "x"}} << false;
    QTest::newRow("note bodies differ in case")
        << ScanKind::Notes << QStringList{"NotizenBody"} << 44 << QVariantMap{{"Body", "Einkauf"}} << 44
        << QVariantMap{{"Body", "einkauf"}} << true;
}

void TestScan::criteriaDecideEquality()
{
    QFETCH(ScanKind, kind);
    QFETCH(QStringList, on);
    QFETCH(int, classA);
    QFETCH(QVariantMap, a);
    QFETCH(int, classB);
    QFETCH(QVariantMap, b);
    QFETCH(bool, equal);
    test::World w;
    onlyCriteria(w, kind, on);
    w.set("KontakteFieldNameStr=Kundennr");
    const auto folder = w.addFolder("Ordner", messageClassOf(kind));
    w.addItem(folder, classA, a, at(1));
    w.addItem(folder, classB, b, at(2));
    w.ticked = {folder};
    auto ctx = w.context();
    runScan(ctx, scanType(kind));
    QCOMPARE(w.view.list.nodes.size(), equal ? 2 : 0);
    QVERIFY(w.env.box.shown.size() == (equal ? 0 : 1)); // "Keine Duplikate gefunden."
    QCOMPARE(w.env.errorLog(), QString());
}

void TestScan::threeEqualContactsFormOneGroup()
{
    test::World w;
    onlyCriteria(w, ScanKind::Contacts, {"KontakteLastName"});
    const auto folder = w.addFolder("Kontakte", "IPM.Contact");
    const QString id1 = w.addItem(folder, 40, {{"LastName", "Bauer"}, {"FileAs", "Bauer, Eins"}}, at(2));
    const QString id2 = w.addItem(folder, 40, {{"LastName", "Bauer"}, {"FileAs", "Bauer, Zwei"}}, at(1));
    w.addItem(folder, 40, {{"LastName", "Anders"}}, at(0));
    const QString id4 = w.addItem(folder, 40, {{"LastName", "bauer"}, {"FileAs", "Bauer, Drei"}}, at(3));
    w.ticked = {folder};
    auto ctx = w.context();
    RemoveDuplicateContacts(ctx);

    QCOMPARE(w.view.nodeKeys(), (QStringList{"K1", "K2", "K4"}));
    QCOMPARE(tickedItemNumbers(w.view.list), (std::vector<int>{1, 4}));
    QCOMPARE(w.view.list.nodes[1].parentKey, QString("K1"));
    QCOMPARE(w.view.list.nodes[2].parentKey, QString("K1"));
    QVERIFY(w.view.list.nodes[0].text.startsWith("Bauer, Eins (Kontakte, 01.05.2025 10:02:00)"));
    QCOMPARE(w.view.list.nodes[0].image, QString("Contact"));
    QCOMPARE(w.state.DupEntryIDs[1], id1);
    QCOMPARE(w.state.DupEntryIDs[2], id2);
    QCOMPARE(w.state.DupEntryIDs[4], id4);
    QVERIFY(w.view.visible);
    QCOMPARE(w.view.statuses.last(), QString("2 Duplikate gefunden..."));
    QCOMPARE(w.calls.last(), QString("CleanUpMAPI"));
}

void TestScan::listEntriesNameTheItem_data()
{
    QTest::addColumn<ScanKind>("kind");
    QTest::addColumn<int>("itemClass");
    QTest::addColumn<QVariantMap>("fields");
    QTest::addColumn<QString>("text");
    const QVariantMap text{{"Subject", "Betreff"}, {"Body", "Inhalt"}};
    QVariantMap appointment = text;
    appointment.insert("Start", QDateTime(QDate(2025, 6, 2), QTime(9, 30)));
    QTest::newRow("task: subject") << ScanKind::Tasks << 48 << text << "Betreff (Ordner, 01.05.2025 10:01:00)";
    QTest::newRow("mail: subject") << ScanKind::Emails << 43 << text << "Betreff (Ordner, 01.05.2025 10:01:00)";
    QTest::newRow("post in a mail folder: subject")
        << ScanKind::Emails << 45 << text << "Betreff (Ordner, 01.05.2025 10:01:00)";
    QTest::newRow("contact: file-as") << ScanKind::Contacts << 40
                                      << QVariantMap{{"FileAs", "Roth, Ida"}, {"LastName", "Roth"}}
                                      << "Roth, Ida (Ordner, 01.05.2025 10:01:00)";
    QTest::newRow("appointment: subject and start")
        << ScanKind::Appointments << 26 << appointment
        << "Betreff, 02.06.2025 09:30:00 (Ordner, 01.05.2025 10:01:00)";
    QTest::newRow("journal: body") << ScanKind::Journal << 42 << text << "Inhalt (Ordner, 01.05.2025 10:01:00)";
    QTest::newRow("note: body") << ScanKind::Notes << 44 << QVariantMap{{"Body", "Inhalt"}}
                                << "Inhalt (Ordner, 01.05.2025 10:01:00)";
}

void TestScan::listEntriesNameTheItem()
{
    QFETCH(ScanKind, kind);
    QFETCH(int, itemClass);
    QFETCH(QVariantMap, fields);
    QFETCH(QString, text);
    test::World w;
    onlyCriteria(w, kind, {}); // any two items are equal
    const auto folder = w.addFolder("Ordner", messageClassOf(kind));
    w.addItem(folder, itemClass, fields, at(1));
    w.addItem(folder, itemClass, fields, at(2));
    w.ticked = {folder};
    auto ctx = w.context();
    runScan(ctx, scanType(kind));
    QCOMPARE(w.env.errorLog(), QString());
    QCOMPARE(w.view.list.nodes.size(), 2);
    QCOMPARE(w.view.list.nodes[0].text, text);
}

void TestScan::folderInsideKeepsFoldersApart_data()
{
    QTest::addColumn<bool>("folderInside");
    QTest::addColumn<int>("marked");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<std::vector<int>>("ticked");
    QTest::newRow("folder inside: no pair across folders") << true << 2 << QStringList{} << std::vector<int>{};
    QTest::newRow("across folders, the marked folder's item stays though younger")
        << false << 2 << QStringList{"K1", "K2"} << std::vector<int>{1};
    QTest::newRow("across folders, marked first folder keeps its item")
        << false << 1 << QStringList{"K1", "K2"} << std::vector<int>{2};
}

void TestScan::folderInsideKeepsFoldersApart()
{
    QFETCH(bool, folderInside);
    QFETCH(int, marked);
    QFETCH(QStringList, keys);
    QFETCH(std::vector<int>, ticked);
    test::World w;
    onlyCriteria(w, ScanKind::Tasks, {"AufgabenSubject"});
    w.set(folderInside ? "FolderInside=1" : "FolderInside=0");
    const auto f1 = w.addFolder("Aufgaben", "IPM.Task");
    const auto f2 = w.addFolder("Projekt", "IPM.Task");
    w.addItem(f1, 48, {{"Subject", "Steuer"}}, at(1));
    w.addItem(f2, 48, {{"Subject", "Steuer"}}, at(5));
    w.ticked = {f1, f2};
    w.markedIndex = marked;
    auto ctx = w.context();
    RemoveDuplicateTasks(ctx);
    QCOMPARE(w.view.nodeKeys(), keys);
    QCOMPARE(tickedItemNumbers(w.view.list), ticked);
}

void TestScan::itemsOfOtherClassesAreSkipped_data()
{
    QTest::addColumn<ScanKind>("kind");
    QTest::addColumn<int>("strayClass");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("log");
    QTest::newRow("distribution list among contacts is logged")
        << ScanKind::Contacts << 69 << "Verteiler" << "Übersprungenes Element: Verteiler (69) \r\n";
    QTest::newRow("a subject holding placeholders is logged as it stands")
        << ScanKind::Contacts << 69 << "Rabatt %1 bis %2"
        << "Übersprungenes Element: Rabatt %1 bis %2 (69) \r\n";
    QTest::newRow("contact in a task folder is skipped silently") << ScanKind::Tasks << 40 << "Verteiler" << "";
    QTest::newRow("note among mails is skipped silently") << ScanKind::Emails << 44 << "Verteiler" << "";
}

void TestScan::itemsOfOtherClassesAreSkipped()
{
    QFETCH(ScanKind, kind);
    QFETCH(int, strayClass);
    QFETCH(QString, subject);
    QFETCH(QString, log);
    test::World w;
    onlyCriteria(w, kind, {}); // every item of the scan's class is equal
    const auto folder = w.addFolder("Ordner", messageClassOf(kind));
    const int own = scanType(kind).itemClasses.first();
    w.addItem(folder, own, {}, at(1));
    w.addItem(folder, strayClass, {{"Subject", subject}}, at(0));
    w.addItem(folder, own, {}, at(2));
    w.ticked = {folder};
    auto ctx = w.context();
    runScan(ctx, scanType(kind));
    QCOMPARE(w.view.nodeKeys(), (QStringList{"K1", "K3"}));
    if (log.isEmpty()) {
        QCOMPARE(w.env.errorLog(), QString());
    } else {
        QVERIFY(w.env.errorLog().contains("Sub: Remove Duplicates (" + w.view.list.nodes[0].image + ")"));
        QVERIFY2(w.env.errorLog().contains(log), qPrintable(w.env.errorLog()));
    }
}

void TestScan::failingItemsAreRetried_data()
{
    QTest::addColumn<int>("failures");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("logEntries");
    QTest::newRow("five failures, then read") << 5 << QStringList{"K1", "K2", "K3"} << 0;
    QTest::newRow("six failures: logged once and skipped") << 6 << QStringList{"K1", "K3"} << 1;
}

void TestScan::failingItemsAreRetried()
{
    QFETCH(int, failures);
    QFETCH(QStringList, keys);
    QFETCH(int, logEntries);
    test::World w;
    onlyCriteria(w, ScanKind::Contacts, {"KontakteLastName"});
    const auto folder = w.addFolder("Kontakte", "IPM.Contact");
    for (int i = 0; i < 3; ++i)
        w.addItem(folder, 40, {{"LastName", "Roth"}}, at(i));
    mailstore::faults::failItemRead("Kontakte", 2, failures);
    mailstore::faults::failItemRead("Kontakte", 3, 5); // the next item has its own six attempts
    w.ticked = {folder};
    auto ctx = w.context();
    RemoveDuplicateContacts(ctx);
    QCOMPARE(w.view.nodeKeys(), keys);
    const QString log = w.env.errorLog();
    QCOMPARE(int(log.count("Sub: Remove Duplicates (Contact)")), logEntries);
    QCOMPARE(int(log.count("Err No.: ")), logEntries);
}

void TestScan::changedFolderSizes_data()
{
    QTest::addColumn<int>("countDelta");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("log");
    QTest::newRow("folder shrank: unread numbers take no part") << 2 << QStringList{} << "";
    QTest::newRow("folder grew: the extra item is logged, not stored")
        << -1 << QStringList{} << "Err No.: 9, Err Des: Index außerhalb des gültigen Bereichs, Element: Drei\r\n";
}

void TestScan::changedFolderSizes()
{
    QFETCH(int, countDelta);
    QFETCH(QStringList, keys);
    QFETCH(QString, log);
    test::World w;
    onlyCriteria(w, ScanKind::Tasks, {"AufgabenSubject"});
    const auto folder = w.addFolder("Aufgaben", "IPM.Task");
    w.addItem(folder, 48, {{"Subject", "Eins"}}, at(0));
    w.addItem(folder, 48, {{"Subject", "Zwei"}}, at(1));
    w.addItem(folder, 48, {{"Subject", "Drei"}}, at(2));
    w.ticked = {folder};
    w.countDelta = countDelta;
    auto ctx = w.context();
    RemoveDuplicateTasks(ctx);
    QCOMPARE(w.view.nodeKeys(), keys);
    if (log.isEmpty())
        QCOMPARE(w.env.errorLog(), QString());
    else
        QVERIFY2(w.env.errorLog().contains(log), qPrintable(w.env.errorLog()));
    QCOMPARE(int(w.state.DupEntryIDs.size()), 3 + countDelta + 1);
}

void TestScan::statusLineCountsBothPhases()
{
    test::World w;
    const auto folder = w.addFolder("Notizen", "IPM.StickyNote");
    for (int i = 0; i < 3; ++i)
        w.addItem(folder, 44, {{"Body", QString::number(i)}}, at(i));
    w.ticked = {folder};
    auto ctx = w.context();
    RemoveDuplicateNotes(ctx);
    QVERIFY(w.view.statuses.contains("Phase 1: Element 3 von 3 einlesen"));
    QVERIFY(w.view.statuses.contains("Phase 2: Analysiere Element 3"));
    QCOMPARE(w.view.maximum, 3);
    QVERIFY(!w.calls.contains("CleanUpMAPI")); // the note scan makes no clean-up call
}

void TestScan::badSettingsEndTheScan_data()
{
    QTest::addColumn<ScanKind>("kind");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("sub");
    QTest::newRow("strict switch holding a word") << ScanKind::Contacts << "KontakteLastName=ja" << "905";
    QTest::newRow("priority outside the rules") << ScanKind::Contacts << "Priority.2=7" << "905";
    QTest::newRow("task series switch holding a word") << ScanKind::Tasks << "TerminSerie=x" << "903";
    QTest::newRow("lenient switch holding a word reads as on") << ScanKind::Journal << "JournalSubject=ja" << "";
}

void TestScan::badSettingsEndTheScan()
{
    QFETCH(ScanKind, kind);
    QFETCH(QString, setting);
    QFETCH(QString, sub);
    test::World w;
    const auto folder = w.addFolder("Ordner", messageClassOf(kind));
    const int own = scanType(kind).itemClasses.first();
    w.addItem(folder, own, {{"Subject", "gleich"}}, at(0));
    w.addItem(folder, own, {{"Subject", "gleich"}}, at(1));
    w.ticked = {folder};
    w.set(setting);
    auto ctx = w.context();
    runScan(ctx, scanType(kind));
    if (sub.isEmpty()) {
        QCOMPARE(w.view.nodeKeys().size(), 2);
        return;
    }
    QVERIFY(w.env.errorLog().contains("Sub: " + sub));
    QCOMPARE(w.env.box.shown.size(), 1);
    QVERIFY(w.view.list.nodes.isEmpty());
    QVERIFY(!w.view.visible);
    QCOMPARE(w.calls.last(), QString("CleanUpMAPI"));
}

void TestScan::dispatchByMarkedFolderClass_data()
{
    QTest::addColumn<QString>("markedClass");
    QTest::addColumn<QString>("mode");
    QTest::newRow("custom contact form") << "IPM.Contact.Kunde" << "";
    QTest::newRow("nothing marked") << "" << "";
    QTest::newRow("lower-case class") << "ipm.contact" << "";
    QTest::newRow("post folder scans mails") << "IPM.Post" << "IPM.Note";
    QTest::newRow("journal") << "IPM.Activity" << "IPM.Activity";
    QTest::newRow("notes") << "IPM.StickyNote" << "IPM.StickyNote";
    QTest::newRow("appointments") << "IPM.Appointment" << "IPM.Appointment";
}

void TestScan::dispatchByMarkedFolderClass()
{
    QFETCH(QString, markedClass);
    QFETCH(QString, mode);
    test::World w;
    w.markedClass = markedClass;
    w.setOk = false; // the working set has shown its reason
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    if (mode.isEmpty()) {
        QCOMPARE(w.calls, (QStringList{"BeginEndOperation(yes)", "BeginEndOperation(no)"}));
        QCOMPARE(w.env.box.prompts(), QStringList{"Kein gültiger Ordner gewählt."});
        QCOMPARE(w.env.box.shown[0].buttons, 16);
        QCOMPARE(w.env.box.shown[0].title, QString("Hinweis!"));
    } else {
        // A set that cannot be formed ends the scan silently, without clean-up.
        QCOMPARE(w.calls, (QStringList{"BeginEndOperation(yes)", "GetActivatedFolders(" + mode + ")",
                                       "BeginEndOperation(no)"}));
        QVERIFY(w.env.box.shown.isEmpty());
    }
}

void TestScan::listButtonsWaitForAFilledList()
{
    for (bool withPairs : {false, true}) {
        test::World w;
        onlyCriteria(w, ScanKind::Contacts, {"KontakteLastName"});
        const auto folder = w.addFolder("Kontakte", "IPM.Contact");
        w.addItem(folder, 40, {{"LastName", "A"}}, at(0));
        w.addItem(folder, 40, {{"LastName", withPairs ? "A" : "B"}}, at(1));
        w.ticked = {folder};
        w.markedClass = "IPM.Contact";
        bool enabledDuringScan = true;
        w.view.statuses.clear();
        auto ctx = w.context();
        auto activated = ctx.GetActivatedFolders;
        ctx.GetActivatedFolders = [&](const QString &mode) {
            enabledDuringScan = w.view.buttonsEnabled;
            return activated(mode);
        };
        RemoveDuplicates(ctx);
        QVERIFY(!enabledDuringScan);
        QCOMPARE(w.view.buttonsEnabled, withPairs);
        QCOMPARE(w.view.visible, withPairs);
    }
}

QTEST_MAIN(TestScan)
#include "tst_scan.moc"
