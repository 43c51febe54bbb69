#include "platform/mailstore/Recipient.h"

#include "platform/mailstore/ProfileDb.h"

namespace kw::mailstore {

Recipient::Recipient(ProfileDbPtr db, const QString &name) : m_db(std::move(db)), m_name(name) {}

bool Recipient::Resolve(bool)
{
    // A unique entry whose display name or address equals the name, case
    // ignored; two equal entries leave the name ambiguous and unresolved.
    const QString wanted = m_name.trimmed();
    const AddressEntry *match = nullptr;
    int matches = 0;
    const QList<AddressEntry> book = m_db->addressBook();
    for (const AddressEntry &e : book) {
        if (wanted.isEmpty())
            break;
        if (e.displayName.compare(wanted, Qt::CaseInsensitive) == 0
            || (!e.address.isEmpty() && e.address.compare(wanted, Qt::CaseInsensitive) == 0)) {
            match = &e;
            ++matches;
        }
    }
    m_resolved = matches == 1;
    if (m_resolved) {
        m_displayName = match->displayName;
        m_address = match->address;
        m_userId = match->id;
    }
    return m_resolved;
}

} // namespace kw::mailstore
