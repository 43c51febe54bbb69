#include "contacts/names/NameCorrectionFunctions.h"
#include "contacts/names/NameWordCsv.h"
#include "platform/core/PlatformError.h"
#include "support/TestEnv.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace kw;
using namespace kw::contacts::names;

namespace {

std::shared_ptr<const NameWordTables> fixtureTables()
{
    static const auto tables =
        std::make_shared<const NameWordTables>(loadNameWordCsvFolder(QStringLiteral(KW_TEST_FIXTURES "/names")));
    return tables;
}

class FailingSource : public NameWordSource
{
public:
    std::shared_ptr<const NameWordTables> acquire() override
    {
        throw PlatformError(errors::kFileNotFound, QStringLiteral("Datei nicht gefunden"));
    }
};

} // namespace

class TestNameParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void normalize_data();
    void normalize();
    void parse_data();
    void parse();
    void companyMarkers_data();
    void companyMarkers();
    void titleWindowInsideAcceptedOneIsRejected();
    void initialsAndParticle_data();
    void initialsAndParticle();
    void tokenTypeQuestions_data();
    void tokenTypeQuestions();
    void failureReportsAndLeavesNoStaleParts();
    void hostileInputNeverCrashes_data();
    void hostileInputNeverCrashes();
    void longNamesTakeLinearTime_data();
    void longNamesTakeLinearTime();
};

void TestNameParser::normalize_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("comma padded") << "Meier,Hans" << "Meier , Hans";
    QTest::newRow("semicolon becomes comma") << "Meier;Hans" << "Meier , Hans";
    QTest::newRow("hyphen padded") << "Hans-Peter" << "Hans - Peter";
    QTest::newRow("all brackets padded") << "(x)[y]{z}" << "( x ) [ y ] { z }";
    QTest::newRow("blank runs collapse, ends trimmed") << "  a   b  " << "a b";
    QTest::newRow("apostrophe kept") << "O'Brien" << "O'Brien";
    QTest::newRow("tab, nbsp and line break are blanks") << "a\tb\u00a0c\r\nd" << "a b c d";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("only separators") << ",;," << ", , ,";
}

void TestNameParser::normalize()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(NormalizeNameString(input), expected);
}

