#pragma once

#include "platform/mailstore/Fwd.h"

#include <QString>

namespace kw::mailstore {

// The entry to the mail store over one profile file. The program opens one
// for its whole run; tests open their own on a file of theirs.
class Application : public std::enable_shared_from_this<Application>
{
public:
    // Opens the profile at the given path. A missing file is created with the
    // store "Persönliche Ordner" and its default folders; a file that is not
    // a profile throws kw::PlatformError and is left untouched.
    static ApplicationPtr open(const QString &profilePath);
    // The version text new applications report; "16.0" unless a test changes it.
    static void setDefaultVersion(const QString &version);

    QString Version() const { return m_version; }
    void setVersion(const QString &version) { m_version = version; }
    // Only "MAPI" is known; anything else throws.
    NameSpacePtr GetNamespace(const QString &type);

    const ProfileDbPtr &db() const { return m_db; }

    explicit Application(ProfileDbPtr db);

private:
    ProfileDbPtr m_db;
    QString m_version;
};

} // namespace kw::mailstore
