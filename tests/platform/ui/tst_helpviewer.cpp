#include "platform/ui/HelpViewer.h"

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtTest>

using kw::ui::HelpBrowser;
using kw::ui::RecordingHelpViewer;

class TestHelpViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageOfWindow_data();
    void pageOfWindow();
    void f1OpensPageOfItsWindow_data();
    void f1OpensPageOfItsWindow();
    void shippedPages_data();
    void shippedPages();
    void browserShowsThePage();
    void helpOfAModalDialogTakesClicks();
    void escapeClosesTheHelp();
    void placement_data();
    void placement();
    void opensBesideTheWindowItExplains();
    void keepsTheSizeTheUserGaveIt_data();
    void keepsTheSizeTheUserGaveIt();
};

namespace {

const QString kShipped = QStringLiteral(KW_DATA_DIR "/help");

// A help folder with two pages of its own.
struct Folder
{
    QTemporaryDir dir;
    Folder()
    {
        for (const char *name : {"index.html", "frmOptions.html", "frmHaupt.html"}) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::WriteOnly);
            f.write("<h1>x</h1>");
        }
    }
    QString page(const QString &name) const { return dir.filePath(name + ".html"); }
};

} // namespace

void TestHelpViewer::pageOfWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("page");
    QTest::newRow("window with a page") << "frmOptions" << "frmOptions";
    QTest::newRow("window without a page") << "frmNirgends" << "index";
    QTest::newRow("unnamed window") << "" << "index";
    QTest::newRow("name in other case") << "frmoptions" << "index";
    QTest::newRow("name reaching out of the folder") << "../frmOptions" << "index";
    QTest::newRow("name with a path inside") << "sub/frmOptions" << "index";
}

void TestHelpViewer::pageOfWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, page);
    Folder folder;
    // A page outside the folder that a crafted name could otherwise reach.
    QDir(folder.dir.path()).mkdir("sub");
    QFile(folder.page("frmOptions")).copy(folder.dir.filePath("sub/frmOptions.html"));
    RecordingHelpViewer help;
    help.setHelpFolder(folder.dir.path());
    QCOMPARE(help.pageFile(window), folder.page(page));
}

void TestHelpViewer::f1OpensPageOfItsWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QStringList>("pages");
    QTest::newRow("F1 in the main window") << "frmHaupt" << Qt::KeyboardModifiers() << QStringList{"frmHaupt"};
    QTest::newRow("F1 in a dialog") << "frmOptions" << Qt::KeyboardModifiers() << QStringList{"frmOptions"};
    QTest::newRow("F1 in a window without page") << "frmAnders" << Qt::KeyboardModifiers() << QStringList{"index"};
    QTest::newRow("Shift+F1 is not help") << "frmHaupt" << Qt::KeyboardModifiers(Qt::ShiftModifier) << QStringList{};
}

void TestHelpViewer::f1OpensPageOfItsWindow()
{
    QFETCH(QString, window);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QStringList, pages);
    Folder folder;
    RecordingHelpViewer help;
    help.setHelpFolder(folder.dir.path());
    help.installF1Key();

    QDialog dialog;
    dialog.setObjectName(window);
    auto *edit = new QLineEdit(&dialog); // the key lands on a control, not on the window itself
    (new QVBoxLayout(&dialog))->addWidget(edit);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(edit, Qt::Key_F1, modifiers);

    QStringList expected;
    for (const QString &p : pages)
        expected << folder.page(p);
    QCOMPARE(help.shownFiles, expected);
}

void TestHelpViewer::shippedPages_data()
{
    QTest::addColumn<QString>("page");
    for (const char *page : {"index", "info", "frmHaupt", "frmOptions", "frmQuickOptions", "frmReplace",
                             "frmMClassChange", "frmHoliday", "frmTelPruef", "frmTelDB", "frmVorwahlen",
                             "frmNameCheck", "frmUndo", "frmSharedFolderOpen"})
        QTest::newRow(page) << QString::fromUtf8(page);
}

void TestHelpViewer::shippedPages()
{
    QFETCH(QString, page);
    RecordingHelpViewer help;
    help.setHelpFolder(kShipped);
    QCOMPARE(help.pageFile(page), kShipped + "/" + page + ".html");
    QFile file(help.pageFile(page));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QString html = QString::fromUtf8(file.readAll());
    QVERIFY(html.contains("<meta charset=\"utf-8\">"));
    QVERIFY(html.contains("<h1>"));
    if (page == "index") // the first page carries the instruction text
        QVERIFY(html.contains(QString::fromUtf8("Wählen Sie anschließend die gewünschte Aktion aus.")));
    if (page == "info") // the place the reference data's sources go
        QVERIFY(html.contains("id=\"quellen\""));
}

void TestHelpViewer::browserShowsThePage()
{
    HelpBrowser help;
    help.setHelpFolder(kShipped);
    QWidget owner;
    owner.setObjectName("frmReplace");
    help.showHelpFor(&owner);
    QVERIFY(help.window());
    QVERIFY(help.window()->isVisible());
    auto *browser = help.window()->findChild<QTextBrowser *>();
    QVERIFY(browser);
    QCOMPARE(browser->source().toLocalFile(), kShipped + "/frmReplace.html");
    QVERIFY(browser->toPlainText().contains("Suchen und Ersetzen"));
}

