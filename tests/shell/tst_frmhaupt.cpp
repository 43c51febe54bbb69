#include "platform/core/PlatformError.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/OutBar.h"
#include "shell/AppServices.h"
#include "shell/frmHaupt.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace kw;

namespace {

// A main window over a test world, loaded, with every dispatchable name
// recording its calls.
struct World
{
    test::TestEnv env;
    ui::RecordingHelpViewer help;
    frmHaupt window{env.messages, help};
    QStringList calls;

    World()
    {
        help.setHelpFolder(QStringLiteral(KW_DATA_DIR "/help"));
        for (const QString &name : window.actionNames())
            window.setAction(name, [this, name] { calls.append(name); });
        window.Form_Load();
        QTEST_ASSERT(calls == QStringList{QStringLiteral("tvwFolderFill")});
        calls.clear();
    }

    template<typename T>
    T *find(const QString &name) { return window.findChild<T *>(name); }

    QToolButton *toolItem(const QString &group, const QString &key)
    {
        ui::OutBar *bar = window.controls().OutBar1;
        const int g = bar->groupIndex(group);
        return bar->itemButton(g, bar->itemIndex(g, key));
    }
};

QString captionOf(QObject *control)
{
    if (auto *menu = qobject_cast<QMenu *>(control))
        return menu->title();
    if (auto *action = qobject_cast<QAction *>(control))
        return action->text();
    if (auto *box = qobject_cast<QGroupBox *>(control))
        return box->title();
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    return QStringLiteral("<no caption>");
}

// The entries of a menu in order: separators as "-", submenus by their name.
QStringList entriesOf(QMenu *menu)
{
    QStringList out;
    for (QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->menu() ? a->menu()->objectName() : a->objectName());
    return out;
}

} // namespace

class TestFrmHaupt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsExistWithTheirKind_data();
    void controlsExistWithTheirKind();
    void captionsAfterLoad_data();
    void captionsAfterLoad();
    void menusInOrder_data();
    void menusInOrder();
    void toolItems_data();
    void toolItems();
    void startState();
    void switchedOffControlsTakeNoClicks_data();
    void switchedOffControlsTakeNoClicks();
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

void TestFrmHaupt::controlsExistWithTheirKind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container"); // the frame it sits in, or empty

    const struct { const char *name, *kind, *container; } rows[] = {
        {"OutBar1", "kw::ui::OutBar", ""},
        {"frmFolder", "QGroupBox", ""},
        {"TvwOrdner", "QTreeWidget", "frmFolder"},
        {"cmdAktualisieren", "QPushButton", "frmFolder"},
        {"cmdAlleRück", "QPushButton", "frmFolder"},
        {"cmdZweigMark", "QPushButton", "frmFolder"},
        {"frmDups", "QGroupBox", ""},
        {"tvwDups", "QTreeWidget", "frmDups"},
        {"cmdDupDel", "QPushButton", "frmDups"},
        {"cmdDupView", "QPushButton", "frmDups"},
        {"cmdDupsClose", "QPushButton", "frmDups"},
        {"frmSharedFolder", "QGroupBox", ""},
        {"lblName", "QLabel", "frmSharedFolder"},
        {"lblTyp", "QLabel", "frmSharedFolder"},
        {"cmdCloseShared", "QPushButton", "frmSharedFolder"},
        {"lblHilfe", "QLabel", ""},
        {"lblStatus", "QLabel", ""},
        {"ProgressBar1", "QProgressBar", ""},
        {"Timer1", "QTimer", ""},
        {"mnuDatei", "QMenu", ""},
        {"mnuAktion", "QMenu", ""},
        {"mnuAnlagen", "QMenu", ""},
        {"mnuExtras", "QMenu", ""},
        {"mnuHilfeRoot", "QMenu", ""},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromUtf8(r.name) << QString::fromUtf8(r.kind) << QString::fromUtf8(r.container);
}

void TestFrmHaupt::controlsExistWithTheirKind()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    World w;
    QCOMPARE(w.window.objectName(), QStringLiteral("frmHaupt"));
    const QList<QObject *> found = w.window.findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QVERIFY2(found[0]->inherits(kind.toUtf8().constData()), found[0]->metaObject()->className());
    if (!container.isEmpty()) {
        QWidget *frame = w.find<QGroupBox>(container);
        QVERIFY(frame);
        QVERIFY2(frame->isAncestorOf(qobject_cast<QWidget *>(found[0])), "control outside its frame");
    }
}

