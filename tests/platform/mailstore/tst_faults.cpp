#include "platform/mailstore/Faults.h"
#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/mailstore/ProfileTestUtil.h"
#include "platform/mailstore/SqlUtil.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>

using namespace kw::mailstore;
using kw::test::errorNumber;

namespace {

const QStringList kFields = {"FirstName", "LastName", "CompanyName", "BusinessTelephoneNumber",
                             "MobileTelephoneNumber", "HomeTelephoneNumber", "JobTitle", "Department"};

// In the child: change the first contact's fields and save, ending the
// process in the middle of the transaction when asked to.
int childSave()
{
    const QString profile = qEnvironmentVariable("KW_CHILD_PROFILE");
    ItemPtr item = Application::open(profile)->GetNamespace("MAPI")->GetDefaultFolder(defaultfolder::Contacts)->Items()->Item(1);
    for (const QString &f : kFields)
        item->set(f, "neu " + f);
    item->UserProperties()->Add("KW Backup FirstName")->setValue("alt");
    if (qEnvironmentVariable("KW_CHILD_MODE") == "crash")
        faults::exitDuringSave(42);
    item->Save();
    return 0;
}

// In the child: open a profile that does not exist yet, ending the process
// half-way through making it when asked to.
int childCreate()
{
    const QString mode = qEnvironmentVariable("KW_CHILD_MODE");
    const QString profile = qEnvironmentVariable("KW_CHILD_NEW_PROFILE");
    if (mode == "crash")
        faults::exitDuringCreate(43);
    if (mode == "fixture crash") {
        faults::exitDuringSave(44); // while the fixture's items are written
        fixture::createProfileFromFile(profile, kw::test::fixturePath("mailstore_basic.json"));
        return 0;
    }
    Application::open(profile);
    return 0;
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { faults::reset(); }
    void cleanup() { faults::reset(); }

    void itemReadFailsNTimes_data()
    {
        QTest::addColumn<int>("times");
        QTest::newRow("once") << 1;
        QTest::newRow("five times") << 5;
    }
    void itemReadFailsNTimes()
    {
        QFETCH(int, times);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        faults::failItemRead("Kontakte", 2, times);
        ItemsPtr items = ns->GetDefaultFolder(defaultfolder::Contacts)->Items();
        for (int i = 0; i < times; ++i)
            QVERIFY(errorNumber([&] { items->Item(2); }) != 0);
        QCOMPARE(items->Item(2)->text(u"LastName"), QStringLiteral("O'Brien"));
        QCOMPARE(items->Item(1)->text(u"LastName"), QStringLiteral("Mustermann")); // others unaffected
        // a folder of another name is not affected
        QCOMPARE(ns->Folders()->Item("Archiv")->Folders()->Item("Alte Kontakte")->Items()->Count(), 1);
    }

    void failedSaveLeavesTheStoredItem()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemPtr item = ns->GetDefaultFolder(defaultfolder::Contacts)->Items()->Item(1);
        faults::failSave(item->EntryID().toLower(), 1);
        item->set(u"LastName", "Neu");
        QVERIFY(errorNumber([&] { item->Save(); }) != 0);
        QCOMPARE(ns->GetItemFromID(item->EntryID())->text(u"LastName"), QStringLiteral("Mustermann"));
        QVERIFY(!item->Saved());
        item->Save(); // the fault was for one save only
        QCOMPARE(ns->GetItemFromID(item->EntryID())->text(u"LastName"), QStringLiteral("Neu"));
    }

