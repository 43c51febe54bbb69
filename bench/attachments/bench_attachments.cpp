// Exports one 1 MB attachment from each of 1,000 mails and imports them back,
// each time side by side with a plain copy of the same bytes in the same
// process: the export against reading the attachments straight from the
// profile and writing them to files, the import against reading those files
// and writing the bytes into a database of the profile's kind (SQLite, WAL),
// one transaction each. The export makes each file durable before its item
// drops the attachment, which a plain copy does not; a second copy that
// writes its files the same way (files::createNewFile) shows what that
// costs. Dirty pages are flushed between the phases, so that none pays for
// another's writes. Prints the times, the ratios and the profile's size.
// Usage: bench_attachments [MAILS]
#include "SyntheticProfile.h"

#include "itemtools/AttachmentSaveFunctions.h"
#include "platform/files/Files.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/MailStore.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "shell/SettingNames.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <unistd.h>

using namespace kw;

namespace {

constexpr int kSize = 1024 * 1024;

class NoView : public RunView
{
public:
    void setStatus(const QString &) override {}
    void setProgressMaximum(int) override {}
    void setProgress(int) override {}
    void yield() override {}
};

mailstore::FolderPtr inbox(const QString &profile)
{
    return mailstore::Application::open(profile)->GetNamespace("MAPI")->GetDefaultFolder(
        mailstore::defaultfolder::Inbox);
}

// One attachment of kSize bytes in every mail of the inbox, each a little different.
void addAttachments(const QString &profile, const QString &scratch)
{
    QByteArray bytes(kSize, Qt::Uninitialized);
    QRandomGenerator rng(7);
    rng.fillRange(reinterpret_cast<quint32 *>(bytes.data()), kSize / 4);
    auto items = inbox(profile)->Items();
    for (int j = 1; j <= items->Count(); ++j) {
        bytes[0] = char(j);
        QFile f(scratch);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.close();
        auto item = items->Item(j);
        item->Attachments()->Add(scratch, 1, 0, QStringLiteral("Anhang.bin"));
        item->Save();
    }
}

// The large attachments' bytes, read with one query and written to new files.
qint64 copyOut(const QString &profile, const QString &folder, bool durable)
{
    QElapsedTimer t;
    t.start();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "out");
        db.setDatabaseName(profile);
        db.open();
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.exec(QStringLiteral("SELECT id, content FROM attachments WHERE size >= %1").arg(kSize));
        while (q.next()) {
            const QString path = folder + "/" + q.value(0).toString();
            if (durable) {
                files::createNewFile(path, q.value(1).toByteArray());
                continue;
            }
            QFile f(path);
            f.open(QIODevice::WriteOnly | QIODevice::NewOnly);
            f.write(q.value(1).toByteArray());
        }
    }
    QSqlDatabase::removeDatabase("out");
    return t.nsecsElapsed();
}

// Those files' bytes written into a database set up as a profile is, one transaction each.
qint64 copyIn(const QString &database, const QString &folder)
{
    QElapsedTimer t;
    t.start();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "in");
        db.setDatabaseName(database);
        db.open();
        QSqlQuery(db).exec("PRAGMA journal_mode=WAL");
        QSqlQuery(db).exec("PRAGMA synchronous=NORMAL");
        QSqlQuery(db).exec("CREATE TABLE scratch(id INTEGER PRIMARY KEY, content BLOB)");
        QSqlQuery insert(db);
        insert.prepare("INSERT INTO scratch(content) VALUES (?)");
        for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files)) {
            QFile f(file.filePath());
            f.open(QIODevice::ReadOnly);
            db.transaction();
            insert.bindValue(0, f.readAll());
            insert.exec();
            db.commit();
        }
    }
    QSqlDatabase::removeDatabase("in");
    return t.nsecsElapsed();
}

