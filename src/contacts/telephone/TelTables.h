#pragma once

#include "platform/core/PlatformError.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace kw::refdb {
class Connection;
}

namespace kw::contacts::telephone {

// The two telephone tables of the reference database, held in memory and
// indexed so that each look-up is one walk over the start of the number.
// The answers are those of a walk over the rows in the order the formatter's
// queries return them; refdb::Database::cached() keeps this in step with the
// file.
class TelTables
{
public:
    // Reads T_CountryCodes (in row order) and T_CountryAndAreaCodes (ordered
    // by CountryCode, AreaCode; NULL area codes first). Throws PlatformError
    // when the country table cannot be read; a failure to read the area
    // table is kept and thrown by findAreaCode(), so a number that never
    // needs an area code is not reported.
    static TelTables read(refdb::Connection &db);

    struct CountryMatch
    {
        QStringView code;   // trimmed CountryCode, a view into the tables
        QStringView prefix; // trimmed NationalDDPrefix, "" for NULL, a view into the tables
        qsizetype taken;    // characters of the number the match covers
    };

    // The first row in table order for which `number` begins with `iddp` +
    // code, or (when `plus`) with the code alone; the first form wins within
    // a row. Throws PlatformError when a row with a NULL code comes first.
    std::optional<CountryMatch> findCountry(QStringView number, QStringView iddp, bool plus) const;

    // The trimmed area code of the first row of country `cc` whose area code
    // begins with the first character of `number` (or, with `includeNull`, is
    // NULL, giving "") and whose trimmed code is a prefix of `number`. The
    // code is given as that start of `number`.
    // Throws PlatformError when the area table could not be read.
    std::optional<QStringView> findAreaCode(QStringView cc, QStringView number, bool includeNull) const;

private:
    // Keys stored character by character, so that one walk over a text finds
    // every key the text begins with, without building a key per length.
    class PrefixTree
    {
    public:
        // The value kept for `key`, -1 until set.
        int &valueOf(QStringView key);
        // The value kept for `key`, -1 when none is.
        int valueAt(QStringView key) const;
        // Calls visit(length, value) for each key that `text` begins with,
        // shortest first.
        template <class Visit>
        void forEachPrefix(QStringView text, Visit visit) const;

    private:
        // Codes are digits nearly always: those children are found directly.
        struct Node
        {
            std::array<int, 10> digits{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1}; // children for '0'..'9'
            int firstOther = -1; // children for other characters, linked by nextSibling
            int nextSibling = -1;
            QChar c;
            int value = -1;
        };
        int child(int node, QChar c) const;

        QList<Node> m_nodes = QList<Node>(1); // the root stands for the empty key
    };

    struct Country
    {
        QString code;
        QString prefix;
    };
    struct AreaRow
    {
        int order;    // position in AreaCode order within the country
        QChar first;  // first character of the stored code, ASCII lower-cased
    };
    struct AreaIndex
    {
        PrefixTree byTrimmed;         // trimmed code -> index into rows
        QList<QList<AreaRow>> rows;   // in order within each code
        int firstNull = -1;
    };

    void readCountries(refdb::Connection &db);
    void readAreas(refdb::Connection &db);
    int firstCountryWithPrefix(QStringView text) const;
    std::optional<QStringView> bestArea(const AreaIndex &index, QStringView number, bool includeNull) const;

    QList<Country> m_countries;
    PrefixTree m_countryByCode; // trimmed code -> first row
    int m_firstNullCountry = -1;
    QList<AreaIndex> m_areas;
    PrefixTree m_areasByCountry; // CountryCode as stored -> index into m_areas
    std::optional<PlatformError> m_areaError;
};

} // namespace kw::contacts::telephone
