// Runs the name correction over a profile of 50,000 contacts with messy full
// names and compares it with a bare read of the same contacts and their nine
// name fields through the object model, in one process. A second run must
// find nothing left to change. For scale, the store's own share: the same
// reads, nine backups, the same field writes and a save each, without parsing.
// Prints "key: value" lines. Usage: bench_namerun [CONTACTS]
#include "../RunClock.h"
#include "SyntheticProfile.h"

#include "contacts/names/CorrectContactNames.h"
#include "contacts/names/ContactNameRules.h"
#include "contacts/names/NameWordDatabase.h"
#include "contacts/undo/UndoFunctions.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/SaveGroup.h"
#include "platform/refdb/Database.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "shell/GlobalFunctions.h"
#include "shell/MailProfile.h"
#include "shell/RegistryFunctions.h"
#include "shell/RunView.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using namespace kw;
using namespace kw::contacts::names;
using namespace kw::contacts::undo;

namespace {

mailstore::FolderPtr contactsFolder(MailProfile &profile)
{
    return profile.mapiNamespace()->GetDefaultFolder(mailstore::defaultfolder::Contacts);
}

// The run's reading without its work: each item and its nine name fields.
bench::Elapsed bareRead(MailProfile &profile, qint64 &chars)
{
    const bench::RunClock clock;
    const mailstore::ItemsPtr items = contactsFolder(profile)->Items();
    const int n = items->Count();
    for (int j = 1; j <= n; ++j) {
        const mailstore::ItemPtr item = items->Item(j);
        if (item->Class() != mailstore::itemclass::Contact)
            continue;
        for (const QString &field : ContactNameFields::names())
            chars += item->text(field).size();
    }
    return clock.elapsed();
}

// The nine name fields of every item, in item order (none for other items).
QList<QStringList> nameFields(MailProfile &profile)
{
    QList<QStringList> out;
    const mailstore::ItemsPtr items = contactsFolder(profile)->Items();
    for (int j = 1; j <= items->Count(); ++j) {
        const mailstore::ItemPtr item = items->Item(j);
        QStringList values;
        if (item->Class() == mailstore::itemclass::Contact) {
            for (const QString &field : ContactNameFields::names())
                values << item->text(field);
        }
        out << values;
    }
    return out;
}

// What the store alone costs the run: on a copy of the profile as the run
// found it, the same reads, the nine backups, the fields set to what the run
// wrote and a save per contact, without parsing.
bench::Elapsed storeFloor(const QString &copy, const QList<QStringList> &written, Messages &messages)
{
    MailProfile profile(copy);
    const mailstore::FolderPtr folder = contactsFolder(profile);
    const mailstore::ItemsPtr items = folder->Items();
    const int n = items->Count();
    const QStringList &names = ContactNameFields::names();
    const bench::RunClock clock;
    mailstore::SaveGroup group(folder->db());
    for (int j = 1; j <= n; ++j) {
        const mailstore::ItemPtr item = items->Item(j);
        if (item->Class() == mailstore::itemclass::Contact) {
            for (const QString &field : names)
                UndoFunctions::WriteBackup(item, field, messages);
            item->set(u"FullName", QString());
            for (int k = 1; k < names.size(); ++k)
                item->set(names[k], written[j - 1][k]);
            item->Save();
            group.saved();
        }
    }
    group.commit();
    return clock.elapsed();
}

struct Run
{
    bench::Elapsed time;
    int saves = 0;
};

Run nameRun(MailProfile &profile, Settings &settings, Messages &messages, NameWordSource &words)
{
    StatusBarView view(nullptr, nullptr); // yields as in the program
    NameRunContext ctx{{settings, messages, view, [](bool) {},
                        [&profile](const QString &) {
                            WorkingSet set;
                            set.Folders = {nullptr, contactsFolder(profile)};
                            set.FolderCount = 1;
                            set.OK = true;
                            return set;
                        }},
                       words};
    const bench::RunClock clock;
    Run run;
    run.saves = CorrectContactNames(ctx);
    run.time = clock.elapsed();
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int contacts = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50000;
    QTemporaryDir dir;
    const QString profilePath = dir.filePath("bench.sqlite");
    profilegen::Options o;
    o.contacts = contacts;
    o.messyNames = true;
    o.seed = 42;
    mailstore::fixture::createProfile(profilePath, profilegen::generate(o));
    const QString floorPath = dir.filePath("floor.sqlite");
    QFile::copy(profilePath, floorPath);

    ui::ScriptedMessageBox box;
    Messages messages(box, dir.filePath("home"));
    registry::Registry registry(dir.filePath("registry.reg"));
    Settings settings(registry, messages);
    settings.InitDefaultSettings();
    refdb::Database database(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db"));
    NameWordDatabase words(database);
    MailProfile profile(profilePath);

    qint64 chars = 0;
    bench::Elapsed read = bareRead(profile, chars); // the first read warms the file cache
    read = bench::Elapsed::fastest(read, bareRead(profile, chars));
    const Run first = nameRun(profile, settings, messages, words);
    const Run second = nameRun(profile, settings, messages, words);
    const bench::Elapsed floor = storeFloor(floorPath, nameFields(profile), messages);

    std::printf("contacts: %d\n", contacts);
    std::printf("read_ms: %.1f\n", read.wallNs / 1e6);
    std::printf("namerun_ms: %.1f\n", first.time.wallNs / 1e6);
    std::printf("second_run_ms: %.1f\n", second.time.wallNs / 1e6);
    std::printf("store_floor_ms: %.1f\n", floor.wallNs / 1e6);
    std::printf("namerun_over_read_ratio: %.2f\n", double(first.time.wallNs) / double(read.wallNs));
    std::printf("namerun_over_read_cpu_ratio: %.2f\n", double(first.time.cpuNs) / double(read.cpuNs));
    std::printf("store_floor_over_read_ratio: %.2f\n", double(floor.wallNs) / double(read.wallNs));
    std::printf("store_floor_over_read_cpu_ratio: %.2f\n", double(floor.cpuNs) / double(read.cpuNs));
    std::printf("second_run_over_read_ratio: %.2f\n", double(second.time.wallNs) / double(read.wallNs));
    std::printf("contacts_per_second: %.0f\n", contacts / (first.time.wallNs / 1e9));
    std::printf("first_run_saves: %d\n", first.saves);
    std::printf("second_run_saves: %d\n", second.saves);
    std::printf("errors_shown: %lld\n", qint64(box.shown.size()) - 2);
    return 0;
}
