#pragma once

// Module PriorityRanks: the ranks of the three keep rules of the duplicate search.

#include "options/NameRule.h"

#include <array>

namespace kw {
class Settings;
}

namespace kw::options {

// ranks[rule] is the rank of that rule (0 marked folder, 1 recurring series,
// 2 item age); the three are always a permutation of 0, 1, 2. "Priority."
// followed by a rank holds the rule at that rank.
using Ranks = std::array<int, 3>;

// The start-up defaults: marked folder rank 2, series 1, age 0.
inline constexpr Ranks kDefaultRanks{2, 1, 0};

// The slider `moved` was set to a new value in `ranks`: the slider that held
// that value before takes the moved one's old value, so the two exchange
// ranks. From {2, 1, 0}, moving rule 0 to 0 gives {0, 1, 2}.
Ranks swapRanks(Ranks ranks, int moved);

// Reads Priority.0 to Priority.2. Values that are not the three digits 0, 1, 2
// each once give the defaults: a broken store never blocks the dialog.
Ranks readRanks(const Settings &settings);

// The three values to store, "Priority.<rank>" = rule, ranks 0 to 2 in order.
SettingValues rankValues(const Ranks &ranks);

} // namespace kw::options
