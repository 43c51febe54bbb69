// telareas: area codes of the telephone reference data, derived from the
// phone-number library installed on this machine.
//
//   telareas areas <T_CountryAndAreaCodes.csv> <out.csv>
//       Writes the area table anew: the hand-checked rows of 49, 43 and 41
//       as they are; the older derived countries (kExtended) as they are plus
//       the codes the library adds without clashing; every other calling code
//       from the library where one of its regions writes trunk prefix and area
//       code (without a NULL row, which would shadow them), otherwise its
//       single NULL row. Dropped codes go to stderr.
//   telareas sample <out.csv> <library version>
//       Writes the example fixed-line and mobile numbers of those regions
//       with their E.164 digits and destination codes, for the formatter's
//       test.

#include "AreaCodes.h"
#include "Csv.h"

#include <phonenumbers/geocoding/phonenumber_offline_geocoder.h>
#include <phonenumbers/phonenumberutil.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>

namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;
using telareas::AreaCodes;

// Checked by hand against the national plans; never regenerated.
const std::set<std::string> kHandChecked{"49", "43", "41"};
// Derived earlier from the library's resource files, with service codes and
// German names: kept, and only completed here.
const std::set<std::string> kExtended{"1", "31", "32", "33", "36", "39", "44", "46", "48", "353", "385"};

struct Row
{
    std::string area; // "" for NULL
    std::string place;
};

// The codes of `candidates` that no shorter code of `codes` (or of
// `candidates`) begins, added to `codes`; the others are reported.
void addPrefixFree(const std::string &cc, std::map<std::string, std::string> &codes, const AreaCodes &candidates)
{
    for (const auto &[code, place] : candidates) { // shorter codes sort first
        std::string clash;
        for (std::size_t n = 1; n <= code.size() && clash.empty(); ++n) {
            if (codes.count(code.substr(0, n)))
                clash = code.substr(0, n);
        }
        if (clash.empty()) {
            // A longer code already kept would be shadowed by this one.
            auto longer = codes.lower_bound(code);
            if (longer != codes.end() && longer->first.rfind(code, 0) == 0)
                clash = longer->first;
        }
        if (clash.empty())
            codes.emplace(code, place);
        else if (clash != code)
            std::cerr << cc << ": dropped " << code << " (" << clash << ")\n";
    }
}

std::map<std::string, AreaCodes> derivedByCallingCode()
{
    const i18n::phonenumbers::PhoneNumberOfflineGeocoder geocoder;
    std::map<std::string, AreaCodes> derived;
    for (const telareas::Region &region : telareas::allRegions()) {
        if (!telareas::writesTrunkAndAreaCode(region))
            continue;
        const AreaCodes codes = telareas::areaCodesOf(region, geocoder);
        std::cerr << region.id << " (" << region.callingCode << "): " << codes.size() << " codes\n";
        AreaCodes &into = derived[std::to_string(region.callingCode)];
        for (const auto &[code, place] : codes) {
            if (into[code].empty())
                into[code] = place;
        }
    }
    return derived;
}

int writeAreas(const std::string &currentPath, const std::string &outPath)
{
    std::vector<std::string> order;
    std::map<std::string, std::vector<Row>> current;
    for (const auto &fields : telareas::readCsv(currentPath, true)) {
        if (fields.size() < 2)
            continue;
        if (!current.count(fields[0]))
            order.push_back(fields[0]);
        current[fields[0]].push_back({fields[1], fields.size() > 2 ? fields[2] : ""});
    }
    auto derived = derivedByCallingCode();
    std::ofstream out(outPath, std::ios::binary);
    out << "CountryCode,AreaCode,Place\n";
    for (const std::string &cc : order) {
        std::vector<Row> rows = current[cc];
        if (!kHandChecked.count(cc)) {
            std::map<std::string, std::string> codes;
            if (kExtended.count(cc)) {
                for (const Row &row : rows)
                    codes.emplace(row.area, row.place);
            }
            addPrefixFree(cc, codes, derived[cc]);
            if (!kExtended.count(cc) && !codes.empty())
                rows.clear();
            for (const auto &[code, place] : codes) {
                if (!code.empty() && !std::any_of(rows.begin(), rows.end(), [&](const Row &r) { return r.area == code; }))
                    rows.push_back({code, place});
            }
            if (kExtended.count(cc) || !derived[cc].empty()) {
                std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.area < b.area; });
            }
        }
        for (const Row &row : rows)
            out << telareas::csvLine({cc, row.area, row.place});
    }
    return out ? 0 : 1;
}

int writeSample(const std::string &outPath, const std::string &version)
{
    const PhoneNumberUtil &util = *PhoneNumberUtil::GetInstance();
    std::ofstream out(outPath, std::ios::binary);
    out << "# Example numbers of libphonenumber " << version << ", written by tools/telareas\n";
    out << "Region,Typed,E164,AreaCode\n";
    for (const telareas::Region &region : telareas::allRegions()) {
        if (!telareas::writesTrunkAndAreaCode(region))
            continue;
        for (const auto type : {PhoneNumberUtil::FIXED_LINE, PhoneNumberUtil::MOBILE}) {
            PhoneNumber number;
            if (!util.GetExampleNumberForType(region.id, type, &number))
                continue;
            std::string typed, e164, nsn;
            util.Format(number, PhoneNumberUtil::INTERNATIONAL, &typed);
            util.Format(number, PhoneNumberUtil::E164, &e164);
            util.GetNationalSignificantNumber(number, &nsn);
            const int ndc = util.GetLengthOfNationalDestinationCode(number);
            out << telareas::csvLine({region.id, typed, telareas::digitsOf(e164), nsn.substr(0, std::size_t(ndc))});
        }
    }
    return out ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "areas")
        return writeAreas(args[1], args[2]);
    if (args.size() == 3 && args[0] == "sample")
        return writeSample(args[1], args[2]);
    std::fprintf(stderr, "usage: telareas areas <current.csv> <out.csv>\n"
                         "       telareas sample <out.csv> <library version>\n");
    return 2;
}
