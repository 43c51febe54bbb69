#pragma once

#include "platform/mailstore/Fwd.h"

#include <memory>

namespace kw::mailstore::sql {
class Transaction;
}

namespace kw::mailstore {

// The saves of many items of one profile in one transaction, for a run that
// saves item after item: each Save stays all or nothing on its own, the
// group's saves reach the file together at commit() and when the group ends,
// and a program killed meanwhile leaves the items of the open group as they
// were. One commit per item cost more than reading the item.
class SaveGroup
{
public:
    explicit SaveGroup(ProfileDbPtr db);
    // Writes what the group holds; a failure here is lost, so runs call
    // commit() themselves at their end.
    ~SaveGroup();
    SaveGroup(const SaveGroup &) = delete;
    SaveGroup &operator=(const SaveGroup &) = delete;

    // Writes the group's saves and opens the next group. Throws kw::PlatformError.
    void commit();
    // Counts one save of the run and commits every kSavesPerCommit saves, so
    // a program killed meanwhile leaves at most that many items unchanged.
    void saved();

    static constexpr int kSavesPerCommit = 200;

private:
    ProfileDbPtr m_db;
    std::unique_ptr<sql::Transaction> m_tx;
    int m_saves = 0;
};

} // namespace kw::mailstore
