#include "platform/refdb/FixtureDatabase.h"

#include "platform/core/PlatformError.h"
#include "platform/refdb/Builder.h"
#include "platform/refdb/Connection.h"
#include "platform/refdb/Database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace kw;
using namespace kw::refdb;

namespace {

long errorNumberOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const PlatformError &error) {
        return error.number();
    }
    return 0;
}

int countRows(Connection &db, const QString &sql, const QVariantList &params = {})
{
    Recordset rs = db.OpenRecordset(sql, params);
    int rows = 0;
    for (; !rs.Eof(); rs.MoveNext())
        ++rows;
    return rows;
}

} // namespace

class TestRefDb : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_db;

    // A fresh copy of the fixture for tests that write.
    QString scratchCopy(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        QFile::copy(m_db, path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

private Q_SLOTS:
    void initTestCase();
    void recordsetWalksRowsAndShowsNull();
    void recordsetRefusesWhatIsNotThere_data();
    void recordsetRefusesWhatIsNotThere();
    void hostileValuesStayValues_data();
    void hostileValuesStayValues();
    void likePrefixMatchesOnlyItsOwnText_data();
    void likePrefixMatchesOnlyItsOwnText();
    void nameTablesCompareWithCaseFolding_data();
    void nameTablesCompareWithCaseFolding();
    void telephoneTablesRefuseExistingRows_data();
    void telephoneTablesRefuseExistingRows();
    void nullAreaCodesSortFirst();
    void holidayPeriodRuleCoversEveryPair();
    void missingDatabaseIsReported();
    void unusableFileIsNamedInGerman_data();
    void unusableFileIsNamedInGerman();
    void stampFollowsCommitsAndReplacement();
    void cachedValueIsRebuiltOnlyAfterAChange();
    void programCopyIsMadeOnlyWhenMissing();
    void brokenProgramCopyIsSetAsideAndReplaced_data();
    void brokenProgramCopyIsSetAsideAndReplaced();
    void csvParsing_data();
    void csvParsing();
    void csvRejectsMalformedRows_data();
    void csvRejectsMalformedRows();
};

void TestRefDb::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_db = test::buildFixtureDatabase(m_dir.filePath(QStringLiteral("fixture.db")));
}

void TestRefDb::recordsetWalksRowsAndShowsNull()
{
    Connection db = Connection::Open(m_db);
    Recordset rs = db.OpenRecordset(
        QStringLiteral("SELECT * FROM T_CountryCodes WHERE CountryCode IN (?, ?) ORDER BY CountryCode"),
        {QStringLiteral("41"), QStringLiteral("423")});
    QCOMPARE(rs.FieldCount(), 4);
    QVERIFY(!rs.Eof());
    QCOMPARE(rs.Fields(QStringLiteral("countrycode")).text(), QStringLiteral("41"));
    QCOMPARE(rs.Fields(1).text(), QStringLiteral("0"));
    QVERIFY(!rs.Fields(1).isNull());
    rs.MoveNext();
    QCOMPARE(rs.Fields(0).text(), QStringLiteral("423"));
    QVERIFY(rs.Fields(QStringLiteral("NationalDDPrefix")).isNull());
    QCOMPARE(rs.Fields(QStringLiteral("NationalDDPrefix")).text(), QString());
    rs.MoveNext();
    QVERIFY(rs.Eof());
    rs.Close();
    QVERIFY(!rs.isOpen());
}

void TestRefDb::recordsetRefusesWhatIsNotThere_data()
{
    QTest::addColumn<int>("what");
    QTest::newRow("unknown field name") << 0;
    QTest::newRow("field index past the end") << 1;
    QTest::newRow("field read at EOF") << 2;
    QTest::newRow("MoveNext at EOF") << 3;
    QTest::newRow("invalid SQL") << 4;
    QTest::newRow("closed recordset") << 5;
}

void TestRefDb::recordsetRefusesWhatIsNotThere()
{
    QFETCH(int, what);
    Connection db = Connection::Open(m_db);
    const long number = errorNumberOf([&] {
        if (what == 4) {
            db.OpenRecordset(QStringLiteral("SELECT * FROM T_Nothing"));
            return;
        }
        Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM T_CountryCodes WHERE CountryCode = '49'"));
        switch (what) {
        case 0: rs.Fields(QStringLiteral("Nope")); break;
        case 1: rs.Fields(4); break;
        case 2: rs.MoveNext(); rs.Fields(0); break;
        case 3: rs.MoveNext(); rs.MoveNext(); break;
        case 5: rs.Close(); rs.Eof(); break;
        }
    });
    QCOMPARE(number, errors::kDatabase);
}

