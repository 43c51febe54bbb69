#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Items.h"
#include "shell/FolderFunctions.h"
#include "shell/FolderStructureFunctions.h"
#include "shell/FolderTree.h"
#include "shell/SharedFolder.h"
#include "FolderFixture.h"

#include <QFile>
#include <QTreeWidget>
#include <QtTest>

using namespace kw;
using namespace kw::foldertree;

namespace {

// The sample tree read from the fixture, with the working set over it.
struct World
{
    test::TestEnv env;
    QTreeWidget tree;
    FolderStructure structure{env.settings, env.messages, env.mailProfile};
    SharedFolder shared;
    FolderFunctions folders{structure, shared, env.messages, env.mailProfile};

    World()
    {
        test::createProfile(env, "folders/two-stores.json");
        structure.setTree(&tree);
        structure.setYield([] {});
        structure.tvwFolderFill();
    }
    QTreeWidgetItem *node(const QString &path) { return test::nodeAt(tree, path); }
    void tick(const QStringList &paths)
    {
        for (const QString &p : paths)
            setTicked(node(p), true);
    }
    void mark(const QString &path) { selectNode(&tree, node(path)); }
    QStringList names(const WorkingSet &set)
    {
        QStringList result;
        for (int i = 1; i <= set.FolderCount; ++i)
            result << set.Folders.at(i)->Name();
        return result;
    }
};

} // namespace

class TestFolderSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gateByMode_data();
    void gateByMode();
    void markedFolderNotTicked_data();
    void markedFolderNotTicked();
    void markedIndexFollowsKey();
    void noSelectionIsQuiet();
    void emptyFolders_data();
    void emptyFolders();
    void vanishedFolderFailsWholeSet();
    void markedFolderClass_data();
    void markedFolderClass();
};

void TestFolderSet::gateByMode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("message");
    const QString contacts = QString::fromUtf8("Bitte wählen Sie für diese Funktion ausschließlich Kontakte-Ordner aus.");
    const QString calendar = QString::fromUtf8("Bitte wählen Sie für diese Funktion ausschließlich Kalender-Ordner aus.");
    const QString mail = QString::fromUtf8("Bitte wählen Sie für diese Funktion ausschließlich Mail-Ordner aus.");
    const QString alike = QString::fromUtf8("Bitte wählen Sie für diese Funktion nur gleichartige Ordner aus.");
    const QString pk = QString::fromUtf8("Persönliche Ordner/Kontakte");
    const QString pc = QString::fromUtf8("Persönliche Ordner/Kalender");
    const QString pin = QString::fromUtf8("Persönliche Ordner/Posteingang");
    const QString ppost = QString::fromUtf8("Persönliche Ordner/Posteingang/Aushang");
    const QString kunden = QString::fromUtf8("Persönliche Ordner/Kontakte/Kunden");
    const QString ak = QString::fromUtf8("Archiv/Alte Kontakte");
    QTest::newRow("contacts in two stores") << "OnlyContacts" << QStringList{pk, ak} << true << "";
    QTest::newRow("contacts with a calendar") << "OnlyContacts" << QStringList{pk, pc} << false << contacts;
    QTest::newRow("custom contact form refused") << "OnlyContacts" << QStringList{pk, kunden} << false << contacts;
    QTest::newRow("calendar only") << "OnlyAppointment" << QStringList{pc} << true << "";
    QTest::newRow("calendar with contacts") << "OnlyAppointment" << QStringList{pc, pk} << false << calendar;
    QTest::newRow("mail and post") << "OnlyMail" << QStringList{pin, ppost} << true << "";
    QTest::newRow("mail with contacts") << "OnlyMail" << QStringList{pin, pk} << false << mail;
    QTest::newRow("all types") << "AllTypes" << QStringList{pin, pk, pc} << true << "";
    QTest::newRow("note class takes posts") << "IPM.Note" << QStringList{pin, ppost} << true << "";
    QTest::newRow("note class refuses contacts") << "IPM.Note" << QStringList{pin, pk} << false << alike;
    QTest::newRow("message class exact") << "IPM.Contact" << QStringList{pk, ak} << true << "";
    QTest::newRow("message class refuses custom") << "IPM.Contact" << QStringList{pk, kunden} << false << alike;
    QTest::newRow("custom class alone") << "IPM.Contact.Kunde" << QStringList{kunden} << true << "";
}

void TestFolderSet::gateByMode()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, ticked);
    QFETCH(bool, ok);
    QFETCH(QString, message);
    World w;
    w.tick(ticked);
    w.mark(ticked.first());
    const WorkingSet set = w.folders.GetActivatedFolders(mode, false);
    QCOMPARE(set.OK, ok);
    QCOMPARE(set.FolderCount, ticked.size());
    QCOMPARE(w.env.box.prompts(), message.isEmpty() ? QStringList{} : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(w.env.box.shown.first().buttons, 48);
        QCOMPARE(w.env.box.shown.first().title, QString("Hinweis!"));
        QCOMPARE(set.ItemCount, 0L);
    } else {
        QVERIFY(set.ItemCount > 0);
    }
}

void TestFolderSet::markedFolderNotTicked_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("ok");
    QTest::newRow("yes ticks it") << int(ui::answer::Yes) << true;
    QTest::newRow("no ends quietly") << int(ui::answer::No) << false;
}

