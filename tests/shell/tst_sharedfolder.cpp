#include "FolderFixture.h"

#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Items.h"
#include "platform/ui/HelpViewer.h"
#include "shell/FolderFunctions.h"
#include "shell/FolderStructureFunctions.h"
#include "shell/SharedFolder.h"
#include "shell/frmHaupt.h"
#include "shell/frmSharedFolderOpen.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kw;

namespace {

const QString kNotFound =
    QString::fromUtf8("Name wurde nicht im Adressbuch gefunden. Bitte überprüfen Sie Ihre Eingabe.");
const QString kNoAccess =
    QString::fromUtf8("Ordner konnte nicht geöffnet werden. Überprüfen Sie die Berechtigungen.");

// The main window's frame over the sample profile's tree.
struct World
{
    test::TestEnv env;
    ui::RecordingHelpViewer help;
    frmHaupt window{env.messages, help};
    FolderStructure structure{env.settings, env.messages, env.mailProfile};
    SharedFolder shared;
    SharedFolderFrame frame{shared, window.controls()};
    FolderFunctions folders{structure, shared, env.messages, env.mailProfile};

    World()
    {
        test::createProfile(env, "folders/two-stores.json");
        structure.setTree(window.findChild<QTreeWidget *>("TvwOrdner"));
        structure.setYield([] {});
        structure.tvwFolderFill();
        window.show();
    }
    QGroupBox *frmSharedFolder() { return window.findChild<QGroupBox *>("frmSharedFolder"); }
    QString label(const char *name) { return window.findChild<QLabel *>(name)->text(); }
    // Opens a folder through the dialog as the user would.
    bool open(const QString &name, int position)
    {
        frmSharedFolderOpen dialog(env.mailProfile, env.messages, shared, &frame, &window);
        dialog.controls().txtName->setText(name);
        dialog.controls().cmbFolderTyp->setCurrentIndex(position);
        dialog.cmdOK_Click();
        return dialog.result() == QDialog::Accepted;
    }
    void tickAndMark(const QString &path)
    {
        QTreeWidgetItem *node = test::nodeAt(*structure.tree(), path);
        foldertree::setTicked(node, true);
        foldertree::selectNode(structure.tree(), node);
    }
};

} // namespace

class TestSharedFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogLoads();
    void nameCheck_data();
    void nameCheck();
    void editingClearsResolvedMarker();
    void open_data();
    void open();
    void closeByButtonOrCaption_data();
    void closeByButtonOrCaption();
    void reopenTicksCaptionAgain();
    void sharedFolderPassesTheGate_data();
    void sharedFolderPassesTheGate();
    void closingKeepsFolderForRunningTool();
};

void TestSharedFolder::dialogLoads()
{
    World w;
    frmSharedFolderOpen dialog(w.env.mailProfile, w.env.messages, w.shared, &w.frame);
    QComboBox *types = dialog.controls().cmbFolderTyp;
    QStringList entries;
    for (int i = 0; i < types->count(); ++i)
        entries << types->itemText(i);
    QCOMPARE(entries, (QStringList{"Kalender", "Kontakte", "Posteingang", "Notizen", "Aufgaben", "Journal"}));
    QCOMPARE(types->currentIndex(), 0);
    QCOMPARE(dialog.findChild<QPushButton *>("cmdNameCheck")->text(), QString::fromUtf8("Namen überprüfen"));
    QCOMPARE(dialog.findChild<QLabel *>("lblOrdner")->text(), QString("Ordner"));
    // Each box has its label, tied to it for screen readers.
    QCOMPARE(dialog.findChild<QLabel *>("lblName")->text(), QString("Name:"));
    QCOMPARE(dialog.findChild<QLabel *>("lblName")->buddy(), dialog.findChild<QLineEdit *>("txtName"));
    QCOMPARE(dialog.findChild<QLabel *>("lblOrdner")->buddy(), static_cast<QWidget *>(types));
    QVERIFY(dialog.findChild<QLineEdit *>("txtName"));
    QVERIFY(dialog.findChild<QPushButton *>("cmdOK"));
    // The title bar holds the whole title (bold) beside the icon and the buttons.
    QFont bold = dialog.font();
    bold.setBold(true);
    dialog.show();
    QVERIFY(dialog.width() >= QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) + 100);
}

