#include "itemtools/AttachmentLinkCounts.h"

#include "platform/files/Files.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/LinkPaths.h"
#include "shell/RunFrame.h"

#include <QDir>
#include <QFileInfo>
#include <set>

namespace kw::itemtools {

LinkedFiles::LinkedFiles(const WorkingSet &set)
{
    std::set<mailstore::ProfileDb *> done;
    forEachFolder(set, [&](const mailstore::FolderPtr &folder) {
        if (!folder || !done.insert(folder->db().get()).second)
            return;
        const QHash<QString, int> counts = mailstore::linkCountsByPath(*folder->db());
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            m_counts[fileKey(it.key())] += it.value();
    });
}

QString LinkedFiles::fileKey(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

void LinkedFiles::linkAdded(const QString &path)
{
    ++m_counts[fileKey(path)];
}

void LinkedFiles::linkRemoved(const QString &path)
{
    const auto it = m_counts.find(fileKey(path));
    if (it != m_counts.end() && --it.value() <= 0)
        m_counts.erase(it);
}

void LinkedFiles::deleteUnlessLinked(const QString &path)
{
    const QString key = fileKey(path);
    if (m_counts.value(key) > 0) {
        m_kept.insert(key);
        return;
    }
    files::DeleteFile(path);
    m_kept.remove(key);
}

} // namespace kw::itemtools
