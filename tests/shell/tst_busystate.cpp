#include "platform/ui/FolderPicker.h"
#include "shell/BrowseForFolderFunctions.h"
#include "platform/mailstore/Application.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mailstore/UserProperties.h"
#include "platform/mapi/MAPIUtils.h"
#include "platform/ui/HelpViewer.h"
#include "shell/BusyState.h"
#include "shell/MailServices.h"
#include "shell/frmHaupt.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTreeWidget>
#include <QtTest>

using namespace kw;

namespace {

// The main window with its real controls.
struct Window
{
    ui::RecordingHelpViewer help;
    frmHaupt main;

    explicit Window(test::TestEnv &env) : main(env.messages, help) {}
    template<typename T = QObject> T *get(const QString &name) { return main.findChild<T *>(name); }
};

} // namespace

class TestBusyState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandsFollowBusy_data();
    void commandsFollowBusy();
    void startingClearsDuplicateList();
    void endingLeavesDuplicateList();
    void closeDuringRunWaitsForRunEnd();
    void browseForFolder_data();
    void browseForFolder();
    void cleanUpOnlyUnderVersion10_data();
    void cleanUpOnlyUnderVersion10();
    void cleanUpFailureIsOnlyLogged();
    void userPropertyAddedOnce_data();
    void userPropertyAddedOnce();
    void userPropertyOfNoItem();
};

void TestBusyState::commandsFollowBusy_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("switched");
    for (const QString &name : BusyControls::commandNames())
        QTest::newRow(qPrintable(name)) << name << true;
    QTest::newRow("Beenden stays") << "mnuBeenden" << false;
    QTest::newRow("help menu stays") << "mnuHilfeRoot" << false;
    QTest::newRow("file menu stays") << "mnuDatei" << false;
    QTest::newRow("duplicate removal untouched") << "cmdDupDel" << false;
}

void TestBusyState::commandsFollowBusy()
{
    QFETCH(QString, name);
    QFETCH(bool, switched);
    test::TestEnv env;
    Window w(env);
    BusyState busy(env.messages);
    busy.attach(BusyControls::find(&w.main));
    QObject *control = w.get(name);
    QVERIFY2(control, qPrintable(name));

    busy.BeginEndOperation(true);
    QCOMPARE(controlEnabled(control), !switched);
    QVERIFY(busy.isBusy());
    busy.BeginEndOperation(false);
    QVERIFY(controlEnabled(control));
    busy.SetBusy(true);
    QCOMPARE(controlEnabled(control), !switched);
    busy.SetBusy(false);
    QVERIFY(controlEnabled(control));
}

void TestBusyState::startingClearsDuplicateList()
{
    test::TestEnv env;
    Window w(env);
    w.main.show();
    BusyState busy(env.messages);
    busy.attach(BusyControls::find(&w.main));
    int resets = 0;
    busy.resetDuplicateIds = [&] { ++resets; };
    auto *tvwDups = w.get<QTreeWidget>("tvwDups");
    new QTreeWidgetItem(tvwDups, QStringList("Müller"));
    w.get<QWidget>("cmdDupDel")->setEnabled(false);
    w.get<QLabel>("lblStatus")->setText("Kontakte werden gelesen");
    w.get<QProgressBar>("ProgressBar1")->setValue(40);

    busy.BeginEndOperation(true);
    QVERIFY(w.get<QWidget>("frmDups")->isHidden());
    QCOMPARE(tvwDups->topLevelItemCount(), 0);
    QCOMPARE(resets, 1);
    QVERIFY(w.get<QWidget>("cmdDupDel")->isEnabled());
    QCOMPARE(w.get<QLabel>("lblStatus")->text(), QString("Bereit"));
    QCOMPARE(w.get<QProgressBar>("ProgressBar1")->value(), 0);
}

void TestBusyState::endingLeavesDuplicateList()
{
    test::TestEnv env;
    Window w(env);
    w.main.show();
    BusyState busy(env.messages);
    busy.attach(BusyControls::find(&w.main));
    int resets = 0;
    busy.resetDuplicateIds = [&] { ++resets; };
    busy.BeginEndOperation(true);
    auto *tvwDups = w.get<QTreeWidget>("tvwDups");
    new QTreeWidgetItem(tvwDups, QStringList("Müller"));
    w.get<QWidget>("frmDups")->show();
    w.get<QLabel>("lblStatus")->setText("Fertig");

    busy.BeginEndOperation(false);
    QVERIFY(w.get<QWidget>("frmDups")->isVisible());
    QCOMPARE(tvwDups->topLevelItemCount(), 1);
    QCOMPARE(resets, 1);
    QCOMPARE(w.get<QLabel>("lblStatus")->text(), QString("Bereit"));
}

