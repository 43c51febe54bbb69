#pragma once

#include <QString>

namespace kw::paths {

// Where the program keeps its files at run time. Each place has an
// environment override so that the demo run uses folders of its own. Only the
// program's start (AppPaths::fromEnvironment) asks here; everything else is
// handed its paths, so nothing below it depends on the environment.

// KONTORWERK_HOME, else $XDG_DATA_HOME/kontorwerk: KontorwerkPub.db, errorlog.txt, Preferences/.
QString programFolder();
// KONTORWERK_REGISTRY, else $XDG_CONFIG_HOME/kontorwerk/registry.reg.
QString registryFile();
// KONTORWERK_PROFILE, else $XDG_DATA_HOME/kontorwerk/profile.sqlite.
QString profileFile();
// KONTORWERK_DATA, else dataFolderBeside() the executable, else
// share/kontorwerk in the working folder.
QString dataFolder();
// The first folder of these that exists, relative to the executable's
// folder: share/kontorwerk, ../share/kontorwerk (installed under a prefix),
// ../../share/kontorwerk (the build folder's build/src/app); "" for none.
QString dataFolderBeside(const QString &executableFolder);

// Creates the parent folder of a file path; returns false when that fails.
bool ensureParentFolder(const QString &filePath);

} // namespace kw::paths
