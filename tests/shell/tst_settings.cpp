#include "support/TestEnv.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QtTest>

using namespace kw;
using namespace kw::registry;

namespace {

void writeRaw(Registry &reg, const QString &name, quint32 type, const QByteArray &data)
{
    HKEY key = 0;
    reg.RegCreateKey(HKEY_CURRENT_USER, Settings::settingsKey(), &key);
    QCOMPARE(reg.RegSetValueEx(key, name, type, data), ERROR_SUCCESS);
    reg.RegCloseKey(key);
}

// Defaults written at every start for the tools and options pages still to
// come; nothing reads them yet, and stored files keep them meanwhile.
const QStringList kNotReadYet = {"DupDel"};

// The sources under src/: the setting-name constants, and the text of every
// file that may read a setting (all but the names and the defaults table).
struct SourceIndex
{
    QHash<QString, QString> constants; // stored name -> identifier
    QString readers;

    static const SourceIndex &get()
    {
        static const SourceIndex index = [] {
            SourceIndex out;
            const QString root = QStringLiteral(KW_SOURCE_DIR "/src");
            static const QRegularExpression constant(QStringLiteral("QLatin1String (\\w+)\\{\"([^\"]*)\"\\}"));
            for (const QRegularExpressionMatch &m : constant.globalMatch(readText(root + "/shell/SettingNames.h")))
                out.constants.insert(m.captured(2), m.captured(1));
            QDirIterator it(root, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                if (!path.endsWith("/SettingNames.h") && !path.endsWith("/RegistryFunctions.cpp"))
                    out.readers += readText(path);
            }
            return out;
        }();
        return index;
    }

private:
    static QString readText(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsStoredText_data();
    void readsStoredText();
    void boolAcceptsOnlyExactDigits_data();
    void boolAcceptsOnlyExactDigits();
    void writeCountsBytesAndRoundTrips();
    void initSettingTreatsOnlyMissingAsMissing_data();
    void initSettingTreatsOnlyMissingAsMissing();
    void defaultsAreWrittenOnceAndKeepExistingValues();
    void sampleDefaults_data();
    void sampleDefaults();
    void everyDefaultIsReadThroughItsName_data();
    void everyDefaultIsReadThroughItsName();
    void readersNeverSpellANameThemselves();
    void failedWriteShowsSafAndReportsFailure();
    void defaultsOnUnwritableStoreShowOneMessage();
};

void TestSettings::readsStoredText_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text") << quint32(REG_SZ) << QByteArray("30") << "30";
    QTest::newRow("empty text is not missing") << quint32(REG_SZ) << QByteArray() << "";
    QTest::newRow("NUL-terminated from another writer") << quint32(REG_SZ) << QByteArray("abc\0", 4) << "abc";
    QTest::newRow("text after a NUL is cut") << quint32(REG_SZ) << QByteArray("ab\0cd", 5) << "ab";
    QTest::newRow("expand string gives the default") << quint32(REG_EXPAND_SZ) << QByteArray("x") << "DEF";
    QTest::newRow("dword gives the default") << quint32(REG_DWORD) << QByteArray("\x01\0\0\0", 4) << "DEF";
    QTest::newRow("binary gives the default") << quint32(REG_BINARY) << QByteArray("1") << "DEF";
    QTest::newRow("umlauts") << quint32(REG_SZ) << QString::fromUtf8("Müller ß").toUtf8() << QString::fromUtf8("Müller ß");
}

void TestSettings::readsStoredText()
{
    QFETCH(quint32, type);
    QFETCH(QByteArray, data);
    QFETCH(QString, expected);
    test::TestEnv env;
    writeRaw(env.registry, "Name", type, data);
    QCOMPARE(env.settings.GetSetting("Name", "DEF"), expected);
    QCOMPARE(env.settings.GetSetting("Other", "DEF"), QString("DEF"));
}

void TestSettings::boolAcceptsOnlyExactDigits_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<bool>("expected");
    QTest::newRow("1 is yes") << "1" << false << true;
    QTest::newRow("0 is no") << "0" << true << false;
    QTest::newRow("empty gives default yes") << "" << true << true;
    QTest::newRow("empty gives default no") << "" << false << false;
    QTest::newRow("word") << "True" << false << false;
    QTest::newRow("blank before") << " 1" << false << false;
    QTest::newRow("blank after") << "0 " << true << true;
    QTest::newRow("leading zero") << "01" << false << false;
    QTest::newRow("minus one") << "-1" << false << false;
}

void TestSettings::boolAcceptsOnlyExactDigits()
{
    QFETCH(QString, stored);
    QFETCH(bool, fallback);
    QFETCH(bool, expected);
    test::TestEnv env;
    env.settings.SaveSetting("Flag", stored);
    QCOMPARE(env.settings.GetSettingBool("Flag", fallback), expected);
}

void TestSettings::writeCountsBytesAndRoundTrips()
{
    test::TestEnv env;
    const QString text = QString::fromUtf8("Größe: äöü €");
    QVERIFY(env.settings.SaveSetting("Text", text));
    HKEY key = 0;
    env.registry.RegOpenKey(HKEY_CURRENT_USER, Settings::settingsKey(), &key);
    quint32 type = 0, size = 0;
    QCOMPARE(env.registry.RegQueryValueEx(key, "Text", &type, nullptr, &size), ERROR_SUCCESS);
    QCOMPARE(type, quint32(REG_SZ));
    QCOMPARE(size, quint32(text.toUtf8().size())); // bytes, no NUL
    QCOMPARE(env.settings.GetSetting("Text", ""), text);
    QVERIFY(env.box.shown.isEmpty());
}

