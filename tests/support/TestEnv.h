#pragma once

#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <memory>

namespace kw::test {

// A world of its own for one test: program folder, settings file and profile
// path in a fresh temporary folder (also exported through the KONTORWERK_*
// variables), a scripted message box, and the settings and messages over them.
class TestEnv
{
    QTemporaryDir m_dir; // first: the members below live inside it

public:
    TestEnv();
    ~TestEnv();

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    QString programFolder() const { return path(QStringLiteral("home")); }
    QString registryFile() const { return path(QStringLiteral("registry.reg")); }
    QString profileFile() const { return path(QStringLiteral("profile.sqlite")); }
    // The error log's whole text ("" when missing).
    QString errorLog() const;

    // A fixed clock: 08.12.2026 14:05:09.
    static QDateTime fixedNow();

    ui::ScriptedMessageBox box;
    registry::Registry registry;
    Messages messages;
    Settings settings;

private:
    QByteArray m_saved[4];
};

} // namespace kw::test