void TestSharedFolder::nameCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("resolved");
    QTest::addColumn<QString>("shown");
    QTest::newRow("other letter case") << "erika mustermann" << true << "Erika Mustermann";
    QTest::newRow("by address") << "max.mustermann@example.org" << true << "Max Mustermann";
    QTest::newRow("unknown") << "Erika Musterfrau" << false << "Erika Musterfrau";
    QTest::newRow("part of a name") << "Mustermann" << false << "Mustermann";
    QTest::newRow("empty") << "" << false << "";
}

void TestSharedFolder::nameCheck()
{
    QFETCH(QString, typed);
    QFETCH(bool, resolved);
    QFETCH(QString, shown);
    World w;
    frmSharedFolderOpen dialog(w.env.mailProfile, w.env.messages, w.shared, &w.frame);
    dialog.controls().txtName->setText(typed);
    dialog.cmdNameCheck_Click();
    QCOMPARE(dialog.nameResolved(), resolved);
    QCOMPARE(dialog.controls().txtName->text(), shown);
    QCOMPARE(w.env.box.prompts(), resolved ? QStringList{} : QStringList{kNotFound});
    if (!resolved)
        QCOMPARE(w.env.box.shown.first().buttons, 48);
    QCOMPARE(w.shared.SharedFolderState(), QString());
}

void TestSharedFolder::editingClearsResolvedMarker()
{
    World w;
    frmSharedFolderOpen dialog(w.env.mailProfile, w.env.messages, w.shared, &w.frame);
    dialog.controls().txtName->setText("Erika Mustermann");
    dialog.cmdNameCheck_Click();
    QVERIFY(dialog.nameResolved());
    QVERIFY(dialog.controls().txtName->font().underline());
    QTest::keyClick(dialog.controls().txtName, Qt::Key_Backspace);
    QVERIFY(!dialog.nameResolved());
    QVERIFY(!dialog.controls().txtName->font().underline());
}

void TestSharedFolder::open_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("folder");
    QTest::newRow("calendar") << "Erika Mustermann" << 0 << "" << "Kalender";
    QTest::newRow("contacts, typed in lower case") << "erika mustermann" << 1 << "" << "Kontakte";
    QTest::newRow("no grant for tasks") << "Erika Mustermann" << 4 << kNoAccess << "";
    QTest::newRow("user without folders") << "Max Mustermann" << 1 << kNoAccess << "";
    QTest::newRow("unknown name") << "Erika Musterfrau" << 0 << kNotFound << "";
}

void TestSharedFolder::open()
{
    QFETCH(QString, typed);
    QFETCH(int, position);
    QFETCH(QString, message);
    QFETCH(QString, folder);
    World w;
    const bool accepted = w.open(typed, position);
    QCOMPARE(accepted, message.isEmpty());
    QCOMPARE(w.env.box.prompts(), message.isEmpty() ? QStringList{} : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(w.env.box.shown.first().title, QString("Hinweis!"));
        QCOMPARE(w.shared.SharedFolderState(), QString());
        QVERIFY(!w.shared.folder());
        QVERIFY(w.frmSharedFolder()->isHidden());
        return;
    }
    QCOMPARE(w.shared.SharedFolderState(), QString("OPEN"));
    QCOMPARE(w.shared.folder()->Name(), folder);
    QVERIFY(w.frmSharedFolder()->isVisible());
    QCOMPARE(w.label("lblName"), QString("Erika Mustermann"));
    QCOMPARE(w.label("lblTyp"), folder);
}

void TestSharedFolder::closeByButtonOrCaption_data()
{
    QTest::addColumn<bool>("byCaption");
    QTest::newRow("button") << false;
    QTest::newRow("caption check box") << true;
}

