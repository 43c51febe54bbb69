#include "shell/Main.h"

#include "platform/ui/ToolIcons.h"
#include "shell/AppServices.h"
#include "shell/ErrorTrap.h"
#include "shell/frmHaupt.h"
#include "shell/WindowPlacement.h"
#include "shell/frmSplash.h"

#include <QApplication>

namespace kw {

MainWindows::MainWindows(AppServices &services, Wiring wire)
    : m_services(services), m_wire(std::move(wire))
{
}

MainWindows::~MainWindows() = default;

void MainWindows::showSplash()
{
    m_splash = std::make_unique<frmSplash>();
    m_splash->Form_Load();
    m_splash->show();
    // Paint it now: the main window's load keeps the event loop busy.
    QCoreApplication::processEvents();
}

void MainWindows::loadMainWindow()
{
    m_main = std::make_unique<frmHaupt>(m_services.messages, *m_services.help);
    QObject::connect(m_main.get(), &frmHaupt::programEnding, m_main.get(), [this] {
        placement::save(*m_main, m_services.settings);
        m_services.help->closeWindow(); // so that it keeps its size too
    });
    QObject::connect(m_main.get(), &frmHaupt::programEnding, QCoreApplication::instance(),
                     &QCoreApplication::quit, Qt::QueuedConnection);
    if (m_wire)
        m_wire(*m_main);
    m_main->Form_Load();
}

void MainWindows::unloadSplash()
{
    m_splash.reset();
}

void MainWindows::showMainWindow()
{
    placement::restore(*m_main, m_services.settings);
    m_main->show();
}

void MainWindows::abandon()
{
    m_splash.reset();
    m_main.reset();
}

bool Main(AppServices &services, StartupWindows &windows)
{
    const std::optional<PlatformError> error = catchError([&] {
        // Every window, the dialogs included, shows the program's icon.
        QApplication::setWindowIcon(ui::programIcon());
        services.help->setHelpFolder(services.paths.helpFolder());
        services.help->installF1Key();
        // Say why the settings are back to their defaults before writing them.
        services.reportSettingsFileProblem();
        services.settings.InitDefaultSettings();
        windows.showSplash();
        windows.loadMainWindow();
        windows.unloadSplash();
        windows.showMainWindow();
    });
    if (!error)
        return true;
    // Neither a splash without a main window nor a half-loaded window stays
    // behind, and the splash no longer covers the message: the program ends
    // after it.
    windows.abandon();
    services.messages.HandleError(*error, place::Main);
    return false;
}

} // namespace kw
