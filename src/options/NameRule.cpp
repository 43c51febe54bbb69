#include "options/NameRule.h"

#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>

namespace kw::options {
namespace {

enum class Kind { None, Text, Check };

Kind storedKind(const QWidget *control)
{
    static const QRegularExpression prefix(QStringLiteral("^(txt|cmb|chk|opt)[A-Z]"));
    if (!control || !prefix.match(control->objectName()).hasMatch())
        return Kind::None;
    if (qobject_cast<const QCheckBox *>(control) || qobject_cast<const QRadioButton *>(control))
        return Kind::Check;
    if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QComboBox *>(control))
        return control->property("Tag").toString() == QLatin1String("n") ? Kind::None : Kind::Text;
    return Kind::None;
}

QString textOf(const QWidget *control)
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    return static_cast<const QComboBox *>(control)->currentText();
}

void setTextOf(QWidget *control, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->setText(text);
    else if (auto *box = static_cast<QComboBox *>(control); box->isEditable())
        box->setEditText(text);
    else
        box->setCurrentIndex(box->findText(text));
}

} // namespace

QString settingNameOf(const QWidget *control)
{
    return storedKind(control) == Kind::None ? QString() : control->objectName().mid(3);
}

void loadControls(const QList<QWidget *> &controls, const Settings &settings)
{
    for (QWidget *control : controls) {
        const QString name = settingNameOf(control);
        switch (storedKind(control)) {
        case Kind::Text:
            setTextOf(control, settings.GetSetting(name, QString()));
            break;
        case Kind::Check:
            static_cast<QAbstractButton *>(control)->setChecked(settings.GetSettingBool(name, false));
            break;
        case Kind::None:
            break;
        }
    }
}

SettingValues controlValues(const QList<QWidget *> &controls)
{
    SettingValues values;
    for (const QWidget *control : controls) {
        switch (storedKind(control)) {
        case Kind::Text:
            values.append({settingNameOf(control), textOf(control)});
            break;
        case Kind::Check:
            // "1"/"0", never the tri-state's 2 for ticked.
            values.append({settingNameOf(control),
                           static_cast<const QAbstractButton *>(control)->isChecked() ? QStringLiteral("1")
                                                                                       : QStringLiteral("0")});
            break;
        case Kind::None:
            break;
        }
    }
    return values;
}

bool writeSettings(Settings &settings, Messages &messages, const SettingValues &values)
{
    QList<registry::Value> batch;
    batch.reserve(values.size());
    for (const auto &[name, value] : values)
        batch.append(registry::Value{name, registry::REG_SZ, value.toUtf8()});
    if (settings.registry().setValues(registry::HKEY_CURRENT_USER, Settings::settingsKey(), batch)
        == registry::ERROR_SUCCESS)
        return true;
    messages.ShowMessage(QString::fromUtf8("Die Einstellungen konnten nicht gespeichert werden; es wurde nichts "
                                           "geändert. Bitte prüfen Sie, ob die Einstellungsdatei beschreibbar ist, "
                                           "und versuchen Sie es erneut."),
                         ui::mb::Critical, titles::Fehler);
    return false;
}

} // namespace kw::options
