#include "MessyPhones.h"

namespace kw::profilegen {

namespace {

// Letterhead spellings of numbers from abroad; %1 is the subscriber part.
const QStringList kForeign = {"0033 1 %1", "+33 (0)4 %1", "+39 06 %1", "0031 20 %1",
                              "+44 20 %1", "0043 662 %1", "+41 61 %1"};
// German mobile network codes, the 015x ones with four or five digits.
const QStringList kMobileNetworks = {"1511", "1512", "1520", "1522", "1573", "1590",
                                     "15020", "15566", "160", "171", "176"};

// The area code as dialled at home: "0711".
QString dialled(const Place &p)
{
    return QStringLiteral("0%1").arg(QLatin1String(p.area));
}

} // namespace

const QStringList &phoneFields()
{
    static const QStringList fields = {
        "BusinessTelephoneNumber", "MobileTelephoneNumber", "HomeTelephoneNumber",
        "BusinessFaxNumber", "AssistantTelephoneNumber", "Business2TelephoneNumber",
        "CallbackTelephoneNumber", "CarTelephoneNumber", "CompanyMainTelephoneNumber",
        "Home2TelephoneNumber", "HomeFaxNumber", "ISDNNumber", "OtherFaxNumber",
        "OtherTelephoneNumber", "PagerNumber", "PrimaryTelephoneNumber",
        "RadioTelephoneNumber", "TelexNumber", "TTYTDDTelephoneNumber"};
    return fields;
}

QString numberInLayout(Gen &g, const Place &place)
{
    return QStringLiteral("+%1 (%2) %3").arg(QLatin1String(place.cc), QLatin1String(place.area), g.digits(7));
}

QString messyNumber(Gen &g, const Place &place, const QString &field)
{
    const bool fax = field.contains(QLatin1String("Fax"));
    const bool mobile = field.startsWith(QLatin1String("Mobile")) || field.startsWith(QLatin1String("Car"));
    const int way = g.below(7);
    const QString subscriber = g.digits(way == 3 ? 8 : way == 4 ? 7 : 6);
    switch (way) {
    case 0: return QStringLiteral("%1 %2-%3").arg(dialled(place), subscriber, g.digits(2));
    case 1: return g.chance(50) ? QStringLiteral("Tel. %1/%2").arg(dialled(place), subscriber)
                                : QStringLiteral("%1 %2 Zentrale").arg(dialled(place), subscriber);
    case 2: return (fax ? QStringLiteral("Fax: ") : QStringLiteral("Tel.: ")) + g.phone(place, false);
    case 3: return g.pick(kForeign).arg(subscriber);
    case 4: return QStringLiteral("0%1 %2").arg(g.pick(kMobileNetworks), subscriber);
    default: return g.phone(place, mobile);
    }
}

void fillPhoneFields(Gen &g, QJsonObject &fields, const Place &place, int count, qint64 &serial)
{
    for (int k = 0; k < count && k < phoneFields().size(); ++k) {
        const QString &field = phoneFields().at(k);
        fields[field] = serial++ % 5 == 0 ? numberInLayout(g, place) : messyNumber(g, place, field);
    }
}

} // namespace kw::profilegen