void TestFrmHaupt::captionsAfterLoad_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const struct { const char *name, *caption; } rows[] = {
        {"mnuDatei", "&Datei"},
        {"mnuSharedOpen", "&Ordner eines anderen Benutzers öffnen..."},
        {"mnuBeenden", "&Beenden"},
        {"mnuAktion", "&Aktion"},
        {"mnuKontaktDupLoeschen", "&Duplikate entfernen"},
        {"mnuFindReplace", "&Ersetzen..."},
        {"mnuFormularWechsel", "&Nachrichtenklasse ändern..."},
        {"mnuHoliday", "&Schulferien einfügen..."},
        {"mnuAttSave", "&Anlagen speichern"},
        {"mnuTelNorm", "&Tel.-Nr. vereinheitlichen"},
        {"mnuNameCorrection", "&Namen korrigieren"},
        {"mnuUndo", "&Daten wiederherstellen..."},
        {"mnuAnlagen", "An&lagen"},
        {"mnuAttUndo", "&Anlagen wiederherstellen..."},
        {"mnuAttMove", "Anlagen &verschieben..."},
        {"mnuExtras", "&Extras"},
        {"mnuNameCheck", "&Namen testen..."},
        {"mnuTelTest", "&Telefonnummer testen..."},
        {"mnuQuickOption", "Optionen-&Assistent"},
        {"mnuOptionen", "&Optionen"},
        {"mnuHilfeRoot", "&?"},
        {"mnuHilfe", "&Hilfe"},
        {"mnuInfo", "&Info"},
        {"frmFolder", "Ordner"},
        {"cmdAktualisieren", "Ordnerstruktur neu einlesen"},
        {"cmdAlleRück", "Alle deaktivieren"},
        {"cmdZweigMark", "Zweig aktivieren"},
        {"frmDups", "Gefundene Duplikate"},
        {"cmdDupDel", "Elemente entfernen"},
        {"cmdDupView", "Element anzeigen"},
        {"frmSharedFolder", "Ordner eines anderen Benutzers"},
        {"lblStatus", "Bereit"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromUtf8(r.name) << QString::fromUtf8(r.caption);
    const QString crlf2 = QStringLiteral("\r\n\r\n");
    QTest::newRow("lblHilfe")
        << QStringLiteral("lblHilfe")
        << QString::fromUtf8("Aktivieren Sie zuerst die gewünschten Ordner, indem Sie ein Häkchen in das entsprechende Kästchen setzen.")
               + crlf2 + QString::fromUtf8("Einen von den aktivierten Ordnern müssen Sie markieren. Diesem Ordner können Sie (über Extras/Optionen) besondere Eigenschaften zuweisen.")
               + crlf2 + QString::fromUtf8("Wählen Sie anschließend die gewünschte Aktion aus.")
               + crlf2 + QString::fromUtf8("Vor der ersten Nutzung der Funktionen, sollten Sie über Extras/Optionen-Assistent Ihre persönlichen Einstellungen vornehmen.")
               + crlf2 + QString::fromUtf8("Weitere Informationen finden Sie auch in der Hilfe.");
}

void TestFrmHaupt::captionsAfterLoad()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    World w;
    QObject *control = w.find<QObject>(name);
    QVERIFY(control);
    QCOMPARE(captionOf(control), caption);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Kontorwerk"));
}

void TestFrmHaupt::menusInOrder_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("Datei") << "mnuDatei" << QStringList{"mnuSharedOpen", "-", "mnuBeenden"};
    QTest::newRow("Aktion") << "mnuAktion"
                            << QStringList{"mnuKontaktDupLoeschen", "mnuFindReplace", "mnuFormularWechsel",
                                           "mnuHoliday", "mnuAttSave", "mnuTelNorm", "mnuNameCorrection", "-",
                                           "mnuUndo", "mnuAnlagen"};
    QTest::newRow("Anlagen submenu") << "mnuAnlagen" << QStringList{"mnuAttUndo", "mnuAttMove"};
    QTest::newRow("Extras") << "mnuExtras"
                            << QStringList{"mnuNameCheck", "mnuTelTest", "-", "mnuQuickOption", "mnuOptionen"};
    QTest::newRow("?") << "mnuHilfeRoot" << QStringList{"mnuHilfe", "-", "mnuInfo"};
}

void TestFrmHaupt::menusInOrder()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, entries);
    World w;
    QMenu *m = w.find<QMenu>(menu);
    QVERIFY(m);
    QCOMPARE(entriesOf(m), entries);

    QStringList bar;
    for (QAction *a : w.window.menuBar()->actions())
        bar << a->menu()->objectName();
    QCOMPARE(bar, (QStringList{"mnuDatei", "mnuAktion", "mnuExtras", "mnuHilfeRoot"}));
}

void TestFrmHaupt::toolItems_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("Dup") << "AktGrp" << 0 << "Dup" << "Duplikate entfernen" << "";
    QTest::newRow("Suc") << "AktGrp" << 1 << "Suc" << "Suchen und Ersetzen" << "";
    QTest::newRow("Att") << "AktGrp" << 2 << "Att" << "Anlagen in Ordner speichern" << "";
    QTest::newRow("Hol: picture and tooltip only") << "AktGrp" << 3 << "Hol" << "" << QString::fromUtf8("Schulferien hinzufügen");
    QTest::newRow("For") << "AktGrp" << 4 << "For" << QString::fromUtf8("Nachrichtenklasse ändern") << "";
    QTest::newRow("Nam: picture and tooltip only") << "KonGrp" << 0 << "Nam" << "" << "Namen korrigieren";
    QTest::newRow("Tel: caption and tooltip") << "KonGrp" << 1 << "Tel" << "Telefonnummern vereinheitlichen"
                                              << "Telefonnummern vereinheitlichen";
    QTest::newRow("Opt") << "ExtGrp" << 0 << "Opt" << "Optionen" << "";
    QTest::newRow("Hil") << "ExtGrp" << 1 << "Hil" << "Hilfe" << "";
}