void TestNameParser::parse_data()
{
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<bool>("checkBusiness");
    QTest::addColumn<QStringList>("parts"); // title, first, middle, last, suffix
    QTest::addColumn<bool>("business");

    const auto row = [](const char *name, const QString &full, const QStringList &parts, bool check = false,
                        bool business = false) { QTest::newRow(name) << full << check << parts << business; };
    row("doctor, double first name", "Dr. Hans-Peter Meier", {"Herr  Dr.", "Hans-Peter", "", "Meier", ""});
    row("last name before comma", "Meier, Hans", {"Herr", "Hans", "", "Meier", ""});
    row("two first names: last becomes surname", "Hans Peter", {"Herr", "Hans", "", "Peter", ""});
    row("semicolon like comma", "Meier; Hans", {"Herr", "Hans", "", "Meier", ""});
    row("empty", "", {"", "", "", "", ""});
    row("all blanks", "    ", {"", "", "", "", ""});
    row("single first name stays first name", "Hans", {"Herr", "Hans", "", "", ""});
    row("salutation and unknown word", "Herr Meier", {"Herr", "", "", "Meier", ""});
    row("salutation wins over gender", "Frau Hans", {"Frau", "", "", "Hans", ""});
    row("company marker found, parts kept", QStringLiteral("Müller GmbH"),
        {"", "", "", QStringLiteral("Müller GmbH"), ""}, true, true);
    row("company marker ignored unless asked", QStringLiteral("Müller GmbH"),
        {"", "", "", QStringLiteral("Müller GmbH"), ""}, false, false);
    row("leading hyphen glued to last name", "-Meier", {"", "", "", "-Meier", ""});
    row("unknown word in brackets joins last name", "Meier (Otto)", {"", "", "", "Meier (Otto)", ""});
    row("first name in brackets", "Meier (Hans)", {"Herr", "(Hans)", "", "Meier", ""});
    row("glued diploma title with bracket", "Dipl.-Ing. (FH) Hans Meier",
        {"Herr   Dipl.-Ing. (FH)", "Hans", "", "Meier", ""});
    row("hyphenated doctor title", "Dr.-Ing. Hans Meier", {"Herr  Dr.-Ing.", "Hans", "", "Meier", ""});
    row("all title kinds, double last name", "Prof. Dr. med. Anna Lena Schmidt-Weber",
        {"Frau Prof. Dr. med.", "Anna", "Lena", "Schmidt-Weber", ""});
    row("double first name of two women's names", "Anna-Lena Schmidt", {"Frau", "Anna-Lena", "", "Schmidt", ""});
    row("first name hyphened to surname", "Hans-Meier", {"", "", "", "Hans-Meier", ""});
    row("three first names", "Hans Peter Maria", {"Herr", "Hans", "Peter", "Maria", ""});
    row("surname Herr after first name", "Herr Hans Herr", {"Herr", "Hans", "", "Herr", ""});
    row("every Herr after the first name is surname", "Hans Herr Herr", {"Herr", "Hans", "", "Herr Herr", ""});
    row("surname Herr before comma", "Herr, Hans", {"Herr", "Hans", "", "Herr", ""});
    row("comma after a lone first name", "Hans ,", {"", "", "", "Hans", ""});
    row("suffix", "Hans Meier jun.", {"Herr", "Hans", "", "Meier", "jun."});
    row("apostrophe kept", "O'Brien, Hans", {"Herr", "Hans", "", "O'Brien", ""});
    row("case-insensitive Unicode lookup", QStringLiteral("JÜRGEN MÜLLER"),
        {"Herr", QStringLiteral("JÜRGEN"), "", QStringLiteral("MÜLLER"), ""});
    row("decomposed umlaut finds table word", QStringLiteral("Ju\u0308rgen Meier"),
        {"Herr", QStringLiteral("Ju\u0308rgen"), "", "Meier", ""});
    row("gender neither M nor W: no salutation", "Kim Meier", {"", "Kim", "", "Meier", ""});
    row("degree after the name", "Anna Meier B.A.", {"Frau   B.A.", "Anna", "", "Meier", ""});
    row("ampersand couple is a company", QStringLiteral("Hans & Maria Müller"),
        {"Herr", "Hans", "Maria", QStringLiteral("& Müller"), ""}, true, true);
    row("tab and non-breaking space separate", QStringLiteral("Hans\t\u00a0Meier"), {"Herr", "Hans", "", "Meier", ""});
}

void TestNameParser::parse()
{
    QFETCH(QString, fullName);
    QFETCH(bool, checkBusiness);
    QFETCH(QStringList, parts);
    QFETCH(bool, business);

    test::TestEnv env;
    FixedNameWordSource words(fixtureTables());
    const std::optional<ParsedName> r = ParseFullName(fullName, checkBusiness, words, env.messages);
    QVERIFY(r.has_value());
    QCOMPARE((QStringList{r->Title, r->FirstName, r->MiddleName, r->LastName, r->Suffix}), parts);
    QCOMPARE(r->IsBusiness, business);
    QVERIFY(env.box.shown.isEmpty());
}

void TestNameParser::companyMarkers_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<bool>("business");
    QTest::newRow("word: whole word") << "word" << "Consulting" << "Meier Consulting" << true;
    QTest::newRow("word: not inside a word") << "word" << "Consulting" << "Webconsulting" << false;
    QTest::newRow("word: hyphen makes a word") << "word" << "Consulting" << "Weber-Consulting" << true;
    QTest::newRow("word: several words") << "word" << "Co. KG" << "Meier & Co. KG" << true;
    QTest::newRow("end: at a word end") << "end" << "consulting" << "Webconsulting Meier" << true;
    QTest::newRow("end: not mid-word") << "end" << "consult" << "Consultingmeier" << false;
    QTest::newRow("instr: anywhere") << "instr" << "versicherung" << "Allversicherungen Nord" << true;
    QTest::newRow("instr: case-insensitive umlaut") << "instr" << QStringLiteral("ärzte")
                                                    << QStringLiteral("ÄRZTEHAUS NORD") << true;
    QTest::newRow("empty marker matches nothing") << "instr" << "" << "Hans Meier" << false;
}

