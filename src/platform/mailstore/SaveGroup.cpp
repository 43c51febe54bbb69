#include "platform/mailstore/SaveGroup.h"

#include "platform/mailstore/ProfileDb.h"
#include "platform/mailstore/SqlUtil.h"

namespace kw::mailstore {

SaveGroup::SaveGroup(ProfileDbPtr db)
    : m_db(std::move(db)), m_tx(std::make_unique<sql::Transaction>(m_db->connection()))
{
}

SaveGroup::~SaveGroup()
{
    try {
        if (m_tx)
            m_tx->commit();
    } catch (...) {
    }
}

void SaveGroup::commit()
{
    if (std::unique_ptr<sql::Transaction> done = std::move(m_tx))
        done->commit();
    m_tx = std::make_unique<sql::Transaction>(m_db->connection());
}

void SaveGroup::saved()
{
    if (++m_saves % kSavesPerCommit == 0)
        commit();
}

} // namespace kw::mailstore
