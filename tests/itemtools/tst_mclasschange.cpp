// The message-class change, run end to end on a fixture profile, and its dialog.
#include "ItemRunWorld.h"
#include "itemtools/MClassChangeFunctions.h"
#include "itemtools/frmMClassChange.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/HistoryTextBox.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace kw;
using namespace kw::itemtools;
using test::item;

class TestMClassChange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changesClasses_data();
    void changesClasses();
    void failingItemIsCountedAndLogged();
    void dialogTakesAndRemembersTheName();
};

namespace {

// Kinds and classes as the store and users leave them; "Leer" has no items.
QJsonArray profile()
{
    return {test::folder("Kontakte", "IPM.Contact",
                         {item(40, "IPM.Contact", "a"), item(40, "IPM.Contact.Alt", "b"),
                          item(40, "IPM.Post", "c"), item(69, "IPM.DistList", "d"), item(69, "ipm.distlist.x", "e")}),
            test::folder("Leer", "IPM.Note", {}),
            test::folder("Posteingang", "IPM.Note",
                         {item(43, "IPM.Note", "f"), item(45, "IPM.Post.Projekt", "g"),
                          item(44, "IPM.StickyNote", "h"), item(26, "IPM.Appointment.Urlaub", "i")})};
}

QStringList classes(test::World &w)
{
    QStringList out;
    for (const QString &name : {"Kontakte", "Posteingang"}) {
        const auto items = w.folderNamed(name)->Items();
        for (int j = 1; j <= items->Count(); ++j)
            out << items->Item(j)->MessageClass();
    }
    return out;
}

} // namespace

void TestMClassChange::changesClasses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("form"); // what follows each standard class
    QTest::newRow("form name") << "Kunde" << ".Kunde";
    QTest::newRow("blanks around are dropped") << "  Kunde  " << ".Kunde";
    QTest::newRow("blanks inside stay") << "Neue Kunden" << ".Neue Kunden";
    QTest::newRow("blank name: standard class") << "   " << "";
    QTest::newRow("empty name: standard class") << "" << "";
}

void TestMClassChange::changesClasses()
{
    QFETCH(QString, name);
    QFETCH(QString, form);
    test::World w(profile());
    w.ticked = {"Kontakte", "Leer", "Posteingang"};
    RunContext ctx = w.context();
    ChangeMessageClass(ctx, name);
    QCOMPARE(classes(w), (QStringList{"IPM.Contact" + form, "IPM.Contact" + form, "IPM.Post",
                                      "IPM.DistList" + form, "IPM.DistList" + form, "IPM.Note" + form,
                                      "IPM.Post" + form, "IPM.StickyNote", "IPM.Appointment" + form}));
    QCOMPARE(w.env.box.prompts(), QStringList{"Keine Elemente vorhanden, im Ordner: Leer"});
    QCOMPARE(w.env.box.shown.first().extra4, 5);
    QCOMPARE(w.calls, (QStringList{"Begin", "AllTypes", "End"}));
    QCOMPARE(w.view.statuses, (QStringList{"Bearbeite Elemente...", "Bereit", "Bearbeite Elemente...", "Bereit"}));
    QCOMPARE(w.view.maximum, 4);
    QCOMPARE(w.view.yields, 2 * 7);
}

void TestMClassChange::failingItemIsCountedAndLogged()
{
    test::World w(profile());
    w.ticked = {"Kontakte", "Posteingang"};
    mailstore::faults::failSave(w.itemAt("Kontakte", 2)->EntryID(), 1);
    mailstore::faults::failItemRead("Posteingang", 1, 1);
    RunContext ctx = w.context();
    ChangeMessageClass(ctx, "Kunde");
    const QStringList after = classes(w);
    QCOMPARE(after.mid(0, 2), (QStringList{"IPM.Contact.Kunde", "IPM.Contact.Alt"}));
    QCOMPARE(after.mid(5, 2), (QStringList{"IPM.Note", "IPM.Post.Kunde"}));
    QCOMPARE(w.env.box.prompts(),
             QStringList{"2 Elemente konnten nicht geändert werden. Einzelheiten stehen im Fehlerprotokoll."});
    const QString log = w.env.errorLog();
    QVERIFY(log.contains("Sub: ChangeMessageClass"));
    QVERIFY2(log.contains("Ordner \"Kontakte\", Element 2 \"b\"") && log.contains("Ordner \"Posteingang\", Element 1"),
             qPrintable(log));
}

void TestMClassChange::dialogTakesAndRemembersTheName()
{
    test::TestEnv env;
    ui::RecordingHelpViewer help;
    help.setHelpFolder(KW_SOURCE_DIR "/data/help");
    {
        frmMClassChange dialog(help, env.programFolder());
        frmMClassChangeUi &ui = dialog.controls();
        for (const char *name : {"lblDes", "txtClassName", "cmdOK", "cmdHelp"})
            QVERIFY(dialog.findChild<QWidget *>(name));
        QCOMPARE(dialog.windowTitle(), "Eingabe!");
        QVERIFY(ui.lblDes->text().startsWith("Geben Sie den neuen Formularnamen ein: \nHinweis:"));
        QCOMPARE(ui.txtClassName->listTitle(), "Namen");
        ui.txtClassName->setText("Kunde");
        ui.cmdHelp->click();
        QCOMPARE(QFileInfo(help.shownFiles.value(0)).fileName(), "frmMClassChange.html");
        ui.cmdOK->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.className(), "Kunde");
    }
    frmMClassChange again(help, env.programFolder()); // the history file remembers the name
    QCOMPARE(again.controls().txtClassName->itemText(0), "Kunde");
}

QTEST_MAIN(TestMClassChange)
#include "tst_mclasschange.moc"
