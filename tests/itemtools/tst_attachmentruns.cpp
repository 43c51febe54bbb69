// The attachment export, import and move, run end to end on fixture profiles.
#include "ItemRunWorld.h"
#include "itemtools/AttachmentSaveFunctions.h"
#include "platform/mailstore/Attachments.h"
#include "support/Prompts.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <csignal>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kw;
using namespace kw::itemtools;
using test::att;
using test::bytes;
using test::item;

class TestAttachmentRuns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exportSelects_data();
    void exportSelects();
    void refusesToStart_data();
    void refusesToStart();
    void namesOrderAndRoundTrip();
    void failingSaveLosesNothing_data();
    void failingSaveLosesNothing();
    void moves_data();
    void moves();
    void twoLinksToOneFile_data();
    void twoLinksToOneFile();
    void importTakesOnlyRegularFiles_data();
    void importTakesOnlyRegularFiles();
    void exportRemovesItsStaleTemporaries_data();
    void exportRemovesItsStaleTemporaries();
    void killedExportLosesNothing();
    void profileShrinks_data();
    void profileShrinks();
    void cleanFileName_data();
    void cleanFileName();
};

namespace {

QJsonArray inbox(const QJsonArray &items)
{
    return {test::folder("Posteingang", "IPM.Note", items)};
}

const QJsonArray kTwoAttachments = inbox({item(43, "IPM.Note", "Eins", {att("A.txt", bytes(10, 'a')),
                                                                      att("B.txt", bytes(20, 'b'))})});

// Each attachment of the item as name, size and bytes, links read through their files.
QStringList contents(test::World &w, const QString &folder, int j)
{
    QStringList out;
    const auto atts = w.itemAt(folder, j)->Attachments();
    for (int i = 1; i <= atts->Count(); ++i) {
        const auto a = atts->Item(i);
        const QByteArray data = a->Type() == 4 ? test::readFile(a->PathName()) : a->content();
        out << QStringLiteral("%1 %2 %3").arg(a->Type() == 4 ? a->DisplayName() : a->FileName())
                   .arg(data.size()).arg(QString::fromLatin1(data.toBase64()));
    }
    out.sort();
    return out;
}

} // namespace

void TestAttachmentRuns::exportSelects_data()
{
    QTest::addColumn<QString>("attSize");
    QTest::addColumn<int>("itemClass");
    QTest::addColumn<QJsonObject>("attachment");
    QTest::addColumn<bool>("exported");
    const QJsonObject hidden{{"hidden", true}};
    const QJsonObject shown{{"hidden", false}};
    QTest::newRow("exactly the threshold") << "1" << 43 << att("a.txt", bytes(1024)) << true;
    QTest::newRow("one byte below") << "1" << 43 << att("a.txt", bytes(1023)) << false;
    QTest::newRow("zero takes an empty one") << "0" << 43 << att("a.txt", {}) << true;
    QTest::newRow("no size given is zero") << "" << 43 << att("a.txt", {}) << true;
    QTest::newRow("hidden") << "0" << 43 << att("a.txt", bytes(10), hidden) << false;
    QTest::newRow("hidden flag cleared") << "0" << 43 << att("a.txt", bytes(10), shown) << true;
    QTest::newRow("link") << "0" << 43 << test::link("a.txt", "/tmp/a.txt") << false;
    QTest::newRow("post") << "0" << 45 << att("a.txt", bytes(10)) << true;
    QTest::newRow("appointment in a mail folder") << "0" << 26 << att("a.txt", bytes(10)) << false;
}

void TestAttachmentRuns::exportSelects()
{
    QFETCH(QString, attSize);
    QFETCH(int, itemClass);
    QFETCH(QJsonObject, attachment);
    QFETCH(bool, exported);
    test::World w(inbox({item(itemClass, "IPM.Note", "Eins", {attachment}), item(43, "IPM.Note", "Zwei")}));
    w.env.settings.SaveSetting("AttSize", attSize);
    RunContext ctx = w.context();
    SaveAttachments(ctx);
    const QString name = w.attachments("Posteingang", 1).value(0);
    QCOMPARE(name.contains("->a.txt"), exported);
    QCOMPARE(w.exportedFiles().size(), exported ? 1 : 0);
    QCOMPARE(w.env.box.prompts(), QStringList{QStringLiteral("%1 Anlagen gespeichert.").arg(exported ? 1 : 0)});
    QCOMPARE(w.calls, (QStringList{"OnlyMail", "Begin", "End"}));
    QCOMPARE(w.view.statuses.value(0), "Exportiere Anlagen...");
    QCOMPARE(w.view.progress, 2);
    QCOMPARE(w.view.yields, itemClass == 26 ? 1 : 2); // only mail and post items are opened
}

