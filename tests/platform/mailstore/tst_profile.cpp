#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/ProfileTestUtil.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <unistd.h>

using namespace kw::mailstore;
using kw::test::errorNumber;
using kw::test::folderAt;

class TestProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingProfileGetsTheDefaultStore()
    {
        kw::test::TestEnv env;
        ApplicationPtr app = Application::open(env.profileFile());
        QCOMPARE(app->Version(), QStringLiteral("16.0"));
        QVERIFY(QFile::exists(env.profileFile()));
        FoldersPtr stores = app->GetNamespace("MAPI")->Folders();
        QCOMPARE(stores->Count(), 1);
        FolderPtr root = stores->Item(1);
        QCOMPARE(root->Name(), QStringLiteral("Persönliche Ordner"));
        QStringList names;
        for (FolderPtr f : root->Folders())
            names << f->Name();
        for (const char *n : {"Posteingang", "Kalender", "Kontakte", "Aufgaben", "Notizen", "Journal", "Gesendete Objekte"})
            QVERIFY2(names.contains(QString::fromUtf8(n)), n);
        QCOMPARE(root->Folders()->Item("Kontakte")->DefaultMessageClass(), QStringLiteral("IPM.Contact"));
        QCOMPARE(root->Folders()->Item("Journal")->DefaultMessageClass(), QStringLiteral("IPM.Activity"));
    }

    void foreignFileIsRefusedAndKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text file") << QByteArray("Adressen\nMax;Mustermann\n");
        QTest::newRow("empty file") << QByteArray();
        QByteArray otherDb;
        {
            // An SQLite database of some other program.
            kw::test::TestEnv env;
            const QString path = env.path("other.db");
            {
                QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
                db.setDatabaseName(path);
                db.open();
                QSqlQuery(db).exec("CREATE TABLE t(x)");
                db.close();
            }
            QSqlDatabase::removeDatabase("other");
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            otherDb = f.readAll();
        }
        QTest::newRow("other sqlite database") << otherDb;
    }
    void foreignFileIsRefusedAndKept()
    {
        QFETCH(QByteArray, content);
        kw::test::TestEnv env;
        QFile f(env.profileFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        QVERIFY(errorNumber([&] { Application::open(env.profileFile()); }) != 0);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
    }

    // A valid profile the program cannot open or read is reported as such,
    // with the system's reason, and not as a foreign file.
    void unreadableProfileIsNotCalledForeign_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("reason");
        QTest::newRow("directory in place of the write-ahead log") << "wal directory" << "Is a directory";
        QTest::newRow("no read permission") << "unreadable" << "Permission denied";
        QTest::newRow("folder not writable") << "read-only folder" << "";
    }
    void unreadableProfileIsNotCalledForeign()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, reason);
        if (obstacle != "wal directory" && ::geteuid() == 0)
            QSKIP("permissions do not bind root");
        kw::test::TestEnv env;
        const QString folder = env.path("profil");
        const QString profile = folder + "/profile.sqlite";
        Application::open(profile); // made and closed again
        QFile file(profile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const auto permissions = QFile::permissions(folder);
        if (obstacle == "wal directory")
            QVERIFY(QDir().mkdir(profile + "-wal"));
        else if (obstacle == "unreadable")
            QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
        else
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

        QString message;
        long number = 0;
        try {
            Application::open(profile);
        } catch (const kw::PlatformError &e) {
            message = e.description();
            number = e.number();
        }
        QFile::setPermissions(folder, permissions);
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QDir().rmdir(profile + "-wal");
        QVERIFY2(message.contains("kann nicht geöffnet oder gelesen werden") && message.contains(reason),
                 qPrintable(message));
        QCOMPARE(number, kw::errors::kPermissionDenied);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        file.close();
        QCOMPARE(Application::open(profile)->GetNamespace("MAPI")->Folders()->Count(), 1);
    }

    void itemIdsInEitherCase_data()
    {
        QTest::addColumn<bool>("lowerEntry");
        QTest::addColumn<bool>("lowerStore");
        QTest::addColumn<bool>("withStore");
        QTest::newRow("upper case") << false << false << true;
        QTest::newRow("lower-case entry") << true << false << true;
        QTest::newRow("lower-case store") << false << true << true;
        QTest::newRow("no store given") << true << false << false;
    }
    void itemIdsInEitherCase()
    {
        QFETCH(bool, lowerEntry);
        QFETCH(bool, lowerStore);
        QFETCH(bool, withStore);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        FolderPtr contacts = folderAt(ns, "Persönliche Ordner/Kontakte");
        ItemPtr first = contacts->Items()->Item(1);
        QString entry = first->EntryID();
        QString store = contacts->StoreID();
        QCOMPARE(entry, entry.toUpper());
        QCOMPARE(first->storeId(), store);
        if (lowerEntry)
            entry = entry.toLower();
        if (lowerStore)
            store = store.toLower();
        ItemPtr again = ns->GetItemFromID(entry, withStore ? store : QString());
        QCOMPARE(again->EntryID(), first->EntryID());
        QCOMPARE(again->text(u"FullName"), QStringLiteral("Dr. Max Mustermann"));
        FolderPtr f = ns->GetFolderFromID(contacts->EntryID().toLower(), withStore ? store : QString());
        QCOMPARE(f->Name(), QStringLiteral("Kontakte"));
    }

    void unknownIdsFail_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("made-up item") << "item";
        QTest::newRow("item in another store") << "wrongstore";
        QTest::newRow("made-up folder") << "folder";
    }
    void unknownIdsFail()
    {
        QFETCH(QString, what);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        FolderPtr contacts = folderAt(ns, "Persönliche Ordner/Kontakte");
        const QString archiveStore = ns->Folders()->Item("Archiv")->StoreID();
        const QString entry = contacts->Items()->Item(1)->EntryID();
        long number = 0;
        if (what == "item")
            number = errorNumber([&] { ns->GetItemFromID("00AB", contacts->StoreID()); });
        else if (what == "wrongstore")
            number = errorNumber([&] { ns->GetItemFromID(entry, archiveStore); });
        else
            number = errorNumber([&] { ns->GetFolderFromID("00AB", contacts->StoreID()); });
        QCOMPARE(number, kw::errors::kObjectNotFound);
    }

    void moveGivesANewEntryId()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        FolderPtr contacts = folderAt(ns, "Persönliche Ordner/Kontakte");
        FolderPtr target = contacts->Folders()->Add("Duplikate (erstellt von Kontorwerk)");
        const int before = contacts->Items()->Count();
        ItemPtr item = contacts->Items()->Item(2);
        const QString oldId = item->EntryID();
        item->set(u"JobTitle", "Leiter"); // pending change travels with the move
        item->Move(target);
        QVERIFY(item->EntryID() != oldId);
        QCOMPARE(errorNumber([&] { ns->GetItemFromID(oldId); }), kw::errors::kObjectNotFound);
        ItemPtr moved = ns->GetItemFromID(item->EntryID(), target->StoreID());
        QCOMPARE(moved->text(u"LastName"), QStringLiteral("O'Brien"));
        QCOMPARE(moved->text(u"JobTitle"), QStringLiteral("Leiter"));
        QCOMPARE(moved->Parent()->Name(), target->Name());
        QCOMPARE(contacts->Items()->Count(), before - 1);
        QCOMPARE(target->Items()->Count(), 1);
        // the stale snapshot of the old place cannot be saved back
        QCOMPARE(errorNumber([&] { ns->GetItemFromID(oldId)->Save(); }), kw::errors::kObjectNotFound);
    }

    void moveOfAnItemDeletedMeanwhileFails_data()
    {
        QTest::addColumn<bool>("pendingChange");
        QTest::newRow("unchanged snapshot") << false;
        QTest::newRow("snapshot with a pending change") << true;
    }
    void moveOfAnItemDeletedMeanwhileFails()
    {
        QFETCH(bool, pendingChange);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        FolderPtr notes = folderAt(ns, "Persönliche Ordner/Notizen");
        FolderPtr target = notes->Folders()->Add("Ziel");
        ItemPtr note = notes->Items()->Item(1);
        // Another connection (another window or program) deletes it for good.
        Application::open(env.profileFile())->GetNamespace("MAPI")->GetItemFromID(note->EntryID())->Delete();
        if (pendingChange)
            note->setBody("geändert");
        QString message;
        try {
            note->Move(target);
        } catch (const kw::PlatformError &e) {
            message = e.description();
        }
        QVERIFY2(message.startsWith("Das Element wurde nicht gefunden"), qPrintable(message));
        QCOMPARE(target->Items()->Count(), 0);
    }

    // The fixture's store has no deleted items: there a delete is final.
    void deleteRemovesTheItem()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemsPtr items = folderAt(ns, "Persönliche Ordner/Notizen")->Items();
        ItemPtr note = items->Item(1);
        ItemPtr sameNote = ns->GetItemFromID(note->EntryID());
        note->Delete();
        QCOMPARE(folderAt(ns, "Persönliche Ordner/Notizen")->Items()->Count(), 0);
        QCOMPARE(errorNumber([&] { ns->GetItemFromID(note->EntryID()); }), kw::errors::kObjectNotFound);
        QVERIFY(errorNumber([&] { note->Save(); }) != 0);
        sameNote->setBody("wieder da?");
        QCOMPARE(errorNumber([&] { sameNote->Save(); }), kw::errors::kObjectNotFound);
        QCOMPARE(folderAt(ns, "Persönliche Ordner/Notizen")->Items()->Count(), 0);
    }

    void saveFailingInsideItsTransactionLeavesLaterSavesWorking()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemsPtr contacts = folderAt(ns, "Persönliche Ordner/Kontakte")->Items();
        ItemPtr gone = contacts->Item(1);
        ItemPtr other = contacts->Item(2);
        Application::open(env.profileFile())->GetNamespace("MAPI")->GetItemFromID(gone->EntryID())->Delete();
        gone->set(u"JobTitle", "Leiter");
        QCOMPARE(errorNumber([&] { gone->Save(); }), kw::errors::kObjectNotFound);
        other->set(u"JobTitle", "Leiterin");
        other->Save();
        // read through another connection: committed, not left in an open transaction
        ItemPtr back = Application::open(env.profileFile())->GetNamespace("MAPI")->GetItemFromID(other->EntryID());
        QCOMPARE(back->text(u"JobTitle"), QStringLiteral("Leiterin"));
    }

    void deleteGoesToDeletedItemsFirst()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = Application::open(env.profileFile())->GetNamespace("MAPI"); // a new profile with its default folders
        FolderPtr contacts = folderAt(ns, "Persönliche Ordner/Kontakte");
        FolderPtr bin = folderAt(ns, "Persönliche Ordner/Gelöschte Objekte");
        ItemPtr item = contacts->Items()->Add();
        item->set(u"LastName", "Meier");
        item->Save();
        const QString oldId = item->EntryID();

        item->Delete();
        QCOMPARE(contacts->Items()->Count(), 0);
        QCOMPARE(errorNumber([&] { ns->GetItemFromID(oldId); }), kw::errors::kObjectNotFound);
        QCOMPARE(bin->Items()->Count(), 1);
        ItemPtr kept = bin->Items()->Item(1);
        QCOMPARE(kept->text(u"LastName"), QStringLiteral("Meier"));
        QVERIFY(errorNumber([&] { item->Save(); }) != 0);

        // Deleting in the deleted items, or in a folder below them, is final.
        FolderPtr below = bin->Folders()->Add("Alt");
        kept->Move(below);
        kept->Delete();
        QCOMPARE(below->Items()->Count(), 0);
        QCOMPARE(bin->Items()->Count(), 0);
        QCOMPARE(errorNumber([&] { ns->GetItemFromID(kept->EntryID()); }), kw::errors::kObjectNotFound);
    }

    void savingASnapshotKeepsWhatAnotherSaved_data()
    {
        // Two snapshots of one item: the other one's change is saved first,
        // then this one saves a field of its own.
        QTest::addColumn<QString>("otherChange");
        QTest::newRow("user property added") << "add";
        QTest::newRow("user property deleted") << "delete";
        QTest::newRow("message class changed") << "class";
        QTest::newRow("field this one sets to the text it has") << "field";
    }
    void savingASnapshotKeepsWhatAnotherSaved()
    {
        QFETCH(QString, otherChange);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemPtr mine = folderAt(ns, "Persönliche Ordner/Kontakte")->Items()->Item(1);
        ItemPtr other = ns->GetItemFromID(mine->EntryID());
        const QString department = mine->text(u"Department");
        if (otherChange == "field")
            other->set(u"Department", "Einkauf");
        else if (otherChange == "add")
            other->UserProperties()->Add("Outlook ID (created by Kontorwerk)")->setValue("00AB");
        else if (otherChange == "delete")
            other->UserProperties()->Find("KW Backup Fullname")->Delete();
        else
            other->setMessageClass("IPM.Contact.Kunde");
        other->Save();
        mine->set(u"JobTitle", "Leiter");
        mine->set(u"Department", department); // no change: not written
        mine->Save();
        ItemPtr back = ns->GetItemFromID(mine->EntryID());
        QCOMPARE(back->text(u"JobTitle"), QStringLiteral("Leiter"));
        QCOMPARE(back->text(u"Department"), otherChange == "field" ? QStringLiteral("Einkauf") : department);
        QCOMPARE(bool(back->UserProperties()->Find("Outlook ID (created by Kontorwerk)")), otherChange == "add");
        QCOMPARE(bool(back->UserProperties()->Find("KW Backup Fullname")), otherChange != "delete");
        QCOMPARE(back->MessageClass(),
                 otherChange == "class" ? QStringLiteral("IPM.Contact.Kunde") : QStringLiteral("IPM.Contact"));
    }

    void addedItemTakesTheFolderClass_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("cls");
        QTest::addColumn<QString>("messageClass");
        QTest::newRow("calendar") << "Persönliche Ordner/Kalender" << 26 << "IPM.Appointment";
        QTest::newRow("custom contact form") << "Persönliche Ordner/Kontakte/Kunden" << 40 << "IPM.Contact.Kunde";
        QTest::newRow("journal") << "Persönliche Ordner/Journal" << 42 << "IPM.Activity";
    }
    void addedItemTakesTheFolderClass()
    {
        QFETCH(QString, folder);
        QFETCH(int, cls);
        QFETCH(QString, messageClass);
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        FolderPtr f = folderAt(ns, folder);
        const int before = f->Items()->Count();
        ItemPtr item = f->Items()->Add();
        QCOMPARE(item->Class(), cls);
        QCOMPARE(item->MessageClass(), messageClass);
        QVERIFY(item->EntryID().isEmpty());
        QCOMPARE(f->Items()->Count(), before); // nothing stored before Save
        item->setSubject("Neu");
        item->Save();
        QVERIFY(!item->EntryID().isEmpty());
        QVERIFY(item->CreationTime().isValid());
        QCOMPARE(f->Items()->Count(), before + 1);
        QCOMPARE(f->Items()->Item(before + 1)->Subject(), QStringLiteral("Neu"));
    }

    void classComesFromTheKind()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemsPtr items = folderAt(ns, "Persönliche Ordner/Kontakte")->Items();
        ItemPtr list = items->Find("[Subject] = 'Team Süd'");
        QVERIFY(list);
        QCOMPARE(list->Class(), 69);
        ItemPtr c = items->Item(1);
        c->setMessageClass("IPM.Note");
        c->Save();
        ItemPtr back = ns->GetItemFromID(c->EntryID());
        QCOMPARE(back->MessageClass(), QStringLiteral("IPM.Note"));
        QCOMPARE(back->Class(), 40);
        QCOMPARE(back->get(u"class").toInt(), 40);
    }

    void fieldsByNameAndType()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemPtr mail = folderAt(ns, "Persönliche Ordner/Posteingang")->Items()->Item(1);
        QCOMPARE(mail->text(u"RECEIVEDTIME"), QStringLiteral("02.03.2024 09:16:30"));
        QCOMPARE(mail->get(u"receivedtime").toDateTime(), QDateTime(QDate(2024, 3, 2), QTime(9, 16, 30), Qt::UTC));
        QCOMPARE(mail->text(u"to"), QStringLiteral("Erika Musterfrau"));
        QCOMPARE(errorNumber([&] { mail->text(u"Nonsense"); }), kw::errors::kInvalidArgument);
        ItemPtr appt = folderAt(ns, "Persönliche Ordner/Kalender")->Items()->Item(1);
        QCOMPARE(appt->get(u"AllDayEvent").toBool(), true);
        QCOMPARE(appt->text(u"ReminderSet"), QStringLiteral("Falsch"));
        QCOMPARE(appt->get(u"BusyStatus").toInt(), 0);
        ItemPtr contact = folderAt(ns, "Persönliche Ordner/Kontakte")->Items()->Item(2);
        QCOMPARE(contact->text(u"Birthday"), QStringLiteral("01.01.4501"));
        // a failed write leaves the field as it was
        QCOMPARE(errorNumber([&] { contact->set(u"Birthday", "nächste Woche"); }), kw::errors::kTypeMismatch);
        QCOMPARE(contact->text(u"Birthday"), QStringLiteral("01.01.4501"));
        QVERIFY(contact->Saved());
        contact->set(u"Birthday", "7.1.1980");
        contact->Save();
        QCOMPARE(ns->GetItemFromID(contact->EntryID())->text(u"Birthday"), QStringLiteral("07.01.1980"));
        contact->set(u"Birthday", "01.01.4501");
        contact->Save();
        QCOMPARE(ns->GetItemFromID(contact->EntryID())->text(u"Birthday"), QStringLiteral("01.01.4501"));
    }

    void folderLookupAndAdd()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        FolderPtr contacts = folderAt(ns, "Persönliche Ordner/Kontakte");
        FoldersPtr subs = contacts->Folders();
        QVERIFY(!subs->find("Duplikate"));
        QCOMPARE(errorNumber([&] { subs->Item("Duplikate"); }), kw::errors::kObjectNotFound);
        FolderPtr made = subs->Add("Duplikate");
        QCOMPARE(made->DefaultMessageClass(), QStringLiteral("IPM.Contact"));
        QCOMPARE(made->containerClass().value_or(QString()), QStringLiteral("IPF.Contact"));
        QCOMPARE(made->StoreID(), contacts->StoreID());
        QCOMPARE(contacts->Folders()->Item("duplikate")->EntryID(), made->EntryID());
        QVERIFY(errorNumber([&] { contacts->Folders()->Add("Duplikate"); }) != 0);
        QVERIFY(errorNumber([&] { ns->Folders()->Add("Neu"); }) != 0);
        QVERIFY(!folderAt(ns, "Persönliche Ordner/Ohne Klasse")->containerClass().has_value());
        // other users' stores are not among the roots
        QStringList roots;
        for (FolderPtr f : ns->Folders())
            roots << f->Name();
        QCOMPARE(roots, (QStringList{"Persönliche Ordner", "Archiv"}));
    }

    void folderHeldAfterTheApplicationIsGone()
    {
        kw::test::TestEnv env;
        kw::test::openFixture(env.profileFile());
        FolderPtr held;
        {
            ApplicationPtr app = Application::open(env.profileFile());
            held = app->GetNamespace("MAPI")->GetDefaultFolder(defaultfolder::Calendar);
        }
        QCOMPARE(held->Items()->Count(), 2);
        QCOMPARE(held->Items()->Item(2)->Subject(), QStringLiteral("Jour fixe"));
    }

    void versionAndNamespace()
    {
        kw::test::TestEnv env;
        kw::test::openFixture(env.profileFile());
        Application::setDefaultVersion("10.0.6626");
        const ApplicationPtr old = Application::open(env.profileFile());
        Application::setDefaultVersion("16.0");
        QCOMPARE(old->Version(), QStringLiteral("10.0.6626"));
        const ApplicationPtr app = Application::open(env.profileFile());
        QCOMPARE(app->Version(), QStringLiteral("16.0"));
        app->setVersion("11.0");
        QCOMPARE(app->Version(), QStringLiteral("11.0"));
        QCOMPARE(old->Version(), QStringLiteral("10.0.6626"));
        QVERIFY(errorNumber([&] { app->GetNamespace("CDO"); }) != 0);
    }

    void inspectorShowsTheItem()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        QStringList shown;
        Inspector::setDisplayHook([&](const ItemPtr &item) { shown << item->EntryID(); });
        ItemPtr item = ns->GetDefaultFolder(defaultfolder::Tasks)->Items()->Item(1);
        item->GetInspector()->Display();
        Inspector::setDisplayHook({});
        QCOMPARE(shown, QStringList{item->EntryID()});
        // Without a hook nothing would show: that is an error, not a no-op.
        QVERIFY(errorNumber([&] { item->GetInspector()->Display(); }) != 0);
    }

    void itemsInStableOrder()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemsPtr items = folderAt(ns, "Persönliche Ordner/Kontakte")->Items();
        QStringList first, second;
        for (ItemPtr i : items)
            first << i->EntryID();
        ItemPtr changed = items->Item(1);
        changed->set(u"LastName", "Zuletzt");
        changed->Save(); // saving does not move an item to the end
        for (ItemPtr i : folderAt(ns, "Persönliche Ordner/Kontakte")->Items())
            second << i->EntryID();
        QCOMPARE(second, first);
        QCOMPARE(errorNumber([&] { items->Item(0); }), kw::errors::kInvalidArgument);
        QCOMPARE(errorNumber([&] { items->Item(items->Count() + 1); }), kw::errors::kInvalidArgument);
    }
};

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
