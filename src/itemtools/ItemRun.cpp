#include "itemtools/ItemRun.h"

#include "platform/core/PlatformError.h"
#include "shell/GlobalFunctions.h"

namespace kw::itemtools {

void FailureLog::add(const QString &what, const PlatformError &error)
{
    m_lines << QStringLiteral("%1: Err. No.: %2, Err. Des.: %3").arg(what).arg(error.number()).arg(error.description());
}

void FailureLog::write(Messages &messages, const QString &subName) const
{
    if (!m_lines.isEmpty())
        messages.WriteErrorLog(m_lines.join(u'\n'), subName);
}

} // namespace kw::itemtools
