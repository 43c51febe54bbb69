#include "platform/mailstore/ContactRules.h"
#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/ProfileTestUtil.h"
#include "support/TestEnv.h"

#include <QTest>

using namespace kw::mailstore;

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

// The composite fields as the name tools rely on them, seen through a real
// contact of a profile and after saving and fetching it again.
class TestContactRules : public QObject
{
    Q_OBJECT

    ItemPtr freshContact(kw::test::TestEnv &env)
    {
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        return ns->GetDefaultFolder(defaultfolder::Contacts)->Items()->Add();
    }

    ItemPtr reload(kw::test::TestEnv &env, const ItemPtr &item)
    {
        item->Save();
        return Application::open(env.profileFile())->GetNamespace("MAPI")->GetItemFromID(item->EntryID());
    }

private Q_SLOTS:
    void namePartRebuildsFullName_data()
    {
        QTest::addColumn<QStringList>("writes"); // field=value
        QTest::addColumn<QString>("fullName");
        QTest::newRow("first and last") << QStringList{"FirstName=Eva", "LastName=Roth"} << "Eva Roth";
        QTest::newRow("all five parts in order") << QStringList{"Suffix=jun.", "LastName=Roth", "Title=Dr.", "MiddleName=Maria", "FirstName=Eva"} << "Dr. Eva Maria Roth jun.";
        QTest::newRow("blank parts are left out") << QStringList{"FirstName=  ", "LastName=Roth"} << "Roth";
        QTest::newRow("clearing a part shortens it") << QStringList{"FirstName=Eva", "LastName=Roth", "FirstName="} << "Roth";
        QTest::newRow("case-insensitive member name") << QStringList{"firstname=Eva", "LASTNAME=Roth"} << "Eva Roth";
    }
    void namePartRebuildsFullName()
    {
        QFETCH(QStringList, writes);
        QFETCH(QString, fullName);
        kw::test::TestEnv env;
        ItemPtr c = freshContact(env);
        for (const QString &w : writes)
            c->set(w.section(u'=', 0, 0), w.section(u'=', 1));
        QCOMPARE(c->text(u"FullName"), fullName);
        QCOMPARE(reload(env, c)->text(u"Fullname"), fullName);
    }

    void fullNameSplits_data()
    {
        QTest::addColumn<QString>("fullName");
        QTest::addColumn<QStringList>("parts"); // Title, First, Middle, Last, Suffix
        QTest::newRow("two words") << "Eva Roth" << QStringList{"", "Eva", "", "Roth", ""};
        QTest::newRow("middle words") << "Hans Peter Karl Müller" << QStringList{"", "Hans", "Peter Karl", "Müller", ""};
        QTest::newRow("one word is the first name") << "Madonna" << QStringList{"", "Madonna", "", "", ""};
        QTest::newRow("extra blanks") << "  Eva   Roth " << QStringList{"", "Eva", "", "Roth", ""};
        QTest::newRow("titles are not recognised") << "Dr. Eva Roth" << QStringList{"", "Dr.", "Eva", "Roth", ""};
    }
    void fullNameSplits()
    {
        QFETCH(QString, fullName);
        QFETCH(QStringList, parts);
        kw::test::TestEnv env;
        ItemPtr c = freshContact(env);
        c->set(u"Title", "Prof.");
        c->set(u"Suffix", "sen.");
        c->set(u"FullName", fullName);
        const ItemPtr back = reload(env, c);
        QCOMPARE(back->text(u"FullName"), fullName);
        const QStringList names = {"Title", "FirstName", "MiddleName", "LastName", "Suffix"};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(back->text(names[i]), parts[i]);
    }

    void emptyFullNameClearsTheParts()
    {
        kw::test::TestEnv env;
        ItemPtr c = freshContact(env);
        for (const char *f : {"Title", "FirstName", "MiddleName", "LastName", "Suffix"})
            c->set(QString::fromLatin1(f), "x");
        c->set(u"FullName", "   ");
        const ItemPtr back = reload(env, c);
        for (const char *f : {"FullName", "Title", "FirstName", "MiddleName", "LastName", "Suffix"})
            QCOMPARE(back->text(QString::fromLatin1(f)), QString());
    }

