#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// What a profile's own store offers the tools, counted by rule: numbers the
// telephone run would format, names the name correction would split,
// attachments to export, classes to change, calendars for the holidays.
// Keys are the rule names the tests use as row names.
namespace kw::test {

using Facts = QHash<QString, qint64>;

// The nineteen telephone and fax fields; "unformatted <field>" counts them.
const QStringList &phoneFields();

// Walks the store "Persönliche Ordner"; `base` is the folder link paths
// should lie in; `scratch` a folder for saving attachment contents.
Facts ownStoreFacts(const QString &profile, const QString &base, const QString &scratch);

} // namespace kw::test
