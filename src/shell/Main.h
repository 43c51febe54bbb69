#pragma once

// Module Main: the start sequence Main() over class MainWindows.

#include <functional>
#include <memory>

namespace kw {

class AppServices;
class frmHaupt;
class frmSplash;

// The windows of the start, one call per step, so that Main's order can be
// watched and each step can fail in a test.
class StartupWindows
{
public:
    virtual ~StartupWindows() = default;
    virtual void showSplash() = 0;
    // Returns once the main window's load has run to its end.
    virtual void loadMainWindow() = 0;
    virtual void unloadSplash() = 0;
    virtual void showMainWindow() = 0;
    // After a failed start: closes whatever was opened so the program can end.
    virtual void abandon() = 0;
};

// The real windows: frmSplash and frmHaupt. `wire` sets the main window's
// actions before its load runs; the window opens where it was at the last
// end, and closing it saves that place and quits the event loop.
class MainWindows : public StartupWindows
{
public:
    using Wiring = std::function<void(frmHaupt &)>;

    MainWindows(AppServices &services, Wiring wire = {});
    ~MainWindows() override;

    void showSplash() override;
    void loadMainWindow() override;
    void unloadSplash() override;
    void showMainWindow() override;
    void abandon() override;

    frmSplash *splash() const { return m_splash.get(); }
    frmHaupt *mainWindow() const { return m_main.get(); }

private:
    AppServices &m_services;
    Wiring m_wire;
    std::unique_ptr<frmSplash> m_splash;
    std::unique_ptr<frmHaupt> m_main;
};

// The program's start: window icon, help pages, setting defaults, splash, main window.
// Returns true when the main window is shown and the event loop should run;
// false when start-up stopped at a failing step, which has been reported with
// place code 201, and every window it opened has been closed again.
bool Main(AppServices &services, StartupWindows &windows);

} // namespace kw
