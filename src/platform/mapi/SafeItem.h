#pragma once

#include "platform/mailstore/Fwd.h"

#include <QString>
#include <QStringView>
#include <QVariant>
#include <memory>

namespace kw::mapi {

class SafeItem;
class SafeAttachment;
class SafeAttachments;
using SafeItemPtr = std::shared_ptr<SafeItem>;
using SafeAttachmentPtr = std::shared_ptr<SafeAttachment>;
using SafeAttachmentsPtr = std::shared_ptr<SafeAttachments>;

// ProgIDs of the safe items.
namespace progid {
inline const QString SafeContactItem = QStringLiteral("KWSafe3.SafeContactItem");
inline const QString SafeMailItem = QStringLiteral("KWSafe3.SafeMailItem");
inline const QString SafePostItem = QStringLiteral("KWSafe3.SafePostItem");
inline const QString SafeAppointmentItem = QStringLiteral("KWSafe3.SafeAppointmentItem");
inline const QString SafeTaskItem = QStringLiteral("KWSafe3.SafeTaskItem");
inline const QString SafeJournalItem = QStringLiteral("KWSafe3.SafeJournalItem");
} // namespace progid

// A safe item wraps a mail-store item: every member reads and writes as on
// the item itself, and Save writes the item.
class SafeItem
{
public:
    explicit SafeItem(const QString &progId) : m_progId(progId) {}

    QString progId() const { return m_progId; }
    void setItem(const mailstore::ItemPtr &item) { m_item = item; }
    const mailstore::ItemPtr &Item() const { return m_item; }

    QVariant get(QStringView name) const;
    QString text(QStringView name) const;
    void set(QStringView name, const QVariant &value);
    QString EntryID() const;
    QString Subject() const { return text(u"Subject"); }
    QString Body() const { return text(u"Body"); }
    mailstore::UserPropertiesPtr UserProperties() const;
    void Save();
    // The attachments; only the mail and post safe items have them (others throw).
    SafeAttachmentsPtr Attachments() const;

private:
    const mailstore::ItemPtr &itemOrThrow() const;
    QString m_progId;
    mailstore::ItemPtr m_item;
};

// An attachment seen through the safe mail item, with its MAPI properties.
class SafeAttachment
{
public:
    explicit SafeAttachment(mailstore::AttachmentPtr attachment) : m_att(std::move(attachment)) {}

    QString FileName() const;
    QString DisplayName() const;
    int Type() const;
    qint64 Size() const;
    // PR_ATTACHMENT_HIDDEN: bool, or empty when never set; PR_ATTACH_PATHNAME:
    // the link's path ("" for an attachment by value); PR_ATTACH_LONG_FILENAME,
    // PR_ATTACH_SIZE, PR_ATTACH_METHOD; empty QVariant for other tags.
    QVariant Fields(quint32 tag) const;
    void SaveAsFile(const QString &path) const;
    void Delete();
    const mailstore::AttachmentPtr &attachment() const { return m_att; }

private:
    mailstore::AttachmentPtr m_att;
};

class SafeAttachments
{
public:
    explicit SafeAttachments(mailstore::AttachmentsPtr attachments) : m_atts(std::move(attachments)) {}

    int Count() const;
    SafeAttachmentPtr Item(int index) const;
    SafeAttachmentPtr Add(const QString &source, int type = 1, int position = 0,
                          const QString &displayName = {});

private:
    mailstore::AttachmentsPtr m_atts;
};

// Creates a safe item by its ProgID; an unknown ProgID throws kw::PlatformError
// (error 429, the object cannot be created).
SafeItemPtr CreateSafeItem(const QString &progId);
// The ProgID of the safe item that suits an item class ("" for none).
QString safeProgIdForClass(int itemClass);

} // namespace kw::mapi
