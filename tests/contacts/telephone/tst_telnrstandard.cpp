#include "contacts/telephone/TelNrStandard.h"

#include "platform/refdb/Connection.h"
#include "platform/refdb/Database.h"
#include "platform/refdb/FixtureDatabase.h"
#include "support/TestEnv.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QtTest>

using namespace kw;
using namespace kw::contacts::telephone;

using SettingList = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(SettingList)

namespace {

void saveAll(test::TestEnv &env, const SettingList &settings)
{
    for (const auto &[name, value] : settings)
        QVERIFY(env.settings.SaveSetting(name, value));
}

QString formatted(test::TestEnv &env, refdb::Database &db, const QString &input, bool *changed = nullptr)
{
    bool flag = true;
    const QString result = TelNrStandard::FormatTelNumber(input, flag, env.settings, env.messages, db);
    if (changed)
        *changed = flag;
    return result;
}

} // namespace

class TestTelNrStandard : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_fixture;

    QString scratchCopy(test::TestEnv &env)
    {
        const QString path = env.programFolder() + QStringLiteral("/KontorwerkPub.db");
        QFile::copy(m_fixture, path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

private Q_SLOTS:
    void initTestCase();
    void formats_data();
    void formats();
    void numberBlocks_data();
    void numberBlocks();
    void savedSettingChangesTheNextResult_data();
    void savedSettingChangesTheNextResult();
    void editedTableChangesTheNextResult_data();
    void editedTableChangesTheNextResult();
    void trunkDigitAfterCountryCode_data();
    void trunkDigitAfterCountryCode();
    void databaseCopiedOverInPlaceChangesTheNextResult();
    void unusableDatabaseIsReportedWith801_data();
    void unusableDatabaseIsReportedWith801();
    void brokenTableIsReportedOnlyWhenItIsRead_data();
    void brokenTableIsReportedOnlyWhenItIsRead();
    void countryRowWithoutCodeIsReported();
    void hostileInputsStayHarmless_data();
    void hostileInputsStayHarmless();
};

void TestTelNrStandard::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_fixture = test::buildFixtureDatabase(m_dir.filePath(QStringLiteral("fixture.db")),
                                           {QStringLiteral("T_CountryCodes"), QStringLiteral("T_CountryAndAreaCodes")});
}

