#include "duplicates/DupsTestWorld.h"
#include "duplicates/Removal.h"
#include "duplicates/Scan.h"
#include "options/OptionsForm.h"
#include "options/frmOptionsUi.h"

#include <QDialog>
#include <QRadioButton>
#include <QtTest>

using namespace kw;
using namespace kw::DupsDel;

namespace {

// The options' logic on the duplicate world's own settings, as a run of the
// program would open them between two scans.
struct OptionsOnWorld
{
    explicit OptionsOnWorld(test::World &w) : form(ui, w.env.settings, w.env.messages, w.env.programFolder())
    {
        ui.setupUi(&dialog);
        form.Form_Load();
    }
    QDialog dialog;
    options::frmOptionsUi ui;
    options::OptionsForm form;
};

} // namespace

class TestOptionsEffect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void removalRunsInTheModeJustSaved_data();
    void removalRunsInTheModeJustSaved();
};

void TestOptionsEffect::removalRunsInTheModeJustSaved_data()
{
    QTest::addColumn<QString>("choice"); // the option selected in "Duplikate...", or none
    QTest::addColumn<int>("moved");
    QTest::newRow("as opened: moved, as the dialog shows") << "" << 2;
    QTest::newRow("löschen") << "chkDupDel" << 0;
    QTest::newRow("in Unterordner verschieben") << "chkMoveToFolder" << 2;
}

void TestOptionsEffect::removalRunsInTheModeJustSaved()
{
    QFETCH(QString, choice);
    QFETCH(int, moved);
    test::World w;
    const auto folder = w.addFolder("Kontakte", "IPM.Contact");
    for (int minute = 0; minute < 3; ++minute)
        w.addItem(folder, 40, {{"LastName", "Adam"}}, test::at(minute));
    w.ticked = {folder};
    w.markedClass = "IPM.Contact";

    {
        OptionsOnWorld options(w);
        if (!choice.isEmpty()) {
            for (QRadioButton *option : {options.ui.chkDupDel, options.ui.chkMoveToFolder})
                option->setChecked(option->objectName() == choice);
        }
        QVERIFY(options.form.cmdOK_Click());
    }
    auto ctx = w.context();
    RemoveDuplicates(ctx);
    DeleteDuplicates(ctx);
    QCOMPARE(w.fieldOf(folder, "LastName"), QStringList{"Adam"});
    const auto dups = w.ns()->GetFolderFromID(folder.entryId, folder.storeId)->Folders()->find(duplicatesFolderName());
    QCOMPARE(dups ? dups->Items()->Count() : 0, moved);
}

QTEST_MAIN(TestOptionsEffect)
#include "tst_optionseffect.moc"
