#pragma once

#include "platform/mailstore/Fwd.h"

#include <QString>

namespace kw {

// The mail client's profile of one program run.
//
// The application is opened at the first use and kept for the run, so the
// steps of a run (working set, scan, list, clean-up) share one connection to
// the file instead of opening it again each. A profile that cannot be opened
// throws kw::PlatformError at that use and is not kept: the caller's error
// trap reports it, and the next use tries again. A file that was replaced or
// removed since it was opened is opened afresh at the next use; the kept
// connection would go on reading, and writing into, a file nobody sees.
class MailProfile
{
public:
    explicit MailProfile(QString file);
    ~MailProfile();
    MailProfile(const MailProfile &) = delete;
    MailProfile &operator=(const MailProfile &) = delete;

    const QString &file() const { return m_file; }
    // The run's application. Throws kw::PlatformError.
    mailstore::ApplicationPtr application();
    // Its "MAPI" namespace. Throws kw::PlatformError.
    mailstore::NameSpacePtr mapiNamespace();

private:
    struct FileId
    {
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const FileId &) const = default;
    };
    FileId currentFileId() const;

    QString m_file;
    mailstore::ApplicationPtr m_application;
    FileId m_opened;
};

} // namespace kw
