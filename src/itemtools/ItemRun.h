#pragma once

#include "platform/core/Text.h"
#include "shell/RunFrame.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace kw {
class Messages;
class PlatformError;
class Settings;
}

// What the message-class change and the attachment runs share: the main
// window they report to, the shell procedures they call, and how they
// account for single items that fail.
namespace kw::itemtools {

// The frame of one run and the folder choice the attachment runs ask for.
struct RunContext : RunFrame
{
    // BrowseForFolder over the main window: the chosen path, "" when cancelled.
    std::function<QString(const QString &title)> BrowseForFolder;
};

// The single items (or attachments) of one run that failed: each is counted,
// and all of them go into one error-log entry under the run's name, so that
// none is lost behind the last one.
class FailureLog
{
public:
    // `what` names the item: folder, subject, attachment.
    void add(const QString &what, const PlatformError &error);
    int count() const { return int(m_lines.size()); }
    // Writes the entry; nothing when no item failed.
    void write(Messages &messages, const QString &subName) const;

private:
    QStringList m_lines;
};

} // namespace kw::itemtools
