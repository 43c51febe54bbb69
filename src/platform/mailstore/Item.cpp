#include "platform/mailstore/Item.h"

#include "platform/core/PlatformError.h"
#include "platform/core/Text.h"
#include "platform/mailstore/AppointmentRules.h"
#include "platform/mailstore/Attachments.h"
#include "platform/mailstore/ContactRules.h"
#include "platform/mailstore/FieldValues.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/mailstore/UserProperties.h"

#include <algorithm>

namespace kw::mailstore {

namespace {

enum class Special { None, Class, MessageClass, EntryID, CreationTime };

Special specialMember(QStringView name)
{
    if (name.size() != 5 && name.size() != 7 && name.size() != 12)
        return Special::None;
    if (equalsIgnoringCase(name, u"Class"))
        return Special::Class;
    if (equalsIgnoringCase(name, u"MessageClass"))
        return Special::MessageClass;
    if (equalsIgnoringCase(name, u"EntryID"))
        return Special::EntryID;
    if (equalsIgnoringCase(name, u"CreationTime"))
        return Special::CreationTime;
    return Special::None;
}

} // namespace

// The fields as the contact rules read and write them.
class Item::RawFields final : public contactrules::Access
{
public:
    explicit RawFields(Item &item) : m_item(item) {}
    QString get(QStringView name) const override { return m_item.fieldText(m_item.m_schema->indexOf(name)); }
    void set(QStringView name, const QString &value) const override
    {
        m_item.setRawText(m_item.m_schema->indexOf(name), value);
    }

private:
    Item &m_item;
};

Item::Item(ProfileDbPtr db, ItemRecord record)
    : m_db(std::move(db)), m_rec(std::move(record)), m_schema(&ItemSchema::forClass(m_rec.itemClass))
{
    m_rec.values.resize(m_schema->size());
}

Item::~Item() = default;

void Item::ensureAlive() const
{
    if (m_deleted)
        throw PlatformError(errors::kObjectNotFound,
                            QStringLiteral("Das Element wurde gelöscht."));
}

int Item::fieldIndexOrThrow(QStringView name) const
{
    const int idx = m_schema->indexOf(name);
    if (idx < 0)
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Das Element kennt das Feld \"%1\" nicht.").arg(name));
    return idx;
}

QString Item::fieldText(int index) const
{
    const QString &v = m_rec.values[index];
    return v.isNull() ? defaultFieldText(m_schema->field(index).kind) : v;
}

bool Item::hasMember(QStringView name) const
{
    return specialMember(name) != Special::None || m_schema->indexOf(name) >= 0;
}

QVariant Item::get(QStringView name) const
{
    switch (specialMember(name)) {
    case Special::Class:
        return m_rec.itemClass;
    case Special::MessageClass:
        return m_rec.messageClass;
    case Special::EntryID:
        return m_rec.entryId;
    case Special::CreationTime:
        return m_rec.created();
    case Special::None:
        break;
    }
    const int idx = fieldIndexOrThrow(name);
    return fromFieldText(m_schema->field(idx).kind, fieldText(idx));
}

QString Item::text(QStringView name) const
{
    switch (specialMember(name)) {
    case Special::Class:
        return QString::number(m_rec.itemClass);
    case Special::MessageClass:
        return m_rec.messageClass;
    case Special::EntryID:
        return m_rec.entryId;
    case Special::CreationTime:
        return dateToText(m_rec.created());
    case Special::None:
        break;
    }
    return fieldText(fieldIndexOrThrow(name));
}

void Item::setMessageClass(const QString &messageClass)
{
    ensureAlive();
    m_rec.messageClass = messageClass;
    m_dirty = m_messageClassDirty = true;
}

void Item::set(QStringView name, const QVariant &value)
{
    ensureAlive();
    const Special special = specialMember(name);
    if (special == Special::MessageClass) {
        setMessageClass(value.toString());
        return;
    }
    if (special != Special::None)
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Das Feld \"%1\" kann nicht geändert werden.").arg(name));
    const int idx = fieldIndexOrThrow(name);
    const FieldDef &def = m_schema->field(idx);
    const QString textValue = toFieldText(def.kind, value, def.name); // throws before any change
    if (m_rec.itemClass == itemclass::Contact && contactrules::isComposite(def.name))
        contactrules::write(def.name, textValue, RawFields(*this));
    else if (m_rec.itemClass == itemclass::Appointment && appointmentrules::isRuled(def.name))
        appointmentrules::write(def.name, textValue, RawFields(*this));
    else
        setRawText(idx, textValue);
}

