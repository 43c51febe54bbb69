#include "AreaCodes.h"

#include <phonenumbers/geocoding/phonenumber_offline_geocoder.h>
#include <phonenumbers/phonemetadata.pb.h>
#include <phonenumbers/phonenumberutil.h>
#include <unicode/locid.h>
#include <unicode/regex.h>

#include <cmath>
#include <iostream>
#include <memory>
#include <set>

// The library keeps its compiled-in metadata behind these two functions; the
// installed headers do not declare them.
namespace i18n::phonenumbers {
const void *metadata_get();
int metadata_size();
}

namespace telareas {
namespace {

using i18n::phonenumbers::PhoneMetadata;
using i18n::phonenumbers::PhoneMetadataCollection;
using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberDesc;
using i18n::phonenumbers::PhoneNumberUtil;

// Longer destination codes are not area codes a person would bracket.
constexpr std::size_t kMaxDepth = 6;
// Steps of the search for a whole number under a prefix, per length, before
// the walk goes one digit deeper instead.
constexpr int kMaxSteps = 400;
// A short code gives way only to longer codes that begin after at least this
// many of its ten next digits: one odd block never displaces a city.
constexpr int kFewestLongerDigits = 3;

const PhoneNumberUtil &util()
{
    return *PhoneNumberUtil::GetInstance();
}

const PhoneMetadataCollection &collection()
{
    static const PhoneMetadataCollection parsed = [] {
        PhoneMetadataCollection c;
        c.ParseFromArray(i18n::phonenumbers::metadata_get(), i18n::phonenumbers::metadata_size());
        return c;
    }();
    return parsed;
}

bool isFixedOrMobile(PhoneNumberUtil::PhoneNumberType type)
{
    return type == PhoneNumberUtil::FIXED_LINE || type == PhoneNumberUtil::MOBILE
        || type == PhoneNumberUtil::FIXED_LINE_OR_MOBILE;
}

// The national number patterns of fixed-line and mobile numbers, asked
// whether a text is a whole number or can still become one.
class Patterns
{
public:
    explicit Patterns(const PhoneMetadata &m)
    {
        add(m.fixed_line(), m.general_desc());
        add(m.mobile(), m.general_desc());
    }

    bool canBegin(const std::string &prefix)
    {
        for (auto &matcher : m_matchers) {
            UErrorCode status = U_ZERO_ERROR;
            matcher->reset(icu::UnicodeString::fromUTF8(prefix));
            if (matcher->matches(status) || matcher->hitEnd())
                return true;
        }
        return false;
    }

    bool matches(const std::string &number)
    {
        for (auto &matcher : m_matchers) {
            UErrorCode status = U_ZERO_ERROR;
            matcher->reset(icu::UnicodeString::fromUTF8(number));
            if (matcher->matches(status))
                return true;
        }
        return false;
    }

    const std::set<int> &lengths() const { return m_lengths; }

private:
    void add(const PhoneNumberDesc &desc, const PhoneNumberDesc &general)
    {
        if (!desc.has_national_number_pattern())
            return;
        UErrorCode status = U_ZERO_ERROR;
        m_patterns.emplace_back(icu::RegexPattern::compile(
            icu::UnicodeString::fromUTF8(desc.national_number_pattern()), 0, status));
        if (U_FAILURE(status)) {
            m_patterns.pop_back();
            return;
        }
        m_matchers.emplace_back(m_patterns.back()->matcher(status));
        const PhoneNumberDesc &withLengths = desc.possible_length_size() > 0 ? desc : general;
        for (int i = 0; i < withLengths.possible_length_size(); ++i) {
            if (withLengths.possible_length(i) > 0)
                m_lengths.insert(withLengths.possible_length(i));
        }
    }

    std::vector<std::unique_ptr<icu::RegexPattern>> m_patterns;
    std::vector<std::unique_ptr<icu::RegexMatcher>> m_matchers;
    std::set<int> m_lengths;
};

class Walk
{
public:
    Walk(const Region &region, const i18n::phonenumbers::PhoneNumberOfflineGeocoder &geocoder)
        : m_region(region), m_geocoder(geocoder), m_patterns(*region.metadata)
    {
        icu::UnicodeString name;
        icu::Locale("", region.id.c_str()).getDisplayCountry(icu::Locale("de"), name);
        name.toUTF8String(m_countryName);
    }

    AreaCodes run()
    {
        for (char d = '0'; d <= '9'; ++d)
            visit(std::string(1, d));
        settleNestedCodes();
        return m_codes;
    }

private:
    // Numbers found under `prefix`; where their destination code is already
    // within the prefix it is recorded and the walk need not go deeper.
    void visit(const std::string &prefix)
    {
        if (!m_patterns.canBegin(prefix))
            return;
        bool resolved = true;
        bool anyFound = false;
        for (const int length : m_patterns.lengths()) {
            if (std::size_t(length) < prefix.size())
                continue;
            int budget = kMaxSteps;
            PhoneNumber number;
            std::string digits = prefix;
            if (!complete(digits, std::size_t(length), budget, number))
                continue;
            anyFound = true;
            const int ndc = util().GetLengthOfNationalDestinationCode(number);
            if (ndc > 0 && std::size_t(ndc) <= prefix.size())
                record(digits.substr(0, std::size_t(ndc)), number);
            else if (ndc > 0)
                resolved = false;
        }
        if ((anyFound && resolved) || prefix.size() >= kMaxDepth)
            return;
        for (char d = '0'; d <= '9'; ++d)
            visit(prefix + d);
    }

