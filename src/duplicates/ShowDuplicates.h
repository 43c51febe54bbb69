#pragma once

#include "duplicates/DupsContext.h"
#include "duplicates/Phase2.h"

#include <QString>
#include <vector>

namespace kw::DupsDel {

// The result stage of every scan. With DupEntryIDSave off it fills the list
// (list mode); with it on it writes the duplicate link property into every
// item marked for removal (link mode) and shows no list.
void ShowDuplicates(DupsContext &ctx, const PairList &pairs, const std::vector<QString> &displays,
                    const std::vector<char> &remove, int pairCount, const QString &itemType);

// Link mode on its own: returns the number of items that could not be written.
int writeDuplicateLinks(DupsContext &ctx, const PairList &pairs, const std::vector<char> &remove);

// For each marked item of a group, the one item of its group that stays
// (pairs after the group roots are set). Items are listed in pair order.
std::vector<std::pair<int, int>> removedWithKeptMember(const PairList &pairs, const std::vector<char> &remove);

} // namespace kw::DupsDel