void TestTelNrStandard::formats_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<SettingList>("settings");
    QTest::addColumn<QString>("expected");
    const SettingList none;
    const SettingList subscriberBlocks{{"UseNumberBlocksAreaPres", "1"}, {"BlockS1", "3"}, {"BlockS2", "3"}};

    // Worked examples.
    QTest::newRow("trunk prefix, area code and extension") << "(0711) 123 456-78" << none << "+49 (711) 123456-78";
    QTest::newRow("subscriber blocks end before the extension") << "(0711) 123 456-78" << subscriberBlocks << "+49 (711) 123 456-78";
    QTest::newRow("plus sign, area code without trunk prefix") << "+33 1 23 45 67 89" << none << "+33 (1) 23456789";
    QTest::newRow("old Zurich area code becomes 44") << "0041 1 765 43 21" << none << "+41 (44) 7654321";
    QTest::newRow("old Zurich area code kept when switched off") << "0041 1 765 43 21" << SettingList{{"SchweizKonv", "0"}} << "+41 (1) 7654321";
    QTest::newRow("country without area codes") << "00423 765 4321" << none << "+423 7654321";
    QTest::newRow("no prefix of any kind") << "765432" << none << "765432";

    // Prefixes and country recognition.
    QTest::newRow("two extension separators, rightmost counts") << "0711 12-34-56" << none << "+49 (711) 1234-56";
    QTest::newRow("plus followed by the international prefix") << "+0049 711 1234" << none << "+49 (711) 1234";
    QTest::newRow("blank before plus and prefix") << " +0049 711 1234" << none << "+49 (711) 1234";
    QTest::newRow("label before the plus") << "Fax: +49 711 1234" << none << "+49 (711) 1234";
    QTest::newRow("Plus on: country code without prefix") << "49711123456" << SettingList{{"Plus", "1"}} << "+49 (711) 123456";
    QTest::newRow("Plus off: bare country code not recognised") << "49711123456" << none << "49711123456";
    QTest::newRow("country without trunk prefix counts as recognised") << "00423/7654321" << none << "+423 7654321";
    QTest::newRow("unknown country code") << "00999 123456" << none << "00999 123456";
    QTest::newRow("IgnoreCountryCode writes the home country") << "0033 711 1234" << SettingList{{"IgnoreCountryCode", "1"}} << "+49 (711) 1234";
    QTest::newRow("Plus stored as another number") << "49711123456" << SettingList{{"Plus", "-1"}} << "+49 (711) 123456";
    QTest::newRow("SchweizKonv not a number keeps its default") << "0041 1 765 43 21" << SettingList{{"SchweizKonv", "ja"}} << "+41 (44) 7654321";
    QTest::newRow("international prefix is trimmed") << "+49 711 1234" << SettingList{{"IDDP", " 00 "}} << "+49 (711) 1234";
    QTest::newRow("other international prefix") << "011 49 711 1234" << SettingList{{"IDDP", "011"}} << "+49 (711) 1234";
    QTest::newRow("home country from the settings") << "01 23 45 67 89" << SettingList{{"CountryCode", " 33 "}} << "+33 (1) 23456789";
    QTest::newRow("other home trunk prefix") << "8 711 1234" << SettingList{{"NDDP", "8"}} << "+49 (711) 1234";

    // Area codes.
    QTest::newRow("shortest area code wins") << "02212 3456" << none << "+49 (221) 23456";
    QTest::newRow("area code with trunk digit, second query") << "0039 06 1234567" << none << "+39 (06) 1234567";
    QTest::newRow("second query only after a removed trunk prefix") << "0039 6 1234567" << none << "0039 6 1234567";
    QTest::newRow("area code not in the table") << "040 123456" << none << "040 123456";
    QTest::newRow("area code not in the table, country given") << "+49 40 123456" << none << "+49 40 123456";
    QTest::newRow("Vienna") << "+43 1 234 56 78" << none << "+43 (1) 2345678";
    QTest::newRow("North America") << "+1 212 555 0100" << none << "+1 (212) 5550100";

    // Extension separator at the ends.
    QTest::newRow("separator at the end dropped") << "0711 1234-" << none << "+49 (711) 1234";
    QTest::newRow("separator right after the area code dropped") << "0711-1234" << none << "+49 (711) 1234";
    QTest::newRow("other input separator") << "0711 1234/56" << SettingList{{"DurchwahlTrenn", "/"}} << "+49 (711) 1234-56";
    QTest::newRow("input separator of two characters never matches") << "0711 1234-56" << SettingList{{"DurchwahlTrenn", "--"}} << "+49 (711) 123456";
    QTest::newRow("output separator of several characters") << "0711 1234-56" << SettingList{{"DurchwahlTrennOut", " App. "}} << "+49 (711) 1234 App. 56";
    QTest::newRow("quote as output separator") << "0711 1234-56" << SettingList{{"DurchwahlTrennOut", "'"}} << "+49 (711) 1234'56";
    QTest::newRow("percent as output separator") << "0711 1234-56" << SettingList{{"DurchwahlTrennOut", "%"}} << "+49 (711) 1234%56";

    // Filters.
    QTest::newRow("country filter, other country") << "0711 1234" << SettingList{{"FilterTel", "1"}, {"FilterCountry", "1"}, {"FilterCountryStr", "43"}} << "0711 1234";
    QTest::newRow("country filter, same country") << "0711 1234" << SettingList{{"FilterTel", "1"}, {"FilterCountry", "1"}, {"FilterCountryStr", " 49 "}} << "+49 (711) 1234";
    QTest::newRow("area filter, other area") << "0711 1234" << SettingList{{"FilterTel", "1"}, {"FilterArea", "1"}, {"FilterAreaStr", "30"}} << "0711 1234";
    QTest::newRow("filters ignored without FilterTel") << "0711 1234" << SettingList{{"FilterCountry", "1"}, {"FilterCountryStr", "43"}} << "+49 (711) 1234";

    // Layout.
    QTest::newRow("IDDPOut is trimmed") << "0711 1234" << SettingList{{"IDDPOut", " + "}} << "+49 (711) 1234";
    QTest::newRow("IDDPOut as digits") << "0711 1234" << SettingList{{"IDDPOut", "00"}} << "0049 (711) 1234";
    QTest::newRow("own area separators") << "0711 1234" << SettingList{{"VorwahlTrennOut1", "-"}, {"VorwahlTrennOut2", "-"}} << "+49-711-1234";
    QTest::newRow("blocks without area code") << "00423 765 4321" << SettingList{{"UseNumberBlocksAreaNo", "1"}, {"BlockT1", "3"}, {"BlockT2", "2"}} << "+423 765 43 21";
    QTest::newRow("Zurich conversion after area blocks") << "0041 1 765 43 21" << SettingList{{"UseNumberBlocksAreaPres", "1"}, {"BlockA1", "2"}, {"BlockS1", "3"}} << "+41 (44) 765 4321";

    // Hostile but meaningful input.
    QTest::newRow("blank input") << "   " << none << "";
    QTest::newRow("only separators") << " - / ( ) . " << none << " - / ( ) . ";
    QTest::newRow("quotes and percent around digits") << "'0711' %1234" << none << "+49 (711) 1234";
    QTest::newRow("Arabic-Indic digits") << "٠٧١١ ١٢٣٤" << none << "+49 (711) 1234";
    QTest::newRow("full-width digits") << "０７１１ １２３４" << none << "+49 (711) 1234";
    QTest::newRow("mathematical digits outside the BMP") << "𝟎𝟕𝟏𝟏 𝟏𝟐𝟑𝟒" << none << "+49 (711) 1234";
    QTest::newRow("quote in the home country setting") << "0711 1234" << SettingList{{"CountryCode", "49' OR '1'='1"}} << "0711 1234";
    QTest::newRow("percent as home trunk prefix") << "%711 1234" << SettingList{{"NDDP", "%"}} << "%711 1234";
}

