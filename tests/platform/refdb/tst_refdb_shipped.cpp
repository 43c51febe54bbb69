#include "platform/refdb/Connection.h"

#include <QtTest>

using namespace kw::refdb;

// The database the build ships: every CSV arrived whole, and the lookups the
// tools rely on work on it.
class TestRefDbShipped : public QObject
{
    Q_OBJECT

    Connection m_db;

    int scalar(const QString &sql, const QVariantList &params = {})
    {
        Recordset rs = m_db.OpenRecordset(sql, params);
        return rs.Fields(0).value.toInt();
    }

private Q_SLOTS:
    void initTestCase() { m_db = Connection::Open(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db")); }
    void rowCounts_data();
    void rowCounts();
    void lookups_data();
    void lookups();
};

void TestRefDbShipped::rowCounts_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("rows");
    QTest::newRow("country codes") << "T_CountryCodes" << 215;
    QTest::newRow("area codes") << "T_CountryAndAreaCodes" << 55389;
    QTest::newRow("first names") << "T_FirstNames" << 18823;
    QTest::newRow("salutations") << "T_Addresses" << 56;
    QTest::newRow("business words") << "T_BusinessWord" << 594;
    QTest::newRow("holiday rows") << "T_Holidays" << 43;
}

void TestRefDbShipped::rowCounts()
{
    QFETCH(QString, table);
    QFETCH(int, rows);
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)), rows);
}

void TestRefDbShipped::lookups_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("params");
    QTest::addColumn<int>("count");
    QTest::newRow("first name in capitals") << "SELECT count(*) FROM T_FirstNames WHERE FirstName = ?" << QVariantList{"JÜRGEN"} << 1;
    QTest::newRow("Liechtenstein has one NULL area row") << "SELECT count(*) FROM T_CountryAndAreaCodes WHERE CountryCode = ? AND AreaCode IS NULL" << QVariantList{"423"} << 1;
    QTest::newRow("Liechtenstein has no trunk prefix") << "SELECT count(*) FROM T_CountryCodes WHERE CountryCode = ? AND NationalDDPrefix IS NULL" << QVariantList{"423"} << 1;
    QTest::newRow("Stuttgart") << "SELECT count(*) FROM T_CountryAndAreaCodes WHERE CountryCode = ? AND AreaCode = ?" << QVariantList{"49", "711"} << 1;
    QTest::newRow("Rome keeps its zero") << "SELECT count(*) FROM T_CountryAndAreaCodes WHERE CountryCode = ? AND AreaCode = ?" << QVariantList{"39", "06"} << 1;
    QTest::newRow("old Zurich code") << "SELECT count(*) FROM T_CountryAndAreaCodes WHERE CountryCode = ? AND AreaCode = ?" << QVariantList{"41", "1"} << 1;
    QTest::newRow("holiday row has 29 fields") << "SELECT count(*) FROM pragma_table_info('T_Holidays')" << QVariantList{} << 29;
}

void TestRefDbShipped::lookups()
{
    QFETCH(QString, sql);
    QFETCH(QVariantList, params);
    QFETCH(int, count);
    QCOMPARE(scalar(sql, params), count);
}

QTEST_GUILESS_MAIN(TestRefDbShipped)
#include "tst_refdb_shipped.moc"
