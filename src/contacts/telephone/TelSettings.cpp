#include "contacts/telephone/TelSettings.h"

#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

#include <cmath>

namespace kw::contacts::telephone {
namespace {

template <std::size_t N>
void readBlocks(const TelSettings::TextOf &text, QLatin1String kind, std::array<int, N> &lengths)
{
    for (std::size_t i = 0; i < N; ++i)
        lengths[i] = blockLength(text(setting::numbered(kind, int(i) + 1), QStringLiteral("0")));
}

} // namespace

bool numericBool(const QString &text, bool fallback)
{
    bool ok = false;
    const double value = trimBlanks(text).toDouble(&ok);
    return ok ? value != 0 : fallback;
}

int blockLength(const QString &text)
{
    bool ok = false;
    const double value = trimBlanks(text).toDouble(&ok);
    if (!ok || !(value > 0))
        return 0;
    constexpr double kLongest = 1 << 20; // far beyond any telephone number
    return static_cast<int>(std::nearbyint(std::min(value, kLongest)));
}

TelSettings TelSettings::read(Settings &settings)
{
    return fromTexts([&settings](const QString &name, const QString &fallback) {
        return settings.GetSetting(name, fallback);
    });
}

TelSettings TelSettings::fromTexts(const QMap<QString, QString> &texts)
{
    return fromTexts([&texts](const QString &name, const QString &fallback) { return texts.value(name, fallback); });
}

namespace {

// The names in reading order and their fallbacks, as fromTexts() asks for them.
struct Reads
{
    QStringList names;
    QMap<QString, QString> fallbacks;
};

const Reads &reads()
{
    static const Reads all = [] {
        Reads r;
        TelSettings::fromTexts([&r](const QString &name, const QString &fallback) {
            if (!r.fallbacks.contains(name)) {
                r.names.append(name);
                r.fallbacks.insert(name, fallback);
            }
            return fallback;
        });
        return r;
    }();
    return all;
}

} // namespace

const QStringList &TelSettings::names()
{
    return reads().names;
}

const QMap<QString, QString> &TelSettings::defaultTexts()
{
    return reads().fallbacks;
}

TelSettings TelSettings::fromTexts(const TextOf &read)
{
    const auto text = [&](QLatin1String name, const char *fallback) { return read(name, QLatin1String(fallback)); };
    // As Settings::GetSettingBool: yes for exactly "1", no for "0", else the fallback.
    const auto yesNo = [&](QLatin1String name) { return read(name, QString()) == QLatin1String("1"); };
    TelSettings s;
    s.DurchwahlTrenn = text(setting::DurchwahlTrenn, "-");
    s.Plus = numericBool(text(setting::Plus, "0"), false);
    s.IDDP = trimBlanks(text(setting::IDDP, "00"));
    s.SchweizKonv = numericBool(text(setting::SchweizKonv, "1"), true);
    s.UseNumberBlocksAreaNo = yesNo(setting::UseNumberBlocksAreaNo);
    s.UseNumberBlocksAreaPres = yesNo(setting::UseNumberBlocksAreaPres);
    s.IgnoreCountryCode = yesNo(setting::IgnoreCountryCode);
    s.IDDPOut = trimBlanks(text(setting::IDDPOut, "+"));
    s.DurchwahlTrennOut = text(setting::DurchwahlTrennOut, "-");
    s.VorwahlTrennOut1 = text(setting::VorwahlTrennOut1, " (");
    s.VorwahlTrennOut2 = text(setting::VorwahlTrennOut2, ") ");
    s.VorwahlTrennOutSingle = text(setting::VorwahlTrennOutSingle, " ");
    s.CountryCode = trimBlanks(text(setting::CountryCode, "49"));
    s.NDDP = trimBlanks(text(setting::NDDP, "0"));
    s.FilterTel = yesNo(setting::FilterTel);
    s.FilterCountry = yesNo(setting::FilterCountry);
    s.FilterArea = yesNo(setting::FilterArea);
    s.FilterCountryStr = trimBlanks(text(setting::FilterCountryStr, ""));
    s.FilterAreaStr = trimBlanks(text(setting::FilterAreaStr, ""));
    readBlocks(read, setting::BlockA, s.BlockA);
    readBlocks(read, setting::BlockS, s.BlockS);
    readBlocks(read, setting::BlockT, s.BlockT);
    s.BlockTrennAreaPres = text(setting::BlockTrennAreaPres, " ");
    s.BlockTrennAreaNo = text(setting::BlockTrennAreaNo, " ");
    return s;
}

std::shared_ptr<const TelSettings> TelSettings::current(Settings &settings)
{
    // One entry is enough: change stamps are unique within the process, so a
    // stamp seen again means the very same registry content.
    static quint64 cachedStamp = 0;
    static std::shared_ptr<const TelSettings> cached;
    const quint64 stamp = settings.registry().changeStamp();
    if (!cached || stamp != cachedStamp) {
        cached = std::make_shared<const TelSettings>(read(settings));
        cachedStamp = settings.registry().changeStamp();
        if (cachedStamp != stamp) // changed while reading: read again next time
            cachedStamp = 0;
    }
    return cached;
}

const int *TelSettings::blockLengths(const QString &kind, int *count) const
{
    if (kind == setting::BlockA) {
        *count = int(BlockA.size());
        return BlockA.data();
    }
    if (kind == setting::BlockS) {
        *count = int(BlockS.size());
        return BlockS.data();
    }
    *count = int(BlockT.size());
    return BlockT.data();
}

} // namespace kw::contacts::telephone
