#include "duplicates/DuplicateList.h"
#include "duplicates/Phase2.h"
#include "platform/core/PlatformError.h"
#include "support/TestEnv.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace kw;
using namespace kw::DupsDel;

namespace {

const QDateTime kBase(QDate(2024, 3, 1), QTime(12, 0));

// Items given as "value|value|...@folder" (criterion values and folder id),
// with creation ages in minutes after kBase.
ScanValues makeValues(const QStringList &items, const QList<int> &ages, int criteria)
{
    ScanValues v;
    v.reset(int(items.size()), criteria);
    for (int n = 1; n <= v.itemCount; ++n) {
        const QStringList parts = items[n - 1].split(QLatin1Char('@'));
        const QStringList values = parts[0].split(QLatin1Char('|'));
        for (int c = 0; c < criteria; ++c)
            v.value(n, c) = values.value(c);
        v.folderIds[size_t(n)] = parts.value(1);
        v.created[size_t(n)] = kBase.addSecs(60 * ages.value(n - 1));
    }
    return v;
}

QString keepOlder(const PairFacts &f)
{
    return f.createdI <= f.createdJ ? QStringLiteral("j") : QStringLiteral("i");
}

QList<int> marked(const ScanValues &v)
{
    QList<int> out;
    for (int n = 1; n <= v.itemCount; ++n) {
        if (v.remove[size_t(n)])
            out.append(n);
    }
    return out;
}

QList<int> used(const std::vector<int> &a, int count)
{
    return QList<int>(a.begin() + 1, a.begin() + 1 + count);
}

// A keep rule whose answers come from a seeded sequence and which records
// every call, so the two paths must call it in the same order with the same
// arguments to end up alike.
struct ScriptedKeep
{
    explicit ScriptedKeep(quint32 seed, int throwAt = -1) : rng(seed), throwAt(throwAt) {}
    QString operator()(const PairFacts &f)
    {
        calls.append(f);
        if (calls.size() == throwAt)
            throw PlatformError(9, QStringLiteral("bad priority"));
        switch (rng.bounded(3)) {
        case 0: return QStringLiteral("i");
        case 1: return QStringLiteral("j");
        default: return QString();
        }
    }
    QRandomGenerator rng;
    int throwAt;
    QList<PairFacts> calls;
};

ScanValues randomValues(QRandomGenerator &rng, int n, int criteria, int alphabet)
{
    ScanValues v;
    v.reset(n, criteria);
    for (int i = 1; i <= n; ++i) {
        for (int c = 0; c < criteria; ++c) {
            const int x = int(rng.bounded(alphabet));
            // Empty and null texts must count as the same value.
            v.value(i, c) = x == 0 ? QString() : x == 1 ? QStringLiteral("") : QString::number(x);
        }
        v.folderIds[size_t(i)] = QStringLiteral("F%1").arg(rng.bounded(3));
        v.created[size_t(i)] = kBase.addSecs(60 * rng.bounded(4));
        v.master[size_t(i)] = rng.bounded(2);
        v.series[size_t(i)] = rng.bounded(2);
        v.remove[size_t(i)] = rng.bounded(10) == 0;
    }
    return v;
}

} // namespace

class TestPhase2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void groupsAsTheLoopDoes_data();
    void groupsAsTheLoopDoes();
    void fastPathMatchesLoopOnRandomInputs_data();
    void fastPathMatchesLoopOnRandomInputs();
    void keepRuleErrorStopsBothAtTheSameCall();
    void listCutAgreesForAHugeGroup();
    void fastPathReportsProgressUpToTheLastItem();
};