namespace {

struct PressCounter : QObject
{
    int presses = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        presses += event->type() == QEvent::MouseButtonPress;
        return false;
    }
};

} // namespace

// Help opened before a modal dialog, then F1 in the dialog: the help takes a
// click from the window system, which drops clicks on blocked windows.
void TestHelpViewer::helpOfAModalDialogTakesClicks()
{
    HelpBrowser help;
    help.setHelpFolder(kShipped);
    help.installF1Key();
    QWidget main;
    help.showHelpFor(&main);
    QDialog dialog(&main);
    dialog.setObjectName("frmSharedFolderOpen");
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);

    QVERIFY(QTest::qWaitForWindowExposed(help.window()));
    auto *browser = help.window()->findChild<QTextBrowser *>();
    QCOMPARE(browser->source().toLocalFile(), kShipped + "/frmSharedFolderOpen.html");
    PressCounter counter;
    browser->viewport()->installEventFilter(&counter);
    const QPoint inside = browser->viewport()->mapTo(help.window(), QPoint(20, 20));
    QTest::mouseClick(help.window()->windowHandle(), Qt::LeftButton, {}, inside);
    QCOMPARE(counter.presses, 1);
}

void TestHelpViewer::escapeClosesTheHelp()
{
    HelpBrowser help;
    help.setHelpFolder(kShipped);
    QWidget main;
    main.setObjectName("frmHaupt");
    main.show();
    help.showHelpFor(&main);
    QPointer<QWidget> window = help.window();
    QVERIFY(QTest::qWaitForWindowActive(window));
    // The key lands where a person's would: in the page, which has the focus.
    auto *browser = window->findChild<QTextBrowser *>();
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Escape);
    QTRY_VERIFY(window.isNull() || !window->isVisible());
}

// The screen is 0,0 to 1000 x 800 in every row.
void TestHelpViewer::placement_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("explained");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("room on the right") << QSize(400, 500) << QRect(50, 100, 500, 400) << QRect(550, 100, 400, 500);
    QTest::newRow("room on the left only") << QSize(400, 500) << QRect(500, 100, 450, 400) << QRect(100, 100, 400, 500);
    QTest::newRow("no room either side: against the roomier edge")
        << QSize(400, 500) << QRect(200, 100, 700, 400) << QRect(0, 100, 400, 500);
    QTest::newRow("near the bottom: moved up onto the screen")
        << QSize(400, 500) << QRect(50, 600, 500, 150) << QRect(550, 300, 400, 500);
    QTest::newRow("larger than the screen: made smaller")
        << QSize(1400, 900) << QRect(50, 100, 500, 400) << QRect(0, 0, 1000, 800);
    QTest::newRow("no window to explain: centred") << QSize(400, 500) << QRect() << QRect(300, 150, 400, 500);
}

void TestHelpViewer::placement()
{
    QFETCH(QSize, size);
    QFETCH(QRect, explained);
    QFETCH(QRect, expected);
    QCOMPARE(kw::ui::helpPlacement(size, explained, QRect(0, 0, 1000, 800)), expected);
}

void TestHelpViewer::opensBesideTheWindowItExplains()
{
    HelpBrowser help;
    help.setHelpFolder(kShipped);
    help.setSizeMemory({[] { return QSize(300, 400); }, {}});
    QDialog dialog;
    dialog.setObjectName("frmReplace");
    dialog.setGeometry(40, 60, 360, 300);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    help.showHelpFor(&dialog);
    QWidget *window = help.window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY2(!window->frameGeometry().intersects(dialog.frameGeometry()), "help covers its dialog");
    QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
    QCOMPARE(window->size(), QSize(300, 400));
}

void TestHelpViewer::keepsTheSizeTheUserGaveIt_data()
{
    QTest::addColumn<QString>("goes"); // how the help window leaves the screen
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("its dialog closes") << "dialog";
    QTest::newRow("the program ends") << "end";
}

void TestHelpViewer::keepsTheSizeTheUserGaveIt()
{
    QFETCH(QString, goes);
    QSize kept;
    QList<QSize> saved;
    HelpBrowser help;
    help.setHelpFolder(kShipped);
    help.installF1Key();
    help.setSizeMemory({[&] { return kept; }, [&](const QSize &size) { saved << size; }});
    {
        QWidget main;
        main.show();
        auto dialog = std::make_unique<QDialog>(&main);
        dialog->setObjectName("frmOptions");
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QTest::keyClick(dialog.get(), Qt::Key_F1);
        QPointer<QWidget> window = help.window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->size(), HelpBrowser::kDefaultSize);
        window->resize(520, 430);
        if (goes == "Escape") {
            // The person turns to the help window before pressing the key.
            window->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), window.data());
            QTest::keyClick(window->findChild<QTextBrowser *>(), Qt::Key_Escape);
        }
        else if (goes == "dialog")
            dialog.reset();
        else
            help.closeWindow();
        QTRY_VERIFY(window.isNull() || !window->isVisible());
    }
    QCOMPARE(saved.value(0), QSize(520, 430));

    kept = saved.first();
    QWidget other;
    other.show();
    help.showHelpFor(&other);
    QCOMPARE(help.window()->size(), QSize(520, 430));
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
