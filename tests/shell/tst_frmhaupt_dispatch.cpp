#include "tst_frmhaupt_world.h"

using namespace kw;
using kw::test::World;

class TestFrmHauptDispatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toolClickDispatch_data();
    void toolClickDispatch();
    void itemClickByPosition_data();
    void itemClickByPosition();
    void namesAreExact_data();
    void namesAreExact();
    void entriesDispatchByTheirName_data();
    void entriesDispatchByTheirName();
    void helpOpensPageOfMainWindow_data();
    void helpOpensPageOfMainWindow();
    void infoBoxShowsVersionAndRights();
    void attachmentUndoAsksFirst_data();
    void attachmentUndoAsksFirst();
    void endingAsksNothing_data();
    void endingAsksNothing();
    void failingFolderFillIsReportedAsLoadError();
    void failingToolIsReportedNotThrown();
};

void TestFrmHauptDispatch::toolClickDispatch_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("left click on Dup") << "AktGrp" << "Dup" << Qt::LeftButton << QStringList{"Dup"};
    QTest::newRow("right click on Dup") << "AktGrp" << "Dup" << Qt::RightButton << QStringList{};
    QTest::newRow("middle click on Tel") << "KonGrp" << "Tel" << Qt::MiddleButton << QStringList{};
    QTest::newRow("left click on Nam without caption") << "KonGrp" << "Nam" << Qt::LeftButton << QStringList{"Nam"};
    QTest::newRow("left click on Hol without caption") << "AktGrp" << "Hol" << Qt::LeftButton << QStringList{"Hol"};
    QTest::newRow("left click on Opt") << "ExtGrp" << "Opt" << Qt::LeftButton << QStringList{"Opt"};
    QTest::newRow("right click on Opt") << "ExtGrp" << "Opt" << Qt::RightButton << QStringList{};
}

void TestFrmHauptDispatch::toolClickDispatch()
{
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QStringList, calls);
    World w;
    w.window.show();
    ui::OutBar *bar = w.window.controls().OutBar1;
    bar->setCurrentIndex(bar->groupIndex(group));
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    QSignalSpy clicks(bar, &ui::OutBar::ItemClick);
    QTest::mouseClick(w.toolItem(group, key), button);
    QCOMPARE(clicks.size(), 1); // every button reaches the window; the window decides
    QCOMPARE(w.calls, calls);
}

void TestFrmHauptDispatch::itemClickByPosition_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("first group, first item") << 0 << 0 << 1 << QStringList{"Dup"};
    QTest::newRow("first group, last item") << 0 << 4 << 1 << QStringList{"For"};
    QTest::newRow("second group, second item") << 1 << 1 << 1 << QStringList{"Tel"};
    QTest::newRow("index past the group") << 1 << 2 << 1 << QStringList{};
    QTest::newRow("negative index") << 0 << -1 << 1 << QStringList{};
    QTest::newRow("no such group") << 3 << 0 << 1 << QStringList{};
    QTest::newRow("right button") << 0 << 0 << 2 << QStringList{};
    QTest::newRow("left and right together") << 0 << 0 << 3 << QStringList{};
    QTest::newRow("no button") << 0 << 0 << 0 << QStringList{};
}

void TestFrmHauptDispatch::itemClickByPosition()
{
    QFETCH(int, group);
    QFETCH(int, index);
    QFETCH(int, button);
    QFETCH(QStringList, calls);
    World w;
    w.window.OutBar1_ItemClick(group, index, button);
    QCOMPARE(w.calls, calls);
    QVERIFY(w.help.shownFiles.isEmpty());
}

