#pragma once

// Module InputRules: what the options' text boxes accept while the user types,
// and the same rules for values that did not come from typing.

#include <QString>
#include <QValidator>

class QLineEdit;

namespace kw::options {

// A box's rule; it can say in words what it accepts.
class RuleValidator : public QValidator
{
public:
    using QValidator::QValidator;
    // "erlaubt sind nur Ziffern, höchstens 3."
    virtual QString rule() const = 0;
};

// Digits "0" to "9" only, at most `maxDigits` of them and, when `maxValue`
// is given, a number no larger than it. Empty is accepted.
class DigitsValidator : public RuleValidator
{
public:
    DigitsValidator(int maxDigits, int maxValue, QObject *parent);
    State validate(QString &input, int &pos) const override;
    QString rule() const override;

private:
    int m_maxDigits;
    int m_maxValue;
};

void acceptDigits(QLineEdit *box, int maxDigits, int maxValue = -1);

// The extension separator: one character or none. Digits and "+" are refused:
// the number cleaning keeps them as part of the number, so such a separator
// would never be recognised and would split numbers wrongly.
void acceptExtensionSeparator(QLineEdit *box);

// The message for the value of `box` (captioned `caption`) when its rule
// refuses it, else "". Typing cannot give such a value; the settings file can.
QString inputRuleProblem(const QLineEdit *box, const QString &caption);

// The export folder: empty (not chosen yet) or a whole path. A relative one
// would make the export write relative links, which the import cannot find
// once the program starts from another folder. The message, or "".
QString attachmentFolderProblem(const QString &path, const QString &caption);

} // namespace kw::options
