#include "platform/core/PlatformError.h"
#include "platform/ui/BusyBar.h"
#include "platform/ui/HelpViewer.h"
#include "shell/AppServices.h"
#include "shell/Main.h"
#include "shell/WindowPlacement.h"
#include "shell/frmHaupt.h"
#include "shell/frmSplash.h"
#include "support/TestEnv.h"

#include <QLabel>
#include <QtTest>

using namespace kw;

namespace {

std::unique_ptr<AppServices> servicesFor(const test::TestEnv &env)
{
    return std::make_unique<AppServices>(env.paths(KW_DATA_DIR), std::make_unique<ui::ScriptedMessageBox>(),
                                         std::make_unique<ui::RecordingHelpViewer>(), &test::TestEnv::fixedNow);
}

ui::ScriptedMessageBox &boxOf(AppServices &s)
{
    return static_cast<ui::ScriptedMessageBox &>(*s.box);
}

// Records each step with what was already in place when it ran, and fails
// at the step it is told to.
class RecordingWindows : public StartupWindows
{
public:
    RecordingWindows(AppServices &services, QString failAt) : m_services(services), m_failAt(std::move(failAt)) {}

    QStringList steps;

    void showSplash() override { step("showSplash"); }
    void loadMainWindow() override { step("loadMainWindow"); }
    void unloadSplash() override { step("unloadSplash"); }
    void showMainWindow() override { step("showMainWindow"); }
    void abandon() override
    {
        // The splash must be gone before the error message appears.
        steps << QStringLiteral("abandon after %1 messages").arg(boxOf(m_services).shown.size());
    }

private:
    void step(const QString &name)
    {
        const bool helpSet = m_services.help->helpFolder() == QStringLiteral(KW_DATA_DIR "/help");
        const bool defaultsIn = m_services.settings.GetSetting("CountryCode", "missing") == "49";
        steps << name + (helpSet && defaultsIn ? "" : " (too early)");
        if (name == m_failAt)
            throw PlatformError(errors::kOperationFailed, QStringLiteral("Fenster fehlt"));
    }

    AppServices &m_services;
    QString m_failAt;
};

} // namespace

class TestMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startupOrder_data();
    void startupOrder();
    void realStartShowsMainWindowOnly();
    void failedLoadLeavesNoWindowBehind();
    void defaultsAreOnDiskAfterStart();
    void existingSettingsSurviveStart();
    void unreadableSettingsFileIsReportedOnce();
    void f1AfterStartOpensMainWindowPage();
    void splashShowsVersionAndBusyBar();
    void splashStaysBelowQuestions();
    void savedPlaceIsReachable_data();
    void savedPlaceIsReachable();
    void windowOpensWhereItWasClosed_data();
    void windowOpensWhereItWasClosed();
};

void TestMain::startupOrder_data()
{
    QTest::addColumn<QString>("failAt");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("started");
    const QStringList all = {"showSplash", "loadMainWindow", "unloadSplash", "showMainWindow"};
    QTest::newRow("every step runs in order") << "" << all << true;
    const QString abandon = QStringLiteral("abandon after 0 messages");
    QTest::newRow("splash fails") << "showSplash" << (all.mid(0, 1) << abandon) << false;
    QTest::newRow("main window load fails") << "loadMainWindow" << (all.mid(0, 2) << abandon) << false;
    QTest::newRow("closing the splash fails") << "unloadSplash" << (all.mid(0, 3) << abandon) << false;
    QTest::newRow("showing the main window fails") << "showMainWindow" << (QStringList(all) << abandon) << false;
}

void TestMain::startupOrder()
{
    QFETCH(QString, failAt);
    QFETCH(QStringList, steps);
    QFETCH(bool, started);
    test::TestEnv env;
    auto services = servicesFor(env);
    RecordingWindows windows(*services, failAt);

    QCOMPARE(Main(*services, windows), started);
    QCOMPARE(windows.steps, steps);
    const QList<ui::MessageRequest> shown = boxOf(*services).shown;
    if (started) {
        QVERIFY(shown.isEmpty());
        QCOMPARE(env.errorLog(), QString());
    } else {
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Fehler!"));
        QVERIFY(shown[0].prompt.contains("Nr.: 201 / -2147467259, Fenster fehlt"));
        QVERIFY(env.errorLog().startsWith("Date: 08.12.2026 14:05:09Sub: 201\r\n"));
    }
}

