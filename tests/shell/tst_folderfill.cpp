#include "FolderFixture.h"

#include "platform/mailstore/Application.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/NameSpace.h"
#include "shell/FolderFunctions.h"
#include "shell/FolderStructureFunctions.h"
#include "shell/SharedFolder.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTimer>
#include <utility>
#include <QtTest>

using namespace kw;

namespace {

const QStringList kTwoStores = {
    "K1 Persönliche Ordner [Post]",
    "  K2 Posteingang [IPF.Note]",
    "    K3 Aushang [IPF.Note]",
    "    K4 Projekte [IPF.Note]",
    "  K5 Kalender [IPF.Appointment]",
    "  K6 Kontakte [IPF.Contact]",
    "    K7 Kunden [IPF.Contact]",
    "  K8 Aufgaben [IPF.Task]",
    "  K9 Notizen [IPF.StickyNote]",
    "  K10 Journal [IPF.Journal]",
    "K11 Archiv [Post]",
    "  K12 2025 [IPF.Note]",
    "  K13 Alte Kontakte [IPF.Contact]",
    "  K14 Leer [IPF.Contact]",
};

// A fill over a fixture profile with a clock the test moves.
struct Fill
{
    test::TestEnv env;
    QTreeWidget tree;
    QDateTime now = test::TestEnv::fixedNow();
    FolderStructure structure{env.settings, env.messages, env.mailProfile, [this] { return now; }};
    int yields = 0;
    std::function<void(int)> atYield;

    explicit Fill(const QString &fixture)
    {
        test::createProfile(env, fixture);
        structure.setTree(&tree);
        structure.setYield([this] {
            ++yields;
            if (atYield)
                atYield(yields);
        });
    }
    QStringList lines() const { return test::treeLines(tree); }
};

// Answers from a queue like the scripted box, but lets the timer tick once
// more while its question is open.
class TickingBox : public ui::ScriptedMessageBox
{
public:
    std::function<void()> tick;
    int show(const ui::MessageRequest &request) override
    {
        if (tick)
            std::exchange(tick, {})(); // once: the tick that comes while the box is open
        return ScriptedMessageBox::show(request);
    }
};

QJsonObject broadProfile(int folders, int subfolders)
{
    QJsonArray level;
    for (int i = 1; i <= folders; ++i) {
        QJsonArray below;
        for (int j = 1; j <= subfolders; ++j)
            below.append(QJsonObject{{"name", QString("Unterordner %1.%2").arg(i).arg(j)}, {"containerClass", "IPF.Note"}});
        level.append(QJsonObject{{"name", QString("Ordner %1").arg(i)}, {"containerClass", "IPF.Note"}, {"folders", below}});
    }
    QJsonArray stores{QJsonObject{{"name", "Groß"}, {"folders", level}},
                      QJsonObject{{"name", "Danach"}, {"folders", QJsonArray{QJsonObject{{"name", "Spät"}}}}}};
    return QJsonObject{{"stores", stores}};
}

// One chain of folders, each inside the one before, `depth` levels below the
// first store, and a second store after it. Built through the store itself:
// a fixture file cannot nest that deep.
void createDeepProfile(const test::TestEnv &env, int depth)
{
    QJsonArray stores{QJsonObject{{"name", "Tief"}, {"folders", QJsonArray{QJsonObject{{"name", "Ebene 1"}}}}},
                      QJsonObject{{"name", "Danach"}, {"folders", QJsonArray{QJsonObject{{"name", "Spät"}}}}}};
    mailstore::fixture::createProfile(env.profileFile(), QJsonObject{{"stores", stores}});
    const mailstore::NameSpacePtr ns = mailstore::Application::open(env.profileFile())->GetNamespace("MAPI");
    mailstore::FolderPtr folder = ns->Folders()->Item(1)->Folders()->Item(1);
    for (int i = 2; i <= depth; ++i)
        folder = folder->Folders()->Add(QString("Ebene %1").arg(i));
}

} // namespace

class TestFolderFill : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { mailstore::faults::reset(); }
    void readsStoresInOrder();
    void idsFetchTheNodesFolder();
    void skippedStoreUsesUpItsNumber_data();
    void skippedStoreUsesUpItsNumber();
    void refillReplacesTree();
    void addedFolderJoinsTheTree_data();
    void addedFolderJoinsTheTree();
    void fillInsideFillIsRefused();
    void stopsAtNodeLimit_data();
    void stopsAtNodeLimit();
    void unreadableProfileIsTold();
    void delayInspect_data();
    void delayInspect();
    void yesSkipsRestOfStoreAndNextStart();
    void refusalLastsForTheRun();
    void noSecondQuestionWhileOneIsOpen();
    void timerOffersToSkipSlowStore();
};

