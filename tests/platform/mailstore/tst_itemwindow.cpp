#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/ProfileTestUtil.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QTableWidget>
#include <QTest>

using namespace kw::mailstore;

// The item window opens modeless, read-only, listing the fields that hold a value.
class TestInspector : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void displayOpensAReadOnlyList()
    {
        kw::test::TestEnv env;
        NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        ItemPtr contact = ns->GetDefaultFolder(defaultfolder::Contacts)->Items()->Item(1);
        contact->GetInspector()->Display();
        QWidget *window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == "ItemInspector" && w->isVisible())
                window = w;
        QVERIFY(window);
        QCOMPARE(window->windowModality(), Qt::NonModal);
        auto *table = window->findChild<QTableWidget *>("tblFields");
        QVERIFY(table);
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        QStringList names;
        for (int r = 0; r < table->rowCount(); ++r)
            names << table->item(r, 0)->text() + "=" + table->item(r, 1)->text();
        QVERIFY(names.contains("FullName=Dr. Max Mustermann"));
        QVERIFY(names.contains("Birthday=12.05.1970"));
        QVERIFY(!names.contains("Anniversary=01.01.4501")); // empty fields are left out
        window->close();
    }
};

QTEST_MAIN(TestInspector)
#include "tst_itemwindow.moc"
