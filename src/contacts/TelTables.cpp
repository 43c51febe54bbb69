#include "contacts/TelTables.h"

#include "contacts/TelSettings.h"
#include "platform/refdb/Connection.h"

#include <climits>

namespace kw::tel {
namespace {

// LIKE compares ASCII letters without regard to case; so does this.
QChar likeFold(QChar c)
{
    return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c;
}

// A key that shares `text`'s characters; valid while `text` lives.
QString rawKey(QStringView text)
{
    return QString::fromRawData(text.data(), text.size());
}

} // namespace

TelTables TelTables::read(refdb::Connection &db)
{
    TelTables tables;
    tables.readCountries(db);
    try {
        tables.readAreas(db);
    } catch (const PlatformError &error) {
        tables.m_areas.clear();
        tables.m_areaError = error;
    }
    return tables;
}

void TelTables::readCountries(refdb::Connection &db)
{
    refdb::Recordset rs = db.OpenRecordset(
        QStringLiteral("SELECT CountryCode, NationalDDPrefix FROM T_CountryCodes ORDER BY rowid"));
    for (; !rs.Eof(); rs.MoveNext()) {
        const refdb::Field code = rs.Fields(0);
        const int row = int(m_countries.size());
        m_countries.append({trimBlanks(code.text()), trimBlanks(rs.Fields(1).text())});
        if (code.isNull()) {
            if (m_firstNullCountry < 0)
                m_firstNullCountry = row;
            continue;
        }
        const QString &trimmed = m_countries.last().code;
        if (!m_countryByCode.contains(trimmed))
            m_countryByCode.insert(trimmed, row);
        m_longestCountry = std::max(m_longestCountry, trimmed.size());
    }
    rs.Close();
}

void TelTables::readAreas(refdb::Connection &db)
{
    refdb::Recordset rs = db.OpenRecordset(QStringLiteral(
        "SELECT CountryCode, AreaCode FROM T_CountryAndAreaCodes WHERE CountryCode IS NOT NULL "
        "ORDER BY CountryCode, AreaCode"));
    QString lastCountry;
    int order = 0;
    for (; !rs.Eof(); rs.MoveNext()) {
        const QString country = rs.Fields(0).text();
        if (country != lastCountry) {
            lastCountry = country;
            order = 0;
        }
        AreaIndex &index = m_areas[country];
        const refdb::Field area = rs.Fields(1);
        if (area.isNull()) {
            if (index.firstNull < 0)
                index.firstNull = order;
        } else if (!area.text().isEmpty()) {
            // An empty text is neither NULL nor LIKE any first character.
            const QString trimmed = trimBlanks(area.text());
            index.byTrimmed[trimmed].append({order, likeFold(area.text().at(0))});
            index.longest = std::max(index.longest, trimmed.size());
        }
        ++order;
    }
    rs.Close();
}

int TelTables::firstCountryWithPrefix(QStringView text) const
{
    int best = INT_MAX;
    const qsizetype longest = std::min(m_longestCountry, text.size());
    for (qsizetype k = 0; k <= longest; ++k) {
        const auto it = m_countryByCode.constFind(rawKey(text.first(k)));
        if (it != m_countryByCode.cend())
            best = std::min(best, *it);
    }
    return best;
}

std::optional<TelTables::CountryMatch> TelTables::findCountry(const QString &number, const QString &iddp,
                                                              bool plus) const
{
    const int viaPrefix = number.startsWith(iddp) ? firstCountryWithPrefix(QStringView(number).mid(iddp.size()))
                                                  : INT_MAX;
    const int viaPlus = plus ? firstCountryWithPrefix(number) : INT_MAX;
    const int row = std::min(viaPrefix, viaPlus);
    // The original walk stops with an error at a row without a code that it
    // reaches before any match.
    if (m_firstNullCountry >= 0 && m_firstNullCountry < row)
        throw PlatformError(errors::kInvalidUseOfNull, QStringLiteral("Unzulässige Verwendung von Null (T_CountryCodes ohne CountryCode)"));
    if (row == INT_MAX)
        return std::nullopt;
    const Country &country = m_countries.at(row);
    const qsizetype taken = (row == viaPrefix ? iddp.size() : 0) + country.code.size();
    return CountryMatch{country.code, country.prefix, taken};
}

std::optional<int> TelTables::bestArea(const AreaIndex &index, const QString &number, bool includeNull,
                                       QString *code) const
{
    int best = (includeNull && index.firstNull >= 0) ? index.firstNull : INT_MAX;
    if (best != INT_MAX)
        code->clear();
    const QChar first = likeFold(number.at(0));
    const qsizetype longest = std::min(index.longest, number.size());
    for (qsizetype k = 0; k <= longest; ++k) {
        const auto it = index.byTrimmed.constFind(rawKey(QStringView(number).first(k)));
        if (it == index.byTrimmed.cend())
            continue;
        for (const AreaRow &row : *it) {
            if (row.first == first && row.order < best) {
                best = row.order;
                *code = it.key();
            }
        }
    }
    if (best == INT_MAX)
        return std::nullopt;
    return best;
}

std::optional<QString> TelTables::findAreaCode(const QString &cc, const QString &number, bool includeNull) const
{
    if (m_areaError)
        throw *m_areaError;
    if (number.isEmpty())
        return std::nullopt;
    const auto it = m_areas.constFind(cc);
    if (it == m_areas.cend())
        return std::nullopt;
    QString code;
    if (!bestArea(*it, number, includeNull, &code))
        return std::nullopt;
    return QString(code); // detach from the table's key
}

} // namespace kw::tel
