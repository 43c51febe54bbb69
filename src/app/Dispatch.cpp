#include "app/Dispatch.h"

#include "shell/AppServices.h"
#include "shell/frmHaupt.h"

#include <functional>

namespace kw::app {
namespace {

using Action = std::function<void()>;

struct Route
{
    QStringList names; // tool-bar keys, menu entries, buttons or window hooks
    Action action;     // empty: the tool is not built yet and the entry does nothing
};

QList<Route> routes(frmHaupt &window, AppServices &services)
{
    Q_UNUSED(window);
    Q_UNUSED(services);
    return {
        // Folder tree
        {{"tvwFolderFill"}, {}},
        {{"Timer1"}, {}},
        {{"cmdAktualisieren"}, {}},
        {{"cmdAlleRück"}, {}},
        {{"cmdZweigMark"}, {}},
        // Shared folder of another user
        {{"mnuSharedOpen"}, {}},
        {{"cmdCloseShared"}, {}},
        {{"frmSharedFolder"}, {}},
        // Duplicates and their list
        {{"Dup", "mnuKontaktDupLoeschen"}, {}},
        {{"cmdDupDel"}, {}},
        {{"cmdDupView"}, {}},
        {{"cmdDupsClose"}, {}},
        // Search and replace
        {{"Suc", "mnuFindReplace"}, {}},
        // Item utilities
        {{"For", "mnuFormularWechsel"}, {}},
        {{"Hol", "mnuHoliday"}, {}},
        {{"Att", "mnuAttSave"}, {}},
        {{"mnuAttUndo"}, {}}, // runs after a Yes to the window's question
        {{"mnuAttMove"}, {}},
        // Contacts
        {{"Tel", "mnuTelNorm"}, {}},
        {{"Nam", "mnuNameCorrection"}, {}},
        {{"mnuUndo"}, {}},
        {{"mnuNameCheck"}, {}},
        {{"mnuTelTest"}, {}},
        // Options
        {{"Opt", "mnuOptionen"}, {}},
        {{"mnuQuickOption"}, {}},
    };
}

} // namespace

WiringResult wireActions(frmHaupt &window, AppServices &services)
{
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
