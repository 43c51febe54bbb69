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

    // Two copies of one item change user properties; the first saves, then
    // the second. Steps: "+Name=Value" adds (or finds) and sets, "-Name" deletes.
    void twoCopiesKeepEachOthersProperties_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("each copy changes another property")
            << QStringList{"+KW Backup Fullname=A"} << QStringList{"+Kundennummer=K-1"}
            << QStringList{"KW Backup Fullname=A", "Kundennummer=K-1"};
        QTest::newRow("one copy deletes, the other adds")
            << QStringList{"-KW Backup Fullname"} << QStringList{"+Kundennummer=K-1"}
            << QStringList{"Kundennummer=K-1"};
        QTest::newRow("both change the same property: the later save wins")
            << QStringList{"+KW Backup Fullname=A"} << QStringList{"+kw backup fullname=B"}
            << QStringList{"KW Backup Fullname=B"};
        QTest::newRow("both add one property in other spellings: one stays")
            << QStringList{"+Kundennummer=K-1"} << QStringList{"+KUNDENNUMMER=K-2"}
            << QStringList{"KUNDENNUMMER=K-2", "KW Backup Fullname=Max Mustermann"};
        QTest::newRow("deleted and added again in another spelling")
            << QStringList{"-KW Backup Fullname", "+kw backup FULLNAME=neu"} << QStringList{}
            << QStringList{"kw backup FULLNAME=neu"};
        QTest::newRow("added and deleted again before the save")
            << QStringList{"+Kundennummer=K-1", "-Kundennummer"} << QStringList{}
            << QStringList{"KW Backup Fullname=Max Mustermann"};
    }
    void twoCopiesKeepEachOthersProperties()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QStringList, stored);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemPtr one = max(ns);
        ItemPtr two = ns->GetItemFromID(one->EntryID());
        const auto apply = [](const ItemPtr &item, const QStringList &steps) {
            for (const QString &step : steps) {
                const QString name = step.mid(1).section(u'=', 0, 0);
                if (step.startsWith(u'-'))
                    item->UserProperties()->Find(name)->Delete();
                else
                    item->UserProperties()->Add(name)->setValue(step.section(u'=', 1));
            }
            item->Save();
        };
        apply(one, first);
        apply(two, second);
        const UserPropertiesPtr props = ns->GetItemFromID(one->EntryID())->UserProperties();
        QStringList found;
        for (int i = 1; i <= props->Count(); ++i)
            found << props->Item(i)->Name() + u'=' + props->Item(i)->Value();
        found.sort();
        QCOMPARE(found, stored);
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