void TestMain::realStartShowsMainWindowOnly()
{
    test::TestEnv env;
    auto services = servicesFor(env);
    QStringList wiredBeforeLoad;
    MainWindows windows(*services, [&](frmHaupt &window) {
        window.setAction("tvwFolderFill", [&] { wiredBeforeLoad << "filled"; });
    });
    QVERIFY(Main(*services, windows));
    QVERIFY(!windows.splash());
    QVERIFY(windows.mainWindow());
    QVERIFY(windows.mainWindow()->isVisible());
    QCOMPARE(windows.mainWindow()->controls().lblStatus->text(), QStringLiteral("Bereit"));
    QCOMPARE(wiredBeforeLoad, QStringList{"filled"});
    QVERIFY(!windows.mainWindow()->windowIcon().pixmap(32).isNull());
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible() || w == windows.mainWindow(), qPrintable(w->objectName()));
    QVERIFY(boxOf(*services).shown.isEmpty());
}

void TestMain::failedLoadLeavesNoWindowBehind()
{
    test::TestEnv env;
    auto services = servicesFor(env);
    MainWindows windows(*services, [](frmHaupt &) { throw PlatformError(errors::kObjectNotFound, "weg"); });
    QVERIFY(!Main(*services, windows));
    QVERIFY(!windows.splash());
    QVERIFY(!windows.mainWindow());
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QCOMPARE(boxOf(*services).shown.size(), 1);
    QVERIFY(boxOf(*services).shown[0].prompt.contains("Nr.: 201 / "));
}

void TestMain::defaultsAreOnDiskAfterStart()
{
    test::TestEnv env;
    {
        auto services = servicesFor(env);
        MainWindows windows(*services);
        QVERIFY(Main(*services, windows));
    }
    // Read back through a registry of its own: the values are in the file.
    registry::Registry reread(env.registryFile());
    Settings settings(reread, env.messages);
    int present = 0;
    for (const auto &[name, value] : Settings::defaults()) {
        const QString stored = settings.GetSetting(name, "<missing>");
        QCOMPARE(stored, value);
        ++present;
    }
    QVERIFY(present >= 75);
}

void TestMain::existingSettingsSurviveStart()
{
    test::TestEnv env;
    env.settings.SaveSetting("CountryCode", "41");
    env.settings.SaveSetting("DupDel", "1");
    auto services = servicesFor(env);
    MainWindows windows(*services);
    QVERIFY(Main(*services, windows));
    QCOMPARE(services->settings.GetSetting("CountryCode", ""), QStringLiteral("41"));
    QCOMPARE(services->settings.GetSetting("DupDel", ""), QStringLiteral("1"));
    QCOMPARE(services->settings.GetSetting("NDDP", ""), QStringLiteral("0"));
}

