#include "platform/mailstore/ProfileDb.h"

#include "platform/core/Paths.h"
#include "platform/core/PlatformError.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/ItemWriter.h"
#include "platform/mailstore/ProfileSchema.h"
#include "platform/mailstore/SqlUtil.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlError>
#include <QThread>

#include <unistd.h>

namespace kw::mailstore {

namespace {

const QString kDefaultStore = QStringLiteral("Persönliche Ordner");

struct DefaultFolderEntry
{
    const char *name;
    const char *containerClass;
    const char *messageClass;
    int number;
};

// What a mail client creates in a new profile's store, in display order.
constexpr DefaultFolderEntry kDefaultFolders[] = {
    {"Posteingang", "IPF.Note", "IPM.Note", 6},
    {"Postausgang", "IPF.Note", "IPM.Note", 4},
    {"Gesendete Objekte", "IPF.Note", "IPM.Note", 5},
    {"Gelöschte Objekte", "IPF.Note", "IPM.Note", 3},
    {"Entwürfe", "IPF.Note", "IPM.Note", 16},
    {"Kalender", "IPF.Appointment", "IPM.Appointment", 9},
    {"Kontakte", "IPF.Contact", "IPM.Contact", 10},
    {"Aufgaben", "IPF.Task", "IPM.Task", 13},
    {"Notizen", "IPF.StickyNote", "IPM.StickyNote", 12},
    {"Journal", "IPF.Journal", "IPM.Activity", 11},
};

[[noreturn]] void notAProfile(const QString &path, const QString &why)
{
    throw PlatformError(errors::kOperationFailed,
                        QStringLiteral("Die Datei %1 ist kein Profil (%2). Sie bleibt unverändert.")
                            .arg(path, why));
}

// Unlike notAProfile: the file may well be a profile the program cannot
// open or read (permissions, a read-only folder, a blocked side file).
[[noreturn]] void cannotOpen(const QString &path, const QString &reason)
{
    throw PlatformError(errors::kPermissionDenied,
                        QStringLiteral("Das Profil %1 kann nicht geöffnet oder gelesen werden: %2").arg(path, reason));
}

int connectionCounter = 0;
int opens = 0;

} // namespace

ProfileDb::ProfileDb(const QString &path, const QString &connectionName)
    : m_path(path), m_connectionName(connectionName)
{
}

ProfileDb::~ProfileDb()
{
    m_queries.clear();
    m_loadItem.reset();
    m_writer.reset();
    if (m_db.isOpen())
        m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

ProfileDbPtr ProfileDb::open(const QString &path, bool withDefaultStore)
{
    ++opens;
    const QFileInfo info(path);
    if (!info.exists())
        createFile(path, withDefaultStore);
    else if (!info.isFile())
        notAProfile(path, QStringLiteral("keine Datei"));
    else if (info.size() == 0)
        notAProfile(path, QStringLiteral("leer"));
    ProfileDbPtr db = connect(path);
    db->checkSchema();
    return db;
}

int ProfileDb::openCount()
{
    return opens;
}

ProfileDbPtr ProfileDb::connect(const QString &path)
{
    const QString name = QStringLiteral("kw_profile_%1").arg(++connectionCounter);
    ProfileDbPtr db(new ProfileDb(path, name));
    db->m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db->m_db.setDatabaseName(path);
    db->m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db->m_db.open()) {
        // SQLite names no system reason here; asking the file does.
        const QString sqliteText = db->m_db.lastError().text();
        QFile probe(path);
        if (QFileInfo::exists(path) && !probe.open(QIODevice::ReadOnly))
            cannotOpen(path, QStringLiteral("%1 (%2)").arg(probe.errorString(), sqliteText));
        cannotOpen(path, sqliteText);
    }
    return db;
}

void ProfileDb::createFile(const QString &path, bool withDefaultStore)
{
    if (!paths::ensureParentFolder(path))
        throw PlatformError(errors::kPathNotFound,
                            QStringLiteral("Der Ordner für das Profil %1 fehlt.").arg(path));
    // Made under another name and renamed when complete: a process ended
    // half-way leaves no half-made profile that the next start would refuse.
    const QString building = path + QStringLiteral(".new-") + newId(4);
    try {
        connect(building)->createSchema(withDefaultStore); // closed again here
    } catch (...) {
        removeFiles(building);
        throw;
    }
    // rename() never replaces a file: one made meanwhile by another process wins.
    if (!QFile::rename(building, path)) {
        removeFiles(building);
        if (!QFileInfo::exists(path))
            throw PlatformError(errors::kOperationFailed,
                                QStringLiteral("Das Profil %1 kann nicht angelegt werden.").arg(path));
    }
}

void ProfileDb::removeFiles(const QString &path)
{
    for (const QString &suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"),
                                  QStringLiteral("-shm")})
        QFile::remove(path + suffix);
}

