#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

namespace kw {

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
    const QStringList &businessWords() const { return m_businessWord; }
    const QStringList &businessInStr() const { return m_businessInStr; }
    const QStringList &businessEnd() const { return m_businessEnd; }

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
    static void add(QSet<QString> &set, const QString &word);
    static void addMarker(QStringList &list, const QString &word);

    QStringList m_businessWord, m_businessInStr, m_businessEnd;
    QSet<QString> m_hyphens, m_titlesDipl, m_titlesDr, m_titlesProf, m_addresses, m_suffixes;
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

} // namespace kw