void TestNameParser::companyMarkers()
{
    QFETCH(QString, table);
    QFETCH(QString, marker);
    QFETCH(QString, fullName);
    QFETCH(bool, business);

    auto tables = std::make_shared<NameWordTables>();
    if (table == "word")
        tables->addBusinessWord(marker);
    else if (table == "end")
        tables->addBusinessEnd(marker);
    else
        tables->addBusinessInStr(marker);
    FixedNameWordSource words(tables);
    test::TestEnv env;
    QCOMPARE(ParseFullName(fullName, true, words, env.messages)->IsBusiness, business);
}

void TestNameParser::titleWindowInsideAcceptedOneIsRejected()
{
    // "Ing.(FH)" starts inside the accepted "Dipl.-Ing." and is not taken.
    auto tables = std::make_shared<NameWordTables>();
    tables->addTitleDipl("Dipl.-Ing.");
    tables->addTitleDipl("Ing.(FH)");
    tables->addHyphen("-");
    tables->addFirstName("Hans", "M");
    FixedNameWordSource words(tables);
    test::TestEnv env;
    const auto r = ParseFullName("Dipl.-Ing. (FH) Hans Meier", false, words, env.messages);
    QCOMPARE(r->Title, QString("Herr   Dipl.-Ing."));
    QCOMPARE(r->LastName, QString("(FH) Meier"));
}

void TestNameParser::initialsAndParticle_data()
{
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("U. is a first name even when a title table holds it") << "U. Meier" << "U." << "Meier";
    QTest::newRow("v. is never a first name") << "v. Meier" << "" << "v. Meier";
    QTest::newRow("only exactly U.") << "u. Meier" << "" << "Meier";
}

void TestNameParser::initialsAndParticle()
{
    QFETCH(QString, fullName);
    QFETCH(QString, first);
    QFETCH(QString, last);
    auto tables = std::make_shared<NameWordTables>();
    for (const char *word : {"U.", "v."})
        tables->addFirstName(word, "M");
    tables->addTitleProf("U.");
    FixedNameWordSource words(tables);
    test::TestEnv env;
    const auto r = ParseFullName(fullName, false, words, env.messages);
    QCOMPARE(r->FirstName, first);
    QCOMPARE(r->LastName, last);
}

void TestNameParser::tokenTypeQuestions_data()
{
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("first");
    const char *name = "Prof. Dr. med. Anna Lena Schmidt-Weber";
    QTest::newRow("three last-name tokens") << name << "LastName" << 3 << 6 << 5;
    QTest::newRow("one doctor title of two tokens") << name << "TitleDr" << 2 << 2 << 1;
    QTest::newRow("type absent") << name << "Address" << 0 << -1 << 8;
    QTest::newRow("types compared exactly") << name << "lastname" << 0 << -1 << 8;
    QTest::newRow("no tokens") << "" << "LastName" << 0 << -1 << 0;
}

void TestNameParser::tokenTypeQuestions()
{
    QFETCH(QString, fullName);
    QFETCH(QString, type);
    QFETCH(int, count);
    QFETCH(int, second);
    QFETCH(int, first);
    test::TestEnv env;
    FixedNameWordSource words(fixtureTables());
    const NameTokens t = ParseFullName(fullName, false, words, env.messages)->tokens;
    QCOMPARE(CountTokenType(t, type), count);
    QCOMPARE(FindTokenType(t, type, 2), second);
    QCOMPARE(FindTokenType(t, type, count + 1), -1);
    QCOMPARE(FirstTokenTypeIndex(t, type), first);
}

