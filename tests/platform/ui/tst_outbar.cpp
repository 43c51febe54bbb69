#include "platform/ui/OutBar.h"
#include "platform/ui/ToolIcons.h"

#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using kw::ui::OutBar;

class TestOutBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clicksReportTheirButton_data();
    void clicksReportTheirButton();
    void releaseOutsideIsNoClick_data();
    void releaseOutsideIsNoClick();
    void keysFindPositions_data();
    void keysFindPositions();
    void captionDecidesTheLook_data();
    void captionDecidesTheLook();
    void disabledBarReportsNothing();
};

namespace {

// Two groups: "A" with items a0, a1; "B" with b0.
struct Bar
{
    OutBar bar;
    Bar()
    {
        const int a = bar.addGroup("A", "Gruppe A");
        bar.addItem(a, {"a0", "Erstes", "", kw::ui::toolIcon("search")});
        bar.addItem(a, {"a1", "", "Nur Bild", kw::ui::toolIcon("names")});
        const int b = bar.addGroup("B", "Gruppe B");
        bar.addItem(b, {"b0", "Drittes", "", kw::ui::toolIcon("help")});
        bar.resize(200, 400);
        bar.show();
    }
};

} // namespace

void TestOutBar::clicksReportTheirButton_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("value");
    QTest::newRow("left is 1") << Qt::LeftButton << 1;
    QTest::newRow("right is 2") << Qt::RightButton << 2;
    QTest::newRow("middle is 4") << Qt::MiddleButton << 4;
}

void TestOutBar::clicksReportTheirButton()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, value);
    Bar b;
    QVERIFY(QTest::qWaitForWindowExposed(&b.bar));
    QSignalSpy spy(&b.bar, &OutBar::ItemClick);
    QTest::mouseClick(b.bar.itemButton(0, 1), button);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0], (QVariantList{0, 1, value}));
}

void TestOutBar::releaseOutsideIsNoClick_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
}

void TestOutBar::releaseOutsideIsNoClick()
{
    QFETCH(Qt::MouseButton, button);
    Bar b;
    QVERIFY(QTest::qWaitForWindowExposed(&b.bar));
    QSignalSpy spy(&b.bar, &OutBar::ItemClick);
    QToolButton *item = b.bar.itemButton(0, 0);
    QTest::mousePress(item, button);
    QTest::mouseRelease(item, button, {}, QPoint(-20, -20));
    QCOMPARE(spy.size(), 0);
}

void TestOutBar::keysFindPositions_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("groupIndex");
    QTest::addColumn<int>("itemIndex");
    QTest::newRow("first item") << "A" << "a0" << 0 << 0;
    QTest::newRow("item of the second group") << "B" << "b0" << 1 << 0;
    QTest::newRow("item of another group") << "B" << "a1" << 1 << -1;
    QTest::newRow("key in other case") << "A" << "A0" << 0 << -1;
    QTest::newRow("unknown group") << "C" << "a0" << -1 << -1;
}

void TestOutBar::keysFindPositions()
{
    QFETCH(QString, group);
    QFETCH(QString, item);
    QFETCH(int, groupIndex);
    QFETCH(int, itemIndex);
    Bar b;
    const int g = b.bar.groupIndex(group);
    QCOMPARE(g, groupIndex);
    QCOMPARE(b.bar.itemIndex(g, item), itemIndex);
    QCOMPARE(b.bar.itemKey(g, itemIndex), itemIndex < 0 ? QString() : item);
    QCOMPARE(b.bar.setItemCaption(group, item, "Neu"), itemIndex >= 0);
}

void TestOutBar::captionDecidesTheLook_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<Qt::ToolButtonStyle>("style");
    QTest::newRow("caption: picture over text") << "Text" << Qt::ToolButtonTextUnderIcon;
    QTest::newRow("no caption: picture only") << "" << Qt::ToolButtonIconOnly;
}

void TestOutBar::captionDecidesTheLook()
{
    QFETCH(QString, caption);
    QFETCH(Qt::ToolButtonStyle, style);
    Bar b;
    QVERIFY(b.bar.setItemCaption("A", "a1", caption));
    QCOMPARE(b.bar.itemButton(0, 1)->text(), caption);
    QCOMPARE(b.bar.itemButton(0, 1)->toolButtonStyle(), style);
    QCOMPARE(b.bar.itemButton(0, 1)->toolTip(), QStringLiteral("Nur Bild"));
}

void TestOutBar::disabledBarReportsNothing()
{
    Bar b;
    QVERIFY(QTest::qWaitForWindowExposed(&b.bar));
    b.bar.setEnabled(false);
    QSignalSpy spy(&b.bar, &OutBar::ItemClick);
    QTest::mouseClick(b.bar.itemButton(0, 0), Qt::LeftButton);
    QTest::mouseClick(b.bar.itemButton(0, 0), Qt::RightButton);
    QCOMPARE(spy.size(), 0);
}

QTEST_MAIN(TestOutBar)
#include "tst_outbar.moc"
