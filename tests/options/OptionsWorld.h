#pragma once

// The program's services over a fresh settings file with the start-up
// defaults, a scripted message box and folder picker, and the options windows
// opened on them.

#include "options/frmOptions.h"
#include "options/frmQuickOptions.h"
#include "platform/refdb/FixtureDatabase.h"
#include "shell/AppServices.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace kw::test {

struct OptionsWorld
{
    OptionsWorld()
    {
        services.settings.InitDefaultSettings();
        services.help->setHelpFolder(services.paths.helpFolder());
        auto scripted = std::make_unique<ui::ScriptedFolderPicker>();
        picker = scripted.get();
        services.folderPicker = std::move(scripted);
    }

    std::unique_ptr<options::frmOptions> options(options::TelDialogHooks hooks = {})
    {
        return std::make_unique<options::frmOptions>(services, std::move(hooks));
    }
    std::unique_ptr<options::frmQuickOptions> wizard() { return std::make_unique<options::frmQuickOptions>(services); }

    // The frozen telephone tables where the windows look for the reference
    // database; without it they do not check the telephone settings.
    void addTelephoneTables()
    {
        buildFixtureDatabase(services.paths.referenceDatabase(),
                             {QStringLiteral("T_CountryCodes"), QStringLiteral("T_CountryAndAreaCodes")});
    }

    QString setting(const QString &name) { return services.settings.GetSetting(name, QStringLiteral("<missing>")); }
    QByteArray settingsFile() const
    {
        QFile file(env.registryFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList prompts() const { return box.prompts(); }

    TestEnv env;
    AppServices services{env.paths(KW_DATA_DIR), std::make_unique<ui::ScriptedMessageBox>(),
                         std::make_unique<ui::RecordingHelpViewer>()};
    ui::ScriptedMessageBox &box = static_cast<ui::ScriptedMessageBox &>(*services.box);
    ui::ScriptedFolderPicker *picker = nullptr;
};

// The names the tools store settings under: the constants of SettingNames.h.
inline QSet<QString> knownSettingNames()
{
    QFile header(QStringLiteral(KW_SOURCE_DIR "/src/shell/SettingNames.h"));
    header.open(QIODevice::ReadOnly);
    static const QRegularExpression constant(QStringLiteral("QLatin1String \\w+\\{\"([^\"]*)\"\\}"));
    QSet<QString> names;
    for (const QRegularExpressionMatch &m : constant.globalMatch(QString::fromUtf8(header.readAll())))
        names.insert(m.captured(1));
    return names;
}

} // namespace kw::test
