#include "duplicates/KeepRule.h"
#include "platform/core/PlatformError.h"
#include "support/TestEnv.h"

#include <QtTest>

using namespace kw;
using namespace kw::DupsDel;

namespace {

const QDateTime kEarly(QDate(2020, 1, 1), QTime(8, 0));
const QDateTime kLate(QDate(2021, 6, 1), QTime(9, 30));

void store(test::TestEnv &env, const QStringList &settings)
{
    // "Name=Value" pairs.
    for (const QString &s : settings) {
        const qsizetype at = s.indexOf(QLatin1Char('='));
        env.settings.SaveSetting(s.left(at), s.mid(at + 1));
    }
}

const QStringList kDefaults{"MasterFolder=1", "TerminSerie=1", "OldDel=1",
                            "Priority.0=2", "Priority.1=1", "Priority.2=0"};

} // namespace

class TestKeepRule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decides_data();
    void decides();
    void badStoredValuesRaise_data();
    void badStoredValuesRaise();
    void readsSettingsOnEveryCall();
    void parentFollowsChains_data();
    void parentFollowsChains();
    void parentOutsideArraysIsReported();
};

void TestKeepRule::decides_data()
{
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<bool>("masterI");
    QTest::addColumn<bool>("masterJ");
    QTest::addColumn<QDateTime>("createdI");
    QTest::addColumn<QDateTime>("createdJ");
    QTest::addColumn<bool>("seriesI");
    QTest::addColumn<bool>("seriesJ");
    QTest::addColumn<QString>("expected");

    const QStringList d = kDefaults;
    QTest::newRow("defaults: i in marked folder stays though j is older")
        << d << true << false << kLate << kEarly << false << false << "j";
    QTest::newRow("defaults: j in marked folder stays though i is older")
        << d << false << true << kEarly << kLate << false << false << "i";
    QTest::newRow("defaults: both in marked folder, older i stays")
        << d << true << true << kEarly << kLate << false << false << "j";
    QTest::newRow("defaults: neither in marked folder, older j stays")
        << d << false << false << kLate << kEarly << false << false << "i";
    QTest::newRow("equal times with keep-older mark the second")
        << d << false << false << kEarly << kEarly << false << false << "j";
    QTest::newRow("equal times with keep-younger mark the second")
        << (d + QStringList{"OldDel=0"}) << false << false << kEarly << kEarly << false << false << "j";
    QTest::newRow("keep-younger: older i goes")
        << (d + QStringList{"OldDel=0"}) << false << false << kEarly << kLate << false << false << "i";
    QTest::newRow("keep-younger: older j goes")
        << (d + QStringList{"OldDel=0"}) << false << false << kLate << kEarly << false << false << "j";
    QTest::newRow("series outranks age: series i stays though j older")
        << (d + QStringList{"MasterFolder=0"}) << false << false << kLate << kEarly << true << false << "j";
    QTest::newRow("series outranks age: series j stays though i older")
        << (d + QStringList{"MasterFolder=0"}) << false << false << kEarly << kLate << false << true << "i";
    QTest::newRow("series rule off: age decides")
        << (d + QStringList{"MasterFolder=0", "TerminSerie=0"}) << false << false << kLate << kEarly << true << false
        << "i";
    QTest::newRow("master rule off: age decides")
        << (d + QStringList{"MasterFolder=0"}) << true << false << kLate << kEarly << false << false << "i";
    QTest::newRow("master outranks series with defaults")
        << d << true << false << kLate << kEarly << false << true << "j";
    QTest::newRow("age at the top rank settles everything")
        << (d + QStringList{"Priority.0=1", "Priority.1=0", "Priority.2=2"}) << true << false << kLate << kEarly
        << false << false << "i";
    QTest::newRow("all ranks master: undecided gives empty")
        << (d + QStringList{"Priority.0=0", "Priority.1=0", "Priority.2=0"}) << false << false << kEarly << kLate
        << false << false << "";
    QTest::newRow("all ranks master: master decides")
        << (d + QStringList{"Priority.0=0", "Priority.1=0", "Priority.2=0"}) << false << true << kEarly << kLate
        << false << false << "i";
    QTest::newRow("other non-zero number switches a rule on")
        << QStringList{"MasterFolder=-1", "TerminSerie=0", "OldDel=1", "Priority.0=0", "Priority.1=1",
                       "Priority.2=0"}
        << true << false << kLate << kEarly << false << false << "j";
    QTest::newRow("nothing stored: only master ranked and off")
        << QStringList{} << true << false << kEarly << kLate << false << false << "";
    QTest::newRow("blank around a priority digit is accepted")
        << (d + QStringList{"Priority.2= 2 "}) << true << false << kEarly << kLate << false << false << "j";
}

