#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

namespace kw {
class Settings;
class Messages;
}

namespace kw::DupsDel {

// What the keep rule knows about one pair of equal items; "I" is the item
// with the lower item number.
struct PairFacts
{
    bool masterI = false;
    bool masterJ = false;
    QDateTime createdI;
    QDateTime createdJ;
    bool seriesI = false;
    bool seriesJ = false;
    bool operator==(const PairFacts &) const = default;
};

// The stored texts the rule depends on, exactly as read from the settings.
struct KeepRuleTexts
{
    QString masterFolder = QStringLiteral("0");
    QString terminSerie = QStringLiteral("0");
    QString oldDel = QStringLiteral("0");
    QString priority[3] = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};

    // Reads all six values afresh (fallback "0" each).
    static KeepRuleTexts read(const Settings &settings);
};

// Decides which item of an equal pair goes: "i" (the first), "j" (the second)
// or "" when no consulted rule decides (the caller then marks the second).
// Throws PlatformError when a switch is no number or a priority is no whole
// number from 0 to 2; the calling scan's error trap reports it.
QString decideDuplicateToRemove(const KeepRuleTexts &texts, const PairFacts &facts);

// The same, reading its settings on every call as the options dialog may have
// changed them since the last pair.
QString GetDuplicateToRemove(const Settings &settings, bool masterI, bool masterJ, const QDateTime &createdI,
                             const QDateTime &createdJ, bool seriesI, bool seriesJ);

// A stored switch as yes-no: "1" yes, "0" no, any other number non-zero is yes.
// Throws PlatformError (type mismatch) for text that is no number.
bool yesNoFromSwitchText(const QString &text);

// The keep rule as phase 2 calls it.
using KeepRule = std::function<QString(const PairFacts &)>;

// GetDuplicateToRemove for a whole scan. The six values are read again
// whenever the settings file has been replaced since the previous pair, so a
// value saved meanwhile counts from the next pair on, exactly as with six
// reads per pair, at the cost of one file status per pair.
KeepRule settingsKeepRule(Settings &settings);

// The first pair (1..count) whose child is `value` gives its parent; without
// such a pair, parents[k]. Arrays are used from index 1. An index outside the
// arrays is reported with place code 901 and 0 is returned.
int GetDuplicateParent(const std::vector<int> &parents, const std::vector<int> &children, int value, int count,
                       int k, Messages &messages);

} // namespace kw::DupsDel
