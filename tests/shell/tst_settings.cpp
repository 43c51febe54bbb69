#include "support/TestEnv.h"

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
    const auto &defaults = Settings::defaults();
    QCOMPARE(defaults.size(), 78); // the 75 of the table and the three the removal needs
    for (const auto &[name, value] : defaults) {
        const QString expected = name == "IdleTime" ? "99" : name == "DupDel" ? "1" : value;
        QCOMPARE(env.settings.GetSetting(name, "MISSING"), expected);
    }
    QCOMPARE(env.settings.GetSetting("DupDel", ""), QString("1"));
    QCOMPARE(Settings::defaults().at(48), qMakePair(QString("DupDel"), QString("0")));
    QCOMPARE(env.settings.GetSetting("FileAsLayoutEx", ""), QString("Nachname, Vorname (Firma)"));
    QCOMPARE(env.settings.GetSetting("BlockS3", ""), QString(" "));
    QCOMPARE(env.settings.GetSetting("MoveToFolder", ""), QString("1"));
    QCOMPARE(env.settings.GetSetting("FieldNameEntryID", ""), QString("Outlook ID (created by Kontorwerk)"));
    QVERIFY(env.box.shown.isEmpty());
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
