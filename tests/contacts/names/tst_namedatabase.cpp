#include "contacts/names/NameCorrectionFunctions.h"
#include "contacts/names/NameWordDatabase.h"
#include "platform/refdb/Builder.h"
#include "platform/refdb/Connection.h"
#include "platform/refdb/Database.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <QtTest>

using namespace kw;
using namespace kw::contacts::names;

namespace {

// The frozen name tables of tests/fixtures/names in a database of the shipped schema.
QString buildNameFixture(const QString &target)
{
    const QDir fixtures(QStringLiteral(KW_TEST_FIXTURES "/names"));
    QStringList files;
    for (const QString &file : fixtures.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name))
        files << fixtures.filePath(file);
    refdb::buildDatabase(QStringLiteral(KW_SOURCE_DIR "/data/refdb/schema.sql"), files, target);
    return target;
}

QStringList partsOf(const std::optional<ParsedName> &r)
{
    return r ? QStringList{r->Title, r->FirstName, r->MiddleName, r->LastName, r->Suffix} : QStringList();
}

} // namespace

class TestNameDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changeTakesEffectAtOnce_data();
    void changeTakesEffectAtOnce();
    void unreadableDatabaseFailsWith2502_data();
    void unreadableDatabaseFailsWith2502();
    void memoryLookupAgreesWithDatabase_data();
    void memoryLookupAgreesWithDatabase();
    void foldKeyAsUnicodeFolds_data();
    void foldKeyAsUnicodeFolds();
};

void TestNameDatabase::changeTakesEffectAtOnce_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("held"); // as a run holds it for a folder: seen after release
    QTest::newRow("row added, rollback journal") << "insert" << false;
    QTest::newRow("row added, write-ahead log") << "wal" << false;
    QTest::newRow("file replaced by a copy with the row") << "replace" << false;
    QTest::newRow("row added while held") << "insert" << true;
    QTest::newRow("file replaced while held") << "replace" << true;
}

void TestNameDatabase::changeTakesEffectAtOnce()
{
    QFETCH(QString, change);
    QFETCH(bool, held);
    test::TestEnv env;
    refdb::Database db(buildNameFixture(env.path("names.db")));
    NameWordDatabase words(db);
    words.hold(held);
    if (change == "wal") {
        refdb::Connection c = refdb::Connection::Open(db.path(), refdb::Connection::Mode::ReadWrite);
        c.OpenRecordset("PRAGMA journal_mode = WAL").Close();
    }
    const QStringList before{"", "", "", "Otto Meier", ""};
    QCOMPARE(partsOf(ParseFullName("Otto Meier", false, words, env.messages)), before);
    QCOMPARE(partsOf(ParseFullName("Otto Meier", false, words, env.messages)), before);

    const QString target = change == "replace" ? env.path("other.db") : db.path();
    if (change == "replace")
        QVERIFY(QFile::copy(db.path(), target));
    {
        refdb::Connection edit = refdb::Connection::Open(target, refdb::Connection::Mode::ReadWrite);
        edit.Execute("INSERT INTO T_FirstNames (FirstName, Gender) VALUES (?, ?)", {"otto", "M"});
    }
    if (change == "replace")
        QVERIFY(::rename(QFile::encodeName(target).constData(), QFile::encodeName(db.path()).constData()) == 0);
    if (held) {
        QCOMPARE(partsOf(ParseFullName("Otto Meier", false, words, env.messages)), before);
        words.hold(false);
    }
    QCOMPARE(partsOf(ParseFullName("Otto Meier", false, words, env.messages)),
             (QStringList{"Herr", "Otto", "", "Meier", ""}));
}

void TestNameDatabase::unreadableDatabaseFailsWith2502_data()
{
    QTest::addColumn<QByteArray>("content"); // what the file holds afterwards; null: removed
    QTest::newRow("file removed") << QByteArray();
    QTest::newRow("not a database") << QByteArray(4096, 'x');
    QTest::newRow("empty file, no tables") << QByteArray("");
}

