#include "shell/RunFrame.h"

#include "shell/AppServices.h"

namespace kw {

RunFrame mainWindowFrame(AppServices &services, RunView &view)
{
    AppServices &s = services;
    return RunFrame{s.settings, s.messages, view, [&s](bool starting) { s.busy.BeginEndOperation(starting); },
                    [&s](const QString &mode) { return s.folders.GetActivatedFolders(mode); }};
}

} // namespace kw
