// The whole road a user takes on the shipped demo profile: tick the contacts,
// scan for duplicates, remove them, scan again; on a small and a large screen.
#include "app/Dispatch.h"
#include "duplicates/TreeDupsView.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/MailStore.h"
#include "platform/refdb/Database.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/ItemWindow.h"
#include "platform/ui/OutBar.h"
#include "shell/AppServices.h"
#include "shell/FolderTree.h"
#include "shell/frmHaupt.h"
#include "shell/frmSplash.h"
#include "support/TestEnv.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

using namespace kw;

namespace {

QTreeWidgetItem *child(QTreeWidgetItem *parent, const QString &text)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    }
    return nullptr;
}

int checkedNodes(QTreeWidgetItem *node)
{
    int n = node->checkState(0) == Qt::Checked ? 1 : 0;
    for (int c = 0; c < node->childCount(); ++c)
        n += checkedNodes(node->child(c));
    return n;
}

int checkedMembers(QTreeWidget *list)
{
    int n = 0;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        n += checkedNodes(list->topLevelItem(i));
    return n;
}

// Whole, inside the window and not squeezed below what it needs.
void verifyShown(const QList<QWidget *> &controls, const QWidget &window)
{
    for (const QWidget *c : controls) {
        const QRect at(c->mapTo(&window, QPoint(0, 0)), c->size());
        QVERIFY2(c->isVisibleTo(&window) && window.rect().contains(at)
                     && c->width() >= c->minimumSizeHint().width(), qPrintable(c->objectName()));
    }
}

// The small screen every window must fit, and what a window manager adds
// around a window (borders, title bar).
const QSize kSmallScreen(800, 600);
const QSize kFrame(16, 40);

// What a person reads or operates; the parts inside lists, tab bars and
// combo boxes are theirs to place.
bool isControl(const QWidget *w, const QWidget &window)
{
    for (const QWidget *p = w->parentWidget(); p && p != &window; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractItemView *>(p) || qobject_cast<const QTabBar *>(p)
            || qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractSpinBox *>(p))
            return false;
    }
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return !label->text().isEmpty() || !label->pixmap().isNull();
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLineEdit *>(w)
           || qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w)
           || qobject_cast<const QSlider *>(w) || qobject_cast<const QAbstractItemView *>(w)
           || qobject_cast<const QTextEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w)
           || qobject_cast<const QProgressBar *>(w) || qobject_cast<const QGroupBox *>(w);
}

// Every control that shows lies inside the window, or on a page that
// scrolls, and none is squeezed below what it needs.
void verifyReachable(QWidget &window, const QString &where)
{
    for (QWidget *c : window.findChildren<QWidget *>()) {
        if (!c->isVisibleTo(&window) || !isControl(c, window))
            continue;
        QWidget *room = &window;
        for (QWidget *p = c->parentWidget(); p && p != &window; p = p->parentWidget()) {
            if (auto *scroll = qobject_cast<QScrollArea *>(p); scroll && scroll->widget()->isAncestorOf(c)) {
                room = scroll->widget();
                break;
            }
        }
        const QString name = where + ": " + c->metaObject()->className() + " " + c->objectName();
        const QRect at(c->mapTo(room, QPoint(0, 0)), c->size());
        QVERIFY2(room->rect().contains(at), qPrintable(name + " lies outside"));
        QSize least = c->minimumSizeHint().boundedTo(c->maximumSize());
        if (c->hasHeightForWidth()) // wrapped text needs fewer lines where it is wider
            least.setHeight(std::min(least.height(), c->heightForWidth(c->width())));
        QVERIFY2(c->width() >= least.width() && c->height() >= least.height(),
                 qPrintable(QStringLiteral("%1 is squeezed to %2 x %3").arg(name).arg(c->width()).arg(c->height())));
    }
}

// Shows the page of every stack (tab pages, wizard pages) on the way down to `w`.
void showPagesAbove(QWidget *w)
{
    for (QWidget *child = w; child && child->parentWidget(); child = child->parentWidget()) {
        if (auto *stack = qobject_cast<QStackedWidget *>(child->parentWidget()))
            stack->setCurrentWidget(child);
    }
}

