#include "options/CountryPresets.h"

#include <QCollator>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace kw::options {

const QList<CountryPreset> &countryPresets()
{
    static const QList<CountryPreset> presets = {
        {QStringLiteral("USA"), QStringLiteral("1"), QStringLiteral("011"), QStringLiteral("1")},
        {QString::fromUtf8("Österreich"), QStringLiteral("43"), QStringLiteral("00"), QStringLiteral("0")},
        {QStringLiteral("Frankreich"), QStringLiteral("33"), QStringLiteral("00"), QStringLiteral("0")},
        {QStringLiteral("Deutschland"), QStringLiteral("49"), QStringLiteral("00"), QStringLiteral("0")},
        {QStringLiteral("Niederlande"), QStringLiteral("31"), QStringLiteral("00"), QStringLiteral("0")},
        {QString::fromUtf8("Vereinigtes Königreich"), QStringLiteral("44"), QStringLiteral("00"), QStringLiteral("0")},
        {QStringLiteral("Schweiz"), QStringLiteral("41"), QStringLiteral("00"), QStringLiteral("0")},
    };
    return presets;
}

void FillCountryList(QComboBox *list, bool sorted)
{
    QStringList names;
    for (const CountryPreset &preset : countryPresets())
        names.append(preset.country);
    if (sorted) {
        const QCollator german(QLocale(QLocale::German, QLocale::Germany));
        std::sort(names.begin(), names.end(), german);
    }
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(names);
    list->setCurrentIndex(-1);
}

void ApplyCountryPreset(const QComboBox *list, const PrefixBoxes &boxes)
{
    if (list->currentIndex() < 0)
        return;
    const QString entry = list->itemText(list->currentIndex());
    const auto &presets = countryPresets();
    const auto preset = std::find_if(presets.begin(), presets.end(),
                                     [&](const CountryPreset &p) { return p.country == entry; });
    if (preset == presets.end())
        return;
    boxes.txtCountryCode->setText(preset->countryCode);
    boxes.txtIDDP->setText(preset->iddp);
    boxes.txtNDDP->setText(preset->nddp);
}

} // namespace kw::options
