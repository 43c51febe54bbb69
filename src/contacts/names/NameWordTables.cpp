#include "contacts/names/NameWordTables.h"

#include <algorithm>

namespace kw::contacts::names {

namespace {

// Latin-1 but the micro sign (which folds to a Greek mu) folds by lowering
// its capitals; nearly every name is written in it.
bool foldsWithinLatin1(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100 && c.unicode() != 0xB5; });
}

char16_t foldLatin1(char16_t c)
{
    const bool capital = (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
    return capital ? char16_t(c + 0x20) : c;
}

} // namespace

QString NameWordTables::foldNameKey(const QString &text)
{
    // Latin-1 is composed already and folded here without Qt's look-ups per
    // character, which cost a parse more than its tables.
    if (foldsWithinLatin1(text)) {
        const auto capital = std::find_if(text.cbegin(), text.cend(),
                                          [](QChar c) { return foldLatin1(c.unicode()) != c.unicode(); });
        if (capital == text.cend())
            return text; // shared, not copied
        QString folded = text;
        for (QChar *c = folded.data() + (capital - text.cbegin()), *end = folded.data() + folded.size(); c != end; ++c)
            *c = QChar(foldLatin1(c->unicode()));
        return folded;
    }
    // A name typed with a combining diaeresis ("u" + U+0308) must find the
    // table's precomposed "ü". Text below U+0300 is composed already, which
    // spares most names the costly normalisation.
    const bool composed = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x300; });
    return (composed ? text : text.normalized(QString::NormalizationForm_C)).toCaseFolded();
}

std::size_t NameWordSet::Hash::operator()(const QString &s) const noexcept
{
    // FNV-1a over the UTF-16 units: words are short, and this is far cheaper
    // than a keyed hash; the tables are our own data, not an attacker's.
    std::size_t h = 14695981039346656037ull;
    for (const QChar c : s) {
        h ^= c.unicode();
        h *= 1099511628211ull;
    }
    return h;
}

void NameWordSet::insert(const QString &key)
{
    m_words.insert(key);
    m_lengths |= lengthBit(key.size());
    m_firstUnits |= firstUnitBit(key);
}

bool NameWordSet::contains(const QString &key) const
{
    return (m_lengths & lengthBit(key.size())) && (m_firstUnits & firstUnitBit(key)) && m_words.count(key) > 0;
}

void NameWordTables::add(NameWordSet &set, const QString &word)
{
    set.insert(foldNameKey(word));
}

void NameWordTables::addMarker(NameMarkers &markers, const QString &word)
{
    if (!word.isEmpty())
        markers.add(foldNameKey(word));
}

void NameMarkers::add(const QString &foldedMarker)
{
    if (foldedMarker.isEmpty())
        return;
    m_all.append(foldedMarker);
    m_byFirst[foldedMarker.front().unicode()].append(foldedMarker);
}

bool NameMarkers::occursIn(QStringView s, bool wordStart, bool wordEnd) const
{
    const QChar blank(QLatin1Char(' '));
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (wordStart && i > 0 && s[i - 1] != blank)
            continue;
        const auto candidates = m_byFirst.constFind(s[i].unicode());
        if (candidates == m_byFirst.constEnd())
            continue;
        for (const QString &marker : *candidates) {
            // The word end is one unit to look at: tested before the text.
            const qsizetype end = i + marker.size();
            if (end <= s.size() && (!wordEnd || end == s.size() || s[end] == blank) && s.sliced(i, marker.size()) == marker)
                return true;
        }
    }
    return false;
}

void NameWordTables::addBusinessWord(const QString &word)
{
    addMarker(m_businessWord, word);
}

void NameWordTables::addBusinessInStr(const QString &word)
{
    addMarker(m_businessInStr, word);
}

void NameWordTables::addBusinessEnd(const QString &word)
{
    addMarker(m_businessEnd, word);
}

void NameWordTables::addFirstName(const QString &name, const QString &gender)
{
    const QString key = foldNameKey(name);
    if (!m_firstNames.contains(key)) {
        m_firstNames.insert(key, gender);
        m_firstNameKeys.insert(key);
    }
}

bool NameWordTables::findFirstName(const QString &key, QString *gender) const
{
    if (!m_firstNameKeys.contains(key))
        return false;
    const auto it = m_firstNames.constFind(key);
    if (it == m_firstNames.constEnd())
        return false;
    if (gender)
        *gender = it.value();
    return true;
}

int NameWordTables::rowCount() const
{
    return int(m_businessWord.size() + m_businessInStr.size() + m_businessEnd.size() + m_hyphens.size()
               + m_titlesDipl.size() + m_titlesDr.size() + m_titlesProf.size() + m_addresses.size()
               + m_suffixes.size() + m_firstNames.size());
}

} // namespace kw::contacts::names