QByteArray inboxDigest(const QString &profile)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    auto items = inbox(profile)->Items();
    for (int j = 1; j <= items->Count(); ++j) {
        auto atts = items->Item(j)->Attachments();
        for (int i = 1; i <= atts->Count(); ++i) {
            hash.addData(atts->Item(i)->FileName().toUtf8());
            hash.addData(atts->Item(i)->content());
        }
    }
    return hash.result();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int mails = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
    QTemporaryDir dir;
    const QString profile = dir.filePath("bench.sqlite");
    const QString exportFolder = dir.filePath("export");
    const QString copyFolder = dir.filePath("copy");
    QDir().mkpath(exportFolder);
    QDir().mkpath(copyFolder);
    QDir().mkpath(dir.filePath("synced"));
    profilegen::Options o;
    o.mails = mails;
    o.seed = 42;
    mailstore::fixture::createProfile(profile, profilegen::generate(o));
    addAttachments(profile, dir.filePath("scratch.bin"));
    const QByteArray digest = inboxDigest(profile);
    const qint64 sizeBefore = QFileInfo(profile).size();

    ui::ScriptedMessageBox box;
    registry::Registry registry(dir.filePath("registry.reg"));
    Messages messages(box, dir.filePath("home"));
    Settings settings(registry, messages);
    settings.SaveSetting(setting::AttPath, exportFolder);
    settings.SaveSetting(setting::AttSize, QString::number(kSize / 1024));
    NoView view;
    const itemtools::RunContext ctx{{settings, messages, view, [](bool) {},
                                     [&](const QString &) {
                                         WorkingSet set;
                                         set.Folders = {nullptr, inbox(profile)};
                                         set.FolderCount = 1;
                                         set.ItemCount = set.Folders[1]->Items()->Count();
                                         set.OK = true;
                                         return set;
                                     }},
                                    [](const QString &) { return QString(); }};

    ::sync();
    const qint64 out = copyOut(profile, copyFolder, false);
    ::sync();
    const qint64 synced = copyOut(profile, dir.filePath("synced"), true);
    ::sync();
    QElapsedTimer t;
    t.start();
    itemtools::RunContext run = ctx;
    itemtools::SaveAttachments(run);
    const qint64 exportNs = t.nsecsElapsed();
    const QString exported = box.prompts().value(0);
    const qint64 sizeExported = QFileInfo(profile).size();

    ::sync();
    const qint64 in = copyIn(dir.filePath("copy.sqlite"), copyFolder);
    ::sync();
    t.restart();
    itemtools::ImportAttachments(run);
    const qint64 importNs = t.nsecsElapsed();
    const QString imported = box.prompts().value(1);

    std::printf("mails: %d\n", mails);
    std::printf("attachment_bytes: %d\n", kSize);
    std::printf("exported: %s\n", qPrintable(exported));
    std::printf("imported: %s\n", qPrintable(imported));
    std::printf("messages_shown: %lld\n", qint64(box.shown.size()));
    std::printf("copy_out_ms: %.1f\n", out / 1e6);
    std::printf("export_ms: %.1f\n", exportNs / 1e6);
    std::printf("export_over_copy_ratio: %.2f\n", double(exportNs) / double(out));
    std::printf("synced_copy_out_ms: %.1f\n", synced / 1e6);
    std::printf("export_over_synced_copy_ratio: %.2f\n", double(exportNs) / double(synced));
    std::printf("copy_in_ms: %.1f\n", in / 1e6);
    std::printf("import_ms: %.1f\n", importNs / 1e6);
    std::printf("import_over_copy_ratio: %.2f\n", double(importNs) / double(in));
    std::printf("profile_mb_before: %.1f\n", sizeBefore / 1048576.0);
    std::printf("profile_mb_after_export: %.1f\n", sizeExported / 1048576.0);
    std::printf("profile_mb_after_import: %.1f\n", QFileInfo(profile).size() / 1048576.0);
    std::printf("export_folder_files_left: %lld\n", qint64(QDir(exportFolder).entryList(QDir::Files).size()));
    std::printf("round_trip_same_bytes: %s\n", inboxDigest(profile) == digest ? "yes" : "no");
    return 0;
}
