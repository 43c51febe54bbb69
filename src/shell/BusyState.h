#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class QLabel;
class QObject;
class QProgressBar;
class QTreeWidget;
class QWidget;

namespace kw {

class Messages;

// The main window's controls the busy state works on. Found by their object
// names, so the logic does not depend on how the window is put together.
struct BusyControls
{
    // Switched off while a run is busy, in this order.
    static const QStringList &commandNames();

    QList<QPointer<QObject>> commands;  // widgets, menus or actions
    QPointer<QLabel> lblStatus;
    QPointer<QProgressBar> ProgressBar1;
    QPointer<QWidget> frmDups;
    QPointer<QTreeWidget> tvwDups;
    QPointer<QWidget> cmdDupDel;
    QPointer<QWidget> cmdDupView;

    // Looks every control up among the window's children; missing ones stay null.
    static BusyControls find(QObject *window);
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

    // Brackets a run: starting clears the duplicate list; both directions reset
    // the progress bar and the status line and then call SetBusy.
    void BeginEndOperation(bool starting);
    void SetBusy(bool busy);

    bool isBusy() const { return m_busy; }
    bool closePending() const { return m_closePending; }

    // Set by the owner of the duplicate list: empties DupEntryIDs/DupStoreIDs.
    std::function<void()> resetDuplicateIds;

    static const QString &readyText();

private:
    class CloseGuard;
    void clearDuplicateList();
    void finishPendingClose();

    Messages &m_messages;
    BusyControls m_controls;
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
