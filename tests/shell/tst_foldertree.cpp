#include "shell/FolderTree.h"
#include "support/TestEnv.h"

#include <QTreeWidget>
#include <QtTest>

using namespace kw;
using namespace kw::foldertree;

namespace {

// Store K1 with K2 Posteingang (K3 Projekte (K4 Alt)), K5 Kontakte; store K6 with K7 Archiv.
struct Tree
{
    QTreeWidget tree;
    int userTicks = 0;

    Tree()
    {
        auto *k1 = addNode(&tree, nullptr, "K1", "Persönliche Ordner", "Post");
        auto *k2 = addNode(&tree, k1, "K2", "Posteingang", "IPF.Note");
        auto *k3 = addNode(&tree, k2, "K3", "Projekte", "IPF.Note");
        addNode(&tree, k3, "K4", "Alt", "IPF.Note");
        addNode(&tree, k1, "K5", "Kontakte", "IPF.Contact");
        auto *k6 = addNode(&tree, nullptr, "K6", "Archiv", "Post");
        addNode(&tree, k6, "K7", "Archiv 2025", "IPF.Note");
        QObject::connect(&tree, &QTreeWidget::itemChanged, &tree, [this](QTreeWidgetItem *node) {
            ++userTicks;
            TvwOrdner_NodeCheck(&tree, node);
        });
    }
    QTreeWidgetItem *node(const QString &key) { return findNode(&tree, key); }
    QStringList ticked()
    {
        QStringList keys;
        for (auto *n : nodesInOrder(&tree))
            if (isTicked(n))
                keys << nodeKey(n);
        return keys;
    }
    // What a click into a check box does.
    void userTick(const QString &key, bool on) { node(key)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked); }
};

} // namespace

class TestFolderTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void imageForClass_data();
    void imageForClass();
    void nodeNumbers_data();
    void nodeNumbers();
    void branchTicksWholeSubtree_data();
    void branchTicksWholeSubtree();
    void untickAllAlsoCollapses();
    void userTickMarksTheNode();
    void programmaticTicksDoNotMark();
};

void TestFolderTree::imageForClass_data()
{
    QTest::addColumn<QString>("containerClass");
    QTest::addColumn<QString>("image");
    QTest::newRow("no class") << "" << "IPF.Note";
    QTest::newRow("contacts") << "IPF.Contact" << "IPF.Contact";
    QTest::newRow("calendar") << "IPF.Appointment" << "IPF.Appointment";
    QTest::newRow("notes") << "IPF.StickyNote" << "IPF.StickyNote";
    QTest::newRow("custom contact class") << "IPF.Contact.Kunde" << "IPF.Contact";
    QTest::newRow("two suffixes") << "IPF.Task.Team.Alt" << "IPF.Task";
    QTest::newRow("unknown family") << "IPF.Configuration" << "IPF.Note";
    QTest::newRow("store image is not a class") << "Post" << "IPF.Note";
    QTest::newRow("letter case differs") << "ipf.contact" << "IPF.Note";
}

void TestFolderTree::imageForClass()
{
    QFETCH(QString, containerClass);
    QFETCH(QString, image);
    QCOMPARE(imageForContainerClass(containerClass), image);
}

void TestFolderTree::nodeNumbers_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("number");
    QTest::newRow("first") << "K1" << 1;
    QTest::newRow("limit") << "K32767" << 32767;
    QTest::newRow("no number") << "K" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestFolderTree::nodeNumbers()
{
    QFETCH(QString, key);
    QFETCH(int, number);
    QCOMPARE(numberFromKey(key), number);
    if (number > 0)
        QCOMPARE(keyFor(number), key);
}

void TestFolderTree::branchTicksWholeSubtree_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("ticked");
    QTest::newRow("store") << "K1" << QStringList{"K1", "K2", "K3", "K4", "K5"};
    QTest::newRow("middle folder") << "K2" << QStringList{"K2", "K3", "K4"};
    QTest::newRow("leaf") << "K4" << QStringList{"K4"};
    QTest::newRow("nothing selected") << "" << QStringList{};
}

void TestFolderTree::branchTicksWholeSubtree()
{
    QFETCH(QString, selected);
    QFETCH(QStringList, ticked);
    test::TestEnv env;
    Tree t;
    if (!selected.isEmpty())
        selectNode(&t.tree, t.node(selected));
    cmdZweigMark(&t.tree, env.messages);
    QCOMPARE(t.ticked(), ticked);
    if (!selected.isEmpty())
        QVERIFY(t.node(selected)->isExpanded());
    QCOMPARE(t.userTicks, 0);
    QVERIFY(env.box.shown.isEmpty());
}

void TestFolderTree::untickAllAlsoCollapses()
{
    test::TestEnv env;
    Tree t;
    selectNode(&t.tree, t.node("K1"));
    cmdZweigMark(&t.tree, env.messages);
    t.node("K2")->setExpanded(true);
    t.node("K6")->setExpanded(true);
    cmdAlleRueck(&t.tree, env.messages);
    QCOMPARE(t.ticked(), QStringList{});
    for (auto *n : nodesInOrder(&t.tree))
        QVERIFY2(!n->isExpanded(), qPrintable(nodeKey(n)));
    QCOMPARE(nodeKey(selectedNode(&t.tree)), QString("K1"));
}

void TestFolderTree::userTickMarksTheNode()
{
    Tree t;
    selectNode(&t.tree, t.node("K2"));
    t.userTick("K7", true);
    QCOMPARE(nodeKey(selectedNode(&t.tree)), QString("K7"));
    t.userTick("K5", true);
    t.userTick("K5", false);
    QCOMPARE(nodeKey(selectedNode(&t.tree)), QString("K5"));
    QCOMPARE(t.ticked(), QStringList{"K7"});
}

void TestFolderTree::programmaticTicksDoNotMark()
{
    test::TestEnv env;
    Tree t;
    selectNode(&t.tree, t.node("K6"));
    MarkBranch(t.node("K2"), true, env.messages);
    setTicked(t.node("K7"), true);
    QCOMPARE(t.userTicks, 0);
    QCOMPARE(nodeKey(selectedNode(&t.tree)), QString("K6"));
}

QTEST_MAIN(TestFolderTree)
#include "tst_foldertree.moc"
