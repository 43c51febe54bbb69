#include "platform/ui/BusyBar.h"

namespace kw::ui {

BusyBar::BusyBar(QWidget *parent) : QProgressBar(parent)
{
    setTextVisible(false);
    stop();
}

void BusyBar::start()
{
    // A range of 0..0 is Qt's moving "busy" indicator.
    setRange(0, 0);
}

void BusyBar::stop()
{
    setRange(0, 1);
    setValue(0);
}

} // namespace kw::ui
