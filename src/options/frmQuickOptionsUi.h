#pragma once

// The controls of the options wizard, built by hand like every window: the
// stored boxes carry the names of their namesakes in the options dialog, so
// the name rule gives both the same settings.

#include "options/CountryFrame.h"

#include <QList>

#include <array>

class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QWidget;

namespace kw::options {

struct frmQuickOptionsUi : CountryFrame
{
    QStackedWidget *pages = nullptr;
    std::array<QWidget *, 4> frMain{};
    std::array<QLabel *, 4> lblHeading{};
    QLabel *lblWelcome = nullptr;

    QGroupBox *frDurchwahl = nullptr;
    QLabel *lblDurchwahl = nullptr;
    QLineEdit *txtDurchwahlTrenn = nullptr;

    QLineEdit *txtAttPath = nullptr; // read-only: chosen with cmdAttPath
    QToolButton *cmdAttPath = nullptr;

    QLabel *lblFileAsLayout = nullptr;
    QComboBox *cmbFileAsLayoutEx = nullptr;
    QLabel *lblLayoutNote = nullptr;

    QPushButton *cmdBack = nullptr;
    QPushButton *cmdForward = nullptr;

    void setupUi(QDialog *dialog);

    // Every control the name rule looks at, in the order the wizard saves them.
    QList<QWidget *> controls() const;

private:
    QWidget *setupTelephonePage(QWidget *page);
};

} // namespace kw::options