void TestAttachmentRuns::refusesToStart_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("no export folder") << "AttPath" << "" << "Kein Dateiordner gewählt.";
    QTest::newRow("export folder missing") << "AttPath" << "/nicht/da" << "Pfad nicht gefunden: /nicht/da/";
    QTest::newRow("size in letters") << "AttSize" << "zehn" << "\"zehn\"";
    QTest::newRow("negative size") << "AttSize" << "-1" << "\"-1\"";
    QTest::newRow("size past 32 bits") << "AttSize" << "2097152" << "\"2097152\"";
    QTest::newRow("digits split by a blank") << "AttSize" << "1 0" << "\"1 0\"";
}

void TestAttachmentRuns::refusesToStart()
{
    QFETCH(QString, setting);
    QFETCH(QString, value);
    QFETCH(QString, prompt);
    test::World w(inbox({item(43, "IPM.Note", "Eins", {att("a.txt", bytes(10))})}));
    w.env.settings.SaveSetting(setting, value);
    RunContext ctx = w.context();
    SaveAttachments(ctx);
    QVERIFY2(lastPrompt(w.env).contains(prompt), qPrintable(lastPrompt(w.env)));
    QCOMPARE(w.calls, QStringList());
    QCOMPARE(w.attachments("Posteingang", 1), QStringList{"a.txt=10"});
}

// Same names within a mail and across mails, a name taken in the folder
// already, a name of forbidden characters, a small attachment that stays;
// then a second export that finds nothing, and the import that gives back
// exactly what was there.
void TestAttachmentRuns::namesOrderAndRoundTrip()
{
    test::World w(inbox({item(43, "IPM.Note", "Eins",
                              {att("A.txt", bytes(1024, 'a')), att("klein.txt", bytes(10)),
                               att("B.txt", bytes(2000, 'b')), att("A.txt", bytes(1500, 'c'))}),
                         item(45, "IPM.Post", "Zwei", {att("A.txt", bytes(1024, 'd')), att("<|>", bytes(1024))})}));
    w.env.settings.SaveSetting("AttSize", "1");
    QVERIFY(QFile::copy(QFINDTESTDATA("tst_attachmentruns.cpp"), w.file("A.txt")));
    const QStringList before[] = {contents(w, "Posteingang", 1), contents(w, "Posteingang", 2)};
    RunContext ctx = w.context();
    SaveAttachments(ctx);

    QCOMPARE(w.attachments("Posteingang", 1),
             (QStringList{"klein.txt=10", "A.txt->A(1).txt", "B.txt->B.txt", "A.txt->A(2).txt"}));
    QCOMPARE(w.attachments("Posteingang", 2), (QStringList{"<|>->ohneName", "A.txt->A(3).txt"}));
    QCOMPARE(contents(w, "Posteingang", 1), before[0]);
    QCOMPARE(contents(w, "Posteingang", 2), before[1]);
    QCOMPARE(lastPrompt(w.env), "5 Anlagen gespeichert.");
    SaveAttachments(ctx);
    QCOMPARE(lastPrompt(w.env), "0 Anlagen gespeichert.");

    // A link to a file the user keeps elsewhere comes in too, and the file stays;
    // a link whose file is gone stays and is reported.
    QTemporaryDir elsewhere;
    QVERIFY(QFile::copy(w.file("B.txt"), elsewhere.filePath("B.txt")));
    {
        auto mail = w.itemAt("Posteingang", 2);
        mail->Attachments()->Add(elsewhere.filePath("B.txt"), 4, 0, "Kopie.txt");
        mail->Attachments()->Add(w.file("weg.txt"), 4, 0, "weg.txt");
        mail->Save();
    }
    ImportAttachments(ctx);
    QCOMPARE(w.env.box.prompts().mid(2), (QStringList{
        "6 Anlagen importiert.",
        "1 Anlagen konnten nicht importiert werden, weil das verknüpfte Element nicht gefunden wurde."}));
    QCOMPARE(contents(w, "Posteingang", 1), before[0]);
    QCOMPARE(contents(w, "Posteingang", 2).size(), 4);
    QVERIFY(w.attachments("Posteingang", 2).contains("Kopie.txt=2000"));
    QVERIFY(w.attachments("Posteingang", 2).contains("weg.txt->weg.txt"));
    QCOMPARE(w.exportedFiles(), QStringList{"A.txt"}); // the user's own file
    QVERIFY(QFile::exists(elsewhere.filePath("B.txt")));
}

