#pragma once

// Module NameRule: how the options forms store their controls.

#include <QList>
#include <QPair>
#include <QString>

class QWidget;

namespace kw {
class Messages;
class Settings;
}

namespace kw::options {

using SettingValues = QList<QPair<QString, QString>>;

// A control is stored when its object name is a type prefix ("txt", "cmb",
// "chk", "opt") followed by a capital, it is a text box (line edit or combo
// box), a check box or an option button, and its "Tag" property is not "n".
// It is stored under its name without the prefix: `chkKontakteLastName` as
// "KontakteLastName". Anything else gives "".
QString settingNameOf(const QWidget *control);

// Loads every stored control of `controls`: a text box gets the stored text
// ("" when missing), a check box or option button is ticked for exactly "1".
void loadControls(const QList<QWidget *> &controls, const Settings &settings);

// The values of the stored controls of `controls`, in their order: a text
// box's text, "1"/"0" for a check box or option button.
SettingValues controlValues(const QList<QWidget *> &controls);

// Writes all values in one replacement of the settings file: all or none.
// A failure is shown once, as one message for the whole save.
bool writeSettings(Settings &settings, Messages &messages, const SettingValues &values);

} // namespace kw::options