void TestRefDb::hostileValuesStayValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("quote that would end the literal") << "49' OR '1'='1";
    QTest::newRow("comment") << "49'; --";
    QTest::newRow("statement after it") << "49'; DELETE FROM T_CountryCodes; --";
    QTest::newRow("wildcard percent") << "%";
    QTest::newRow("wildcard underscore") << "4_";
}

void TestRefDb::hostileValuesStayValues()
{
    QFETCH(QString, value);
    Connection db = Connection::Open(m_db);
    QCOMPARE(countRows(db, QStringLiteral("SELECT * FROM T_CountryCodes WHERE CountryCode = ?"), {value}), 0);
    QCOMPARE(countRows(db, QStringLiteral("SELECT * FROM T_CountryAndAreaCodes WHERE AreaCode LIKE ? ESCAPE '\\'"),
                       {likePrefix(value)}),
             0);
    QCOMPARE(countRows(db, QStringLiteral("SELECT * FROM T_CountryCodes")), 7);
}

void TestRefDb::likePrefixMatchesOnlyItsOwnText_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("plain digit") << "7" << QStringList{"7%1", "711", "7_1", "7\\1"};
    QTest::newRow("percent is literal") << "7%" << QStringList{"7%1"};
    QTest::newRow("underscore is literal") << "7_" << QStringList{"7_1"};
    QTest::newRow("backslash is literal") << "7\\" << QStringList{"7\\1"};
    QTest::newRow("empty prefix matches all") << "" << QStringList{"7%1", "711", "7_1", "7\\1", "811"};
}

void TestRefDb::likePrefixMatchesOnlyItsOwnText()
{
    QFETCH(QString, prefix);
    QFETCH(QStringList, expected);
    const QString path = scratchCopy(QStringLiteral("like.db"));
    Connection db = Connection::Open(path, Connection::Mode::ReadWrite);
    for (const QString area : {"711", "7%1", "7_1", "7\\1", "811"})
        db.Execute(QStringLiteral("INSERT INTO T_CountryAndAreaCodes (CountryCode, AreaCode) VALUES ('99', ?)"), {area});
    Recordset rs = db.OpenRecordset(
        QStringLiteral("SELECT AreaCode FROM T_CountryAndAreaCodes WHERE CountryCode = '99' AND AreaCode LIKE ? "
                       "ESCAPE '\\' ORDER BY AreaCode"),
        {likePrefix(prefix)});
    QStringList found;
    for (; !rs.Eof(); rs.MoveNext())
        found << rs.Fields(0).text();
    expected.sort();
    QCOMPARE(found, expected);
}

void TestRefDb::nameTablesCompareWithCaseFolding_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper case umlaut") << "JÜRGEN" << "Jürgen";
    QTest::newRow("lower case") << "jürgen" << "Jürgen";
    QTest::newRow("upper case initial umlaut") << "ÖZLEM" << "Özlem";
    QTest::newRow("ascii upper") << "HANS" << "Hans";
    QTest::newRow("umlaut is not its base letter") << "Jurgen" << "";
    QTest::newRow("no prefix match") << "Han" << "";
}

void TestRefDb::nameTablesCompareWithCaseFolding()
{
    QFETCH(QString, token);
    QFETCH(QString, expected);
    Connection db = Connection::Open(m_db);
    Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM T_FirstNames WHERE FirstName = ?"), {token});
    QCOMPARE(rs.Eof() ? QString() : rs.Fields(QStringLiteral("FirstName")).text(), expected);
}

void TestRefDb::telephoneTablesRefuseExistingRows_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QVariantList>("row");
    QTest::addColumn<bool>("accepted");
    const QVariant null;
    QTest::newRow("area code that exists") << "T_CountryAndAreaCodes" << QVariantList{"49", "711"} << false;
    QTest::newRow("second NULL area code") << "T_CountryAndAreaCodes" << QVariantList{"423", null} << false;
    QTest::newRow("first NULL area code of a country") << "T_CountryAndAreaCodes" << QVariantList{"49", null} << true;
    QTest::newRow("same area code, other country") << "T_CountryAndAreaCodes" << QVariantList{"43", "711"} << true;
    QTest::newRow("country code that exists") << "T_CountryCodes" << QVariantList{"49", "0"} << false;
    QTest::newRow("blank country code") << "T_CountryCodes" << QVariantList{"  ", "0"} << false;
    QTest::newRow("new country code") << "T_CountryCodes" << QVariantList{"44", "0"} << true;
}

