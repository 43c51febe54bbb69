#pragma once

#include "duplicates/DuplicateList.h"
#include "platform/mailstore/Fwd.h"
#include "shell/RunFrame.h"

#include <QString>
#include <functional>
#include <vector>

namespace kw {
class MailProfile;
class Messages;
class Settings;
}

namespace kw::DupsDel {

// What the duplicate runs need from the main window: the status line and
// progress bar of every run, and the duplicate list. The window implements
// it over its widgets; tests record it.
class DupsView : public RunView
{
public:
    // Replaces the list's nodes with these.
    virtual void showNodes(const DupList &list) = 0;
    virtual void clearNodes() = 0;
    virtual void setListVisible(bool visible) = 0;
    virtual bool listVisible() const = 0;
    virtual void setListButtonsEnabled(bool enabled) = 0;
    // The item numbers of the ticked nodes, in the order the nodes were added.
    virtual std::vector<int> tickedItems() const = 0;
    // The key of the selected node; "" when none is selected.
    virtual QString selectedKey() const = 0;
};

// The identities behind the list; they outlive the scan until the next run
// or until the list is closed.
struct DupState
{
    std::vector<QString> DupEntryIDs{QString()};
    std::vector<QString> DupStoreIDs{QString()};
    mailstore::FolderPtr DupMarkedFolder;
    bool removing = false; // a removal is running over the list
    bool scanning = false;

    void resetIds()
    {
        DupEntryIDs.assign(1, QString());
        DupStoreIDs.assign(1, QString());
    }
};

// The frame of one duplicate run (its view is the duplicate view) and what
// the duplicate runs need besides.
struct DupsContext : RunFrame
{
    // The program run's profile: the items of the list are fetched from it.
    MailProfile &profile;
    // The frame's view, with the duplicate list.
    DupsView &view;
    DupState &state;
    // Marks the window busy without starting a run (the removal keeps what the scan showed).
    std::function<void(bool)> SetBusy;
    std::function<void()> CleanUpMAPI;
    std::function<QString()> GetMarkedFolderClass;
    // The removal created the duplicates folder `entryId` under `parent`; may be empty.
    std::function<void(const mailstore::FolderPtr &parent, const QString &entryId)> FolderAdded = {};
};

} // namespace kw::DupsDel