void TestPhase2::groupsAsTheLoopDoes_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QList<int>>("ages");
    QTest::addColumn<int>("criteria");
    QTest::addColumn<bool>("folderInside");
    QTest::addColumn<QList<int>>("parents");
    QTest::addColumn<QList<int>>("children");
    QTest::addColumn<QList<int>>("marks");

    QTest::newRow("three members, middle one oldest")
        << QStringList{"a@F", "a@F", "a@F"} << QList<int>{2, 1, 3} << 1 << false
        << QList<int>{1, 1} << QList<int>{2, 3} << QList<int>{1, 3};
    QTest::newRow("first member oldest keeps meeting")
        << QStringList{"a@F", "a@F", "a@F"} << QList<int>{1, 2, 3} << 1 << false
        << QList<int>{1, 1} << QList<int>{2, 3} << QList<int>{2, 3};
    QTest::newRow("youngest last: champion changes twice")
        << QStringList{"a@F", "a@F", "a@F"} << QList<int>{3, 2, 1} << 1 << false
        << QList<int>{1, 1} << QList<int>{2, 3} << QList<int>{1, 2};
    QTest::newRow("interleaved groups keep the loop's pair order")
        << QStringList{"a@F", "b@F", "a@F", "b@F", "a@F"} << QList<int>{5, 5, 1, 6, 2} << 1 << false
        << QList<int>{1, 2, 1} << QList<int>{3, 4, 5} << QList<int>{1, 4, 5};
    QTest::newRow("every criterion off: one group")
        << QStringList{"x@F", "y@G", "z@F"} << QList<int>{1, 2, 3} << 0 << false
        << QList<int>{1, 1} << QList<int>{2, 3} << QList<int>{2, 3};
    QTest::newRow("every criterion off, folder inside: one group per folder")
        << QStringList{"x@F", "y@G", "z@F", "w@G"} << QList<int>{1, 2, 3, 4} << 0 << true
        << QList<int>{1, 2} << QList<int>{3, 4} << QList<int>{3, 4};
    QTest::newRow("same values in two folders pair without folder inside")
        << QStringList{"a|b@F", "a|b@G"} << QList<int>{1, 2} << 2 << false
        << QList<int>{1} << QList<int>{2} << QList<int>{2};
    QTest::newRow("same values in two folders stay apart with folder inside")
        << QStringList{"a|b@F", "a|b@G"} << QList<int>{1, 2} << 2 << true
        << QList<int>{} << QList<int>{} << QList<int>{};
    QTest::newRow("all values empty are equal")
        << QStringList{"|@F", "|@F"} << QList<int>{1, 2} << 2 << false
        << QList<int>{1} << QList<int>{2} << QList<int>{2};
    QTest::newRow("one differing criterion keeps items apart")
        << QStringList{"a|b@F", "a|c@F"} << QList<int>{1, 2} << 2 << false
        << QList<int>{} << QList<int>{} << QList<int>{};
    QTest::newRow("case matters in the stored values")
        << QStringList{"Meier@F", "meier@F"} << QList<int>{1, 2} << 1 << false
        << QList<int>{} << QList<int>{} << QList<int>{};
    QTest::newRow("separator inside a value is not a field boundary")
        << QStringList{"a\tb|c@F", "a|b\tc@F"} << QList<int>{1, 2} << 2 << false
        << QList<int>{} << QList<int>{} << QList<int>{};
}

void TestPhase2::groupsAsTheLoopDoes()
{
    QFETCH(QStringList, items);
    QFETCH(QList<int>, ages);
    QFETCH(int, criteria);
    QFETCH(bool, folderInside);
    QFETCH(QList<int>, parents);
    QFETCH(QList<int>, children);
    QFETCH(QList<int>, marks);
    test::TestEnv env;
    for (bool grouped : {false, true}) {
        ScanValues v = makeValues(items, ages, criteria);
        const Phase2Hooks hooks{keepOlder, {}};
        const PairList pairs = grouped ? compareGrouped(v, folderInside, hooks)
                                       : comparePairwise(v, folderInside, hooks, env.messages);
        QCOMPARE(used(pairs.parents, pairs.count), parents);
        QCOMPARE(used(pairs.children, pairs.count), children);
        QCOMPARE(marked(v), marks);
    }
}

void TestPhase2::fastPathMatchesLoopOnRandomInputs_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("criteria");
    QTest::addColumn<int>("alphabet");
    QTest::newRow("small, few values") << 12 << 1 << 3;
    QTest::newRow("medium, two criteria") << 80 << 2 << 4;
    QTest::newRow("medium, mostly distinct") << 120 << 3 << 9;
    QTest::newRow("no criteria") << 40 << 0 << 1;
    QTest::newRow("large, dense groups") << 400 << 2 << 3;
}