void TestFrmHaupt::toolItems()
{
    QFETCH(QString, group);
    QFETCH(int, index);
    QFETCH(QString, key);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    World w;
    ui::OutBar *bar = w.window.controls().OutBar1;
    const QStringList groups = {bar->groupKey(0), bar->groupKey(1), bar->groupKey(2)};
    QCOMPARE(groups, (QStringList{"AktGrp", "KonGrp", "ExtGrp"}));
    QCOMPARE(bar->count(), 3);
    QCOMPARE((QStringList{bar->itemText(0), bar->itemText(1), bar->itemText(2)}),
             (QStringList{"Allgemein", "Kontakte", "Extras"}));

    const int g = bar->groupIndex(group);
    QCOMPARE(bar->itemKey(g, index), key);
    QToolButton *item = bar->itemButton(g, index);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->toolTip(), toolTip);
    QVERIFY(!item->icon().isNull());
    QCOMPARE(item->toolButtonStyle(), caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
}

void TestFrmHaupt::startState()
{
    World w;
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    frmHauptUi &c = w.window.controls();
    QVERIFY(!c.frmDups->isVisible());
    QVERIFY(!c.frmSharedFolder->isVisible());
    QVERIFY(c.frmSharedFolder->isCheckable());
    QVERIFY(c.frmFolder->isVisible());
    QVERIFY(c.lblHilfe->isVisible());
    QCOMPARE(c.Timer1->interval(), 1000);
    QVERIFY(!c.Timer1->isActive());
    QCOMPARE(c.ProgressBar1->value(), 0);
    QVERIFY(w.env.box.shown.isEmpty());
}

void TestFrmHaupt::switchedOffControlsTakeNoClicks_data()
{
    // What a run switches off while it yields to the event loop.
    QTest::addColumn<QString>("control");
    QTest::newRow("menu Aktion") << "mnuAktion";
    QTest::newRow("menu Extras") << "mnuExtras";
    QTest::newRow("tool bar") << "OutBar1";
}

void TestFrmHaupt::switchedOffControlsTakeNoClicks()
{
    QFETCH(QString, control);
    World w;
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    w.find<QWidget>(control)->setEnabled(false);
    if (auto *menu = w.find<QMenu>(control)) {
        QVERIFY(!menu->menuAction()->isEnabled()); // its title in the menu bar is greyed
        menu->setEnabled(true);
        QVERIFY(menu->menuAction()->isEnabled());
        return;
    }
    QTest::mouseClick(w.toolItem("AktGrp", "Dup"), Qt::LeftButton);
    QVERIFY(w.calls.isEmpty());
}

void TestFrmHaupt::toolClickDispatch_data()
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

void TestFrmHaupt::toolClickDispatch()
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

void TestFrmHaupt::itemClickByPosition_data()
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

void TestFrmHaupt::itemClickByPosition()
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

void TestFrmHaupt::namesAreExact_data()
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

void TestFrmHaupt::namesAreExact()
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

void TestFrmHaupt::entriesDispatchByTheirName_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"mnuSharedOpen", "mnuKontaktDupLoeschen", "mnuFindReplace", "mnuFormularWechsel",
                             "mnuHoliday", "mnuAttSave", "mnuTelNorm", "mnuNameCorrection", "mnuUndo",
                             "mnuAttMove", "mnuNameCheck", "mnuTelTest", "mnuQuickOption", "mnuOptionen",
                             "cmdAktualisieren", "cmdAlleRück", "cmdZweigMark", "cmdDupDel", "cmdDupView",
                             "cmdDupsClose", "cmdCloseShared"})
        QTest::newRow(name) << QString::fromUtf8(name);
}

void TestFrmHaupt::entriesDispatchByTheirName()
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

void TestFrmHaupt::helpOpensPageOfMainWindow_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("tool item Hil") << "Hil";
    QTest::newRow("menu Hilfe") << "mnuHilfe";
    QTest::newRow("F1 key") << "F1";
}

void TestFrmHaupt::helpOpensPageOfMainWindow()
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

void TestFrmHaupt::infoBoxShowsVersionAndRights()
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

void TestFrmHaupt::attachmentUndoAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("Yes imports") << 6 << QStringList{"mnuAttUndo"};
    QTest::newRow("No does nothing") << 7 << QStringList{};
    QTest::newRow("closed box does nothing") << 2 << QStringList{};
}

void TestFrmHaupt::attachmentUndoAsksFirst()
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

void TestFrmHaupt::endingAsksNothing_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("menu Beenden") << true;
    QTest::newRow("closing the window") << false;
}

void TestFrmHaupt::endingAsksNothing()
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

void TestFrmHaupt::failingFolderFillIsReportedAsLoadError()
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

void TestFrmHaupt::failingToolIsReportedNotThrown()
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

QTEST_MAIN(TestFrmHaupt)
#include "tst_frmhaupt.moc"
