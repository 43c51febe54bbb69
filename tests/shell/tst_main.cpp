#include "platform/core/Paths.h"
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
    void windowOpensWhereItWasClosed_data();
    void windowOpensWhereItWasClosed();
    void helpWindowKeepsItsSizeBetweenRuns_data();
    void helpWindowKeepsItsSizeBetweenRuns();
    void dataFolderBesideTheProgram_data();
    void dataFolderBesideTheProgram();
    void thisBuildsProgramFindsThisBuildsData();
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

// The offscreen screen spans (0,0) to (800,800).
void TestMain::windowOpensWhereItWasClosed_data()
{
    QTest::addColumn<QString>("saved");  // before the first start
    QTest::addColumn<QRect>("opensAt");  // null: the default size where the window system puts it
    QTest::newRow("first start") << "" << QRect();
    QTest::newRow("saved place") << "40,50,700,500" << QRect(40, 50, 700, 500);
    QTest::newRow("left of the screen") << "-5000,50,700,500" << QRect();
    QTest::newRow("title bar above the screen") << "40,-300,700,500" << QRect();
    QTest::newRow("only a sliver on the screen") << "-640,50,700,500" << QRect();
    QTest::newRow("not four numbers") << "40,50,700" << QRect();
}

void TestMain::windowOpensWhereItWasClosed()
{
    QFETCH(QString, saved);
    QFETCH(QRect, opensAt);
    test::TestEnv env;
    env.settings.SaveSetting("WindowGeometry", saved);
    const QRect moved(60, 70, 760, 520);
    for (const QRect &expected : {opensAt, moved}) {
        auto services = servicesFor(env);
        MainWindows windows(*services);
        QVERIFY(Main(*services, windows));
        if (expected.isNull())
            QCOMPARE(windows.mainWindow()->size(), placement::defaultSize(placement::availableScreens()));
        else
            QCOMPARE(windows.mainWindow()->geometry(), expected);
        windows.mainWindow()->setGeometry(moved);
        QVERIFY(windows.mainWindow()->close());
    }
}

void TestMain::helpWindowKeepsItsSizeBetweenRuns_data()
{
    QTest::addColumn<QString>("saved");   // before the first run
    QTest::addColumn<QSize>("opensWith"); // in the first run
    QTest::newRow("nothing kept") << "" << ui::HelpBrowser::kDefaultSize;
    QTest::newRow("kept size") << "500,420" << QSize(500, 420);
    QTest::newRow("no size") << "0,0" << ui::HelpBrowser::kDefaultSize;
    QTest::newRow("not two numbers") << "500,420,7" << ui::HelpBrowser::kDefaultSize;
    QTest::newRow("not numbers") << "breit,hoch" << ui::HelpBrowser::kDefaultSize;
}

// The program's own help window, its size kept in the settings: a run opens
// it at the size the last one closed it with.
void TestMain::helpWindowKeepsItsSizeBetweenRuns()
{
    QFETCH(QString, saved);
    QFETCH(QSize, opensWith);
    test::TestEnv env;
    env.settings.SaveSetting("HelpWindowSize", saved);
    QWidget main;
    main.show();
    for (const QSize &expected : {opensWith, QSize(450, 380)}) {
        AppServices services(env.paths(KW_DATA_DIR));
        services.help->setHelpFolder(services.paths.helpFolder());
        services.help->showHelpFor(&main);
        QWidget *window = static_cast<ui::HelpBrowser &>(*services.help).window();
        QVERIFY(window);
        QCOMPARE(window->size(), expected);
        window->resize(450, 380);
        services.help->closeWindow();
    }
    // In the file, read back through a registry of its own.
    registry::Registry reread(env.registryFile());
    QCOMPARE(Settings(reread, env.messages).GetSetting("HelpWindowSize", ""), QString("450,380"));
}

void TestMain::dataFolderBesideTheProgram_data()
{
    QTest::addColumn<QStringList>("folders"); // made under an empty root
    QTest::addColumn<QString>("program");     // the executable's folder
    QTest::addColumn<QString>("data");        // "" for none
    QTest::newRow("installed under a prefix") << QStringList{"usr/bin", "usr/share/kontorwerk"} << "usr/bin"
                                              << "usr/share/kontorwerk";
    QTest::newRow("in the build folder") << QStringList{"b/src/app", "b/share/kontorwerk"} << "b/src/app"
                                         << "b/share/kontorwerk";
    QTest::newRow("no data anywhere") << QStringList{"usr/bin", "usr/share/anders"} << "usr/bin" << "";
}

void TestMain::dataFolderBesideTheProgram()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, program);
    QFETCH(QString, data);
    QTemporaryDir root;
    for (const QString &folder : folders)
        QVERIFY(QDir(root.path()).mkpath(folder));
    QCOMPARE(paths::dataFolderBeside(root.filePath(program)), data.isEmpty() ? QString() : root.filePath(data));
}

// scripts/run and a developer start build/src/app/kontorwerk without KONTORWERK_DATA.
void TestMain::thisBuildsProgramFindsThisBuildsData()
{
    QCOMPARE(paths::dataFolderBeside(KW_APP_DIR), QDir::cleanPath(KW_DATA_DIR));
}

QTEST_MAIN(TestMain)
#include "tst_main.moc"
