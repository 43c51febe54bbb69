#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/ProfileTestUtil.h"
#include "support/TestEnv.h"

#include <QTest>

using namespace kw::mailstore;
using kw::test::errorNumber;

class TestUserProperties : public QObject
{
    Q_OBJECT

    ItemPtr max(const NameSpacePtr &ns)
    {
        return ns->GetDefaultFolder(defaultfolder::Contacts)->Items()->Item(1);
    }

private Q_SLOTS:
    void lookUp_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::newRow("exact name") << "KW Backup Fullname" << true;
        QTest::newRow("other case") << "kw backup FULLNAME" << true;
        QTest::newRow("absent") << "KW Backup FileAs" << false;
        QTest::newRow("prefix only") << "KW Backup" << false;
    }
    void lookUp()
    {
        QFETCH(QString, name);
        QFETCH(bool, found);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        UserPropertyPtr p = max(ns)->UserProperties()->Find(name);
        QCOMPARE(bool(p), found);
        if (p) {
            QCOMPARE(p->Value(), QStringLiteral("Max Mustermann"));
            QCOMPARE(p->Type(), 1);
        }
    }

    void addSetAndSave()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemPtr item = max(ns);
        UserPropertyPtr p = item->UserProperties()->Add("Outlook ID (created by Kontorwerk)", 1);
        QCOMPARE(p->Value(), QString());
        p->setValue("00AB");
        QCOMPARE(item->UserProperties()->Count(), 2);
        // not stored before Save
        QVERIFY(!ns->GetItemFromID(item->EntryID())->UserProperties()->Find("Outlook ID (created by Kontorwerk)"));
        item->Save();
        ItemPtr back = ns->GetItemFromID(item->EntryID());
        QCOMPARE(back->UserProperties()->Find("Outlook ID (created by Kontorwerk)")->Value(), QStringLiteral("00AB"));
        // adding a name that exists gives the existing property, value kept
        UserPropertyPtr again = back->UserProperties()->Add("OUTLOOK ID (created by Kontorwerk)", 1);
        QCOMPARE(again->Value(), QStringLiteral("00AB"));
        QCOMPARE(back->UserProperties()->Count(), 2);
        QVERIFY(errorNumber([&] { back->UserProperties()->Add("  "); }) != 0);
    }

    void deleteIsStoredBySave()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemPtr item = max(ns);
        UserPropertyPtr backup = item->UserProperties()->Find("KW Backup Fullname");
        item->set(u"FullName", backup->Value());
        backup->Delete();
        QVERIFY(!item->UserProperties()->Find("KW Backup Fullname"));
        QVERIFY(errorNumber([&] { backup->Value(); }) != 0);
        item->Save();
        ItemPtr back = ns->GetItemFromID(item->EntryID());
        QVERIFY(!back->UserProperties()->Find("KW Backup Fullname"));
        QCOMPARE(back->UserProperties()->Count(), 0);
        QCOMPARE(back->text(u"FullName"), QStringLiteral("Max Mustermann"));
    }

    void propertiesDoNotLeakBetweenItems()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemsPtr items = ns->GetDefaultFolder(defaultfolder::Contacts)->Items();
        ItemPtr second = items->Item(2);
        second->UserProperties()->Add("Kundennummer")->setValue("K-1");
        second->Save();
        QVERIFY(!items->Item(3)->UserProperties()->Find("Kundennummer"));
        QCOMPARE(items->Item(1)->UserProperties()->Count(), 1);
        QCOMPARE(items->Item(2)->UserProperties()->Find("kundennummer")->Value(), QStringLiteral("K-1"));
    }
};

QTEST_GUILESS_MAIN(TestUserProperties)
#include "tst_userproperties.moc"