void TestFolderFill::readsStoresInOrder()
{
    Fill f("folders/two-stores.json");
    QVERIFY(f.structure.tvwFolderFill());
    QCOMPARE(f.lines(), kTwoStores);
    QCOMPARE(f.structure.ids().FolderNodeCount, 14);
    QVERIFY(f.env.errorLog().isEmpty());
}

void TestFolderFill::idsFetchTheNodesFolder()
{
    Fill f("folders/two-stores.json");
    f.structure.tvwFolderFill();
    SharedFolder shared;
    FolderFunctions folders(f.structure, shared, f.env.messages, f.env.mailProfile);
    const FolderIds &ids = f.structure.ids();
    QCOMPARE(ids.FolderEntryIDs.size(), 32768);
    QVERIFY(ids.FolderEntryIDs.at(0).isEmpty());
    for (QTreeWidgetItem *node : foldertree::nodesInOrder(&f.tree)) {
        const QString key = foldertree::nodeKey(node);
        const int n = foldertree::numberFromKey(key);
        QVERIFY(!ids.FolderEntryIDs.at(n).isEmpty());
        QCOMPARE(ids.FolderEntryIDs.at(n), ids.FolderEntryIDs.at(n).toUpper());
        QCOMPARE(folders.GetFolderFromNodeKey(key)->Name(), node->text(0));
    }
    QCOMPARE(ids.FolderStoreIDs.at(2), ids.FolderStoreIDs.at(1));
    QVERIFY(ids.FolderStoreIDs.at(12) != ids.FolderStoreIDs.at(2));
}

void TestFolderFill::skippedStoreUsesUpItsNumber_data()
{
    QTest::addColumn<QString>("skip");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("second store") << "Archiv" << kTwoStores.mid(0, 10);
    QStringList firstSkipped = {"K2 Archiv [Post]", "  K3 2025 [IPF.Note]", "  K4 Alte Kontakte [IPF.Contact]",
                                "  K5 Leer [IPF.Contact]"};
    QTest::newRow("first store") << "Persönliche Ordner" << firstSkipped;
    QTest::newRow("name compared exactly") << "archiv" << kTwoStores;
    QTest::newRow("folder names are no store") << "Kontakte" << kTwoStores;
}

void TestFolderFill::skippedStoreUsesUpItsNumber()
{
    QFETCH(QString, skip);
    QFETCH(QStringList, lines);
    Fill f("folders/two-stores.json");
    f.env.settings.SaveSetting("FolderStructureSkip", skip);
    f.structure.tvwFolderFill();
    QCOMPARE(f.lines(), lines);
}

void TestFolderFill::refillReplacesTree()
{
    Fill f("folders/two-stores.json");
    f.structure.tvwFolderFill();
    foldertree::setTicked(test::nodeAt(f.tree, "Archiv/2025"), true);
    foldertree::selectNode(&f.tree, test::nodeAt(f.tree, "Archiv/2025"));
    f.structure.tvwFolderFill();
    QCOMPARE(f.lines(), kTwoStores);
    QVERIFY(!foldertree::isTicked(test::nodeAt(f.tree, "Archiv/2025")));
    QCOMPARE(foldertree::selectedNode(&f.tree), nullptr);
}

void TestFolderFill::addedFolderJoinsTheTree_data()
{
    QTest::addColumn<QString>("skip");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("under the store root, last") << "" << (QStringList(kTwoStores) << "  K15 Duplikate [IPF.Note]");
    QTest::newRow("under a skipped store: no node") << "Archiv" << kTwoStores.mid(0, 10);
}

void TestFolderFill::addedFolderJoinsTheTree()
{
    QFETCH(QString, skip);
    QFETCH(QStringList, lines);
    Fill f("folders/two-stores.json");
    f.env.settings.SaveSetting("FolderStructureSkip", skip);
    f.structure.tvwFolderFill();
    foldertree::setTicked(test::nodeAt(f.tree, "Persönliche Ordner/Kontakte"), true);
    const mailstore::FolderPtr archive = f.env.mailProfile.mapiNamespace()->Folders()->Item("Archiv");
    const QString added = archive->Folders()->Add("Duplikate")->EntryID();

    QCOMPARE(f.structure.addFolder(archive, added), skip.isEmpty());
    QCOMPARE(f.lines(), lines);
    QVERIFY(foldertree::isTicked(test::nodeAt(f.tree, "Persönliche Ordner/Kontakte")));
    QCOMPARE(f.structure.ids().FolderEntryIDs.at(15), skip.isEmpty() ? added : QString());
}

void TestFolderFill::fillInsideFillIsRefused()
{
    Fill f("folders/two-stores.json");
    bool inner = true;
    f.atYield = [&](int n) {
        if (n == 3)
            inner = f.structure.tvwFolderFill();
    };
    QVERIFY(f.structure.tvwFolderFill());
    QVERIFY(!inner);
    QCOMPARE(f.lines(), kTwoStores);
    QVERIFY(!f.structure.filling());
}

