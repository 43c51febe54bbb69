#include "shell/BusyState.h"

#include "platform/ui/OutBar.h"
#include "shell/ErrorTrap.h"
#include "shell/frmHauptUi.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace kw {

// Holds a close request back while a run is busy.
class BusyState::CloseGuard : public QObject
{
public:
    explicit CloseGuard(BusyState &state) : m_state(state) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Close || !m_state.m_busy)
            return QObject::eventFilter(watched, event);
        m_state.m_closePending = true;
        event->ignore();
        return true;
    }

private:
    BusyState &m_state;
};

BusyControls BusyControls::of(const frmHauptUi &ui)
{
    BusyControls c;
    c.commands = {ui.OutBar1,   ui.mnuAktion, ui.mnuExtras,        ui.cmdAlleRueck,
                  ui.cmdZweigMark, ui.TvwOrdner, ui.cmdAktualisieren, ui.mnuSharedOpen};
    c.lblStatus = ui.lblStatus;
    c.ProgressBar1 = ui.ProgressBar1;
    return c;
}

void setControlEnabled(QObject *control, bool enabled)
{
    if (auto *menu = qobject_cast<QMenu *>(control)) {
        menu->setEnabled(enabled);
        menu->menuAction()->setEnabled(enabled);
    } else if (auto *widget = qobject_cast<QWidget *>(control)) {
        widget->setEnabled(enabled);
    } else if (auto *action = qobject_cast<QAction *>(control)) {
        action->setEnabled(enabled);
    }
}

bool controlEnabled(const QObject *control)
{
    if (auto *menu = qobject_cast<const QMenu *>(control))
        return menu->menuAction()->isEnabled();
    if (auto *widget = qobject_cast<const QWidget *>(control))
        return widget->isEnabled();
    if (auto *action = qobject_cast<const QAction *>(control))
        return action->isEnabled();
    return false;
}

const QString &BusyState::readyText()
{
    static const QString text = QStringLiteral("Bereit");
    return text;
}

BusyState::BusyState(Messages &messages) : m_messages(messages) {}

BusyState::~BusyState()
{
    if (m_window && m_guard)
        m_window->removeEventFilter(m_guard);
    delete m_guard;
}

void BusyState::attach(const BusyControls &controls)
{
    m_controls = controls;
}

void BusyState::watchWindow(QWidget *window)
{
    if (!m_guard)
        m_guard = new CloseGuard(*this);
    if (m_window)
        m_window->removeEventFilter(m_guard);
    m_window = window;
    if (window)
        window->installEventFilter(m_guard);
}

void BusyState::onRunStarting(const QObject *owner, std::function<void()> listener)
{
    m_runStarting.append({owner, std::move(listener)});
}

void BusyState::notifyRunStarting()
{
    m_runStarting.removeIf([](const Listener &l) { return !l.owner; });
    // A copy: a listener may add another one.
    const QList<Listener> listeners = m_runStarting;
    for (const Listener &l : listeners) {
        if (l.owner)
            l.call();
    }
}

void BusyState::BeginEndOperation(bool starting)
{
    trapErrors(m_messages, place::BeginEndOperation, {}, [&] {
        if (starting)
            notifyRunStarting();
        if (m_controls.ProgressBar1)
            m_controls.ProgressBar1->setValue(0);
        if (m_controls.lblStatus)
            m_controls.lblStatus->setText(readyText());
    });
    SetBusy(starting);
}

void BusyState::SetBusy(bool busy)
{
    m_busy = busy;
    for (const QPointer<QObject> &control : std::as_const(m_controls.commands))
        setControlEnabled(control, !busy);
    if (!busy)
        finishPendingClose();
}

void BusyState::finishPendingClose()
{
    if (!m_closePending || !m_window)
        return;
    m_closePending = false;
    // Closing from the event loop, not from inside the run's own call chain.
    QTimer::singleShot(0, m_window.data(), [w = m_window] {
        if (w)
            w->close();
    });
}

} // namespace kw
