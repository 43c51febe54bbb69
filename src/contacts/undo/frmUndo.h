#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace kw::contacts::undo {

// The controls of the undo dialog, created with their object names; no connections.
struct frmUndoUi
{
    QLabel *sevLabel1 = nullptr;
    QCheckBox *chkName = nullptr;
    QCheckBox *chkTel = nullptr;
    QPushButton *cmdUndo = nullptr;

    void setupUi(QDialog *dialog);
};

// "Daten wiederherstellen": restores the names, the telephone numbers or both
// on the contacts of the ticked contact folders, without asking again.
class frmUndo : public QDialog
{
    Q_OBJECT

public:
    // `undo` runs the undo of one kind ("Names", "Telephone").
    explicit frmUndo(std::function<void(const QString &kind)> undo, QWidget *parent = nullptr);

    void cmdUndo_Click();
    frmUndoUi &controls() { return m_ui; }

private:
    frmUndoUi m_ui;
    std::function<void(const QString &)> m_undo;
};

} // namespace kw::contacts::undo
