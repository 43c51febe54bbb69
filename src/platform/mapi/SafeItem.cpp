#include "platform/mapi/SafeItem.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Attachments.h"
#include "platform/mailstore/Item.h"
#include "platform/mapi/MapiTags.h"

namespace kw::mapi {

namespace {
constexpr long kCannotCreateObject = 429;
constexpr long kNoSuchMember = 438;

const QString kProgIds[] = {progid::SafeContactItem, progid::SafeMailItem, progid::SafePostItem,
                            progid::SafeAppointmentItem, progid::SafeTaskItem,
                            progid::SafeJournalItem};
} // namespace

SafeItemPtr CreateSafeItem(const QString &progId)
{
    for (const QString &known : kProgIds)
        if (known.compare(progId, Qt::CaseInsensitive) == 0)
            return std::make_shared<SafeItem>(known);
    throw PlatformError(kCannotCreateObject,
                        QStringLiteral("Objekterstellung durch ActiveX-Komponente nicht möglich: %1")
                            .arg(progId));
}

QString safeProgIdForClass(int itemClass)
{
    switch (itemClass) {
    case 40: return progid::SafeContactItem;
    case 43: return progid::SafeMailItem;
    case 44:
    case 45: return progid::SafePostItem;
    case 26: return progid::SafeAppointmentItem;
    case 48: return progid::SafeTaskItem;
    case 42: return progid::SafeJournalItem;
    default: return {};
    }
}

const mailstore::ItemPtr &SafeItem::itemOrThrow() const
{
    if (!m_item)
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Dem sicheren Element ist kein Element zugewiesen."));
    return m_item;
}

QVariant SafeItem::get(QStringView name) const
{
    return itemOrThrow()->get(name);
}

QString SafeItem::text(QStringView name) const
{
    return itemOrThrow()->text(name);
}

void SafeItem::set(QStringView name, const QVariant &value)
{
    itemOrThrow()->set(name, value);
}

QString SafeItem::EntryID() const
{
    return itemOrThrow()->EntryID();
}

mailstore::UserPropertiesPtr SafeItem::UserProperties() const
{
    return itemOrThrow()->UserProperties();
}

void SafeItem::Save()
{
    itemOrThrow()->Save();
}

SafeAttachmentsPtr SafeItem::Attachments() const
{
    if (m_progId != progid::SafeMailItem && m_progId != progid::SafePostItem)
        throw PlatformError(kNoSuchMember,
                            QStringLiteral("%1 hat keine Anlagen.").arg(m_progId));
    return std::make_shared<SafeAttachments>(itemOrThrow()->Attachments());
}

QString SafeAttachment::FileName() const { return m_att->FileName(); }
QString SafeAttachment::DisplayName() const { return m_att->DisplayName(); }
int SafeAttachment::Type() const { return m_att->Type(); }
qint64 SafeAttachment::Size() const { return m_att->Size(); }
void SafeAttachment::SaveAsFile(const QString &path) const { m_att->SaveAsFile(path); }
void SafeAttachment::Delete() { m_att->Delete(); }

QVariant SafeAttachment::Fields(quint32 tag) const
{
    switch (tag) {
    case PR_ATTACHMENT_HIDDEN:
        return m_att->hidden();
    case PR_ATTACH_PATHNAME:
        return m_att->PathName();
    case PR_ATTACH_LONG_FILENAME:
        return m_att->FileName();
    case PR_ATTACH_SIZE:
        return m_att->Size();
    case PR_ATTACH_METHOD:
        return m_att->Type();
    default:
        return {};
    }
}

int SafeAttachments::Count() const
{
    return m_atts->Count();
}

SafeAttachmentPtr SafeAttachments::Item(int index) const
{
    return std::make_shared<SafeAttachment>(m_atts->Item(index));
}

SafeAttachmentPtr SafeAttachments::Add(const QString &source, int type, int position,
                                       const QString &displayName)
{
    return std::make_shared<SafeAttachment>(m_atts->Add(source, type, position, displayName));
}

} // namespace kw::mapi
