#include "duplicates/Scan.h"

#include "duplicates/ShowDuplicates.h"
#include "platform/core/PlatformError.h"
#include "platform/mailstore/Application.h"
#include "platform/mailstore/Folder.h"
#include "shell/GlobalFunctions.h"

namespace kw::DupsDel {
namespace {

void reportScanError(DupsContext &ctx, const ScanType &type, long number, const QString &description)
{
    ctx.messages.HandleError(description, number, type.placeCode, QString());
    if (type.cleanUpAtEnd && ctx.CleanUpMAPI)
        ctx.CleanUpMAPI();
}

void scanBody(DupsContext &ctx, const ScanType &type)
{
    const ScanSettings settings = ScanSettings::read(type, ctx.settings);
    const mailstore::ApplicationPtr app = mailstore::Application::create();
    app->GetNamespace(QStringLiteral("MAPI"));
    const DupFolderSet set = ctx.GetActivatedFolders(type.mode);
    if (!set.ok)
        return;

    const int total = set.itemCount;
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

    ctx.state.DupMarkedFolder = set.folders[size_t(set.markedIndex)];
    const QString itemType = ctx.state.DupMarkedFolder->DefaultMessageClass().mid(4);
    ShowDuplicates(ctx, pairs, data.displays, data.values.remove, pairs.count, itemType);
    if (type.cleanUpAtEnd && ctx.CleanUpMAPI)
        ctx.CleanUpMAPI();
}

} // namespace

void runScan(DupsContext &ctx, const ScanType &type)
{
    try {
        scanBody(ctx, type);
    } catch (const PlatformError &e) {
        reportScanError(ctx, type, e.number(), e.description());
    } catch (const std::exception &e) {
        reportScanError(ctx, type, errors::kOperationFailed, QString::fromLocal8Bit(e.what()));
    }
}

void RemoveDuplicateTasks(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Tasks)); }
void RemoveDuplicateEmails(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Emails)); }
void RemoveDuplicateContacts(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Contacts)); }
void RemoveDuplicateAppointments(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Appointments)); }
void RemoveDuplicateJournal(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Journal)); }
void RemoveDuplicateNotes(DupsContext &ctx) { runScan(ctx, scanType(ScanKind::Notes)); }

void RemoveDuplicates(DupsContext &ctx)
{
    try {
        ctx.BeginEndOperation(true);
        // The list's buttons wait until a list is there and the run is over.
        ctx.view.setListButtonsEnabled(false);
        ctx.state.scanning = true;
        if (const ScanType *type = scanTypeForClass(ctx.GetMarkedFolderClass()))
            runScan(ctx, *type);
        else
            ctx.messages.ShowMessage(QStringLiteral("Kein gültiger Ordner gewählt."), ui::mb::Critical, titles::Hinweis);
    } catch (const PlatformError &e) {
        ctx.messages.HandleError(e.description(), e.number(), place::RemoveDuplicates, QString());
    } catch (const std::exception &e) {
        ctx.messages.HandleError(QString::fromLocal8Bit(e.what()), errors::kOperationFailed,
                                 place::RemoveDuplicates, QString());
    }
    ctx.state.scanning = false;
    ctx.BeginEndOperation(false);
    ctx.view.setListButtonsEnabled(ctx.view.listVisible());
}

} // namespace kw::DupsDel