void TestSettings::initSettingTreatsOnlyMissingAsMissing_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing is written") << false << "" << "new";
    QTest::newRow("empty is kept") << true << "" << "";
    QTest::newRow("value is kept") << true << "old" << "old";
    QTest::newRow("NotExisting counts as missing") << true << "NotExisting" << "new";
}

void TestSettings::initSettingTreatsOnlyMissingAsMissing()
{
    QFETCH(bool, present);
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    test::TestEnv env;
    if (present)
        env.settings.SaveSetting("X", stored);
    QVERIFY(env.settings.InitSetting("X", "new"));
    QCOMPARE(env.settings.GetSetting("X", "DEF"), expected);
}

void TestSettings::defaultsAreWrittenOnceAndKeepExistingValues()
{
    test::TestEnv env;
    env.settings.SaveSetting("IdleTime", "99");
    env.settings.SaveSetting("DupDel", "1");
    QVERIFY(env.settings.InitDefaultSettings());
    QSet<QString> names;
    for (const auto &[name, value] : Settings::defaults()) {
        QVERIFY2(!names.contains(name), qPrintable(name + " twice in the defaults"));
        names.insert(name);
        const QString expected = name == "IdleTime" ? "99" : name == "DupDel" ? "1" : value;
        QCOMPARE(env.settings.GetSetting(name, "MISSING"), expected);
    }
    QVERIFY(env.box.shown.isEmpty());
}

void TestSettings::sampleDefaults_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("duplicates are moved, not deleted") << "MoveToFolder" << "1";
    QTest::newRow("options show moving") << "DupDel" << "0";
    QTest::newRow("numbered family") << "Priority.0" << "2";
    QTest::newRow("blank block length") << "BlockS3" << " ";
    QTest::newRow("layout with blanks and comma") << "FileAsLayoutEx" << "Nachname, Vorname (Firma)";
    QTest::newRow("user field for the ID") << "FieldNameEntryID" << "Outlook ID (created by Kontorwerk)";
}

void TestSettings::sampleDefaults()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    test::TestEnv env;
    QVERIFY(env.settings.InitDefaultSettings());
    QCOMPARE(env.settings.GetSetting(name, "MISSING"), value);
}

void TestSettings::everyDefaultIsReadThroughItsName_data()
{
    QTest::addColumn<QString>("name");
    for (const auto &[name, value] : Settings::defaults())
        QTest::newRow(qPrintable(name)) << name;
}

// A default nobody reads, or a reader that spells the name itself, is how a
// setting silently stops working: the options store one name, the tool reads
// another. Every default is read through its constant in SettingNames.h.
void TestSettings::everyDefaultIsReadThroughItsName()
{
    QFETCH(QString, name);
    const SourceIndex &sources = SourceIndex::get();
    QString constant = sources.constants.value(name);
    if (constant.isEmpty() && name.back().isDigit()) // a numbered family: BlockA1, Priority.0
        constant = sources.constants.value(name.chopped(1));
    QVERIFY2(!constant.isEmpty(), "no constant in SettingNames.h");
    const bool read = sources.readers.contains(QRegularExpression("\\bsetting::" + constant + "\\b"));
    if (kNotReadYet.contains(name))
        QVERIFY2(!read, "read now: take it off the not-read-yet list");
    else
        QVERIFY2(read, qPrintable("nothing reads setting::" + constant));
}

void TestSettings::readersNeverSpellANameThemselves()
{
    static const QRegularExpression literalName(
        QStringLiteral("\\b(GetSetting|GetSettingBool|SaveSetting|InitSetting)\\(\\s*")
        + QStringLiteral("(QStringLiteral|QLatin1String|QString|u?\")"));
    const QRegularExpressionMatch m = literalName.match(SourceIndex::get().readers);
    QVERIFY2(!m.hasMatch(), qPrintable(m.captured(0)));
}

void TestSettings::failedWriteShowsSafAndReportsFailure()
{
    test::TestEnv env;
    env.settings.SaveSetting("A", "1");
    env.registry.setFailWrites(true);
    QVERIFY(!env.settings.SaveSetting("A", "2"));
    QCOMPARE(env.box.shown.size(), 1);
    QCOMPARE(env.box.shown.first().prompt, QString("saf"));
    QCOMPARE(env.box.shown.first().buttons, 0);
    QCOMPARE(env.box.shown.first().title, QString());
    QCOMPARE(env.settings.GetSetting("A", ""), QString("1"));
    QVERIFY(env.errorLog().isEmpty()); // registry errors never reach the log
}

void TestSettings::defaultsOnUnwritableStoreShowOneMessage()
{
    test::TestEnv env;
    env.registry.setFailWrites(true);
    QVERIFY(!env.settings.InitDefaultSettings());
    QCOMPARE(env.box.prompts(), QStringList{"saf"});
    QCOMPARE(env.settings.GetSetting("IdleTime", "none"), QString("none"));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
