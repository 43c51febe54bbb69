#include "duplicates/Phase2.h"

#include <QElapsedTimer>
#include <QHash>
#include <QStringList>

namespace kw::DupsDel {
namespace {

// Reports at most every few milliseconds; the status line cannot show more.
class ThrottledStatus
{
public:
    explicit ThrottledStatus(const std::function<void(int)> &status) : m_status(status) { m_clock.start(); }
    void at(int i, bool force = false)
    {
        if (!m_status || (!force && m_clock.elapsed() < kIntervalMs))
            return;
        m_status(i);
        m_clock.restart();
    }

private:
    static constexpr qint64 kIntervalMs = 5;
    const std::function<void(int)> &m_status;
    QElapsedTimer m_clock;
};

bool equalItems(const ScanValues &v, bool folderInside, int i, int j)
{
    for (int c = 0; c < v.criterionCount; ++c) {
        if (v.value(i, c) != v.value(j, c))
            return false;
    }
    return !folderInside || v.folderIds[size_t(i)] == v.folderIds[size_t(j)];
}

void addPair(PairList &pairs, int parent, int child)
{
    ++pairs.count;
    pairs.parents[size_t(pairs.count)] = parent;
    pairs.children[size_t(pairs.count)] = child;
}

PairList emptyPairs(int n)
{
    PairList pairs;
    pairs.parents.assign(size_t(n) + 1, 0);
    pairs.children.assign(size_t(n) + 1, 0);
    return pairs;
}

QStringList keyOf(const ScanValues &v, bool folderInside, int n)
{
    QStringList key;
    key.reserve(v.criterionCount + 1);
    for (int c = 0; c < v.criterionCount; ++c)
        key.append(v.value(n, c));
    if (folderInside)
        key.append(v.folderIds[size_t(n)]);
    return key;
}

struct Groups
{
    std::vector<std::vector<int>> members; // ascending item numbers
    std::vector<int> groupOf;              // -1 for marked items
    std::vector<int> position;             // index of the item within its group
};

Groups groupUnmarked(const ScanValues &v, bool folderInside)
{
    Groups g;
    g.groupOf.assign(size_t(v.itemCount) + 1, -1);
    g.position.assign(size_t(v.itemCount) + 1, 0);
    // Keyed on the whole tuple: equal hashes of different tuples stay apart.
    QHash<QStringList, int> index;
    index.reserve(v.itemCount);
    for (int n = 1; n <= v.itemCount; ++n) {
        if (v.remove[size_t(n)])
            continue;
        auto it = index.find(keyOf(v, folderInside, n));
        if (it == index.end()) {
            it = index.insert(keyOf(v, folderInside, n), int(g.members.size()));
            g.members.emplace_back();
        }
        g.groupOf[size_t(n)] = *it;
        g.position[size_t(n)] = int(g.members[size_t(*it)].size());
        g.members[size_t(*it)].push_back(n);
    }
    return g;
}

} // namespace

void ScanValues::reset(int n, int criteria)
{
    itemCount = n;
    criterionCount = criteria;
    const size_t size = size_t(n) + 1;
    values.assign(size * size_t(criteria), QString());
    folderIds.assign(size, QString());
    created.assign(size, QDateTime());
    master.assign(size, 0);
    series.assign(size, 0);
    remove.assign(size, 0);
}

PairFacts ScanValues::factsFor(int i, int j) const
{
    return PairFacts{bool(master[size_t(i)]), bool(master[size_t(j)]), created[size_t(i)], created[size_t(j)],
                     bool(series[size_t(i)]), bool(series[size_t(j)])};
}

PairList comparePairwise(ScanValues &v, bool folderInside, const Phase2Hooks &hooks, Messages &messages)
{
    PairList pairs = emptyPairs(v.itemCount);
    for (int i = 1; i <= v.itemCount; ++i) {
        if (hooks.status)
            hooks.status(i);
        for (int j = i + 1; j <= v.itemCount; ++j) {
            if (v.remove[size_t(i)] || v.remove[size_t(j)] || !equalItems(v, folderInside, i, j))
                continue;
            addPair(pairs, i, j);
            const QString r = hooks.keep(v.factsFor(i, j));
            v.remove[size_t(r == QLatin1String("i") ? i : j)] = 1;
        }
    }
    for (int k = 1; k <= pairs.count; ++k)
        pairs.parents[size_t(k)] = GetDuplicateParent(pairs.parents, pairs.children, pairs.parents[size_t(k)],
                                                      pairs.count, k, messages);
    return pairs;
}

PairList compareGrouped(ScanValues &v, bool folderInside, const Phase2Hooks &hooks)
{
    PairList pairs = emptyPairs(v.itemCount);
    const Groups g = groupUnmarked(v, folderInside);
    ThrottledStatus status(hooks.status);
    for (int i = 1; i <= v.itemCount; ++i) {
        status.at(i);
        const int group = g.groupOf[size_t(i)];
        // An unmarked member reached here is its group's champion: every
        // earlier champion either marked it or lost to it.
        if (group < 0 || v.remove[size_t(i)])
            continue;
        const std::vector<int> &members = g.members[size_t(group)];
        const int root = members.front();
        for (size_t m = size_t(g.position[size_t(i)]) + 1; m < members.size(); ++m) {
            const int j = members[m];
            addPair(pairs, root, j);
            const QString r = hooks.keep(v.factsFor(i, j));
            if (r == QLatin1String("i")) {
                v.remove[size_t(i)] = 1;
                break; // j takes over at its own turn
            }
            v.remove[size_t(j)] = 1;
        }
    }
    status.at(v.itemCount, true);
    return pairs;
}

} // namespace kw::DupsDel
