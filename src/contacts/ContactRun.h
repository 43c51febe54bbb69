#pragma once

#include "shell/RunFrame.h"

#include <QString>

namespace kw {
namespace refdb {
class Database;
}
}

namespace kw::contacts {

// The frame of one contact run and the reference database it reads.
struct ContactRunContext : RunFrame
{
    refdb::Database &database;
};

// The status line while a contact run works on item j of n in a folder:
// "Bearbeite Kontakt 3 von 10 (Kontakte)".
inline QString contactStatusText(int j, int n, const QString &folderName)
{
    // Built by concatenation: it is set for every item, and arg() parses its pattern each time.
    return QStringLiteral("Bearbeite Kontakt ") + QString::number(j) + QStringLiteral(" von ") + QString::number(n)
        + QStringLiteral(" (") + folderName + u')';
}

// The closing message of a contact run: "3 Kontakt(e) geändert."
inline QString changedContactsText(int changed)
{
    return QString::number(changed) + QStringLiteral(" Kontakt(e) geändert.");
}

} // namespace kw::contacts
