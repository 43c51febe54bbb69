#pragma once

#include "platform/mailstore/Fwd.h"

#include <QList>
#include <QString>

namespace kw::mailstore {

// The items of one folder in a stable order (the order they came into the
// folder), or a restricted subset of them. The membership is fixed when the
// collection is made; each Item(j) fetches a fresh snapshot of the item.
class Items
{
public:
    Items(ProfileDbPtr db, FolderPtr folder, QList<qint64> itemIds);

    int Count() const { return int(m_ids.size()); }
    // 1-based. An index out of range, or an item gone meanwhile, throws.
    ItemPtr Item(int index) const;
    // The items that match a filter of the form "[Field] = 'value'", clauses
    // joined by " OR " or " AND " (AND binds tighter). Values are quoted with
    // apostrophes; an apostrophe inside a value is doubled. Text compares
    // without regard to case, dates and numbers by value. A malformed filter
    // or an unknown field throws.
    ItemsPtr Restrict(const QString &filter) const;
    // The first item matching the filter; nullptr when none does.
    ItemPtr Find(const QString &filter) const;
    // A new, unsaved item of the folder's default message class.
    ItemPtr Add();
    // A new, unsaved item of the given message class.
    ItemPtr Add(const QString &messageClass);

    const QList<qint64> &itemIds() const { return m_ids; }
    const FolderPtr &folder() const { return m_folder; }

    class Iterator
    {
    public:
        Iterator(const Items *owner, int index) : m_owner(owner), m_index(index) {}
        ItemPtr operator*() const { return m_owner->Item(m_index); }
        Iterator &operator++() { ++m_index; return *this; }
        bool operator!=(const Iterator &other) const { return m_index != other.m_index; }

    private:
        const Items *m_owner;
        int m_index;
    };
    Iterator begin() const { return Iterator(this, 1); }
    Iterator end() const { return Iterator(this, Count() + 1); }

private:
    ProfileDbPtr m_db;
    FolderPtr m_folder;
    QList<qint64> m_ids;
};

// Range-for over the pointer keeps the collection alive for the loop:
//   for (ItemPtr item : folder->Items()) ...
inline Items::Iterator begin(const ItemsPtr &items) { return items->begin(); }
inline Items::Iterator end(const ItemsPtr &items) { return items->end(); }

} // namespace kw::mailstore
