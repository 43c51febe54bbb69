#pragma once

#include "platform/mailstore/Fwd.h"

#include <QString>
#include <functional>

namespace kw::mailstore {

// The entry to the mail store. Each run creates its
// own with create() and drops it at its end; tests point create() at a
// temporary profile through KONTORWERK_PROFILE or setFactory().
class Application : public std::enable_shared_from_this<Application>
{
public:
    using Factory = std::function<ApplicationPtr()>;

    // Opens the profile at the given path. A missing file is created with the
    // store "Persönliche Ordner" and its default folders; a file that is not
    // a profile throws kw::PlatformError and is left untouched.
    static ApplicationPtr open(const QString &profilePath);
    // What the tools call: the factory when one is set, else open() on
    // kw::paths::profileFile().
    static ApplicationPtr create();
    // Replaces create() (an empty factory restores the default).
    static void setFactory(Factory factory);
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