void TestBusyState::closeDuringRunWaitsForRunEnd()
{
    test::TestEnv env;
    Window w(env);
    w.main.show();
    BusyState busy(env.messages);
    busy.attach(BusyControls::find(&w.main));
    busy.watchWindow(&w.main);

    busy.BeginEndOperation(true);
    w.main.trigger("mnuBeenden");
    QCoreApplication::processEvents();
    QVERIFY(w.main.isVisible());
    QVERIFY(busy.closePending());

    busy.BeginEndOperation(false);
    QTRY_VERIFY(!w.main.isVisible());

    // Idle, the window closes at once.
    w.main.show();
    w.main.close();
    QVERIFY(!w.main.isVisible());
}

void TestBusyState::browseForFolder_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QString>("expected");
    QTest::newRow("chosen") << QStringList{"/home/anna/Anlagen"} << false << "/home/anna/Anlagen";
    QTest::newRow("cancelled") << QStringList{} << false << "";
    QTest::newRow("picker fails") << QStringList{"/tmp"} << true << "";
}

void TestBusyState::browseForFolder()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, fails);
    QFETCH(QString, expected);
    test::TestEnv env;
    ui::ScriptedFolderPicker picker;
    for (const QString &a : answers)
        picker.answers.enqueue(a);
    picker.failNext = fails;

    QCOMPARE(BrowseForFolder(picker, env.messages, "Zielordner wählen", nullptr), expected);
    QCOMPARE(picker.titles, QStringList{"Zielordner wählen"});
    QCOMPARE(env.box.shown.size(), fails ? 1 : 0);
    QCOMPARE(env.errorLog().contains("Sub: 2202\r\n"), fails);
}

void TestBusyState::cleanUpOnlyUnderVersion10_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<int>("cleanups");
    QTest::newRow("10.0") << "10.0" << 1;
    QTest::newRow("10.0.4712") << "10.0.4712" << 1;
    QTest::newRow("16.0") << "16.0" << 0;
    QTest::newRow("11.0") << "11.0" << 0;
    QTest::newRow("1.0") << "1.0" << 0;
}

void TestBusyState::cleanUpOnlyUnderVersion10()
{
    QFETCH(QString, version);
    QFETCH(int, cleanups);
    test::TestEnv env;
    mailstore::Application::setDefaultVersion(version);
    const int before = mapi::MAPIUtils::cleanupCount();
    CleanUpMAPI(env.messages, env.mailProfile);
    mailstore::Application::setDefaultVersion("16.0");
    QCOMPARE(mapi::MAPIUtils::cleanupCount() - before, cleanups);
    QVERIFY(env.errorLog().isEmpty());
}

void TestBusyState::cleanUpFailureIsOnlyLogged()
{
    test::TestEnv env;
    QVERIFY(QDir().mkpath(env.profileFile())); // a folder where the profile should be
    CleanUpMAPI(env.messages, env.mailProfile);
    QVERIFY(env.box.shown.isEmpty());
    QVERIFY(env.errorLog().contains("Sub: 1\r\n"));
    QVERIFY(env.errorLog().contains(", Info: Clear\r\n"));
}

void TestBusyState::userPropertyAddedOnce_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("asked");
    QTest::newRow("missing") << "" << "KW Backup FullName";
    QTest::newRow("present") << "KW Backup FullName" << "KW Backup FullName";
    QTest::newRow("present in other case") << "KW Backup Fullname" << "KW Backup FullName";
}

void TestBusyState::userPropertyAddedOnce()
{
    QFETCH(QString, existing);
    QFETCH(QString, asked);
    test::TestEnv env;
    const auto ns = env.mailProfile.mapiNamespace();
    const mailstore::ItemPtr item = ns->GetDefaultFolder(mailstore::defaultfolder::Contacts)->Items()->Add();
    item->set(u"LastName", "Weiß");
    if (!existing.isEmpty())
        item->UserProperties()->Add(existing, 1)->setValue("alt");

    const mailstore::UserPropertyPtr p = GetOrAddUserProperty(item, asked, env.messages);
    QVERIFY(p);
    QCOMPARE(GetOrAddUserProperty(item, asked, env.messages)->Value(), p->Value());
    QCOMPARE(item->UserProperties()->Count(), 1);
    QCOMPARE(p->Type(), 1);
    QCOMPARE(p->Value(), existing.isEmpty() ? QString() : QString("alt"));
    QVERIFY(env.box.shown.isEmpty());
}

void TestBusyState::userPropertyOfNoItem()
{
    test::TestEnv env;
    QVERIFY(!GetOrAddUserProperty(nullptr, "KW Backup FullName", env.messages));
    QCOMPARE(env.box.shown.size(), 1);
    QVERIFY(env.errorLog().contains("Sub: 206\r\n"));
}

QTEST_MAIN(TestBusyState)
#include "tst_busystate.moc"