void TestTelNrStandard::formats()
{
    QFETCH(QString, input);
    QFETCH(SettingList, settings);
    QFETCH(QString, expected);
    test::TestEnv env;
    saveAll(env, settings);
    refdb::Database db(m_fixture);
    bool changed = false;
    QCOMPARE(formatted(env, db, input, &changed), expected);
    // Blank input gives "" yet counts as unchanged.
    QCOMPARE(changed, expected != input && !input.trimmed().isEmpty());
    QCOMPARE(env.box.shown.size(), 0);
}

void TestTelNrStandard::numberBlocks_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<SettingList>("settings");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blocks stop before the extension") << "123456-78" << "BlockS" << SettingList{{"BlockS1", "3"}, {"BlockS2", "3"}} << "123 456-78";
    QTest::newRow("lengths past the end") << "12345" << "BlockS" << SettingList{{"BlockS1", "3"}, {"BlockS2", "4"}} << "123 45";
    QTest::newRow("no separator after the last digit") << "123456" << "BlockS" << SettingList{{"BlockS1", "3"}, {"BlockS2", "3"}, {"BlockS3", "2"}} << "123 456";
    QTest::newRow("non-numeric length counts as 0") << "123456" << "BlockS" << SettingList{{"BlockS1", "x"}, {"BlockS2", "3"}} << "123 456";
    QTest::newRow("blank length counts as 0") << "123456" << "BlockS" << SettingList{{"BlockS1", " "}} << "123456";
    QTest::newRow("negative length counts as 0") << "123456" << "BlockS" << SettingList{{"BlockS1", "-2"}, {"BlockS2", "3"}} << "123 456";
    QTest::newRow("zero length between blocks adds nothing") << "1234567" << "BlockS" << SettingList{{"BlockS1", "2"}, {"BlockS3", "2"}} << "12 34 567";
    QTest::newRow("fraction rounds to even") << "123456" << "BlockS" << SettingList{{"BlockS1", "2.5"}} << "12 3456";
    QTest::newRow("area code has two blocks only") << "71111" << "BlockA" << SettingList{{"BlockA1", "1"}, {"BlockA2", "1"}, {"BlockA3", "1"}} << "7 1 111";
    QTest::newRow("number without area code uses its separator") << "1234567" << "BlockT" << SettingList{{"BlockT1", "3"}, {"BlockTrennAreaNo", "/"}} << "123/4567";
    QTest::newRow("block crossing the extension") << "123456-78" << "BlockS" << SettingList{{"BlockS1", "8"}, {"BlockS2", "3"}} << "123456-78";
    QTest::newRow("extension separator first") << "-78" << "BlockS" << SettingList{{"BlockS1", "2"}, {"BlockS2", "1"}} << "-78";
    QTest::newRow("long extension separator") << "123456 ext. 78" << "BlockS" << SettingList{{"DurchwahlTrennOut", " ext. "}, {"BlockS1", "3"}, {"BlockS2", "3"}} << "123 456 ext. 78";
    QTest::newRow("empty digits") << "" << "BlockS" << SettingList{{"BlockS1", "3"}} << "";
    QTest::newRow("huge length") << "123" << "BlockS" << SettingList{{"BlockS1", "1e300"}} << "123";
}

