#include "contacts/telephone/TelTables.h"

#include "contacts/telephone/TelSettings.h"
#include "platform/core/Text.h"
#include "platform/refdb/Connection.h"

#include <algorithm>
#include <climits>

namespace kw::contacts::telephone {
namespace {

// LIKE compares ASCII letters without regard to case; so does this.
QChar likeFold(QChar c)
{
    return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c;
}

} // namespace

int &TelTables::PrefixTree::valueOf(QStringView key)
{
    int node = 0;
    for (const QChar c : key) {
        int next = child(node, c);
        if (next < 0) {
            next = int(m_nodes.size());
            m_nodes.append(Node{});
            m_nodes[next].c = c;
            if (c >= u'0' && c <= u'9') {
                m_nodes[node].digits[c.unicode() - u'0'] = next;
            } else {
                m_nodes[next].nextSibling = m_nodes[node].firstOther;
                m_nodes[node].firstOther = next;
            }
        }
        node = next;
    }
    return m_nodes[node].value;
}

int TelTables::PrefixTree::child(int node, QChar c) const
{
    if (c >= u'0' && c <= u'9')
        return m_nodes[node].digits[c.unicode() - u'0'];
    for (int n = m_nodes[node].firstOther; n >= 0; n = m_nodes[n].nextSibling) {
        if (m_nodes[n].c == c)
            return n;
    }
    return -1;
}

int TelTables::PrefixTree::valueAt(QStringView key) const
{
    int node = 0;
    for (qsizetype i = 0; i < key.size() && node >= 0; ++i)
        node = child(node, key[i]);
    return node < 0 ? -1 : m_nodes[node].value;
}

template <class Visit>
void TelTables::PrefixTree::forEachPrefix(QStringView text, Visit visit) const
{
    int node = 0;
    for (qsizetype length = 0;; ++length) {
        if (m_nodes[node].value >= 0)
            visit(length, m_nodes[node].value);
        if (length == text.size() || (node = child(node, text[length])) < 0)
            return;
    }
}

TelTables TelTables::read(refdb::Connection &db)
{
    TelTables tables;
    tables.readCountries(db);
    try {
        tables.readAreas(db);
    } catch (const PlatformError &error) {
        tables.m_areas.clear();
        tables.m_areasByCountry = PrefixTree();
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
        int &first = m_countryByCode.valueOf(m_countries.last().code);
        if (first < 0)
            first = row;
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
        int &slot = m_areasByCountry.valueOf(country);
        if (slot < 0) {
            slot = int(m_areas.size());
            m_areas.append(AreaIndex());
        }
        AreaIndex &index = m_areas[slot];
        const refdb::Field area = rs.Fields(1);
        if (area.isNull()) {
            if (index.firstNull < 0)
                index.firstNull = order;
        } else if (!area.text().isEmpty()) {
            // An empty text is neither NULL nor LIKE any first character.
            int &rows = index.byTrimmed.valueOf(trimBlanks(area.text()));
            if (rows < 0) {
                rows = int(index.rows.size());
                index.rows.append(QList<AreaRow>());
            }
            index.rows[rows].append({order, likeFold(area.text().at(0))});
        }
        ++order;
    }
    rs.Close();
}

int TelTables::firstCountryWithPrefix(QStringView text) const
{
    int best = INT_MAX;
    m_countryByCode.forEachPrefix(text, [&](qsizetype, int row) { best = std::min(best, row); });
    return best;
}

std::optional<TelTables::CountryMatch> TelTables::findCountry(QStringView number, QStringView iddp, bool plus) const
{
    const int viaPrefix = hasPrefix(number, iddp) ? firstCountryWithPrefix(number.sliced(iddp.size())) : INT_MAX;
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

std::optional<QStringView> TelTables::bestArea(const AreaIndex &index, QStringView number, bool includeNull) const
{
    int best = (includeNull && index.firstNull >= 0) ? index.firstNull : INT_MAX;
    qsizetype length = 0; // a NULL row gives ""
    const QChar first = likeFold(number.front());
    index.byTrimmed.forEachPrefix(number, [&](qsizetype prefixLength, int rows) {
        for (const AreaRow &row : index.rows[rows]) {
            if (row.first == first && row.order < best) {
                best = row.order;
                length = prefixLength;
            }
        }
    });
    if (best == INT_MAX)
        return std::nullopt;
    return number.first(length);
}

std::optional<QStringView> TelTables::findAreaCode(QStringView cc, QStringView number, bool includeNull) const
{
    if (m_areaError)
        throw *m_areaError;
    if (number.isEmpty())
        return std::nullopt;
    const int areas = m_areasByCountry.valueAt(cc);
    if (areas < 0)
        return std::nullopt;
    return bestArea(m_areas.at(areas), number, includeNull);
}

} // namespace kw::contacts::telephone