void TestRefDb::telephoneTablesRefuseExistingRows()
{
    QFETCH(QString, table);
    QFETCH(QVariantList, row);
    QFETCH(bool, accepted);
    const QString path = scratchCopy(QStringLiteral("dups.db"));
    Connection db = Connection::Open(path, Connection::Mode::ReadWrite);
    const QString second = table == QLatin1String("T_CountryCodes") ? QStringLiteral("NationalDDPrefix")
                                                                     : QStringLiteral("AreaCode");
    const long number = errorNumberOf([&] {
        db.Execute(QStringLiteral("INSERT INTO %1 (CountryCode, %2) VALUES (?, ?)").arg(table, second), row);
    });
    QCOMPARE(number == 0, accepted);
}

void TestRefDb::nullAreaCodesSortFirst()
{
    const QString path = scratchCopy(QStringLiteral("sort.db"));
    Connection db = Connection::Open(path, Connection::Mode::ReadWrite);
    db.Execute(QStringLiteral("INSERT INTO T_CountryAndAreaCodes (CountryCode, AreaCode) VALUES ('49', NULL)"));
    Recordset rs = db.OpenRecordset(
        QStringLiteral("SELECT AreaCode FROM T_CountryAndAreaCodes WHERE CountryCode = '49' ORDER BY AreaCode"));
    QVERIFY(rs.Fields(0).isNull());
    rs.MoveNext();
    QCOMPARE(rs.Fields(0).text(), QStringLiteral("171"));
}

void TestRefDb::holidayPeriodRuleCoversEveryPair()
{
    Connection db = Connection::Open(m_db);
    Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM T_Holidays WHERE Country = ? AND State = ?"),
                                    {QStringLiteral("ch"), QStringLiteral("zh")});
    QVERIFY(!rs.Eof());
    const int count = rs.FieldCount();
    QSet<QString> named;
    for (int i = 2; i <= (count - 1) / 2; ++i) {
        named << QStringLiteral("From%1").arg(i) << QStringLiteral("To%1").arg(i);
        rs.Fields(QStringLiteral("From%1").arg(i));
        rs.Fields(QStringLiteral("To%1").arg(i));
    }
    QSet<QString> pairs;
    for (int i = 0; i < count; ++i) {
        const QString name = rs.Fields(i).name;
        if (name.startsWith(QLatin1String("From")) || name.startsWith(QLatin1String("To")))
            pairs << name;
    }
    QCOMPARE(named, pairs);
    QCOMPARE(rs.Fields(QStringLiteral("From3")).text(), QStringLiteral("2027-02-13"));
    QVERIFY(rs.Fields(QStringLiteral("From4")).isNull());
    Recordset des = db.OpenRecordset(QStringLiteral("SELECT * FROM T_HolidaysDes WHERE \"Index\" = ? AND Country = ?"),
                                     {3, QStringLiteral("CH")});
    QCOMPARE(des.Fields(QStringLiteral("Description")).text(), QStringLiteral("Sportferien 2027"));
}

void TestRefDb::missingDatabaseIsReported()
{
    const QString path = m_dir.filePath(QStringLiteral("missing.db"));
    QCOMPARE(errorNumberOf([&] { Connection::Open(path); }), errors::kFileNotFound);
    Database db(path);
    QCOMPARE(errorNumberOf([&] { db.stamp(); }), errors::kFileNotFound);
    QVERIFY(!QFile::exists(path)); // opening never creates the file
    const QString garbage = m_dir.filePath(QStringLiteral("garbage.db"));
    QFile file(garbage);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    Database broken(garbage);
    QCOMPARE(errorNumberOf([&] { broken.stamp(); }), errors::kDatabase);
}

// The user reads which file is unusable; SQLite's English text is kept as the
// error's detail for the log, never in the description.
void TestRefDb::unusableFileIsNamedInGerman_data()
{
    QTest::addColumn<QByteArray>("content"); // null: a database with an unrelated table
    QTest::addColumn<bool>("viaStamp");      // the change check rather than a query
    QTest::addColumn<QString>("sqlite");     // what SQLite says, in the detail
    QTest::newRow("empty file, query") << QByteArray("") << false << "no such table";
    QTest::newRow("table missing, query") << QByteArray() << false << "no such table";
    QTest::newRow("not a database, query") << QByteArray(4096, 'x') << false << "file is not a database";
    QTest::newRow("not a database, change check") << QByteArray(4096, 'x') << true << "file is not a database";
}

