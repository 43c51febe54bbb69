#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;

namespace kw {

// What a run started from the main window shows there: its status line and
// progress bar, and a moment for the event loop after each item. Tests record it.
class RunView
{
public:
    virtual ~RunView() = default;
    virtual void setStatus(const QString &text) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgress(int value) = 0;
    virtual void yield() = 0;
};

// The main window's lblStatus and ProgressBar1; a control that is gone is skipped.
class StatusBarView : public RunView
{
public:
    StatusBarView(QLabel *status, QProgressBar *progress);
    void setStatus(const QString &text) override;
    // At least 1, so an empty run does not show a busy bar.
    void setProgressMaximum(int maximum) override;
    // Kept within the bar's range.
    void setProgress(int value) override;
    // Lets the event loop run, at most every kYieldIntervalMs: a run calls it
    // for every item, and a pass of the loop repaints the status line.
    void yield() override;
    static constexpr int kYieldIntervalMs = 20;

private:
    QPointer<QLabel> m_status;
    QPointer<QProgressBar> m_progress;
    QElapsedTimer m_sinceYield;
};

} // namespace kw