void TestTelNrStandard::numberBlocks()
{
    QFETCH(QString, digits);
    QFETCH(QString, kind);
    QFETCH(SettingList, settings);
    QFETCH(QString, expected);
    test::TestEnv env;
    saveAll(env, settings);
    QCOMPARE(TelNrStandard::FormatNumberBlocks(digits, kind, env.settings), expected);
}

void TestTelNrStandard::savedSettingChangesTheNextResult_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("output prefix, same length each time") << "IDDPOut" << QStringList{"1", "2", "3"} << QStringList{"149 (711) 1234-5", "249 (711) 1234-5", "349 (711) 1234-5"};
    QTest::newRow("extension separator") << "DurchwahlTrennOut" << QStringList{"/", "x"} << QStringList{"+49 (711) 1234/5", "+49 (711) 1234x5"};
    QTest::newRow("filter switched on and off") << "FilterTel" << QStringList{"1", "0"} << QStringList{"0711 1234-5", "+49 (711) 1234-5"};
}

void TestTelNrStandard::savedSettingChangesTheNextResult()
{
    QFETCH(QString, name);
    QFETCH(QStringList, values);
    QFETCH(QStringList, expected);
    test::TestEnv env;
    saveAll(env, {{"FilterCountry", "1"}, {"FilterCountryStr", "43"}});
    refdb::Database db(m_fixture);
    QCOMPARE(formatted(env, db, "0711 1234-5"), QStringLiteral("+49 (711) 1234-5"));
    for (int i = 0; i < values.size(); ++i) {
        QVERIFY(env.settings.SaveSetting(name, values.at(i)));
        QCOMPARE(formatted(env, db, "0711 1234-5"), expected.at(i));
    }
}

void TestTelNrStandard::editedTableChangesTheNextResult_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("area code added") << "INSERT INTO T_CountryAndAreaCodes (CountryCode, AreaCode) VALUES ('49', '40')"
                                     << "040 123456" << "040 123456" << "+49 (40) 123456";
    QTest::newRow("area code changed") << "UPDATE T_CountryAndAreaCodes SET AreaCode = '712' WHERE AreaCode = '711'"
                                       << "0711 1234" << "+49 (711) 1234" << "0711 1234";
    QTest::newRow("NULL row added: country without area codes") << "INSERT INTO T_CountryAndAreaCodes (CountryCode, AreaCode) VALUES ('49', NULL)"
                                                                << "0711 1234" << "+49 (711) 1234" << "+49 7111234";
    QTest::newRow("trunk prefix removed from the country") << "UPDATE T_CountryCodes SET NationalDDPrefix = NULL WHERE CountryCode = '43'"
                                                          << "0043 01 2345" << "+43 (1) 2345" << "0043 01 2345";
    QTest::newRow("country code changed") << "UPDATE T_CountryCodes SET CountryCode = '34' WHERE CountryCode = '33'"
                                          << "0033 1 2345" << "+33 (1) 2345" << "0033 1 2345";
}

