#pragma once

// Module FolderStructureFunctions: class FolderStructure, the folder tree's contents.

#include "platform/mailstore/Fwd.h"
#include "platform/mapi/MAPITable.h"

#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>
#include <QVariantList>
#include <functional>

class QTreeWidgetItem;

namespace kw {

class MailProfile;
class Messages;
class Settings;

// The identities behind the folder tree: index n holds the EntryID and the
// StoreID (hex) of the store or folder of node "K" + n. Index 0 is unused.
struct FolderIds
{
    QStringList FolderEntryIDs;
    QStringList FolderStoreIDs;
    int FolderNodeCount = 0;

    // Entries 0 to 32,767, all empty, and no node numbered yet.
    void reset();
};

// Reads the folder structure of every store into the tree TvwOrdner and
// watches how long each store takes (module FolderStructureFunctions).
//
// The fill yields to the event loop once per folder level; Timer1 runs
// meanwhile and its ticks call DelayInspect, which may offer to skip a slow
// store. A fill asked for while one runs is refused, so no folder can appear
// twice in the tree.
class FolderStructure
{
public:
    using Clock = std::function<QDateTime()>;

    // Reads the stores of `profile`.
    FolderStructure(Settings &settings, Messages &messages, MailProfile &profile, Clock clock = {});

    // The tree TvwOrdner the fill writes into.
    void setTree(QTreeWidget *tree) { m_tree = tree; }
    // Timer1 of the main window; switched on only while a fill runs.
    void setTimer(QTimer *timer) { m_timer = timer; }
    // What runs at each yield; the event loop unless a test says otherwise.
    void setYield(std::function<void()> yield) { m_yield = std::move(yield); }

    // (Re)reads the whole tree. Returns false, doing nothing, while a fill runs.
    bool tvwFolderFill();
    // Adds one level of folder-table rows below node "K" + parentNumber and,
    // recursively, the levels below them.
    void Enrol(const QList<QVariantList> &rows, int parentNumber);
    // At each tick of Timer1: offers to skip a store read for too long.
    void DelayInspect();
    // Adds the subfolder `entryId` of `parent`, created after the fill, as the
    // last child of the parent's node with the next node number, so that it
    // shows without a new fill and every tick and the selection stay. False
    // when the parent has no node (another user's folder, a skipped store),
    // during a fill, or on an error, which is logged (place code 1).
    bool addFolder(const mailstore::FolderPtr &parent, const QString &entryId);

    QTreeWidget *tree() const { return m_tree; }
    // The profile whose folders the tree shows.
    MailProfile &profile() const { return m_profile; }
    const FolderIds &ids() const { return m_ids; }
    bool filling() const { return m_filling; }
    // The user has refused the skip question in this program run.
    bool skipRefused() const { return m_refused; }

    // The four lines of the skip question for a store.
    static QString skipQuestion(const QString &storeName);

private:
    int nextNodeNumber();
    mailstore::FoldersPtr openStores();
    void readStore(const mailstore::FolderPtr &root);
    bool enrolRow(const QVariantList &row, int parentNumber, int &n, QList<QVariantList> &below);
    int addFolderNode(const QVariantList &row, int parentNumber);
    int nodeNumberOf(const QString &entryId, const QString &storeId) const;
    static mapi::MAPITable openTable(const mailstore::FolderPtr &folder);
    static QList<QVariantList> allRows(mapi::MAPITable &table);
    int readIdleTime() const;
    void yield();

    QPointer<QTreeWidget> m_tree;
    Settings &m_settings;
    Messages &m_messages;
    MailProfile &m_profile;
    Clock m_clock;
    QPointer<QTimer> m_timer;
    std::function<void()> m_yield;

    FolderIds m_ids;
    QList<QTreeWidgetItem *> m_nodes;   // by node number, for finding a parent at once
    mailstore::NameSpacePtr m_ns;
    QDateTime StoreReadStart;
    mailstore::FolderPtr CurrentStoreFolder;
    bool ReadStoreContinue = true;
    int IdleTime = 30;

    bool m_filling = false;
    bool m_asking = false;
    bool m_refused = false;
};

} // namespace kw