void TestMain::unreadableSettingsFileIsReportedOnce()
{
    test::TestEnv env;
    {
        QFile file(env.registryFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("kein Registrierungsformat\n");
    }
    auto services = servicesFor(env);
    MainWindows windows(*services);
    QVERIFY(Main(*services, windows));
    const QList<ui::MessageRequest> shown = boxOf(*services).shown;
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Hinweis!"));
    QCOMPARE(shown[0].buttons, 48);
    QVERIFY(shown[0].prompt.contains(env.registryFile()));
    // The defaults went into a fresh file; the old one was kept aside.
    QCOMPARE(services->settings.GetSetting("CountryCode", ""), QStringLiteral("49"));
    QCOMPARE(QDir(env.path("")).entryList({"registry.reg.unreadable-*"}).size(), 1);
    services->reportSettingsFileProblem();
    QCOMPARE(boxOf(*services).shown.size(), 1);
}

void TestMain::f1AfterStartOpensMainWindowPage()
{
    test::TestEnv env;
    auto services = servicesFor(env);
    MainWindows windows(*services);
    QVERIFY(Main(*services, windows));
    QVERIFY(QTest::qWaitForWindowExposed(windows.mainWindow()));
    QTest::keyClick(windows.mainWindow(), Qt::Key_F1);
    auto &help = static_cast<ui::RecordingHelpViewer &>(*services->help);
    QCOMPARE(help.shownFiles, QStringList{KW_DATA_DIR "/help/frmHaupt.html"});
}

void TestMain::splashShowsVersionAndBusyBar()
{
    frmSplash splash;
    splash.Form_Load();
    QCOMPARE(splash.lblVersion->text(), QStringLiteral("Version ") + versionText());
    QVERIFY(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(versionText()).hasMatch());
    QVERIFY(splash.busyBar->isRunning());
}

// The folder tree is read while the splash is up, and the question about a
// slow store comes then: a splash kept above every window would hide it and
// the start would seem to hang.
void TestMain::splashStaysBelowQuestions()
{
    frmSplash splash;
    QVERIFY(!(splash.windowFlags() & Qt::WindowStaysOnTopHint));
}

void TestMain::savedPlaceIsReachable_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<bool>("reachable");
    QTest::newRow("on the first screen") << "100,80,900,600" << true;
    QTest::newRow("on the second screen") << "2000,100,900,600" << true;
    QTest::newRow("larger than the screen") << "0,0,3000,2000" << true;
    QTest::newRow("title bar on the screen, rest below") << "100,1040,900,600" << true;
    QTest::newRow("left of every screen") << "-1200,100,900,600" << false;
    QTest::newRow("below every screen") << "100,1200,900,600" << false;
    QTest::newRow("title bar above the screen") << "100,-300,900,600" << false;
    QTest::newRow("only a sliver at the left edge") << "-840,100,900,600" << false;
    QTest::newRow("in the gap under the smaller screen") << "2000,1000,900,600" << false;
    QTest::newRow("no size") << "100,80,0,600" << false;
    QTest::newRow("three numbers") << "100,80,900" << false;
    QTest::newRow("not numbers") << "links,oben,900,600" << false;
    QTest::newRow("nothing saved") << "" << false;
}

void TestMain::savedPlaceIsReachable()
{
    QFETCH(QString, saved);
    QFETCH(bool, reachable);
    // A large screen and a smaller one to its right, both below a panel.
    const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 900)};
    QCOMPARE(placement::reachableGeometry(saved, screens).has_value(), reachable);
}

void TestMain::windowOpensWhereItWasClosed_data()
{
    QTest::addColumn<QString>("saved");  // before the first start
    QTest::addColumn<QRect>("opensAt");  // null: the default size where the window system puts it
    QTest::newRow("first start") << "" << QRect();
    QTest::newRow("saved place") << "40,50,700,500" << QRect(40, 50, 700, 500);
    QTest::newRow("saved place off every screen") << "-5000,50,700,500" << QRect();
}

void TestMain::windowOpensWhereItWasClosed()
{
    QFETCH(QString, saved);
    QFETCH(QRect, opensAt);
    test::TestEnv env;
    env.settings.SaveSetting("WindowGeometry", saved);
    const QRect moved(60, 70, 760, 520);
    {
        auto services = servicesFor(env);
        MainWindows windows(*services);
        QVERIFY(Main(*services, windows));
        if (opensAt.isNull())
            QCOMPARE(windows.mainWindow()->size(), placement::defaultSize(placement::availableScreens()));
        else
            QCOMPARE(windows.mainWindow()->geometry(), opensAt);
        windows.mainWindow()->setGeometry(moved);
        QVERIFY(windows.mainWindow()->close());
    }
    auto services = servicesFor(env);
    MainWindows windows(*services);
    QVERIFY(Main(*services, windows));
    QCOMPARE(windows.mainWindow()->geometry(), moved);
}

QTEST_MAIN(TestMain)
#include "tst_main.moc"
