#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/ProfileTestUtil.h"
#include "platform/ui/ItemWindow.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

using namespace kw::mailstore;

namespace {

QWidget *openItemWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == "ItemInspector" && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

// The item window opens modeless and read-only, titled and labelled as a
// mail client's, and shows every label and value whole.
class TestItemWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { kw::ui::installItemWindow(); }
    void cleanup() { Inspector::setDisplayHook({}); }

    void titleNamesTheItem_data()
    {
        QTest::addColumn<int>("folder");
        QTest::addColumn<QStringList>("fields"); // name=value, written in order
        QTest::addColumn<QString>("title");
        QTest::newRow("contact: full name") << int(defaultfolder::Contacts)
                                            << QStringList{"Subject=Alt", "FileAs=Muster, Max", "FullName=Max Muster"}
                                            << "Max Muster";
        QTest::newRow("contact without name: file-as") << int(defaultfolder::Contacts)
                                                       << QStringList{"FileAs=Muster GmbH"} << "Muster GmbH";
        QTest::newRow("contact with nothing: message class") << int(defaultfolder::Contacts) << QStringList{}
                                                             << "IPM.Contact";
        QTest::newRow("appointment: subject") << int(defaultfolder::Calendar)
                                              << QStringList{"Subject=Jour fixe", "Body=Raum 3"} << "Jour fixe";
        QTest::newRow("task without subject: message class") << int(defaultfolder::Tasks)
                                                             << QStringList{"Body=Notiz"} << "IPM.Task";
    }

    void titleNamesTheItem()
    {
        QFETCH(int, folder);
        QFETCH(QStringList, fields);
        QFETCH(QString, title);
        kw::test::TestEnv env;
        ItemPtr item = kw::test::openFixture(env.profileFile())->GetDefaultFolder(folder)->Items()->Add();
        for (const QString &f : fields)
            item->set(f.section('=', 0, 0), f.section('=', 1));
        item->GetInspector()->Display();
        QWidget *window = openItemWindow();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), title);
        window->close();
    }

    void showsWholeGermanLabelsAndValues()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemPtr contact = ns->GetDefaultFolder(defaultfolder::Contacts)->Items()->Item(1);
        const QString longBody = QString("Ein langer Text, der umbrechen muss. ").repeated(60);
        contact->setBody(longBody);
        contact->set(u"Email1Address", "max@example.org");
        contact->set(u"NetMeetingAlias", "mmuster");
        contact->GetInspector()->Display();
        QWidget *window = openItemWindow();
        QVERIFY(window);
        QCOMPARE(window->windowModality(), Qt::NonModal);
        auto *table = window->findChild<QTableWidget *>("tblFields");
        QVERIFY(table);
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(QTest::qWaitForWindowExposed(window));

        QStringList rows;
        QHash<QString, int> rowOf;
        for (int r = 0; r < table->rowCount(); ++r) {
            const QString label = table->item(r, 0)->text();
            rows << label + "=" + table->item(r, 1)->text();
            rowOf.insert(label, r);
            // The label column is wide enough for each label, so none is cut.
            QVERIFY2(table->columnWidth(0) >= table->fontMetrics().horizontalAdvance(label), qPrintable(label));
        }
        for (const QString &expected : QStringList{"Name=Dr. Max Mustermann", "Telefon geschäftlich=089/123456",
                                        "Ort geschäftlich=München", "Land geschäftlich=Deutschland",
                                        "E-Mail=max@example.org", "Geburtstag=12.05.1970",
                                        "NetMeetingAlias=mmuster", "Text=" + longBody})
            QVERIFY2(rows.contains(expected), qPrintable(expected));
        QVERIFY(!rowOf.contains("Jahrestag")); // empty fields are left out
        QCOMPARE(table->textElideMode(), Qt::ElideNone);
        // The long text wraps onto more lines instead of ending in "...".
        QVERIFY(table->rowHeight(rowOf.value("Text")) > 3 * table->rowHeight(rowOf.value("Name")));

        QTest::keyClick(table, Qt::Key_Escape);
        QVERIFY(!openItemWindow());
    }
};

QTEST_MAIN(TestItemWindow)
#include "tst_itemwindow.moc"
