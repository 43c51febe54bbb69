#include "platform/core/PlatformError.h"
#include "platform/files/Faults.h"
#include "platform/files/Files.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace files = kw::files;

class TestFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void failuresCarryTheirNumberAndChangeNothing_data();
    void failuresCarryTheirNumberAndChangeNothing();
    void interruptedWritesLeaveNothingBehind_data();
    void interruptedWritesLeaveNothingBehind();
    void moveLeavesExactlyOneCompleteFile_data();
    void moveLeavesExactlyOneCompleteFile();
    void umlautsAndBlanksInPaths_data();
    void umlautsAndBlanksInPaths();
    void lastComponent_data();
    void lastComponent();
    void joinedPath_data();
    void joinedPath();
};

namespace {

// A folder with a file "da.txt", a second file "auch-da.txt", a folder
// "Ordner", a regular file "datei" where a folder could be expected and a
// folder "gesperrt" with "drin.txt" that its owner may read but not change.
struct Sandbox
{
    QTemporaryDir dir;

    Sandbox()
    {
        write("da.txt", "Inhalt");
        write("auch-da.txt", "anderer Inhalt");
        write("datei", "");
        QDir(dir.path()).mkpath("Ordner");
        QDir(dir.path()).mkpath("gesperrt");
        write("gesperrt/drin.txt", "drin");
        ::chmod(QFile::encodeName(path("gesperrt")).constData(), 0500);
    }
    ~Sandbox() { ::chmod(QFile::encodeName(path("gesperrt")).constData(), 0700); }

    QString path(const QString &relative) const { return relative.isEmpty() ? QString() : dir.filePath(relative); }

    void write(const QString &relative, const QByteArray &content) const
    {
        QFile f(path(relative));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    // Every entry below the folder, hidden ones included, with its content.
    QMap<QString, QByteArray> snapshot() const { return snapshotOf(dir.path()); }

    static QMap<QString, QByteArray> snapshotOf(const QString &root)
    {
        QMap<QString, QByteArray> out;
        QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            QFile f(p);
            out[QDir(root).relativeFilePath(p)] = it.fileInfo().isDir() ? QByteArray("<Ordner>")
                                                  : f.open(QIODevice::ReadOnly) ? f.readAll()
                                                                                : QByteArray("<unlesbar>");
        }
        return out;
    }
};

bool isRoot()
{
    return ::geteuid() == 0;
}

QByteArray content(qsizetype size)
{
    QByteArray out(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        out[i] = static_cast<char>('a' + i % 23);
    return out;
}

long numberOf(const std::function<void()> &call, QString *description = nullptr)
{
    try {
        call();
    } catch (const kw::PlatformError &e) {
        if (description)
            *description = e.description();
        return e.number();
    }
    return 0;
}

// A folder on another file system than `than`, if the machine offers one
// without mounting anything.
std::unique_ptr<QTemporaryDir> folderOnOtherFileSystem(const QString &than)
{
    struct stat here;
    if (::stat(QFile::encodeName(than).constData(), &here) != 0)
        return nullptr;
    for (const QString &candidate : {QStringLiteral("/dev/shm"), QDir::tempPath(), QDir::homePath(), QDir::currentPath()}) {
        struct stat there;
        if (::stat(QFile::encodeName(candidate).constData(), &there) != 0 || there.st_dev == here.st_dev)
            continue;
        auto dir = std::make_unique<QTemporaryDir>(candidate + "/kw-files-XXXXXX");
        if (dir->isValid())
            return dir;
    }
    return nullptr;
}

} // namespace

void TestFiles::init()
{
    files::faults::reset();
}

void TestFiles::cleanup()
{
    files::faults::reset();
}

void TestFiles::failuresCarryTheirNumberAndChangeNothing_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("needsModes");
    QTest::addColumn<long>("number");

    QTest::newRow("delete: missing file") << "delete" << "fehlt.txt" << "" << false << 53L;
    QTest::newRow("delete: a folder is no file") << "delete" << "Ordner" << "" << false << 53L;
    QTest::newRow("delete: missing folder") << "delete" << "kein/fehlt.txt" << "" << false << 76L;
    QTest::newRow("delete: parent is a file") << "delete" << "datei/x.txt" << "" << false << 76L;
    QTest::newRow("delete: no permission") << "delete" << "gesperrt/drin.txt" << "" << true << 70L;
    for (const QString move : {"move", "move across"}) {
        const QByteArray prefix = move.toUtf8() + ": ";
        QTest::newRow(prefix + "missing source") << move << "fehlt.txt" << "neu.txt" << false << 53L;
        QTest::newRow(prefix + "source is a folder") << move << "Ordner" << "neu" << false << 53L;
        QTest::newRow(prefix + "existing target") << move << "da.txt" << "auch-da.txt" << false << 58L;
        QTest::newRow(prefix + "folder at the target") << move << "da.txt" << "Ordner" << false << 58L;
        QTest::newRow(prefix + "onto itself") << move << "da.txt" << "da.txt" << false << 58L;
        QTest::newRow(prefix + "target folder missing") << move << "da.txt" << "kein/neu.txt" << false << 76L;
        QTest::newRow(prefix + "target parent is a file") << move << "da.txt" << "datei/neu.txt" << false << 76L;
        QTest::newRow(prefix + "no permission at the target") << move << "da.txt" << "gesperrt/neu.txt" << true << 70L;
        QTest::newRow(prefix + "no permission at the source") << move << "gesperrt/drin.txt" << "neu.txt" << true << 70L;
    }
    QTest::newRow("create: existing file") << "create" << "da.txt" << "" << false << 58L;
    QTest::newRow("create: folder at the name") << "create" << "Ordner" << "" << false << 58L;
    QTest::newRow("create: missing folder") << "create" << "kein/neu.txt" << "" << false << 76L;
    QTest::newRow("create: parent is a file") << "create" << "datei/neu.txt" << "" << false << 76L;
    QTest::newRow("create: no permission") << "create" << "gesperrt/neu.txt" << "" << true << 70L;
}

