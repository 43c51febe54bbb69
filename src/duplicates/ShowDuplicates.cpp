#include "duplicates/ShowDuplicates.h"

#include "platform/core/PlatformError.h"
#include "platform/core/Text.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mailstore/UserProperties.h"
#include "shell/ErrorTrap.h"
#include "shell/BusyState.h"
#include "shell/GlobalFunctions.h"
#include "shell/MailProfile.h"
#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

#include <QHash>

namespace kw::DupsDel {
namespace {

const QString kNoneFound = QStringLiteral("Keine Duplikate gefunden.");

void showList(DupsContext &ctx, const PairList &pairs, const std::vector<QString> &displays,
              const std::vector<char> &remove, int pairCount, const QString &itemType)
{
    if (pairCount < 1) {
        ctx.view.setStatus(BusyState::readyText());
        ctx.messages.ShowMessage(kNoneFound, ui::mb::Information, titles::Info);
        ctx.view.setListVisible(false);
    } else {
        ctx.view.setStatus(foundStatus(pairCount));
        ctx.view.setListVisible(true);
    }
    ctx.view.clearNodes();
    ctx.view.yield();
    PairList listed = pairs;
    listed.count = pairCount;
    const DupList list = buildDuplicateList(listed, displays, remove, itemType);
    ctx.view.showNodes(list);
    if (list.limitReached)
        ctx.messages.ShowMessage(
            QStringLiteral("Es werden nur die ersten 32.767 Elemente angezeigt. Starten Sie nach der Bereinigung "
                           "dieser Elemente einen weiteren Durchlauf um alle Duplikate zu entfernen."),
            ui::mb::Exclamation, titles::Hinweis);
    ctx.view.setProgress(0);
}

QString errorLine(long number, const QString &entryId, const QString &description)
{
    return kCrLf + QStringLiteral("Error No.: %1, Outlook ID: ").arg(number) + entryId + kCrLf + description;
}

void writeLink(const mailstore::NameSpacePtr &ns, DupsContext &ctx, int item, const QString &value)
{
    const mailstore::ItemPtr target = ns->GetItemFromID(ctx.state.DupEntryIDs[size_t(item)],
                                                      ctx.state.DupStoreIDs[size_t(item)]);
    const QString name = ctx.settings.GetSetting(setting::FieldNameEntryID,
                                                 QStringLiteral("Outlook ID (created by Kontorwerk)"));
    // A second scan must not give the item a second property of the same name.
    const mailstore::UserPropertiesPtr props = target->UserProperties();
    mailstore::UserPropertyPtr prop = props->Find(name);
    if (!prop)
        prop = props->Add(name, 1);
    prop->setValue(value);
    target->Save();
}

} // namespace

std::vector<std::pair<int, int>> removedWithKeptMember(const PairList &pairs, const std::vector<char> &remove)
{
    QHash<int, int> keptOfRoot;
    for (int k = 1; k <= pairs.count; ++k) {
        const int r = pairs.parents[size_t(k)];
        for (int member : {r, pairs.children[size_t(k)]}) {
            if (!remove[size_t(member)])
                keptOfRoot.insert(r, member);
        }
    }
    std::vector<std::pair<int, int>> out;
    QHash<int, bool> done;
    for (int k = 1; k <= pairs.count; ++k) {
        const int r = pairs.parents[size_t(k)];
        const int kept = keptOfRoot.value(r, 0);
        for (int member : {r, pairs.children[size_t(k)]}) {
            if (remove[size_t(member)] && kept > 0 && !done.contains(member)) {
                done.insert(member, true);
                out.emplace_back(member, kept);
            }
        }
    }
    return out;
}

int writeDuplicateLinks(DupsContext &ctx, const PairList &pairs, const std::vector<char> &remove)
{
    const auto links = removedWithKeptMember(pairs, remove);
    if (!links.empty())
        ctx.view.setProgressMaximum(int(links.size()));
    ctx.view.setStatus(QStringLiteral("Phase 3: Schreibe Outlook ID..."));
    ctx.view.yield();
    const mailstore::NameSpacePtr ns = ctx.profile.mapiNamespace();
    QString log;
    int failed = 0;
    for (size_t k = 0; k < links.size(); ++k) {
        const auto [item, kept] = links[k];
        try {
            writeLink(ns, ctx, item, ctx.state.DupEntryIDs[size_t(kept)]);
        } catch (const PlatformError &e) {
            ++failed;
            log += errorLine(e.number(), ctx.state.DupEntryIDs[size_t(kept)], e.description());
        }
        ctx.view.setProgress(int(k) + 1);
    }
    if (!log.isEmpty())
        ctx.messages.WriteErrorLog(log, QStringLiteral("Save Outlook ID"));
    return failed;
}

void ShowDuplicates(DupsContext &ctx, const PairList &pairs, const std::vector<QString> &displays,
                    const std::vector<char> &remove, int pairCount, const QString &itemType)
{
    trapErrors(ctx.messages, place::ShowDuplicates, QString(), [&] {
        if (!ctx.settings.GetSettingBool(setting::DupEntryIDSave, false)) {
            showList(ctx, pairs, displays, remove, pairCount, itemType);
            return;
        }
        if (pairCount < 1) {
            ctx.view.setStatus(BusyState::readyText());
            ctx.messages.ShowMessage(kNoneFound, ui::mb::Information, titles::Info);
            return;
        }
        const int failed = writeDuplicateLinks(ctx, pairs, remove);
        ctx.view.setProgress(0);
        ctx.view.setStatus(BusyState::readyText());
        if (failed == 0)
            ctx.messages.ShowMessage(QStringLiteral("Outook ID erfolgreich eingetragen."), ui::mb::Information, titles::Info);
        else
            ctx.messages.ShowMessage(
                QStringLiteral("%1 Elemente verursachen einen Fehler; bei ihnen wurde keine ID eingetragen. "
                               "Näheres steht im Fehlerprotokoll.")
                    .arg(failed),
                ui::mb::Exclamation, titles::Hinweis);
    });
}

} // namespace kw::DupsDel
