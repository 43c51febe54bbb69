#include "platform/mailstore/Filter.h"
#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/ProfileTestUtil.h"
#include "support/TestEnv.h"

#include <QElapsedTimer>
#include <QTest>

#include <functional>
#include <limits>

using namespace kw::mailstore;
using kw::test::errorNumber;

class TestRestrict : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void restrict_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("subjectsOrNames"); // FullName for contacts, Subject otherwise
        QTest::newRow("one clause") << "Kontakte" << "[BusinessAddressCountry] = 'Deutschland'"
                                    << QStringList{"Dr. Max Mustermann", "Hans Huber"};
        QTest::newRow("three clauses joined by OR")
            << "Kontakte"
            << "[BusinessAddressCountry] = 'Österreich' OR [HomeAddressCountry] = 'Österreich' OR [OtherAddressCountry] = 'Österreich'"
            << QStringList{"Seán O'Brien"};
        QTest::newRow("OR keeps folder order")
            << "Kontakte" << "[OtherAddressCountry] = 'Schweiz' OR [BusinessAddressCountry] = 'Deutschland'"
            << QStringList{"Dr. Max Mustermann", "Erika Musterfrau", "Hans Huber"};
        QTest::newRow("text ignores case") << "Kontakte" << "[businessaddresscountry] = 'DEUTSCHLAND'"
                                           << QStringList{"Dr. Max Mustermann", "Hans Huber"};
        QTest::newRow("doubled apostrophe") << "Kontakte" << "[LastName] = 'O''Brien'" << QStringList{"Seán O'Brien"};
        QTest::newRow("doubled apostrophes keep OR inside the value")
            << "Kontakte" << "[LastName] = 'Huber'' OR [FirstName] = ''Max'" << QStringList{};
        QTest::newRow("AND binds tighter than OR")
            << "Kontakte" << "[LastName] = 'Huber' AND [BusinessAddressCountry] = 'Schweiz' OR [FirstName] = 'Max'"
            << QStringList{"Dr. Max Mustermann"};
        QTest::newRow("empty value matches unset fields")
            << "Kontakte" << "[CompanyName] = '' AND [BusinessAddressCountry] = 'Deutschland'"
            << QStringList{"Hans Huber"};
        QTest::newRow("no match") << "Kontakte" << "[HomeAddressCountry] = 'Frankreich'" << QStringList{};
        QTest::newRow("date by value") << "Kalender" << "[Start] = '4.3.2024 09:30'" << QStringList{"Jour fixe"};
        QTest::newRow("yes-no by value") << "Kalender" << "[AllDayEvent] = 'True'" << QStringList{"Herbstferien (BY)"};
        QTest::newRow("double quotes") << "Kalender" << "[Subject] = \"Jour fixe\"" << QStringList{"Jour fixe"};
    }
    void restrict()
    {
        QFETCH(QString, folder);
        QFETCH(QString, filter);
        QFETCH(QStringList, subjectsOrNames);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemsPtr items = kw::test::folderAt(ns, "Persönliche Ordner/" + folder)->Items();
        ItemsPtr found = items->Restrict(filter);
        QStringList got;
        for (ItemPtr i : found)
            got << (i->Class() == 40 ? i->text(u"FullName") : i->Subject());
        QCOMPARE(got, subjectsOrNames);
        ItemPtr first = items->Find(filter);
        QCOMPARE(bool(first), !subjectsOrNames.isEmpty());
        if (first)
            QCOMPARE(first->EntryID(), found->Item(1)->EntryID());
    }

    void clauseFromUserText_data()
    {
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<int>("count");
        QTest::newRow("apostrophe") << "O'Brien" << 1;
        QTest::newRow("apostrophes and a joiner") << "Huber' OR [FirstName] = 'Max" << 0;
        QTest::newRow("double quote") << "\"Huber\"" << 0;
        QTest::newRow("brackets") << "[LastName]" << 0;
        QTest::newRow("plain") << "Huber" << 1;
    }
    void clauseFromUserText()
    {
        QFETCH(QString, lastName);
        QFETCH(int, count);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemsPtr items = ns->GetDefaultFolder(defaultfolder::Contacts)->Items();
        const QString text = filter::clause("LastName", lastName) + " OR " + filter::clause("Suffix", lastName);
        QCOMPARE(items->Restrict(text)->Count(), count);
    }

    // Escaping and parsing take time in proportion to the text, however many
    // apostrophes it holds (replacing them in place was quadratic).
    void apostrophesCostLinearTime()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        FolderPtr calendar = ns->GetDefaultFolder(defaultfolder::Calendar);
        const QString quotes(4 << 20, u'\'');
        ItemPtr item = calendar->Items()->Add();
        item->setSubject(quotes + "x");
        item->Save();
        ItemsPtr items = calendar->Items();
        QElapsedTimer roundTrip;
        roundTrip.start();
        const QString text = filter::clause("Subject", quotes + "x");
        QCOMPARE(items->Restrict(text)->Count(), 1);
        QCOMPARE(items->Find(text)->EntryID(), item->EntryID());
        QVERIFY2(roundTrip.elapsed() < 5000, qPrintable(QString::number(roundTrip.elapsed())));

        // Work done, side by side: the apostrophes against plain text as long
        // as their escaped form, each step timed at its fastest of three.
        const auto fastest = [](const std::function<void()> &step) {
            qint64 best = std::numeric_limits<qint64>::max();
            for (int run = 0; run < 3; ++run) {
                QElapsedTimer t;
                t.start();
                step();
                best = std::min(best, t.nsecsElapsed());
            }
            return best;
        };
        const QString plain(8 << 20, u'x');
        const QString plainText = filter::clause("Subject", plain);
        const qint64 escape = fastest([&] { filter::clause("Subject", quotes); });
        const qint64 escapePlain = fastest([&] { filter::clause("Subject", plain); });
        const qint64 parse = fastest([&] { filter::parse(text); });
        const qint64 parsePlain = fastest([&] { filter::parse(plainText); });
        QVERIFY2(escape < 4 * escapePlain, qPrintable(QString("%1 ns against %2 ns").arg(escape).arg(escapePlain)));
        QVERIFY2(parse < 4 * parsePlain, qPrintable(QString("%1 ns against %2 ns").arg(parse).arg(parsePlain)));
    }

    void restrictOfARestriction()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemsPtr items = ns->GetDefaultFolder(defaultfolder::Contacts)->Items();
        ItemsPtr germans = items->Restrict("[BusinessAddressCountry] = 'Deutschland'");
        ItemsPtr narrowed = germans->Restrict("[LastName] = 'Huber' OR [LastName] = 'O''Brien'");
        QCOMPARE(narrowed->Count(), 1);
        QCOMPARE(narrowed->Item(1)->text(u"LastName"), QStringLiteral("Huber"));
    }

    void malformedFilterFails_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("filter");
        const QString contacts = "Persönliche Ordner/Kontakte";
        QTest::newRow("empty") << contacts << "";
        QTest::newRow("unbalanced apostrophe from an undoubled value") << contacts << "[LastName] = 'O'Brien'";
        QTest::newRow("missing closing quote") << contacts << "[LastName] = 'Huber";
        QTest::newRow("missing bracket") << contacts << "LastName = 'Huber'";
        QTest::newRow("missing equals") << contacts << "[LastName] 'Huber'";
        QTest::newRow("unquoted value") << contacts << "[LastName] = Huber";
        QTest::newRow("dangling OR") << contacts << "[LastName] = 'Huber' OR";
        QTest::newRow("unknown joiner") << contacts << "[LastName] = 'Huber' XOR [FirstName] = 'Max'";
        QTest::newRow("unknown field") << contacts << "[Nachname] = 'Huber'";
        QTest::newRow("date field with words") << contacts << "[Birthday] = 'gestern'";
        QTest::newRow("date field with words, empty folder") << "Persönliche Ordner/Kontakte/Kunden" << "[Birthday] = 'gestern'";
        QTest::newRow("date field with words behind a matching clause") << contacts << "[LastName] = 'Mustermann' OR [Birthday] = 'bald'";
    }
    void malformedFilterFails()
    {
        QFETCH(QString, folder);
        QFETCH(QString, filter);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemsPtr items = kw::test::folderAt(ns, folder)->Items();
        QVERIFY(errorNumber([&] { items->Restrict(filter); }) != 0);
        QVERIFY(errorNumber([&] { items->Find(filter); }) != 0);
    }

    void restrictSeesSavedChanges()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        FolderPtr cal = ns->GetDefaultFolder(defaultfolder::Calendar);
        const QString filter = "[Subject] = 'Sommerferien (BY)'";
        QVERIFY(!cal->Items()->Find(filter));
        ItemPtr a = cal->Items()->Add();
        a->set(u"Subject", "Sommerferien (BY)");
        QVERIFY(!cal->Items()->Find(filter)); // not before Save
        a->Save();
        ItemPtr found = cal->Items()->Find(filter);
        QVERIFY(found);
        QCOMPARE(found->EntryID(), a->EntryID());
    }
};

QTEST_GUILESS_MAIN(TestRestrict)
#include "tst_restrict.moc"