void TestAttachmentRuns::failingSaveLosesNothing_data()
{
    QTest::addColumn<QString>("run");
    QTest::newRow("export") << "SaveAttachments";
    QTest::newRow("import") << "ImportAttachments";
    QTest::newRow("move") << "MoveAttachments";
}

// The item's save fails for the attachment handled first; the other one is
// handled, and every file on disk is one a link points to.
void TestAttachmentRuns::failingSaveLosesNothing()
{
    QFETCH(QString, run);
    const std::map<QString, void (*)(RunContext &)> runs{{"SaveAttachments", SaveAttachments},
                                                         {"ImportAttachments", ImportAttachments},
                                                         {"MoveAttachments", MoveAttachments}};
    test::World w(kTwoAttachments);
    QTemporaryDir target;
    w.picks << target.path();
    RunContext ctx = w.context();
    if (run != "SaveAttachments")
        SaveAttachments(ctx);
    const QStringList before = contents(w, "Posteingang", 1);
    const QStringList attachmentsBefore = w.attachments("Posteingang", 1);
    mailstore::faults::failSave(w.itemAt("Posteingang", 1)->EntryID(), 1);
    runs.at(run)(ctx);

    const QStringList after = w.attachments("Posteingang", 1);
    QCOMPARE(after.first(), attachmentsBefore.last()); // the failed one stays as it was
    QCOMPARE(contents(w, "Posteingang", 1), before);
    QCOMPARE(lastPrompt(w.env), "Bei 1 Anlagen ist ein Fehler aufgetreten. Einzelheiten stehen im Fehlerprotokoll.");
    QVERIFY(w.env.errorLog().contains("Sub: " + run));
    QStringList linked = after.filter("->").replaceInStrings(QRegularExpression(".*->(.*/)?"), "");
    QCOMPARE(w.exportedFiles() + QDir(target.path()).entryList(QDir::Files | QDir::Hidden), linked);
    QCOMPARE(w.calls.last(), "End");
}

void TestAttachmentRuns::moves_data()
{
    QTest::addColumn<QString>("target"); // "" for a folder of its own
    QTest::addColumn<bool>("crossDevice");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<int>("total");
    const QStringList moved{"A.txt->%1/A.txt", "B.txt->%1/B(1).txt"};
    QTest::newRow("other folder") << "" << false << moved << 2;
    QTest::newRow("across file systems") << "" << true << moved << 2;
    QTest::newRow("to a second file system") << "/dev/shm" << false << moved << 2;
    QTest::newRow("to where the files are") << "export" << false << QStringList{"B.txt->B.txt", "A.txt->A.txt"} << 0;
    QTest::newRow("through a symbolic link to where the files are")
        << "link to export" << false << QStringList{"B.txt->B.txt", "A.txt->A.txt"} << 0;
}

void TestAttachmentRuns::moves()
{
    QFETCH(QString, target);
    QFETCH(bool, crossDevice);
    QFETCH(QStringList, links);
    QFETCH(int, total);
    test::World w(kTwoAttachments);
    struct stat here, shm;
    if (target == "/dev/shm" && (::stat("/dev/shm", &shm) != 0 || ::stat(qPrintable(w.exportFolder()), &here) != 0
                                 || here.st_dev == shm.st_dev))
        QSKIP("no second file system at /dev/shm");
    QTemporaryDir to(target == "/dev/shm" ? "/dev/shm/kw-move-XXXXXX" : QDir::tempPath() + "/kw-move-XXXXXX");
    QString dest = target == "export" ? w.exportFolder() : to.path();
    if (target == "link to export") {
        dest = to.filePath("Export");
        QVERIFY(QFile::link(w.exportFolder(), dest));
    }
    QVERIFY(QFile::copy(QFINDTESTDATA("tst_attachmentruns.cpp"), to.filePath("B.txt")));
    RunContext ctx = w.context();
    SaveAttachments(ctx);
    const QStringList before = contents(w, "Posteingang", 1);
    files::faults::simulateCrossDevice(crossDevice);
    w.picks << dest;
    MoveAttachments(ctx);

    const QString rel = QDir(w.exportFolder()).relativeFilePath(to.path());
    QCOMPARE(w.attachments("Posteingang", 1), links.replaceInStrings("%1", rel));
    QCOMPARE(contents(w, "Posteingang", 1), before);
    QCOMPARE(w.exportedFiles().size(), 2 - total);
    QCOMPARE(lastPrompt(w.env), QStringLiteral("%1 Anlagen verschoben.").arg(total));
    QCOMPARE(w.env.box.shown.last().buttons, 64);
}

