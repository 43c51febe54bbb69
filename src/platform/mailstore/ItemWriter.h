#pragma once

#include "platform/mailstore/Records.h"
#include "platform/mailstore/SqlUtil.h"

#include <QStringList>

namespace kw::mailstore {

// Throws kObjectNotFound for an item moved or deleted meanwhile.
[[noreturn]] void itemGone();

// The item rows that ProfileDb::saveItem writes, through statements prepared
// once per connection and bound without QVariant. Every write here runs
// inside the transaction of a Scope.
class ItemWriter
{
public:
    explicit ItemWriter(QSqlDatabase &db);

    // BEGIN IMMEDIATE: the write lock is taken at the start, so the check
    // that the item still exists holds until the commit. Inside a
    // transaction already open on the connection (a fixture being loaded)
    // the scope joins it. Rolls back unless committed.
    class Scope
    {
    public:
        explicit Scope(ItemWriter &writer);
        ~Scope();
        void commit();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        ItemWriter &m_writer;
        bool m_open = false;
    };

    // Gives a new record its id, its place at the end of its folder and,
    // when missing, its EntryID and creation time.
    void insertItem(ItemRecord &rec);
    // Throws kObjectNotFound when the item was moved or deleted meanwhile.
    void updateItem(const ItemRecord &rec, bool messageClassChanged);
    void writeFields(const ItemRecord &rec, const QList<bool> &dirty, bool all, bool isNew);
    // Replaces the stored set by the record's.
    void writeAllUserProperties(const ItemRecord &rec, bool isNew);
    // Writes only the named properties: the record's value when it has one,
    // else the stored row goes. Another copy's save of other properties stays.
    void writeUserProperties(const ItemRecord &rec, const QStringList &changed);

private:
    QStringList staleUserProperties(const ItemRecord &rec, const QStringList &changed);
    void putUserProperty(qint64 itemId, const UserPropertyRecord &p);

    sql::FastStatement m_begin, m_commit, m_rollback;
    sql::FastStatement m_nextSeq, m_insertItem, m_setClass, m_itemExists;
    sql::FastStatement m_putField, m_dropField;
    sql::FastStatement m_propNames, m_putProp, m_dropProp, m_dropAllProps;
};

} // namespace kw::mailstore