// A file copied over the database in place (same inode) whose header says
// the same number of commits as the old one: SQLite cannot tell them apart.
void TestTelNrStandard::databaseCopiedOverInPlaceChangesTheNextResult()
{
    test::TestEnv env;
    const QString path = scratchCopy(env);
    const QString other = env.path(QStringLiteral("other.db"));
    QVERIFY(QFile::copy(path, other));
    QFile::setPermissions(other, QFile::ReadOwner | QFile::WriteOwner);
    refdb::Connection::Open(other, refdb::Connection::Mode::ReadWrite)
        .Execute("DELETE FROM T_CountryAndAreaCodes WHERE AreaCode = '711'");
    refdb::Connection::Open(path, refdb::Connection::Mode::ReadWrite)
        .Execute("UPDATE T_CountryAndAreaCodes SET Place = 'Stadt' WHERE AreaCode = '711'");
    refdb::Database db(path);
    QCOMPARE(formatted(env, db, "0711 1234"), QStringLiteral("+49 (711) 1234"));

    QFile source(other);
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    QFile target(path);
    QVERIFY(target.open(QIODevice::ReadOnly));
    QCOMPARE(target.read(40).mid(24), bytes.mid(24, 16)); // same commit count, size and free list
    target.close();
    QThread::msleep(20); // file times advance in clock ticks; a copy comes later than that anyway
    QVERIFY(target.open(QIODevice::ReadWrite)); // no truncation: the file keeps its inode and size
    QCOMPARE(target.write(bytes), bytes.size());
    target.close();
    QCOMPARE(formatted(env, db, "0711 1234"), QStringLiteral("0711 1234"));
}

void TestTelNrStandard::editedTableChangesTheNextResult()
{
    QFETCH(QString, statement);
    QFETCH(QString, input);
    QFETCH(QString, before);
    QFETCH(QString, after);
    test::TestEnv env;
    const QString path = scratchCopy(env);
    refdb::Database db(path);
    QCOMPARE(formatted(env, db, input), before);
    refdb::Connection::Open(path, refdb::Connection::Mode::ReadWrite).Execute(statement);
    QCOMPARE(formatted(env, db, input), after);
}

void TestTelNrStandard::trunkDigitAfterCountryCode_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("russianAreaCodes"); // else Russia has only its NULL row
    QTest::addColumn<SettingList>("settings");
    QTest::addColumn<QString>("expected");
    const SettingList none;
    // Countries with a trunk prefix and no area codes: the digit is part of the number.
    QTest::newRow("St Petersburg, no area rows") << "+7 812 123 45 67" << false << none << "+7 8121234567";
    QTest::newRow("Russian freephone, no area rows") << "+7 800 123 45 67" << false << none << "+7 8001234567";
    QTest::newRow("Belarus freephone") << "+375 800 200 7981" << false << none << "+375 8002007981";
    QTest::newRow("Rwanda, old zero") << "+250 06 21 96 33" << false << none << "+250 06219633";
    QTest::newRow("second run keeps the digit") << "+7 8121234567" << false << none << "+7 8121234567";
    // Area codes after a written trunk prefix, as before.
    QTest::newRow("German trunk prefix after the country") << "+49 0711 1234" << false << none << "+49 (711) 1234";
    QTest::newRow("German bracketed trunk prefix") << "+49 (0)711 1234" << false << none << "+49 (711) 1234";
    QTest::newRow("Austrian trunk prefix after the country") << "0043 01 234 56 78" << false << none << "+43 (1) 2345678";
    QTest::newRow("Swiss trunk prefix after the country") << "+41 044 123 45 67" << false << none << "+41 (44) 1234567";
    QTest::newRow("Italian area code with its zero") << "+39 06 1234567" << false << none << "+39 (06) 1234567";
    QTest::newRow("unknown German area code after trunk prefix") << "+49 0999 1234" << false << none << "+49 0999 1234";
    // Area codes that begin with the trunk digit: the whole digits win.
    QTest::newRow("area code beginning with the trunk digit") << "+7 812 123 45 67" << true << none << "+7 (812) 1234567";
    QTest::newRow("rest would also begin with an area code") << "+7 8121 23 45 67" << true << none << "+7 (812) 1234567";
    QTest::newRow("trunk digit before such an area code") << "+7 8 812 123 45 67" << true << none << "+7 (812) 1234567";
    QTest::newRow("no area code either way") << "+7 555 123 45 67" << true << none << "+7 555 123 45 67";
    // Written without the country code, the trunk prefix goes as before.
    QTest::newRow("home country Russia") << "8 812 123 45 67" << true << SettingList{{"CountryCode", "7"}, {"NDDP", "8"}} << "+7 (812) 1234567";
}

