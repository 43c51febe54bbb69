#pragma once

#include <map>
#include <string>
#include <vector>

namespace i18n::phonenumbers {
class PhoneMetadata;
class PhoneNumberUtil;
class PhoneNumberOfflineGeocoder;
}

// Area codes as the phone-number library sees them: for a region whose own
// national format writes the trunk prefix before a national destination
// code (as "0711 123456" or "8 812 123-45-67"), the destination codes of its
// valid fixed-line and mobile numbers.
namespace telareas {

struct Region
{
    std::string id;          // "RU"
    int callingCode = 0;     // 7
    const i18n::phonenumbers::PhoneMetadata *metadata = nullptr;
};

// Every region of the library's metadata, in its order.
std::vector<Region> allRegions();

// Whether the region's national format of its example fixed-line or mobile
// number begins with its trunk prefix and has a destination code.
bool writesTrunkAndAreaCode(const Region &region);

// Destination code -> place (German where the geocoder has German, else its
// fallback; "" where it names only the country).
using AreaCodes = std::map<std::string, std::string>;

// Walks the prefixes of valid fixed-line and mobile numbers of the region,
// descending only where some number can still begin so, and stops where the
// destination code is known.
AreaCodes areaCodesOf(const Region &region, const i18n::phonenumbers::PhoneNumberOfflineGeocoder &geocoder);

// The digits of `text`.
std::string digitsOf(const std::string &text);

} // namespace telareas