    void addressPartRebuildsAddress_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("parts"); // Street, PostalCode, City, State, Country
        QTest::addColumn<QString>("address");
        QTest::newRow("street, place and country") << "Business" << QStringList{"Hauptstr. 1", "80331", "München", "", "Deutschland"}
                                                   << "Hauptstr. 1" + kCrLf + "80331 München" + kCrLf + "Deutschland";
        QTest::newRow("with state") << "Home" << QStringList{"Ring 2", "8010", "Graz", "Steiermark", "Österreich"}
                                    << "Ring 2" + kCrLf + "8010 Graz" + kCrLf + "Steiermark" + kCrLf + "Österreich";
        QTest::newRow("city without postal code") << "Other" << QStringList{"", "", "Bern", "", ""} << "Bern";
        QTest::newRow("all empty") << "Business" << QStringList{"", "", "", "", ""} << "";
    }
    void addressPartRebuildsAddress()
    {
        QFETCH(QString, prefix);
        QFETCH(QStringList, parts);
        QFETCH(QString, address);
        kw::test::TestEnv env;
        ItemPtr c = freshContact(env);
        c->set(prefix + "Address", "alt\r\nalt");
        const QStringList names = {"Street", "PostalCode", "City", "State", "Country"};
        for (int i = 0; i < names.size(); ++i)
            c->set(prefix + "Address" + names[i], parts[i]);
        QCOMPARE(reload(env, c)->text(prefix + "Address"), address);
    }

    void addressSplits_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("street only") << "Hauptstr. 1" << QStringList{"Hauptstr. 1", "", "", "", ""};
        QTest::newRow("street and place") << "Hauptstr. 1\r\n80331 München" << QStringList{"Hauptstr. 1", "80331", "München", "", ""};
        QTest::newRow("line feeds only") << "Hauptstr. 1\n80331 München\nDeutschland" << QStringList{"Hauptstr. 1", "80331", "München", "", "Deutschland"};
        QTest::newRow("four lines with state") << "Ring 2\r\n8010 Graz\r\nSteiermark\r\nÖsterreich" << QStringList{"Ring 2", "8010", "Graz", "Steiermark", "Österreich"};
        QTest::newRow("two street lines") << "c/o Meier\r\nRing 2\r\n8010 Graz\r\nST\r\nA" << QStringList{"c/o Meier\r\nRing 2", "8010", "Graz", "ST", "A"};
        QTest::newRow("country prefix in postal code") << "Weg 3\r\nD-80331 München Mitte" << QStringList{"Weg 3", "D-80331", "München Mitte", "", ""};
        QTest::newRow("place without digits") << "Weg 3\r\nBad Tölz" << QStringList{"Weg 3", "", "Bad Tölz", "", ""};
        QTest::newRow("empty lines ignored") << "\r\nWeg 3\r\n\r\n1010 Wien\r\n" << QStringList{"Weg 3", "1010", "Wien", "", ""};
    }
    void addressSplits()
    {
        QFETCH(QString, address);
        QFETCH(QStringList, parts);
        kw::test::TestEnv env;
        ItemPtr c = freshContact(env);
        c->set(u"BusinessAddressPostOfficeBox", "Postfach 12");
        c->set(u"HomeAddress", address);
        const ItemPtr back = reload(env, c);
        QCOMPARE(back->text(u"HomeAddress"), address);
        const QStringList names = {"Street", "PostalCode", "City", "State", "Country"};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(back->text("HomeAddress" + names[i]), parts[i]);
        QCOMPARE(back->text(u"BusinessAddressPostOfficeBox"), QStringLiteral("Postfach 12"));
    }

    void otherClassesHaveNoRules()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemPtr task = ns->GetDefaultFolder(defaultfolder::Tasks)->Items()->Add();
        task->set(u"Subject", "A");
        task->set(u"Owner", "B");
        QCOMPARE(task->text(u"Subject"), QStringLiteral("A"));
        QVERIFY(kw::test::errorNumber([&] { task->set(u"FirstName", "x"); }) != 0);
    }

    void fixtureDataIsKeptInconsistent()
    {
        // The fixture's "Erika Musterfrau" has the first name "Eva"; loading
        // must not have rebuilt either.
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemsPtr items = ns->GetDefaultFolder(defaultfolder::Contacts)->Items();
        ItemPtr erika = items->Find("[LastName] = 'Musterfrau'");
        QVERIFY(erika);
        QCOMPARE(erika->text(u"FullName"), QStringLiteral("Erika Musterfrau"));
        QCOMPARE(erika->text(u"FirstName"), QStringLiteral("Eva"));
        QCOMPARE(erika->MessageClass(), QStringLiteral("IPM.Contact.Kunde"));
        QCOMPARE(erika->Class(), 40);
    }
};

QTEST_GUILESS_MAIN(TestContactRules)
#include "tst_contactrules.moc"
