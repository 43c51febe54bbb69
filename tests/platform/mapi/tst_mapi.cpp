#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/ProfileTestUtil.h"
#include "platform/mapi/MAPITable.h"
#include "platform/mapi/MAPIUtils.h"
#include "platform/mapi/MapiTags.h"
#include "platform/mapi/SafeItem.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kw::mailstore;
using namespace kw::mapi;
using kw::test::errorNumber;

namespace {
const QList<quint32> kColumns = {PR_ENTRYID, PR_STORE_ENTRYID, PR_DISPLAY_NAME, PR_CONTAINER_CLASS};
}

class TestMapi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tableRowsOfAFolderLevel()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        FolderPtr root = ns->Folders()->Item(1);
        MAPITable table;
        table.setItem(root->Folders());
        table.setColumns(kColumns);
        table.GoToFirst();
        QCOMPARE(table.RowCount(), 8);
        const QList<QVariantList> rows = table.GetRows(table.RowCount());
        QCOMPARE(rows.size(), 8);
        QStringList names;
        for (const QVariantList &row : rows) {
            QCOMPARE(row.size(), 4);
            names << row[2].toString();
            // the hex of the binary IDs finds the folder again
            FolderPtr f = ns->GetFolderFromID(MAPIUtils::HexFromBin(row[0]), MAPIUtils::HexFromBin(row[1]));
            QCOMPARE(f->Name(), row[2].toString());
            QCOMPARE(MAPIUtils::HexFromBin(row[1]), root->StoreID());
        }
        QCOMPARE(names.first(), QStringLiteral("Posteingang"));
        QCOMPARE(rows[3][3].toString(), QStringLiteral("IPF.Contact"));
        QVERIFY(!rows[7][3].isValid()); // "Ohne Klasse" has no container class
        QVERIFY(table.GetRows(5).isEmpty()); // the position moved past the end
        table.GoToFirst();
        QCOMPARE(table.GetRows(2).size(), 2);
    }

    void tableColumnOrderFollowsTheColumns()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        MAPITable table;
        table.setItem(ns->Folders()->Item("Archiv")->Folders());
        table.setColumns({PR_DISPLAY_NAME, 0x12340003, PR_CONTAINER_CLASS});
        const QList<QVariantList> rows = table.GetRows(10);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1][0].toString(), QStringLiteral("Projekte"));
        QVERIFY(!rows[1][1].isValid());
        QCOMPARE(rows[1][2].toString(), QStringLiteral("IPF.Note"));
    }

    void hex_data()
    {
        QTest::addColumn<QByteArray>("bin");
        QTest::addColumn<QString>("hex");
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("upper-case digits") << QByteArray::fromHex("00ab10ff") << "00AB10FF";
    }
    void hex()
    {
        QFETCH(QByteArray, bin);
        QFETCH(QString, hex);
        QCOMPARE(MAPIUtils::HexFromBin(bin), hex);
        QCOMPARE(MAPIUtils::BinFromHex(hex.toLower()), bin);
        QCOMPARE(MAPIUtils::HexFromBin(QVariant(hex.toLower())), hex);
    }
    void badHex()
    {
        QVERIFY(errorNumber([] { MAPIUtils::BinFromHex("ABC"); }) != 0);
        QVERIFY(errorNumber([] { MAPIUtils::BinFromHex("XY"); }) != 0);
    }

    void recipientThroughUtils()
    {
        kw::test::TestEnv env;
        MAPIUtils utils(kw::test::openFixture(env.profileFile()));
        RecipientPtr r = utils.CreateRecipient("erika mustermann", true, 0);
        QVERIFY(r->Resolve(false));
        QCOMPARE(r->Name(), QStringLiteral("Erika Mustermann"));
        const int before = MAPIUtils::cleanupCount();
        utils.Cleanup();
        QCOMPARE(MAPIUtils::cleanupCount(), before + 1);
        QVERIFY(!utils.CreateRecipient("Niemand")->Resolve());
    }

    void safeItemsByProgId_data()
    {
        QTest::addColumn<QString>("progId");
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("attachments");
        QTest::newRow("contact") << "KWSafe3.SafeContactItem" << true << false;
        QTest::newRow("mail") << "KWSafe3.SafeMailItem" << true << true;
        QTest::newRow("post") << "KWSafe3.SafePostItem" << true << true;
        QTest::newRow("appointment") << "KWSafe3.SafeAppointmentItem" << true << false;
        QTest::newRow("task") << "KWSafe3.SafeTaskItem" << true << false;
        QTest::newRow("journal") << "KWSafe3.SafeJournalItem" << true << false;
        QTest::newRow("unknown") << "KWSafe3.SafeNoteItem" << false << false;
    }
    void safeItemsByProgId()
    {
        QFETCH(QString, progId);
        QFETCH(bool, known);
        QFETCH(bool, attachments);
        if (!known) {
            QCOMPARE(errorNumber([&] { CreateSafeItem(progId); }), 429);
            return;
        }
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        SafeItemPtr safe = CreateSafeItem(progId);
        QVERIFY(errorNumber([&] { safe->Subject(); }) != 0); // no item yet
        safe->setItem(ns->GetDefaultFolder(defaultfolder::Inbox)->Items()->Item(1));
        QCOMPARE(errorNumber([&] { safe->Attachments(); }) == 0, attachments);
    }

    void safeItemReadsAndWritesThrough()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemPtr contact = ns->GetDefaultFolder(defaultfolder::Contacts)->Items()->Item(1);
        SafeItemPtr safe = CreateSafeItem(progid::SafeContactItem);
        safe->setItem(contact);
        QCOMPARE(safe->EntryID(), contact->EntryID());
        QCOMPARE(safe->text(u"fullname"), contact->text(u"FullName"));
        QCOMPARE(safe->get(u"CreationTime"), contact->get(u"CreationTime"));
        QCOMPARE(safe->UserProperties()->Find("KW Backup Fullname")->Value(), QStringLiteral("Max Mustermann"));
        safe->set(u"BusinessTelephoneNumber", "+49 (89) 123456");
        QCOMPARE(contact->text(u"BusinessTelephoneNumber"), QStringLiteral("+49 (89) 123456"));
        safe->Save();
        QCOMPARE(ns->GetItemFromID(contact->EntryID())->text(u"BusinessTelephoneNumber"),
                 QStringLiteral("+49 (89) 123456"));
        QCOMPARE(safeProgIdForClass(44), progid::SafePostItem);
    }

    void attachmentsOfAMail()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        SafeItemPtr safe = CreateSafeItem(progid::SafeMailItem);
        safe->setItem(ns->GetDefaultFolder(defaultfolder::Inbox)->Items()->Item(1));
        SafeAttachmentsPtr atts = safe->Attachments();
        QCOMPARE(atts->Count(), 4);
        SafeAttachmentPtr text = atts->Item(1);
        QCOMPARE(text->FileName(), QStringLiteral("Angebot.txt"));
        QCOMPARE(text->Type(), 1);
        QCOMPARE(text->Size(), qint64(15));
        QVERIFY(!text->Fields(PR_ATTACHMENT_HIDDEN).isValid()); // never set: empty
        QCOMPARE(text->Fields(PR_ATTACHMENT_HIDDEN) == QVariant(false), false);
        QCOMPARE(atts->Item(2)->Fields(PR_ATTACHMENT_HIDDEN), QVariant(true));
        QCOMPARE(atts->Item(4)->Fields(PR_ATTACHMENT_HIDDEN), QVariant(false));
        SafeAttachmentPtr link = atts->Item(3);
        QCOMPARE(link->Type(), 4);
        QCOMPARE(link->DisplayName(), QStringLiteral("Vertrag (Entwurf).pdf"));
        QCOMPARE(link->Fields(PR_ATTACH_PATHNAME).toString(), QStringLiteral("/srv/anlagen/Vertrag.pdf"));
        QCOMPARE(text->Fields(PR_ATTACH_PATHNAME).toString(), QString());
        QVERIFY(errorNumber([&] { atts->Item(5); }) != 0);
    }

    void saveAsFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("ok");
        QTest::newRow("existing folder") << "out/Angebot.txt" << true;
        QTest::newRow("missing folder") << "fehlt/Angebot.txt" << false;
    }
    void saveAsFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, ok);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        QDir().mkpath(env.path("out"));
        SafeItemPtr safe = CreateSafeItem(progid::SafeMailItem);
        safe->setItem(ns->GetDefaultFolder(defaultfolder::Inbox)->Items()->Item(1));
        const QString path = env.path(target);
        const long err = errorNumber([&] { safe->Attachments()->Item(1)->SaveAsFile(path); });
        QCOMPARE(err == 0, ok);
        QCOMPARE(QFile::exists(path), ok);
        if (!ok) {
            QCOMPARE(err, kw::errors::kPathNotFound);
            return;
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("Preis: 100 EUR\n"));
    }

    void exportAndImportRoundTrip()
    {
        // What the attachment tools do: save, delete, link; later bring it back.
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        const QString id = ns->GetDefaultFolder(defaultfolder::Inbox)->Items()->Item(1)->EntryID();
        const QString file = env.path("Angebot.txt");
        {
            SafeItemPtr safe = CreateSafeItem(progid::SafeMailItem);
            safe->setItem(ns->GetItemFromID(id));
            SafeAttachmentPtr a = safe->Attachments()->Item(1);
            a->SaveAsFile(file);
            a->Delete();
            QCOMPARE(safe->Attachments()->Count(), 3);
            // not gone from the store before Save
            QCOMPARE(ns->GetItemFromID(id)->Attachments()->Count(), 4);
            safe->Save();
            safe->Attachments()->Add(file, 4, 0, "Angebot.txt");
            safe->Save();
        }
        SafeItemPtr safe = CreateSafeItem(progid::SafeMailItem);
        safe->setItem(ns->GetItemFromID(id));
        SafeAttachmentsPtr atts = safe->Attachments();
        QCOMPARE(atts->Count(), 4);
        QCOMPARE(atts->Item(1)->FileName(), QStringLiteral("logo.png")); // the others moved up
        SafeAttachmentPtr link = atts->Item(4);
        QCOMPARE(link->Type(), 4);
        QCOMPARE(link->Fields(PR_ATTACH_PATHNAME).toString(), file);
        // import: the linked file's content back by value
        atts->Add(link->Fields(PR_ATTACH_PATHNAME).toString());
        link->Delete();
        safe->Save();
        ItemPtr reread = ns->GetItemFromID(id);
        AttachmentsPtr back = reread->Attachments();
        QCOMPARE(back->Count(), 4);
        QCOMPARE(back->Item(4)->Type(), 1);
        QCOMPARE(back->Item(4)->Size(), qint64(15));
        QCOMPARE(back->Item(4)->FileName(), QStringLiteral("Angebot.txt"));
        QCOMPARE(back->Item(1)->hidden(), QVariant(true));
    }

    void addingAMissingFileFails()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        SafeItemPtr safe = CreateSafeItem(progid::SafePostItem);
        safe->setItem(ns->GetDefaultFolder(defaultfolder::Inbox)->Items()->Item(2));
        QCOMPARE(errorNumber([&] { safe->Attachments()->Add(env.path("gibtsnicht.txt")); }), kw::errors::kFileNotFound);
        QCOMPARE(safe->Attachments()->Count(), 0);
        // a link to a missing file is fine: it only records the path
        safe->Attachments()->Add(env.path("gibtsnicht.txt"), 4);
        QCOMPARE(safe->Attachments()->Count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMapi)
#include "tst_mapi.moc"