void TestFolderFill::stopsAtNodeLimit_data()
{
    QTest::addColumn<bool>("deep");
    QTest::addColumn<QString>("lastNode");
    QTest::addColumn<int>("levelsLeft");
    // Ordner i is node 2 + (i - 1) * 171, so K32767 is the 104th below Ordner
    // 192; its level and the level above it stop there.
    QTest::newRow("broad") << false << "Unterordner 192.104" << 2;
    // Every folder inside the one before: far more levels than the call stack
    // would hold if each level were a call of its own.
    QTest::newRow("deep") << true << "Ebene 32766" << 1;
}

void TestFolderFill::stopsAtNodeLimit()
{
    QFETCH(bool, deep);
    QFETCH(QString, lastNode);
    QFETCH(int, levelsLeft);
    test::TestEnv env;
    if (deep)
        createDeepProfile(env, 32800);
    else
        mailstore::fixture::createProfile(env.profileFile(), broadProfile(200, 170));
    QTreeWidget tree;
    FolderStructure structure(env.settings, env.messages, env.mailProfile);
    structure.setTree(&tree);
    structure.setYield([] {});
    structure.tvwFolderFill();

    const QList<QTreeWidgetItem *> nodes = foldertree::nodesInOrder(&tree);
    QCOMPARE(nodes.size(), 32767);
    QCOMPARE(foldertree::nodeKey(nodes.last()), QString("K32767"));
    QCOMPARE(nodes.last()->text(0), lastNode);
    QCOMPARE(structure.ids().FolderNodeCount, 32767);
    QVERIFY(!structure.ids().FolderEntryIDs.at(32767).isEmpty());
    QCOMPARE(tree.topLevelItemCount(), 1);
    // Logged only: where the levels stop, and the store after the limit.
    const QString log = env.errorLog();
    QCOMPARE(log.count("Info: Enrol\r\n"), levelsLeft);
    QCOMPARE(log.count("Info: tvwFolderFill\r\n"), 1);
    QVERIFY(env.box.shown.isEmpty());
}

