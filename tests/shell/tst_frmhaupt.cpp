#include "tst_frmhaupt_world.h"

using namespace kw;
using kw::test::World;

namespace {

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
    void captionsAfterLoad();
    void sampleCaptions_data();
    void sampleCaptions();
    void instructionTextInParagraphs();
    void everyEntryAndButtonIsWired();
    void menusInOrder_data();
    void menusInOrder();
    void toolItems_data();
    void toolItems();
    void startState();
    void switchedOffControlsTakeNoClicks_data();
    void switchedOffControlsTakeNoClicks();
    void toolBarKeepsOneWidth_data();
    void toolBarKeepsOneWidth();
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

// The load writes the window's caption table; every row names a control the
// window holds by type, and no control that shows text is left without one.
void TestFrmHaupt::captionsAfterLoad()
{
    World w;
    QSet<QObject *> captioned;
    for (const auto &[control, text] : w.window.captionTable()) {
        QVERIFY(control);
        const QString name = control->objectName();
        QVERIFY2(!text.isEmpty(), qPrintable(name));
        QCOMPARE(captionOf(control), text);
        QCOMPARE(w.window.findChildren<QObject *>(name), QList<QObject *>{control});
        captioned.insert(control);
    }
    QList<QObject *> showsText;
    for (QMenu *menu : w.window.findChildren<QMenu *>())
        showsText << menu;
    for (QAction *action : w.window.findChildren<QAction *>()) {
        if (!action->objectName().isEmpty() && !action->menu())
            showsText << action;
    }
    for (QGroupBox *box : w.window.findChildren<QGroupBox *>())
        showsText << box;
    for (QPushButton *button : w.window.findChildren<QPushButton *>())
        showsText << button;
    showsText << w.window.controls().lblStatus << w.window.controls().lblHilfe;
    for (QObject *control : showsText)
        QVERIFY2(captioned.contains(control), qPrintable(control->objectName()));
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Kontorwerk"));
}

void TestFrmHaupt::sampleCaptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("menu entry") << "mnuKontaktDupLoeschen" << "&Duplikate entfernen";
    QTest::newRow("menu with umlaut") << "mnuFormularWechsel" << QString::fromUtf8("&Nachrichtenklasse ändern...");
    QTest::newRow("help menu") << "mnuHilfeRoot" << "&?";
    QTest::newRow("button named with umlaut") << QString::fromUtf8("cmdAlleRück") << "Alle deaktivieren";
    QTest::newRow("button with sharp s") << "cmdDupsClose" << QString::fromUtf8("Liste schließen");
    QTest::newRow("frame") << "frmSharedFolder" << "Ordner eines anderen Benutzers";
    QTest::newRow("status line") << "lblStatus" << "Bereit";
}

void TestFrmHaupt::sampleCaptions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    World w;
    QCOMPARE(captionOf(w.find<QObject>(name)), caption);
}

void TestFrmHaupt::instructionTextInParagraphs()
{
    World w;
    const QStringList paragraphs = w.window.controls().lblHilfe->text().split(QStringLiteral("\r\n\r\n"));
    QCOMPARE(paragraphs.size(), 5);
    QVERIFY(paragraphs.first().startsWith(QString::fromUtf8("Aktivieren Sie zuerst die gewünschten Ordner")));
    QCOMPARE(paragraphs.last(), QStringLiteral("Weitere Informationen finden Sie auch in der Hilfe."));
}

// Every entry and button of the window reaches the dispatch table.
void TestFrmHaupt::everyEntryAndButtonIsWired()
{
    World w;
    const frmHauptUi &c = w.window.controls();
    const QList<QAction *> entries = c.menuEntries();
    for (QAction *action : w.window.findChildren<QAction *>()) {
        if (!action->objectName().isEmpty() && !action->menu())
            QVERIFY2(entries.contains(action), qPrintable(action->objectName()));
    }
    const QList<QPushButton *> buttons = c.buttons();
    for (QPushButton *button : w.window.findChildren<QPushButton *>())
        QVERIFY2(buttons.contains(button), qPrintable(button->objectName()));
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

void TestFrmHaupt::toolBarKeepsOneWidth_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::newRow("800 x 600") << QSize(800, 600);
    QTest::newRow("1920 x 1080") << QSize(1920, 1080);
}

// Opening a group neither moves the folder tree nor cuts a header or caption.
void TestFrmHaupt::toolBarKeepsOneWidth()
{
    QFETCH(QSize, screen);
    World w;
    w.window.show();
    w.window.resize(screen);
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    ui::OutBar *bar = w.window.controls().OutBar1;
    const QWidget *folders = w.window.controls().frmFolder;
    const QList<QAbstractButton *> headers = bar->groupHeaders();
    QCOMPARE(headers.size(), 3);
    const int width = bar->width();
    const int foldersAt = folders->mapTo(&w.window, QPoint()).x();
    for (int g : {1, 2, 0}) {
        QTest::mouseClick(headers[g], Qt::LeftButton);
        QCoreApplication::sendPostedEvents(); // the layouts follow the new group
        QCOMPARE(bar->currentIndex(), g);
        QCOMPARE(bar->width(), width);
        QCOMPARE(folders->mapTo(&w.window, QPoint()).x(), foldersAt);
        for (const QAbstractButton *header : headers)
            QVERIFY2(header->width() >= header->sizeHint().width(), qPrintable(header->text()));
        for (int i = 0; i < bar->itemCount(g); ++i) {
            const QToolButton *item = bar->itemButton(g, i);
            QVERIFY2(item->width() >= item->sizeHint().width(), qPrintable(bar->itemKey(g, i)));
        }
    }
}

QTEST_MAIN(TestFrmHaupt)
#include "tst_frmhaupt.moc"
