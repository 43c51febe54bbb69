#include "platform/mailstore/MailStore.h"
#include "platform/mailstore/ProfileTestUtil.h"
#include "support/TestEnv.h"

#include <QTest>

using namespace kw::mailstore;

// An appointment's start and end as a calendar keeps them: the end moves with
// the start, and an end before the start is refused. Seen through an
// appointment of a profile and after saving and fetching it again.
class TestAppointmentRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startAndEnd_data()
    {
        QTest::addColumn<QString>("start"); // as stored before the write
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("write"); // field=value
        QTest::addColumn<long>("error");
        QTest::addColumn<QString>("startAfter");
        QTest::addColumn<QString>("endAfter");

        const QString none = QStringLiteral("01.01.4501");
        QTest::newRow("later start moves the end along")
            << "02.03.2026 10:00:00" << "02.03.2026 11:00:00" << "Start=09.03.2026 14:00" << 0L
            << "09.03.2026 14:00:00" << "09.03.2026 15:00:00";
        QTest::newRow("earlier start moves the end along")
            << "02.03.2026 10:00:00" << "02.03.2026 11:30:00" << "start=28.02.2026 23:00" << 0L
            << "28.02.2026 23:00:00" << "01.03.2026 00:30:00";
        QTest::newRow("all-day start keeps its days")
            << "01.04.2026" << "03.04.2026" << "Start=10.4.2026" << 0L << "10.04.2026" << "12.04.2026";
        QTest::newRow("start without an end leaves it none")
            << "02.03.2026 10:00:00" << none << "Start=05.03.2026 10:00" << 0L << "05.03.2026 10:00:00" << none;
        QTest::newRow("start cleared leaves the end")
            << "02.03.2026 10:00:00" << "02.03.2026 11:00:00" << "Start=01.01.4501" << 0L << none
            << "02.03.2026 11:00:00";
        QTest::newRow("later end is taken")
            << "02.03.2026 10:00:00" << "02.03.2026 11:00:00" << "End=02.03.2026 12:15" << 0L
            << "02.03.2026 10:00:00" << "02.03.2026 12:15:00";
        QTest::newRow("end equal to the start is taken")
            << "02.03.2026 10:00:00" << "02.03.2026 11:00:00" << "End=02.03.2026 10:00" << 0L
            << "02.03.2026 10:00:00" << "02.03.2026 10:00:00";
        QTest::newRow("end a minute before the start is refused")
            << "02.03.2026 10:00:00" << "02.03.2026 11:00:00" << "END=02.03.2026 09:59" << kw::errors::kInvalidArgument
            << "02.03.2026 10:00:00" << "02.03.2026 11:00:00";
        QTest::newRow("end a day before an all-day start is refused")
            << "01.04.2026" << "02.04.2026" << "End=31.03.2026" << kw::errors::kInvalidArgument << "01.04.2026"
            << "02.04.2026";
        QTest::newRow("end without a start is taken")
            << none << none << "End=02.03.2026 11:00" << 0L << none << "02.03.2026 11:00:00";
        QTest::newRow("end cleared is taken")
            << "02.03.2026 10:00:00" << "02.03.2026 11:00:00" << "End=01.01.4501" << 0L << "02.03.2026 10:00:00"
            << none;
        QTest::newRow("no date into the end is a type mismatch")
            << "02.03.2026 10:00:00" << "02.03.2026 11:00:00" << "End=bald" << kw::errors::kTypeMismatch
            << "02.03.2026 10:00:00" << "02.03.2026 11:00:00";
    }
    void startAndEnd()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, write);
        QFETCH(long, error);
        QFETCH(QString, startAfter);
        QFETCH(QString, endAfter);
        kw::test::TestEnv env;
        const NameSpacePtr ns = kw::test::openFixture(env.profileFile());
        const ItemPtr item = ns->GetDefaultFolder(defaultfolder::Calendar)->Items()->Add();
        item->setRawText(item->schema().indexOf(u"Start"), start);
        item->setRawText(item->schema().indexOf(u"End"), end);
        item->Save();

        QCOMPARE(kw::test::errorNumber([&] { item->set(write.section(u'=', 0, 0), write.section(u'=', 1)); }),
                 error);
        item->Save();
        const ItemPtr again =
            Application::open(env.profileFile())->GetNamespace("MAPI")->GetItemFromID(item->EntryID());
        QCOMPARE(again->text(u"Start"), startAfter);
        QCOMPARE(again->text(u"End"), endAfter);
    }
};

QTEST_GUILESS_MAIN(TestAppointmentRules)
#include "tst_appointmentrules.moc"