void TestFolderFill::unreadableProfileIsTold()
{
    test::TestEnv env;
    QFile file(env.profileFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Einkaufsliste\n");
    file.close();
    QTreeWidget tree;
    FolderStructure structure(env.settings, env.messages, env.mailProfile);
    structure.setTree(&tree);
    QTimer timer1;
    structure.setTimer(&timer1);
    QVERIFY(structure.tvwFolderFill());
    QCOMPARE(tree.topLevelItemCount(), 0);
    QVERIFY(!timer1.isActive());
    QCOMPARE(env.box.shown.size(), 1);
    QVERIFY(env.box.shown.first().prompt.startsWith("Die Ordnerstruktur konnte nicht eingelesen werden:\r\n"));
    QVERIFY(env.errorLog().contains("Info: tvwFolderFill\r\n"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Einkaufsliste\n"));
    file.close();

    // The failure is not kept for the run: once the file is a profile, a new fill reads it.
    QVERIFY(file.remove());
    test::createProfile(env, "folders/two-stores.json");
    QVERIFY(structure.tvwFolderFill());
    QCOMPARE(test::treeLines(tree), kTwoStores);
    QCOMPARE(env.box.shown.size(), 1);
}

void TestFolderFill::delayInspect_data()
{
    QTest::addColumn<QString>("idleTime");
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<bool>("asked");
    QTest::newRow("at the idle time") << "30" << 30 << false;
    QTest::newRow("one second over") << "30" << 31 << true;
    QTest::newRow("own idle time") << "5" << 6 << true;
    QTest::newRow("own idle time not reached") << "5" << 5 << false;
    QTest::newRow("not a number means 30") << "kurz" << 30 << false;
    QTest::newRow("not a number, over 30") << "kurz" << 31 << true;
}

void TestFolderFill::delayInspect()
{
    QFETCH(QString, idleTime);
    QFETCH(int, elapsed);
    QFETCH(bool, asked);
    Fill f("folders/two-stores.json");
    f.env.settings.SaveSetting("IdleTime", idleTime);
    f.env.box.answerWith(ui::answer::No);
    f.atYield = [&](int n) {
        if (n == 1) {
            f.now = f.now.addSecs(elapsed);
            f.structure.DelayInspect();
        }
    };
    f.structure.tvwFolderFill();
    QCOMPARE(f.env.box.shown.size(), asked ? 1 : 0);
    QCOMPARE(f.lines(), kTwoStores);
    if (!asked)
        return;
    const ui::MessageRequest &r = f.env.box.shown.first();
    QCOMPARE(r.buttons, 292);
    QCOMPARE(r.title, QString("Frage?"));
    QCOMPARE(r.extra4, 30);
    QCOMPARE(r.prompt, FolderStructure::skipQuestion("Persönliche Ordner"));
    QVERIFY(r.prompt.contains("Informationsspeicher nicht weiter einzulesen: Persönliche Ordner.\r\nHinweis: "));
}

void TestFolderFill::yesSkipsRestOfStoreAndNextStart()
{
    Fill f("folders/two-stores.json");
    f.env.box.answerWith(ui::answer::Yes);
    f.atYield = [&](int n) {
        if (n == 2) { // the store's table is open, Posteingang's too
            f.now = f.now.addSecs(31);
            f.structure.DelayInspect();
        }
    };
    f.structure.tvwFolderFill();
    // Posteingang's first subfolder is still added before its level is left,
    // then every level above adds its next folder once and leaves too.
    const QStringList expected = {"K1 Persönliche Ordner [Post]", "  K2 Posteingang [IPF.Note]",
                                  "    K3 Aushang [IPF.Note]", "  K4 Kalender [IPF.Appointment]",
                                  "K5 Archiv [Post]", "  K6 2025 [IPF.Note]", "  K7 Alte Kontakte [IPF.Contact]",
                                  "  K8 Leer [IPF.Contact]"};
    QCOMPARE(f.lines(), expected);
    QCOMPARE(f.env.settings.GetSetting("FolderStructureSkip", "-"), QString("Persönliche Ordner"));

    f.atYield = {};
    f.structure.tvwFolderFill();
    QCOMPARE(f.lines().first(), QString("K2 Archiv [Post]"));
    QCOMPARE(f.env.box.shown.size(), 1);
}

void TestFolderFill::refusalLastsForTheRun()
{
    Fill f("folders/two-stores.json");
    f.env.box.answerWith(ui::answer::No);
    f.atYield = [&](int) {
        f.now = f.now.addSecs(40);
        f.structure.DelayInspect();
    };
    f.structure.tvwFolderFill();
    f.structure.tvwFolderFill();
    QCOMPARE(f.env.box.shown.size(), 1);
    QVERIFY(f.structure.skipRefused());
    QCOMPARE(f.lines(), kTwoStores);
    QCOMPARE(f.env.settings.GetSetting("FolderStructureSkip", "-"), QString("-"));
}

void TestFolderFill::noSecondQuestionWhileOneIsOpen()
{
    test::TestEnv env;
    test::createProfile(env, "folders/two-stores.json");
    TickingBox box;
    Messages messages(box, env.programFolder());
    QDateTime now = test::TestEnv::fixedNow();
    FolderStructure structure(env.settings, messages, env.mailProfile, [&] { return now; });
    QTreeWidget tree;
    structure.setTree(&tree);
    box.tick = [&] { structure.DelayInspect(); };
    box.answerWith(ui::answer::Yes);
    box.answerWith(ui::answer::Yes);
    structure.setYield([&] {
        now = now.addSecs(31);
        structure.DelayInspect();
    });
    structure.tvwFolderFill();
    QCOMPARE(box.shown.size(), 2); // one per store: each store has its own clock start
    QCOMPARE(box.shown.at(0).prompt, FolderStructure::skipQuestion("Persönliche Ordner"));
    QCOMPARE(box.shown.at(1).prompt, FolderStructure::skipQuestion("Archiv"));
}

// The real timer, the real clock and a store whose every level takes 0.6 s.
void TestFolderFill::timerOffersToSkipSlowStore()
{
    test::TestEnv env;
    test::createProfile(env, "folders/slow-store.json");
    env.settings.SaveSetting("IdleTime", "1");
    env.box.answerWith(ui::answer::Yes);
    mailstore::faults::slowStore("Netzlaufwerk", 600);
    QTreeWidget tree;
    FolderStructure structure(env.settings, env.messages, env.mailProfile);
    structure.setTree(&tree);
    QTimer timer1;
    timer1.setInterval(1000);
    QObject::connect(&timer1, &QTimer::timeout, [&] { structure.DelayInspect(); });
    structure.setTimer(&timer1);

    structure.tvwFolderFill();
    QVERIFY(!timer1.isActive());
    QCOMPARE(env.box.prompts(), QStringList{FolderStructure::skipQuestion("Netzlaufwerk")});
    QCOMPARE(env.settings.GetSetting("FolderStructureSkip", ""), QString("Netzlaufwerk"));
    QTreeWidgetItem *slow = test::nodeAt(tree, "Netzlaufwerk");
    QVERIFY(slow);
    QVERIFY2(slow->childCount() < 8, qPrintable(QString::number(slow->childCount())));
    QVERIFY(test::nodeAt(tree, "Lokal/Posteingang/Belege"));
    QVERIFY(test::nodeAt(tree, "Lokal/Kontakte"));
}

QTEST_MAIN(TestFolderFill)
#include "tst_folderfill.moc"
