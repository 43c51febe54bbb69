// Duplicate scan over synthetic contact profiles: the whole contact scan at
// two sizes (it must grow linearly) and phase 2 by grouping against the
// original pairwise loop on the same stored values (same result, far faster).

#include "SyntheticProfile.h"
#include "duplicates/DuplicateList.h"
#include "duplicates/Phase2.h"
#include "duplicates/Scan.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/ui/MessageBox.h"
#include "shell/GlobalFunctions.h"
#include "shell/MailProfile.h"
#include "shell/RegistryFunctions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace kw;
using namespace kw::DupsDel;

namespace {

class NullView : public DupsView
{
public:
    void setStatus(const QString &) override {}
    void setProgressMaximum(int) override {}
    void setProgress(int) override {}
    void yield() override {}
    void showNodes(const DupList &l) override { list = l; }
    void clearNodes() override { list = {}; }
    void setListVisible(bool) override {}
    bool listVisible() const override { return false; }
    void setListButtonsEnabled(bool) override {}
    std::vector<int> tickedItems() const override { return {}; }
    QString selectedKey() const override { return {}; }
    DupList list;
};

// One synthetic profile with its own settings, and the contact scan over it.
struct Run
{
    explicit Run(int contacts)
        : registry(dir.filePath("registry.reg")), messages(box, dir.path()), settings(registry, messages)
    {
        settings.InitDefaultSettings();
        profilegen::Options options;
        options.contacts = contacts;
        options.duplicatePercent = 10;
        options.seed = 7;
        mailstore::fixture::createProfile(mailProfile.file(), profilegen::generate(options));

        const auto ns = mailProfile.mapiNamespace();
        set.Folders = {nullptr, ns->Folders()->Item(1)->Folders()->Item(QStringLiteral("Kontakte"))};
        set.FolderCount = 1;
        set.ItemCount = set.Folders[1]->Items()->Count();
        set.MarkedIndex = 1;
        set.OK = true;
    }

    DupsContext context()
    {
        return DupsContext{{settings, messages, view, [](bool) {}, [this](const QString &) { return set; }},
                           mailProfile,
                           view,
                           state,
                           [](bool) {},
                           [] {},
                           [] { return QStringLiteral("IPM.Contact"); }};
    }

    // Milliseconds of the whole contact scan, reading included.
    double scanMs()
    {
        DupsContext ctx = context();
        QElapsedTimer t;
        t.start();
        RemoveDuplicateContacts(ctx);
        return t.nsecsElapsed() / 1e6;
    }

    ScanData read(ScanSettings &scanSettings)
    {
        const ScanType &type = scanType(ScanKind::Contacts);
        scanSettings = ScanSettings::read(type, settings);
        ScanData data;
        const int total = int(set.ItemCount);
        data.values.reset(total, int(scanSettings.criteria.size()));
        data.displays.assign(size_t(total) + 1, QString());
        state.DupEntryIDs.assign(size_t(total) + 1, QString());
        state.DupStoreIDs.assign(size_t(total) + 1, QString());
        DupsContext ctx = context();
        readItems(ctx, type, scanSettings, set, data);
        return data;
    }

    QTemporaryDir dir;
    ui::ScriptedMessageBox box;
    registry::Registry registry;
    Messages messages;
    Settings settings;
    MailProfile mailProfile{dir.filePath("profile.sqlite")};
    WorkingSet set;
    NullView view;
    DupState state;
};

double bestOf(int rounds, const std::function<double()> &f)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i)
        best = std::min(best, f());
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    try {
        Run small(5000);
        Run large(20000);
        const double scanSmall = bestOf(3, [&] { return small.scanMs(); });
        const double scanLarge = bestOf(3, [&] { return large.scanMs(); });

        ScanSettings scanSettings;
        const ScanData data = large.read(scanSettings);
        ScanValues forLoop = data.values;
        ScanValues forGroups = data.values;
        const KeepRule keep = settingsKeepRule(large.settings);
        PairList loopPairs, groupPairs;
        QElapsedTimer t;
        t.start();
        loopPairs = comparePairwise(forLoop, scanSettings.folderInside, Phase2Hooks{keep, {}}, large.messages);
        const double pairwiseMs = t.nsecsElapsed() / 1e6;
        const double groupedMs = bestOf(5, [&] {
            ScanValues v = data.values;
            QElapsedTimer g;
            g.start();
            groupPairs = compareGrouped(v, scanSettings.folderInside, Phase2Hooks{keep, {}});
            const double ms = g.nsecsElapsed() / 1e6;
            forGroups = v;
            return ms;
        });
        const bool identical =
            loopPairs == groupPairs && forLoop.remove == forGroups.remove
            && buildDuplicateList(loopPairs, data.displays, forLoop.remove, "Contact")
                   == buildDuplicateList(groupPairs, data.displays, forGroups.remove, "Contact");

        std::printf("contacts_small: 5000\ncontacts_large: 20000\n");
        std::printf("pairs_20000: %d\n", groupPairs.count);
        std::printf("scan_5000_ms: %.1f\nscan_20000_ms: %.1f\n", scanSmall, scanLarge);
        std::printf("phase2_pairwise_20000_ms: %.1f\nphase2_grouped_20000_ms: %.2f\n", pairwiseMs, groupedMs);
        std::printf("phase2_pairwise_over_grouped_20000: %.1f\n", pairwiseMs / groupedMs);
        std::printf("scan_20000_over_5000: %.2f\n", scanLarge / scanSmall);
        std::printf("identical: %s\n", identical ? "yes" : "no");
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_duplicates: %s\n", e.what());
    }
    return 0;
}
