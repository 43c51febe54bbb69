#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <QStringList>
#include <algorithm>
#include <memory>
#include <unordered_set>

namespace kw::contacts::names {

// Company markers of one table, folded, indexed by their first character so a
// name is searched in one pass instead of once per marker.
class NameMarkers
{
public:
    void add(const QString &foldedMarker);
    const QStringList &all() const { return m_all; }
    int size() const { return int(m_all.size()); }

    // Whether a marker occurs in the folded text s. With wordStart the marker
    // must begin s or follow a blank; with wordEnd it must end s or precede a
    // blank. (wordStart and wordEnd together: " " + s + " " contains
    // " " + marker + " "; wordEnd alone: s + " " contains marker + " ".)
    bool occursIn(QStringView s, bool wordStart, bool wordEnd) const;

private:
    QStringList m_all;
    QHash<char16_t, QStringList> m_byFirst;
};

// A set of folded words with a cheap hash and a quick rejection by length
// and first letter: the parser asks for every token and for up to fourteen
// title windows per token, most of which no table holds.
class NameWordSet
{
public:
    void insert(const QString &key);
    bool contains(const QString &key) const;
    int size() const { return int(m_words.size()); }

private:
    struct Hash
    {
        std::size_t operator()(const QString &s) const noexcept;
    };
    static quint64 lengthBit(qsizetype length) { return quint64(1) << std::min<qsizetype>(length, 63); }
    static quint64 firstUnitBit(const QString &key) { return key.isEmpty() ? 1 : quint64(1) << (key.front().unicode() % 64); }

    std::unordered_set<QString, Hash> m_words;
    quint64 m_lengths = 0;
    quint64 m_firstUnits = 0; // a bit per first unit modulo 64; bit 0 also for ""
};

// The word tables of the reference database that the name parser consults,
// held in memory. Every key is stored folded (see foldNameKey), so a look-up
// matches without regard to letter case in any script: "JÜRGEN" finds "Jürgen".
class NameWordTables
{
public:
    // The comparison key of a word: canonical composition, then full Unicode
    // case folding.
    static QString foldNameKey(const QString &text);

    void addBusinessWord(const QString &word);
    void addBusinessInStr(const QString &word);
    void addBusinessEnd(const QString &word);
    void addHyphen(const QString &word) { add(m_hyphens, word); }
    void addTitleDipl(const QString &word) { add(m_titlesDipl, word); }
    void addTitleDr(const QString &word) { add(m_titlesDr, word); }
    void addTitleProf(const QString &word) { add(m_titlesProf, word); }
    void addAddress(const QString &word) { add(m_addresses, word); }
    void addSuffix(const QString &word) { add(m_suffixes, word); }
    // The first row of a name wins, as a query would return it first.
    void addFirstName(const QString &name, const QString &gender);

    // Company markers, folded; empty rows are never kept (an empty marker
    // would be found in every name).
    const NameMarkers &businessWords() const { return m_businessWord; }
    const NameMarkers &businessInStr() const { return m_businessInStr; }
    const NameMarkers &businessEnd() const { return m_businessEnd; }

    // The look-ups take keys already folded with foldNameKey.
    bool isHyphen(const QString &key) const { return m_hyphens.contains(key); }
    bool isTitleDipl(const QString &key) const { return m_titlesDipl.contains(key); }
    bool isTitleDr(const QString &key) const { return m_titlesDr.contains(key); }
    bool isTitleProf(const QString &key) const { return m_titlesProf.contains(key); }
    bool isAddress(const QString &key) const { return m_addresses.contains(key); }
    bool isSuffix(const QString &key) const { return m_suffixes.contains(key); }
    // Whether the key is a first name; its gender goes to *gender when found.
    bool findFirstName(const QString &key, QString *gender) const;

    int rowCount() const;

private:
    static void add(NameWordSet &set, const QString &word);
    static void addMarker(NameMarkers &markers, const QString &word);

    NameMarkers m_businessWord, m_businessInStr, m_businessEnd;
    NameWordSet m_hyphens, m_titlesDipl, m_titlesDr, m_titlesProf, m_addresses, m_suffixes;
    NameWordSet m_firstNameKeys;
    QHash<QString, QString> m_firstNames;
};

// Where one parse gets its word tables from. The parser asks once at the
// start of every call; an implementation over a database file makes sure that
// a table edited since the last call is read again. Throws kw::PlatformError
// when the tables cannot be read.
class NameWordSource
{
public:
    virtual ~NameWordSource() = default;
    virtual std::shared_ptr<const NameWordTables> acquire() = 0;
    // While held, a source may hand out the tables it has without looking for
    // changes: a run holds its source for each folder.
    virtual void hold(bool) {}
};

// Tables fixed for the source's lifetime: for tests and for comparison runs.
class FixedNameWordSource : public NameWordSource
{
public:
    explicit FixedNameWordSource(std::shared_ptr<const NameWordTables> tables) : m_tables(std::move(tables)) {}
    std::shared_ptr<const NameWordTables> acquire() override { return m_tables; }

private:
    std::shared_ptr<const NameWordTables> m_tables;
};

} // namespace kw::contacts::names
