#include "duplicates/Phase2.h"

#include <QElapsedTimer>
#include <QHash>

#include <unordered_map>

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

// Each unmarked item joins the group of the first earlier item with the same
// full value tuple: the table hashes the tuple but compares it in full, so
// items whose hashes collide stay apart.
struct Groups
{
    std::vector<int> root; // the group's first member; 0 for marked items
    std::vector<int> next; // the following member of the same group; 0 at the end
};

Groups groupUnmarked(const ScanValues &v, bool folderInside)
{
    const size_t size = size_t(v.itemCount) + 1;
    std::vector<size_t> hashes(size, 0);
    for (int n = 1; n <= v.itemCount; ++n) {
        size_t h = folderInside ? qHash(v.folderIds[size_t(n)]) : 0;
        for (int c = 0; c < v.criterionCount; ++c)
            h = qHashMulti(h, v.value(n, c));
        hashes[size_t(n)] = h;
    }
    const auto hashOf = [&hashes](int n) { return hashes[size_t(n)]; };
    const auto equal = [&v, folderInside](int a, int b) { return equalItems(v, folderInside, a, b); };
    std::unordered_map<int, int, decltype(hashOf), decltype(equal)> lastOfGroup(size_t(v.itemCount), hashOf,
                                                                                equal);
    Groups g{std::vector<int>(size, 0), std::vector<int>(size, 0)};
    for (int n = 1; n <= v.itemCount; ++n) {
        if (v.remove[size_t(n)])
            continue;
        const auto [it, added] = lastOfGroup.try_emplace(n, n);
        g.root[size_t(n)] = added ? n : g.root[size_t(it->second)];
        if (!added) {
            g.next[size_t(it->second)] = n;
            it->second = n;
        }
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
        // An unmarked member reached here is its group's champion: every
        // earlier champion either marked it or lost to it.
        if (g.root[size_t(i)] == 0 || v.remove[size_t(i)])
            continue;
        for (int j = g.next[size_t(i)]; j != 0; j = g.next[size_t(j)]) {
            addPair(pairs, g.root[size_t(i)], j);
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
