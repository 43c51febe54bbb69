#include "platform/ui/HistoryList.h"

#include "platform/core/Paths.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace kw::ui {
namespace {

// One line of the file per entry, so a pasted line break must not survive.
QString asEntry(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|[\\r\\n\\x{2028}\\x{2029}]"));
    return QString(text).replace(lineBreak, QStringLiteral(" "));
}

} // namespace

bool HistoryList::load()
{
    m_entries.clear();
    QFile file(m_filePath);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Reads no further than the entries kept: a huge file costs nothing.
    while (m_entries.size() < kMaxEntries && !file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.isEmpty() && file.error() != QFileDevice::NoError)
            break;
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        const QString entry = QString::fromUtf8(line);
        if (!entry.trimmed().isEmpty() && !m_entries.contains(entry))
            m_entries.append(entry);
    }
    if (file.error() == QFileDevice::NoError)
        return true;
    m_entries.clear();
    return false;
}

bool HistoryList::add(const QString &text)
{
    const QString entry = asEntry(text);
    if (entry.trimmed().isEmpty() || (!m_entries.isEmpty() && m_entries.first() == entry))
        return false;
    m_entries.removeAll(entry);
    m_entries.prepend(entry);
    while (m_entries.size() > kMaxEntries)
        m_entries.removeLast();
    return true;
}

bool HistoryList::save() const
{
    if (m_filePath.isEmpty() || !paths::ensureParentFolder(m_filePath))
        return false;
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &entry : m_entries)
        file.write(entry.toUtf8() + '\n');
    return file.commit();
}

} // namespace kw::ui
