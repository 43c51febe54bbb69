#include "app/Dispatch.h"
#include "shell/AppServices.h"
#include "shell/frmHaupt.h"
#include "support/TestEnv.h"

#include <QtTest>

using namespace kw;

class TestDispatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tableNamesAreKnownToTheWindow();
    void everyEntryOfTheWindowIsRouted();
};

namespace {

struct World
{
    test::TestEnv env;
    AppServices services{env.paths(KW_DATA_DIR), std::make_unique<ui::ScriptedMessageBox>(),
                         std::make_unique<ui::RecordingHelpViewer>()};
    frmHaupt window{services.messages, *services.help};
};

} // namespace

void TestDispatch::tableNamesAreKnownToTheWindow()
{
    World w;
    app::WiringResult result = app::wireActions(w.window, w.services);
    QCOMPARE(result.rejected, QStringList());
    QCOMPARE(result.wired.removeDuplicates(), 0); // one line per name: a second would overwrite the first
}

void TestDispatch::everyEntryOfTheWindowIsRouted()
{
    World w;
    const QStringList wired = app::wireActions(w.window, w.services).wired;
    QStringList missing;
    for (const QString &name : w.window.actionNames()) {
        if (!wired.contains(name))
            missing << name;
    }
    QCOMPARE(missing, QStringList());
}

QTEST_MAIN(TestDispatch)
#include "tst_dispatch.moc"