void TestFrmHauptDispatch::namesAreExact_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("tool key") << "Dup" << true;
    QTest::newRow("tool key in lower case") << "dup" << false;
    QTest::newRow("tool key in upper case") << "DUP" << false;
    QTest::newRow("tool key with a blank") << "Dup " << false;
    QTest::newRow("group key") << "AktGrp" << false;
    QTest::newRow("menu entry") << "mnuTelNorm" << true;
    QTest::newRow("menu entry in other case") << "mnutelnorm" << false;
    QTest::newRow("a top-level menu") << "mnuAktion" << false;
    QTest::newRow("button with umlaut") << QString::fromUtf8("cmdAlleRück") << true;
    QTest::newRow("button with umlaut spelt out") << "cmdAlleRueck" << false;
    QTest::newRow("folder fill hook") << "tvwFolderFill" << true;
    QTest::newRow("attachment undo: what Yes does") << "mnuAttUndo" << true;
    QTest::newRow("help is the window's own") << "Hil" << false;
    QTest::newRow("help entry is the window's own") << "mnuHilfe" << false;
    QTest::newRow("info is the window's own") << "mnuInfo" << false;
    QTest::newRow("ending is the window's own") << "mnuBeenden" << false;
    QTest::newRow("empty") << "" << false;
}

void TestFrmHauptDispatch::namesAreExact()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    test::TestEnv env;
    ui::RecordingHelpViewer help;
    frmHaupt window(env.messages, help);
    QStringList calls;
    QCOMPARE(window.setAction(name, [&] { calls << name; }), accepted);
    QCOMPARE(window.actionNames().contains(name), accepted);
    window.trigger(name);
    QCOMPARE(calls.size(), accepted ? 1 : 0);
    // A near miss of a key does not catch the click on the item itself.
    calls.clear();
    window.OutBar1_ItemClick(0, 0, 1);
    QCOMPARE(calls.size(), name == QLatin1String("Dup") ? 1 : 0);
}

void TestFrmHauptDispatch::entriesDispatchByTheirName_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"mnuSharedOpen", "mnuKontaktDupLoeschen", "mnuFindReplace", "mnuFormularWechsel",
                             "mnuHoliday", "mnuAttSave", "mnuTelNorm", "mnuNameCorrection", "mnuUndo",
                             "mnuAttMove", "mnuNameCheck", "mnuTelTest", "mnuQuickOption", "mnuOptionen",
                             "cmdAktualisieren", "cmdAlleRück", "cmdZweigMark", "cmdDupDel", "cmdDupView",
                             "cmdDupsClose", "cmdCloseShared"})
        QTest::newRow(name) << QString::fromUtf8(name);
}

void TestFrmHauptDispatch::entriesDispatchByTheirName()
{
    QFETCH(QString, name);
    World w;
    QObject *control = w.find<QObject>(name);
    QVERIFY(control);
    if (auto *action = qobject_cast<QAction *>(control))
        action->trigger();
    else
        qobject_cast<QPushButton *>(control)->click();
    QCOMPARE(w.calls, QStringList{name});
    QVERIFY(w.env.box.shown.isEmpty());
}

void TestFrmHauptDispatch::helpOpensPageOfMainWindow_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("tool item Hil") << "Hil";
    QTest::newRow("menu Hilfe") << "mnuHilfe";
    QTest::newRow("F1 key") << "F1";
}

void TestFrmHauptDispatch::helpOpensPageOfMainWindow()
{
    QFETCH(QString, how);
    World w;
    w.help.installF1Key();
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    if (how == "Hil")
        w.window.OutBar1_ItemClick(2, 1, 1);
    else if (how == "mnuHilfe")
        w.window.controls().mnuHilfe->trigger();
    else
        QTest::keyClick(w.window.controls().TvwOrdner, Qt::Key_F1);
    QCOMPARE(w.help.shownFiles, QStringList{QStringLiteral(KW_DATA_DIR "/help/frmHaupt.html")});
    QVERIFY(QFileInfo::exists(w.help.shownFiles.value(0)));
    QVERIFY(w.calls.isEmpty());
}

