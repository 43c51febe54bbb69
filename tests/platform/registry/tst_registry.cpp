#include "platform/registry/Registry.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using namespace kw::registry;

class TestRegistry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTripOfEveryType_data();
    void roundTripOfEveryType();
    void valueNamesIgnoreCase();
    void missingKeyAndValue();
    void smallBufferReportsMoreData();
    void failedWriteKeepsFile();
    void unreadableFileIsSetAside();
    void unreadableFileThatCannotBeSetAsideIsNeverOverwritten();
    void setValuesWritesAllOrNone();
    void changeByAnotherWriterIsSeen();
    void killedWriterLeavesOldOrNewFile();
};

namespace {

// A value whose every part names the same round, so a torn write shows.
QByteArray roundValue(int round)
{
    return QByteArray::number(round).append(':').repeated(4000);
}

// Run in a child process: rewrites the value as fast as it can until killed.
int writeUntilKilled(const QString &file)
{
    Registry reg(file);
    HKEY key = 0;
    reg.RegCreateKey(HKEY_CURRENT_USER, "Software\\Test", &key);
    for (int round = 0;; ++round) {
        if (reg.RegSetValueEx(key, "Counter", REG_SZ, roundValue(round)) != ERROR_SUCCESS)
            return 1;
        std::fputs("written\n", stdout); // the parent kills only after a complete write
        std::fflush(stdout);
    }
}

} // namespace

void TestRegistry::roundTripOfEveryType_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("plain text") << quint32(REG_SZ) << QByteArray("Nachname, Vorname (Firma)");
    QTest::newRow("empty text") << quint32(REG_SZ) << QByteArray();
    QTest::newRow("umlauts") << quint32(REG_SZ) << QString::fromUtf8("Persönliche Ordner").toUtf8();
    QTest::newRow("quotes and backslashes") << quint32(REG_SZ) << QByteArray("a\\\"b\\\\c\"");
    QTest::newRow("text with trailing NUL") << quint32(REG_SZ) << QByteArray("abc\0", 4);
    QTest::newRow("line break in text") << quint32(REG_SZ) << QByteArray("a\r\nb");
    QTest::newRow("blank only") << quint32(REG_SZ) << QByteArray(" ");
    QTest::newRow("expand string") << quint32(REG_EXPAND_SZ) << QByteArray("%HOME%\\x");
    QTest::newRow("dword") << quint32(REG_DWORD) << QByteArray("\x01\x00\x00\x00", 4);
    QTest::newRow("binary") << quint32(REG_BINARY) << QByteArray("\x00\xff\x10", 3);
}

void TestRegistry::roundTripOfEveryType()
{
    QFETCH(quint32, type);
    QFETCH(QByteArray, data);
    QTemporaryDir dir;
    const QString file = dir.filePath("sub/registry.reg");
    {
        Registry reg(file);
        HKEY key = 0;
        QCOMPARE(reg.RegCreateKey(HKEY_CURRENT_USER, "Software\\Test", &key), ERROR_SUCCESS);
        QCOMPARE(reg.RegSetValueEx(key, "Value", type, data), ERROR_SUCCESS);
        QCOMPARE(reg.RegCloseKey(key), ERROR_SUCCESS);
    }
    Registry reg(file); // a fresh reader sees the file as written
    HKEY key = 0;
    QCOMPARE(reg.RegOpenKey(HKEY_CURRENT_USER, "software\\test", &key), ERROR_SUCCESS);
    quint32 gotType = 0;
    quint32 size = 0;
    QCOMPARE(reg.RegQueryValueEx(key, "Value", &gotType, nullptr, &size), ERROR_SUCCESS);
    QCOMPARE(gotType, type);
    QCOMPARE(size, quint32(data.size()));
    QByteArray got;
    QCOMPARE(reg.RegQueryValueEx(key, "Value", &gotType, &got, &size), ERROR_SUCCESS);
    QCOMPARE(got, data);
    QVERIFY(reg.takeLoadProblem().isEmpty());
}