void TestRefDb::unusableFileIsNamedInGerman()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, viaStamp);
    QFETCH(QString, sqlite);
    const QString path = m_dir.filePath(QStringLiteral("unusable-%1.db").arg(QTest::currentDataTag()));
    QFile::remove(path);
    if (content.isNull()) {
        QVERIFY(QFile::copy(m_db, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        Connection::Open(path, Connection::Mode::ReadWrite).Execute(QStringLiteral("DROP TABLE T_CountryCodes"));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    try {
        Database database(path);
        if (viaStamp)
            database.stamp();
        else
            database.open().OpenRecordset(QStringLiteral("SELECT * FROM T_CountryCodes"));
        QFAIL("accepted");
    } catch (const PlatformError &error) {
        QCOMPARE(error.number(), errors::kDatabase);
        QCOMPARE(error.description(),
                 QString::fromUtf8("Die Referenzdatenbank \"%1\" ist beschädigt oder unvollständig.").arg(path));
        QVERIFY2(error.detail().contains(sqlite), qPrintable(error.detail()));
    }
}

void TestRefDb::stampFollowsCommitsAndReplacement()
{
    const QString path = scratchCopy(QStringLiteral("stamp.db"));
    Database db(path);
    const Database::Stamp first = db.stamp();
    QCOMPARE(db.stamp(), first);
    {
        Connection writer = Connection::Open(path, Connection::Mode::ReadWrite);
        writer.Execute(QStringLiteral("UPDATE T_CountryAndAreaCodes SET AreaCode = '712' WHERE AreaCode = '711'"));
    }
    const Database::Stamp edited = db.stamp();
    QVERIFY(!(edited == first));
    QFile::remove(path);
    QCOMPARE(errorNumberOf([&] { db.stamp(); }), errors::kFileNotFound);
    scratchCopy(QStringLiteral("stamp.db"));
    QVERIFY(!(db.stamp() == edited));
}

void TestRefDb::cachedValueIsRebuiltOnlyAfterAChange()
{
    const QString path = scratchCopy(QStringLiteral("cache.db"));
    Database db(path);
    int loads = 0;
    const std::function<int(Connection &)> load = [&](Connection &c) {
        ++loads;
        return countRows(c, QStringLiteral("SELECT * FROM T_CountryAndAreaCodes"));
    };
    QCOMPARE(*db.cached<int>(load), 17);
    QCOMPARE(*db.cached<int>(load), 17);
    QCOMPARE(loads, 1);
    Connection::Open(path, Connection::Mode::ReadWrite)
        .Execute(QStringLiteral("INSERT INTO T_CountryAndAreaCodes (CountryCode, AreaCode) VALUES ('49', '40')"));
    QCOMPARE(*db.cached<int>(load), 18);
    QCOMPARE(loads, 2);
}

void TestRefDb::programCopyIsMadeOnlyWhenMissing()
{
    const QString target = m_dir.filePath(QStringLiteral("home/sub/KontorwerkPub.db"));
    QCOMPARE(ensureProgramCopy(m_db, target).path, target);
    QVERIFY(QFile::exists(target));
    Connection::Open(target, Connection::Mode::ReadWrite).Execute(QStringLiteral("DELETE FROM T_CountryCodes"));
    QCOMPARE(ensureProgramCopy(m_db, target).notice, QString()); // the user's edits stay
    Connection db = Connection::Open(target);
    QCOMPARE(countRows(db, QStringLiteral("SELECT * FROM T_CountryCodes")), 0);
    QCOMPARE(errorNumberOf([&] { ensureProgramCopy(m_dir.filePath("none.db"), m_dir.filePath("x/y.db")); }),
             errors::kFileNotFound);
    QVERIFY(!QFile::exists(m_dir.filePath("x/y.db")));
}

void TestRefDb::brokenProgramCopyIsSetAsideAndReplaced_data()
{
    QFile db(m_db);
    QVERIFY(db.open(QIODevice::ReadOnly));
    const QByteArray whole = db.readAll();
    QTest::addColumn<QByteArray>("content"); // empty with dropTable: the fixture less a table
    QTest::addColumn<bool>("dropTable");
    QTest::newRow("zero bytes") << QByteArray() << false;
    QTest::newRow("not SQLite") << QByteArray("Vorwahl;Ort\n089;München\n") << false;
    QTest::newRow("SQLite cut off half-way") << whole.left(whole.size() / 2) << false;
    QTest::newRow("SQLite without a table") << QByteArray() << true;
}

void TestRefDb::brokenProgramCopyIsSetAsideAndReplaced()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, dropTable);
    QTemporaryDir home;
    const QString target = home.filePath(QStringLiteral("KontorwerkPub.db"));
    if (dropTable) {
        const QString edited = scratchCopy(QStringLiteral("edited.db"));
        Connection::Open(edited, Connection::Mode::ReadWrite).Execute(QStringLiteral("DROP TABLE T_Hyphens"));
        QFile file(edited);
        QVERIFY(file.open(QIODevice::ReadOnly));
        content = file.readAll();
    }
    QFile file(target);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    const ProgramCopy copy = ensureProgramCopy(m_db, target);
    const QStringList aside = QDir(home.path()).entryList({QStringLiteral("KontorwerkPub.db.defekt-*")});
    QCOMPARE(aside.size(), 1);
    QVERIFY2(copy.notice.contains(aside.first()), qPrintable(copy.notice));
    QFile kept(home.filePath(aside.first()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), content); // never deleted: the user's edits may be in it
    Connection replaced = Connection::Open(target);
    Connection pristine = Connection::Open(m_db);
    const QString hyphens = QStringLiteral("SELECT * FROM T_Hyphens");
    QCOMPARE(countRows(replaced, hyphens), countRows(pristine, hyphens));
    QCOMPARE(ensureProgramCopy(m_db, target).notice, QString()); // the replacement is kept
}

