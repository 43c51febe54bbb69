#pragma once

// A run view that records what a run shows on the main window's status line
// and progress bar, for the tests of every tool.

#include "shell/RunView.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace kw::test {

// Base is RunView or a tool's view derived from it (the duplicate scans' view
// adds its result list); the recording part is the same for both.
template<class Base>
class RecordingRunViewOn : public Base
{
public:
    void setStatus(const QString &text) override { statuses.append(text); }
    void setProgressMaximum(int m) override
    {
        maxima.append(m);
        maximum = m;
    }
    void setProgress(int value) override { progress = value; }
    void yield() override
    {
        ++yields;
        if (onYield)
            onYield(yields);
    }

    QStringList statuses;
    QList<int> maxima; // every maximum set, in order
    int maximum = 0; // the last one
    int progress = 0;
    int yields = 0;
    // Called on each yield with the count so far: lets a test act mid-run.
    std::function<void(int)> onYield;
};

using RecordingRunView = RecordingRunViewOn<RunView>;

} // namespace kw::test
