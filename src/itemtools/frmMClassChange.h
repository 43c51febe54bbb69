#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kw {
class Messages;
}

namespace kw::ui {
class HelpViewer;
class HistoryTextBox;
}

namespace kw::itemtools {

// The controls of the dialog, created with their object names; no connections.
struct frmMClassChangeUi
{
    QLabel *lblDes = nullptr;
    ui::HistoryTextBox *txtClassName = nullptr; // remembers earlier names
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdHelp = nullptr;

    void setupUi(QDialog *dialog);
};

// "Eingabe!": asks for the form name of the message-class change. It only
// takes the name; the caller runs the change once the dialog is closed with
// OK, so the run reports to the main window with the dialog gone.
class frmMClassChange : public QDialog
{
    Q_OBJECT

public:
    // programFolder holds "Preferences/MessageClass.dat", the names entered before.
    frmMClassChange(Messages &messages, const QString &programFolder, ui::HelpViewer &help,
                    QWidget *parent = nullptr);

    void Form_Load();
    // Records the name in the history and closes the dialog with OK; a name
    // with control characters or line breaks is refused with a message and
    // the dialog stays open.
    void cmdOK_Click();
    void cmdHelp_Click();

    // The name as typed; blank or empty means the standard classes.
    QString className() const;
    frmMClassChangeUi &controls() { return m_ui; }

private:
    frmMClassChangeUi m_ui;
    Messages &m_messages;
    ui::HelpViewer &m_help;
    QString m_programFolder;
};

} // namespace kw::itemtools
