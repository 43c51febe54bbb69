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
#include "platform/core/PlatformError.h"
#include "shell/BusyState.h"
#include "shell/MailServices.h"
#include "shell/frmHaupt.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
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
    void startingTellsListenersAndResetsStatus_data();
    void startingTellsListenersAndResetsStatus();
    void listenerGoesWithItsOwner();
    void failingListenerIsReported();
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
    QTest::newRow("tool bar") << "OutBar1" << true;
    QTest::newRow("menu Aktion") << "mnuAktion" << true;
    QTest::newRow("folder tree") << "TvwOrdner" << true;
    QTest::newRow("untick button with umlaut") << QString::fromUtf8("cmdAlleRück") << true;
    QTest::newRow("shared-folder entry") << "mnuSharedOpen" << true;
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
    const BusyControls controls = BusyControls::of(w.main.controls());
    busy.attach(controls);
    QObject *control = w.get(name);
    QVERIFY2(control, qPrintable(name));
    const auto allOn = [&] {
        return std::all_of(controls.commands.cbegin(), controls.commands.cend(),
                           [](const QPointer<QObject> &c) { return c && controlEnabled(c); });
    };

    busy.BeginEndOperation(true);
    QCOMPARE(controlEnabled(control), !switched);
    QVERIFY(busy.isBusy());
    busy.BeginEndOperation(false);
    QVERIFY(controlEnabled(control));
    QVERIFY(allOn());
    busy.SetBusy(true);
    QCOMPARE(controlEnabled(control), !switched);
    busy.SetBusy(false);
    QVERIFY(controlEnabled(control));
    QVERIFY(allOn());
}

void TestBusyState::startingTellsListenersAndResetsStatus_data()
{
    QTest::addColumn<bool>("starting");
    QTest::addColumn<QStringList>("heard");
    QTest::newRow("run starts: listeners in their order") << true << QStringList{"first", "second"};
    QTest::newRow("run ends: nobody is told") << false << QStringList{};
}

void TestBusyState::startingTellsListenersAndResetsStatus()
{
    QFETCH(bool, starting);
    QFETCH(QStringList, heard);
    test::TestEnv env;
    Window w(env);
    BusyState busy(env.messages);
    busy.attach(BusyControls::of(w.main.controls()));
    QObject first, second;
    QStringList calls;
    busy.onRunStarting(&first, [&] { calls << "first"; });
    busy.onRunStarting(&second, [&] { calls << "second"; });
    w.main.controls().lblStatus->setText("Kontakte werden gelesen");
    w.main.controls().ProgressBar1->setValue(40);

    busy.BeginEndOperation(starting);
    QCOMPARE(calls, heard);
    QCOMPARE(w.main.controls().lblStatus->text(), BusyState::readyText());
    QCOMPARE(w.main.controls().ProgressBar1->value(), 0);
    QCOMPARE(busy.isBusy(), starting);
}

// A view that went with its window is not called by the next run.
void TestBusyState::listenerGoesWithItsOwner()
{
    test::TestEnv env;
    BusyState busy(env.messages);
    int calls = 0;
    auto *owner = new QObject;
    busy.onRunStarting(owner, [&] { ++calls; });
    busy.BeginEndOperation(true);
    busy.BeginEndOperation(false);
    delete owner;
    busy.BeginEndOperation(true);
    QCOMPARE(calls, 1);
    QVERIFY(env.box.shown.isEmpty());
}

// A listener that fails is reported under BeginEndOperation's place code;
// the run still goes busy, so nothing can start a second one under it.
void TestBusyState::failingListenerIsReported()
{
    test::TestEnv env;
    BusyState busy(env.messages);
    QObject owner;
    busy.onRunStarting(&owner, [] { throw PlatformError(errors::kOperationFailed, "Liste weg"); });
    busy.BeginEndOperation(true);
    QVERIFY(busy.isBusy());
    QCOMPARE(env.box.shown.size(), 1);
    QVERIFY(env.errorLog().contains("Sub: 203\r\n"));
}

void TestBusyState::closeDuringRunWaitsForRunEnd()
{
    test::TestEnv env;
    Window w(env);
    w.main.show();
    BusyState busy(env.messages);
    busy.attach(BusyControls::of(w.main.controls()));
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