void ProfileDb::checkSchema()
{
    // Only reads until the file is known to be ours.
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'format'"))) {
        // A profile in a folder the user cannot write, say, is still one.
        const QString denied = sql::accessFailure(m_db, q.lastError());
        if (!denied.isEmpty())
            cannotOpen(m_path, denied);
    }
    if (!q.isActive() || !q.next() || q.value(0).toString() != QLatin1String(schema::kFormat))
        notAProfile(m_path, QStringLiteral("unbekanntes Format"));
    q.finish();
    sql::execPlain(m_db, QStringLiteral("PRAGMA journal_mode=WAL"));
    sql::execPlain(m_db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    sql::execPlain(m_db, QStringLiteral("PRAGMA foreign_keys=OFF"));
    // Where SQLite is built to overwrite deleted content with zeros, taking a
    // 1 MB attachment out wrote 1 MB of zeros through the log and back. FAST
    // still clears what lies on the table's own pages; the pages of large
    // content leave the file with releaseFreeSpace().
    sql::execPlain(m_db, QStringLiteral("PRAGMA secure_delete=FAST"));
}

void ProfileDb::createSchema(bool withDefaultStore)
{
    // Only possible before the first table: lets releaseFreeSpace() shrink
    // the file without rewriting it.
    sql::execPlain(m_db, QStringLiteral("PRAGMA auto_vacuum=INCREMENTAL"));
    sql::Transaction tx(m_db);
    for (const char *ddl : schema::kTables)
        sql::execPlain(m_db, QString::fromLatin1(ddl));
    if (const int code = faults::takeExitDuringCreate())
        ::_exit(code);
    if (withDefaultStore)
        createDefaultStore();
    QSqlQuery &q = query(QStringLiteral("INSERT INTO meta(key, value) VALUES (?, ?)"));
    sql::exec(q, {QStringLiteral("version"), QString::number(schema::kVersion)});
    sql::exec(q, {QStringLiteral("format"), QString::fromLatin1(schema::kFormat)});
    tx.commit();
}

void ProfileDb::createDefaultStore()
{
    const FolderRecord root = addStore(kDefaultStore, true);
    for (const DefaultFolderEntry &f : kDefaultFolders)
        addFolder(root, QString::fromUtf8(f.name), QString::fromLatin1(f.containerClass),
                  QString::fromLatin1(f.messageClass), f.number);
}

namespace {

qint64 pragmaValue(QSqlDatabase &db, const QString &name)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA ") + name) || !q.next())
        throw PlatformError(errors::kOperationFailed,
                            QStringLiteral("Profilzugriff fehlgeschlagen: %1").arg(q.lastError().text()));
    return q.value(0).toLongLong();
}

constexpr qint64 kIncrementalVacuum = 2;

} // namespace

