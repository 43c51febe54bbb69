#include "options/PriorityRanks.h"

#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

#include <algorithm>
#include <numeric>

namespace kw::options {

Ranks swapRanks(Ranks ranks, int moved)
{
    // The values lack what the moved slider left; it goes to the one that
    // now shares the moved slider's value.
    const int missing = 0 + 1 + 2 - std::accumulate(ranks.begin(), ranks.end(), 0);
    for (int j = 0; j < int(ranks.size()); ++j) {
        if (j != moved && ranks[j] == ranks[moved]) {
            ranks[j] += missing;
            break;
        }
    }
    return ranks;
}

Ranks readRanks(const Settings &settings)
{
    Ranks ranks{-1, -1, -1};
    for (int rank = 0; rank < 3; ++rank) {
        const QString text = settings.GetSetting(setting::numbered(setting::Priority, rank), QStringLiteral("0"));
        const int rule = text.size() == 1 ? text.front().unicode() - u'0' : -1;
        if (rule < 0 || rule > 2 || ranks[rule] != -1)
            return kDefaultRanks;
        ranks[rule] = rank;
    }
    return ranks;
}

SettingValues rankValues(const Ranks &ranks)
{
    SettingValues values;
    for (int rank = 0; rank < 3; ++rank) {
        const int rule = int(std::find(ranks.begin(), ranks.end(), rank) - ranks.begin());
        values.append({setting::numbered(setting::Priority, rank), QString::number(rule)});
    }
    return values;
}

} // namespace kw::options
