#pragma once

#include "platform/mailstore/Records.h"
#include "platform/mailstore/SqlUtil.h"

#include <QStringList>
#include <array>
#include <memory>
#include <vector>

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
    // transaction already open on the connection (a group of saves) the
    // scope is a savepoint of it, so that a failed save undoes only its own
    // writes; without `ownUndo` (a fixture, which fails as a whole) it just
    // joins, sparing the savepoint's copies of every page it touches. Rolls
    // back unless committed.
    class Scope
    {
    public:
        Scope(ItemWriter &writer, bool ownUndo);
        ~Scope();
        void commit();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        enum class State { Done, Joined, Transaction, Savepoint };
        ItemWriter &m_writer;
        State m_state;
    };

    // Gives a new record its id, its place at the end of its folder and,
    // when missing, its EntryID and creation time.
    void insertItem(ItemRecord &rec);
    // Throws kObjectNotFound when the item was moved or deleted meanwhile.
    void updateItem(const ItemRecord &rec, bool messageClassChanged);
    // Writes the fields marked in fieldDirty and the user properties named
    // in changedUserProperties: the record's value when it has one, else the
    // stored row goes, so that another copy's save of other properties stays.
    // `whole` writes every field and replaces the stored properties instead.
    void writeValues(const ItemRecord &rec, const QList<bool> &fieldDirty,
                     const QStringList &changedUserProperties, bool whole, bool isNew);

private:
    struct Row
    {
        int kind;
        const QString *name;
        const QString *value;
        int type;
    };
    static constexpr int kMaxPutLevel = 4; // 16 rows per statement

    void queueFields(const ItemRecord &rec, const QList<bool> &dirty, bool all, bool isNew);
    void queueAllUserProperties(const ItemRecord &rec, bool isNew);
    void queueUserProperties(const ItemRecord &rec, const QStringList &changed);
    QStringList staleUserProperties(const ItemRecord &rec, const QStringList &changed);
    void drop(sql::FastStatement &statement, qint64 itemId, const QString &name);
    sql::FastStatement &putStatement(int level);
    void putRows(qint64 itemId);
    // Ends the process after a first write when a test planned a crash.
    void wrote();

    QSqlDatabase &m_db;
    sql::FastStatement m_begin, m_commit, m_rollback;
    sql::FastStatement m_savepoint, m_release, m_rollbackTo;
    sql::FastStatement m_nextSeq, m_insertItem, m_setClass, m_itemExists;
    sql::FastStatement m_dropField, m_propNames, m_dropProp, m_dropAllProps;
    std::array<std::unique_ptr<sql::FastStatement>, kMaxPutLevel + 1> m_putRows; // 2^level rows each
    std::vector<Row> m_rows; // the rows of the save being written
    int m_exitCode = 0;
};

} // namespace kw::mailstore