// The window as a small screen shows it: no larger than the screen allows,
// every control reachable on each of its pages.
void verifyFitsSmallScreen(QWidget &window, const QString &where)
{
    const QSize room = kSmallScreen - kFrame;
    const QSize least = window.minimumSize().expandedTo(window.minimumSizeHint());
    QVERIFY2(least.width() <= room.width() && least.height() <= room.height(),
             qPrintable(QStringLiteral("%1 needs %2 x %3").arg(where).arg(least.width()).arg(least.height())));
    window.resize(window.size().boundedTo(room));
    // Wrapped text needs more lines in a narrower window: as tall as that
    // takes, which the person can drag it to where it opens shorter.
    if (window.hasHeightForWidth()) {
        const int tall = window.heightForWidth(window.width());
        QVERIFY2(tall <= room.height(), qPrintable(QStringLiteral("%1 needs a height of %2").arg(where).arg(tall)));
        window.resize(window.width(), std::max(window.height(), tall));
    }
    QCoreApplication::sendPostedEvents();
    verifyReachable(window, where);
    for (QStackedWidget *stack : window.findChildren<QStackedWidget *>()) {
        for (int i = 0; i < stack->count(); ++i) {
            showPagesAbove(stack->widget(i));
            QCoreApplication::sendPostedEvents();
            verifyReachable(window, QStringLiteral("%1, %2 page %3").arg(where, stack->parentWidget()->objectName()).arg(i));
        }
    }
}

// Runs `open`, which shows a modal window and returns once it is closed;
// while the window is up, hands it to `inspect`, then closes it.
void whileModal(const std::function<void()> &open, const std::function<void(QWidget &)> &inspect)
{
    QWidget *before = QApplication::activeModalWidget();
    QWidget *seen = nullptr;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == before)
            return;
        poll.stop();
        seen = modal;
        inspect(*modal);
        modal->close();
    });
    poll.start();
    open();
    QVERIFY2(seen, "no window opened");
}

// The program's services over the demo profile and a copy of the reference
// database, with the real help window.
struct DemoWorld
{
    test::TestEnv env;
    ui::ScriptedMessageBox *messages = nullptr;
    std::unique_ptr<AppServices> services;

    DemoWorld()
    {
        mailstore::fixture::createProfileFromFile(env.profileFile(), QStringLiteral(KW_DATA_DIR "/profiles/sample.json"));
        refdb::ensureProgramCopy(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db"),
                                 env.paths(KW_DATA_DIR).referenceDatabase());
        auto box = std::make_unique<ui::ScriptedMessageBox>();
        messages = box.get();
        services = std::make_unique<AppServices>(env.paths(KW_DATA_DIR), std::move(box),
                                                 std::make_unique<ui::HelpBrowser>());
        services->help->setHelpFolder(services->paths.helpFolder());
        services->settings.InitDefaultSettings();
    }
};

} // namespace

class TestSampleProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void duplicatesOfTheDemoContactsAreMovedAside_data();
    void duplicatesOfTheDemoContactsAreMovedAside();
    void everyDialogFitsTheSmallScreen_data();
    void everyDialogFitsTheSmallScreen();
    void helpItemAndSplashWindowsFitTheSmallScreen();
};

void TestSampleProfile::duplicatesOfTheDemoContactsAreMovedAside_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::newRow("800 x 600") << QSize(800, 600);
    QTest::newRow("1920 x 1080") << QSize(1920, 1080);
}