void TestFiles::failuresCarryTheirNumberAndChangeNothing()
{
    QFETCH(QString, operation);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, needsModes);
    QFETCH(long, number);
    if (needsModes && isRoot())
        QSKIP("root ignores file modes");
    Sandbox box;
    const auto before = box.snapshot();
    files::faults::simulateCrossDevice(operation == "move across");
    QString description;
    const long actual = numberOf(
        [&] {
            if (operation == "delete")
                files::DeleteFile(box.path(first));
            else if (operation == "create")
                files::createNewFile(box.path(first), "neu");
            else
                files::MoveFile(box.path(first), box.path(second));
        },
        &description);
    QCOMPARE(actual, number);
    QVERIFY2(description.contains(box.dir.path()), qPrintable(description));
    QCOMPARE(box.snapshot(), before);
}

void TestFiles::interruptedWritesLeaveNothingBehind_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<qint64>("writeLimit");
    QTest::addColumn<bool>("sourceStays");
    QTest::addColumn<long>("number");

    QTest::newRow("create: disk full half-way") << "create" << qint64(100'000) << false << 75L;
    QTest::newRow("create: disk full at once") << "create" << qint64(0) << false << 75L;
    QTest::newRow("move across: disk full half-way") << "move" << qint64(100'000) << false << 75L;
    QTest::newRow("move across: source cannot be deleted") << "move" << qint64(-1) << true << 70L;
}

void TestFiles::interruptedWritesLeaveNothingBehind()
{
    QFETCH(QString, operation);
    QFETCH(qint64, writeLimit);
    QFETCH(bool, sourceStays);
    QFETCH(long, number);
    Sandbox box;
    box.write("gross.bin", content(300'000));
    const auto before = box.snapshot();
    files::faults::simulateCrossDevice(true);
    files::faults::failWritesAfter(writeLimit);
    files::faults::failSourceDelete(sourceStays);
    QString description;
    const long actual = numberOf(
        [&] {
            if (operation == "create")
                files::createNewFile(box.path("neu.bin"), content(300'000));
            else
                files::MoveFile(box.path("gross.bin"), box.path("Ordner/gross.bin"));
        },
        &description);
    QCOMPARE(actual, number);
    QVERIFY2(description.contains(box.dir.path()), qPrintable(description));
    QCOMPARE(box.snapshot(), before);
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

void TestFiles::moveLeavesExactlyOneCompleteFile()
{
    QFETCH(QString, where);
    QFETCH(qsizetype, size);
    Sandbox box;
    QString targetFolder = box.path("Ordner");
    std::unique_ptr<QTemporaryDir> other;
    if (where == "real other file system") {
        other = folderOnOtherFileSystem(box.dir.path());
        if (!other)
            QSKIP("no second file system writable here");
        targetFolder = other->path();
    }
    files::faults::simulateCrossDevice(where == "simulated other file system");
    box.write("quelle.bin", content(size));
    ::chmod(QFile::encodeName(box.path("quelle.bin")).constData(), 0640);

    const QString target = files::BuildPath(targetFolder, "ziel.bin");
    files::MoveFile(box.path("quelle.bin"), target);

    QVERIFY(!QFile::exists(box.path("quelle.bin")));
    QCOMPARE(Sandbox::snapshotOf(targetFolder), (QMap<QString, QByteArray>{{"ziel.bin", content(size)}}));
    QCOMPARE(QFile::permissions(target), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                                             | QFile::ReadGroup);
}

void TestFiles::umlautsAndBlanksInPaths_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("acrossFileSystems");

    QTest::newRow("umlauts in the name") << "Ordner" << "Grüße an Jürgen.txt" << false;
    QTest::newRow("umlauts and blanks in the folder") << "Anhänge März 2026" << "Bericht.pdf" << false;
    QTest::newRow("sharp s and blanks, moved across") << "Öffentliche Ablage" << "Straße 1 .doc" << true;
}

void TestFiles::umlautsAndBlanksInPaths()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(bool, acrossFileSystems);
    Sandbox box;
    QVERIFY(QDir(box.dir.path()).mkpath(folder));
    const QString first = files::BuildPath(box.path(folder), name);
    const QString second = files::BuildPath(box.dir.path(), "Kopie " + name);
    files::faults::simulateCrossDevice(acrossFileSystems);

    files::createNewFile(first, "Grüße");
    QVERIFY(files::FileExists(first));
    QCOMPARE(files::GetFilename(first), name);
    files::MoveFile(first, second);
    QVERIFY(!files::FileExists(first));
    QFile moved(second);
    QVERIFY(moved.open(QIODevice::ReadOnly));
    QCOMPARE(moved.readAll(), QByteArray("Grüße"));
    files::DeleteFile(second);
    QVERIFY(!files::FileExists(second));
}

void TestFiles::lastComponent_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("file in a folder") << "/a/b/c.txt" << "c.txt";
    QTest::newRow("bare name") << "c.txt" << "c.txt";
    QTest::newRow("trailing separator") << "/a/b/" << "b";
    QTest::newRow("root") << "/" << "";
    QTest::newRow("empty") << "" << "";
}

void TestFiles::lastComponent()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(files::GetFilename(path), name);
}

void TestFiles::joinedPath_data()
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

void TestFiles::joinedPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, path);
    QCOMPARE(files::BuildPath(folder, name), path);
}

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
