#include "itemtools/MClassChangeFunctions.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/SaveGroup.h"
#include "shell/BusyState.h"
#include "shell/ErrorTrap.h"

namespace kw::itemtools {
namespace {

struct StandardClass
{
    int itemClass;
    const char *base;
};

// In the order the classes are tested. Distribution lists are written
// "IPM.DistList", as the store and the mail client write them; since the
// test ignores letter case, an item of the other spelling is changed too,
// and what is written keeps the store's spelling.
constexpr StandardClass kStandardClasses[] = {
    {26, "IPM.Appointment"}, {40, "IPM.Contact"}, {48, "IPM.Task"},     {43, "IPM.Note"},
    {45, "IPM.Post"},        {69, "IPM.DistList"}, {42, "IPM.Activity"},
};

const QString kChanging = QStringLiteral("Bearbeite Elemente...");
const QString kEmptyFolder = QStringLiteral("Keine Elemente vorhanden, im Ordner:");
const QString kLogName = QStringLiteral("ChangeMessageClass");
constexpr int kEmptyFolderExtra4 = 5;

QString describeItem(const mailstore::Folder &folder, int index, const mailstore::ItemPtr &item)
{
    QString what = QStringLiteral("Ordner \"%1\", Element %2").arg(folder.Name()).arg(index);
    if (item) {
        try {
            what += QStringLiteral(" \"%1\"").arg(item->Subject());
        } catch (const PlatformError &) {
        }
    }
    return what;
}

// Saves only what changes: a second run with the same name writes nothing.
void changeItem(RunContext &ctx, mailstore::Item &item, const QString &value)
{
    if (item.MessageClass() == value) {
        ctx.view.yield();
        return;
    }
    item.setMessageClass(value);
    ctx.view.yield();
    item.Save();
}

void reportFailures(RunContext &ctx, const FailureLog &failures)
{
    if (failures.count() == 0)
        return;
    failures.write(ctx.messages, kLogName);
    ctx.messages.ShowMessage(QStringLiteral("%1 Elemente konnten nicht geändert werden. "
                                            "Einzelheiten stehen im Fehlerprotokoll.")
                                 .arg(failures.count()),
                             ui::mb::Critical, titles::Fehler);
}

} // namespace

QString GetStandardMessageClass(int itemClass, const QString &messageClass)
{
    for (const StandardClass &row : kStandardClasses) {
        if (row.itemClass != itemClass)
            continue;
        const QString base = QString::fromLatin1(row.base);
        return messageClass.startsWith(base, Qt::CaseInsensitive) ? base : QString();
    }
    return {};
}

QString GetStandardMessageClass(const mailstore::Item &item)
{
    return GetStandardMessageClass(item.Class(), item.MessageClass());
}

QString MessageClassValue(const QString &base, const QString &newName)
{
    const QString name = trimBlanks(newName);
    return name.isEmpty() ? base : base + u'.' + name;
}

void ChangeFolderMessageClass(RunContext &ctx, const mailstore::FolderPtr &Folder, const QString &NewName,
                              FailureLog &failures)
{
    if (!Folder)
        return;
    const mailstore::ItemsPtr items = Folder->Items();
    const int count = items->Count();
    if (count == 0) {
        ctx.messages.ShowMessage(kEmptyFolder + u' ' + Folder->Name(), ui::mb::Information, titles::Hinweis,
                                 kEmptyFolderExtra4);
        return;
    }
    ctx.view.setProgressMaximum(count);
    ctx.view.setStatus(kChanging);
    mailstore::SaveGroup group(Folder->db());
    int changed = 0;
    for (int j = 1; j <= count; ++j) {
        mailstore::ItemPtr item;
        try {
            item = items->Item(j);
            const QString base = GetStandardMessageClass(*item);
            if (base.isEmpty())
                continue;
            changeItem(ctx, *item, MessageClassValue(base, NewName));
            group.saved();
        } catch (const PlatformError &e) {
            failures.add(describeItem(*Folder, j, item), e);
            continue;
        }
        ctx.view.setProgress(++changed);
        ctx.view.yield();
    }
    group.commit();
    ctx.view.setProgress(0);
    ctx.view.setStatus(BusyState::readyText());
}

void ChangeMessageClass(RunContext &ctx, const QString &NewName)
{
    FailureLog failures;
    const bool ran = trapErrors(ctx.messages, place::ChangeMessageClass, {}, [&] {
        ctx.BeginEndOperation(true);
        const WorkingSet set = ctx.GetActivatedFolders(gatemode::AllTypes);
        if (set.OK) {
            for (int f = 1; f <= set.FolderCount; ++f) {
                // A folder that cannot be read is reported and the next one is done.
                trapErrors(ctx.messages, place::ChangeFolderMessageClass, {},
                           [&] { ChangeFolderMessageClass(ctx, set.Folders.value(f), NewName, failures); });
            }
        }
        reportFailures(ctx, failures);
        ctx.BeginEndOperation(false);
    });
    if (!ran)
        ctx.BeginEndOperation(false);
}

} // namespace kw::itemtools
