#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

// The rows of a profile as plain values: what the storage reads and writes and
// the object model wraps. Kept apart from Folder.h and Item.h so that the
// storage does not depend on the object model above it.
namespace kw::mailstore {

// What the store knows of one folder (or of a store's root).
struct FolderRecord
{
    qint64 id = 0;
    qint64 storeRowId = 0;
    qint64 parentId = 0;               // 0 for a store root
    QString name;
    QString entryId;                   // upper-case hex
    QString storeId;                   // upper-case hex of its store
    std::optional<QString> containerClass; // missing on some folders
    QString defaultMessageClass;
    int defaultFolder = 0;             // default-folder number, 0 for none
};

struct UserPropertyRecord
{
    QString name;
    int type = 1; // 1 = text
    QString value;
};

// User property names compare without regard to case.
bool sameUserPropertyName(QStringView a, QStringView b);
// The index of the property named so; -1 when none.
int indexOfUserProperty(const QList<UserPropertyRecord> &props, QStringView name);

struct AttachmentRecord
{
    qint64 id = 0;      // row in the profile, 0 until saved
    int serial = 0;     // identity within one item snapshot
    QString fileName;
    QString displayName;
    int type = 1;       // 1 by value, 4 link to a file
    qint64 size = 0;    // bytes of the content (0 for a link)
    std::optional<bool> hidden; // empty when never set
    QString pathName;   // the linked file's path (links only)
    QByteArray content; // by-value content; read when first needed
    bool contentLoaded = false;
};

// The stored state of an item: the identity, and each field's text (a null
// text stands for the field's default).
struct ItemRecord
{
    qint64 id = 0;        // 0 while the item is new and unsaved
    qint64 folderId = 0;
    int itemClass = 0;
    QString messageClass;
    QString entryId;      // upper-case hex; empty until first saved
    QDateTime creationTime; // set for new items; loaded ones keep the text below
    QString createdText;    // the stored creation time, read when first asked for
    QDateTime created() const;
    QList<QString> values; // one per field of the class's schema
    QList<UserPropertyRecord> userProperties;
};

} // namespace kw::mailstore
