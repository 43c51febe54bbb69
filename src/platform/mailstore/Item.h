#pragma once

#include "platform/mailstore/Fwd.h"
#include "platform/mailstore/ItemSchema.h"
#include "platform/mailstore/Records.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <functional>
#include <optional>

namespace kw::mailstore {

// One item: a snapshot taken when it was fetched, changed in memory and
// written by Save in one transaction. The class comes from the kind of item
// and never from MessageClass.
//
// Writing fields goes through the rules of a mail client's composite fields
// (contacts; ContactRules.h documents them) and of an appointment's start and
// end (AppointmentRules.h). Fixture loading bypasses them so that tests can
// hold the inconsistent data real address books have.
class Item : public std::enable_shared_from_this<Item>
{
public:
    Item(ProfileDbPtr db, ItemRecord record);
    ~Item();

    int Class() const { return m_rec.itemClass; }
    QString MessageClass() const { return m_rec.messageClass; }
    void setMessageClass(const QString &messageClass);
    QString EntryID() const { return m_rec.entryId; }
    QDateTime CreationTime() const { return m_rec.created(); }
    QString Subject() const { return text(u"Subject"); }
    void setSubject(const QString &value) { set(u"Subject", value); }
    QString Body() const { return text(u"Body"); }
    void setBody(const QString &value) { set(u"Body", value); }

    // Any member by name without regard to case ("Fullname", "RECEIVEDTIME").
    // Besides the schema's fields, "Class", "MessageClass", "EntryID" and
    // "CreationTime" are readable the same way. An unknown name throws
    // kw::PlatformError with kw::errors::kInvalidArgument.
    QVariant get(QStringView name) const;
    // The member's value in its text form (dates "dd.MM.yyyy[ HH:mm:ss]",
    // "01.01.4501" for none; yes-no "Wahr"/"Falsch"; numbers in decimal).
    QString text(QStringView name) const;
    // Writes a member; a value that does not fit the field's kind throws and
    // leaves the item unchanged.
    void set(QStringView name, const QVariant &value);
    bool hasMember(QStringView name) const;

    UserPropertiesPtr UserProperties();
    AttachmentsPtr Attachments();

    // Writes the item in one transaction. A new item gets its EntryID here.
    void Save();
    // Moves the item into another folder (saving pending changes first). The
    // item gets a new EntryID; the old one no longer resolves. Returns this
    // item, now in the target folder.
    ItemPtr Move(const FolderPtr &target);
    // Moves the item into its store's "Gelöschte Objekte" (defaultfolder::DeletedItems);
    // an item already there, or in a store without one, is removed for good.
    // Either way the old EntryID stops resolving and later calls on this
    // object throw.
    void Delete();
    InspectorPtr GetInspector();
    // The folder the item is in.
    FolderPtr Parent() const;
    // The StoreID of the item's store.
    QString storeId() const;
    // No unsaved change.
    bool Saved() const { return !m_dirty; }

    const ItemSchema &schema() const { return *m_schema; }
    const ItemRecord &record() const { return m_rec; }

    // Used by UserProperties/Attachments: the live lists of this snapshot.
    QList<UserPropertyRecord> &userPropertyRecords() { return m_rec.userProperties; }
    QList<AttachmentRecord> &attachmentRecords();
    QByteArray attachmentContent(int position);
    void markDirty() { m_dirty = true; }
    // Save writes only the properties named here (without regard to case).
    void markUserPropertyChanged(const QString &name);
    void markAttachmentRemoved(qint64 id);
    // Sets a field's text without the composite rules (fixture loading).
    void setRawText(int fieldIndex, const QString &text);

private:
    class RawFields;
    int fieldIndexOrThrow(QStringView name) const;
    QString fieldText(int index) const;
    void ensureAlive() const;
    bool inDeletedItems(qint64 binId) const;

    ProfileDbPtr m_db;
    ItemRecord m_rec;
    const ItemSchema *m_schema;
    std::optional<QList<AttachmentRecord>> m_attachments;
    QList<qint64> m_removedAttachments;
    QList<bool> m_fieldDirty;
    bool m_dirty = false;
    bool m_messageClassDirty = false;
    QStringList m_changedUserProperties;
    bool m_deleted = false;
};

// "Display" hands the item to the display hook, which the program sets at
// start to open its item window (src/platform/ui/ItemWindow.h); tests set
// their own. Kept out of the mail store so that it needs no widgets.
class Inspector
{
public:
    using DisplayHook = std::function<void(const ItemPtr &)>;

    explicit Inspector(ItemPtr item) : m_item(std::move(item)) {}
    // Shows the item, modeless (nothing in the program waits on an item
    // window). Throws kw::PlatformError when no hook is set, so that nothing
    // meant to be shown is silently dropped.
    void Display();
    // Empty removes the hook.
    static void setDisplayHook(DisplayHook hook);
    const ItemPtr &item() const { return m_item; }

private:
    ItemPtr m_item;
};

} // namespace kw::mailstore
