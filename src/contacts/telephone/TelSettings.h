#pragma once

#include "platform/core/Text.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

namespace kw {
class Settings;
}

namespace kw::contacts::telephone {

// The settings the telephone formatter reads, as it uses them: texts the
// formatter trims are stored trimmed, yes-no values as bool, block lengths
// as numbers (a text that is not a number, or a negative one, counts as 0).
struct TelSettings
{
    QString DurchwahlTrenn;        // extension separator recognised in the input
    bool Plus = false;             // country code also without international prefix
    QString IDDP;                  // home international prefix, trimmed
    bool SchweizKonv = true;       // old Swiss area code 1 becomes 44
    bool UseNumberBlocksAreaNo = false;
    bool UseNumberBlocksAreaPres = false;
    bool IgnoreCountryCode = false;
    QString IDDPOut;               // written before the country code, trimmed
    QString DurchwahlTrennOut;
    QString VorwahlTrennOut1;
    QString VorwahlTrennOut2;
    QString VorwahlTrennOutSingle;
    QString CountryCode;           // home country code, trimmed
    QString NDDP;                  // home trunk prefix, trimmed
    bool FilterTel = false;
    bool FilterCountry = false;
    bool FilterArea = false;
    QString FilterCountryStr;      // trimmed
    QString FilterAreaStr;         // trimmed
    std::array<int, 2> BlockA{};
    std::array<int, 5> BlockS{};
    std::array<int, 5> BlockT{};
    QString BlockTrennAreaPres;
    QString BlockTrennAreaNo;

    // Reads every value from the settings store now.
    static TelSettings read(Settings &settings);

    // The stored text of a setting, or `fallback` when there is none.
    using TextOf = std::function<QString(const QString &name, const QString &fallback)>;
    // The values as read through `text`: what the formatter would see if the
    // store held those texts. read() is this over the store.
    static TelSettings fromTexts(const TextOf &text);
    // The same over `texts` by setting name; a missing name reads as the
    // formatter's own default.
    static TelSettings fromTexts(const QMap<QString, QString> &texts);
    // Every setting the formatter reads, in the order it reads them.
    static const QStringList &names();
    // The text the formatter takes for each of them when none is stored.
    static const QMap<QString, QString> &defaultTexts();

    // The values as the store holds them at this moment. Reuses the last
    // read while the registry reports no change since, so a value saved by
    // the options is seen at the very next call. User-interface thread only.
    static std::shared_ptr<const TelSettings> current(Settings &settings);

    // The lengths for a block kind ("BlockA", "BlockS", "BlockT").
    const int *blockLengths(const QString &kind, int *count) const;
};

// A yes-no value stored as a number ("1"/"0"); other numbers count as yes
// when not 0, anything else gives the fallback instead of an error.
bool numericBool(const QString &text, bool fallback);

// A block length as the formatter uses it: the number in `text`, or 0 when it
// is not a number or is negative. Fractions round to the nearest even number.
int blockLength(const QString &text);

} // namespace kw::contacts::telephone