namespace {

const QString kKeptForOthers = QStringLiteral(" 1 Dateien blieben erhalten, weil noch andere Anlagen darauf verweisen.");

// Links by hand, as a mail copied with its link has them.
void addLink(test::World &w, const QString &folder, int j, const QString &path)
{
    auto mail = w.itemAt(folder, j);
    mail->Attachments()->Add(path, 4, 0, QFileInfo(path).fileName());
    mail->Save();
}

} // namespace

void TestAttachmentRuns::twoLinksToOneFile_data()
{
    QTest::addColumn<QString>("run");
    QTest::addColumn<QString>("second"); // the folder of the second link
    QTest::newRow("import, both links in the ticked folder") << "import" << "Posteingang";
    QTest::newRow("import, second link in a folder not ticked") << "import" << "Archiv";
    QTest::newRow("move, both links in the ticked folder") << "move" << "Posteingang";
    QTest::newRow("move, second link in a folder not ticked") << "move" << "Archiv";
}

// Every link ends with the file's content, and a file goes only with its last link.
void TestAttachmentRuns::twoLinksToOneFile()
{
    QFETCH(QString, run);
    QFETCH(QString, second);
    test::World w({test::folder("Posteingang", "IPM.Note", {item(43, "IPM.Note", "Eins"), item(43, "IPM.Note", "Zwei")}),
                   test::folder("Archiv", "IPM.Note", {item(43, "IPM.Note", "Drei")})});
    QFile file(w.file("F.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Inhalt") == 6);
    file.close();
    addLink(w, "Posteingang", 1, w.file("F.txt"));
    addLink(w, second, second == "Archiv" ? 1 : 2, w.file("F.txt"));
    QTemporaryDir target;
    w.picks << target.path();
    RunContext ctx = w.context();
    run == "import" ? ImportAttachments(ctx) : MoveAttachments(ctx);

    const bool keep = second == "Archiv";
    const QString moved = "F.txt->" + QDir(w.exportFolder()).relativeFilePath(target.filePath("F.txt"));
    const QString after = run == "import" ? "F.txt=6" : moved;
    QCOMPARE(w.attachments("Posteingang", 1), QStringList{after});
    QCOMPARE(w.attachments("Posteingang", 2), keep ? QStringList() : QStringList{after});
    QCOMPARE(w.attachments("Archiv", 1), keep ? QStringList{"F.txt->F.txt"} : QStringList());
    QCOMPARE(w.exportedFiles(), keep ? QStringList{"F.txt"} : QStringList());
    QCOMPARE(test::readFile(w.file("F.txt")), keep ? QByteArray("Inhalt") : QByteArray("<fehlt>"));
    if (run == "move")
        QCOMPARE(test::readFile(target.filePath("F.txt")), QByteArray("Inhalt"));
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden).size(), run == "move" ? 1 : 0);
    const QString verb = run == "import" ? "importiert" : "verschoben";
    QCOMPARE(w.env.box.prompts(), QStringList{QStringLiteral("%1 Anlagen %2.").arg(keep ? 1 : 2).arg(verb)
                                              + (keep ? kKeptForOthers : QString())});
    QCOMPARE(w.env.errorLog(), QString());
}

void TestAttachmentRuns::importTakesOnlyRegularFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // in the error log; "" when imported
    QTest::newRow("named pipe") << "fifo" << "Keine gewöhnliche Datei";
    QTest::newRow("device") << "/dev/zero" << "Keine gewöhnliche Datei";
    QTest::newRow("symbolic link to a device") << "link to /dev/zero" << "Keine gewöhnliche Datei";
    QTest::newRow("sparse file past the store's limit") << "too large" << "Die Datei ist größer als";
    QTest::newRow("symbolic link to a regular file") << "link to a file" << "";
}

