#pragma once

#include "platform/refdb/Database.h"
#include "platform/registry/Registry.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/FolderPicker.h"
#include "platform/ui/MessageBox.h"
#include "shell/AppPaths.h"
#include "shell/BusyState.h"
#include "shell/FolderFunctions.h"
#include "shell/FolderStructureFunctions.h"
#include "shell/GlobalFunctions.h"
#include "shell/MailProfile.h"
#include "shell/RegistryFunctions.h"
#include "shell/SharedFolder.h"

#include <QString>

#include <memory>

namespace kw {

// "3.0.1": the program's version as major.minor.revision.
QString versionText();

// The services a run of the program shares, built once at start. Tools take
// the members they need; nothing here is a global.
//
// Later tools add their services here so that main() stays the only place
// that builds them.
class AppServices
{
public:
    // The real program: Qt message box and help window.
    explicit AppServices(AppPaths paths = AppPaths::fromEnvironment());
    // Tests pass their doubles.
    AppServices(AppPaths paths, std::unique_ptr<ui::MessageBox> box, std::unique_ptr<ui::HelpViewer> help,
                Messages::Clock clock = {});

    AppServices(const AppServices &) = delete;
    AppServices &operator=(const AppServices &) = delete;

    // Tells the user once that the settings file could not be read and was
    // set aside; does nothing when it was fine.
    void reportSettingsFileProblem();

    const AppPaths paths;
    const std::unique_ptr<ui::MessageBox> box;
    const std::unique_ptr<ui::HelpViewer> help;
    registry::Registry registry;
    Messages messages;
    Settings settings;

    // The mail profile at paths.profileFile. Its application is opened at the
    // first use (normally the folder tree's fill at the window's load) and kept
    // for the program run: the folder tree, the working set, the shared-folder
    // dialog and every tool's run work on it, handed to them here or through
    // their context, so the file is opened once, not once per step. A profile
    // that cannot be opened is reported by the error trap of the step that
    // needed it, and the next step tries again.
    MailProfile mailProfile{paths.profileFile};
    // The folder tree, the busy state and the shared folder every tool works
    // with; the main window attaches its controls to these when it is wired.
    BusyState busy{messages};
    FolderStructure folderTree{settings, messages, mailProfile};
    SharedFolder sharedFolder;
    FolderFunctions folders{folderTree, sharedFolder, messages, mailProfile};
    std::unique_ptr<ui::FolderPicker> folderPicker = std::make_unique<ui::QtFolderPicker>();
    // The reference database (KontorwerkPub.db), one for the program run so
    // that every tool shares what it derived from the file.
    refdb::Database referenceDatabase{paths.referenceDatabase()};
};

} // namespace kw
