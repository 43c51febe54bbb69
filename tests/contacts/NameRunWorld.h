#pragma once

// A contact folder on a fixture profile, the frozen name tables and a
// recorded main window for the name run.

#include "contacts/CorrectContactNames.h"
#include "contacts/ContactNameRules.h"
#include "contacts/NameWordCsv.h"
#include "platform/mailstore/Application.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mailstore/UserProperties.h"
#include "support/TestEnv.h"

#include <QJsonArray>
#include <QJsonObject>

namespace kw::test {

class RecordingNameView : public NameRunView
{
public:
    void setStatus(const QString &text) override { statuses << text; }
    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void setProgress(int value) override { progress = value; }
    void yield() override
    {
        ++yields;
        if (onYield)
            onYield(yields);
    }

    QStringList statuses;
    int progressMaximum = 0;
    int progress = 0;
    int yields = 0;
    std::function<void(int)> onYield;
};

inline std::shared_ptr<const NameWordTables> fixtureNameTables()
{
    static const auto tables =
        std::make_shared<const NameWordTables>(loadNameWordCsvFolder(QStringLiteral(KW_TEST_FIXTURES "/names")));
    return tables;
}

struct NameRunWorld
{
    NameRunWorld()
    {
        mailstore::faults::reset();
        env.settings.InitDefaultSettings();
    }
    ~NameRunWorld() { mailstore::faults::reset(); }

    // A contact with the nine name fields as given (in ContactNameFields
    // order), stored without the mail client's name rules.
    void addContact(const QStringList &values, const QJsonArray &userProperties = {})
    {
        QJsonObject fields;
        for (int k = 0; k < values.size(); ++k)
            fields[ContactNameFields::names()[k]] = values[k];
        QJsonObject item{{"class", 40}, {"fields", fields}};
        if (!userProperties.isEmpty())
            item["userProperties"] = userProperties;
        items.append(item);
    }
    void addDistList() { items.append(QJsonObject{{"class", 69}, {"fields", QJsonObject{{"DLName", "Team"}}}}); }

    void create()
    {
        const QJsonObject folder{{"name", "Kontakte"},         {"containerClass", "IPF.Contact"},
                                 {"defaultMessageClass", "IPM.Contact"}, {"defaultFolder", 10},
                                 {"items", items}};
        const QJsonObject store{{"name", "Testspeicher"}, {"folders", QJsonArray{folder}}};
        mailstore::fixture::createProfile(env.profileFile(), QJsonObject{{"stores", QJsonArray{store}}});
    }

    int run()
    {
        NameRunContext ctx{env.settings,
                           env.messages,
                           *words,
                           view,
                           [this](bool starting) {
                               calls << (starting ? "BeginEndOperation(yes)" : "BeginEndOperation(no)");
                           },
                           [this](const QString &mode) {
                               calls << "GetActivatedFolders(" + mode + ")";
                               WorkingSet set;
                               set.Folders = {nullptr, folder()};
                               set.FolderCount = 1;
                               set.OK = true;
                               return set;
                           }};
        return CorrectContactNames(ctx);
    }

    mailstore::FolderPtr folder()
    {
        return env.mailProfile.mapiNamespace()->GetDefaultFolder(mailstore::defaultfolder::Contacts);
    }
    mailstore::ItemPtr item(int j) { return folder()->Items()->Item(j); }
    QStringList fields(int j)
    {
        const mailstore::ItemPtr it = item(j);
        QStringList out;
        for (const QString &name : ContactNameFields::names())
            out << it->text(name);
        return out;
    }
    // The nine backups in field order; a missing one is a null string.
    QStringList backups(int j)
    {
        const mailstore::UserPropertiesPtr props = item(j)->UserProperties();
        QStringList out;
        for (const QString &name : ContactNameFields::names()) {
            const mailstore::UserPropertyPtr p = props->Find("KW Backup " + name);
            out << (p ? p->Value() : QString());
        }
        return out;
    }
    int userPropertyCount(int j) { return item(j)->UserProperties()->Count(); }
    QStringList prompts() const { return env.box.prompts(); }

    TestEnv env;
    FixedNameWordSource fixedWords{fixtureNameTables()};
    NameWordSource *words = &fixedWords;
    RecordingNameView view;
    QStringList calls;
    QJsonArray items;
};

} // namespace kw::test
