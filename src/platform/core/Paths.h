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
// KONTORWERK_DATA, else share/kontorwerk beside or above the executable.
QString dataFolder();

// Creates the parent folder of a file path; returns false when that fails.
bool ensureParentFolder(const QString &filePath);

} // namespace kw::paths
