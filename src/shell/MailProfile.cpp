#include "shell/MailProfile.h"

#include "platform/mailstore/Application.h"
#include "platform/mailstore/NameSpace.h"

#include <QFile>

#include <sys/stat.h>

namespace kw {

MailProfile::MailProfile(QString file) : m_file(std::move(file)) {}

MailProfile::~MailProfile() = default;

// Device and inode of the file now; zeros when there is none.
MailProfile::FileId MailProfile::currentFileId() const
{
    struct stat info {};
    const QByteArray native = QFile::encodeName(m_file);
    if (::stat(native.constData(), &info) != 0)
        return {};
    return {static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino)};
}

mailstore::ApplicationPtr MailProfile::application()
{
    if (m_application && currentFileId() == m_opened)
        return m_application;
    m_application.reset();
    mailstore::ApplicationPtr opened = mailstore::Application::open(m_file);
    m_opened = currentFileId();
    m_application = std::move(opened);
    return m_application;
}

mailstore::NameSpacePtr MailProfile::mapiNamespace()
{
    return application()->GetNamespace(QStringLiteral("MAPI"));
}

} // namespace kw
