// Writes a profile as a JSON fixture in canonical form.
#include "platform/mailstore/FieldValues.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/FixtureContent.h"
#include "platform/mailstore/ProfileDb.h"

#include "platform/core/PlatformError.h"

#include <QFileInfo>
#include <QJsonArray>

namespace kw::mailstore::fixture {

namespace {

QJsonValue fieldJson(FieldKind kind, const QString &text)
{
    switch (kind) {
    case FieldKind::Bool:
        return text == kTrueText;
    case FieldKind::Integer:
        return text.toLongLong();
    case FieldKind::Number:
        return text.toDouble();
    default:
        return text;
    }
}

bool isPlainText(const QByteArray &content)
{
    if (content.contains('\0'))
        return false;
    return QString::fromUtf8(content).toUtf8() == content;
}

// Generated contents go back as their recipe, so a dump of a profile with
// megabytes of attachments stays as small as the fixture it came from.
void insertContent(QJsonObject &o, const QByteArray &content)
{
    if (content.isEmpty())
        return;
    if (const auto recipe = recogniseGenerated(content))
        o.insert(QStringLiteral("generate"), QJsonObject{{QStringLiteral("seed"), qint64(recipe->seed)},
                                                         {QStringLiteral("size"), recipe->size}});
    else if (isPlainText(content))
        o.insert(QStringLiteral("text"), QString::fromUtf8(content));
    else
        o.insert(QStringLiteral("base64"), QString::fromLatin1(content.toBase64()));
}

class Writer
{
public:
    explicit Writer(ProfileDb &db) : m_db(db) {}

    QJsonArray stores()
    {
        QJsonArray out;
        for (const auto &[root, visible] : m_db.allStoreRoots()) {
            QJsonObject s{{QStringLiteral("name"), root.name},
                          {QStringLiteral("storeId"), root.storeId},
                          {QStringLiteral("entryId"), root.entryId}};
            if (!visible)
                s.insert(QStringLiteral("hidden"), true);
            const QJsonArray children = folders(root.id);
            if (!children.isEmpty())
                s.insert(QStringLiteral("folders"), children);
            m_storeNames.insert(root.storeRowId, root.name);
            out.append(s);
        }
        return out;
    }

    QJsonArray addressBook()
    {
        QJsonArray out;
        for (const AddressEntry &e : m_db.addressBook()) {
            QJsonObject o{{QStringLiteral("displayName"), e.displayName}};
            if (!e.address.isEmpty())
                o.insert(QStringLiteral("address"), e.address);
            if (e.storeRowId)
                o.insert(QStringLiteral("store"), m_storeNames.value(e.storeRowId));
            QJsonArray shares;
            for (int f : e.sharedFolders)
                shares.append(f);
            if (!shares.isEmpty())
                o.insert(QStringLiteral("shares"), shares);
            out.append(o);
        }
        return out;
    }

private:
    QJsonArray folders(qint64 parentId)
    {
        QJsonArray out;
        for (const FolderRecord &f : m_db.childFolders(parentId)) {
            QJsonObject o{{QStringLiteral("name"), f.name},
                          {QStringLiteral("entryId"), f.entryId},
                          {QStringLiteral("defaultMessageClass"), f.defaultMessageClass}};
            if (f.containerClass)
                o.insert(QStringLiteral("containerClass"), *f.containerClass);
            if (f.defaultFolder)
                o.insert(QStringLiteral("defaultFolder"), f.defaultFolder);
            QJsonArray list;
            for (qint64 id : m_db.itemIds(f.id))
                list.append(item(id));
            if (!list.isEmpty())
                o.insert(QStringLiteral("items"), list);
            const QJsonArray children = folders(f.id);
            if (!children.isEmpty())
                o.insert(QStringLiteral("folders"), children);
            out.append(o);
        }
        return out;
    }

    QJsonObject item(qint64 id)
    {
        const ItemRecord rec = m_db.loadItem(id);
        const ItemSchema &schema = ItemSchema::forClass(rec.itemClass);
        QJsonObject o{{QStringLiteral("class"), rec.itemClass},
                      {QStringLiteral("messageClass"), rec.messageClass},
                      {QStringLiteral("entryId"), rec.entryId},
                      {QStringLiteral("creationTime"), dateToText(rec.created())}};
        QJsonObject fields;
        for (int i = 0; i < schema.size(); ++i)
            if (!rec.values[i].isNull())
                fields.insert(schema.field(i).name, fieldJson(schema.field(i).kind, rec.values[i]));
        if (!fields.isEmpty())
            o.insert(QStringLiteral("fields"), fields);
        QJsonArray props;
        for (const UserPropertyRecord &p : rec.userProperties)
            props.append(QJsonObject{{QStringLiteral("name"), p.name},
                                     {QStringLiteral("type"), p.type},
                                     {QStringLiteral("value"), p.value}});
        if (!props.isEmpty())
            o.insert(QStringLiteral("userProperties"), props);
        const QJsonArray atts = attachments(id);
        if (!atts.isEmpty())
            o.insert(QStringLiteral("attachments"), atts);
        return o;
    }

    QJsonArray attachments(qint64 itemId)
    {
        QJsonArray out;
        for (const AttachmentRecord &a : m_db.loadAttachments(itemId)) {
            QJsonObject o{{QStringLiteral("fileName"), a.fileName},
                          {QStringLiteral("type"), a.type}};
            if (a.displayName != a.fileName)
                o.insert(QStringLiteral("displayName"), a.displayName);
            if (!a.pathName.isEmpty())
                o.insert(QStringLiteral("pathName"), a.pathName);
            if (a.hidden)
                o.insert(QStringLiteral("hidden"), *a.hidden);
            insertContent(o, m_db.attachmentContent(a.id));
            out.append(o);
        }
        return out;
    }

    ProfileDb &m_db;
    QHash<qint64, QString> m_storeNames;
};

} // namespace

QJsonObject dumpProfile(const QString &profilePath)
{
    if (!QFileInfo(profilePath).isFile())
        throw PlatformError(errors::kFileNotFound,
                            QStringLiteral("Profil nicht gefunden: %1").arg(profilePath));
    ProfileDbPtr db = ProfileDb::open(profilePath);
    Writer w(*db);
    QJsonObject out{{QStringLiteral("stores"), w.stores()}};
    const QJsonArray book = w.addressBook();
    if (!book.isEmpty())
        out.insert(QStringLiteral("addressBook"), book);
    return out;
}

} // namespace kw::mailstore::fixture
