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

// Classes the change never touches, each with the classes that continue it
// after a ".": the mail client opens secure mail, rule templates, receipts,
// reports and recalls only under their own class, so another class would make
// them unreadable for good.
constexpr const char *kSystemClasses[] = {
    "IPM.Note.SMIME", "IPM.Note.Secure", "IPM.Note.rpmsg", "IPM.Note.Receipt", "IPM.Note.Rules",
    "IPM.Note.StorageQuotaWarning", "IPM.Recall", "REPORT",
};

const QString kChanging = QStringLiteral("Bearbeite Elemente...");
const QString kEmptyFolder = QStringLiteral("Keine Elemente vorhanden, im Ordner:");
const QString kLogName = QStringLiteral("ChangeMessageClass");
constexpr int kEmptyFolderExtra4 = 5;

// messageClass is kind itself or continues it after a "." ("IPM.Note.X"
// but not "IPM.Notes"), letter case aside.
bool ofKind(const QString &messageClass, QLatin1StringView kind)
{
    return messageClass.startsWith(kind, Qt::CaseInsensitive)
           && (messageClass.size() == kind.size() || messageClass.at(kind.size()) == u'.');
}

bool isSystemClass(const QString &messageClass)
{
    for (const char *kind : kSystemClasses) {
        if (ofKind(messageClass, QLatin1StringView(kind)))
            return true;
    }
    return false;
}

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

void reportLeftAlone(RunContext &ctx, const QStringList &leftAlone)
{
    if (leftAlone.isEmpty())
        return;
    ctx.messages.WriteErrorLog(leftAlone.join(u'\n'), kLogName);
    ctx.messages.ShowMessage(QString::fromUtf8("%1 Elemente einer geschützten Nachrichtenklasse (sichere "
                                               "Nachrichten, Regelvorlagen, Bestätigungen, Berichte) wurden "
                                               "nicht geändert. Einzelheiten stehen im Fehlerprotokoll.")
                                 .arg(leftAlone.size()),
                             ui::mb::Information, titles::Hinweis);
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
        const QLatin1StringView base(row.base);
        return ofKind(messageClass, base) ? QString(base) : QString();
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

bool isUsableFormName(const QString &name)
{
    for (QChar c : name) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            return false;
    }
    return true;
}

void ChangeFolderMessageClass(RunContext &ctx, const mailstore::FolderPtr &Folder, const QString &NewName,
                              FailureLog &failures, QStringList &leftAlone)
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
            if (isSystemClass(item->MessageClass())) {
                leftAlone << describeItem(*Folder, j, item) + QStringLiteral(": %1 bleibt unverändert")
                                                                  .arg(item->MessageClass());
                continue;
            }
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
    QStringList leftAlone;
    guardedRun(ctx, place::ChangeMessageClass, {}, [&] {
        const WorkingSet set = ctx.GetActivatedFolders(gatemode::AllTypes);
        if (set.OK) {
            forEachFolder(set, [&](const mailstore::FolderPtr &folder) {
                // A folder that cannot be read is reported and the next one is done.
                trapErrors(ctx.messages, place::ChangeFolderMessageClass, {},
                           [&] { ChangeFolderMessageClass(ctx, folder, NewName, failures, leftAlone); });
            });
        }
        reportLeftAlone(ctx, leftAlone);
        reportFailures(ctx, failures);
    });
}

} // namespace kw::itemtools
