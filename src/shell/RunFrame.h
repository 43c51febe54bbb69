#pragma once

#include "platform/mailstore/Fwd.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"
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

// Where a run departs from the usual order of guardedRun.
struct RunShape
{
    // The body marks the window busy itself, part-way (the duplicate removal
    // does so without starting a run); the frame only switches it off.
    bool bodyTakesBusy = false;
    // The error is shown once busy is off, so the window is usable under it.
    bool releaseBeforeReport = false;
};

// The least a guarded run needs, for the runs inside a dialog that have no
// frame of the main window: where errors go and the dialog's own lock (or
// nothing, where the dialog is modal and locks nothing).
struct RunGuard
{
    Messages &messages;
    std::function<void(bool starting)> switchBusy;
};

// Runs `body` busy and inside the error trap of `placeCode`: whatever it
// throws goes to HandleError with `info`. Then `close(ok)` runs, still busy,
// for what a run does after its work and before it lets go (a closing
// message, resetting the status line); the busy switch goes off on every
// path. Returns whether the body ran through. `frame` is a RunFrame (or a
// tool's context built on one) or a RunGuard.
template<typename Frame, typename Body, typename Close>
bool guardedRun(Frame &frame, int placeCode, const QString &info, Body &&body, Close &&close, RunShape shape = {})
{
    if (frame.switchBusy && !shape.bodyTakesBusy)
        frame.switchBusy(true);
    const std::optional<PlatformError> error = catchError(std::forward<Body>(body));
    if (error && !shape.releaseBeforeReport)
        frame.messages.HandleError(*error, placeCode, info);
    std::forward<Close>(close)(!error);
    if (frame.switchBusy)
        frame.switchBusy(false);
    if (error && shape.releaseBeforeReport)
        frame.messages.HandleError(*error, placeCode, info);
    return !error;
}

template<typename Frame, typename Body>
bool guardedRun(Frame &frame, int placeCode, const QString &info, Body &&body)
{
    return guardedRun(frame, placeCode, info, std::forward<Body>(body), [](bool) {});
}

// Calls `visit(folder, index)` (or `visit(folder)`) for the folders of the
// working set in their order; the index counts from 1 as Folders does. A
// place the list does not hold comes as a null folder.
template<typename Visit>
void forEachFolder(const WorkingSet &set, Visit &&visit)
{
    for (int f = 1; f <= set.FolderCount; ++f) {
        const mailstore::FolderPtr folder = set.Folders.value(f);
        if constexpr (std::is_invocable_v<Visit &, const mailstore::FolderPtr &, int>)
            visit(folder, f);
        else
            visit(folder);
    }
}

} // namespace kw