void TestSampleProfile::duplicatesOfTheDemoContactsAreMovedAside()
{
    QFETCH(QSize, screen);
    test::TestEnv env;
    mailstore::fixture::createProfileFromFile(env.profileFile(), QStringLiteral(KW_DATA_DIR "/profiles/sample.json"));
    auto box = std::make_unique<ui::ScriptedMessageBox>();
    ui::ScriptedMessageBox &messages = *box;
    AppServices services(env.paths(KW_DATA_DIR),
                         std::move(box), std::make_unique<ui::RecordingHelpViewer>());
    services.settings.InitDefaultSettings();
    frmHaupt window(services.messages, *services.help);
    QVERIFY(app::wireActions(window, services).rejected.isEmpty());
    window.Form_Load();
    const frmHauptUi &c = window.controls();
    window.show();
    window.resize(screen);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QList<QWidget *> always = {c.OutBar1, c.TvwOrdner, c.cmdAktualisieren, c.cmdAlleRueck,
                                     c.cmdZweigMark, c.lblStatus, c.ProgressBar1};
    verifyShown(always + QList<QWidget *>{c.lblHilfe}, window);

    auto *tree = window.findChild<QTreeWidget *>("TvwOrdner");
    const auto stores = tree->findItems(QString::fromUtf8("Persönliche Ordner"), Qt::MatchExactly);
    QCOMPARE(stores.size(), 1);
    QTreeWidgetItem *contacts = child(stores.first(), "Kontakte");
    QVERIFY(contacts);
    contacts->setCheckState(0, Qt::Checked);
    tree->setCurrentItem(contacts);

    window.trigger("Dup");
    auto *list = window.findChild<QTreeWidget *>("tvwDups");
    QVERIFY2(list->topLevelItemCount() > 0, qPrintable(messages.prompts().join(" | ")));
    QVERIFY(!window.findChild<QWidget *>("frmDups")->isHidden());
    const int ticked = checkedMembers(list);
    // The list takes the instruction's place without widening the window.
    QCOMPARE(window.size(), screen);
    verifyShown(always + QList<QWidget *>{c.tvwDups, c.cmdDupDel, c.cmdDupView, c.cmdDupsClose}, window);
    // Long entries are cut in their name, never in the folder and date that
    // tell a group's members apart; the tooltip holds the whole text.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
    const QStyle *style = list->style();
    const int decorations = style->pixelMetric(QStyle::PM_IndicatorWidth) + list->iconSize().width()
                            + 4 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (QTreeWidgetItem *entry : list->findItems(QString(), Qt::MatchContains | Qt::MatchRecursive)) {
        const QString text = entry->text(0);
        const QString folderAndDate = text.mid(text.lastIndexOf(" (Kontakte, "));
        const QRect cell = list->visualItemRect(entry); // may lie below the visible rows
        const int room = std::min(cell.right() + 1, list->viewport()->width()) - cell.left() - decorations;
        QVERIFY2(room >= list->fontMetrics().horizontalAdvance(folderAndDate), qPrintable(text));
        QVERIFY(DupsDel::fitEntryText(text, list->fontMetrics(), room).endsWith(folderAndDate));
        QCOMPARE(entry->toolTip(0), text);
    }
    // The demo's duplicates are copies of one person each, so every group
    // lists one name: a group of strangers would make the demo look broken.
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *group = list->topLevelItem(i);
        for (int c = 0; c < group->childCount(); ++c)
            QCOMPARE(group->child(c)->text(0).section(" (", 0, 0), group->text(0).section(" (", 0, 0));
    }
    QVERIFY(ticked > 0);

    messages.shown.clear();
    window.trigger("cmdDupDel");
    auto ns = mailstore::Application::open(env.profileFile())->GetNamespace("MAPI");
    mailstore::FolderPtr store = ns->Folders()->Item(QString::fromUtf8("Persönliche Ordner"));
    mailstore::FolderPtr moved = store->Folders()->Item("Kontakte")->Folders()->find(
        QString::fromUtf8("Duplikate (erstellt von Kontorwerk)"));
    QVERIFY2(moved, qPrintable(messages.prompts().join(" | ")));
    QCOMPARE(moved->Items()->Count(), ticked);
    // The new folder is in the tree at once, and the contacts are still ticked.
    contacts = child(stores.first(), "Kontakte");
    QTreeWidgetItem *movedNode = child(contacts, QString::fromUtf8("Duplikate (erstellt von Kontorwerk)"));
    QVERIFY(movedNode);
    QCOMPARE(contacts->checkState(0), Qt::Checked);
    QCOMPARE(services.folders.GetFolderFromNodeKey(foldertree::nodeKey(movedNode))->EntryID(), moved->EntryID());
    QCOMPARE(window.size(), screen);

    contacts = child(tree->findItems(QString::fromUtf8("Persönliche Ordner"), Qt::MatchExactly).first(), "Kontakte");
    contacts->setCheckState(0, Qt::Checked);
    tree->setCurrentItem(contacts);
    messages.shown.clear();
    window.trigger("Dup");
    QVERIFY2(messages.prompts().contains("Keine Duplikate gefunden."), qPrintable(messages.prompts().join(" | ")));
}

