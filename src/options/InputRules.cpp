#include "options/InputRules.h"

#include "contacts/telephone/TelSettingsCheck.h"

#include <QDir>
#include <QLineEdit>

namespace kw::options {

DigitsValidator::DigitsValidator(int maxDigits, int maxValue, QObject *parent)
    : RuleValidator(parent), m_maxDigits(maxDigits), m_maxValue(maxValue)
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

QString DigitsValidator::rule() const
{
    if (m_maxValue >= 0)
        return QString::fromUtf8("erlaubt ist eine ganze Zahl von 0 bis %1.").arg(m_maxValue);
    return QString::fromUtf8("erlaubt sind nur Ziffern, höchstens %1.").arg(m_maxDigits);
}

void acceptDigits(QLineEdit *box, int maxDigits, int maxValue)
{
    box->setMaxLength(maxDigits);
    box->setValidator(new DigitsValidator(maxDigits, maxValue, box));
}

namespace {

class SeparatorValidator : public RuleValidator
{
public:
    using RuleValidator::RuleValidator;
    State validate(QString &input, int &) const override
    {
        return contacts::telephone::recognisedSeparatorProblem(input).isEmpty() ? Acceptable : Invalid;
    }
    QString rule() const override { return contacts::telephone::recognisedSeparatorRule(); }
};

} // namespace

void acceptExtensionSeparator(QLineEdit *box)
{
    box->setMaxLength(1);
    box->setValidator(new SeparatorValidator(box));
}

QString inputRuleProblem(const QLineEdit *box, const QString &caption)
{
    const auto *validator = dynamic_cast<const RuleValidator *>(box->validator());
    if (!validator)
        return QString();
    QString text = box->text();
    int pos = 0;
    if (validator->validate(text, pos) == QValidator::Acceptable)
        return QString();
    return contacts::telephone::refusalText(caption, box->text(), validator->rule());
}

QString attachmentFolderProblem(const QString &path, const QString &caption)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return QString();
    return contacts::telephone::refusalText(
        caption, path,
        QString::fromUtf8("der Ordner muss mit seinem vollständigen Pfad angegeben sein. Bitte "
                          "wählen Sie ihn mit der Schaltfläche \"...\" aus."));
}

} // namespace kw::options
