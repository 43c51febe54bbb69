#pragma once

// Saves one item straight into a fixture profile, for tests that need items
// the mail client's own rules would not make.

#include "platform/mailstore/Item.h"
#include "platform/mailstore/ItemSchema.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/mailstore/UserProperties.h"

#include <QDateTime>
#include <QVariantMap>

#include <memory>

namespace kw::test {

enum class FieldWrite {
    Typed, // through the field's type and the composite rules
    Raw, // the text as given, bypassing the composite rules
};

// "user:Name" keys become text user properties; an empty messageClass means
// the class's base message class. Returns the new item's EntryID.
inline QString addItem(const mailstore::ProfileDbPtr &db, const mailstore::FolderRecord &folder, int itemClass,
                       const QVariantMap &fields, const QDateTime &created, const QString &messageClass = {},
                       FieldWrite write = FieldWrite::Typed)
{
    mailstore::ItemRecord rec;
    rec.folderId = folder.id;
    rec.itemClass = itemClass;
    rec.messageClass = messageClass.isEmpty() ? mailstore::baseMessageClass(itemClass) : messageClass;
    rec.creationTime = created;
    const mailstore::ItemSchema &schema = mailstore::ItemSchema::forClass(itemClass);
    rec.values.resize(schema.size());
    auto item = std::make_shared<mailstore::Item>(db, rec);
    item->markDirty();
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        if (it.key().startsWith(QLatin1String("user:")))
            item->UserProperties()->Add(it.key().mid(5), 1)->setValue(it.value());
        else if (write == FieldWrite::Raw)
            item->setRawText(schema.indexOf(it.key()), it.value().toString());
        else
            item->set(it.key(), it.value());
    }
    item->Save();
    return item->EntryID();
}

} // namespace kw::test
