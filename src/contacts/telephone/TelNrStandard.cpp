#include "contacts/telephone/TelNrStandard.h"

#include "contacts/telephone/TelSettings.h"
#include "contacts/telephone/TelTables.h"
#include "platform/core/PlatformError.h"
#include "platform/core/Text.h"
#include "platform/refdb/Database.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

#include <QVarLengthArray>
#include <algorithm>
#include <array>

namespace kw::contacts::telephone::TelNrStandard {
namespace {

// Room for a number on the stack: telephone numbers are short, and the
// formatter runs for every field of every contact.
using Chars = QVarLengthArray<QChar, 64>;

void append(Chars &out, QStringView text)
{
    out.append(text.data(), text.size());
}

QString toString(const Chars &chars)
{
    return QString(chars.data(), chars.size());
}

// `digits` split into the blocks of `lengths`; blocks stop at the character
// before the rightmost extension separator, the rest follows as it is.
void appendBlocks(Chars &out, QStringView digits, const int *lengths, int count, QStringView blockSeparator,
                  QStringView extensionSeparator)
{
    // 1-based position of the rightmost extension separator, 0 when absent.
    // Searched from the last character: Qt 6.4 searching from size() reads
    // the character past the end, which a view does not own.
    const qsizetype sepPos = extensionSeparator.isEmpty() ? 0 : digits.lastIndexOf(extensionSeparator, -1) + 1;
    qsizetype taken = 0;
    for (int i = 0; i < count; ++i) {
        const int length = lengths[i];
        if (taken < digits.size())
            append(out, digits.mid(taken, std::min<qsizetype>(length, digits.size() - taken)));
        taken += length;
        if ((sepPos > 0 && taken >= sepPos - 1) || taken >= digits.size())
            break;
        if (length > 0)
            append(out, blockSeparator);
    }
    // The untaken rest, extension separator and extension included.
    append(out, digits.sliced(std::min(taken, digits.size())));
}

// `digits` as they are, or in the blocks of `lengths` when `inBlocks`.
template <std::size_t N>
void appendDigits(Chars &out, QStringView digits, bool inBlocks, const std::array<int, N> &lengths,
                  const QString &blockSeparator, const TelSettings &cfg)
{
    if (inBlocks)
        appendBlocks(out, digits, lengths.data(), int(N), blockSeparator, cfg.DurchwahlTrennOut);
    else
        append(out, digits);
}

QString blocks(const QString &digits, const int *lengths, int count, const QString &blockSeparator,
               const QString &extensionSeparator)
{
    if (digits.isEmpty())
        return digits; // nothing to split; a null text stays null
    Chars out;
    appendBlocks(out, digits, lengths, count, blockSeparator, extensionSeparator);
    return toString(out);
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
// as the digits they are, so no part of a number is lost silently. The result
// lies in `buffer`.
QStringView clean(QStringView telNr, const TelSettings &cfg, Chars &buffer)
{
    const bool separatorUsable = cfg.DurchwahlTrenn.size() == 1;
    const QChar separator = separatorUsable ? cfg.DurchwahlTrenn.at(0) : QChar();
    // Filled from the back, so that the rightmost separator is the first one met.
    buffer.resize(telNr.size() + cfg.DurchwahlTrennOut.size());
    qsizetype begin = buffer.size();
    bool separatorSeen = false;
    for (qsizetype i = telNr.size() - 1; i >= 0; --i) {
        const QChar c = telNr[i];
        char32_t code = c.unicode();
        if (c.isLowSurrogate() && i > 0 && telNr[i - 1].isHighSurrogate())
            code = QChar::surrogateToUcs4(telNr[i - 1], c);
        if ((c >= u'0' && c <= u'9') || c == u'+') {
            buffer[--begin] = c;
        } else if (const int digit = digitValue(code); digit >= 0) {
            buffer[--begin] = QChar(u'0' + digit);
            if (code > 0xFFFF)
                --i;
        } else if (separatorUsable && !separatorSeen && c == separator) {
            begin -= cfg.DurchwahlTrennOut.size();
            std::copy(cfg.DurchwahlTrennOut.cbegin(), cfg.DurchwahlTrennOut.cend(), buffer.begin() + begin);
            separatorSeen = true;
        }
    }
    return QStringView(buffer.data() + begin, buffer.size() - begin);
}

void appendWithoutPlus(Chars &out, QStringView text)
{
    for (const QChar c : text) {
        if (c != u'+')
            out.append(c);
    }
}

// The leading "+" becomes the international prefix unless the digits after it
// already are that prefix ("+0049..."); every other "+" goes, one in that
// prefix too. The result is `s` or lies in `buffer`.
QStringView resolvePlus(QStringView s, const TelSettings &cfg, Chars &buffer)
{
    if (!s.contains(u'+'))
        return s;
    buffer.clear();
    if (s.startsWith(u'+') && !hasPrefix(s.sliced(1), cfg.IDDP))
        appendWithoutPlus(buffer, cfg.IDDP);
    appendWithoutPlus(buffer, s);
    return QStringView(buffer.data(), buffer.size());
}

QStringView trimSeparator(QStringView text, QStringView separator, bool endFirst)
{
    if (separator.isEmpty())
        return text;
    for (int pass = 0; pass < 2; ++pass) {
        const bool atEnd = (pass == 0) == endFirst;
        if (atEnd && hasSuffix(text, separator))
            text.chop(separator.size());
        else if (!atEnd && hasPrefix(text, separator))
            text = text.sliced(separator.size());
    }
    return text;
}

// Views into the settings, the tables and the cleaned number.
struct Parsed
{
    QStringView cc;   // country code written
    QStringView ac;   // area code, "" when the country has none; begins rest
    QStringView rest; // subscriber number (with area code) or whole number (without)
};

// A trunk digit written after the country code ("+49 (0)711", "+7 812") is
// only a trunk prefix when the rest begins with a real area code; otherwise
// it belongs to the number, and dropping it would lose a digit for good.
// The whole digits are tried first, so that an area code beginning with the
// trunk digit (Italy's "06", St Petersburg's "812") keeps it.
std::optional<Parsed> afterCountryCode(QStringView cc, QStringView withTrunk, QStringView withoutTrunk,
                                       const TelTables &tables)
{
    QStringView s = withTrunk;
    if (!tables.findAreaCode(cc, withTrunk, false) && tables.findAreaCode(cc, withoutTrunk, false))
        s = withoutTrunk;
    const std::optional<QStringView> ac = tables.findAreaCode(cc, s, true);
    if (!ac)
        return std::nullopt;
    return Parsed{cc, *ac, s};
}

// Country, trunk prefix and area code of the cleaned number; nothing when the
// number is not recognised.
std::optional<Parsed> parse(QStringView s, const TelSettings &cfg, const TelTables &tables)
{
    bool recognised = false;
    bool recognisedCountry = false;
    QStringView cc = cfg.CountryCode;
    QStringView np = cfg.NDDP;
    if (const auto country = tables.findCountry(s, cfg.IDDP, cfg.Plus)) {
        s = s.sliced(country->taken);
        recognised = recognisedCountry = true;
        if (!cfg.IgnoreCountryCode) {
            cc = country->code;
            np = country->prefix;
        }
    }
    const QStringView withTrunk = s;
    bool trunkRemoved = false;
    if (hasPrefix(s, np) && !hasPrefix(s, cfg.IDDP)) {
        s = s.sliced(np.size());
        recognised = trunkRemoved = true;
    }
    if (s.isEmpty() || !recognised)
        return std::nullopt;
    if (trunkRemoved && recognisedCountry)
        return afterCountryCode(cc, withTrunk, s, tables);
    std::optional<QStringView> ac = tables.findAreaCode(cc, s, true);
    if (!ac && trunkRemoved) {
        // Area codes that themselves begin with the trunk digit ("06" in Italy).
        s = withTrunk;
        ac = tables.findAreaCode(cc, s, false);
    }
    if (!ac)
        return std::nullopt;
    return Parsed{cc, *ac, s};
}

bool filteredOut(const Parsed &number, const TelSettings &cfg)
{
    if (!cfg.FilterTel)
        return false;
    return (cfg.FilterCountry && number.cc != cfg.FilterCountryStr)
        || (cfg.FilterArea && number.ac != cfg.FilterAreaStr);
}

// Whether `text` goes on with `piece` at `pos`; if so, `pos` moves past it.
bool continuesWith(QStringView text, qsizetype &pos, QStringView piece)
{
    if (!hasPrefix(text.sliced(pos), piece))
        return false;
    pos += piece.size();
    return true;
}

// The old Zurich area code 1 is 44 now: "+41 (1) " becomes "+41 (44) ",
// whichever parts of the number wrote that start.
void convertOldZurich(Chars &out, const TelSettings &cfg)
{
    const QStringView text(out.data(), out.size());
    qsizetype pos = 0;
    if (!continuesWith(text, pos, cfg.IDDPOut) || !continuesWith(text, pos, u"41")
        || !continuesWith(text, pos, cfg.VorwahlTrennOut1))
        return;
    const qsizetype areaCode = pos;
    if (!continuesWith(text, pos, u"1") || !continuesWith(text, pos, cfg.VorwahlTrennOut2))
        return;
    out[areaCode] = u'4';
    out.insert(out.begin() + areaCode, u'4');
}

QString layout(const Parsed &number, const TelSettings &cfg)
{
    Chars out;
    append(out, cfg.IDDPOut);
    append(out, number.cc);
    if (!number.ac.isEmpty()) {
        const QStringView sub = trimSeparator(number.rest.sliced(number.ac.size()), cfg.DurchwahlTrennOut, false);
        append(out, cfg.VorwahlTrennOut1);
        appendDigits(out, number.ac, cfg.UseNumberBlocksAreaPres, cfg.BlockA, cfg.BlockTrennAreaPres, cfg);
        append(out, cfg.VorwahlTrennOut2);
        appendDigits(out, sub, cfg.UseNumberBlocksAreaPres, cfg.BlockS, cfg.BlockTrennAreaPres, cfg);
    } else {
        const QStringView rest = trimSeparator(number.rest, cfg.DurchwahlTrennOut, true);
        append(out, cfg.VorwahlTrennOutSingle);
        appendDigits(out, rest, cfg.UseNumberBlocksAreaNo, cfg.BlockT, cfg.BlockTrennAreaNo, cfg);
    }
    if (cfg.SchweizKonv)
        convertOldZurich(out, cfg);
    return toString(out);
}

// Only " " counts, as for trimBlanks(); checked without a trimmed copy.
bool isBlank(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; });
}

QString format(const QString &telNr, const TelSettings &cfg, const TelTables &tables)
{
    Chars cleaned;
    Chars resolved;
    const std::optional<Parsed> number = parse(resolvePlus(clean(telNr, cfg, cleaned), cfg, resolved), cfg, tables);
    if (!number || filteredOut(*number, cfg))
        return telNr;
    return layout(*number, cfg);
}

} // namespace

