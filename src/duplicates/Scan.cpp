#include "duplicates/Scan.h"

#include "duplicates/ShowDuplicates.h"
#include "platform/mailstore/Folder.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"
#include "shell/MailProfile.h"

namespace kw::DupsDel {
namespace {

void scanBody(DupsContext &ctx, const ScanType &type)
{
    const ScanSettings settings = ScanSettings::read(type, ctx.settings);
    // A profile that cannot be opened ends the scan under its own place code.
    ctx.profile.mapiNamespace();
    const WorkingSet set = ctx.GetActivatedFolders(type.mode);
    if (!set.OK)
        return;

    const int total = int(set.ItemCount);
    ctx.view.setProgressMaximum(total);
    ScanData data;
    data.values.reset(total, int(settings.criteria.size()));
    data.displays.assign(size_t(total) + 1, QString());
    ctx.state.DupEntryIDs.assign(size_t(total) + 1, QString());
    ctx.state.DupStoreIDs.assign(size_t(total) + 1, QString());

    readItems(ctx, type, settings, set, data);
    if (!data.readLog.isEmpty())
        ctx.messages.WriteErrorLog(data.readLog, type.logName);

    ctx.view.setProgress(0);
    DupsView &view = ctx.view;
    const Phase2Hooks hooks{settingsKeepRule(ctx.settings), [&view](int i) {
                                view.setStatus(compareStatus(i));
                                view.setProgress(i);
                                view.yield();
                            }};
    const PairList pairs = compareGrouped(data.values, settings.folderInside, hooks);

    ctx.state.DupMarkedFolder = set.Folders.at(set.MarkedIndex);
    const QString itemType = ctx.state.DupMarkedFolder->DefaultMessageClass().mid(4);
    ShowDuplicates(ctx, pairs, data.displays, data.values.remove, pairs.count, itemType);
    if (type.cleanUpAtEnd && ctx.CleanUpMAPI)
        ctx.CleanUpMAPI();
}

} // namespace

void runScan(DupsContext &ctx, const ScanType &type)
{
    const bool ran = trapErrors(ctx.messages, type.placeCode, QString(), [&] { scanBody(ctx, type); });
    if (!ran && type.cleanUpAtEnd && ctx.CleanUpMAPI)
        ctx.CleanUpMAPI();
}

void RemoveDuplicateTasks(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Tasks)); }
void RemoveDuplicateEmails(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Emails)); }
void RemoveDuplicateContacts(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Contacts)); }
void RemoveDuplicateAppointments(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Appointments)); }
void RemoveDuplicateJournal(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Journal)); }
void RemoveDuplicateNotes(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Notes)); }

void RemoveDuplicates(DupsContext &ctx)
{
    guardedRun(
        ctx, place::RemoveDuplicates, QString(),
        [&] {
            // The list's buttons wait until a list is there and the run is over.
            ctx.view.setListButtonsEnabled(false);
            ctx.state.scanning = true;
            if (const ScanType *type = scanTypeForClass(ctx.GetMarkedFolderClass()))
                runScan(ctx, *type);
            else
                ctx.messages.ShowMessage(QStringLiteral("Kein gültiger Ordner gewählt."), ui::mb::Critical,
                                         titles::Hinweis);
        },
        [&](bool) { ctx.state.scanning = false; });
    ctx.view.setListButtonsEnabled(ctx.view.listVisible());
}

} // namespace kw::DupsDel
