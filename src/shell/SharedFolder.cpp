#include "shell/SharedFolder.h"

#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>

namespace kw {

const QString &SharedFolder::openState()
{
    static const QString state = QStringLiteral("OPEN");
    return state;
}

const QString &SharedFolder::closeState()
{
    static const QString state = QStringLiteral("CLOSE");
    return state;
}

void SharedFolder::open(mailstore::FolderPtr folder)
{
    m_folder = std::move(folder);
    m_state = openState();
}

void SharedFolder::close()
{
    m_state = closeState();
    m_folder.reset();
}

SharedFolderFrame::SharedFolderFrame(SharedFolder &shared, const SharedFolderControls &controls)
    : m_shared(shared)
    , m_frame(controls.frmSharedFolder)
    , m_lblName(controls.lblName)
    , m_lblTyp(controls.lblTyp)
{
}

void SharedFolderFrame::showOpened(const QString &ownerName, const QString &typeText)
{
    if (m_frame) {
        const QSignalBlocker quiet(m_frame.data());
        m_frame->setCheckable(true);
        m_frame->setChecked(true);
        m_frame->show();
    }
    if (m_lblName)
        m_lblName->setText(ownerName);
    if (m_lblTyp)
        m_lblTyp->setText(typeText);
}

void SharedFolderFrame::cmdCloseShared_Click()
{
    if (m_frame)
        m_frame->hide();
    m_shared.close();
}

void SharedFolderFrame::frmSharedFolder_Click(bool checked)
{
    if (!checked)
        cmdCloseShared_Click();
}

} // namespace kw
