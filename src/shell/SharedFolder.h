#pragma once

#include "platform/mailstore/Fwd.h"
#include "shell/frmHauptUi.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QString>


namespace kw {

// Another user's default folder opened in place of the tree's folders.
//
// The folder is held with shared ownership: a run that took it into its
// working set keeps it usable even when the user closes it meanwhile.
class SharedFolder
{
public:
    static const QString &openState();   // "OPEN"
    static const QString &closeState();  // "CLOSE"

    // "OPEN" while a folder is open, "CLOSE" after it was closed, "" at start.
    const QString &SharedFolderState() const { return m_state; }
    bool isOpen() const { return m_state == openState(); }
    // The open folder; null in tree mode.
    mailstore::FolderPtr folder() const { return m_folder; }

    // Opens (or replaces) the shared folder.
    void open(mailstore::FolderPtr folder);
    // Back to tree mode; the folder is released here (runs holding it keep it).
    void close();

private:
    mailstore::FolderPtr m_folder;
    QString m_state;
};

// The frame frmSharedFolder of the main window with lblName, lblTyp and
// cmdCloseShared; its caption check box closes the folder when unticked.
class SharedFolderFrame
{
public:
    SharedFolderFrame(SharedFolder &shared, const SharedFolderControls &controls);

    // After a successful open: the frame shows owner and type, its caption
    // box ticked again (an earlier close may have unticked it).
    void showOpened(const QString &ownerName, const QString &typeText);
    void cmdCloseShared_Click();
    void frmSharedFolder_Click(bool checked);

    QGroupBox *frame() const { return m_frame; }

private:
    SharedFolder &m_shared;
    QPointer<QGroupBox> m_frame;
    QPointer<QLabel> m_lblName;
    QPointer<QLabel> m_lblTyp;
};

} // namespace kw
