#include "contacts/telephone/TelNrStandard.h"

#include "platform/refdb/Database.h"
#include "support/TestEnv.h"

#include <QtTest>

using namespace kw;
using namespace kw::contacts::telephone;

// The formatter over the tables the build ships, with the settings a fresh
// installation writes at start-up.
class TestTelNrStandardShipped : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formats_data();
    void formats();
};

void TestTelNrStandardShipped::formats_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Stuttgart") << "0711 123456" << "+49 (711) 123456";
    QTest::newRow("Berlin, short area code") << "030/1234567" << "+49 (30) 1234567";
    QTest::newRow("Teltow, four digits") << "03328 123" << "+49 (3328) 123";
    QTest::newRow("Wilsdruff, five digits") << "035204 123" << "+49 (35204) 123";
    QTest::newRow("German mobile") << "0171 1234567" << "+49 (171) 1234567";
    QTest::newRow("German mobile, four-digit network code") << "01511 2345678" << "+49 (1511) 2345678";
    QTest::newRow("German mobile, five-digit network code") << "015020 1234567" << "+49 (15020) 1234567";
    QTest::newRow("bracketed trunk prefix after country") << "+49 (0)89 1234567" << "+49 (89) 1234567";
    QTest::newRow("Vienna") << "+43 1 234 56 78" << "+43 (1) 2345678";
    QTest::newRow("Austrian mobile") << "0043 664 1234567" << "+43 (664) 1234567";
    QTest::newRow("Zurich") << "+41 44 123 45 67" << "+41 (44) 1234567";
    QTest::newRow("old Zurich code") << "+41 1 123 45 67" << "+41 (44) 1234567";
    QTest::newRow("Swiss mobile") << "0041 79 123 45 67" << "+41 (79) 1234567";
    QTest::newRow("Rome keeps its zero") << "+39 06 1234 5678" << "+39 (06) 12345678";
    QTest::newRow("Liechtenstein, no area codes") << "+423 234 56 78" << "+423 2345678";
    QTest::newRow("Luxembourg, no area codes") << "00352 123456" << "+352 123456";
    QTest::newRow("unknown German area code kept") << "0 999 1234" << "0 999 1234";
    // Countries whose area codes come from the generated table.
    QTest::newRow("Sydney") << "+61 2 1234 5678" << "+61 (2) 12345678";
    QTest::newRow("Finland, two-digit area code") << "+358 13 1234567" << "+358 (13) 1234567";
    QTest::newRow("Kazan") << "+7 843 234 56 78" << "+7 (843) 2345678";
    QTest::newRow("St Petersburg keeps its 8") << "+7 812 123 45 67" << "+7 (812) 1234567";
    QTest::newRow("Russian trunk digit before the area code") << "+7 8 812 123 45 67" << "+7 (812) 1234567";
    QTest::newRow("Russian freephone not an area code") << "+7 800 123 45 67" << "+7 800 123 45 67";
    QTest::newRow("Belarus freephone not an area code") << "+375 800 200 7981" << "+375 800 200 7981";
    QTest::newRow("Rwanda, 06 is an area code") << "+250 06 21 96 33" << "+250 (06) 219633";
    QTest::newRow("Minsk region") << "+375 152 45 09 11" << "+375 (152) 450911";
    QTest::newRow("Tokyo") << "+81 3 1234 5678" << "+81 (3) 12345678";
    QTest::newRow("Luxembourg keeps its NULL row") << "+352 27 12 34 56" << "+352 27123456";
    QTest::newRow("Stuttgart after country and trunk prefix") << "+49 (0)711 123456" << "+49 (711) 123456";
}

void TestTelNrStandardShipped::formats()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    test::TestEnv env;
    QVERIFY(env.settings.InitDefaultSettings());
    refdb::Database db(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db"));
    bool changed = false;
    QCOMPARE(TelNrStandard::FormatTelNumber(input, changed, env.settings, env.messages, db), expected);
    QCOMPARE(changed, expected != input);
    QCOMPARE(env.box.shown.size(), 0);
}

QTEST_GUILESS_MAIN(TestTelNrStandardShipped)
#include "tst_telnrstandard_shipped.moc"