void TestRefDb::csvParsing_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<QList<bool>>("nulls");
    QTest::newRow("plain") << QByteArray("a,b\nx,y\n") << QStringList{"x", "y"} << QList<bool>{false, false};
    QTest::newRow("empty field is NULL") << QByteArray("a,b\nx,\n") << QStringList{"x", ""} << QList<bool>{false, true};
    QTest::newRow("quoted empty is empty text") << QByteArray("a,b\n\"\",y\n") << QStringList{"", "y"} << QList<bool>{false, false};
    QTest::newRow("quoted comma") << QByteArray("a,b\n\"1,2\",y\n") << QStringList{"1,2", "y"} << QList<bool>{false, false};
    QTest::newRow("doubled quote") << QByteArray("a,b\n\"say \"\"hi\"\"\",y\n") << QStringList{"say \"hi\"", "y"} << QList<bool>{false, false};
    QTest::newRow("CRLF line ends") << QByteArray("a,b\r\nx,y\r\n") << QStringList{"x", "y"} << QList<bool>{false, false};
    QTest::newRow("no final line end") << QByteArray("a,b\nx,y") << QStringList{"x", "y"} << QList<bool>{false, false};
    QTest::newRow("BOM and umlauts") << QByteArray("\xEF\xBB\xBF" "a,b\nJ\xC3\xBCrgen,M\n") << QStringList{"Jürgen", "M"} << QList<bool>{false, false};
    QTest::newRow("leading zeros kept") << QByteArray("a,b\n39,06\n") << QStringList{"39", "06"} << QList<bool>{false, false};
}

void TestRefDb::csvParsing()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, row);
    QFETCH(QList<bool>, nulls);
    const CsvTable table = parseCsv(text, QStringLiteral("T"), QStringLiteral("T.csv"));
    QCOMPARE(table.columns, (QStringList{"a", "b"}));
    QCOMPARE(table.rows.size(), 1);
    QCOMPARE(table.rows.first(), row);
    for (int i = 0; i < nulls.size(); ++i)
        QCOMPARE(table.rows.first().at(i).isNull(), nulls.at(i));
}

void TestRefDb::csvRejectsMalformedRows_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("where");
    QTest::newRow("too few fields") << QByteArray("a,b\nx,y\nz\n") << "Zeile 3";
    QTest::newRow("too many fields") << QByteArray("a,b\nx,y,z\n") << "Zeile 2";
    QTest::newRow("open quote") << QByteArray("a,b\n\"x,y\n") << "Zeile 2";
}

void TestRefDb::csvRejectsMalformedRows()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, where);
    try {
        parseCsv(text, QStringLiteral("T"), QStringLiteral("T.csv"));
        QFAIL("accepted");
    } catch (const PlatformError &error) {
        QVERIFY2(error.description().contains(where), qPrintable(error.description()));
    }
}

QTEST_GUILESS_MAIN(TestRefDb)
#include "tst_refdb.moc"