void Item::setRawText(int fieldIndex, const QString &text)
{
    // The same text again changes nothing, so the save need not write it; for
    // a text field no value and an empty one are the same.
    QString &current = m_rec.values[fieldIndex];
    if (current == text
        && (current.isNull() == text.isNull() || m_schema->field(fieldIndex).kind == FieldKind::Text))
        return;
    current = text;
    if (m_fieldDirty.isEmpty())
        m_fieldDirty.resize(m_schema->size());
    m_fieldDirty[fieldIndex] = true;
    m_dirty = true;
}

UserPropertiesPtr Item::UserProperties()
{
    ensureAlive();
    return std::make_shared<mailstore::UserProperties>(shared_from_this());
}

AttachmentsPtr Item::Attachments()
{
    ensureAlive();
    return std::make_shared<mailstore::Attachments>(shared_from_this());
}

QList<AttachmentRecord> &Item::attachmentRecords()
{
    if (!m_attachments) {
        m_attachments = m_rec.id ? m_db->loadAttachments(m_rec.id) : QList<AttachmentRecord>();
        for (int i = 0; i < m_attachments->size(); ++i)
            (*m_attachments)[i].serial = i + 1;
    }
    return *m_attachments;
}

QByteArray Item::attachmentContent(int position)
{
    AttachmentRecord &a = attachmentRecords()[position];
    if (!a.contentLoaded && a.id) {
        a.content = m_db->attachmentContent(a.id);
        a.contentLoaded = true;
    }
    return a.content;
}

void Item::markUserPropertyChanged(const QString &name)
{
    if (std::none_of(m_changedUserProperties.cbegin(), m_changedUserProperties.cend(),
                     [&](const QString &n) { return sameUserPropertyName(n, name); }))
        m_changedUserProperties.append(name);
    m_dirty = true;
}

void Item::markAttachmentRemoved(qint64 id)
{
    if (id)
        m_removedAttachments.append(id);
    m_dirty = true;
}

void Item::Save()
{
    ensureAlive();
    m_db->saveItem(m_rec, m_fieldDirty, false, m_attachments ? &*m_attachments : nullptr,
                   m_removedAttachments, m_messageClassDirty, m_changedUserProperties);
    m_fieldDirty.clear();
    m_removedAttachments.clear();
    m_changedUserProperties.clear();
    m_dirty = m_messageClassDirty = false;
}

ItemPtr Item::Move(const FolderPtr &target)
{
    ensureAlive();
    if (!target)
        throw PlatformError(errors::kInvalidArgument, QStringLiteral("Kein Zielordner."));
    if (m_dirty || !m_rec.id)
        Save();
    m_db->moveItem(m_rec, target->record().id);
    return shared_from_this();
}

bool Item::inDeletedItems(qint64 binId) const
{
    for (std::optional<FolderRecord> f = m_db->folderById(m_rec.folderId); f; f = m_db->folderById(f->parentId)) {
        if (f->id == binId)
            return true;
        if (!f->parentId)
            break;
    }
    return false;
}

void Item::Delete()
{
    ensureAlive();
    if (m_rec.id) {
        // As a mail client does: a deleted item goes to its store's deleted
        // items, and only what is deleted there (or in a store without one)
        // is gone for good. A slip is undone by moving it back.
        const std::optional<FolderRecord> folder = m_db->folderById(m_rec.folderId);
        const std::optional<FolderRecord> bin =
            folder ? m_db->defaultFolder(folder->storeRowId, defaultfolder::DeletedItems) : std::nullopt;
        if (bin && !inDeletedItems(bin->id))
            m_db->moveItem(m_rec, bin->id);
        else
            m_db->deleteItem(m_rec.id);
    }
    m_deleted = true;
}

InspectorPtr Item::GetInspector()
{
    ensureAlive();
    return std::make_shared<Inspector>(shared_from_this());
}

FolderPtr Item::Parent() const
{
    const std::optional<FolderRecord> f = m_db->folderById(m_rec.folderId);
    return f ? std::make_shared<Folder>(m_db, *f) : nullptr;
}

QString Item::storeId() const
{
    return m_db->storeIdOfFolder(m_rec.folderId);
}

namespace {
Inspector::DisplayHook &displayHook()
{
    static Inspector::DisplayHook hook;
    return hook;
}
} // namespace

void Inspector::setDisplayHook(DisplayHook hook)
{
    displayHook() = std::move(hook);
}

void Inspector::Display()
{
    if (!displayHook())
        throw PlatformError(errors::kOperationFailed,
                            QStringLiteral("Das Element kann nicht angezeigt werden: kein Elementfenster eingerichtet."));
    displayHook()(m_item);
}

} // namespace kw::mailstore
