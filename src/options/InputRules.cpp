#include "options/InputRules.h"

#include <QLineEdit>

namespace kw::options {

DigitsValidator::DigitsValidator(int maxDigits, int maxValue, QObject *parent)
    : QValidator(parent), m_maxDigits(maxDigits), m_maxValue(maxValue)
{
}

QValidator::State DigitsValidator::validate(QString &input, int &) const
{
    if (input.size() > m_maxDigits)
        return Invalid;
    for (const QChar c : input) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Invalid;
    }
    if (m_maxValue >= 0 && !input.isEmpty() && input.toInt() > m_maxValue)
        return Invalid;
    return Acceptable;
}

void acceptDigits(QLineEdit *box, int maxDigits, int maxValue)
{
    box->setMaxLength(maxDigits);
    box->setValidator(new DigitsValidator(maxDigits, maxValue, box));
}

namespace {

class SeparatorValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        if (input.isEmpty())
            return Acceptable;
        const QChar c = input.front();
        const bool keptByCleaning = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+');
        return input.size() == 1 && !keptByCleaning ? Acceptable : Invalid;
    }
};

} // namespace

void acceptExtensionSeparator(QLineEdit *box)
{
    box->setMaxLength(1);
    box->setValidator(new SeparatorValidator(box));
}

} // namespace kw::options