void TestTelNrStandard::trunkDigitAfterCountryCode()
{
    QFETCH(QString, input);
    QFETCH(bool, russianAreaCodes);
    QFETCH(SettingList, settings);
    QFETCH(QString, expected);
    test::TestEnv env;
    saveAll(env, settings);
    const QString path = scratchCopy(env);
    QStringList rows{"INSERT INTO T_CountryCodes (CountryCode, NationalDDPrefix) VALUES ('7', '8')",
                     "INSERT INTO T_CountryCodes (CountryCode, NationalDDPrefix) VALUES ('375', '8')",
                     "INSERT INTO T_CountryCodes (CountryCode, NationalDDPrefix) VALUES ('250', '0')",
                     "INSERT INTO T_CountryAndAreaCodes (CountryCode, AreaCode) VALUES ('375', NULL)",
                     "INSERT INTO T_CountryAndAreaCodes (CountryCode, AreaCode) VALUES ('250', NULL)"};
    if (russianAreaCodes) {
        // "121" makes the digits after a dropped 8 of "8121..." an area code too.
        rows << "INSERT INTO T_CountryAndAreaCodes (CountryCode, AreaCode) VALUES ('7', '812')"
             << "INSERT INTO T_CountryAndAreaCodes (CountryCode, AreaCode) VALUES ('7', '121')";
    } else {
        rows << "INSERT INTO T_CountryAndAreaCodes (CountryCode, AreaCode) VALUES ('7', NULL)";
    }
    refdb::Connection write = refdb::Connection::Open(path, refdb::Connection::Mode::ReadWrite);
    for (const QString &row : rows)
        write.Execute(row);
    refdb::Database db(path);
    bool changed = false;
    QCOMPARE(formatted(env, db, input, &changed), expected);
    QCOMPARE(changed, expected != input);
    QCOMPARE(env.box.shown.size(), 0);
}

void TestTelNrStandard::unusableDatabaseIsReportedWith801_data()
{
    QTest::addColumn<int>("damage");
    QTest::newRow("file missing") << 0;
    QTest::newRow("file is not a database") << 1;
    QTest::newRow("telephone table missing") << 2;
    QTest::newRow("file removed after a good call") << 3;
    QTest::newRow("file overwritten after a good call") << 4;
}

void TestTelNrStandard::unusableDatabaseIsReportedWith801()
{
    QFETCH(int, damage);
    test::TestEnv env;
    const QString path = scratchCopy(env);
    refdb::Database db(path);
    if (damage >= 3)
        QCOMPARE(formatted(env, db, "0711 1234"), QStringLiteral("+49 (711) 1234"));
    if (damage == 0 || damage == 3)
        QFile::remove(path);
    if (damage == 1 || damage == 4) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(8192, '\x7f'));
    }
    if (damage == 2)
        refdb::Connection::Open(path, refdb::Connection::Mode::ReadWrite).Execute("DROP TABLE T_CountryAndAreaCodes");

    QCOMPARE(formatted(env, db, "   "), QString()); // blank input never touches the database
    QCOMPARE(env.box.shown.size(), 0);
    bool changed = true;
    QCOMPARE(formatted(env, db, "0711 1234", &changed), QString());
    QVERIFY(!changed);
    QCOMPARE(env.box.shown.size(), 1);
    QVERIFY(env.box.shown.first().prompt.contains("(Telephone number.: 0711 1234)"));
    QVERIFY(env.errorLog().contains(QStringLiteral("Sub: 801")));
    if (damage == 0 || damage == 3) {
        scratchCopy(env); // the file is back: the next call works again
        QCOMPARE(formatted(env, db, "0711 1234"), QStringLiteral("+49 (711) 1234"));
    }
}

