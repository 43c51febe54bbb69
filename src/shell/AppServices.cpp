#include "shell/AppServices.h"

#include "shell/WindowPlacement.h"

namespace kw {

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(KW_VERSION_MAJOR).arg(KW_VERSION_MINOR).arg(KW_VERSION_PATCH);
}

AppServices::AppServices(AppPaths paths)
    : AppServices(std::move(paths), std::make_unique<ui::QtMessageBox>(), std::make_unique<ui::HelpBrowser>())
{
    // The help window opens at the size the user last gave it.
    static_cast<ui::HelpBrowser &>(*help).setSizeMemory(
        {[this] { return placement::helpWindowSize(settings); },
         [this](const QSize &size) { placement::saveHelpWindowSize(settings, size); }});
}

AppServices::AppServices(AppPaths paths_, std::unique_ptr<ui::MessageBox> box_,
                         std::unique_ptr<ui::HelpViewer> help_, Messages::Clock clock)
    : paths(std::move(paths_))
    , box(std::move(box_))
    , help(std::move(help_))
    , registry(paths.registryFile)
    , messages(*box, paths.programFolder, std::move(clock))
    , settings(registry, messages)
{
}

void AppServices::reportSettingsFileProblem()
{
    const QString problem = registry.takeLoadProblem();
    if (!problem.isEmpty())
        messages.ShowMessage(problem, ui::mb::Exclamation, titles::Hinweis);
}

} // namespace kw
