#include "platform/core/PlatformError.h"
#include "shell/RunFrame.h"
#include "support/RecordingRunView.h"
#include "support/TestEnv.h"

#include <QtTest>

#include <stdexcept>

using namespace kw;

namespace {

// One run through the frame, each step written down with the number of
// messages shown so far, so that the order of busy, error and close shows.
struct Recorder
{
    test::TestEnv env;
    test::RecordingRunView view;
    QStringList steps;

    QString mark(const QString &step) const { return step + QLatin1Char('/') + QString::number(env.box.shown.size()); }

    RunFrame frame()
    {
        return RunFrame{env.settings, env.messages, view,
                        [this](bool starting) { steps << mark(starting ? "on" : "off"); },
                        [](const QString &) { return WorkingSet{}; }};
    }
};

} // namespace

class TestRunFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void busyHoldsTheWholeRun_data();
    void busyHoldsTheWholeRun();
    void forEachFolderCountsFromOne();
};

void TestRunFrame::busyHoldsTheWholeRun_data()
{
    QTest::addColumn<int>("thrown"); // 0 none, 1 PlatformError, 2 other exception
    QTest::addColumn<bool>("bodyTakesBusy");
    QTest::addColumn<bool>("releaseBeforeReport");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("ok");

    const QStringList ran{"on/0", "body/0", "close yes/0", "off/0"};
    const QStringList failed{"on/0", "body/0", "close no/1", "off/1"};
    QTest::newRow("runs through: busy around body and close") << 0 << false << false << ran << true;
    QTest::newRow("platform error: shown while busy, off after") << 1 << false << false << failed << false;
    QTest::newRow("other exception: caught the same way") << 2 << false << false << failed << false;
    QTest::newRow("body takes busy itself: only switched off") << 0 << true << false
                                                                << QStringList{"body/0", "close yes/0", "off/0"} << true;
    QTest::newRow("released first: error shows once busy is off")
        << 1 << true << true << QStringList{"body/0", "close no/0", "off/0"} << false;
}

void TestRunFrame::busyHoldsTheWholeRun()
{
    QFETCH(int, thrown);
    QFETCH(bool, bodyTakesBusy);
    QFETCH(bool, releaseBeforeReport);
    QFETCH(QStringList, steps);
    QFETCH(bool, ok);

    Recorder r;
    RunFrame frame = r.frame();
    const bool result = guardedRun(
        frame, 2501, QString(),
        [&] {
            r.steps << r.mark("body");
            if (thrown == 1)
                throw PlatformError(errors::kOperationFailed, QStringLiteral("kaputt"));
            if (thrown == 2)
                throw std::runtime_error("kaputt");
        },
        [&](bool ranThrough) { r.steps << r.mark(ranThrough ? "close yes" : "close no"); },
        RunShape{bodyTakesBusy, releaseBeforeReport});
    QCOMPARE(r.steps, steps);
    QCOMPARE(result, ok);
    QCOMPARE(r.env.box.shown.size(), ok ? 0 : 1);
}

void TestRunFrame::forEachFolderCountsFromOne()
{
    // A count beyond the list: those places come as null folders, index 0
    // is never visited.
    WorkingSet set;
    set.Folders = {nullptr, nullptr};
    set.FolderCount = 3;
    QList<int> seen;
    QList<bool> nulls;
    forEachFolder(set, [&](const mailstore::FolderPtr &folder, int index) {
        seen << index;
        nulls << !folder;
    });
    QCOMPARE(seen, (QList<int>{1, 2, 3}));
    QCOMPARE(nulls, (QList<bool>{true, true, true}));
    int count = 0;
    forEachFolder(WorkingSet{}, [&](const mailstore::FolderPtr &) { ++count; });
    QCOMPARE(count, 0);
}

QTEST_MAIN(TestRunFrame)
#include "tst_runframe.moc"