QString FormatTelNumber(const QString &TelNr, bool &Changed, Settings &settings, Messages &messages,
                        refdb::Database &database)
{
    Changed = false;
    if (isBlank(TelNr))
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
    reportFormatFailure(messages, *error, TelNr);
    return QString(QLatin1String(""));
}

void reportFormatFailure(Messages &messages, const PlatformError &error, const QString &TelNr)
{
    // The info text is only built for the error: formatting runs once per number of a run.
    messages.HandleError(error, place::FormatTelNumber, QStringLiteral("(Telephone number.: ") + TelNr + u')');
}

QString FormatNumberBlocks(const QString &Digits, const QString &Kind, Settings &settings)
{
    const std::shared_ptr<const TelSettings> cfg = TelSettings::current(settings);
    if (Kind == setting::BlockA || Kind == setting::BlockS || Kind == setting::BlockT)
        return blocksFor(Digits, Kind, *cfg);
    // Any other kind reads its lengths under its own name, five of them.
    int lengths[5];
    for (int i = 0; i < 5; ++i)
        lengths[i] = blockLength(settings.GetSetting(Kind + QString::number(i + 1), QStringLiteral("0")));
    return blocks(Digits, lengths, 5, cfg->BlockTrennAreaPres, cfg->DurchwahlTrennOut);
}

QString FormatTelNumber(const QString &TelNr, bool &Changed, const TelSettings &settings, const TelTables &tables)
{
    Changed = false;
    if (isBlank(TelNr))
        return QString(QLatin1String(""));
    const QString result = format(TelNr, settings, tables);
    Changed = result != TelNr;
    return result;
}

} // namespace kw::contacts::telephone::TelNrStandard
