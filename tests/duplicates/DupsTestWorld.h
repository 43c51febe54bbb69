#pragma once

// A profile, settings and a recorded main window for the duplicate runs.

#include "duplicates/DupsContext.h"
#include "platform/mailstore/Application.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/ItemSchema.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/mailstore/UserProperties.h"
#include "support/ItemFixture.h"
#include "support/RecordingRunView.h"
#include "support/TestEnv.h"

#include <QHash>
#include <QStringList>
#include <QVariantMap>

namespace kw::test {

class RecordingView : public RecordingRunViewOn<DupsDel::DupsView>
{
public:
    void showNodes(const DupsDel::DupList &l) override { list = l; }
    void clearNodes() override { list = {}; }
    void setListVisible(bool v) override { visible = v; }
    bool listVisible() const override { return visible; }
    void setListButtonsEnabled(bool e) override { buttonsEnabled = e; }
    std::vector<int> tickedItems() const override { return DupsDel::tickedItemNumbers(list); }
    QString selectedKey() const override { return selected; }

    // Ticks or unticks the node of an item as the user would.
    void tick(int itemNumber, bool on)
    {
        for (DupsDel::DupNode &n : list.nodes) {
            if (n.key == DupsDel::DupNodeKey(itemNumber))
                n.checked = on;
        }
    }
    QStringList nodeKeys() const
    {
        QStringList keys;
        for (const auto &n : list.nodes)
            keys << n.key;
        return keys;
    }

    DupsDel::DupList list;
    bool visible = false;
    bool buttonsEnabled = true;
    QString selected;
};

struct World
{
    World()
    {
        mailstore::faults::reset();
        env.settings.InitDefaultSettings();
        db = mailstore::ProfileDb::open(env.profileFile());
        store = db->addStore(QStringLiteral("Testspeicher"), true);
        // The keep-rule defaults: marked folder first, then series, then age (older stays).
        for (const char *s : {"MasterFolder=1", "TerminSerie=1", "OldDel=1", "Priority.0=2", "Priority.1=1",
                              "Priority.2=0"})
            set(QString::fromLatin1(s));
    }
    ~World() { mailstore::faults::reset(); }

    // "Name=Value"
    void set(const QString &pair)
    {
        const qsizetype at = pair.indexOf(QLatin1Char('='));
        env.settings.SaveSetting(pair.left(at), pair.mid(at + 1));
    }
    void setAll(const QStringList &pairs)
    {
        for (const QString &p : pairs)
            set(p);
    }

    mailstore::FolderRecord addFolder(const QString &name, const QString &messageClass)
    {
        return db->addFolder(store, name, std::nullopt, messageClass);
    }

    // Saves an item with the given fields and creation time; returns its EntryID.
    QString addItem(const mailstore::FolderRecord &folder, int itemClass, const QVariantMap &fields,
                    const QDateTime &created, const QString &messageClass = {})
    {
        return test::addItem(db, folder, itemClass, fields, created, messageClass);
    }

    mailstore::NameSpacePtr ns() { return mailstore::Application::open(env.profileFile())->GetNamespace("MAPI"); }

    // The working set the scans get: these folders ticked, the one at
    // `marked` (1-based) marked; `countDelta` fakes a folder that changed
    // after the count was taken.
    WorkingSet folderSet(const QList<mailstore::FolderRecord> &folders, int marked, int countDelta = 0)
    {
        WorkingSet set;
        set.Folders.append(nullptr);
        const auto space = ns();
        for (const auto &rec : folders) {
            set.Folders.append(space->GetFolderFromID(rec.entryId, rec.storeId));
            set.ItemCount += set.Folders.last()->Items()->Count();
        }
        set.FolderCount = int(folders.size());
        set.ItemCount += countDelta;
        set.MarkedIndex = marked;
        set.OK = true;
        return set;
    }

    DupsDel::DupsContext context()
    {
        return DupsDel::DupsContext{
            {env.settings, env.messages, view,
             [this](bool starting) {
                 calls << (starting ? "BeginEndOperation(yes)" : "BeginEndOperation(no)");
                 if (starting) {
                     view.visible = false;
                     view.list = {};
                     state.resetIds();
                     view.buttonsEnabled = true;
                 }
                 view.progress = 0;
                 view.statuses << QStringLiteral("Bereit");
             },
             [this](const QString &mode) {
                 calls << "GetActivatedFolders(" + mode + ")";
                 WorkingSet set = folderSet(ticked, markedIndex, countDelta);
                 set.OK = setOk;
                 return set;
             }},
            env.mailProfile,
            view,
            state,
            [this](bool busy) { calls << (busy ? "SetBusy(yes)" : "SetBusy(no)"); },
            [this] { calls << "CleanUpMAPI"; },
            [this] { return markedClass; }};
    }

    // Items of a folder by one field, in folder order.
    QStringList fieldOf(const mailstore::FolderRecord &folder, const QString &field)
    {
        QStringList out;
        const auto items = ns()->GetFolderFromID(folder.entryId, folder.storeId)->Items();
        for (int j = 1; j <= items->Count(); ++j)
            out << items->Item(j)->text(field);
        return out;
    }

    TestEnv env;
    mailstore::ProfileDbPtr db;
    mailstore::FolderRecord store;
    RecordingView view;
    DupsDel::DupState state;
    QStringList calls;
    QString markedClass;
    QList<mailstore::FolderRecord> ticked;
    int markedIndex = 1;
    int countDelta = 0;
    bool setOk = true;
};

inline QDateTime at(int minute)
{
    return QDateTime(QDate(2025, 5, 1), QTime(10, 0)).addSecs(60 * minute);
}

} // namespace kw::test
