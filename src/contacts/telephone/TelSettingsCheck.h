#pragma once

#include <QMap>
#include <QString>
#include <optional>

namespace kw {
class Messages;
class Settings;
namespace refdb {
class Database;
}
}

// Whether a set of telephone settings keeps numbers as the formatter writes
// them. A run must be idempotent: a number it wrote is left alone at the next
// run, and its digits are those the user typed. Some separators break that:
// "/" before the extension while "-" is the one recognised ("123456-78"
// becomes "123456/78", then "12345678"), " (0)" before a number without area
// code (a "0" more at every run), ") 0" after the area code.
//
// The check formats fixed example numbers (with and without area code, with
// an extension, typed nationally and internationally, "+49 (0)89 1234567")
// with the settings, then each result again, and refuses the settings when
//  - a separator written between digits holds a digit, or the recognised
//    extension separator is a digit, a "+" or longer than one character;
//  - the second pass changes a result;
//  - a result lacks a digit of its number or of its extension;
//  - the recognised extension separator leaves unformatted an example that
//    "-" formats.
namespace kw::contacts::telephone {

class TelTables;

// Setting texts by setting name ("DurchwahlTrennOut" -> "/").
using SettingTexts = QMap<QString, QString>;

struct SettingsProblem
{
    QString setting; // the setting to change, "DurchwahlTrennOut"
    QString message; // for the user: the setting's box by its caption, the example that shows it
};

// The texts the formatter would read once `pending` were saved over what
// `settings` holds now.
SettingTexts pendingTelSettings(const Settings &settings, const SettingTexts &pending);

// The check of the texts `candidate` (missing names read as the formatter's
// defaults) on `tables`. The setting named is the one whose value makes the
// difference: first one of `saved`'s whose saved value would mend it, else
// one whose default would. `saved` holds a dialog's boxes as the store has
// them; when given, only a problem of one of them is reported, the others
// being the business of the dialog that edits them. Throws PlatformError
// when the tables cannot be read.
std::optional<SettingsProblem> checkTelSettings(const SettingTexts &candidate, const TelTables &tables,
                                                const SettingTexts &saved = {});

// The rule of the recognised extension separator (DurchwahlTrenn), in words:
// one character or none, and neither a digit nor "+", which the cleaning
// keeps as part of the number.
QString recognisedSeparatorRule();
// That rule when `text` breaks it, else "".
QString recognisedSeparatorProblem(const QString &text);

// The message that refuses `value` in the box captioned `caption`.
QString refusalText(const QString &caption, const QString &value, const QString &reason);

// The caption of the box that edits `setting`, as the user knows it.
QString settingCaption(const QString &setting);

// The check a dialog runs on OK over its `pending` values: the problem of a
// setting among them, shown through `messages` ("Hinweis!"), or nothing.
// Problems of settings the dialog does not edit are left to the dialog that
// does and to the run; so is a reference database that cannot be read.
// `opener` holds the unsaved values of the dialog that opened this one: they
// count as the settings will be, but are not this dialog's to refuse.
std::optional<SettingsProblem> refusePendingTelSettings(Settings &settings, Messages &messages,
                                                        refdb::Database &database, const SettingTexts &pending,
                                                        const SettingTexts &opener = {});

} // namespace kw::contacts::telephone
