#include "platform/core/PlatformError.h"
#include "platform/files/Faults.h"
#include "platform/files/Files.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace files = kw::files;
using Snapshot = QMap<QString, QByteArray>;

class TestFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { files::faults::reset(); }
    void cleanup() { files::faults::reset(); }
    void failuresCarryTheirNumberAndChangeNothing_data();
    void failuresCarryTheirNumberAndChangeNothing();
    void moveLeavesExactlyOneCompleteFile_data();
    void moveLeavesExactlyOneCompleteFile();
    void pathParts_data();
    void pathParts();
};

namespace {

QByteArray content(qsizetype size)
{
    QByteArray out(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        out[i] = static_cast<char>('a' + i % 23);
    return out;
}

void setMode(const QString &path, mode_t mode)
{
    ::chmod(QFile::encodeName(path).constData(), mode);
}

// Files "da.txt", "auch-da.txt", "gross.bin", a folder "Ordner", a regular
// file "datei" where a folder could be expected, and a folder "gesperrt"
// with "drin.txt" that its owner may read but not change.
struct Sandbox
{
    QTemporaryDir dir;

    Sandbox()
    {
        QDir(dir.path()).mkpath("Ordner");
        QDir(dir.path()).mkpath("gesperrt");
        const Snapshot start{{"da.txt", "Inhalt"}, {"auch-da.txt", "anderer Inhalt"}, {"datei", ""},
                             {"gross.bin", content(300'000)}, {"gesperrt/drin.txt", "drin"}};
        for (const auto &[name, bytes] : start.asKeyValueRange())
            write(name, bytes);
        setMode(path("gesperrt"), 0500);
    }
    ~Sandbox() { setMode(path("gesperrt"), 0700); }

    QString path(const QString &relative) const { return dir.filePath(relative); }
    void write(const QString &relative, const QByteArray &bytes) const
    {
        QFile f(path(relative));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
};

// Every entry below root, hidden ones included, with its content.
Snapshot snapshotOf(const QString &root)
{
    Snapshot out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        out[QDir(root).relativeFilePath(f.fileName())] = it.fileInfo().isDir() ? "<Ordner>"
                                                         : f.open(QIODevice::ReadOnly) ? f.readAll()
                                                                                       : "<unlesbar>";
    }
    return out;
}

// A folder on another file system than `than`, if the machine offers one
// without mounting anything.
std::unique_ptr<QTemporaryDir> folderOnOtherFileSystem(const QString &than)
{
    struct stat here, there;
    if (::stat(QFile::encodeName(than).constData(), &here) != 0)
        return nullptr;
    for (const QString &candidate : {QStringLiteral("/dev/shm"), QDir::tempPath(), QDir::homePath(), QDir::currentPath()}) {
        if (::stat(QFile::encodeName(candidate).constData(), &there) != 0 || there.st_dev == here.st_dev)
            continue;
        auto dir = std::make_unique<QTemporaryDir>(candidate + "/kw-files-XXXXXX");
        if (dir->isValid())
            return dir;
    }
    return nullptr;
}

} // namespace

void TestFiles::failuresCarryTheirNumberAndChangeNothing_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<long>("number");

    const auto row = [](const QByteArray &name, QString op, QString first, QString second, long number, QString fault = {}) {
        QTest::newRow(name.constData()) << op << first << second << fault << number;
    };
    row("delete: missing file", "delete", "fehlt.txt", "", 53);
    row("delete: a folder is no file", "delete", "Ordner", "", 53);
    row("delete: missing folder", "delete", "kein/fehlt.txt", "", 76);
    row("delete: parent is a file", "delete", "datei/x.txt", "", 76);
    row("delete: no permission", "delete", "gesperrt/drin.txt", "", 70, "modes");
    for (const QString move : {"move", "move across"}) {
        const auto name = [&](const char *what) { return move.toUtf8() + ": " + what; };
        row(name("missing source"), move, "fehlt.txt", "neu.txt", 53);
        row(name("source is a folder"), move, "Ordner", "neu", 53);
        row(name("existing target"), move, "da.txt", "auch-da.txt", 58);
        row(name("folder at the target"), move, "da.txt", "Ordner", 58);
        row(name("onto itself"), move, "da.txt", "da.txt", 58);
        row(name("target folder missing"), move, "da.txt", "kein/neu.txt", 76);
        row(name("target parent is a file"), move, "da.txt", "datei/neu.txt", 76);
        row(name("no permission at the target"), move, "da.txt", "gesperrt/neu.txt", 70, "modes");
        row(name("no permission at the source"), move, "gesperrt/drin.txt", "neu.txt", 70, "modes");
    }
    row("move across: disk full half-way", "move across", "gross.bin", "Ordner/gross.bin", 75, "disk full");
    row("move across: source cannot be deleted", "move across", "gross.bin", "Ordner/g.bin", 70, "source stays");
    row("create: existing file", "create", "da.txt", "", 58);
    row("create: folder at the name", "create", "Ordner", "", 58);
    row("create: missing folder", "create", "kein/neu.txt", "", 76);
    row("create: parent is a file", "create", "datei/neu.txt", "", 76);
    row("create: no permission", "create", "gesperrt/neu.txt", "", 70, "modes");
    row("create: disk full half-way", "create", "neu.bin", "", 75, "disk full");
}

void TestFiles::failuresCarryTheirNumberAndChangeNothing()
{
    QFETCH(QString, operation);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, fault);
    QFETCH(long, number);
    if (fault == "modes" && ::geteuid() == 0)
        QSKIP("root ignores file modes");
    Sandbox box;
    const Snapshot before = snapshotOf(box.dir.path());
    files::faults::simulateCrossDevice(operation == "move across");
    files::faults::failWritesAfter(fault == "disk full" ? 100'000 : -1);
    files::faults::failSourceDelete(fault == "source stays");
    try {
        if (operation == "delete")
            files::DeleteFile(box.path(first));
        else if (operation == "create")
            files::createNewFile(box.path(first), content(200'000));
        else
            files::MoveFile(box.path(first), box.path(second));
        QFAIL("no error");
    } catch (const kw::PlatformError &e) {
        QCOMPARE(e.number(), number);
        QVERIFY2(e.description().contains(box.dir.path()), qPrintable(e.description()));
    }
    QCOMPARE(snapshotOf(box.dir.path()), before);
}

void TestFiles::moveLeavesExactlyOneCompleteFile_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<qsizetype>("size");
    for (const QString where : {"same file system", "simulated other file system", "real other file system"}) {
        QTest::addRow("%s, empty file", qPrintable(where)) << where << qsizetype(0);
        QTest::addRow("%s, larger than one read", qPrintable(where)) << where << qsizetype(200'001);
    }
}

// With umlauts and blanks in every path on the way.
void TestFiles::moveLeavesExactlyOneCompleteFile()
{
    QFETCH(QString, where);
    QFETCH(qsizetype, size);
    Sandbox box;
    QString folder = box.path("Ordner");
    std::unique_ptr<QTemporaryDir> other;
    if (where == "real other file system") {
        if (!(other = folderOnOtherFileSystem(box.dir.path())))
            QSKIP("no second file system writable here");
        folder = other->path();
    }
    files::faults::simulateCrossDevice(where == "simulated other file system");
    const QString source = box.path("Anhänge März/Grüße an Jürgen.bin");
    const QString target = files::BuildPath(folder, "Straße 1 .bin");
    QVERIFY(QDir().mkpath(box.path("Anhänge März")));
    files::createNewFile(source, content(size));
    setMode(source, 0640);

    files::MoveFile(source, target);

    QVERIFY(!files::FileExists(source));
    QCOMPARE(snapshotOf(folder), (Snapshot{{"Straße 1 .bin", content(size)}}));
    QCOMPARE(QFile::permissions(target),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
    files::DeleteFile(target);
    QVERIFY(!files::FileExists(target));
}

void TestFiles::pathParts_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "/a" << "b.txt" << "/a/b.txt";
    QTest::newRow("folder ends with a separator") << "/a/" << "b.txt" << "/a/b.txt";
    QTest::newRow("name starts with a separator") << "/a" << "/b.txt" << "/a/b.txt";
    QTest::newRow("root folder") << "/" << "b.txt" << "/b.txt";
    QTest::newRow("no folder") << "" << "b.txt" << "b.txt";
}

// BuildPath joins; GetFilename takes the name back, even after a trailing separator.
void TestFiles::pathParts()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, path);
    QCOMPARE(files::BuildPath(folder, name), path);
    QCOMPARE(files::GetFilename(path), name.mid(name.startsWith('/')));
    QCOMPARE(files::GetFilename(path + "/"), name.mid(name.startsWith('/')));
}

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