void TestRegistry::valueNamesIgnoreCase()
{
    QTemporaryDir dir;
    Registry reg(dir.filePath("r.reg"));
    HKEY key = 0;
    reg.RegCreateKey(HKEY_CURRENT_USER, "S", &key);
    reg.RegSetValueEx(key, "IdleTime", REG_SZ, "30");
    reg.RegSetValueEx(key, "IDLETIME", REG_SZ, "45");
    QByteArray got;
    quint32 size = 100;
    QCOMPARE(reg.RegQueryValueEx(key, "idletime", nullptr, &got, &size), ERROR_SUCCESS);
    QCOMPARE(got, QByteArray("45"));
    QFile f(dir.filePath("r.reg"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QVERIFY2(text.contains("\"IdleTime\"=\"45\""), text.constData()); // first spelling kept
}

void TestRegistry::missingKeyAndValue()
{
    QTemporaryDir dir;
    Registry reg(dir.filePath("none.reg"));
    HKEY key = 1234;
    QCOMPARE(reg.RegOpenKey(HKEY_CURRENT_USER, "Software\\Missing", &key), ERROR_FILE_NOT_FOUND);
    QCOMPARE(key, HKEY(0));
    QCOMPARE(reg.RegQueryValueEx(0, "x", nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
    QVERIFY(!QFile::exists(dir.filePath("none.reg"))); // reading never creates the file
    reg.RegCreateKey(HKEY_CURRENT_USER, "Software\\Missing", &key);
    QCOMPARE(reg.RegQueryValueEx(key, "x", nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

void TestRegistry::smallBufferReportsMoreData()
{
    QTemporaryDir dir;
    Registry reg(dir.filePath("r.reg"));
    HKEY key = 0;
    reg.RegCreateKey(HKEY_CURRENT_USER, "S", &key);
    reg.RegSetValueEx(key, "v", REG_SZ, "abcdef");
    QByteArray got;
    quint32 size = 3;
    QCOMPARE(reg.RegQueryValueEx(key, "v", nullptr, &got, &size), ERROR_MORE_DATA);
    QCOMPARE(size, quint32(6));
    QVERIFY(got.isEmpty());
}

void TestRegistry::failedWriteKeepsFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("r.reg");
    Registry reg(file);
    HKEY key = 0;
    reg.RegCreateKey(HKEY_CURRENT_USER, "S", &key);
    reg.RegSetValueEx(key, "a", REG_SZ, "1");
    reg.setFailWrites(true);
    QVERIFY(reg.RegSetValueEx(key, "a", REG_SZ, "2") != ERROR_SUCCESS);
    QVERIFY(reg.RegSetValueEx(key, "b", REG_SZ, "2") != ERROR_SUCCESS);
    Registry fresh(file);
    HKEY k2 = 0;
    fresh.RegOpenKey(HKEY_CURRENT_USER, "S", &k2);
    QByteArray got;
    quint32 size = 10;
    QCOMPARE(fresh.RegQueryValueEx(k2, "a", nullptr, &got, &size), ERROR_SUCCESS);
    QCOMPARE(got, QByteArray("1"));
    QCOMPARE(fresh.RegQueryValueEx(k2, "b", nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    // The failed write did not change what this instance reads either.
    QCOMPARE(reg.RegQueryValueEx(key, "a", nullptr, &got, &size), ERROR_SUCCESS);
    QCOMPARE(got, QByteArray("1"));
}

void TestRegistry::unreadableFileIsSetAside()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("r.reg");
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is not a registry file\n");
    }
    Registry reg(file);
    HKEY key = 0;
    QCOMPARE(reg.RegOpenKey(HKEY_CURRENT_USER, "S", &key), ERROR_FILE_NOT_FOUND);
    const QString problem = reg.takeLoadProblem();
    QVERIFY(problem.contains("nicht lesbar"));
    QVERIFY(reg.takeLoadProblem().isEmpty()); // reported once
    const QStringList aside = QDir(dir.path()).entryList({"r.reg.unreadable-*"});
    QCOMPARE(aside.size(), 1);
    QFile kept(dir.filePath(aside.first()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("this is not a registry file\n"));
}

void TestRegistry::unreadableFileThatCannotBeSetAsideIsNeverOverwritten()
{
    QTemporaryDir dir;
    // So long that the ".unreadable-<time>" suffix would pass the file system's limit.
    const QString file = dir.filePath(QString(240, u'r') + ".reg");
    const QByteArray text = "not a registry file, but the user's\n";
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    for (int start = 0; start < 2; ++start) {
        Registry reg(file);
        HKEY key = 0;
        QVERIFY(reg.RegCreateKey(HKEY_CURRENT_USER, "S", &key) != ERROR_SUCCESS);
        QVERIFY(reg.setValues(HKEY_CURRENT_USER, "S", {Value{"a", REG_SZ, "1"}}) != ERROR_SUCCESS);
        QVERIFY(reg.takeLoadProblem().contains("nicht lesbar"));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QFileInfo(file).fileName()});
    QFile kept(file);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), text);
}

void TestRegistry::setValuesWritesAllOrNone()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("r.reg");
    Registry reg(file);
    HKEY key = 0;
    reg.RegCreateKey(HKEY_CURRENT_USER, "S", &key);
    reg.RegSetValueEx(key, "Alt", REG_SZ, "1");
    QCOMPARE(reg.setValues(HKEY_CURRENT_USER, "S\\Neu", {Value{"a", REG_SZ, "1"}, Value{"b", REG_DWORD, QByteArray("\x02\0\0\0", 4)}}),
             ERROR_SUCCESS);
    QCOMPARE(reg.setValues(HKEY_CURRENT_USER, "S", {Value{"ALT", REG_SZ, "2"}}), ERROR_SUCCESS);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    f.close();
    QVERIFY(written.contains("[HKEY_CURRENT_USER\\S\\Neu]\n\"a\"=\"1\"\n\"b\"=dword:00000002\n"));
    QVERIFY(written.contains("\"Alt\"=\"2\"")); // the name keeps its first spelling

    reg.setFailWrites(true);
    QCOMPARE(reg.setValues(HKEY_CURRENT_USER, "S", {Value{"c", REG_SZ, "3"}, Value{"Alt", REG_SZ, "4"}}),
             ERROR_ACCESS_DENIED);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), written);
}

void TestRegistry::changeByAnotherWriterIsSeen()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("r.reg");
    Registry a(file);
    Registry b(file);
    HKEY ka = 0, kb = 0;
    a.RegCreateKey(HKEY_CURRENT_USER, "S", &ka);
    a.RegSetValueEx(ka, "v", REG_SZ, "first");
    b.RegOpenKey(HKEY_CURRENT_USER, "S", &kb);
    QByteArray got;
    quint32 size = 100;
    QCOMPARE(b.RegQueryValueEx(kb, "v", nullptr, &got, &size), ERROR_SUCCESS);
    QCOMPARE(got, QByteArray("first"));
    a.RegSetValueEx(ka, "v", REG_SZ, "second value");
    size = 100;
    QCOMPARE(b.RegQueryValueEx(kb, "v", nullptr, &got, &size), ERROR_SUCCESS);
    QCOMPARE(got, QByteArray("second value"));
}