// The other link of the mail comes in whatever happens to this one; the run
// neither hangs on a pipe nor reads a device without end.
void TestAttachmentRuns::importTakesOnlyRegularFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    test::World w(inbox({item(43, "IPM.Note", "Eins")}));
    QTemporaryDir elsewhere;
    QFile good(w.file("gut.txt"));
    QVERIFY(good.open(QIODevice::WriteOnly) && good.write("gut") == 3);
    good.close();
    QString path = elsewhere.filePath("x");
    if (kind == "fifo")
        QCOMPARE(::mkfifo(qPrintable(path), 0600), 0);
    else if (kind == "/dev/zero")
        path = "/dev/zero";
    else if (kind == "link to /dev/zero")
        QVERIFY(QFile::link("/dev/zero", path));
    else if (kind == "link to a file")
        QVERIFY(QFile::copy(w.file("gut.txt"), elsewhere.filePath("y")) && QFile::link(elsewhere.filePath("y"), path));
    else {
        QFile sparse(path);
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(mailstore::kMaxAttachmentBytes + 1));
    }
    addLink(w, "Posteingang", 1, w.file("gut.txt"));
    addLink(w, "Posteingang", 1, path);
    RunContext ctx = w.context();
    ImportAttachments(ctx);

    const bool imported = reason.isEmpty();
    const QString name = QFileInfo(path).fileName();
    QCOMPARE(w.attachments("Posteingang", 1),
             imported ? (QStringList{"x=3", "gut.txt=3"})
                      : (QStringList{"x->" + QDir(w.exportFolder()).relativeFilePath(path), "gut.txt=3"})
                            .replaceInStrings(QRegularExpression("^x"), name));
    QStringList prompts{QStringLiteral("%1 Anlagen importiert.").arg(imported ? 2 : 1)};
    if (!imported)
        prompts << "Bei 1 Anlagen ist ein Fehler aufgetreten. Einzelheiten stehen im Fehlerprotokoll.";
    QCOMPARE(w.env.box.prompts(), prompts);
    QVERIFY2(imported ? w.env.errorLog().isEmpty() : w.env.errorLog().contains(reason),
             qPrintable(w.env.errorLog()));
    QVERIFY(QFileInfo(path).exists() || kind == "fifo"); // nothing outside the export folder is deleted
    QCOMPARE(w.exportedFiles(), QStringList());
}

void TestAttachmentRuns::exportRemovesItsStaleTemporaries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind"); // file, folder or link
    QTest::addColumn<bool>("removed");
    QTest::newRow("left by a killed run") << ".kw-0123456789abcdef.part" << "file" << true;
    QTest::newRow("short number") << ".kw-1f.part" << "file" << true;
    QTest::newRow("the user's file") << "Bericht.pdf" << "file" << false;
    QTest::newRow("not hidden") << "kw-1f.part" << "file" << false;
    QTest::newRow("more after the suffix") << ".kw-1f.part.bak" << "file" << false;
    QTest::newRow("no hex number") << ".kw-notes.part" << "file" << false;
    QTest::newRow("other suffix") << ".kw-1f.txt" << "file" << false;
    QTest::newRow("a folder of that name") << ".kw-2f.part" << "folder" << false;
    QTest::newRow("a symbolic link of that name") << ".kw-3f.part" << "link" << false;
}

void TestAttachmentRuns::exportRemovesItsStaleTemporaries()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, removed);
    test::World w(inbox({item(43, "IPM.Note", "Eins", {att("a.txt", bytes(10))})}));
    QTemporaryDir elsewhere;
    const QString path = w.file(name);
    if (kind == "folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == "link") {
        QVERIFY(QFile::copy(QFINDTESTDATA("tst_attachmentruns.cpp"), elsewhere.filePath("ziel")));
        QVERIFY(QFile::link(elsewhere.filePath("ziel"), path));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("halb") == 4);
    }
    RunContext ctx = w.context();
    SaveAttachments(ctx);
    QCOMPARE(QFileInfo::exists(path) || QFileInfo(path).isSymLink(), !removed);
    QCOMPARE(w.attachments("Posteingang", 1), QStringList{"a.txt->a.txt"});
    QCOMPARE(lastPrompt(w.env), "1 Anlagen gespeichert.");
    if (kind == "link")
        QVERIFY(QFile::exists(elsewhere.filePath("ziel")));
}