void ProfileDb::releaseFreeSpace()
{
    const qint64 free = pragmaValue(m_db, QStringLiteral("freelist_count"));
    if (free == 0)
        return;
    // Freeing page by page costs in proportion to the free pages, rewriting
    // in proportion to the rest: the cheaper one is taken.
    const bool mostlyFree = free * 2 > pragmaValue(m_db, QStringLiteral("page_count"));
    if (!mostlyFree && pragmaValue(m_db, QStringLiteral("auto_vacuum")) == kIncrementalVacuum) {
        // One page per step, in a statement without result columns, which
        // QtSql would step only once.
        sql::FastStatement vacuum(m_db, "PRAGMA incremental_vacuum");
        vacuum.start(0);
        while (vacuum.step()) {
        }
    } else {
        sql::execPlain(m_db, QStringLiteral("PRAGMA auto_vacuum=INCREMENTAL"));
        sql::execPlain(m_db, QStringLiteral("VACUUM"));
    }
    // In WAL mode the file only shrinks when the log is written back.
    sql::execPlain(m_db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

QSqlQuery &ProfileDb::query(const QString &sqlText)
{
    auto it = m_queries.find(sqlText);
    if (it == m_queries.end()) {
        QSqlQuery q(m_db);
        q.setForwardOnly(true);
        if (!q.prepare(sqlText))
            throw PlatformError(errors::kOperationFailed,
                                QStringLiteral("Profilzugriff fehlgeschlagen: %1")
                                    .arg(q.lastError().text()));
        it = m_queries.emplace(sqlText, std::move(q)).first;
    }
    return it->second;
}

QString ProfileDb::newId(int bytes)
{
    QByteArray raw(bytes, Qt::Uninitialized);
    for (int i = 0; i < bytes; ++i)
        raw[i] = char(QRandomGenerator::global()->bounded(256));
    return QString::fromLatin1(raw.toHex().toUpper());
}

// ---- stores and folders ----------------------------------------------------

namespace {
const QString kFolderColumns = QStringLiteral(
    "SELECT f.id, f.store, f.parent, f.name, f.entry_id, s.store_id, f.container_class,"
    " f.default_message_class, f.default_folder FROM folders f JOIN stores s ON s.id = f.store ");

FolderRecord folderFrom(const QSqlQuery &q)
{
    FolderRecord r;
    r.id = q.value(0).toLongLong();
    r.storeRowId = q.value(1).toLongLong();
    r.parentId = q.value(2).isNull() ? 0 : q.value(2).toLongLong();
    r.name = q.value(3).toString();
    r.entryId = q.value(4).toString();
    r.storeId = q.value(5).toString();
    if (!q.value(6).isNull())
        r.containerClass = q.value(6).toString();
    r.defaultMessageClass = q.value(7).toString();
    r.defaultFolder = q.value(8).toInt();
    return r;
}

QList<FolderRecord> folderList(QSqlQuery &q)
{
    QList<FolderRecord> out;
    while (q.next())
        out.append(folderFrom(q));
    q.finish();
    return out;
}
} // namespace

QList<FolderRecord> ProfileDb::storeRoots()
{
    QSqlQuery &q = query(kFolderColumns
                         + QStringLiteral("WHERE f.parent IS NULL AND s.visible = 1 ORDER BY s.id"));
    sql::exec(q, {});
    return folderList(q);
}

QList<QPair<FolderRecord, bool>> ProfileDb::allStoreRoots()
{
    QSqlQuery &all = query(QStringLiteral(
        "SELECT s.root, s.visible FROM stores s ORDER BY s.id"));
    sql::exec(all, {});
    QList<QPair<qint64, bool>> ids;
    while (all.next())
        ids.append({all.value(0).toLongLong(), all.value(1).toInt() != 0});
    all.finish();
    QList<QPair<FolderRecord, bool>> out;
    for (const auto &p : ids)
        if (const std::optional<FolderRecord> r = folderById(p.first))
            out.append({*r, p.second});
    return out;
}

QList<FolderRecord> ProfileDb::childFolders(qint64 parentId)
{
    QSqlQuery &q = query(kFolderColumns + QStringLiteral("WHERE f.parent = ? ORDER BY f.id"));
    sql::exec(q, {parentId});
    QList<FolderRecord> out = folderList(q);
    if (const std::optional<FolderRecord> parent = folderById(parentId)) {
        const int delay = faults::storeDelay(storeName(parent->storeRowId));
        if (delay > 0)
            QThread::msleep(ulong(delay));
    }
    return out;
}

std::optional<FolderRecord> ProfileDb::folderById(qint64 id)
{
    QSqlQuery &q = query(kFolderColumns + QStringLiteral("WHERE f.id = ?"));
    sql::exec(q, {id});
    const QList<FolderRecord> l = folderList(q);
    return l.isEmpty() ? std::nullopt : std::optional<FolderRecord>(l.first());
}

std::optional<FolderRecord> ProfileDb::folderByEntryId(const QString &entryId,
                                                        const QString &storeId)
{
    QSqlQuery &q = query(kFolderColumns + QStringLiteral("WHERE f.entry_id = ?"));
    sql::exec(q, {entryId.toUpper()});
    const QList<FolderRecord> l = folderList(q);
    if (l.isEmpty() || (!storeId.isEmpty() && l.first().storeId != storeId.toUpper()))
        return std::nullopt;
    return l.first();
}

std::optional<FolderRecord> ProfileDb::defaultFolder(qint64 storeRowId, int folderType)
{
    QSqlQuery &q = query(kFolderColumns
                         + QStringLiteral("WHERE f.store = ? AND f.default_folder = ? ORDER BY f.id"));
    sql::exec(q, {storeRowId, folderType});
    const QList<FolderRecord> l = folderList(q);
    return l.isEmpty() ? std::nullopt : std::optional<FolderRecord>(l.first());
}

FolderRecord ProfileDb::addStore(const QString &name, bool visible, const QString &storeId,
                                 const QString &entryId)
{
    sql::Transaction tx(m_db);
    QSqlQuery &q = query(QStringLiteral(
        "INSERT INTO stores(name, store_id, visible) VALUES (?, ?, ?)"));
    sql::exec(q, {name, storeId.isEmpty() ? newId(32) : storeId.toUpper(), visible ? 1 : 0});
    const qint64 storeRow = q.lastInsertId().toLongLong();
    FolderRecord root;
    root.storeRowId = storeRow;
    const FolderRecord made = addFolder(root, name, std::nullopt, QStringLiteral("IPM.Note"), 0,
                                        entryId);
    sql::exec(query(QStringLiteral("UPDATE stores SET root = ? WHERE id = ?")),
              {made.id, storeRow});
    tx.commit();
    m_storeNames.remove(storeRow);
    return made;
}

FolderRecord ProfileDb::addFolder(const FolderRecord &parent, const QString &name,
                                  const std::optional<QString> &containerClass,
                                  const QString &defaultMessageClass, int defaultFolder,
                                  const QString &entryId)
{
    QSqlQuery &q = query(QStringLiteral(
        "INSERT INTO folders(store, parent, name, entry_id, container_class,"
        " default_message_class, default_folder) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    const QVariant parentValue = parent.id ? QVariant(parent.id) : QVariant(QMetaType(QMetaType::LongLong));
    const QVariant cls = containerClass ? QVariant(*containerClass) : QVariant(QMetaType(QMetaType::QString));
    sql::exec(q, {parent.storeRowId, parentValue, name,
                  entryId.isEmpty() ? newId(24) : entryId.toUpper(), cls, defaultMessageClass,
                  defaultFolder});
    const std::optional<FolderRecord> made = folderById(q.lastInsertId().toLongLong());
    if (!made)
        throw PlatformError(errors::kOperationFailed, QStringLiteral("Ordner nicht angelegt."));
    return *made;
}

QString ProfileDb::storeName(qint64 storeRowId)
{
    auto it = m_storeNames.constFind(storeRowId);
    if (it != m_storeNames.cend())
        return *it;
    QSqlQuery &q = query(QStringLiteral("SELECT name FROM stores WHERE id = ?"));
    sql::exec(q, {storeRowId});
    const QString name = q.next() ? q.value(0).toString() : QString();
    q.finish();
    m_storeNames.insert(storeRowId, name);
    return name;
}

// ---- address book ----------------------------------------------------------

QList<AddressEntry> ProfileDb::addressBook()
{
    QSqlQuery &q = query(QStringLiteral(
        "SELECT id, display_name, address, store FROM address_book ORDER BY id"));
    sql::exec(q, {});
    QList<AddressEntry> out;
    while (q.next())
        out.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(),
                    q.value(3).isNull() ? 0 : q.value(3).toLongLong(), {}});
    q.finish();
    QSqlQuery &s = query(QStringLiteral(
        "SELECT folder_type FROM shares WHERE user = ? ORDER BY folder_type"));
    for (AddressEntry &e : out) {
        sql::exec(s, {e.id});
        while (s.next())
            e.sharedFolders.append(s.value(0).toInt());
        s.finish();
    }
    return out;
}

qint64 ProfileDb::addAddressEntry(const AddressEntry &entry)
{
    sql::Transaction tx(m_db);
    QSqlQuery &q = query(QStringLiteral(
        "INSERT INTO address_book(display_name, address, store) VALUES (?, ?, ?)"));
    sql::exec(q, {entry.displayName, entry.address,
                  entry.storeRowId ? QVariant(entry.storeRowId) : QVariant(QMetaType(QMetaType::LongLong))});
    const qint64 id = q.lastInsertId().toLongLong();
    QSqlQuery &s = query(QStringLiteral("INSERT INTO shares(user, folder_type) VALUES (?, ?)"));
    for (int f : entry.sharedFolders)
        sql::exec(s, {id, f});
    tx.commit();
    return id;
}

} // namespace kw::mailstore
