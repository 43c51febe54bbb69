#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kw {

class MailProfile;
class Messages;
class SharedFolder;
class SharedFolderFrame;

// The controls of the dialog, created with their object names; no connections.
struct frmSharedFolderOpenUi
{
    QLabel *lblName = nullptr; // "Name:", over txtName
    QLineEdit *txtName = nullptr;
    QLabel *lblOrdner = nullptr;
    QComboBox *cmbFolderTyp = nullptr;
    QPushButton *cmdNameCheck = nullptr;
    QPushButton *cmdOK = nullptr;

    void setupUi(QDialog *dialog);
};

// "Ordner eines anderen Benutzers öffnen": takes another user's name, checks
// it against the address book and opens that user's default folder of the
// chosen type as the shared folder, both in `profile`. Shown modally from the
// main window.
class frmSharedFolderOpen : public QDialog
{
    Q_OBJECT

public:
    frmSharedFolderOpen(MailProfile &profile, Messages &messages, SharedFolder &shared, SharedFolderFrame *frame,
                        QWidget *parent = nullptr);

    void Form_Load();
    void cmdNameCheck_Click();
    void cmdOK_Click();
    void txtName_Change();

    // The resolved marker of the name box.
    bool nameResolved() const { return m_resolved; }
    frmSharedFolderOpenUi &controls() { return m_ui; }

private:
    void setResolved(bool resolved);
    void takeResolvedName(const QString &displayName);
    void showNotFound();

    frmSharedFolderOpenUi m_ui;
    MailProfile &m_profile;
    Messages &m_messages;
    SharedFolder &m_shared;
    SharedFolderFrame *m_frame;
    bool m_resolved = false;
};

} // namespace kw
