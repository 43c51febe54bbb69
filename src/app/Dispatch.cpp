#include "app/Dispatch.h"

#include "contacts/ContactActions.h"
#include "contacts/names/ContactNameActions.h"
#include "duplicates/DuplicateActions.h"
#include "itemtools/ItemRunActions.h"
#include "options/OptionsActions.h"
#include "replace/ReplaceActions.h"
#include "shell/AppServices.h"
#include "shell/BusyState.h"
#include "shell/MainWindowFolders.h"
#include "shell/frmHaupt.h"

#include <functional>

namespace kw::app {
namespace {

using Action = std::function<void()>;

struct Route
{
    QStringList names; // tool-bar keys, menu entries, buttons or window hooks
    Action action;     // what each of these names runs
};

QList<Route> routes(frmHaupt &window, AppServices &services)
{
    // All live as long as the window, which owns them.
    const frmHauptUi &ui = window.controls();
    auto *folders = new MainWindowFolders(&window, ui, ui, services.busy, services.folderTree, services.sharedFolder,
                                          services.messages);
    auto *dups = new DupsDel::DuplicateActions(window, services);
    auto *contactEntries = new contacts::ContactActions(window, services);
    auto *items = new itemtools::ItemRunActions(window, services);
    auto *nameEntries = new contacts::names::ContactNameActions(window, services);
    auto *replacing = new replace::ReplaceActions(window, services);
    auto *optionEntries = new options::OptionsActions(window, services);
    return {
        // Folder tree
        {{"tvwFolderFill"}, [folders] { folders->tvwFolderFill(); }},
        {{"Timer1"}, [folders] { folders->Timer1_Timer(); }},
        {{"cmdAktualisieren"}, [folders] { folders->cmdAktualisieren_Click(); }},
        {{"cmdAlleRück"}, [folders] { folders->cmdAlleRueck_Click(); }},
        {{"cmdZweigMark"}, [folders] { folders->cmdZweigMark_Click(); }},
        // Shared folder of another user
        {{"mnuSharedOpen"}, [folders] { folders->mnuSharedOpen_Click(); }},
        {{"cmdCloseShared"}, [folders] { folders->cmdCloseShared_Click(); }},
        {{"frmSharedFolder"}, [folders] { folders->frmSharedFolder_Click(); }},
        // Duplicates and their list
        {{"Dup", "mnuKontaktDupLoeschen"}, [dups] { dups->RemoveDuplicates(); }},
        {{"cmdDupDel"}, [dups] { dups->cmdDupDel_Click(); }},
        {{"cmdDupView"}, [dups] { dups->cmdDupView_Click(); }},
        {{"cmdDupsClose"}, [dups] { dups->cmdDupsClose_Click(); }},
        // Search and replace
        {{"Suc", "mnuFindReplace"}, [replacing] { replacing->mnuFindReplace_Click(); }},
        // Item utilities
        {{"For", "mnuFormularWechsel"}, [items] { items->mnuFormularWechsel_Click(); }},
        {{"Hol", "mnuHoliday"}, [items] { items->mnuHoliday_Click(); }},
        {{"Att", "mnuAttSave"}, [items] { items->mnuAttSave_Click(); }},
        {{"mnuAttUndo"}, [items] { items->mnuAttUndo_Click(); }}, // runs after a Yes to the window's question
        {{"mnuAttMove"}, [items] { items->mnuAttMove_Click(); }},
        // Contacts
        {{"Tel", "mnuTelNorm"}, [contactEntries] { contactEntries->StandardizeContactTelNumbers(); }},
        {{"Nam", "mnuNameCorrection"}, [nameEntries] { nameEntries->CorrectContactNames(); }},
        {{"mnuUndo"}, [contactEntries] { contactEntries->mnuUndo_Click(); }},
        {{"mnuNameCheck"}, [nameEntries] { nameEntries->mnuNameCheck_Click(); }},
        {{"mnuTelTest"}, [contactEntries] { contactEntries->mnuTelTest_Click(); }},
        // Options
        {{"Opt", "mnuOptionen"}, [optionEntries] { optionEntries->mnuOptionen_Click(); }},
        {{"mnuQuickOption"}, [optionEntries] { optionEntries->mnuQuickOption_Click(); }},
    };
}

} // namespace

WiringResult wireActions(frmHaupt &window, AppServices &services)
{
    // A run switches this window's commands off, and closing it waits for the run.
    services.busy.attach(BusyControls::of(window.controls()));
    services.busy.watchWindow(&window);
    WiringResult result;
    for (const Route &route : routes(window, services)) {
        for (const QString &name : route.names) {
            if (window.setAction(name, route.action))
                result.wired.append(name);
            else
                result.rejected.append(name);
        }
    }
    return result;
}

} // namespace kw::app
