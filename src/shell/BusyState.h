#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <functional>

class QLabel;
class QObject;
class QProgressBar;
class QWidget;

namespace kw {

class Messages;
struct frmHauptUi;

// The main window's controls the busy state works on.
struct BusyControls
{
    QList<QPointer<QObject>> commands;  // switched off while busy: widgets, menus or actions
    QPointer<QLabel> lblStatus;
    QPointer<QProgressBar> ProgressBar1;

    // The tool bar, the menus Aktion and Extras, the folder tree with its
    // buttons and the entry that opens a shared folder: everything that could
    // start a second run. Help, info, the ending and the duplicate list's
    // buttons stay on.
    static BusyControls of(const frmHauptUi &ui);
};

// Switches a tool run on and off in the main window.
//
// While busy, the controls that could start a second run are off; closing the
// window meanwhile is held back and done once the run has switched the busy
// state off again, so a run never loses its window under it.
class BusyState
{
public:
    explicit BusyState(Messages &messages);
    ~BusyState();

    void attach(const BusyControls &controls);
    // Watches the window's close requests (see above).
    void watchWindow(QWidget *window);

    // Brackets a run: starting tells the listeners first; both directions
    // reset the progress bar and the status line and then call SetBusy.
    void BeginEndOperation(bool starting);
    void SetBusy(bool busy);

    bool isBusy() const { return m_busy; }
    bool closePending() const { return m_closePending; }

    // Adds a listener called, in the order added, whenever a run starts: a
    // tool view empties what the last run left on screen. The listener is
    // dropped once `owner` is destroyed.
    void onRunStarting(const QObject *owner, std::function<void()> listener);

    static const QString &readyText();

private:
    class CloseGuard;
    struct Listener
    {
        QPointer<const QObject> owner;
        std::function<void()> call;
    };
    void notifyRunStarting();
    void finishPendingClose();

    Messages &m_messages;
    BusyControls m_controls;
    QList<Listener> m_runStarting;
    bool m_busy = false;
    bool m_closePending = false;
    QPointer<QWidget> m_window;
    CloseGuard *m_guard = nullptr;
};

// Turns an object's Enabled on or off: a widget, a menu (with its entry in
// the menu bar) or an action.
void setControlEnabled(QObject *control, bool enabled);
bool controlEnabled(const QObject *control);

} // namespace kw
