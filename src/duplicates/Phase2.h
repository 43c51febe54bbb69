#pragma once

#include "duplicates/KeepRule.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

namespace kw {
class Messages;
}

namespace kw::DupsDel {

// The values phase 1 stores per item number 1..N (index 0 exists, unused).
struct ScanValues
{
    int itemCount = 0;      // N
    int criterionCount = 0; // switched-on criteria only; the others are empty for every item
    std::vector<QString> values; // item-major: criterion c of item n at n * criterionCount + c
    std::vector<QString> folderIds;
    std::vector<QDateTime> created;
    std::vector<char> master;
    std::vector<char> series;
    std::vector<char> remove; // skipped while reading, or marked for removal

    // Sizes every array to 0..n afresh; all values empty, nothing marked.
    void reset(int n, int criteria);
    QString &value(int n, int c) { return values[size_t(n) * size_t(criterionCount) + size_t(c)]; }
    const QString &value(int n, int c) const { return values[size_t(n) * size_t(criterionCount) + size_t(c)]; }
    PairFacts factsFor(int i, int j) const;
};

// Pair k (1..count) joins parents[k] with the later item children[k].
struct PairList
{
    std::vector<int> parents;
    std::vector<int> children;
    int count = 0;
    bool operator==(const PairList &) const = default;
};

struct Phase2Hooks
{
    KeepRule keep;                    // may throw; the scan's trap reports it
    std::function<void(int)> status;  // "Phase 2: Analysiere Element i", yields
};

// Visits every pair i < j of unmarked items as the original loop did, then
// re-points each pair to its group's root with GetDuplicateParent. Quadratic:
// kept as the reference the fast path is tested against, and for the bench.
PairList comparePairwise(ScanValues &values, bool folderInside, const Phase2Hooks &hooks, Messages &messages);

// The same result by grouping the unmarked items on their full value tuple.
// Within a group the members meet in ascending order exactly as in the loop
// above, so the keep rule is called as often, in the same order and with the
// same arguments, and marks and pairs come out identical.
PairList compareGrouped(ScanValues &values, bool folderInside, const Phase2Hooks &hooks);

} // namespace kw::DupsDel
