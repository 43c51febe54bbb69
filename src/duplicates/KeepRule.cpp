#include "duplicates/KeepRule.h"

#include "platform/core/PlatformError.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

#include <QFile>

#include <cmath>
#include <memory>
#include <sys/stat.h>

namespace kw::DupsDel {
namespace {


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
        throw PlatformError(errors::kSubscriptOutOfRange, QStringLiteral("Index außerhalb des gültigen Bereichs"));
    return rule;
}

// Every write of the settings file replaces it (new inode, new time), so
// an equal stamp means the values read before still stand.
struct FileStamp
{
    bool exists = false;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 seconds = 0;
    qint64 nanoseconds = 0;
    bool operator==(const FileStamp &) const = default;

    static FileStamp of(const QString &path)
    {
        struct stat st;
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return {};
        return FileStamp{true, quint64(st.st_ino), qint64(st.st_size), qint64(st.st_mtim.tv_sec),
                         qint64(st.st_mtim.tv_nsec)};
    }
};

} // namespace

bool yesNoFromSwitchText(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    // "nan" and "inf" parse, but they are no numbers a switch can hold.
    if (!ok || !std::isfinite(value))
        throw PlatformError(errors::kTypeMismatch, QStringLiteral("Typen unverträglich"));
    return value != 0.0;
}

KeepRuleTexts KeepRuleTexts::read(const Settings &settings)
{
    const QString zero = QStringLiteral("0");
    KeepRuleTexts texts;
    texts.masterFolder = settings.GetSetting(setting::MasterFolder, zero);
    texts.terminSerie = settings.GetSetting(setting::TerminSerie, zero);
    texts.oldDel = settings.GetSetting(setting::OldDel, zero);
    for (int rank = 2; rank >= 0; --rank)
        texts.priority[rank] = settings.GetSetting(setting::numbered(setting::Priority, rank), zero);
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

KeepRule settingsKeepRule(Settings &settings)
{
    struct Cached
    {
        FileStamp stamp;
        KeepRuleTexts texts;
        bool valid = false;
    };
    auto cache = std::make_shared<Cached>();
    const QString path = settings.registry().filePath();
    return [&settings, cache, path](const PairFacts &facts) {
        const FileStamp now = FileStamp::of(path);
        if (!cache->valid || !(now == cache->stamp) || !now.exists) {
            cache->texts = KeepRuleTexts::read(settings);
            cache->stamp = now;
            cache->valid = true;
        }
        return decideDuplicateToRemove(cache->texts, facts);
    };
}

int GetDuplicateParent(const std::vector<int> &parents, const std::vector<int> &children, int value, int count,
                       int k, Messages &messages)
{
    const int size = int(std::min(parents.size(), children.size()));
    if (count < 0 || count >= size || k < 0 || k >= size) {
        messages.HandleError(QStringLiteral("Index außerhalb des gültigen Bereichs"), errors::kSubscriptOutOfRange,
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
