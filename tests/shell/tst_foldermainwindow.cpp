#include "FolderFixture.h"

#include "platform/ui/HelpViewer.h"
#include "shell/AppServices.h"
#include "shell/BusyState.h"
#include "shell/MainWindowFolders.h"
#include "shell/frmHaupt.h"
#include "shell/frmSharedFolderOpen.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace kw;

namespace {

// The main window wired to the folder logic as the program wires it.
struct World
{
    test::TestEnv env;
    ui::ScriptedMessageBox *box = new ui::ScriptedMessageBox;
    AppServices services{env.paths(KW_DATA_DIR),
                         std::unique_ptr<ui::MessageBox>(box), std::make_unique<ui::RecordingHelpViewer>(),
                         &test::TestEnv::fixedNow};
    frmHaupt window{services.messages, *services.help};
    MainWindowFolders *folders = nullptr;

    explicit World(const QString &fixture = QStringLiteral("folders/two-stores.json"))
    {
        if (QFileInfo(fixture).isAbsolute())
            mailstore::fixture::createProfileFromFile(env.profileFile(), fixture);
        else if (!fixture.isEmpty())
            test::createProfile(env, fixture);
        services.busy.attach(BusyControls::of(window.controls()));
        services.busy.watchWindow(&window);
        folders = new MainWindowFolders(&window, window.controls(), window.controls(), services.busy,
                                        services.folderTree, services.sharedFolder, services.messages);
        window.setAction("tvwFolderFill", [this] { folders->tvwFolderFill(); });
        window.setAction("cmdAktualisieren", [this] { folders->cmdAktualisieren_Click(); });
        window.setAction(QString::fromUtf8("cmdAlleRück"), [this] { folders->cmdAlleRueck_Click(); });
        window.setAction("cmdZweigMark", [this] { folders->cmdZweigMark_Click(); });
        window.setAction("mnuSharedOpen", [this] { folders->mnuSharedOpen_Click(); });
        window.setAction("cmdCloseShared", [this] { folders->cmdCloseShared_Click(); });
        window.setAction("frmSharedFolder", [this] { folders->frmSharedFolder_Click(); });
        window.Form_Load();
        window.resize(900, 640);
        window.show();
    }
    QTreeWidget *tree() { return window.findChild<QTreeWidget *>("TvwOrdner"); }
    QTreeWidgetItem *node(const QString &path) { return test::nodeAt(*tree(), path); }
    template<typename T = QWidget> T *get(const QString &name) { return window.findChild<T *>(name); }
    void click(const QString &button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
    // Fills the shared-folder dialog once it is up and presses OK.
    void openSharedByMenu(const QString &name, int position)
    {
        QTimer::singleShot(0, [name, position] {
            auto *dialog = qobject_cast<frmSharedFolderOpen *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->controls().txtName->setText(name);
            dialog->controls().cmbFolderTyp->setCurrentIndex(position);
            QTest::mouseClick(dialog->controls().cmdOK, Qt::LeftButton);
        });
        get<QAction>("mnuSharedOpen")->trigger();
    }
};

} // namespace

class TestFolderMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadFillsTree();
    void missingProfileIsCreated();
    void refreshRereadsAndTellsUser();
    void refreshIsBusyWhileReading();
    void branchAndUntickButtons();
    void userTickMarksFolder();
    void sharedFolderFromMenuAndClose();
    void screenshotOfSampleProfile();
};

void TestFolderMainWindow::loadFillsTree()
{
    World w;
    QCOMPARE(test::treeLines(*w.tree()).size(), 14);
    QCOMPARE(w.tree()->topLevelItemCount(), 2);
    QVERIFY(!w.get<QTimer>("Timer1")->isActive());
    QVERIFY(w.box->shown.isEmpty());
}

void TestFolderMainWindow::missingProfileIsCreated()
{
    World w(QString{});
    QVERIFY(QFile::exists(w.env.profileFile()));
    QCOMPARE(w.tree()->topLevelItemCount(), 1);
    QCOMPARE(w.tree()->topLevelItem(0)->text(0), QString::fromUtf8("Persönliche Ordner"));
    QVERIFY(w.tree()->topLevelItem(0)->childCount() > 0);
}

