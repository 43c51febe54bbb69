#pragma once

#include <QProgressBar>

namespace kw::ui {

// A bar that shows that something is going on without saying how far it
// got: running it makes it move, stopping it leaves it empty.
class BusyBar : public QProgressBar
{
    Q_OBJECT

public:
    explicit BusyBar(QWidget *parent = nullptr);

    void start();
    void stop();
    bool isRunning() const { return maximum() == 0; }
};

} // namespace kw::ui
