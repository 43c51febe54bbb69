#include "contacts/names/NameCorrectionFunctions.h"
#include "contacts/names/NameTokenTypes.h"

#include "platform/core/PlatformError.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"

#include <QVarLengthArray>

#include <algorithm>
#include <utility>
#include <vector>

namespace kw::contacts::names {
namespace {

namespace tt = tokentype;

const QString kBlank = QStringLiteral(" ");
const QString kHerr = QStringLiteral("herr");

// One call of the parser: the token table and the folded form of each token.
class NameParse
{
public:
    NameParse(const NameWordTables &words, const QString &normalized) : m_words(words)
    {
        if (!normalized.isEmpty())
            t.text = normalized.split(QLatin1Char(' '));
        const qsizetype n = t.text.size();
        t.type = QStringList(n, QString());
        t.gender = QStringList(n, QString());
        m_keys.reserve(n);
        for (const QString &token : std::as_const(t.text))
            m_keys.append(NameWordTables::foldNameKey(token));
    }

    bool detectBusiness(const QString &normalized) const;
    void typeTokens();
    void findLastName();
    void markMiddleNames();
    void resolveHyphens();
    void resolveLeftovers();
    ParsedName assemble() const;

    NameTokens t;

private:
    int last() const { return t.count() - 1; }
    int count(const QString &type) const { return CountTokenType(t, type); }
    bool isHerr(int i) const { return t.text[i].toLower() == kHerr; }
    void typeTitleWindows(int maxWidth, const QString &joiner, bool (NameWordTables::*found)(const QString &) const,
                          const QString &type);
    void typeFromTable(int from, bool (NameWordTables::*found)(const QString &) const, const QString &type);
    void typeFirstNames();
    void markSurnameHerr();
    QString salutation() const;

