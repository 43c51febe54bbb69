#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/ProfileTestUtil.h"
#include "support/TestEnv.h"

#include <QTest>

using namespace kw::mailstore;
using kw::test::errorNumber;

class TestShares : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resolve_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("resolved");
        QTest::addColumn<QString>("displayName");
        QTest::newRow("exact display name") << "Erika Mustermann" << true << "Erika Mustermann";
        QTest::newRow("other case and blanks") << "  erika MUSTERMANN " << true << "Erika Mustermann";
        QTest::newRow("by address") << "ERIKA.MUSTERMANN@example.org" << true << "Erika Mustermann";
        QTest::newRow("two entries of that name") << "Hans Schmidt" << false << "Hans Schmidt";
        QTest::newRow("unique address of an ambiguous name") << "h.schmidt@example.com" << true << "Hans Schmidt";
        QTest::newRow("part of a name") << "Erika" << false << "Erika";
        QTest::newRow("unknown") << "Otto Normal" << false << "Otto Normal";
        QTest::newRow("empty") << "" << false << "";
    }
    void resolve()
    {
        QFETCH(QString, name);
        QFETCH(bool, resolved);
        QFETCH(QString, displayName);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        RecipientPtr r = ns->CreateRecipient(name);
        QVERIFY(!r->Resolved());
        QCOMPARE(r->Resolve(false), resolved);
        QCOMPARE(r->Resolved(), resolved);
        QCOMPARE(r->Name(), resolved ? displayName : name);
    }

    void sharedFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("folderType");
        QTest::addColumn<QString>("folderName"); // empty: refused
        QTest::newRow("shared calendar") << "Erika Mustermann" << 9 << "Kalender";
        QTest::newRow("shared contacts") << "erika mustermann" << 10 << "Kontakte";
        QTest::newRow("inbox not shared") << "Erika Mustermann" << 6 << "";
        QTest::newRow("tasks not shared and missing") << "Erika Mustermann" << 13 << "";
        QTest::newRow("user without a store") << "hans.schmidt@example.org" << 9 << "";
        QTest::newRow("unresolvable name") << "Otto Normal" << 9 << "";
    }
    void sharedFolder()
    {
        QFETCH(QString, name);
        QFETCH(int, folderType);
        QFETCH(QString, folderName);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        RecipientPtr r = ns->CreateRecipient(name);
        if (folderName.isEmpty()) {
            QVERIFY(errorNumber([&] { ns->GetSharedDefaultFolder(r, folderType); }) != 0);
            return;
        }
        FolderPtr f = ns->GetSharedDefaultFolder(r, folderType);
        QCOMPARE(f->Name(), folderName);
        QVERIFY(f->StoreID() != ns->GetDefaultFolder(folderType)->StoreID());
        if (folderType == 9) {
            QCOMPARE(f->Items()->Count(), 1);
            QCOMPARE(f->Items()->Item(1)->Subject(), QStringLiteral("Urlaub"));
            QCOMPARE(f->DefaultMessageClass(), QStringLiteral("IPM.Appointment"));
        }
    }

    void addressBookListsTheUsers()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        QCOMPARE(ns->addressBook(), (QStringList{"Erika Mustermann", "Hans Schmidt", "Hans Schmidt"}));
    }
};

QTEST_GUILESS_MAIN(TestShares)
#include "tst_shares.moc"
