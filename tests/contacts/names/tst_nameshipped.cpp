#include "contacts/names/NameCorrectionFunctions.h"
#include "contacts/names/NameWordDatabase.h"
#include "platform/refdb/Database.h"
#include "support/TestEnv.h"

#include <QtTest>

using namespace kw;
using namespace kw::contacts::names;

// Realistic names against the word tables the program ships with.
class TestNameShipped : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_db = std::make_unique<refdb::Database>(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db")); }
    void cleanupTestCase() { m_db.reset(); }
    void realisticNames_data();
    void realisticNames();
    void postnominalDegrees_data();
    void postnominalDegrees();

private:
    std::unique_ptr<refdb::Database> m_db;
};

void TestNameShipped::realisticNames_data()
{
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<QStringList>("parts"); // title, first, middle, last, suffix
    QTest::addColumn<bool>("business");
    const auto row = [](const char *name, const char *full, const QStringList &parts, bool business = false) {
        QTest::newRow(name) << QString::fromUtf8(full) << parts << business;
    };
    const auto u = [](const char *s) { return QString::fromUtf8(s); };
    row("all titles, double first and last name", "Prof. Dr. med. Anna-Lena Schmidt-Weber",
        {"Frau Prof. Dr. med.", "Anna-Lena", "", "Schmidt-Weber", ""});
    row("diploma title with bracket", "Dipl.-Ing. (FH) Klaus Meier", {"Herr   Dipl.-Ing. (FH)", "Klaus", "", "Meier", ""});
    row("glued diploma title", "Dipl.-Ing.(FH) Jürgen Baumann jun.",
        {"Herr   Dipl.-Ing. (FH)", u("Jürgen"), "", "Baumann", "jun."});
    row("comma form with suffix", "Meier, Hans-Peter jun.", {"Herr", "Hans-Peter", "", "Meier", "jun."});
    row("salutation and doctor only", "Frau Dr. Müller", {"Frau  Dr.", "", "", u("Müller"), ""});
    row("particle before comma", "von Weizsäcker, Richard", {"Herr", "Richard", "", u("von Weizsäcker"), ""});
    row("particle after first name", "Karl-Theodor zu Guttenberg",
        {"Herr", "Karl-Theodor", "", "zu Guttenberg", ""});
    row("company with legal form", "Müller GmbH & Co. KG", {"", "", "", u("Müller GmbH & Co. KG"), ""}, true);
    row("word-end company marker", "Webconsulting Hagen", {"Herr", "Hagen", "", "Webconsulting", ""}, true);
    row("surname holding a marker is no company", "Hans Bankmann", {"Herr", "Hans", "", "Bankmann", ""});
    row("member of parliament", "Max Mustermann MdB", {"Herr", "Max", "", "Mustermann", "MdB"});
    row("upper case", "JÜRGEN MÜLLER", {"Herr", u("JÜRGEN"), "", u("MÜLLER"), ""});
    row("hyphenated doctor title", "Herr Prof. Dr.-Ing. Hans-Peter Müller",
        {"Herr Prof. Dr.-Ing.", "Hans-Peter", "", u("Müller"), ""});
    row("Austrian titles", "Mag.a Dr.in Andrea Gruber", {"Frau  Dr.in Mag.a", "Andrea", "", "Gruber", ""});
    row("degree after the name", "Herrn DI Dr. techn. Wolfgang Huber MBA",
        {"Herrn  Dr. techn. DI", "Wolfgang", "", "Huber", "MBA"});
    row("middle name", "Anna Maria Schmidt", {"Frau", "Anna", "Maria", "Schmidt", ""});
    row("three-word doctor title", "Dr. med. dent. Karl Heinz Schmitz",
        {"Herr  Dr. med. dent.", "Karl", "Heinz", "Schmitz", ""});
    row("family", "Familie Banken", {"Familie", "", "", "Banken", ""});
    row("apostrophe", "O'Brien, Sean", {"Herr", "Sean", "", "O'Brien", ""});
}

// Degrees that German usage writes after the name stay after it, dotted or not.
void TestNameShipped::postnominalDegrees_data()
{
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<QStringList>("parts"); // title, first, middle, last, suffix
    const auto row = [](const char *name, const char *full, const QStringList &parts) {
        QTest::newRow(name) << QString::fromUtf8(full) << parts;
    };
    row("MBA", "Stefan Meier MBA", {"Herr", "Stefan", "", "Meier", "MBA"});
    row("MBA with a diploma title before the name", "Frau Dipl.-Ing. Maria Köhler MBA",
        {"Frau   Dipl.-Ing.", "Maria", "", "Köhler", "MBA"});
    row("dotted LL.M. after a comma", "Dr. Anna Roth, LL.M.", {"Frau  Dr.", "Anna", "", "Roth", "LL.M."});
    row("M.A.", "Brigitte Keller M.A.", {"Frau", "Brigitte", "", "Keller", "M.A."});
    row("M.Sc.", "Jonas Weber M.Sc.", {"Herr", "Jonas", "", "Weber", "M.Sc."});
    row("B.Sc.", "Lena Vogt B.Sc.", {"Frau", "Lena", "", "Vogt", "B.Sc."});
    row("Ph.D.", "Thomas Brandt Ph.D.", {"Herr", "Thomas", "", "Brandt", "Ph.D."});
    row("PhD without dots", "Laura Frank PhD", {"Frau", "Laura", "", "Frank", "PhD"});
    row("two degrees", "Paul Huber M.Sc. MBA", {"Herr", "Paul", "", "Huber", "M.Sc. MBA"});
    row("degree and junior", "Karl Berger jun. LL.M.", {"Herr", "Karl", "", "Berger", "jun. LL.M."});
    row("Swiss MLaw", "Reto Moser, MLaw", {"Herr", "Reto", "", "Moser", "MLaw"});
    row("comma form keeps the degree", "Meier, Stefan, MBA", {"Herr", "Stefan", "", "Meier", "MBA"});
    row("doctor before, Ph.D. after", "Prof. Dr. Eva Lang Ph.D.", {"Frau Prof. Dr.", "Eva", "", "Lang", "Ph.D."});
}

void TestNameShipped::postnominalDegrees()
{
    QFETCH(QString, fullName);
    QFETCH(QStringList, parts);
    NameWordDatabase words(*m_db);
    test::TestEnv env;
    const auto r = ParseFullName(fullName, false, words, env.messages);
    QVERIFY(r.has_value());
    QCOMPARE((QStringList{r->Title, r->FirstName, r->MiddleName, r->LastName, r->Suffix}), parts);
}

void TestNameShipped::realisticNames()
{
    QFETCH(QString, fullName);
    QFETCH(QStringList, parts);
    QFETCH(bool, business);
    NameWordDatabase words(*m_db);
    test::TestEnv env;
    const auto r = ParseFullName(fullName, true, words, env.messages);
    QVERIFY(r.has_value());
    QCOMPARE((QStringList{r->Title, r->FirstName, r->MiddleName, r->LastName, r->Suffix}), parts);
    QCOMPARE(r->IsBusiness, business);
}

QTEST_GUILESS_MAIN(TestNameShipped)
#include "tst_nameshipped.moc"
