#include "contacts/TelNrStandard.h"

#include "contacts/TelSettings.h"
#include "contacts/TelTables.h"
#include "platform/core/PlatformError.h"
#include "platform/refdb/Database.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

#include <algorithm>

namespace kw::TelNrStandard {
namespace {

using tel::TelSettings;
using tel::TelTables;

QString blocks(const QString &digits, const int *lengths, int count, const QString &blockSeparator,
               const QString &extensionSeparator)
{
    // 1-based position of the rightmost extension separator, 0 when absent.
    const qsizetype sepPos = extensionSeparator.isEmpty() ? 0 : digits.lastIndexOf(extensionSeparator) + 1;
    qsizetype taken = 0;
    QString out;
    for (int i = 0; i < count; ++i) {
        const int length = lengths[i];
        if (taken < digits.size())
            out += QStringView(digits).mid(taken, std::min<qsizetype>(length, digits.size() - taken));
        taken += length;
        if ((sepPos > 0 && taken >= sepPos - 1) || taken >= digits.size())
            break;
        if (length > 0)
            out += blockSeparator;
    }
    // The untaken rest, extension separator and extension included.
    return out + digits.mid(std::min(taken, digits.size()));
}

QString blocksFor(const QString &digits, const QString &kind, const TelSettings &cfg)
{
    int count = 0;
    const int *lengths = cfg.blockLengths(kind, &count);
    const QString &separator = kind == setting::BlockT ? cfg.BlockTrennAreaNo : cfg.BlockTrennAreaPres;
    return blocks(digits, lengths, count, separator, cfg.DurchwahlTrennOut);
}

// Decimal digit value of a code point of any script ("٣" is 3), or -1.
int digitValue(char32_t c)
{
    return QChar::isDigit(c) ? QChar::digitValue(c) : -1;
}

// Keeps digits and "+", turns the rightmost extension separator into the
// output separator and drops everything else. Digits of other scripts count
// as the digits they are, so no part of a number is lost silently.
QString clean(const QString &telNr, const TelSettings &cfg)
{
    const bool separatorUsable = cfg.DurchwahlTrenn.size() == 1;
    const QChar separator = separatorUsable ? cfg.DurchwahlTrenn.at(0) : QChar();
    QString reversedOutSeparator = cfg.DurchwahlTrennOut;
    std::reverse(reversedOutSeparator.begin(), reversedOutSeparator.end());
    QString reversed;
    reversed.reserve(telNr.size() + cfg.DurchwahlTrennOut.size());
    bool separatorSeen = false;
    for (qsizetype i = telNr.size() - 1; i >= 0; --i) {
        const QChar c = telNr.at(i);
        char32_t code = c.unicode();
        if (c.isLowSurrogate() && i > 0 && telNr.at(i - 1).isHighSurrogate())
            code = QChar::surrogateToUcs4(telNr.at(i - 1), c);
        if ((c >= u'0' && c <= u'9') || c == u'+') {
            reversed += c;
        } else if (const int digit = digitValue(code); digit >= 0) {
            reversed += QChar(u'0' + digit);
            if (code > 0xFFFF)
                --i;
        } else if (separatorUsable && !separatorSeen && c == separator) {
            reversed += reversedOutSeparator;
            separatorSeen = true;
        }
    }
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

// The leading "+" becomes the international prefix unless the digits after it
// already are that prefix ("+0049..."); every other "+" goes.
QString resolvePlus(QString s, const TelSettings &cfg)
{
    if (s.startsWith(u'+') && QStringView(s).mid(1, cfg.IDDP.size()) != cfg.IDDP)
        s.replace(0, 1, cfg.IDDP);
    s.remove(u'+');
    return s;
}

void trimSeparator(QString &text, const QString &separator, bool endFirst)
{
    if (separator.isEmpty())
        return;
    for (int pass = 0; pass < 2; ++pass) {
        const bool atEnd = (pass == 0) == endFirst;
        if (atEnd && text.endsWith(separator))
            text.chop(separator.size());
        else if (!atEnd && text.startsWith(separator))
            text.remove(0, separator.size());
    }
}

struct Parsed
{
    QString cc;   // country code written
    QString ac;   // area code, "" when the country has none
    QString rest; // subscriber number (with area code) or whole number (without)
};

// Country, trunk prefix and area code of the cleaned number; nothing when the
// number is not recognised.
std::optional<Parsed> parse(QString s, const TelSettings &cfg, const TelTables &tables)
{
    bool recognised = false;
    QString cc = cfg.CountryCode;
    QString np = cfg.NDDP;
    if (const auto country = tables.findCountry(s, cfg.IDDP, cfg.Plus)) {
        s.remove(0, country->taken);
        recognised = true;
        if (!cfg.IgnoreCountryCode) {
            cc = country->code.toString();
            np = country->prefix.toString();
        }
    }
    bool trunkRemoved = false;
    if (s.startsWith(np) && !s.startsWith(cfg.IDDP)) {
        s.remove(0, np.size());
        recognised = trunkRemoved = true;
    }
    if (s.isEmpty() || !recognised)
        return std::nullopt;
    std::optional<QStringView> ac = tables.findAreaCode(cc, s, true);
    if (!ac && trunkRemoved) {
        // Area codes that themselves begin with the trunk digit ("06" in Italy).
        s.prepend(np);
        ac = tables.findAreaCode(cc, s, false);
    }
    if (!ac)
        return std::nullopt;
    return Parsed{cc, ac->toString(), s};
}

bool filteredOut(const Parsed &number, const TelSettings &cfg)
{
    if (!cfg.FilterTel)
        return false;
    return (cfg.FilterCountry && number.cc != cfg.FilterCountryStr)
        || (cfg.FilterArea && number.ac != cfg.FilterAreaStr);
}

QString layout(Parsed number, const TelSettings &cfg)
{
    QString sub = number.rest.mid(number.ac.size());
    trimSeparator(sub, cfg.DurchwahlTrennOut, false);
    trimSeparator(number.rest, cfg.DurchwahlTrennOut, true);
    QString result;
    if (!number.ac.isEmpty()) {
        if (cfg.UseNumberBlocksAreaPres) {
            number.ac = blocksFor(number.ac, setting::BlockA, cfg);
            sub = blocksFor(sub, setting::BlockS, cfg);
        }
        result = cfg.IDDPOut + number.cc + cfg.VorwahlTrennOut1 + number.ac + cfg.VorwahlTrennOut2 + sub;
    } else {
        if (cfg.UseNumberBlocksAreaNo)
            number.rest = blocksFor(number.rest, setting::BlockT, cfg);
        result = cfg.IDDPOut + number.cc + cfg.VorwahlTrennOutSingle + number.rest;
    }
    if (cfg.SchweizKonv) {
        const QString oldZurich = cfg.IDDPOut + QStringLiteral("41") + cfg.VorwahlTrennOut1 + u'1' + cfg.VorwahlTrennOut2;
        if (result.startsWith(oldZurich))
            result.replace(0, oldZurich.size(), cfg.IDDPOut + QStringLiteral("41") + cfg.VorwahlTrennOut1
                                                    + QStringLiteral("44") + cfg.VorwahlTrennOut2);
    }
    return result;
}

QString format(const QString &telNr, const TelSettings &cfg, const TelTables &tables)
{
    const std::optional<Parsed> number = parse(resolvePlus(clean(telNr, cfg), cfg), cfg, tables);
    if (!number || filteredOut(*number, cfg))
        return telNr;
    return layout(*number, cfg);
}

} // namespace

QString FormatTelNumber(const QString &TelNr, bool &Changed, Settings &settings, Messages &messages,
                        refdb::Database &database)
{
    Changed = false;
    if (trimBlanks(TelNr).isEmpty())
        return QString(QLatin1String(""));
    QString result;
    const std::optional<PlatformError> error = catchError([&] {
        const std::shared_ptr<const TelSettings> cfg = TelSettings::current(settings);
        const std::shared_ptr<const TelTables> tables =
            database.cached<TelTables>([](refdb::Connection &db) { return TelTables::read(db); });
        result = FormatTelNumber(TelNr, Changed, *cfg, *tables);
    });
    if (!error)
        return result;
    // The info text is only built for the error: this runs once per number of a run.
    messages.HandleError(error->description(), error->number(), place::FormatTelNumber,
                         QStringLiteral("(Telephone number.: ") + TelNr + u')');
    return QString(QLatin1String(""));
}

QString FormatNumberBlocks(const QString &Digits, const QString &Kind, Settings &settings)
{
    const std::shared_ptr<const TelSettings> cfg = TelSettings::current(settings);
    if (Kind == setting::BlockA || Kind == setting::BlockS || Kind == setting::BlockT)
        return blocksFor(Digits, Kind, *cfg);
    // Any other kind reads its lengths under its own name, five of them.
    int lengths[5];
    for (int i = 0; i < 5; ++i)
        lengths[i] = tel::blockLength(settings.GetSetting(Kind + QString::number(i + 1), QStringLiteral("0")));
    return blocks(Digits, lengths, 5, cfg->BlockTrennAreaPres, cfg->DurchwahlTrennOut);
}

QString FormatTelNumber(const QString &TelNr, bool &Changed, const TelSettings &settings, const TelTables &tables)
{
    Changed = false;
    if (trimBlanks(TelNr).isEmpty())
        return QString(QLatin1String(""));
    const QString result = format(TelNr, settings, tables);
    Changed = result != TelNr;
    return result;
}

} // namespace kw::TelNrStandard