void TestPhase2::fastPathMatchesLoopOnRandomInputs()
{
    QFETCH(int, n);
    QFETCH(int, criteria);
    QFETCH(int, alphabet);
    test::TestEnv env;
    for (quint32 seed = 1; seed <= 60; ++seed) {
        QRandomGenerator rng(seed * 7919u + quint32(n));
        const bool folderInside = rng.bounded(2);
        const ScanValues input = randomValues(rng, n, criteria, alphabet);

        ScanValues a = input, b = input;
        ScriptedKeep keepA(seed), keepB(seed);
        const PairList loop =
            comparePairwise(a, folderInside, Phase2Hooks{std::ref(keepA), {}}, env.messages);
        const PairList fast = compareGrouped(b, folderInside, Phase2Hooks{std::ref(keepB), {}});
        QVERIFY2(loop == fast, qPrintable(QStringLiteral("seed %1").arg(seed)));
        QCOMPARE(a.remove, b.remove);
        QCOMPARE(keepA.calls, keepB.calls);

        std::vector<QString> displays(size_t(n) + 1);
        for (int i = 1; i <= n; ++i)
            displays[size_t(i)] = QString::number(i);
        QCOMPARE(buildDuplicateList(loop, displays, a.remove, "Contact"),
                 buildDuplicateList(fast, displays, b.remove, "Contact"));
    }
    QVERIFY(env.box.shown.isEmpty());
}

void TestPhase2::keepRuleErrorStopsBothAtTheSameCall()
{
    test::TestEnv env;
    QRandomGenerator rng(42);
    const ScanValues input = randomValues(rng, 200, 1, 3);
    ScanValues a = input, b = input;
    ScriptedKeep keepA(5, 17), keepB(5, 17);
    QVERIFY_THROWS_EXCEPTION(PlatformError,
                             comparePairwise(a, false, Phase2Hooks{std::ref(keepA), {}}, env.messages));
    QVERIFY_THROWS_EXCEPTION(PlatformError, compareGrouped(b, false, Phase2Hooks{std::ref(keepB), {}}));
    QCOMPARE(keepA.calls, keepB.calls);
    QCOMPARE(a.remove, b.remove);
}

void TestPhase2::listCutAgreesForAHugeGroup()
{
    test::TestEnv env;
    const int n = 33000; // one group, more pairs than the list can hold
    ScanValues a;
    a.reset(n, 0);
    for (int i = 1; i <= n; ++i)
        a.created[size_t(i)] = kBase.addSecs(i % 7);
    ScanValues b = a;
    const PairList loop = comparePairwise(a, false, Phase2Hooks{keepOlder, {}}, env.messages);
    const PairList fast = compareGrouped(b, false, Phase2Hooks{keepOlder, {}});
    QCOMPARE(fast.count, n - 1);
    QVERIFY(loop == fast);
    const std::vector<QString> displays(size_t(n) + 1, QStringLiteral("x"));
    const DupList listA = buildDuplicateList(loop, displays, a.remove, "Note");
    const DupList listB = buildDuplicateList(fast, displays, b.remove, "Note");
    QVERIFY(listA == listB);
    QCOMPARE(listB.nodes.size(), kMaxListNodes);
    QVERIFY(listB.limitReached);
}

void TestPhase2::fastPathReportsProgressUpToTheLastItem()
{
    QRandomGenerator rng(3);
    ScanValues v = randomValues(rng, 500, 1, 5);
    QList<int> seen;
    compareGrouped(v, false, Phase2Hooks{keepOlder, [&](int i) { seen.append(i); }});
    QVERIFY(!seen.isEmpty());
    QCOMPARE(seen.last(), 500);
    QVERIFY(std::is_sorted(seen.begin(), seen.end()));
}

QTEST_GUILESS_MAIN(TestPhase2)
#include "tst_phase2.moc"
