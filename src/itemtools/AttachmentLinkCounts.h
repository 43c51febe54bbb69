#pragma once

#include "shell/FolderFunctions.h"

#include <QHash>
#include <QSet>
#include <QString>

// Which files the link attachments of a profile point to, so that the import
// and the move never delete a file that another link still needs. A mail
// copied with its link gives two links to one file.
namespace kw::itemtools {

class LinkedFiles
{
public:
    // Counts the links of every profile that holds a folder of the set, in
    // all its folders, ticked or not. Throws kw::PlatformError.
    explicit LinkedFiles(const WorkingSet &set);

    // The run changed a link to or from path.
    void linkAdded(const QString &path);
    void linkRemoved(const QString &path);

    // Deletes the file at path when no link points to it any longer;
    // otherwise keeps it and counts it as kept until a later call deletes it.
    void deleteUnlessLinked(const QString &path);
    // Files kept for other links and still there.
    int keptCount() const { return int(m_kept.size()); }

    // The same text for every spelling of one file's path (symbolic links
    // resolved) while the file exists; the cleaned path otherwise.
    static QString fileKey(const QString &path);

private:
    QHash<QString, int> m_counts; // by fileKey
    QSet<QString> m_kept;
};

} // namespace kw::itemtools
