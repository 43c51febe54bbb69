#pragma once

#include <QWidget>

class QLabel;

namespace kw {
namespace ui {
class BusyBar;
}

// The window shown while the main window loads: program name, version and a
// moving busy bar.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);

    // Sets the version label and starts the busy bar.
    void Form_Load();

    QLabel *lblVersion = nullptr;
    ui::BusyBar *busyBar = nullptr;
};

} // namespace kw