void TestFolderMainWindow::refreshRereadsAndTellsUser()
{
    World w;
    foldertree::setTicked(w.node("Archiv/2025"), true);
    w.openSharedByMenu("Erika Mustermann", 0);
    QCOMPARE(w.services.sharedFolder.SharedFolderState(), QString("OPEN"));
    w.box->shown.clear();

    w.click("cmdAktualisieren");
    QCOMPARE(w.box->prompts(), QStringList{"Alle Ordner neu eingelesen."});
    QCOMPARE(w.box->shown.first().buttons, 64);
    QCOMPARE(w.box->shown.first().title, QString("Info!"));
    QCOMPARE(test::treeLines(*w.tree()).size(), 14);
    QVERIFY(!foldertree::isTicked(w.node("Archiv/2025")));
    // Re-reading the tree leaves the shared folder open.
    QCOMPARE(w.services.sharedFolder.SharedFolderState(), QString("OPEN"));
    QVERIFY(w.get("frmSharedFolder")->isVisible());
}

// While the tree is read again no tool can start on half a tree, and a second
// click on the button does nothing.
void TestFolderMainWindow::refreshIsBusyWhileReading()
{
    World w;
    QList<bool> toolsEnabled;
    w.services.folderTree.setYield([&] {
        toolsEnabled << w.get("OutBar1")->isEnabled();
        w.folders->cmdAktualisieren_Click();
    });
    w.click("cmdAktualisieren");
    QVERIFY(!toolsEnabled.isEmpty());
    QVERIFY(!toolsEnabled.contains(true));
    QVERIFY(w.get("OutBar1")->isEnabled());
    QVERIFY(w.get("TvwOrdner")->isEnabled());
    QCOMPARE(test::treeLines(*w.tree()).size(), 14);
    QCOMPARE(w.box->shown.size(), 1);
}

void TestFolderMainWindow::branchAndUntickButtons()
{
    World w;
    foldertree::selectNode(w.tree(), w.node("Persönliche Ordner/Kontakte"));
    w.click("cmdZweigMark");
    QVERIFY(foldertree::isTicked(w.node("Persönliche Ordner/Kontakte")));
    QVERIFY(foldertree::isTicked(w.node("Persönliche Ordner/Kontakte/Kunden")));
    QVERIFY(!foldertree::isTicked(w.node("Persönliche Ordner")));
    QVERIFY(w.node("Persönliche Ordner/Kontakte")->isExpanded());

    w.click(QString::fromUtf8("cmdAlleRück"));
    for (QTreeWidgetItem *n : foldertree::nodesInOrder(w.tree())) {
        QVERIFY(!foldertree::isTicked(n));
        QVERIFY(!n->isExpanded());
    }
}

void TestFolderMainWindow::userTickMarksFolder()
{
    World w;
    foldertree::selectNode(w.tree(), w.node("Archiv/2025"));
    w.node("Persönliche Ordner/Kalender")->setCheckState(0, Qt::Checked); // as a click does
    QCOMPARE(foldertree::selectedNode(w.tree()), w.node("Persönliche Ordner/Kalender"));
    const WorkingSet set = w.services.folders.GetActivatedFolders("OnlyAppointment");
    QVERIFY(set.OK);
    QCOMPARE(set.MarkedIndex, 1);
}

void TestFolderMainWindow::sharedFolderFromMenuAndClose()
{
    World w;
    w.openSharedByMenu("erika mustermann", 1);
    QVERIFY(w.get("frmSharedFolder")->isVisible());
    QCOMPARE(w.get<QLabel>("lblName")->text(), QString("Erika Mustermann"));
    QCOMPARE(w.get<QLabel>("lblTyp")->text(), QString("Kontakte"));

    // Unticking the caption box is a click on the frame.
    auto *frame = w.get<QGroupBox>("frmSharedFolder");
    frame->setChecked(false);
    Q_EMIT frame->clicked(false);
    QVERIFY(frame->isHidden());
    QCOMPARE(w.services.sharedFolder.SharedFolderState(), QString("CLOSE"));

    w.openSharedByMenu("Erika Mustermann", 0);
    QVERIFY(frame->isChecked());
    w.click("cmdCloseShared");
    QVERIFY(frame->isHidden());
    QCOMPARE(w.services.sharedFolder.SharedFolderState(), QString("CLOSE"));
}

// Set KW_SCREENSHOT to a file name to look at the window over the sample profile.
void TestFolderMainWindow::screenshotOfSampleProfile()
{
    const QString sample = QStringLiteral(KW_DATA_DIR "/profiles/sample.json");
    if (!QFile::exists(sample))
        QSKIP("no sample profile in this build");
    World w(sample);
    QVERIFY(w.tree()->topLevelItemCount() >= 2);
    w.tree()->expandAll();
    w.openSharedByMenu("Erika Mustermann", 0);
    QVERIFY(w.get("frmSharedFolder")->isVisible());
    const QString file = qEnvironmentVariable("KW_SCREENSHOT");
    if (!file.isEmpty())
        QVERIFY(w.window.grab().save(file));
}

QTEST_MAIN(TestFolderMainWindow)
#include "tst_foldermainwindow.moc"