void TestNameParser::failureReportsAndLeavesNoStaleParts()
{
    test::TestEnv env;
    FailingSource words;
    QVERIFY(!ParseFullName("Hans Meier", true, words, env.messages).has_value());

    QString title = "Herr", first = "Hans", middle = "Otto", last = "Meier", suffix = "jun.";
    bool business = true;
    QVERIFY(!ParseFullName("Anna Schmidt", title, first, middle, last, suffix, business, true, words, env.messages));
    QCOMPARE((QStringList{title, first, middle, last, suffix}), QStringList(5, QString()));
    QVERIFY(!business);

    QCOMPARE(env.box.shown.size(), 2);
    QCOMPARE(env.box.shown.first().title, QString("Fehler!"));
    QVERIFY(env.errorLog().contains("Sub: 2502\r\n"));
    QVERIFY(env.errorLog().contains("Err. No.: 53, Err. Des.: Datei nicht gefunden, Info: "));
}

void TestNameParser::hostileInputNeverCrashes_data()
{
    QTest::addColumn<QString>("fullName");
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << (i % 3 ? "Hans" : "Dr.") << "-";
    QTest::newRow("200 tokens") << many.join(' ');
    QTest::newRow("only separators") << ", ; - ( ) [ ] { }";
    QTest::newRow("unbalanced brackets") << "((( Meier ]]";
    QTest::newRow("brackets only") << "()";
    QTest::newRow("hyphens only") << "- - -";
    QTest::newRow("commas only") << ",,,,";
    QTest::newRow("control characters") << QString::fromUtf8("\x01\x02 Hans \x7f");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "Meier";
    QTest::newRow("sql quote") << "Meier'; DROP TABLE T_FirstNames; --";
}

void TestNameParser::hostileInputNeverCrashes()
{
    QFETCH(QString, fullName);
    test::TestEnv env;
    FixedNameWordSource words(fixtureTables());
    const auto r = ParseFullName(fullName, true, words, env.messages);
    QVERIFY(r.has_value());
    QCOMPARE(r->tokens.count(), int(r->tokens.type.size()));
    for (const QString &part : {r->Title, r->FirstName, r->MiddleName, r->LastName, r->Suffix})
        QVERIFY(!part.startsWith(' ') && !part.endsWith(' '));
}

void TestNameParser::longNamesTakeLinearTime_data()
{
    // A pasted text of a few hundred kilobytes must not hang the caller: work
    // that grows with the square of the token count would take minutes here.
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<int>("middleLength");
    QTest::addColumn<int>("lastLength");
    const auto repeated = [](const char *word, int n) { return QStringList(n, QString(word)).join(' '); };
    QTest::newRow("100,000 first names: all but two are middle names")
        << repeated("Hans", 100000) << 99998 * 5 - 1 << 4;
    QTest::newRow("100,000 unknown words make one last name") << repeated("Meier", 100000) << 0 << 100000 * 6 - 1;
    QTest::newRow("50,000 salutations after 50,000 titles: all but the first are surnames")
        << repeated("Dr.", 50000) + " " + repeated("Herr", 50000) << 0 << 49999 * 5 - 1;
}

void TestNameParser::longNamesTakeLinearTime()
{
    QFETCH(QString, fullName);
    QFETCH(int, middleLength);
    QFETCH(int, lastLength);
    test::TestEnv env;
    FixedNameWordSource words(fixtureTables());
    QElapsedTimer timer;
    timer.start();
    const auto r = ParseFullName(fullName, true, words, env.messages);
    const qint64 ms = timer.elapsed();
    QVERIFY(r.has_value());
    QCOMPARE(int(r->MiddleName.size()), middleLength);
    QCOMPARE(int(r->LastName.size()), lastLength);
    QVERIFY2(ms < 2000, qPrintable(QStringLiteral("%1 ms").arg(ms)));
}

QTEST_GUILESS_MAIN(TestNameParser)
#include "tst_nameparser.moc"
