// The whole road a user takes on the shipped demo profile: tick the contacts,
// scan for duplicates, remove them, scan again; and the window around it on
// a small and a large screen.
#include "app/Dispatch.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/MailStore.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/OutBar.h"
#include "shell/AppServices.h"
#include "shell/FolderTree.h"
#include "shell/frmHaupt.h"
#include "support/TestEnv.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QtTest>

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

// The main window over the demo profile, loaded, with the contacts ticked
// and marked.
struct DemoWindow
{
    test::TestEnv env;
    ui::ScriptedMessageBox *messages = nullptr;
    std::unique_ptr<AppServices> services;
    std::unique_ptr<frmHaupt> window;
    QTreeWidget *tree = nullptr;

    DemoWindow()
    {
        mailstore::fixture::createProfileFromFile(env.profileFile(), QStringLiteral(KW_DATA_DIR "/profiles/sample.json"));
        auto box = std::make_unique<ui::ScriptedMessageBox>();
        messages = box.get();
        services = std::make_unique<AppServices>(env.paths(KW_DATA_DIR), std::move(box),
                                                 std::make_unique<ui::RecordingHelpViewer>());
        services->settings.InitDefaultSettings();
        window = std::make_unique<frmHaupt>(services->messages, *services->help);
        QTEST_ASSERT(app::wireActions(*window, *services).rejected.isEmpty());
        window->Form_Load();
        tree = window->controls().TvwOrdner;
        tickContacts();
    }

    QTreeWidgetItem *contacts() const
    {
        const auto stores = tree->findItems(QString::fromUtf8("Persönliche Ordner"), Qt::MatchExactly);
        return stores.size() == 1 ? child(stores.first(), "Kontakte") : nullptr;
    }

    void tickContacts()
    {
        contacts()->setCheckState(0, Qt::Checked);
        tree->setCurrentItem(contacts());
    }
};

// Whole, inside the window and not squeezed below what it needs.
bool fullyShown(const QWidget *control, const QWidget &window)
{
    const QRect at(control->mapTo(&window, QPoint(0, 0)), control->size());
    return control->isVisibleTo(&window) && window.rect().contains(at)
        && control->width() >= control->minimumSizeHint().width();
}

} // namespace

class TestSampleProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void duplicatesOfTheDemoContactsAreMovedAside();
    void everyControlFitsTheScreen_data();
    void everyControlFitsTheScreen();
};

void TestSampleProfile::duplicatesOfTheDemoContactsAreMovedAside()
{
    DemoWindow demo;
    frmHaupt &window = *demo.window;
    ui::ScriptedMessageBox &messages = *demo.messages;

    window.trigger("Dup");
    auto *list = window.findChild<QTreeWidget *>("tvwDups");
    QVERIFY2(list->topLevelItemCount() > 0, qPrintable(messages.prompts().join(" | ")));
    QVERIFY(!window.findChild<QWidget *>("frmDups")->isHidden());
    const int ticked = checkedMembers(list);
    // The demo's duplicates are copies of one person each, so every group
    // lists one name: a group of strangers would make the demo look broken.
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *group = list->topLevelItem(i);
        QCOMPARE(group->toolTip(0), group->text(0));
        for (int c = 0; c < group->childCount(); ++c)
            QCOMPARE(group->child(c)->text(0).section(" (", 0, 0), group->text(0).section(" (", 0, 0));
    }
    QVERIFY(ticked > 0);

    messages.shown.clear();
    window.trigger("cmdDupDel");
    auto ns = mailstore::Application::open(demo.env.profileFile())->GetNamespace("MAPI");
    mailstore::FolderPtr store = ns->Folders()->Item(QString::fromUtf8("Persönliche Ordner"));
    mailstore::FolderPtr moved = store->Folders()->Item("Kontakte")->Folders()->find(
        QString::fromUtf8("Duplikate (erstellt von Kontorwerk)"));
    QVERIFY2(moved, qPrintable(messages.prompts().join(" | ")));
    QCOMPARE(moved->Items()->Count(), ticked);

    // The new folder is in the tree at once, and the contacts are still ticked.
    QTreeWidgetItem *movedNode = child(demo.contacts(), QString::fromUtf8("Duplikate (erstellt von Kontorwerk)"));
    QVERIFY(movedNode);
    QCOMPARE(demo.contacts()->checkState(0), Qt::Checked);
    QCOMPARE(demo.services->folders.GetFolderFromNodeKey(foldertree::nodeKey(movedNode))->EntryID(), moved->EntryID());

    demo.tickContacts();
    messages.shown.clear();
    window.trigger("Dup");
    QVERIFY2(messages.prompts().contains("Keine Duplikate gefunden."), qPrintable(messages.prompts().join(" | ")));
}

void TestSampleProfile::everyControlFitsTheScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::newRow("800 x 600") << QSize(800, 600);
    QTest::newRow("1920 x 1080") << QSize(1920, 1080);
}

void TestSampleProfile::everyControlFitsTheScreen()
{
    QFETCH(QSize, screen);
    DemoWindow demo;
    frmHaupt &window = *demo.window;
    const frmHauptUi &c = window.controls();
    window.show();
    window.resize(screen);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), screen);
    const QList<QWidget *> always = {c.OutBar1, c.TvwOrdner, c.cmdAktualisieren, c.cmdAlleRueck,
                                     c.cmdZweigMark, c.lblHilfe, c.lblStatus, c.ProgressBar1};
    for (QWidget *control : always)
        QVERIFY2(fullyShown(control, window), qPrintable(control->objectName()));

    window.trigger("Dup");
    QVERIFY(!c.frmDups->isHidden());
    QCOMPARE(window.size(), screen);
    for (QWidget *control : QList<QWidget *>{c.tvwDups, c.cmdDupDel, c.cmdDupView, c.cmdDupsClose})
        QVERIFY2(fullyShown(control, window), qPrintable(control->objectName()));
    for (QWidget *control : always) {
        if (control != c.lblHilfe) // the list takes its place
            QVERIFY2(fullyShown(control, window), qPrintable(control->objectName()));
    }
    // Long entries scroll sideways instead of being cut.
    QVERIFY(c.tvwDups->columnWidth(0) >= c.tvwDups->header()->minimumSectionSize());
    if (c.tvwDups->columnWidth(0) > c.tvwDups->viewport()->width())
        QTRY_VERIFY(c.tvwDups->horizontalScrollBar()->maximum() > 0);

    window.trigger("cmdDupsClose");
    QCOMPARE(window.size(), screen);
    QVERIFY(fullyShown(c.lblHilfe, window));
}

QTEST_MAIN(TestSampleProfile)
#include "tst_sampleprofile.moc"