void TestTelNrStandard::brokenTableIsReportedOnlyWhenItIsRead_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const QString noAreas = QStringLiteral("DROP TABLE T_CountryAndAreaCodes");
    const QString noCountries = QStringLiteral("DROP TABLE T_CountryCodes");
    QTest::newRow("area table missing, number without prefix") << noAreas << "765432" << "765432";
    QTest::newRow("area table missing, unknown country") << noAreas << "00999 123456" << "00999 123456";
    QTest::newRow("area table missing, area code needed") << noAreas << "0711 1234" << "";
    QTest::newRow("country table missing, number without prefix") << noCountries << "765432" << "";
}

void TestTelNrStandard::brokenTableIsReportedOnlyWhenItIsRead()
{
    QFETCH(QString, statement);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    test::TestEnv env;
    const QString path = scratchCopy(env);
    refdb::Connection::Open(path, refdb::Connection::Mode::ReadWrite).Execute(statement);
    refdb::Database db(path);
    bool changed = true;
    QCOMPARE(formatted(env, db, input, &changed), expected);
    QVERIFY(!changed);
    QCOMPARE(env.box.shown.size(), expected.isEmpty() ? 1 : 0);
}

void TestTelNrStandard::countryRowWithoutCodeIsReported()
{
    test::TestEnv env;
    const QString path = env.programFolder() + QStringLiteral("/nullcode.db");
    QFile(path).open(QIODevice::WriteOnly);
    {
        refdb::Connection db = refdb::Connection::Open(path, refdb::Connection::Mode::ReadWrite);
        db.Execute("CREATE TABLE T_CountryCodes (CountryCode TEXT, NationalDDPrefix TEXT)");
        db.Execute("CREATE TABLE T_CountryAndAreaCodes (CountryCode TEXT, AreaCode TEXT)");
        db.Execute("INSERT INTO T_CountryCodes VALUES ('49', '0'), (NULL, '0'), ('43', '0')");
        db.Execute("INSERT INTO T_CountryAndAreaCodes VALUES ('49', '711'), ('43', '1')");
    }
    refdb::Database db(path);
    QCOMPARE(formatted(env, db, "0049 711 1234"), QStringLiteral("+49 (711) 1234")); // found before the gap
    QCOMPARE(env.box.shown.size(), 0);
    QCOMPARE(formatted(env, db, "0043 1 1234"), QString());
    QCOMPARE(env.box.shown.size(), 1);
}

void TestTelNrStandard::hostileInputsStayHarmless_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("200,000 digits") << "0711 " + QString(200000, u'1') << "+49 (711) " + QString(200000, u'1');
    QTest::newRow("a million separators") << QString(1000000, u'-') << QString(1000000, u'-');
    QTest::newRow("a million plus signs") << QString(1000000, u'+') << QString(1000000, u'+');
    QTest::newRow("embedded NUL characters") << QString::fromUtf16(u"0711\0 1234", 10) << "+49 (711) 1234";
    QTest::newRow("lone surrogates") << QString::fromUtf16(u"\xD800" "0711 1234\xDC00") << "+49 (711) 1234";
    QTest::newRow("right-to-left marks") << QString::fromUtf16(u"\u200F0711\u200E 1234") << "+49 (711) 1234";
    QTest::newRow("SQL in the number") << "0711'; DROP TABLE T_CountryCodes; --1234" << "+49 (711) 1234";
    QTest::newRow("LIKE wildcards in the number") << "0%_711 1234" << "+49 (711) 1234";
    QTest::newRow("superscript digits are not digits") << "⁰⁷¹¹" << "⁰⁷¹¹";
}

void TestTelNrStandard::hostileInputsStayHarmless()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    test::TestEnv env;
    refdb::Database db(m_fixture);
    QElapsedTimer timer;
    timer.start();
    bool changed = false;
    QCOMPARE(formatted(env, db, input, &changed), expected);
    QCOMPARE(changed, expected != input);
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(env.box.shown.size(), 0);
    QCOMPARE(formatted(env, db, "0711 1234"), QStringLiteral("+49 (711) 1234")); // tables intact
}

QTEST_GUILESS_MAIN(TestTelNrStandard)
#include "tst_telnrstandard.moc"
