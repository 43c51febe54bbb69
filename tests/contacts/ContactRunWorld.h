#pragma once

// A profile with one contact folder, the frozen telephone tables, settings
// and a recorded main window for the contact runs and the undo.

#include "contacts/ContactRun.h"
#include "contacts/undo/UndoFunctions.h"
#include "platform/mailstore/Application.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/ItemSchema.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/mailstore/UserProperties.h"
#include "platform/refdb/Database.h"
#include "platform/refdb/FixtureDatabase.h"
#include "platform/ui/HelpViewer.h"
#include "support/ItemFixture.h"
#include "support/RecordingRunView.h"
#include "support/TestEnv.h"

#include <QVariantMap>

namespace kw::test {

struct ContactWorld
{
    ContactWorld()
    {
        mailstore::faults::reset();
        env.settings.InitDefaultSettings();
        buildFixtureDatabase(databasePath(), {QStringLiteral("T_CountryCodes"), QStringLiteral("T_CountryAndAreaCodes")});
        db = mailstore::ProfileDb::open(env.profileFile());
        const mailstore::FolderRecord store = db->addStore(QStringLiteral("Testspeicher"), true);
        folder = db->addFolder(store, QStringLiteral("Kontakte"), QStringLiteral("IPF.Contact"),
                               QStringLiteral("IPM.Contact"));
    }
    ~ContactWorld() { mailstore::faults::reset(); }

    QString databasePath() const { return env.programFolder() + QStringLiteral("/KontorwerkPub.db"); }

    // Saves a contact (or another class) with fields as given, bypassing the
    // composite rules; "user:Name" keys become text user properties.
    QString add(const QVariantMap &fields, int itemClass = mailstore::itemclass::Contact)
    {
        return addItem(db, folder, itemClass, fields, QDateTime(QDate(2025, 5, 1), QTime(10, 0)), {}, FieldWrite::Raw);
    }

    mailstore::ItemPtr item(const QString &entryId)
    {
        return mailstore::Application::open(env.profileFile())->GetNamespace(QStringLiteral("MAPI"))->GetItemFromID(entryId);
    }
    QString field(const QString &entryId, const QString &name) { return item(entryId)->text(name); }
    // The backup's text, or a null string when there is none.
    QString backup(const QString &entryId, const QString &name)
    {
        const auto property = item(entryId)->UserProperties()->Find(contacts::undo::UndoFunctions::backupName(name));
        return property ? property->Value() : QString();
    }
    int backupCount(const QString &entryId)
    {
        const auto properties = item(entryId)->UserProperties();
        int n = 0;
        for (int i = 1; i <= properties->Count(); ++i)
            n += properties->Item(i)->Name().startsWith(QLatin1String("KW Backup ")) ? 1 : 0;
        return n;
    }

    void set(const QString &name, const QString &value) { env.settings.SaveSetting(name, value); }

    contacts::ContactRunContext context()
    {
        return contacts::ContactRunContext{
            {env.settings, env.messages, view,
             [this](bool starting) { calls << (starting ? "BeginEndOperation(yes)" : "BeginEndOperation(no)"); },
             [this](const QString &) {
                 const auto ns = env.mailProfile.mapiNamespace();
                 const mailstore::FolderPtr contacts = ns->GetFolderFromID(folder.entryId, folder.storeId);
                 return WorkingSet{{nullptr, contacts}, 1, 1, contacts->Items()->Count(), true};
             }},
            database};
    }

    TestEnv env;
    refdb::Database database{databasePath()};
    mailstore::ProfileDbPtr db;
    mailstore::FolderRecord folder;
    RecordingRunView view;
    ui::RecordingHelpViewer help;
    QStringList calls;
};

} // namespace kw::test
