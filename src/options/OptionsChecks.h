#pragma once

// Module OptionsChecks: what OK checks in the options dialog and the wizard
// beyond their own rules: each box's input rule, also for a value loaded from
// the settings file, and the telephone settings as the formatter would use
// them once saved.

#include "options/NameRule.h"

#include <QList>
#include <QString>
#include <optional>

class QLineEdit;
class QWidget;

namespace kw {
class Messages;
class Settings;
namespace refdb {
class Database;
}
}

namespace kw::options {

struct RuledBox
{
    QLineEdit *box;
    QString caption; // the text of its label, "Eigene Ländervorwahl"
};

// The caption a label's text gives a box in a message: without a closing ":".
QString captionOf(const QString &labelText);

// One message per box whose value its rule refuses (txtAttPath: a folder
// without its whole path); the first such box, or nullptr when all are fine.
QLineEdit *firstRefusedBox(Messages &messages, const QList<RuledBox> &boxes);

// Whether the telephone settings in `values` would make the formatter change
// numbers again at the next run or lose digits: then the message naming the
// box was shown and the answer is that control among `controls` (nullptr
// when it is none of them). Nothing when they are fine. Nothing is checked
// without a reference database (`referenceDatabase` null) or with one that
// cannot be read: the run reports that before it starts.
std::optional<QWidget *> refusedTelephoneControl(Settings &settings, Messages &messages,
                                                 refdb::Database *referenceDatabase, const QList<QWidget *> &controls,
                                                 const SettingValues &values);

} // namespace kw::options
