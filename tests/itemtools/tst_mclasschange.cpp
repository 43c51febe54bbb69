// The message-class change, run end to end on a fixture profile, and its dialog.
#include "ItemRunWorld.h"
#include "itemtools/MClassChangeFunctions.h"
#include "itemtools/frmMClassChange.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/HistoryTextBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
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
    void systemClassesAreLeftAlone_data();
    void systemClassesAreLeftAlone();
    void itemAlreadyInTargetClassIsNotSaved();
    void dialogTakesAndRemembersTheName();
    void dialogHistoryLivesInPreferences();
    void dialogRefusesControlCharacters_data();
    void dialogRefusesControlCharacters();
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
        frmMClassChange dialog(env.messages, env.programFolder(), help);
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
    frmMClassChange again(env.messages, env.programFolder(), help); // the history file remembers the name
    QCOMPARE(again.controls().txtClassName->itemText(0), "Kunde");
}

namespace {

struct KindCase
{
    int itemClass;
    const char *messageClass;
    const char *kind; // the standard class written; "" when the item keeps its class
    bool system;      // left alone, counted and logged
};

// One folder holding all of these, as a mail folder collects them.
constexpr KindCase kKindCases[] = {
    {43, "IPM.Note", "IPM.Note", false},
    {43, "IPM.Note.Alt", "IPM.Note", false},
    {43, "ipm.note.alt", "IPM.Note", false},
    {43, "IPM.Notes", "", false},
    {40, "IPM.Contacts", "", false},
    {43, "IPM.Note.SMIME", "", true},
    {43, "IPM.Note.SMIME.MultipartSigned", "", true},
    {43, "ipm.note.smime", "", true},
    {43, "IPM.Note.Secure.Sign", "", true},
    {43, "IPM.Note.Receipt.SMIME", "", true},
    {43, "IPM.Note.Rules.OofTemplate", "", true},
    {43, "IPM.Note.Rules.ReplyTemplate.Custom", "", true},
    {43, "REPORT.IPM.Note.NDR", "", true},
    {43, "IPM.Recall.Note", "", true},
};

QJsonArray mixedFolder()
{
    QJsonArray items;
    for (const KindCase &c : kKindCases)
        items.append(item(c.itemClass, c.messageClass, QString::fromLatin1(c.messageClass)));
    return {test::folder("Posteingang", "IPM.Note", items)};
}

} // namespace

void TestMClassChange::systemClassesAreLeftAlone_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("system");
    for (int i = 0; i < int(std::size(kKindCases)); ++i) {
        const KindCase &c = kKindCases[i];
        const QString kind = QString::fromLatin1(c.kind);
        const QString before = QString::fromLatin1(c.messageClass);
        const QString verdict = c.system ? "left" : kind.isEmpty() ? "not of a kind" : "changed";
        QTest::addRow("%s, form name: %s", c.messageClass, qPrintable(verdict))
            << i + 1 << "Kunde" << (kind.isEmpty() ? before : kind + ".Kunde") << c.system;
        QTest::addRow("%s, blank name: %s", c.messageClass, qPrintable(verdict))
            << i + 1 << " " << (kind.isEmpty() ? before : kind) << c.system;
    }
}

void TestMClassChange::systemClassesAreLeftAlone()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, after);
    QFETCH(bool, system);
    test::World w(mixedFolder());
    RunContext ctx = w.context();
    ChangeMessageClass(ctx, name);
    QCOMPARE(w.itemAt("Posteingang", index)->MessageClass(), after);
    QCOMPARE(w.env.box.prompts(),
             QStringList{QString::fromUtf8("9 Elemente einer geschützten Nachrichtenklasse (sichere Nachrichten, "
                                           "Regelvorlagen, Bestätigungen, Berichte) wurden nicht geändert. "
                                           "Einzelheiten stehen im Fehlerprotokoll.")});
    const QString line = QStringLiteral("Element %1 \"%2\": %2 bleibt unverändert")
                             .arg(index)
                             .arg(QString::fromLatin1(kKindCases[index - 1].messageClass));
    QCOMPARE(w.env.errorLog().contains(line), system);
    QVERIFY(w.env.errorLog().contains("Sub: ChangeMessageClass"));
}

// A save of the item that already has the class would fail, so any attempt shows.
void TestMClassChange::itemAlreadyInTargetClassIsNotSaved()
{
    test::World w(QJsonArray{test::folder(
        "Posteingang", "IPM.Note", {item(43, "IPM.Note.Kunde", "schon"), item(43, "IPM.Note", "neu")})});
    mailstore::faults::failSave(w.itemAt("Posteingang", 1)->EntryID(), 1);
    RunContext ctx = w.context();
    ChangeMessageClass(ctx, "Kunde");
    QCOMPARE(w.env.box.prompts(), QStringList());
    QCOMPARE(w.env.errorLog(), QString());
    QCOMPARE(w.itemAt("Posteingang", 1)->MessageClass(), "IPM.Note.Kunde");
    QCOMPARE(w.itemAt("Posteingang", 2)->MessageClass(), "IPM.Note.Kunde");
}

void TestMClassChange::dialogHistoryLivesInPreferences()
{
    test::TestEnv env;
    ui::RecordingHelpViewer help;
    frmMClassChange dialog(env.messages, env.programFolder(), help);
    QCOMPARE(dialog.controls().txtClassName->historyFile(), env.programFolder() + "/Preferences/MessageClass.dat");
}

void TestMClassChange::dialogRefusesControlCharacters_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("refused");
    QTest::newRow("line break") << "Kun\nde" << true;
    QTest::newRow("carriage return and line break") << "Kunde\r\n" << true;
    QTest::newRow("tab") << "Kun\tde" << true;
    QTest::newRow("unicode line separator") << QString("Kun") + QChar(0x2028) + "de" << true;
    QTest::newRow("next-line control") << QString("Kun") + QChar(0x85) + "de" << true;
    QTest::newRow("plain name with blanks and umlauts") << QString::fromUtf8(" Kunde Müller ") << false;
}

// Pasted, as a person gets such a name into the box, then OK clicked.
void TestMClassChange::dialogRefusesControlCharacters()
{
    QFETCH(QString, pasted);
    QFETCH(bool, refused);
    test::TestEnv env;
    ui::RecordingHelpViewer help;
    frmMClassChange dialog(env.messages, env.programFolder(), help);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit *edit = dialog.controls().txtClassName->lineEdit();
    QGuiApplication::clipboard()->setText(pasted);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(dialog.className(), pasted);
    QTest::mouseClick(dialog.controls().cmdOK, Qt::LeftButton);

    QCOMPARE(dialog.isVisible(), refused);
    QCOMPARE(dialog.result(), refused ? 0 : int(QDialog::Accepted));
    QCOMPARE(env.box.prompts(), refused ? QStringList{QString::fromUtf8(
                                              "Der Formularname darf keine Steuerzeichen oder Zeilenumbrüche "
                                              "enthalten. Bitte korrigieren Sie den Namen.")}
                                        : QStringList());
    frmMClassChange again(env.messages, env.programFolder(), help); // a refused name is not remembered
    QCOMPARE(again.controls().txtClassName->count(), refused ? 0 : 1);
}

QTEST_MAIN(TestMClassChange)
#include "tst_mclasschange.moc"