    // A short code that is the start of longer ones (New Zealand's "2" of a
    // few Antarctic numbers under the mobile codes 20-29) would shadow them all,
    // as the shortest code wins. It gives way where the longer codes begin
    // after several of its next digits and cover at least as many numbers as
    // it does itself (counted from the first number of each length after each
    // next digit); Dhaka's "2" stays beside the single code "2222".
    void settleNestedCodes()
    {
        std::vector<std::string> givingWay;
        for (const auto &[code, place] : m_codes) {
            const auto after = m_codes.upper_bound(code);
            if (after == m_codes.end() || after->first.rfind(code, 0) != 0)
                continue; // no longer code begins with this one
            double own = 0;
            double longer = 0;
            int longerDigits = 0;
            for (char d = '0'; d <= '9'; ++d) {
                const double before = longer;
                weighNumbersUnder(code + d, code.size(), own, longer);
                longerDigits += longer > before ? 1 : 0;
            }
            if (longer >= own && longerDigits >= kFewestLongerDigits)
                givingWay.push_back(code);
        }
        for (const std::string &code : givingWay) {
            std::cerr << m_region.id << ": " << code << " gives way to longer codes\n";
            m_codes.erase(code);
        }
    }

    void weighNumbersUnder(const std::string &prefix, std::size_t codeLength, double &own, double &longer)
    {
        for (const int length : m_patterns.lengths()) {
            int budget = kMaxSteps;
            PhoneNumber number;
            std::string digits = prefix;
            if (std::size_t(length) < prefix.size() || !complete(digits, std::size_t(length), budget, number))
                continue;
            const double count = std::pow(10.0, double(std::size_t(length) - prefix.size()));
            const int ndc = util().GetLengthOfNationalDestinationCode(number);
            if (std::size_t(ndc) == codeLength)
                own += count;
            else if (std::size_t(ndc) > codeLength && m_codes.count(digits.substr(0, std::size_t(ndc))))
                longer += count;
        }
    }

    // The first valid fixed-line or mobile number of `length` digits that
    // begins with `digits`, in at most `budget` steps.
    bool complete(std::string &digits, std::size_t length, int &budget, PhoneNumber &number)
    {
        if (--budget < 0)
            return false;
        if (digits.size() == length)
            return m_patterns.matches(digits) && isValid(digits, number);
        if (!m_patterns.canBegin(digits))
            return false;
        for (char d = '0'; d <= '9' && budget > 0; ++d) {
            digits.push_back(d);
            if (complete(digits, length, budget, number))
                return true;
            digits.pop_back();
        }
        return false;
    }

    bool isValid(const std::string &digits, PhoneNumber &number) const
    {
        number.Clear();
        if (util().Parse("+" + std::to_string(m_region.callingCode) + digits, "ZZ", &number)
            != PhoneNumberUtil::NO_PARSING_ERROR)
            return false;
        std::string nsn;
        util().GetNationalSignificantNumber(number, &nsn);
        return nsn == digits && util().IsValidNumberForRegion(number, m_region.id)
            && isFixedOrMobile(util().GetNumberType(number));
    }

    void record(const std::string &code, const PhoneNumber &number)
    {
        std::string &place = m_codes[code];
        if (!place.empty())
            return;
        place = m_geocoder.GetDescriptionForNumber(number, icu::Locale("de"));
        if (place == m_countryName)
            place.clear();
    }

    const Region &m_region;
    const i18n::phonenumbers::PhoneNumberOfflineGeocoder &m_geocoder;
    Patterns m_patterns;
    std::string m_countryName;
    AreaCodes m_codes;
};

} // namespace

std::vector<Region> allRegions()
{
    std::vector<Region> regions;
    for (const PhoneMetadata &m : collection().metadata()) {
        if (m.id() != "001")
            regions.push_back({m.id(), m.country_code(), &m});
    }
    return regions;
}

std::string digitsOf(const std::string &text)
{
    std::string out;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            out += c;
    }
    return out;
}

bool writesTrunkAndAreaCode(const Region &region)
{
    std::string trunk;
    util().GetNddPrefixForRegion(region.id, true, &trunk);
    if (trunk.empty())
        return false;
    for (const auto type : {PhoneNumberUtil::FIXED_LINE, PhoneNumberUtil::MOBILE}) {
        PhoneNumber example;
        if (!util().GetExampleNumberForType(region.id, type, &example))
            continue;
        std::string national;
        util().Format(example, PhoneNumberUtil::NATIONAL, &national);
        if (digitsOf(national).rfind(trunk, 0) == 0 && util().GetLengthOfNationalDestinationCode(example) > 0)
            return true;
    }
    return false;
}

AreaCodes areaCodesOf(const Region &region, const i18n::phonenumbers::PhoneNumberOfflineGeocoder &geocoder)
{
    return Walk(region, geocoder).run();
}

} // namespace telareas
