#include "contacts/NameCorrectionFunctions.h"
#include "contacts/NameWordDatabase.h"
#include "platform/refdb/Database.h"
#include "support/TestEnv.h"

#include <QtTest>

using namespace kw;

// Realistic names against the word tables the program ships with.
class TestNameShipped : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_db = std::make_unique<refdb::Database>(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db")); }
    void cleanupTestCase() { m_db.reset(); }
    void realisticNames_data();
    void realisticNames();

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
        {"Herrn  Dr. techn. DI MBA", "Wolfgang", "", "Huber", ""});
    row("middle name", "Anna Maria Schmidt", {"Frau", "Anna", "Maria", "Schmidt", ""});
    row("three-word doctor title", "Dr. med. dent. Karl Heinz Schmitz",
        {"Herr  Dr. med. dent.", "Karl", "Heinz", "Schmitz", ""});
    row("family", "Familie Banken", {"Familie", "", "", "Banken", ""});
    row("apostrophe", "O'Brien, Sean", {"Herr", "Sean", "", "O'Brien", ""});
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
