#include "duplicates/KeepRule.h"

#include "platform/core/PlatformError.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

namespace kw::DupsDel {
namespace {

constexpr long kSubscriptOutOfRange = 9;

enum Verdict { Undecided, MarkI, MarkJ };

Verdict byFlags(bool flagI, bool flagJ)
{
    // The item holding the flag stays, so the other one is marked.
    if (!flagI && flagJ)
        return MarkI;
    if (flagI && !flagJ)
        return MarkJ;
    return Undecided;
}

Verdict byAge(bool keepOlder, const QDateTime &createdI, const QDateTime &createdJ)
{
    // Equal times mark the second item in both directions.
    if (keepOlder)
        return createdI <= createdJ ? MarkJ : MarkI;
    return createdI < createdJ ? MarkI : MarkJ;
}

int ruleAtRank(const QString &text)
{
    bool ok = false;
    const int rule = text.trimmed().toInt(&ok);
    if (!ok)
        throw PlatformError(errors::kTypeMismatch, QStringLiteral("Typen unverträglich"));
    if (rule < 0 || rule > 2)
        throw PlatformError(kSubscriptOutOfRange, QStringLiteral("Index außerhalb des gültigen Bereichs"));
    return rule;
}

} // namespace

bool yesNoFromSwitchText(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        throw PlatformError(errors::kTypeMismatch, QStringLiteral("Typen unverträglich"));
    return value != 0.0;
}

KeepRuleTexts KeepRuleTexts::read(const Settings &settings)
{
    const QString zero = QStringLiteral("0");
    KeepRuleTexts texts;
    texts.masterFolder = settings.GetSetting(QStringLiteral("MasterFolder"), zero);
    texts.terminSerie = settings.GetSetting(QStringLiteral("TerminSerie"), zero);
    texts.oldDel = settings.GetSetting(QStringLiteral("OldDel"), zero);
    for (int rank = 2; rank >= 0; --rank)
        texts.priority[rank] = settings.GetSetting(QStringLiteral("Priority.%1").arg(rank), zero);
    return texts;
}

QString decideDuplicateToRemove(const KeepRuleTexts &texts, const PairFacts &facts)
{
    const bool masterOn = yesNoFromSwitchText(texts.masterFolder);
    const bool seriesOn = yesNoFromSwitchText(texts.terminSerie);
    const bool keepOlder = yesNoFromSwitchText(texts.oldDel);

    Verdict verdicts[3] = {Undecided, Undecided, Undecided};
    if (masterOn)
        verdicts[0] = byFlags(facts.masterI, facts.masterJ);
    if (seriesOn)
        verdicts[1] = byFlags(facts.seriesI, facts.seriesJ);
    verdicts[2] = byAge(keepOlder, facts.createdI, facts.createdJ);

    // All three ranks are converted before any is consulted, so a bad value
    // at a low rank is an error even when a higher rank decides.
    int rules[3];
    for (int rank = 2; rank >= 0; --rank)
        rules[rank] = ruleAtRank(texts.priority[rank]);
    for (int rank = 2; rank >= 0; --rank) {
        const Verdict v = verdicts[rules[rank]];
        if (v == MarkI)
            return QStringLiteral("i");
        if (v == MarkJ)
            return QStringLiteral("j");
    }
    return QString();
}

QString GetDuplicateToRemove(const Settings &settings, bool masterI, bool masterJ, const QDateTime &createdI,
                             const QDateTime &createdJ, bool seriesI, bool seriesJ)
{
    return decideDuplicateToRemove(KeepRuleTexts::read(settings),
                                   PairFacts{masterI, masterJ, createdI, createdJ, seriesI, seriesJ});
}

KeepRule settingsKeepRule(const Settings &settings)
{
    return [&settings](const PairFacts &f) {
        return GetDuplicateToRemove(settings, f.masterI, f.masterJ, f.createdI, f.createdJ, f.seriesI, f.seriesJ);
    };
}

int GetDuplicateParent(const std::vector<int> &parents, const std::vector<int> &children, int value, int count,
                       int k, Messages &messages)
{
    const int size = int(std::min(parents.size(), children.size()));
    if (count < 0 || count >= size || k < 0 || k >= size) {
        messages.HandleError(QStringLiteral("Index außerhalb des gültigen Bereichs"), kSubscriptOutOfRange,
                             place::GetDuplicateParent, QString());
        return 0;
    }
    for (int m = 1; m <= count; ++m) {
        if (children[m] == value)
            return parents[m];
    }
    return parents[k];
}

} // namespace kw::DupsDel
