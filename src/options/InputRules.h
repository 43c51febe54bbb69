#pragma once

// Module InputRules: what the options' text boxes accept while the user types.

#include <QValidator>

class QLineEdit;

namespace kw::options {

// Digits "0" to "9" only, at most `maxDigits` of them and, when `maxValue`
// is given, a number no larger than it. Empty is accepted.
class DigitsValidator : public QValidator
{
public:
    DigitsValidator(int maxDigits, int maxValue, QObject *parent);
    State validate(QString &input, int &pos) const override;

private:
    int m_maxDigits;
    int m_maxValue;
};

void acceptDigits(QLineEdit *box, int maxDigits, int maxValue = -1);

// The extension separator: one character or none. Digits and "+" are refused:
// the number cleaning keeps them as part of the number, so such a separator
// would never be recognised and would split numbers wrongly.
void acceptExtensionSeparator(QLineEdit *box);

} // namespace kw::options