    const NameWordTables &m_words;
    QStringList m_keys;
};

bool NameParse::detectBusiness(const QString &normalized) const
{
    // Whole words, then anywhere, then at a word end; each table only when
    // the one before found nothing.
    const QString s = NameWordTables::foldNameKey(normalized);
    return m_words.businessWords().occursIn(s, true, true) || m_words.businessInStr().occursIn(s, false, false)
        || m_words.businessEnd().occursIn(s, false, true);
}

void NameParse::typeTokens()
{
    for (int i = 0; i <= last(); ++i) {
        const QString &x = t.text[i];
        if (x == QLatin1String(","))
            t.type[i] = tt::Comma;
        if (x == QLatin1String("(") || x == QLatin1String("[") || x == QLatin1String("{"))
            t.type[i] = tt::Open;
        else if (x == QLatin1String(")") || x == QLatin1String("]") || x == QLatin1String("}"))
            t.type[i] = tt::Close;
    }
    // The first token is never a joining hyphen.
    typeFromTable(1, &NameWordTables::isHyphen, tt::Hyphen);
    // Diploma titles are stored glued ("Dipl.-Ing.(FH)"), doctor titles with
    // blanks between their words ("Dr. rer. nat.").
    typeTitleWindows(8, QString(), &NameWordTables::isTitleDipl, tt::TitleDipl);
    typeTitleWindows(6, kBlank, &NameWordTables::isTitleDr, tt::TitleDr);
    typeFromTable(0, &NameWordTables::isTitleProf, tt::TitleProf);
    typeFromTable(0, &NameWordTables::isAddress, tt::Address);
    typeFirstNames();
    typeFromTable(0, &NameWordTables::isSuffix, tt::Suffix);
    for (QString &type : t.type) {
        if (type.isEmpty())
            type = tt::LastName;
    }
}

void NameParse::typeFromTable(int from, bool (NameWordTables::*found)(const QString &) const, const QString &type)
{
    for (int i = from; i <= last(); ++i) {
        if ((m_words.*found)(m_keys[i]))
            t.type[i] = type;
    }
}

// The longest title found at a start wins; a window that starts inside the
// last accepted one is never accepted, so accepted windows do not overlap.
void NameParse::typeTitleWindows(int maxWidth, const QString &joiner,
                                 bool (NameWordTables::*found)(const QString &) const, const QString &type)
{
    // The keys are joined once; every window is a view into that text.
    qsizetype length = joiner.size() * std::max(last(), 0);
    for (const QString &key : std::as_const(m_keys))
        length += key.size();
    QString joined;
    joined.reserve(length); // one allocation for all the keys
    QVarLengthArray<qsizetype, 16> begins; // where each token's key starts in joined
    QVarLengthArray<qsizetype, 16> ends;
    for (int k = 0; k <= last(); ++k) {
        if (k > 0)
            joined += joiner;
        begins.append(joined.size());
        joined += m_keys[k];
        ends.append(joined.size());
    }
    int acceptedStart = 0;
    int acceptedLength = 0;
    for (int i = 0; i <= last(); ++i) {
        if (i < acceptedStart + acceptedLength)
            continue; // nothing starting here could be accepted
        const int widest = std::min(maxWidth, last() - i + 1);
        for (int w = widest; w >= 1; --w) {
            const QString window = QString::fromRawData(joined.constData() + begins[i], ends[i + w - 1] - begins[i]);
            if (!(m_words.*found)(window))
                continue;
            acceptedStart = i;
            acceptedLength = w;
            for (int k = i; k < i + w; ++k)
                t.type[k] = type;
            break; // shorter windows at this start lie inside the accepted one
        }
    }
}

void NameParse::typeFirstNames()
{
    for (int i = 0; i <= last(); ++i) {
        const QString &x = t.text[i];
        // "U." may stand for a first name even where another table typed it;
        // "v." is the particle, never a first name.
        if (x == QLatin1String("v.") || !(t.type[i].isEmpty() || x == QLatin1String("U.")))
            continue;
        QString gender;
        if (m_words.findFirstName(m_keys[i], &gender)) {
            t.type[i] = tt::FirstName;
            t.gender[i] = gender;
        }
    }
}

void NameParse::findLastName()
{
    if (count(tt::LastName) == 0 && count(tt::Comma) > 0) {
        // "Meier, Hans": the word before the first comma that follows a word.
        const int firstWord = int(std::find_if(t.type.begin(), t.type.end(),
                                               [](const QString &type) { return type != tt::Comma; })
                                  - t.type.begin());
        const int comma = int(t.type.indexOf(tt::Comma, firstWord + 1));
        if (comma > 0 && (t.type[comma - 1] == tt::FirstName || isHerr(comma - 1)))
            t.type[comma - 1] = tt::LastName;
    }
    if (count(tt::LastName) == 0)
        markSurnameHerr();
    if (count(tt::LastName) == 0) {
        const int firstNames = count(tt::FirstName);
        if ((count(tt::Address) > 0 && firstNames == 1) || firstNames >= 2)
            t.type[FindTokenType(t, tt::FirstName, firstNames)] = tt::LastName;
    }
}

// "Herr" after a salutation or a first name is the surname Herr, every such
// token from the last to the first. The two first indexes are taken once: a
// token turned into the surname can only move them beyond the tokens still to
// come, which lie before it either way. So a long name costs one pass.
void NameParse::markSurnameHerr()
{
    const int firstAddress = FirstTokenTypeIndex(t, tt::Address);
    const int firstGiven = FirstTokenTypeIndex(t, tt::FirstName);
    for (int i = last(); i >= 0; --i) {
        if (isHerr(i) && (i > firstAddress || i > firstGiven))
            t.type[i] = tt::LastName;
    }
}

void NameParse::markMiddleNames()
{
    // Every first name but the first is a middle name.
    bool seenFirst = false;
    for (QString &type : t.type) {
        if (type != tt::FirstName)
            continue;
        if (seenFirst)
            type = tt::MiddleName;
        seenFirst = true;
    }
}

void NameParse::resolveHyphens()
{
    // Every hyphen is judged by the types before any hyphen was resolved.
    std::vector<std::pair<int, QString>> changes;
    for (int h = 1; h < last(); ++h) {
        if (t.type[h] != tt::Hyphen)
            continue;
        const QString &left = t.type[h - 1];
        const QString &right = t.type[h + 1];
        const auto isGiven = [](const QString &type) { return type == tt::FirstName || type == tt::MiddleName; };
        if (left == right) {
            changes.emplace_back(h, left);
        } else if (left == tt::FirstName && right == tt::MiddleName) {
            changes.emplace_back(h, tt::FirstName); // "Hans-Peter"
            changes.emplace_back(h + 1, tt::FirstName);
        } else if ((left == tt::LastName || right == tt::LastName)
                   && (isGiven(left) || isGiven(right) || isHerr(h - 1) || isHerr(h + 1))) {
            changes.emplace_back(h, tt::LastName); // "Schmidt-Weber" with a first-name half
            changes.emplace_back(left != tt::LastName ? h - 1 : h + 1, tt::LastName);
        }
    }
    for (const auto &[index, type] : changes)
        t.type[index] = type;
}

// Hyphens and brackets that are still unresolved go with the part beside them.
void NameParse::resolveLeftovers()
{
    for (int i = 0; i <= last(); ++i) {
        if (i >= 1 && t.type[i] == tt::Hyphen)
            t.type[i] = t.type[i - 1];
        if (i >= 1 && t.type[i] == tt::Close)
            t.type[i] = t.type[i - 1];
        if (i < last() && t.type[i] == tt::Open)
            t.type[i] = t.type[i + 1];
    }
}

QString NameParse::salutation() const
{
    if (count(tt::FirstName) == 0 || count(tt::Address) > 0)
        return {};
    for (int i = 0; i <= last(); ++i) {
        if (t.type[i] != tt::FirstName)
            continue;
        if (t.gender[i] == QLatin1String("W"))
            return QStringLiteral("Frau");
        if (t.gender[i] == QLatin1String("M"))
            return QStringLiteral("Herr");
    }
    return {};
}

ParsedName NameParse::assemble() const
{
    ParsedName out;
    QString address = salutation();
    QString prof, dr, dipl;
    const std::pair<const QString *, QString *> parts[] = {
        {&tt::Address, &address}, {&tt::FirstName, &out.FirstName}, {&tt::MiddleName, &out.MiddleName},
        {&tt::LastName, &out.LastName}, {&tt::TitleDr, &dr}, {&tt::TitleDipl, &dipl},
        {&tt::TitleProf, &prof}, {&tt::Suffix, &out.Suffix},
    };
    const auto glued = [](const QString &x, std::initializer_list<const char *> marks) {
        return std::any_of(marks.begin(), marks.end(), [&](const char *m) { return x == QLatin1String(m); });
    };
    for (int i = 0; i <= last(); ++i) {
        const QString &x = t.text[i];
        const bool noBlank = glued(x, {"-", ")", "]", "}"}) || (i > 0 && glued(t.text[i - 1], {"-", "(", "[", "{"}));
        for (const auto &[type, part] : parts) {
            if (t.type[i] != *type)
                continue;
            // Tokens are never empty and hold no blank, so appending in place
            // keeps the part trimmed, and a long name is joined in one pass.
            if (part->isEmpty()) {
                *part = x;
            } else {
                if (!noBlank)
                    *part += kBlank;
                *part += x;
            }
            break;
        }
    }
    out.Title = trimBlanks(address + kBlank + prof + kBlank + dr + kBlank + dipl);
    out.tokens = t;
    return out;
}

ParsedName parse(const NameWordTables &words, const QString &fullName, bool checkBusiness)
{
    const QString normalized = NormalizeNameString(fullName);
    NameParse p(words, normalized);
    const bool business = checkBusiness && p.detectBusiness(normalized);
    p.typeTokens();
    p.findLastName();
    p.markMiddleNames();
    p.resolveHyphens();
    p.resolveLeftovers();
    ParsedName out = p.assemble();
    out.IsBusiness = business;
    return out;
}

} // namespace

std::optional<ParsedName> ParseFullName(const QString &fullName, bool checkBusiness, NameWordSource &words,
                                        Messages &messages)
{
    std::optional<ParsedName> parsed;
    trapErrors(messages, place::ParseFullName, QString(), [&] {
        const std::shared_ptr<const NameWordTables> tables = words.acquire();
        if (!tables)
            throw PlatformError(errors::kDatabase, QStringLiteral("Die Namenstabellen sind nicht verfügbar."));
        parsed = parse(*tables, fullName, checkBusiness);
    });
    return parsed;
}

bool ParseFullName(const QString &fullName, QString &title, QString &firstName, QString &middleName,
                   QString &lastName, QString &suffix, bool &isBusiness, bool checkBusiness, NameWordSource &words,
                   Messages &messages)
{
    const std::optional<ParsedName> parsed = ParseFullName(fullName, checkBusiness, words, messages);
    const ParsedName parts = parsed.value_or(ParsedName());
    title = parts.Title;
    firstName = parts.FirstName;
    middleName = parts.MiddleName;
    lastName = parts.LastName;
    suffix = parts.Suffix;
    isBusiness = parts.IsBusiness;
    return parsed.has_value();
}

} // namespace kw::contacts::names
