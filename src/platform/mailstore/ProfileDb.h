#pragma once

#include "platform/mailstore/Fwd.h"
#include "platform/mailstore/Records.h"
#include "platform/mailstore/SqlUtil.h"

#include <QList>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <map>
#include <memory>
#include <QString>
#include <QStringList>
#include <optional>

namespace kw::mailstore {

class ItemWriter;

// An entry of the address book: another user, with the store that holds
// their default folders and the default-folder numbers shared with the user.
struct AddressEntry
{
    qint64 id = 0;
    QString displayName;
    QString address;
    qint64 storeRowId = 0;  // 0 when the user's folders are not in the profile
    QList<int> sharedFolders;
};

// One profile file: an SQLite database in WAL mode. All reads and writes of
// the object model go through here; each write is one transaction. Throws
// kw::PlatformError on every failure.
class ProfileDb
{
public:
    // Opens (or creates) the profile. See Application::open. A new profile
    // gets the default store unless withDefaultStore is false (fixtures).
    static ProfileDbPtr open(const QString &path, bool withDefaultStore = true);
    // How many times open() was called in this process (tests count the
    // opens of a run).
    static int openCount();
    ~ProfileDb();
    ProfileDb(const ProfileDb &) = delete;
    ProfileDb &operator=(const ProfileDb &) = delete;

    QString path() const { return m_path; }

    // Stores and folders.
    QList<FolderRecord> storeRoots();
    // Every store's root with whether it is listed (other users' stores are not).
    QList<QPair<FolderRecord, bool>> allStoreRoots();
    QList<FolderRecord> childFolders(qint64 parentId);
    std::optional<FolderRecord> folderById(qint64 id);
    std::optional<FolderRecord> folderByEntryId(const QString &entryId, const QString &storeId);
    std::optional<FolderRecord> defaultFolder(qint64 storeRowId, int folderType);
    // Creates a store (with no folders) and returns its root; `visible`
    // stores are listed in the namespace's Folders.
    FolderRecord addStore(const QString &name, bool visible, const QString &storeId = {},
                          const QString &entryId = {});
    FolderRecord addFolder(const FolderRecord &parent, const QString &name,
                           const std::optional<QString> &containerClass,
                           const QString &defaultMessageClass, int defaultFolder = 0,
                           const QString &entryId = {});
    QString storeName(qint64 storeRowId);

    // Items.
    QList<qint64> itemIds(qint64 folderId);
    ItemRecord loadItem(qint64 itemId);
    std::optional<qint64> itemByEntryId(const QString &entryId, const QString &storeId);
    // Writes the record's changed fields (all fields when allFields), its
    // message class when it changed, the user properties named in
    // changedUserProperties (a name the record no longer has is removed), and
    // attachment changes in one transaction. What the snapshot did not change
    // stays as stored, so an older snapshot does not undo another one's save.
    // A new record is written whole (so is every user property when
    // allFields) and gets its id, EntryID and creation time here. Inside a
    // transaction already open on the connection the save is a savepoint of
    // it, except with allFields (loading a fixture, which fails as a whole).
    void saveItem(ItemRecord &record, const QList<bool> &fieldDirty, bool allFields,
                  QList<AttachmentRecord> *attachments, const QList<qint64> &removedAttachments,
                  bool messageClassChanged = true, const QStringList &changedUserProperties = {});
    void moveItem(ItemRecord &record, qint64 targetFolderId);
    void deleteItem(qint64 itemId);
    QList<AttachmentRecord> loadAttachments(qint64 itemId);
    QByteArray attachmentContent(qint64 attachmentId);
    // (item id, field text or null) for every item of the folder, for filters.
    QList<QPair<qint64, QString>> fieldColumn(qint64 folderId, const QString &canonicalName);

    // Address book and shares.
    QList<AddressEntry> addressBook();
    qint64 addAddressEntry(const AddressEntry &entry);

    // Gives the pages of deleted rows back to the file system, so that a
    // profile whose large attachments went out shrinks instead of only
    // holding free pages for later writes. Meant for the end of a run, not
    // for every item. New profiles free the pages one by one; an older one,
    // or one that is mostly free pages, is rewritten (VACUUM), which also
    // switches an older one to the first way.
    void releaseFreeSpace();

    // A fresh upper-case hex ID of the given number of bytes.
    static QString newId(int bytes);
    QSqlDatabase &connection() { return m_db; }
    // A prepared statement kept for the life of the connection.
    QSqlQuery &query(const QString &sqlText);
    // The StoreID of the store that holds a folder.
    QString storeIdOfFolder(qint64 folderId);

private:
    ProfileDb(const QString &path, const QString &connectionName);
    static ProfileDbPtr connect(const QString &path);
    static void createFile(const QString &path, bool withDefaultStore);
    static void removeFiles(const QString &path);
    void checkSchema();
    void createSchema(bool withDefaultStore);
    void createDefaultStore();

    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_db;
    std::map<QString, QSqlQuery> m_queries;
    std::unique_ptr<sql::FastStatement> m_loadItem;
    std::unique_ptr<ItemWriter> m_writer;
    QHash<qint64, QString> m_storeNames;
    QHash<qint64, QString> m_folderStoreIds;
};

} // namespace kw::mailstore
