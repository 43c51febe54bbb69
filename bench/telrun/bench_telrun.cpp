// The telephone run over a synthetic profile whose contacts have all 19
// telephone and fax fields filled (messy numbers, a fifth of the contacts
// already in the layout), against a bare read of the same contacts and fields
// through the object model, in one process. A second run over the result must
// change and save nothing. For scale, the store's own share: the same reads,
// backups, field writes and saves without formatting.
// Usage: bench_telrun [CONTACTS]
#include "../RunClock.h"
#include "NumberGenerator.h"
#include "SyntheticProfile.h"

#include "contacts/ContactRun.h"
#include "contacts/telephone/TelNrStandard.h"
#include "contacts/telephone/TelRun.h"
#include "contacts/undo/UndoFunctions.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/mailstore/SaveGroup.h"
#include "platform/refdb/Database.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using namespace kw;
using namespace kw::contacts;
using namespace kw::contacts::telephone;
using namespace kw::contacts::undo;

struct Bench
{
    QTemporaryDir dir;
    registry::Registry registry{dir.filePath(QStringLiteral("registry.reg"))};
    ui::ScriptedMessageBox box;
    Messages messages{box, dir.path()};
    Settings settings{registry, messages};
    refdb::Database database{dir.filePath(QStringLiteral("KontorwerkPub.db"))};
    QString profile = dir.filePath(QStringLiteral("bench.sqlite"));
};

// Every contact gets all 19 numbers; every fifth contact gets them as the
// run would write them, so the run leaves it alone.
void fillNumbers(Bench &b, QJsonObject &fixture, int contacts)
{
    const QStringList &fields = UndoFunctions::telephoneFields();
    const QStringList numbers = bench::messyNumbers(contacts * int(fields.size()), 42);
    QJsonArray stores = fixture["stores"].toArray();
    QJsonObject store = stores[0].toObject();
    QJsonArray folders = store["folders"].toArray();
    for (int f = 0; f < folders.size(); ++f) {
        QJsonObject folder = folders[f].toObject();
        if (folder["defaultFolder"].toInt() != mailstore::defaultfolder::Contacts)
            continue;
        QJsonArray items = folder["items"].toArray();
        int k = 0;
        for (int i = 0; i < items.size(); ++i) {
            QJsonObject item = items[i].toObject();
            QJsonObject values = item["fields"].toObject();
            for (const QString &field : fields) {
                QString number = numbers[k++];
                bool changed = false;
                if (i % 5 == 0)
                    number = TelNrStandard::FormatTelNumber(number, changed, b.settings, b.messages, b.database);
                values[field] = number;
            }
            item["fields"] = values;
            items[i] = item;
        }
        folder["items"] = items;
        folders[f] = folder;
    }
    store["folders"] = folders;
    stores[0] = store;
    fixture["stores"] = stores;
}

mailstore::FolderPtr contactFolder(const mailstore::ApplicationPtr &app)
{
    return app->GetNamespace(QStringLiteral("MAPI"))->GetDefaultFolder(mailstore::defaultfolder::Contacts);
}

bench::Elapsed bareRead(const QString &profile, qint64 &chars)
{
    const bench::RunClock clock;
    const mailstore::ItemsPtr items = contactFolder(mailstore::Application::open(profile))->Items();
    const int n = items->Count();
    for (int j = 1; j <= n; ++j) {
        const mailstore::ItemPtr item = items->Item(j);
        if (item->Class() != mailstore::itemclass::Contact)
            continue;
        for (const QString &field : UndoFunctions::telephoneFields())
            chars += item->text(field).size();
    }
    return clock.elapsed();
}

qint64 rowChanges(const mailstore::ApplicationPtr &app)
{
    QSqlQuery q(app->db()->connection());
    q.exec(QStringLiteral("SELECT total_changes()"));
    return q.next() ? q.value(0).toLongLong() : -1;
}

struct RunResult
{
    bench::Elapsed time;
    int saved = 0;     // contacts the run changed, one Save each
    qint64 rows = 0;   // rows the store's connection wrote meanwhile
};