void TestRegistry::killedWriterLeavesOldOrNewFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("r.reg");
    for (int attempt = 0; attempt < 12; ++attempt) {
        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KW_REGISTRY_WRITER", file);
        writer.setProcessEnvironment(env);
        writer.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(writer.waitForStarted());
        // Killed in the middle of some later write, never before the first.
        const int writes = 1 + int(QRandomGenerator::global()->bounded(30));
        for (int seen = 0; seen < writes;) {
            QVERIFY2(writer.waitForReadyRead(30000), "the writer reported no write");
            seen += int(writer.readAllStandardOutput().count('\n'));
        }
        writer.kill();
        writer.waitForFinished();

        Registry reg(file);
        HKEY key = 0;
        QCOMPARE(reg.RegOpenKey(HKEY_CURRENT_USER, "Software\\Test", &key), ERROR_SUCCESS);
        QByteArray value;
        quint32 size = 1u << 20;
        QCOMPARE(reg.RegQueryValueEx(key, "Counter", nullptr, &value, &size), ERROR_SUCCESS);
        const int round = value.left(value.indexOf(':')).toInt();
        QCOMPARE(value, roundValue(round));
        QCOMPARE(reg.takeLoadProblem(), QString());
    }
}

int main(int argc, char **argv)
{
    // The child of killedWriterLeavesOldOrNewFile.
    if (qEnvironmentVariableIsSet("KW_REGISTRY_WRITER"))
        return writeUntilKilled(qEnvironmentVariable("KW_REGISTRY_WRITER"));
    QCoreApplication app(argc, argv);
    TestRegistry test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_registry.moc"
