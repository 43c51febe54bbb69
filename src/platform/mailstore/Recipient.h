#pragma once

#include "platform/mailstore/Fwd.h"

#include <QString>

namespace kw::mailstore {

// A name checked against the address book. Resolve matches a unique entry
// whose display name or address equals the name without regard to case.
class Recipient
{
public:
    Recipient(ProfileDbPtr db, const QString &name);

    QString Name() const { return m_resolved ? m_displayName : m_name; }
    QString Address() const { return m_address; }
    bool Resolved() const { return m_resolved; }
    // The argument is whether a dialog may ask the user; ours never does.
    bool Resolve(bool showDialog = false);

    // The address-book entry's id after a successful Resolve (0 before).
    qint64 userId() const { return m_userId; }

private:
    ProfileDbPtr m_db;
    QString m_name;
    QString m_displayName;
    QString m_address;
    qint64 m_userId = 0;
    bool m_resolved = false;
};

} // namespace kw::mailstore