    // Saves inside a transaction already open (a run saving in groups): the
    // one failing after its first writes leaves no trace, the others stay.
    void failedSaveInsideAnOpenTransactionUndoesOnlyItself()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemsPtr items = ns->GetDefaultFolder(defaultfolder::Contacts)->Items();
        ItemPtr failing = items->Item(1);
        ItemPtr kept = items->Item(2);
        const QString before = failing->text(u"JobTitle");
        QSqlDatabase &db = ns->db()->connection();
        QVERIFY(QSqlQuery(db).exec("CREATE TEMP TRIGGER no_attachments BEFORE INSERT ON attachments"
                                   " BEGIN SELECT RAISE(ABORT, 'kein Platz'); END"));
        {
            sql::Transaction group(db);
            kept->set(u"JobTitle", "Leiterin");
            kept->Save();
            failing->set(u"JobTitle", "Leiter");
            failing->UserProperties()->Add("Kundennummer")->setValue("K-1");
            failing->Attachments()->Add(env.path("brief.txt"), 4);
            QVERIFY(errorNumber([&] { failing->Save(); }) != 0); // fields written, attachment refused
            group.commit();
        }
        NameSpacePtr fresh = Application::open(env.profileFile())->GetNamespace("MAPI");
        QCOMPARE(fresh->GetItemFromID(kept->EntryID())->text(u"JobTitle"), QStringLiteral("Leiterin"));
        ItemPtr back = fresh->GetItemFromID(failing->EntryID());
        QCOMPARE(back->text(u"JobTitle"), before);
        QVERIFY(!back->UserProperties()->Find("Kundennummer"));
    }

    void failedFetch()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        const QString id = ns->GetDefaultFolder(defaultfolder::Contacts)->Items()->Item(1)->EntryID();
        faults::failFetch(QString(), 2); // any item
        QVERIFY(errorNumber([&] { ns->GetItemFromID(id); }) != 0);
        QVERIFY(errorNumber([&] { ns->GetItemFromID(id); }) != 0);
        QCOMPARE(ns->GetItemFromID(id)->EntryID(), id);
    }

    void slowStoreDelaysEachFolderLevel()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        faults::slowStore("Archiv", 120);
        QElapsedTimer t;
        t.start();
        FolderPtr archive = ns->Folders()->Item("Archiv");
        archive->Folders()->Item("Projekte")->Folders();
        QVERIFY(t.elapsed() >= 240);
        t.restart();
        ns->Folders()->Item("Persönliche Ordner")->Folders();
        QVERIFY(t.elapsed() < 100);
    }

    void processEndingMidSaveLeavesTheOldItem_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("changed");
        QTest::newRow("ended inside the transaction") << "crash" << 42 << false;
        QTest::newRow("save completes") << "normal" << 0 << true;
    }
    void processEndingMidSaveLeavesTheOldItem()
    {
        QFETCH(QString, mode);
        QFETCH(int, exitCode);
        QFETCH(bool, changed);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        const ItemPtr before = ns->GetDefaultFolder(defaultfolder::Contacts)->Items()->Item(1);
        QProcess child;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("KW_CHILD_PROFILE", env.profileFile());
        e.insert("KW_CHILD_MODE", mode);
        child.setProcessEnvironment(e);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitCode(), exitCode);
        const ItemPtr after = Application::open(env.profileFile())->GetNamespace("MAPI")->GetItemFromID(before->EntryID());
        for (const QString &f : kFields)
            QCOMPARE(after->text(f), changed ? "neu " + f : before->text(f));
        QCOMPARE(bool(after->UserProperties()->Find("KW Backup FirstName")), changed);
    }

    void processEndingWhileMakingAProfileLeavesNoBrokenFile_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("ended half-way") << "crash" << 43;
        QTest::newRow("ended while filling from a fixture") << "fixture crash" << 44;
        QTest::newRow("made completely") << "normal" << 0;
    }
    void processEndingWhileMakingAProfileLeavesNoBrokenFile()
    {
        QFETCH(QString, mode);
        QFETCH(int, exitCode);
        kw::test::TestEnv env;
        QProcess child;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("KW_CHILD_NEW_PROFILE", env.profileFile());
        e.insert("KW_CHILD_MODE", mode);
        child.setProcessEnvironment(e);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitCode(), exitCode);
        QCOMPARE(QFile::exists(env.profileFile()), exitCode == 0);
        if (mode == "fixture crash") { // can be made again
            QCOMPARE(kw::test::openFixture(env.profileFile())->GetDefaultFolder(defaultfolder::Contacts)->Items()->Count(), 5);
            return;
        }
        // the next start opens (or makes) a complete profile
        NameSpacePtr ns = Application::open(env.profileFile())->GetNamespace("MAPI");
        QCOMPARE(ns->Folders()->Item(1)->Name(), QStringLiteral("Persönliche Ordner"));
        QCOMPARE(ns->GetDefaultFolder(defaultfolder::Contacts)->Name(), QStringLiteral("Kontakte"));
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("KW_CHILD_PROFILE"))
        return childSave();
    if (qEnvironmentVariableIsSet("KW_CHILD_NEW_PROFILE"))
        return childCreate();
    TestFaults t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_faults.moc"