void TestFrmHauptDispatch::infoBoxShowsVersionAndRights()
{
    World w;
    w.window.controls().mnuInfo->trigger();
    QCOMPARE(w.env.box.shown.size(), 1);
    const ui::MessageRequest shown = w.env.box.shown[0];
    QCOMPARE(shown.buttons, 64);
    QCOMPARE(shown.title, QStringLiteral("Info!"));
    const QStringList lines = shown.prompt.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 2);
    QVERIFY2(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$")).match(lines[0]).hasMatch(),
             qPrintable(lines[0]));
    QCOMPARE(lines[0], QStringLiteral("Version ") + versionText());
    QVERIFY(!lines[1].trimmed().isEmpty());
}

void TestFrmHauptDispatch::attachmentUndoAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("Yes imports") << 6 << QStringList{"mnuAttUndo"};
    QTest::newRow("No does nothing") << 7 << QStringList{};
    QTest::newRow("closed box does nothing") << 2 << QStringList{};
}

void TestFrmHauptDispatch::attachmentUndoAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(QStringList, calls);
    World w;
    w.env.box.answerWith(answer);
    w.window.controls().mnuAttUndo->trigger();
    QCOMPARE(w.env.box.shown.size(), 1);
    QCOMPARE(w.env.box.shown[0].prompt,
             QString::fromUtf8("Möchten Sie die verknüpften Anlagen wieder (zurück)importieren?"));
    QCOMPARE(w.env.box.shown[0].buttons, 36);
    QCOMPARE(w.env.box.shown[0].title, QStringLiteral("Frage?"));
    QCOMPARE(w.calls, calls);
}

void TestFrmHauptDispatch::endingAsksNothing_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("menu Beenden") << true;
    QTest::newRow("closing the window") << false;
}

void TestFrmHauptDispatch::endingAsksNothing()
{
    QFETCH(bool, byMenu);
    World w;
    w.window.show();
    QSignalSpy ending(&w.window, &frmHaupt::programEnding);
    if (byMenu)
        w.window.controls().mnuBeenden->trigger();
    else
        w.window.close();
    QCOMPARE(ending.size(), 1);
    QVERIFY(!w.window.isVisible());
    QVERIFY(w.env.box.shown.isEmpty());
    QVERIFY(w.calls.isEmpty());
    QVERIFY(!QFile::exists(w.env.registryFile())); // nothing saved
}

void TestFrmHauptDispatch::failingFolderFillIsReportedAsLoadError()
{
    test::TestEnv env;
    ui::RecordingHelpViewer help;
    frmHaupt window(env.messages, help);
    window.setAction("tvwFolderFill", [] { throw PlatformError(-2147467259, "Speicher nicht erreichbar"); });
    window.Form_Load();
    // The captions came first; the window can still be shown.
    QCOMPARE(window.controls().lblStatus->text(), QStringLiteral("Bereit"));
    QCOMPARE(env.box.shown.size(), 1);
    QVERIFY(env.box.shown[0].prompt.contains("Nr.: 1205 / -2147467259, Speicher nicht erreichbar"));
    QVERIFY(env.errorLog().contains("Sub: 1205\r\n"));
}

void TestFrmHauptDispatch::failingToolIsReportedNotThrown()
{
    World w;
    w.window.setAction("Dup", [] { throw PlatformError(424, "Objekt erforderlich"); });
    w.window.setAction("mnuTelNorm", [] { throw std::runtime_error("kaputt"); });
    w.window.OutBar1_ItemClick(0, 0, 1);
    w.window.controls().mnuTelNorm->trigger();
    QCOMPARE(w.env.box.shown.size(), 2);
    QVERIFY(w.env.box.shown[0].prompt.contains("424, Objekt erforderlich"));
    QVERIFY(w.env.box.shown[0].prompt.endsWith("\r\nDup"));
    QVERIFY(w.env.box.shown[1].prompt.contains("kaputt"));
    QCOMPARE(w.env.errorLog().count("Err. No.: "), 2);
}

QTEST_MAIN(TestFrmHauptDispatch)
#include "tst_frmhaupt_dispatch.moc"
