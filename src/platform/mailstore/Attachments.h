#pragma once

#include "platform/mailstore/Fwd.h"

#include <QString>
#include <QVariant>

namespace kw::mailstore {

// Attachment types.
namespace attachtype {
constexpr int ByValue = 1;
constexpr int ByReference = 4;
} // namespace attachtype

// The largest content an attachment by value may have. The content is held
// in memory a few times over while it is saved, and SQLite keeps no value
// above 10^9 bytes (its default length limit); this stays well below both.
constexpr qint64 kMaxAttachmentBytes = qint64(512) * 1024 * 1024;

// One attachment of an item, addressed by its place in the item's list.
class Attachment
{
public:
    Attachment(ItemPtr item, int serial) : m_item(std::move(item)), m_serial(serial) {}

    QString FileName() const;
    QString DisplayName() const;
    int Type() const;
    // Bytes of the content; 0 for a link.
    qint64 Size() const;
    // The linked file's path (links only; "" otherwise).
    QString PathName() const;
    // Empty (invalid) when the attachment never had its hidden flag set.
    QVariant hidden() const;
    void setHidden(bool hidden);
    // Writes the content into a file at a full path. Fails when the folder
    // does not exist or the file cannot be written.
    void SaveAsFile(const QString &path) const;
    // Removes the attachment from the item; gone from the store after Save.
    void Delete();
    // The bytes of an attachment by value (empty for a link), for callers
    // that write them somewhere SaveAsFile would not (a file that must not
    // replace another).
    QByteArray content() const;
    // Renames the attachment; stored with the next Save.
    void setFileName(const QString &name);

    int position() const; // 0-based in the item's current list

private:
    ItemPtr m_item;
    int m_serial; // identity within the snapshot, stable across deletions
};

class Attachments
{
public:
    explicit Attachments(ItemPtr item) : m_item(std::move(item)) {}

    int Count() const;
    // 1-based.
    AttachmentPtr Item(int index) const;
    // Type 1 copies the file's content into the item; it fails at once for a
    // missing file, for anything that is not a regular file (a pipe or a
    // device is never waited on or read) and for a file larger than
    // kMaxAttachmentBytes. Type 4 stores a link to the path. Position is accepted and
    // ignored: new attachments always follow the existing ones. An empty
    // display name uses the file name.
    AttachmentPtr Add(const QString &source, int type = 1, int position = 0,
                      const QString &displayName = {});

private:
    ItemPtr m_item;
};

} // namespace kw::mailstore