void TestSharedFolder::closeByButtonOrCaption()
{
    QFETCH(bool, byCaption);
    World w;
    w.tickAndMark("Persönliche Ordner/Kontakte");
    QVERIFY(w.open("Erika Mustermann", 0));
    QCOMPARE(w.folders.GetMarkedFolderClass(), QString("IPM.Appointment"));
    if (byCaption) {
        w.frmSharedFolder()->setChecked(false);
        w.frame.frmSharedFolder_Click(w.frmSharedFolder()->isChecked());
    } else {
        w.frame.cmdCloseShared_Click();
    }
    QVERIFY(w.frmSharedFolder()->isHidden());
    QCOMPARE(w.shared.SharedFolderState(), QString("CLOSE"));
    QVERIFY(!w.shared.folder());
    QCOMPARE(w.folders.GetMarkedFolderClass(), QString("IPM.Contact"));
    const WorkingSet set = w.folders.GetActivatedFolders("OnlyContacts");
    QVERIFY(set.OK);
    QCOMPARE(set.Folders.at(1)->Name(), QString("Kontakte"));
    QCOMPARE(set.ItemCount, 3L);
}

void TestSharedFolder::reopenTicksCaptionAgain()
{
    World w;
    QVERIFY(w.open("Erika Mustermann", 0));
    w.frmSharedFolder()->setChecked(false);
    w.frame.frmSharedFolder_Click(false);
    QVERIFY(w.open("Erika Mustermann", 1));
    QVERIFY(w.frmSharedFolder()->isVisible());
    QVERIFY(w.frmSharedFolder()->isChecked());
    QVERIFY(w.window.findChild<QPushButton *>("cmdCloseShared")->isEnabled());
    QCOMPARE(w.label("lblTyp"), QString("Kontakte"));
    // A tick of the caption box while open changes nothing.
    w.frame.frmSharedFolder_Click(true);
    QCOMPARE(w.shared.SharedFolderState(), QString("OPEN"));
}

void TestSharedFolder::sharedFolderPassesTheGate_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("message");
    QTest::newRow("calendar for the holidays") << 0 << "OnlyAppointment" << true << true << "";
    QTest::newRow("contacts for a contact tool") << 1 << "OnlyContacts" << false << true << "";
    QTest::newRow("calendar refused by a contact tool")
        << 0 << "OnlyContacts" << false << false
        << QString::fromUtf8("Bitte wählen Sie für diese Funktion ausschließlich Kontakte-Ordner aus.");
    QTest::newRow("contacts refused by the holidays, even quiet")
        << 1 << "OnlyAppointment" << true << false
        << QString::fromUtf8("Bitte wählen Sie für diese Funktion ausschließlich Kalender-Ordner aus.");
    QTest::newRow("any type") << 0 << "AllTypes" << false << true << "";
}

void TestSharedFolder::sharedFolderPassesTheGate()
{
    QFETCH(int, position);
    QFETCH(QString, mode);
    QFETCH(bool, quiet);
    QFETCH(bool, ok);
    QFETCH(QString, message);
    World w;
    // Ticks in the tree do not count while the shared folder is open.
    w.tickAndMark("Persönliche Ordner/Posteingang");
    w.tickAndMark("Archiv/Alte Kontakte");
    QVERIFY(w.open("Erika Mustermann", position));
    const WorkingSet set = w.folders.GetActivatedFolders(mode, quiet);
    QCOMPARE(set.OK, ok);
    QCOMPARE(w.env.box.prompts(), message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(set.FolderCount, 1);
    QCOMPARE(set.MarkedIndex, 1);
    QCOMPARE(set.Folders.at(1)->Name(), position == 0 ? QString("Kalender") : QString("Kontakte"));
    if (ok)
        QCOMPARE(set.ItemCount, position == 0 ? 1L : 2L);
}

// The user closes the shared folder while a run still works on it.
void TestSharedFolder::closingKeepsFolderForRunningTool()
{
    World w;
    QVERIFY(w.open("Erika Mustermann", 1));
    const WorkingSet set = w.folders.GetActivatedFolders("OnlyContacts");
    QVERIFY(set.OK);
    w.frame.cmdCloseShared_Click();
    QVERIFY(!w.shared.folder());
    QCOMPARE(set.Folders.at(1)->Name(), QString("Kontakte"));
    QCOMPARE(set.Folders.at(1)->Items()->Count(), 2);
}

QTEST_MAIN(TestSharedFolder)
#include "tst_sharedfolder.moc"
