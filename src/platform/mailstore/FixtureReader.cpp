// Builds a profile from a JSON fixture.
#include "platform/core/PlatformError.h"
#include "platform/mailstore/FieldValues.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/FixtureContent.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/mailstore/SqlUtil.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>

namespace kw::mailstore::fixture {

namespace {

[[noreturn]] void bad(const QString &where, const QString &why)
{
    throw PlatformError(errors::kInvalidArgument,
                        QStringLiteral("Fixture fehlerhaft bei %1: %2").arg(where, why));
}

QString hexId(const QJsonObject &o, const char *key, const QString &where)
{
    const QString id = o.value(QLatin1String(key)).toString();
    static const QString digits = QStringLiteral("0123456789ABCDEF");
    const QString upper = id.toUpper();
    if (upper.size() % 2 || std::any_of(upper.cbegin(), upper.cend(), [](QChar c) { return !digits.contains(c); }))
        bad(where, QStringLiteral("%1 ist keine Hexadezimalzahl").arg(QLatin1String(key)));
    return upper;
}

// A whole JSON number in [0, max], or nothing.
std::optional<qint64> wholeNumber(const QJsonValue &v, double max)
{
    const double d = v.toDouble(-1);
    if (!v.isDouble() || d < 0 || d > max || d != std::floor(d))
        return std::nullopt;
    return qint64(d);
}

GeneratedContent recipe(const QJsonValue &generate, const QString &where)
{
    const QJsonObject g = generate.toObject();
    const auto size = wholeNumber(g.value(u"size"), double(kMaxGeneratedSize));
    const auto seed = wholeNumber(g.value(u"seed"), double(0xFFFFFFFFU));
    if (!size)
        bad(where, QStringLiteral("generate.size ist keine Größe bis %1 Bytes").arg(kMaxGeneratedSize));
    if (!seed)
        bad(where, QStringLiteral("generate.seed ist keine Zahl von 0 bis 4294967295"));
    return {*size, quint32(*seed)};
}

QByteArray attachmentContent(const QJsonObject &a, const QString &where)
{
    const int kinds = a.contains(u"text") + a.contains(u"base64") + a.contains(u"generate");
    if (kinds > 1)
        bad(where, QStringLiteral("mehr als ein Inhalt (text, base64, generate)"));
    if (a.contains(u"generate"))
        return generatedContent(recipe(a.value(u"generate"), where));
    if (!a.contains(u"base64"))
        return a.value(u"text").toString().toUtf8();
    // Refused rather than decoded in part: a typo must not load other bytes.
    const auto decoded = QByteArray::fromBase64Encoding(a.value(u"base64").toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        bad(where, QStringLiteral("base64 ist fehlerhaft"));
    return *decoded;
}

class Builder
{
public:
    Builder(ProfileDb &db, const QString &base) : m_db(db), m_base(base) {}

    void stores(const QJsonArray &stores)
    {
        for (const QJsonValue &v : stores) {
            const QJsonObject s = v.toObject();
            const QString where = QStringLiteral("Speicher \"%1\"").arg(s.value(u"name").toString());
            if (s.value(u"name").toString().isEmpty())
                bad(where, QStringLiteral("Name fehlt"));
            const FolderRecord root = m_db.addStore(
                s.value(u"name").toString(), !s.value(u"hidden").toBool(false),
                hexId(s, "storeId", where), hexId(s, "entryId", where));
            m_storesByName.insert(root.name, root.storeRowId);
            folders(root, s.value(u"folders").toArray(), where);
        }
    }

    void addressBook(const QJsonArray &entries)
    {
        for (const QJsonValue &v : entries) {
            const QJsonObject o = v.toObject();
            AddressEntry e;
            e.displayName = o.value(u"displayName").toString();
            e.address = o.value(u"address").toString();
            if (e.displayName.isEmpty())
                bad(QStringLiteral("Adressbuch"), QStringLiteral("displayName fehlt"));
            const QString store = o.value(u"store").toString();
            if (!store.isEmpty()) {
                if (!m_storesByName.contains(store))
                    bad(e.displayName, QStringLiteral("unbekannter Speicher %1").arg(store));
                e.storeRowId = m_storesByName.value(store);
            }
            for (const QJsonValue &f : o.value(u"shares").toArray())
                e.sharedFolders.append(f.toInt());
            m_db.addAddressEntry(e);
        }
    }

private:
    void folders(const FolderRecord &parent, const QJsonArray &list, const QString &where)
    {
        for (const QJsonValue &v : list) {
            const QJsonObject f = v.toObject();
            const QString here = where + u'/' + f.value(u"name").toString();
            if (f.value(u"name").toString().isEmpty())
                bad(here, QStringLiteral("Ordnername fehlt"));
            std::optional<QString> cls;
            if (f.contains(u"containerClass"))
                cls = f.value(u"containerClass").toString();
            const QString dmc = f.value(u"defaultMessageClass").toString(QStringLiteral("IPM.Note"));
            const FolderRecord made = m_db.addFolder(parent, f.value(u"name").toString(), cls, dmc,
                                                     f.value(u"defaultFolder").toInt(0),
                                                     hexId(f, "entryId", here));
            items(made, f.value(u"items").toArray(), here);
            folders(made, f.value(u"folders").toArray(), here);
        }
    }

    void items(const FolderRecord &folder, const QJsonArray &list, const QString &where)
    {
        int n = 0;
        for (const QJsonValue &v : list)
            item(folder, v.toObject(), QStringLiteral("%1, Element %2").arg(where).arg(++n));
    }

    void item(const FolderRecord &folder, const QJsonObject &o, const QString &where)
    {
        ItemRecord rec;
        rec.folderId = folder.id;
        rec.messageClass = o.value(u"messageClass").toString(folder.defaultMessageClass);
        rec.itemClass = o.value(u"class").toInt(classForMessageClass(rec.messageClass));
        if (!ItemSchema::isItemClass(rec.itemClass))
            bad(where, QStringLiteral("unbekannte Klasse %1").arg(rec.itemClass));
        rec.entryId = hexId(o, "entryId", where);
        if (o.contains(u"creationTime")) {
            const auto t = parseDateText(o.value(u"creationTime").toString());
            if (!t)
                bad(where, QStringLiteral("creationTime ist kein Datum"));
            rec.creationTime = *t;
        }
        fields(rec, o.value(u"fields").toObject(), where);
        for (const QJsonValue &p : o.value(u"userProperties").toArray()) {
            const QJsonObject u = p.toObject();
            rec.userProperties.append({u.value(u"name").toString(), u.value(u"type").toInt(1),
                                       u.value(u"value").toVariant().toString()});
        }
        QList<AttachmentRecord> atts = attachments(o.value(u"attachments").toArray(), where);
        m_db.saveItem(rec, {}, true, &atts, {});
    }

    void fields(ItemRecord &rec, const QJsonObject &fields, const QString &where)
    {
        const ItemSchema &schema = ItemSchema::forClass(rec.itemClass);
        rec.values.resize(schema.size());
        for (auto it = fields.begin(); it != fields.end(); ++it) {
            const int idx = schema.indexOf(it.key());
            if (idx < 0)
                bad(where, QStringLiteral("unbekanntes Feld %1").arg(it.key()));
            const FieldDef &def = schema.field(idx);
            try {
                rec.values[idx] = toFieldText(def.kind, it.value().toVariant(), def.name);
            } catch (const PlatformError &e) {
                bad(where, e.description());
            }
        }
    }

    QList<AttachmentRecord> attachments(const QJsonArray &list, const QString &where)
    {
        QList<AttachmentRecord> out;
        for (const QJsonValue &v : list) {
            const QJsonObject a = v.toObject();
            AttachmentRecord r;
            r.fileName = a.value(u"fileName").toString();
            const QString here = QStringLiteral("%1, Anlage \"%2\"").arg(where, r.fileName);
            r.displayName = a.value(u"displayName").toString(r.fileName);
            r.type = a.value(u"type").toInt(1);
            if (r.type != 1 && r.type != 4)
                bad(here, QStringLiteral("Anlagentyp %1").arg(r.type));
            r.pathName = resolveBase(a.value(u"pathName").toString());
            if (a.contains(u"hidden"))
                r.hidden = a.value(u"hidden").toBool();
            r.content = attachmentContent(a, here);
            r.size = r.type == 1 ? r.content.size() : 0;
            out.append(r);
        }
        return out;
    }

    QString resolveBase(const QString &path) const
    {
        static const QString placeholder = QStringLiteral("${BASE}");
        if (m_base.isEmpty() || !path.startsWith(placeholder))
            return path;
        return m_base + path.mid(placeholder.size());
    }

    ProfileDb &m_db;
    QString m_base;
    QHash<QString, qint64> m_storesByName;
};

void removeProfileFiles(const QString &path)
{
    for (const QString &suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"),
                                  QStringLiteral("-shm")})
        QFile::remove(path + suffix);
}

} // namespace

void createProfile(const QString &profilePath, const QJsonObject &fixture, const QString &base)
{
    const auto exists = [&] {
        return PlatformError(errors::kOperationFailed,
                             QStringLiteral("Die Datei %1 existiert bereits.").arg(profilePath));
    };
    if (QFileInfo::exists(profilePath))
        throw exists();
    // Filled under another name and renamed when complete: neither a fixture
    // error nor an ended process leaves a half-filled profile at the path.
    const QString building = profilePath + QStringLiteral(".fill-") + ProfileDb::newId(4);
    try {
        ProfileDbPtr db = ProfileDb::open(building, false);
        sql::Transaction tx(db->connection());
        Builder b(*db, base);
        b.stores(fixture.value(u"stores").toArray());
        b.addressBook(fixture.value(u"addressBook").toArray());
        tx.commit();
    } catch (...) {
        removeProfileFiles(building);
        throw;
    }
    // rename() never replaces a file that appeared meanwhile.
    if (!QFile::rename(building, profilePath)) {
        removeProfileFiles(building);
        throw exists();
    }
}

QJsonObject readJsonFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw PlatformError(errors::kFileNotFound,
                            QStringLiteral("Datei nicht gefunden: %1").arg(path));
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject())
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("%1 ist kein gültiges JSON (%2, Zeichen %3).")
                                .arg(path, err.errorString())
                                .arg(err.offset));
    return doc.object();
}

void createProfileFromFile(const QString &profilePath, const QString &fixturePath, const QString &base)
{
    createProfile(profilePath, readJsonFile(fixturePath), base);
}

QByteArray canonicalJson(const QJsonObject &fixture)
{
    return QJsonDocument(fixture).toJson(QJsonDocument::Indented);
}

} // namespace kw::mailstore::fixture