void TestSampleProfile::everyDialogFitsTheSmallScreen_data()
{
    QTest::addColumn<QString>("entry");      // what the person chooses in the main window
    QTest::addColumn<QString>("button");     // then clicks in the window that opened, if anything
    QTest::addColumn<QString>("dialog");     // the window that must fit
    QTest::newRow("search and replace") << "Suc" << "" << "frmReplace";
    QTest::newRow("message class") << "For" << "" << "frmMClassChange";
    QTest::newRow("school holidays") << "Hol" << "" << "frmHoliday";
    QTest::newRow("folder of another user") << "mnuSharedOpen" << "" << "frmSharedFolderOpen";
    QTest::newRow("undo") << "mnuUndo" << "" << "frmUndo";
    QTest::newRow("name test") << "mnuNameCheck" << "" << "frmNameCheck";
    QTest::newRow("telephone test") << "mnuTelTest" << "" << "frmTelPruef";
    QTest::newRow("options, every tab") << "Opt" << "" << "frmOptions";
    QTest::newRow("number format") << "Opt" << "cmdTelOptions" << "frmVorwahlen";
    QTest::newRow("telephone tables") << "Opt" << "cmdTelDB" << "frmTelDB";
    QTest::newRow("options wizard, every page") << "mnuQuickOption" << "" << "frmQuickOptions";
}

void TestSampleProfile::everyDialogFitsTheSmallScreen()
{
    QFETCH(QString, entry);
    QFETCH(QString, button);
    QFETCH(QString, dialog);
    DemoWorld world;
    frmHaupt window(world.services->messages, *world.services->help);
    QVERIFY(app::wireActions(window, *world.services).rejected.isEmpty());
    window.Form_Load();
    window.show();
    window.resize(kSmallScreen);
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QString opened;
    const auto check = [&](QWidget &shown) {
        opened = shown.objectName();
        verifyFitsSmallScreen(shown, opened);
    };
    whileModal([&] { window.trigger(entry); }, [&](QWidget &first) {
        if (button.isEmpty())
            return check(first);
        auto *next = first.findChild<QPushButton *>(button);
        QVERIFY2(next, qPrintable(button));
        showPagesAbove(next);
        whileModal([&] { QTest::mouseClick(next, Qt::LeftButton); }, check);
    });
    QVERIFY2(!QTest::currentTestFailed(), qPrintable(world.messages->prompts().join(" | ")));
    QCOMPARE(opened, dialog);
}

void TestSampleProfile::helpItemAndSplashWindowsFitTheSmallScreen()
{
    DemoWorld world;
    frmHaupt window(world.services->messages, *world.services->help);
    QVERIFY(app::wireActions(window, *world.services).rejected.isEmpty());
    window.Form_Load();
    window.show();
    window.resize(kSmallScreen);
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    window.trigger("Hil");
    auto &help = static_cast<ui::HelpBrowser &>(*world.services->help);
    QVERIFY(help.window());
    verifyFitsSmallScreen(*help.window(), "help");

    // An entry of the duplicate list, opened in its item window.
    ui::installItemWindow();
    auto *tree = window.controls().TvwOrdner;
    QTreeWidgetItem *contacts =
        child(tree->findItems(QString::fromUtf8("Persönliche Ordner"), Qt::MatchExactly).first(), "Kontakte");
    contacts->setCheckState(0, Qt::Checked);
    tree->setCurrentItem(contacts);
    window.trigger("Dup");
    QTreeWidget *list = window.controls().tvwDups;
    QVERIFY(list->topLevelItemCount() > 0);
    list->setCurrentItem(list->topLevelItem(0));
    const QWidgetList before = QApplication::topLevelWidgets();
    window.trigger("cmdDupView");
    QWidget *item = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!before.contains(w) && w->isVisible())
            item = w;
    }
    QVERIFY2(item, qPrintable(world.messages->prompts().join(" | ")));
    verifyFitsSmallScreen(*item, "item window");
    delete item;

    frmSplash splash;
    splash.Form_Load();
    splash.show();
    verifyFitsSmallScreen(splash, "splash");
}

QTEST_MAIN(TestSampleProfile)
#include "tst_sampleprofile.moc"