// The export in a child process killed at some point: each attachment is in
// its item or in a file its link points to, whatever the point was.
void TestAttachmentRuns::killedExportLosesNothing()
{
    QJsonArray mails;
    for (int i = 0; i < 150; ++i)
        mails.append(item(43, "IPM.Note", QString::number(i), {att("a.bin", bytes(64 * 1024, char('a' + i % 26)))}));
    for (int delayMs : {40, 150, 400}) {
        test::World w(inbox(mails));
        QList<QStringList> before;
        for (int j = 1; j <= 150; ++j)
            before << contents(w, "Posteingang", j);
        const pid_t child = ::fork();
        if (child == 0) {
            RunContext ctx = w.context();
            SaveAttachments(ctx);
            ::_exit(0);
        }
        QTest::qSleep(delayMs);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        for (int j = 1; j <= 150; ++j)
            QCOMPARE(contents(w, "Posteingang", j), before[j - 1]);
        // The next export finishes the work and leaves no temporary of the killed one.
        RunContext ctx = w.context();
        SaveAttachments(ctx);
        QCOMPARE(w.exportedFiles().filter(QRegularExpression("^\\.kw-.*\\.part$")), QStringList());
        QCOMPARE(contents(w, "Posteingang", 150), before[149]);
    }
}

void TestAttachmentRuns::profileShrinks_data()
{
    QTest::addColumn<bool>("olderProfile");
    QTest::addColumn<int>("keptBytes"); // a hidden attachment beside each exported one
    QTest::newRow("mostly exported") << false << 0;
    QTest::newRow("partly exported") << false << 1024 * 1024;
    QTest::newRow("profile without incremental vacuum") << true << 1024 * 1024;
}

void TestAttachmentRuns::profileShrinks()
{
    QFETCH(bool, olderProfile);
    QFETCH(int, keptBytes);
    constexpr int kExported = 256 * 1024;
    QJsonArray mails;
    for (int i = 0; i < 8; ++i)
        mails.append(item(43, "IPM.Note", "Groß", {att("h.bin", bytes(keptBytes, 'h'), {{"hidden", true}}),
                                                  att("g.bin", bytes(kExported, char('a' + i)))}));
    test::World w(inbox(mails));
    if (olderProfile) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "older");
        db.setDatabaseName(w.env.profileFile());
        QVERIFY(db.open());
        QSqlQuery(db).exec("PRAGMA auto_vacuum=NONE");
        QVERIFY(QSqlQuery(db).exec("VACUUM"));
        db.close();
    }
    QSqlDatabase::removeDatabase("older");
    const qint64 size = QFileInfo(w.env.profileFile()).size();
    RunContext ctx = w.context();
    SaveAttachments(ctx);
    QCOMPARE(lastPrompt(w.env), "8 Anlagen gespeichert.");
    const qint64 after = QFileInfo(w.env.profileFile()).size();
    QVERIFY2(after < size - 8 * kExported * 3 / 4, qPrintable(QStringLiteral("%1 -> %2").arg(size).arg(after)));
    QCOMPARE(contents(w, "Posteingang", 8).size(), 2);
}

void TestAttachmentRuns::cleanFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("clean");
    QTest::newRow("forbidden characters") << "a\\b/c:d*e?f\"g<h>i|j.pdf" << "abcdefghij.pdf";
    QTest::newRow("control characters") << QString("a\tb\x01" "c.txt") << "abc.txt";
    QTest::newRow("blanks around") << "  Bericht 2024.pdf  " << "Bericht 2024.pdf";
    QTest::newRow("only forbidden") << "<>|" << "ohneName";
    QTest::newRow("only dots") << ".." << "ohneName";
    QTest::newRow("dots and blanks") << " . . " << "ohneName";
    QTest::newRow("too long keeps the extension") << QString(300, u'ä') + ".pdf" << QString(125, u'ä') + ".pdf";
    QTest::newRow("too long without extension") << QString(300, u'x') << QString(255, u'x');
}

void TestAttachmentRuns::cleanFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, clean);
    QCOMPARE(CleanFileName(name), clean);
    QVERIFY(CleanFileName(name).toUtf8().size() <= 255);
}

QTEST_MAIN(TestAttachmentRuns)
#include "tst_attachmentruns.moc"
