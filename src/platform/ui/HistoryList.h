#pragma once

#include <QString>
#include <QStringList>

namespace kw::ui {

// The entries a history text box offers, kept in a file: UTF-8, one entry a
// line, most recent first, at most kMaxEntries, each only once (compared
// exactly, case and blanks included).
//
// A file that is missing or cannot be read gives an empty list; nothing is
// written until an entry is added, so an unreadable file stays as it is
// until the user enters something.
class HistoryList
{
public:
    static constexpr int kMaxEntries = 25;

    explicit HistoryList(const QString &filePath = {}) : m_filePath(filePath) {}

    const QString &filePath() const { return m_filePath; }
    const QStringList &entries() const { return m_entries; }

    // Replaces the list with the file's; false when the file exists but
    // cannot be read (the list is then empty).
    bool load();
    // Puts text on top, removing an equal entry further down and the oldest
    // beyond the limit. An entry is one line: each line break in text becomes
    // a blank. Blank text is ignored. Returns whether the list changed.
    bool add(const QString &text);
    // Writes the list atomically, creating the file's folder; false on failure.
    bool save() const;

private:
    QString m_filePath;
    QStringList m_entries;
};

} // namespace kw::ui
