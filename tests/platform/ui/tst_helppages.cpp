// The shipped help pages as the help window reads them: every window has a
// page of its own that leads back to the index, the index reaches every
// page, and no link of any page points at a page or anchor that is missing.
#include "platform/ui/HelpViewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <QtTest>

using kw::ui::RecordingHelpViewer;

namespace {

const QString kShipped = QStringLiteral(KW_DATA_DIR "/help");

// What the help window's document holds for one page: the links it offers
// and the anchors other pages can jump to.
struct Page
{
    QString title;
    QStringList links;
    QSet<QString> anchors;
};

Page readPage(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(f.readAll()));
    Page page;
    page.title = doc.metaInformation(QTextDocument::DocumentTitle);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty() && !page.links.contains(format.anchorHref()))
                page.links << format.anchorHref();
            for (const QString &name : format.anchorNames())
                page.anchors.insert(name);
        }
        // A heading's id lands on its block.
        for (const QString &name : block.charFormat().anchorNames())
            page.anchors.insert(name);
    }
    return page;
}

QStringList shippedPages()
{
    return QDir(kShipped).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

} // namespace

class TestHelpPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowHasItsOwnPage_data();
    void windowHasItsOwnPage();
    void linksLeadSomewhere_data();
    void linksLeadSomewhere();
    void indexReachesEveryPage();
};

// One row per window of the program; F1 in it opens the page of its name.
void TestHelpPages::windowHasItsOwnPage_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << "frmHaupt";
    QTest::newRow("search and replace") << "frmReplace";
    QTest::newRow("message class") << "frmMClassChange";
    QTest::newRow("school holidays") << "frmHoliday";
    QTest::newRow("restore contact data") << "frmUndo";
    QTest::newRow("name test") << "frmNameCheck";
    QTest::newRow("telephone test") << "frmTelPruef";
    QTest::newRow("telephone tables") << "frmTelDB";
    QTest::newRow("number format") << "frmVorwahlen";
    QTest::newRow("options") << "frmOptions";
    QTest::newRow("options wizard") << "frmQuickOptions";
    QTest::newRow("other user's folder") << "frmSharedFolderOpen";
}

void TestHelpPages::windowHasItsOwnPage()
{
    QFETCH(QString, window);
    RecordingHelpViewer help;
    help.setHelpFolder(kShipped);
    const QString file = help.pageFile(window);
    QCOMPARE(QFileInfo(file).fileName(), window + ".html"); // not the index as a stand-in

    const Page page = readPage(file);
    QVERIFY2(!page.title.isEmpty(), qPrintable(file));
    QVERIFY2(page.links.contains("index.html"), "no way back to the index");
    QVERIFY2(readPage(kShipped + "/index.html").links.contains(window + ".html"), "the index does not list it");
}

void TestHelpPages::linksLeadSomewhere_data()
{
    QTest::addColumn<QString>("page");
    const QStringList pages = shippedPages();
    QVERIFY(pages.size() > 10);
    for (const QString &page : pages)
        QTest::newRow(qPrintable(page)) << page;
}

void TestHelpPages::linksLeadSomewhere()
{
    QFETCH(QString, page);
    const Page here = readPage(kShipped + "/" + page);
    QVERIFY2(!here.links.isEmpty(), "a page without links is a dead end");
    for (const QString &link : here.links) {
        const QUrl url(link);
        // The help window follows only links within the help folder.
        QVERIFY2(url.scheme().isEmpty() && !url.path().contains('/'), qPrintable(link));
        const QString target = url.path().isEmpty() ? page : url.path();
        QVERIFY2(QFileInfo::exists(kShipped + "/" + target), qPrintable(link + " leads to a missing page"));
        if (url.hasFragment())
            QVERIFY2(readPage(kShipped + "/" + target).anchors.contains(url.fragment()),
                     qPrintable(link + " leads to a missing anchor"));
    }
}

// Every page can be found by following links from the first page.
void TestHelpPages::indexReachesEveryPage()
{
    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList queue{QStringLiteral("index.html")};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        for (const QString &link : readPage(kShipped + "/" + page).links) {
            const QString target = QUrl(link).path();
            if (!target.isEmpty() && QFileInfo::exists(kShipped + "/" + target) && !reached.contains(target)) {
                reached.insert(target);
                queue << target;
            }
        }
    }
    for (const QString &page : shippedPages())
        QVERIFY2(reached.contains(page), qPrintable(page + " cannot be reached from the index"));
}

QTEST_MAIN(TestHelpPages)
#include "tst_helppages.moc"
