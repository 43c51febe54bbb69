#pragma once

#include "platform/mailstore/Fwd.h"
#include "platform/mailstore/Records.h"

#include <QList>
#include <QString>
#include <optional>

namespace kw::mailstore {

// A folder or a store root. A snapshot of the folder's record; its Items and
// Folders are read when asked for.
class Folder
{
public:
    Folder(ProfileDbPtr db, FolderRecord record);

    QString Name() const { return m_rec.name; }
    QString EntryID() const { return m_rec.entryId; }
    QString StoreID() const { return m_rec.storeId; }
    QString DefaultMessageClass() const { return m_rec.defaultMessageClass; }
    // The container class ("IPF.Contact"); nullopt when the folder has none.
    std::optional<QString> containerClass() const { return m_rec.containerClass; }
    bool isStoreRoot() const { return m_rec.parentId == 0; }

    FoldersPtr Folders();
    ItemsPtr Items();
    // The parent folder; nullptr for a store root.
    FolderPtr Parent();

    const FolderRecord &record() const { return m_rec; }
    const ProfileDbPtr &db() const { return m_db; }

private:
    ProfileDbPtr m_db;
    FolderRecord m_rec;
};

// The subfolders of a folder (or the store roots of the namespace), in a
// stable order. Read once when the collection is made.
class Folders
{
public:
    // parentId 0 stands for the list of store roots (no Add there).
    Folders(ProfileDbPtr db, qint64 parentId, QList<FolderRecord> records);

    int Count() const { return int(m_records.size()); }
    // 1-based; throws for an index out of range.
    FolderPtr Item(int index) const;
    // By name (exact, then without regard to case); throws when missing.
    FolderPtr Item(const QString &name) const;
    // As Item(name), but nullptr when missing.
    FolderPtr find(const QString &name) const;
    // A new subfolder with the parent's container class and default message
    // class. Fails for the store list, an empty name or a name in use.
    FolderPtr Add(const QString &name);

    const QList<FolderRecord> &records() const { return m_records; }
    qint64 parentId() const { return m_parentId; }
    const ProfileDbPtr &db() const { return m_db; }

    class Iterator
    {
    public:
        Iterator(const Folders *owner, int index) : m_owner(owner), m_index(index) {}
        FolderPtr operator*() const { return m_owner->Item(m_index); }
        Iterator &operator++() { ++m_index; return *this; }
        bool operator!=(const Iterator &other) const { return m_index != other.m_index; }

    private:
        const Folders *m_owner;
        int m_index;
    };
    Iterator begin() const { return Iterator(this, 1); }
    Iterator end() const { return Iterator(this, Count() + 1); }

private:
    ProfileDbPtr m_db;
    qint64 m_parentId;
    QList<FolderRecord> m_records;
};

// Range-for over the pointer keeps the collection alive for the loop:
//   for (FolderPtr f : folder->Folders()) ...
// (ranging over *folder->Folders() would use a destroyed temporary).
inline Folders::Iterator begin(const FoldersPtr &f) { return f->begin(); }
inline Folders::Iterator end(const FoldersPtr &f) { return f->end(); }

} // namespace kw::mailstore
