#pragma once

// Module CountryPresets: the home-country presets of the telephone settings.

#include <QList>
#include <QString>

class QComboBox;
class QLineEdit;

namespace kw::options {

struct CountryPreset
{
    QString country;
    QString countryCode;
    QString iddp; // international prefix
    QString nddp; // national (trunk) prefix
};

// The seven presets, in the order the wizard lists them.
const QList<CountryPreset> &countryPresets();

// Fills the list with the seven countries, sorted by German collation in the
// options dialog ("Österreich" after "Niederlande") or in table order in the
// wizard. Nothing is selected; filling fires no change.
void FillCountryList(QComboBox *list, bool sorted);

// The three prefix boxes a preset fills.
struct PrefixBoxes
{
    QLineEdit *txtCountryCode = nullptr;
    QLineEdit *txtIDDP = nullptr;
    QLineEdit *txtNDDP = nullptr;
};

// Writes the preset of the list's selected entry into the boxes; with no
// selection, or an entry that is no preset, nothing changes.
void ApplyCountryPreset(const QComboBox *list, const PrefixBoxes &boxes);

} // namespace kw::options
