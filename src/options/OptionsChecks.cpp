#include "options/OptionsChecks.h"

#include "contacts/telephone/TelSettingsCheck.h"
#include "options/InputRules.h"
#include "platform/refdb/Database.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

#include <QLineEdit>

namespace kw::options {

QString captionOf(const QString &labelText)
{
    QString caption = labelText.trimmed();
    if (caption.endsWith(u':'))
        caption.chop(1);
    return caption;
}

QLineEdit *firstRefusedBox(Messages &messages, const QList<RuledBox> &boxes)
{
    QLineEdit *first = nullptr;
    for (const RuledBox &ruled : boxes) {
        const QString problem = settingNameOf(ruled.box) == setting::AttPath
                                    ? attachmentFolderProblem(ruled.box->text(), ruled.caption)
                                    : inputRuleProblem(ruled.box, ruled.caption);
        if (problem.isEmpty())
            continue;
        messages.ShowMessage(problem, ui::mb::Exclamation, titles::Hinweis);
        if (!first)
            first = ruled.box;
    }
    return first;
}

std::optional<QWidget *> refusedTelephoneControl(Settings &settings, Messages &messages,
                                                 refdb::Database *referenceDatabase, const QList<QWidget *> &controls,
                                                 const SettingValues &values)
{
    if (!referenceDatabase)
        return std::nullopt;
    contacts::telephone::SettingTexts pending;
    for (const auto &[name, value] : values)
        pending.insert(name, value);
    const std::optional<contacts::telephone::SettingsProblem> problem =
        contacts::telephone::refusePendingTelSettings(settings, messages, *referenceDatabase, pending);
    if (!problem)
        return std::nullopt;
    for (QWidget *control : controls) {
        if (settingNameOf(control) == problem->setting)
            return control;
    }
    return nullptr;
}

} // namespace kw::options
