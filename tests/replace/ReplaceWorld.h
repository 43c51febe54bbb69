#pragma once

// The replace tests' profile (replace_profile.json), its folders as working
// sets and quick reads of what the store holds afterwards.

#include "platform/mailstore/Application.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mailstore/UserProperties.h"
#include "replace/ReplaceFields.h"
#include "shell/FolderFunctions.h"
#include "support/TestEnv.h"

namespace kw::test {

struct ReplaceWorld
{
    ReplaceWorld()
    {
        mailstore::faults::reset();
        mailstore::fixture::createProfileFromFile(env.profileFile(), QStringLiteral(KW_REPLACE_FIXTURE));
    }
    explicit ReplaceWorld(const QJsonObject &fixture)
    {
        mailstore::faults::reset();
        mailstore::fixture::createProfile(env.profileFile(), fixture);
    }
    ~ReplaceWorld() { mailstore::faults::reset(); }

    mailstore::NameSpacePtr ns() const
    {
        return mailstore::Application::open(env.profileFile())->GetNamespace(QStringLiteral("MAPI"));
    }

    // The folders of the store by name, as GetActivatedFolders hands them out.
    WorkingSet set(const QStringList &names) const
    {
        WorkingSet s;
        s.Folders.append(nullptr);
        const mailstore::FoldersPtr folders = ns()->Folders()->Item(1)->Folders();
        for (const QString &name : names)
            s.Folders.append(folders->Item(name));
        s.FolderCount = int(names.size());
        s.MarkedIndex = 1;
        s.OK = true;
        return s;
    }

    QString field(const QString &entryId, const QString &property) const
    {
        return ns()->GetItemFromID(entryId)->text(property);
    }
    QString userField(const QString &entryId, const QString &name) const
    {
        return ns()->GetItemFromID(entryId)->UserProperties()->Find(name)->Value();
    }
    QJsonObject dump() const { return mailstore::fixture::dumpProfile(env.profileFile()); }

    // The field indexes of these captions in the list of a message class.
    static QList<int> fieldIndexes(const QString &messageClass, const QStringList &captions)
    {
        QList<int> out;
        const auto &fields = replace::replaceItemType(messageClass)->fields;
        for (int k = 0; k < fields.size(); ++k) {
            if (captions.contains(fields[k].caption))
                out.append(k);
        }
        return out;
    }

    TestEnv env;
};

} // namespace kw::test
