#pragma once

#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "shell/AppPaths.h"
#include "shell/GlobalFunctions.h"
#include "shell/MailProfile.h"
#include "shell/RegistryFunctions.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <memory>

namespace kw::test {

// A world of its own for one test: program folder, settings file and profile
// path in a fresh temporary folder, a scripted message box, and the settings,
// messages and mail profile over them. Nothing goes through the environment:
// code under test gets these paths handed, as the program hands its own.
class TestEnv
{
    QTemporaryDir m_dir; // first: the members below live inside it

public:
    TestEnv();

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    QString programFolder() const { return path(QStringLiteral("home")); }
    QString registryFile() const { return path(QStringLiteral("registry.reg")); }
    QString profileFile() const { return path(QStringLiteral("profile.sqlite")); }
    // These places as the program's services take them.
    AppPaths paths(const QString &dataFolder = {}) const;
    // The error log's whole text ("" when missing).
    QString errorLog() const;

    // A fixed clock: 08.12.2026 14:05:09.
    static QDateTime fixedNow();

    ui::ScriptedMessageBox box;
    registry::Registry registry;
    Messages messages;
    Settings settings;
    // The profile at profileFile(), opened at its first use.
    MailProfile mailProfile{profileFile()};
};

} // namespace kw::test
