#include "duplicates/Removal.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/NameSpace.h"
#include "shell/ErrorTrap.h"
#include "shell/BusyState.h"
#include "shell/GlobalFunctions.h"
#include "shell/MailProfile.h"
#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

namespace kw::DupsDel {
namespace {

const QString kReady = BusyState::readyText();

struct RemovalRun
{
    DupsContext &ctx;
    mailstore::NameSpacePtr ns;
    std::vector<int> selection;

    mailstore::ItemPtr fetch(int itemNumber) const
    {
        const size_t n = size_t(itemNumber);
        if (itemNumber < 0 || n >= ctx.state.DupEntryIDs.size())
            throw PlatformError(errors::kSubscriptOutOfRange, QStringLiteral("Index außerhalb des gültigen Bereichs"));
        return ns->GetItemFromID(ctx.state.DupEntryIDs[n], ctx.state.DupStoreIDs[n]);
    }
};

mailstore::FolderPtr findOrAddDuplicatesFolder(DupsContext &ctx)
{
    const mailstore::FolderPtr parent = ctx.state.DupMarkedFolder;
    mailstore::FolderPtr target;
    try {
        target = parent->Folders()->find(duplicatesFolderName());
    } catch (const PlatformError &) {
    }
    ctx.view.yield();
    if (target)
        return target;
    try {
        target = parent->Folders()->Add(duplicatesFolderName());
    } catch (const PlatformError &e) {
        ctx.messages.WriteErrorLog(e.description() + QStringLiteral(", ") + QString::number(e.number()),
                                   QStringLiteral("FolderAdd"));
        ctx.messages.ShowMessage(e.description(), ui::mb::Critical, titles::Fehler);
        return nullptr;
    }
    // The user sees the new folder at once, without losing the tree's ticks to a new fill.
    if (ctx.FolderAdded)
        ctx.FolderAdded(parent, target->EntryID());
    ctx.view.yield();
    return target;
}

// Runs the loop over the selection; `act` removes one fetched item. Returns
// the number of failures, each logged under `subName` at once.
template<typename Act>
int removeEach(RemovalRun &run, const QString &verb, const QString &subName, Act act)
{
    const int n = int(run.selection.size());
    int errors = 0;
    for (int k = 1; k <= n; ++k) {
        run.ctx.view.setStatus(QStringLiteral("Phase 3: %1 Element %2 von %3").arg(verb).arg(k).arg(n));
        run.ctx.view.setProgress(k);
        try {
            // A failed fetch leaves nothing to act on: no earlier item is touched instead.
            act(run.fetch(run.selection[size_t(k - 1)]));
        } catch (const PlatformError &e) {
            ++errors;
            run.ctx.messages.WriteErrorLog(
                QStringLiteral("Err. No.: %1, Err. Des.:").arg(e.number()) + e.description(), subName);
        }
        run.ctx.view.yield();
    }
    return errors;
}

void showSummary(DupsContext &ctx, int n, int errors)
{
    if (errors == 0) {
        ctx.messages.ShowMessage(QStringLiteral("%1 Duplikate entfernt.").arg(n), ui::mb::Information, titles::Fertig);
        return;
    }
    ctx.messages.ShowMessage(
        QStringLiteral("%1 Duplikate entfernt.\r\n%2 Elemente verursachen einen Fehler. Starten Sie einen weiteren "
                       "Durchlauf, um noch eventuell verbliebene Duplikate zu entfernen.")
            .arg(n - errors)
            .arg(errors),
        ui::mb::Exclamation, titles::Hinweis);
}

void removeSelection(RemovalRun &run, bool moveToFolder)
{
    DupsContext &ctx = run.ctx;
    ctx.view.setProgressMaximum(int(run.selection.size()));
    int errors = 0;
    if (moveToFolder) {
        const mailstore::FolderPtr target = findOrAddDuplicatesFolder(ctx);
        if (!target)
            return;
        // A moved note is gone from its folder: nothing is deleted after a move.
        errors = removeEach(run, QStringLiteral("Verschiebe"), QStringLiteral("DupsMove"),
                            [&target](const mailstore::ItemPtr &item) { item->Move(target); });
    } else {
        errors = removeEach(run, QStringLiteral("Lösche"), QStringLiteral("DupsDel"),
                            [](const mailstore::ItemPtr &item) { item->Delete(); });
    }
    showSummary(ctx, int(run.selection.size()), errors);
}

// The removal's end on every path, before busy goes off.
void endRemoval(DupsContext &ctx)
{
    ctx.view.setStatus(kReady);
    ctx.view.setProgress(0);
    ctx.view.setListVisible(false);
    ctx.state.removing = false;
}

} // namespace

const QString &duplicatesFolderName()
{
    static const QString name = QStringLiteral("Duplikate (erstellt von Kontorwerk)");
    return name;
}

void DeleteDuplicates(DupsContext &ctx)
{
    ctx.state.removing = true;
    // The run is over before an error shows: the window is usable again under it.
    guardedRun(
        ctx, place::DeleteDuplicates, QString(),
        [&] {
            RemovalRun run{ctx, ctx.profile.mapiNamespace(), {}};
            const bool moveToFolder = ctx.settings.GetSettingBool(setting::MoveToFolder, true);
            ctx.SetBusy(true);
            ctx.view.setListButtonsEnabled(false);
            run.selection = ctx.view.tickedItems();
            ctx.view.setProgress(0);
            if (!run.selection.empty())
                removeSelection(run, moveToFolder);
        },
        [&](bool) { endRemoval(ctx); }, RunShape{.bodyTakesBusy = true, .releaseBeforeReport = true});
}

void cmdDupDel_Click(DupsContext &ctx)
{
    if (ctx.state.removing || ctx.state.scanning)
        return;
    DeleteDuplicates(ctx);
}

void cmdDupsClose_Click(DupsContext &ctx)
{
    if (ctx.state.removing || ctx.state.scanning)
        return;
    ctx.view.setListVisible(false);
    ctx.view.clearNodes();
    ctx.state.resetIds();
    ctx.view.setStatus(kReady);
}

void cmdDupView_Click(DupsContext &ctx)
{
    const QString key = ctx.view.selectedKey();
    if (key.isEmpty())
        return;
    trapErrors(ctx.messages, place::OpenDuplicate, QString(), [&] {
        const int n = itemNumberFromKey(key);
        const mailstore::NameSpacePtr ns = ctx.profile.mapiNamespace();
        ctx.view.yield();
        const RemovalRun run{ctx, ns, {}};
        const mailstore::InspectorPtr inspector = run.fetch(n)->GetInspector();
        ctx.view.yield();
        inspector->Display();
    });
}

} // namespace kw::DupsDel
