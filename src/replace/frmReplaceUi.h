#pragma once

// The controls of the replace dialog, each with its original objectName; no
// connections here (see shell/frmHauptUi.h for why windows are built by hand).

class QCheckBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kw::ui {
class BusyBar;
class HistoryTextBox;
}

namespace kw::replace {

struct frmReplaceUi
{
    QGroupBox *frFields = nullptr;
    QListWidget *lstFields = nullptr; // several entries selectable, by click or space only
    QGroupBox *frFind = nullptr;
    QLineEdit *txtFind = nullptr;
    QGroupBox *frReplace = nullptr;
    QLineEdit *txtReplace = nullptr;
    QGroupBox *sevFrame1 = nullptr;
    QCheckBox *chkWord = nullptr;
    QCheckBox *chkReplace = nullptr;
    QCheckBox *chkLeer = nullptr;
    QCheckBox *chkUserDef = nullptr;
    ui::HistoryTextBox *txtUserDef = nullptr;
    QPushButton *cmdReplace = nullptr;
    QPushButton *cmdUndo = nullptr;
    ui::BusyBar *sevWaitBar1 = nullptr;
    QGroupBox *frDescription = nullptr;
    QLabel *lblDescription = nullptr;

    void setupUi(QDialog *dialog);
};

} // namespace kw::replace
