#pragma once

// The frame "Ländereinstellung": a preset picker and the three own prefixes.
// The options dialog and the wizard both show it; the boxes carry the same
// names in both, so the name rule gives both the same settings.

#include "options/CountryPresets.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace kw::options {

struct CountryFrame
{
    // How the frame sits in its window: in the dialog each label stands beside
    // its box; the narrower wizard puts the picker under its label and ends
    // the prefix labels with a colon.
    enum class Placement { Beside, Stacked };

    QGroupBox *frTelQuick = nullptr;
    QLabel *lblTelQuick = nullptr;
    QComboBox *cmbCountrySelect = nullptr; // Tag "n": a preset picker, never stored
    QLabel *lblCountryCode = nullptr;
    QLineEdit *txtCountryCode = nullptr;
    QLabel *lblIDDP = nullptr;
    QLineEdit *txtIDDP = nullptr;
    QLabel *lblNDDP = nullptr;
    QLineEdit *txtNDDP = nullptr;

    PrefixBoxes prefixes() const { return {txtCountryCode, txtIDDP, txtNDDP}; }

protected:
    // Builds the frame and its controls inside parent; returns the frame.
    QGroupBox *setupCountryFrame(QWidget *parent, Placement placement);
};

} // namespace kw::options
