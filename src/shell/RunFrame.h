#pragma once

#include "platform/mailstore/Fwd.h"
#include "shell/ErrorTrap.h"
#include "shell/FolderFunctions.h"
#include "shell/RunView.h"

#include <QString>

#include <functional>
#include <type_traits>
#include <utility>

namespace kw {

class AppServices;
class Messages;
class Settings;

// What every tool run works with, whichever tool it is: the services it reads
// and reports to, where it shows its progress, how it marks itself busy and
// how it asks for its folders. Each tool's context is one of these plus what
// only that tool needs.
struct RunFrame
{
    Settings &settings;
    Messages &messages;
    RunView &view;
    // The busy switch: the main window's BeginEndOperation for the runs
    // started there, a dialog's own lock for the runs inside a dialog. May be
    // empty where a run has nothing to lock.
    std::function<void(bool starting)> switchBusy;
    // GetActivatedFolders with this mode, an item total from 0, not quiet.
    std::function<WorkingSet(const QString &mode)> GetActivatedFolders;
};

// The frame of a run started from the main window: the program's settings and
// messages, the main window's busy state and folder tree, shown on `view`.
RunFrame mainWindowFrame(AppServices &services, RunView &view);

// Runs `body` busy and inside the error trap of `placeCode`: whatever it
// throws goes to HandleError with `info`. Then `close(ok)` runs, still busy,
// for what a run does after its work and before it lets go (a closing
// message, resetting the status line); the busy switch goes off on every
// path. Returns whether the body ran through.
template<typename Body, typename Close>
bool guardedRun(RunFrame &frame, int placeCode, const QString &info, Body &&body, Close &&close)
{
    if (frame.switchBusy)
        frame.switchBusy(true);
    const bool ok = trapErrors(frame.messages, placeCode, info, std::forward<Body>(body));
    std::forward<Close>(close)(ok);
    if (frame.switchBusy)
        frame.switchBusy(false);
    return ok;
}

template<typename Body>
bool guardedRun(RunFrame &frame, int placeCode, const QString &info, Body &&body)
{
    return guardedRun(frame, placeCode, info, std::forward<Body>(body), [](bool) {});
}

// Calls `visit(folder, index)` (or `visit(folder)`) for the folders of the
// working set in their order; the index counts from 1 as Folders does.
template<typename Visit>
void forEachFolder(const WorkingSet &set, Visit &&visit)
{
    for (int f = 1; f <= set.FolderCount; ++f) {
        if constexpr (std::is_invocable_v<Visit &, const mailstore::FolderPtr &, int>)
            visit(set.Folders[f], f);
        else
            visit(set.Folders[f]);
    }
}

} // namespace kw
