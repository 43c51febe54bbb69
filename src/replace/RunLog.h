#pragma once

#include "platform/core/PlatformError.h"

#include <QString>

namespace kw::replace {

// One line of the error log for an item the run or the undo could not change.
inline QString runLogLine(const PlatformError &error, const QString &entryId)
{
    return QStringLiteral("Err No.: %1, Err Des: %2, Element: %3\r\n")
        .arg(error.number())
        .arg(error.description(), entryId);
}

} // namespace kw::replace
