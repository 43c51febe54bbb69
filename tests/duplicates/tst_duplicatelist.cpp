#include "duplicates/DuplicateList.h"

#include <QtTest>

using namespace kw::DupsDel;

using PairInput = QList<QPair<int, int>>;

namespace {

PairList pairsOf(const QList<QPair<int, int>> &list, int n)
{
    PairList p;
    p.parents.assign(size_t(n) + 1, 0);
    p.children.assign(size_t(n) + 1, 0);
    for (const auto &[parent, child] : list) {
        ++p.count;
        p.parents[size_t(p.count)] = parent;
        p.children[size_t(p.count)] = child;
    }
    return p;
}

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 244, 170);

// "key<parent:text*" where * means ticked; colour w or y.
QString describe(const DupNode &n)
{
    return n.key + (n.parentKey.isEmpty() ? QString() : "<" + n.parentKey) + ":" + n.text + (n.checked ? "*" : "")
           + (n.backColor == kWhite ? " w" : n.backColor == kYellow ? " y" : " ?") + " " + n.image;
}

} // namespace

class TestDuplicateList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buildsGroups_data();
    void buildsGroups();
    void stopsAtTheNodeLimit_data();
    void stopsAtTheNodeLimit();
    void ticksAndKeys();
    void statusTexts();
};

void TestDuplicateList::buildsGroups_data()
{
    QTest::addColumn<PairInput>("pairs");
    QTest::addColumn<QList<int>>("marked");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("three-member example")
        << QList<QPair<int, int>>{{1, 2}, {1, 3}} << QList<int>{1, 3}
        << QStringList{"K1:d1* w Contact", "K2<K1:d2 w Contact", "K3<K1:d3* w Contact"};
    QTest::newRow("three pairs, two groups, alternate colours")
        << QList<QPair<int, int>>{{1, 3}, {2, 4}, {1, 5}} << QList<int>{1, 4, 5}
        << QStringList{"K1:d1* w Contact", "K3<K1:d3 w Contact", "K2:d2 y Contact", "K4<K2:d4* y Contact",
                       "K5<K1:d5* w Contact"};
    QTest::newRow("third group is white again")
        << QList<QPair<int, int>>{{1, 2}, {3, 4}, {5, 6}} << QList<int>{2, 4, 6}
        << QStringList{"K1:d1 w Contact", "K2<K1:d2* w Contact", "K3:d3 y Contact", "K4<K3:d4* y Contact",
                       "K5:d5 w Contact", "K6<K5:d6* w Contact"};
    QTest::newRow("no pairs") << QList<QPair<int, int>>{} << QList<int>{} << QStringList{};
}

void TestDuplicateList::buildsGroups()
{
    QFETCH(PairInput, pairs);
    QFETCH(QList<int>, marked);
    QFETCH(QStringList, expected);
    const int n = 6;
    std::vector<QString> displays(n + 1);
    std::vector<char> remove(n + 1, 0);
    for (int i = 1; i <= n; ++i)
        displays[size_t(i)] = "d" + QString::number(i);
    for (int m : marked)
        remove[size_t(m)] = 1;
    const DupList list = buildDuplicateList(pairsOf(pairs, n), displays, remove, "Contact");
    QStringList got;
    for (const DupNode &node : list.nodes)
        got << describe(node);
    QCOMPARE(got, expected);
    QVERIFY(!list.limitReached);
}

void TestDuplicateList::stopsAtTheNodeLimit_data()
{
    QTest::addColumn<int>("pairCount");
    QTest::addColumn<int>("nodes");
    QTest::addColumn<bool>("limit");
    // Pairs of two each: k pairs make 2k nodes.
    QTest::newRow("just below") << 16383 << 32766 << false;
    QTest::newRow("one more pair crosses it") << 16384 << 32768 << true;
    QTest::newRow("far beyond") << 20000 << 32768 << true;
}

void TestDuplicateList::stopsAtTheNodeLimit()
{
    QFETCH(int, pairCount);
    QFETCH(int, nodes);
    QFETCH(bool, limit);
    const int n = 2 * pairCount;
    QList<QPair<int, int>> list;
    for (int k = 0; k < pairCount; ++k)
        list.append({2 * k + 1, 2 * k + 2});
    const std::vector<QString> displays(size_t(n) + 1);
    const std::vector<char> remove(size_t(n) + 1, 0);
    const DupList built = buildDuplicateList(pairsOf(list, n), displays, remove, "Task");
    QCOMPARE(built.nodes.size(), nodes);
    QCOMPARE(built.limitReached, limit);
}

void TestDuplicateList::ticksAndKeys()
{
    DupList list;
    list.nodes = {DupNode{"K12", "", "a", "Contact", true, kWhite}, DupNode{"K3", "K12", "b", "Contact", false, kWhite},
                  DupNode{"K7", "K12", "c", "Contact", true, kWhite}};
    QCOMPARE(tickedItemNumbers(list), (std::vector<int>{12, 7}));
    QCOMPARE(DupNodeKey(12), QString("K12"));
    QCOMPARE(itemNumberFromKey("K12"), 12);
    QCOMPARE(itemNumberFromKey("Kx"), -1);
}

void TestDuplicateList::statusTexts()
{
    QCOMPARE(readStatus(3, 120), QString("Phase 1: Element 3 von 120 einlesen"));
    QCOMPARE(compareStatus(7), QString("Phase 2: Analysiere Element 7"));
    QCOMPARE(foundStatus(4), QString("4 Duplikate gefunden..."));
}

QTEST_GUILESS_MAIN(TestDuplicateList)
#include "tst_duplicatelist.moc"
