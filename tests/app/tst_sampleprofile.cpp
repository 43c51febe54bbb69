// The whole road a user takes on the shipped demo profile: tick the contacts,
// scan for duplicates, remove them, scan again; on a small and a large screen.
#include "app/Dispatch.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/MailStore.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/OutBar.h"
#include "shell/AppServices.h"
#include "shell/FolderTree.h"
#include "shell/frmHaupt.h"
#include "support/TestEnv.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
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

// Whole, inside the window and not squeezed below what it needs.
void verifyShown(const QList<QWidget *> &controls, const QWidget &window)
{
    for (const QWidget *c : controls) {
        const QRect at(c->mapTo(&window, QPoint(0, 0)), c->size());
        QVERIFY2(c->isVisibleTo(&window) && window.rect().contains(at)
                     && c->width() >= c->minimumSizeHint().width(), qPrintable(c->objectName()));
    }
}

} // namespace

class TestSampleProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void duplicatesOfTheDemoContactsAreMovedAside_data();
    void duplicatesOfTheDemoContactsAreMovedAside();
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
    // The list takes the instruction's place without widening the window;
    // its long entries scroll sideways and show whole in their tooltips.
    QCOMPARE(window.size(), screen);
    verifyShown(always + QList<QWidget *>{c.tvwDups, c.cmdDupDel, c.cmdDupView, c.cmdDupsClose}, window);
    if (screen.width() < 1000)
        QTRY_VERIFY(list->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(list->topLevelItem(0)->toolTip(0), list->topLevelItem(0)->text(0));
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

QTEST_MAIN(TestSampleProfile)
#include "tst_sampleprofile.moc"