void TestFolderSet::markedFolderNotTicked()
{
    QFETCH(int, answer);
    QFETCH(bool, ok);
    World w;
    w.tick({"Persönliche Ordner/Kontakte"});
    w.mark("Archiv/Alte Kontakte");
    w.env.box.answerWith(answer);
    const WorkingSet set = w.folders.GetActivatedFolders("OnlyContacts");
    QCOMPARE(w.env.box.prompts(),
             QStringList{QString::fromUtf8("Der markierte Ordner ist nicht aktiviert. Möchten Sie Ihn aktivieren?")});
    QCOMPARE(w.env.box.shown.first().buttons, 36);
    QCOMPARE(w.env.box.shown.first().title, QString("Frage?"));
    QCOMPARE(set.OK, ok);
    QCOMPARE(isTicked(w.node("Archiv/Alte Kontakte")), ok);
    if (ok) {
        QCOMPARE(w.names(set), (QStringList{"Kontakte", "Alte Kontakte"}));
        QCOMPARE(set.MarkedIndex, 2);
        QCOMPARE(set.ItemCount, 4L);
    }
}

void TestFolderSet::markedIndexFollowsKey()
{
    World w;
    w.tick({"Persönliche Ordner/Posteingang", "Persönliche Ordner/Posteingang/Aushang", "Archiv/2025"});
    w.mark("Archiv/2025");
    const WorkingSet set = w.folders.GetActivatedFolders("OnlyMail", false, 10);
    QVERIFY(set.OK);
    QCOMPARE(w.names(set), (QStringList{"Posteingang", "Aushang", "2025"}));
    QCOMPARE(set.FolderCount, 3);
    QCOMPARE(set.MarkedIndex, 3);
    QCOMPARE(set.ItemCount, 10L + 2 + 1 + 1);
    QVERIFY(w.env.box.shown.isEmpty());
}

void TestFolderSet::noSelectionIsQuiet()
{
    World w;
    w.tick({"Persönliche Ordner/Kontakte"});
    const WorkingSet set = w.folders.GetActivatedFolders("OnlyContacts");
    QVERIFY(!set.OK);
    QVERIFY(w.env.box.shown.isEmpty());
    QVERIFY(w.env.errorLog().isEmpty());
}

void TestFolderSet::emptyFolders_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<long>("items");
    const QString leer = "Archiv/Leer";
    QTest::newRow("empty folder") << "OnlyContacts" << QStringList{leer} << false << false << 0L;
    QTest::newRow("empty folder, quiet") << "OnlyContacts" << QStringList{leer} << true << true << 0L;
    QTest::newRow("two empty folders")
        << "AllTypes" << QStringList{"Persönliche Ordner/Aufgaben", "Persönliche Ordner/Journal"} << false << false << 0L;
    QTest::newRow("empty beside full") << "OnlyContacts" << QStringList{leer, "Archiv/Alte Kontakte"} << false << true << 1L;
}

void TestFolderSet::emptyFolders()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, ticked);
    QFETCH(bool, quiet);
    QFETCH(bool, ok);
    QFETCH(long, items);
    World w;
    w.tick(ticked);
    w.mark(ticked.first());
    const WorkingSet set = w.folders.GetActivatedFolders(mode, quiet);
    QCOMPARE(set.OK, ok);
    QCOMPARE(set.ItemCount, items);
    const bool told = !ok;
    QCOMPARE(w.env.box.prompts(), told ? QStringList{"Keine Elemente vorhanden."} : QStringList{});
    if (told) {
        QCOMPARE(w.env.box.shown.first().buttons, 48);
        QCOMPARE(w.env.box.shown.first().title, QString("Hinweis!"));
    }
}

// The folders behind the tree are gone (another profile in its place): the
// whole request fails; the tool never gets the folders fetched before it.
void TestFolderSet::vanishedFolderFailsWholeSet()
{
    World w;
    w.tick({"Persönliche Ordner/Kontakte", "Archiv/Alte Kontakte"});
    w.mark("Persönliche Ordner/Kontakte");
    for (const QString suffix : {"", "-wal", "-shm"})
        QFile::remove(w.env.profileFile() + suffix);
    test::createProfile(w.env, "folders/slow-store.json");

    const WorkingSet set = w.folders.GetActivatedFolders("OnlyContacts");
    QVERIFY(!set.OK);
    QCOMPARE(w.env.box.shown.size(), 1);
    QVERIFY(w.env.box.shown.first().prompt.contains("Nr.: 55 / "));
    QVERIFY(w.env.errorLog().contains("Sub: 55\r\n"));
    QCOMPARE(w.folders.GetMarkedFolderClass(), QString());
    QCOMPARE(w.env.box.shown.size(), 2);
}

void TestFolderSet::markedFolderClass_data()
{
    QTest::addColumn<QString>("marked");
    QTest::addColumn<QString>("messageClass");
    QTest::newRow("contacts") << "Persönliche Ordner/Kontakte" << "IPM.Contact";
    QTest::newRow("custom form") << "Persönliche Ordner/Kontakte/Kunden" << "IPM.Contact.Kunde";
    QTest::newRow("posts") << "Persönliche Ordner/Posteingang/Aushang" << "IPM.Post";
    QTest::newRow("journal") << "Persönliche Ordner/Journal" << "IPM.Activity";
    QTest::newRow("nothing selected") << "" << "";
}

void TestFolderSet::markedFolderClass()
{
    QFETCH(QString, marked);
    QFETCH(QString, messageClass);
    World w;
    if (!marked.isEmpty())
        w.mark(marked);
    QCOMPARE(w.folders.GetMarkedFolderClass(), messageClass);
    QVERIFY(w.env.box.shown.isEmpty());
}

QTEST_MAIN(TestFolderSet)
#include "tst_folderset.moc"
