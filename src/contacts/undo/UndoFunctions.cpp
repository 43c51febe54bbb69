#include "contacts/undo/UndoFunctions.h"

#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/ItemSchema.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/SaveGroup.h"
#include "platform/mailstore/UserProperties.h"
#include "platform/mapi/SafeItem.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"
#include "shell/MailServices.h"

#include <optional>

namespace kw::contacts::undo::UndoFunctions {
namespace {

std::optional<QString> backupOf(const mapi::SafeItem &item, const QString &field)
{
    const mailstore::UserPropertyPtr backup = item.UserProperties()->Find(backupName(field));
    if (!backup)
        return std::nullopt;
    return backup->Value();
}

// Sets a field to a text without the store recomputing its neighbours: the
// backup is a state the contact held, composite fields included.
void setExactly(mapi::SafeItem &item, const QString &field, const QString &value)
{
    const mailstore::ItemPtr &target = item.Item();
    const int index = target->schema().indexOf(field);
    if (index < 0)
        throw PlatformError(errors::kInvalidArgument, QStringLiteral("Unbekanntes Feld \"%1\"").arg(field));
    target->setRawText(index, value);
}

struct UndoKind
{
    const QStringList *fields;
    QString messageStart;
};

std::optional<UndoKind> undoKind(const QString &kind)
{
    if (kind == QLatin1String("Names"))
        return UndoKind{&nameFields(), QStringLiteral("Namen bei ")};
    if (kind == QLatin1String("Telephone"))
        return UndoKind{&telephoneFields(), QStringLiteral("Telefonnummern bei ")};
    return std::nullopt;
}

int undoFolders(ContactRunContext &ctx, const WorkingSet &set, const QStringList &fields)
{
    int contacts = 0;
    int running = 0;
    ctx.view.setProgressMaximum(int(set.ItemCount));
    forEachFolder(set, [&](const mailstore::FolderPtr &folder) {
        const mailstore::ItemsPtr items = folder->Items();
        const int n = items->Count();
        // Ended by an error, the group still writes the contacts restored before it.
        mailstore::SaveGroup group(folder->db());
        for (int j = 1; j <= n; ++j) {
            ctx.view.setStatus(QStringLiteral("Wiederherstellung..."));
            ctx.view.setProgress(++running);
            ctx.view.yield();
            const mailstore::ItemPtr item = items->Item(j);
            if (item->Class() != mailstore::itemclass::Contact)
                continue;
            const mapi::SafeItemPtr safe = mapi::CreateSafeItem(mapi::progid::SafeContactItem);
            safe->setItem(item);
            if (RestoreContactFields(*safe, fields) > 0) {
                safe->Save();
                group.saved();
                ++contacts;
            }
        }
        group.commit();
    });
    return contacts;
}

} // namespace

QString backupName(const QString &FieldName)
{
    return QStringLiteral("KW Backup ") + FieldName;
}

const QStringList &nameFields()
{
    static const QStringList fields = {
        QStringLiteral("Fullname"), QStringLiteral("FirstName"), QStringLiteral("MiddleName"),
        QStringLiteral("LastName"), QStringLiteral("Suffix"),    QStringLiteral("Title"),
        QStringLiteral("FileAs"),   QStringLiteral("Subject"),   QStringLiteral("CompanyName")};
    return fields;
}

const QStringList &telephoneFields()
{
    static const QStringList fields = {
        QStringLiteral("BusinessTelephoneNumber"),   QStringLiteral("BusinessFaxNumber"),
        QStringLiteral("HomeFaxNumber"),             QStringLiteral("HomeTelephoneNumber"),
        QStringLiteral("MobileTelephoneNumber"),     QStringLiteral("AssistantTelephoneNumber"),
        QStringLiteral("Business2TelephoneNumber"),  QStringLiteral("CallbackTelephoneNumber"),
        QStringLiteral("CarTelephoneNumber"),        QStringLiteral("CompanyMainTelephoneNumber"),
        QStringLiteral("Home2TelephoneNumber"),      QStringLiteral("ISDNNumber"),
        QStringLiteral("OtherFaxNumber"),            QStringLiteral("OtherTelephoneNumber"),
        QStringLiteral("PagerNumber"),               QStringLiteral("PrimaryTelephoneNumber"),
        QStringLiteral("RadioTelephoneNumber"),      QStringLiteral("TelexNumber"),
        QStringLiteral("TTYTDDTelephoneNumber")};
    return fields;
}

bool WriteBackup(const mailstore::ItemPtr &item, const QString &FieldName, Messages &messages)
{
    const QString old = item->text(FieldName);
    const mailstore::UserPropertyPtr backup = GetOrAddUserProperty(item, backupName(FieldName), messages);
    if (!backup)
        return false;
    backup->setValue(old);
    return true;
}

void RestoreFieldFromBackup(mapi::SafeItem &Item, const QString &FieldName, bool &Restored)
{
    const mailstore::UserPropertyPtr backup = Item.UserProperties()->Find(backupName(FieldName));
    Restored = false;
    if (!backup)
        return;
    Item.set(FieldName, backup->Value());
    Restored = true;
    backup->Delete();
}

int RestoreContactFields(mapi::SafeItem &Item, const QStringList &fields)
{
    QList<QPair<QString, QString>> restored;
    for (const QString &field : fields) {
        const std::optional<QString> value = backupOf(Item, field);
        bool done = false;
        RestoreFieldFromBackup(Item, field, done);
        if (done)
            restored.append({field, *value});
    }
    // Writing a name part makes the store rebuild the full name from the
    // parts, which loses what only the full name held ("Herr ..."); every
    // field ends as its backup was.
    for (const auto &[field, value] : std::as_const(restored)) {
        if (Item.text(field) != value)
            setExactly(Item, field, value);
    }
    return int(restored.size());
}

int UndoContactFields(ContactRunContext &ctx, const QString &Kind)
{
    const std::optional<UndoKind> kind = undoKind(Kind);
    if (!kind)
        return -1;
    const WorkingSet set = ctx.GetActivatedFolders(gatemode::OnlyContacts);
    if (!set.OK)
        return -1;
    int contacts = 0;
    if (!guardedRun(ctx, place::UndoContactFields, QString(),
                    [&] { contacts = undoFolders(ctx, set, *kind->fields); }))
        return -1;
    ctx.messages.ShowMessage(kind->messageStart + QString::number(contacts) + QStringLiteral(" Kontakten wiederhergestellt."),
                             ui::mb::Information, titles::Info);
    return contacts;
}

} // namespace kw::contacts::undo::UndoFunctions