void TestNameDatabase::unreadableDatabaseFailsWith2502()
{
    QFETCH(QByteArray, content);
    test::TestEnv env;
    refdb::Database db(buildNameFixture(env.path("names.db")));
    NameWordDatabase words(db);
    QVERIFY(ParseFullName("Hans Meier", false, words, env.messages).has_value());

    QVERIFY(QFile::remove(db.path()));
    if (!content.isNull()) {
        QFile f(db.path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QVERIFY(!ParseFullName("Hans Meier", false, words, env.messages).has_value());
    QCOMPARE(env.box.shown.size(), 1);
    QVERIFY(env.errorLog().contains("Sub: 2502\r\n"));
}

void TestNameDatabase::memoryLookupAgreesWithDatabase_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("word");
    QTest::newRow("first name upper case") << "T_FirstNames" << "FirstName" << QStringLiteral("JÜRGEN");
    QTest::newRow("first name mixed case") << "T_FirstNames" << "FirstName" << QStringLiteral("jÜrGeN");
    QTest::newRow("first name absent") << "T_FirstNames" << "FirstName" << "Otto";
    QTest::newRow("salutation lower case") << "T_Addresses" << "Address" << "herr";
    QTest::newRow("glued diploma title") << "T_TitlesDipl" << "Title" << "DIPL.-ING.(FH)";
    QTest::newRow("doctor title with blanks") << "T_TitlesDr" << "Title" << "dr. MED.";
    QTest::newRow("apostrophe") << "T_Suffixes" << "Suffix" << "jun.'";
}

void TestNameDatabase::memoryLookupAgreesWithDatabase()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, word);
    test::TestEnv env;
    refdb::Database db(buildNameFixture(env.path("names.db")));
    refdb::Connection c = db.open();
    refdb::Recordset rs = c.OpenRecordset(QString("SELECT * FROM %1 WHERE %2 = ?").arg(table, column), {word});
    const bool inDatabase = !rs.Eof();
    rs.Close();

    const NameWordTables tables = readNameWordTables(c);
    const QString key = NameWordTables::foldNameKey(word);
    const bool inMemory = table == "T_FirstNames" ? tables.findFirstName(key, nullptr)
        : table == "T_Addresses"                  ? tables.isAddress(key)
        : table == "T_TitlesDipl"                 ? tables.isTitleDipl(key)
        : table == "T_TitlesDr"                   ? tables.isTitleDr(key)
                                                  : tables.isSuffix(key);
    QCOMPARE(inMemory, inDatabase);
}

// Latin-1 is folded without Qt's tables: the key must be the one Qt gives.
void TestNameDatabase::foldKeyAsUnicodeFolds_data()
{
    QTest::addColumn<QString>("text");
    QString latin1;
    for (char16_t c = 1; c < 0x100; ++c)
        latin1 += QChar(c);
    QTest::newRow("every Latin-1 character") << latin1;
    QTest::newRow("lower case stays") << "hans-peter";
    QTest::newRow("capitals and umlauts") << QString::fromUtf8("JÜRGEN Öztürk ÆØÅ ß");
    QTest::newRow("micro sign") << QString::fromUtf8("µ-Tech");
    QTest::newRow("combining diaeresis") << QString::fromUtf8("Mu\u0308ller");
    QTest::newRow("beyond Latin-1") << QString::fromUtf8("ŁUKASZ İlkay Σ");
    QTest::newRow("empty") << "";
}

void TestNameDatabase::foldKeyAsUnicodeFolds()
{
    QFETCH(QString, text);
    QCOMPARE(NameWordTables::foldNameKey(text), text.normalized(QString::NormalizationForm_C).toCaseFolded());
}

QTEST_GUILESS_MAIN(TestNameDatabase)
#include "tst_namedatabase.moc"
