#pragma once

#include "platform/mailstore/Fwd.h"
#include "replace/ReplaceRun.h"
#include "replace/UndoRecord.h"
#include "replace/frmReplaceUi.h"
#include "shell/FolderFunctions.h"

#include <QDialog>
#include <functional>

namespace kw {
class Messages;
}

namespace kw::replace {

// What the dialog takes from the program: tests pass their own.
struct ReplaceContext
{
    Messages &messages;
    QString programFolder;
    std::function<QString()> GetMarkedFolderClass;
    // The working set for a message class; shows its own messages when it
    // cannot be formed.
    std::function<WorkingSet(const QString &messageClass)> GetActivatedFolders;
    // The mail profile the undo fetches its items from again.
    std::function<mailstore::NameSpacePtr()> openNamespace;
    // Lets the event loop run once; called after each item.
    std::function<void()> yield;
};

// "Suchen und Ersetzen": replaces text in the chosen fields of every item of
// the working set and undoes the last run. The working set and the item type
// are fixed when the dialog loads; the undo record lives as long as the
// dialog, so only a run made in this opening can be undone.
class frmReplace : public QDialog
{
    Q_OBJECT

public:
    explicit frmReplace(ReplaceContext context, QWidget *parent = nullptr);

    void Form_Load();
    void chkLeer_Click();
    void chkReplace_Click();
    void chkUserDef_Click();
    void cmdReplace_Click();
    void cmdUndo_Click();

    frmReplaceUi &controls() { return m_ui; }
    // The kind of folder the dialog works on; nullptr when it cannot run.
    const ReplaceItemType *itemType() const { return m_type; }
    const UndoRecord &undoRecord() const { return m_record; }
    bool running() const { return m_running; }

    // A run or an undo cannot be left half-way: closing waits for its end.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    ReplaceRequest request() const;
    void setRunning(bool running);
    void fillFields();

    frmReplaceUi m_ui;
    ReplaceContext m_ctx;
    QString m_messageClass;
    WorkingSet m_set;
    const ReplaceItemType *m_type = nullptr;
    UndoRecord m_record;
    bool m_running = false;
};

} // namespace kw::replace
