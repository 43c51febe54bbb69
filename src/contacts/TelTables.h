#pragma once

#include "platform/core/PlatformError.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace kw::refdb {
class Connection;
}

namespace kw::tel {

// The two telephone tables of the reference database, held in memory and
// indexed so that each look-up costs a few hash probes. The answers are
// those of a walk over the rows in the order the formatter's queries return
// them; refdb::Database::cached() keeps this in step with the file.
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
        QString code;    // trimmed CountryCode
        QString prefix;  // trimmed NationalDDPrefix, "" for NULL
        qsizetype taken; // characters of the number the match covers
    };

    // The first row in table order for which `number` begins with `iddp` +
    // code, or (when `plus`) with the code alone; the first form wins within
    // a row. Throws PlatformError when a row with a NULL code comes first.
    std::optional<CountryMatch> findCountry(const QString &number, const QString &iddp, bool plus) const;

    // The trimmed area code of the first row of country `cc` whose area code
    // begins with the first character of `number` (or, with `includeNull`, is
    // NULL, giving "") and whose trimmed code is a prefix of `number`.
    // Throws PlatformError when the area table could not be read.
    std::optional<QString> findAreaCode(const QString &cc, const QString &number, bool includeNull) const;

private:
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
        QHash<QString, QList<AreaRow>> byTrimmed;
        int firstNull = -1;
        qsizetype longest = 0;
    };

    void readCountries(refdb::Connection &db);
    void readAreas(refdb::Connection &db);
    int firstCountryWithPrefix(QStringView text) const;
    std::optional<int> bestArea(const AreaIndex &index, const QString &number, bool includeNull, QString *code) const;

    QList<Country> m_countries;
    QHash<QString, int> m_countryByCode; // trimmed code -> first row
    int m_firstNullCountry = -1;
    qsizetype m_longestCountry = 0;
    QHash<QString, AreaIndex> m_areas; // by CountryCode as stored
    std::optional<PlatformError> m_areaError;
};

} // namespace kw::tel