void TestKeepRule::decides()
{
    QFETCH(QStringList, settings);
    QFETCH(bool, masterI);
    QFETCH(bool, masterJ);
    QFETCH(QDateTime, createdI);
    QFETCH(QDateTime, createdJ);
    QFETCH(bool, seriesI);
    QFETCH(bool, seriesJ);
    QFETCH(QString, expected);
    test::TestEnv env;
    store(env, settings);
    QCOMPARE(GetDuplicateToRemove(env.settings, masterI, masterJ, createdI, createdJ, seriesI, seriesJ), expected);
}

void TestKeepRule::badStoredValuesRaise_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<long>("number");
    QTest::newRow("priority 3") << "Priority.2=3" << 9L;
    QTest::newRow("priority minus one") << "Priority.1=-1" << 9L;
    QTest::newRow("priority word at an unused rank") << "Priority.0=abc" << 13L;
    QTest::newRow("priority empty") << "Priority.1=" << 13L;
    QTest::newRow("priority fraction") << "Priority.2=1.5" << 13L;
    QTest::newRow("switch word") << "OldDel=ja" << 13L;
    QTest::newRow("switch empty") << "MasterFolder=" << 13L;
    QTest::newRow("switch holding nan") << "OldDel=nan" << 13L;
    QTest::newRow("switch holding inf") << "TerminSerie=inf" << 13L;
}

void TestKeepRule::badStoredValuesRaise()
{
    QFETCH(QString, setting);
    QFETCH(long, number);
    test::TestEnv env;
    store(env, kDefaults + QStringList{setting});
    try {
        GetDuplicateToRemove(env.settings, true, false, kEarly, kLate, false, false);
        QFAIL("no error raised");
    } catch (const PlatformError &e) {
        QCOMPARE(e.number(), number);
    }
}

void TestKeepRule::readsSettingsOnEveryCall()
{
    test::TestEnv env;
    store(env, kDefaults);
    const KeepRule rule = settingsKeepRule(env.settings);
    const PairFacts facts{false, false, kEarly, kLate, false, false};
    // Saves of equal length in quick succession must each be seen at the next pair.
    for (int round = 0; round < 20; ++round) {
        QCOMPARE(rule(facts), QString("j"));
        env.settings.SaveSetting("OldDel", "0");
        QCOMPARE(rule(facts), QString("i"));
        env.settings.SaveSetting("OldDel", "1");
    }
    env.settings.SaveSetting("Priority.2", "x");
    QVERIFY_THROWS_EXCEPTION(PlatformError, rule(facts));
}

void TestKeepRule::parentFollowsChains_data()
{
    QTest::addColumn<QList<int>>("parents");
    QTest::addColumn<QList<int>>("children");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("chain of three") << QList<int>{1, 2, 3} << QList<int>{2, 3, 4} << QList<int>{1, 1, 1};
    QTest::newRow("star") << QList<int>{1, 1, 1} << QList<int>{2, 3, 4} << QList<int>{1, 1, 1};
    QTest::newRow("two groups interleaved") << QList<int>{1, 2, 3, 5} << QList<int>{3, 4, 5, 6}
                                            << QList<int>{1, 2, 1, 1};
    QTest::newRow("three-member example") << QList<int>{1, 2} << QList<int>{2, 3} << QList<int>{1, 1};
}

void TestKeepRule::parentFollowsChains()
{
    QFETCH(QList<int>, parents);
    QFETCH(QList<int>, children);
    QFETCH(QList<int>, expected);
    test::TestEnv env;
    std::vector<int> p{0}, c{0};
    p.insert(p.end(), parents.begin(), parents.end());
    c.insert(c.end(), children.begin(), children.end());
    const int count = int(parents.size());
    p.push_back(0); // the arrays are sized to N, one beyond the last pair
    c.push_back(0);
    for (int k = 1; k <= count; ++k)
        p[size_t(k)] = GetDuplicateParent(p, c, p[size_t(k)], count, k, env.messages);
    QCOMPARE(QList<int>(p.begin() + 1, p.begin() + 1 + count), expected);
    QVERIFY(env.box.shown.isEmpty());
}

void TestKeepRule::parentOutsideArraysIsReported()
{
    test::TestEnv env;
    const std::vector<int> p{0, 1}, c{0, 2};
    QCOMPARE(GetDuplicateParent(p, c, 1, 5, 1, env.messages), 0);
    QCOMPARE(env.box.shown.size(), 1);
    QVERIFY(env.errorLog().contains("Sub: 901"));
}

QTEST_GUILESS_MAIN(TestKeepRule)
#include "tst_keeprule.moc"
