// Gives all 50,000 items of a synthetic profile a new message class, and
// reads the same items' Class and MessageClass through the object model, in
// one process. Prints the times and their ratio.
// Usage: bench_msgclass [ITEMS]
#include "SyntheticProfile.h"

#include "itemtools/MClassChangeFunctions.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/MailStore.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

using namespace kw;

namespace {

class NoView : public RunView
{
public:
    void setStatus(const QString &) override {}
    void setProgressMaximum(int) override {}
    void setProgress(int) override {}
    void yield() override {}
};

WorkingSet everyFolder(const QString &profile)
{
    WorkingSet set;
    set.Folders.append(nullptr);
    auto store = mailstore::Application::open(profile)->GetNamespace("MAPI")->Folders()->Item(1);
    for (mailstore::FolderPtr folder : store->Folders()) {
        if (folder->Items()->Count() == 0)
            continue;
        set.Folders.append(folder);
        set.ItemCount += folder->Items()->Count();
    }
    set.FolderCount = int(set.Folders.size()) - 1;
    set.OK = true;
    return set;
}

qint64 readClasses(const QString &profile, qint64 &chars)
{
    QElapsedTimer t;
    t.start();
    const WorkingSet set = everyFolder(profile);
    for (int f = 1; f <= set.FolderCount; ++f) {
        auto items = set.Folders[f]->Items();
        for (int j = 1; j <= items->Count(); ++j) {
            auto item = items->Item(j);
            chars += item->Class() + item->MessageClass().size();
        }
    }
    return t.nsecsElapsed();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int total = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50000;
    QTemporaryDir dir;
    const QString profile = dir.filePath("bench.sqlite");
    profilegen::Options o;
    o.contacts = total * 4 / 10;
    o.appointments = total * 2 / 10;
    o.tasks = total / 10;
    o.mails = total / 10;
    o.notes = total / 10;
    o.journal = total - o.contacts - o.appointments - o.tasks - o.mails - o.notes;
    o.seed = 42;
    mailstore::fixture::createProfile(profile, profilegen::generate(o));

    ui::ScriptedMessageBox box;
    registry::Registry registry(dir.filePath("registry.reg"));
    Messages messages(box, dir.filePath("home"));
    Settings settings(registry, messages);
    NoView view;
    itemtools::RunContext ctx{{settings, messages, view, [](bool) {}, [&](const QString &) { return everyFolder(profile); }},
                              [](const QString &) { return QString(); }};

    qint64 chars = 0;
    qint64 read = readClasses(profile, chars); // the first read warms the file cache
    read = std::min(read, readClasses(profile, chars));
    QElapsedTimer t;
    t.start();
    itemtools::ChangeMessageClass(ctx, QStringLiteral("Kunde"));
    const qint64 change = t.nsecsElapsed();
    qint64 changedChars = 0;
    readClasses(profile, changedChars);

    std::printf("items: %d\n", total);
    std::printf("read_ms: %.1f\n", read / 1e6);
    std::printf("msgclass_ms: %.1f\n", change / 1e6);
    std::printf("messages_shown: %lld\n", qint64(box.shown.size()));
    std::printf("classes_grew_by_chars: %lld\n", changedChars - chars / 2);
    std::printf("msgclass_over_read_ratio: %.2f\n", double(change) / double(read));
    return 0;
}