RunResult telRun(Bench &b)
{
    const mailstore::ApplicationPtr app = mailstore::Application::open(b.profile);
    StatusBarView view(nullptr, nullptr); // yields as in the program
    contacts::ContactRunContext ctx{{b.settings, b.messages, view, [](bool) {},
                                     [&app](const QString &) {
                                         const mailstore::FolderPtr folder = contactFolder(app);
                                         return WorkingSet{{nullptr, folder}, 1, 1, folder->Items()->Count(), true};
                                     }},
                                    b.database};
    const qint64 rowsBefore = rowChanges(app);
    const bench::RunClock clock;
    RunResult r;
    r.saved = TelNrStandard::StandardizeContactTelNumbers(ctx);
    r.time = clock.elapsed();
    r.rows = rowChanges(app) - rowsBefore;
    return r;
}

// What the store alone costs such a run: the same contacts read, the same 19
// backups, every field rewritten to a text of about the new length and a save
// per contact, without formatting; on a copy of the profile as the run found it.
bench::Elapsed storeFloor(Bench &b, const QString &profile)
{
    const mailstore::ApplicationPtr app = mailstore::Application::open(profile);
    const mailstore::FolderPtr folder = contactFolder(app);
    const mailstore::ItemsPtr items = folder->Items();
    const int n = items->Count();
    const bench::RunClock clock;
    mailstore::SaveGroup group(folder->db());
    for (int j = 1; j <= n; ++j) {
        const mailstore::ItemPtr item = items->Item(j);
        if (item->Class() != mailstore::itemclass::Contact || (j - 1) % 5 == 0)
            continue; // every fifth is already in the layout: the run leaves it alone
        for (const QString &field : UndoFunctions::telephoneFields()) {
            UndoFunctions::WriteBackup(item, field, b.messages);
            item->set(field, QStringLiteral("+49 ") + item->text(field));
        }
        item->Save();
        group.saved();
    }
    group.commit();
    return clock.elapsed();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int contacts = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50000;
    Bench b;
    if (!QFile::copy(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db"), b.database.path())) {
        std::fprintf(stderr, "bench_telrun: %s/KontorwerkPub.db missing\n", KW_DATA_DIR);
        return 0;
    }
    b.settings.InitDefaultSettings();
    profilegen::Options o;
    o.contacts = contacts;
    o.seed = 42;
    QJsonObject fixture = profilegen::generate(o);
    fillNumbers(b, fixture, contacts);
    mailstore::fixture::createProfile(b.profile, fixture);
    const QString floorProfile = b.dir.filePath(QStringLiteral("floor.sqlite"));
    QFile::copy(b.profile, floorProfile);

    qint64 chars = 0;
    bench::Elapsed read = bareRead(b.profile, chars); // the first read warms the file cache
    read = bench::Elapsed::fastest(read, bareRead(b.profile, chars));
    const RunResult first = telRun(b);
    read = bench::Elapsed::fastest(read, bareRead(b.profile, chars));
    const RunResult second = telRun(b);
    const bench::Elapsed floor = storeFloor(b, floorProfile);

    std::printf("contacts: %d\n", contacts);
    std::printf("bare_read_ms: %.1f\n", read.wallNs / 1e6);
    std::printf("telrun_ms: %.1f\n", first.time.wallNs / 1e6);
    std::printf("telrun_over_read_ratio: %.2f\n", double(first.time.wallNs) / double(read.wallNs));
    std::printf("telrun_over_read_cpu_ratio: %.2f\n", double(first.time.cpuNs) / double(read.cpuNs));
    std::printf("contacts_per_second: %.0f\n", contacts / (first.time.wallNs / 1e9));
    std::printf("first_run_saves: %d\n", first.saved);
    std::printf("second_run_ms: %.1f\n", second.time.wallNs / 1e6);
    std::printf("second_run_over_read_ratio: %.2f\n", double(second.time.wallNs) / double(read.wallNs));
    std::printf("second_run_saves: %d\n", second.saved);
    std::printf("second_run_rows_written: %lld\n", second.rows);
    std::printf("store_floor_ms: %.1f\n", floor.wallNs / 1e6);
    std::printf("store_floor_over_read_ratio: %.2f\n", double(floor.wallNs) / double(read.wallNs));
    std::printf("store_floor_over_read_cpu_ratio: %.2f\n", double(floor.cpuNs) / double(read.cpuNs));
    std::printf("messages_shown: %lld\n", qint64(b.box.shown.size()));
    return 0;
}
