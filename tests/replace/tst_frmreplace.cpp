#include "ReplaceWorld.h"
#include "platform/ui/BusyBar.h"
#include "platform/ui/HistoryTextBox.h"
#include "replace/frmReplace.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace kw;
using namespace kw::replace;

class TestFrmReplace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void load_data();
    void load();
    void interlocks_data();
    void interlocks();
    void runLocksTheDialogAndItsRecordEndsWithIt();
    void replaceAndUndoOnContacts();
    void typeAheadMovesWithoutChoosing_data();
    void typeAheadMovesWithoutChoosing();
    void noFieldSaysSo();
    void undoButtonAfterRuns_data();
    void undoButtonAfterRuns();
    void controlsAfterRunAndUndo();
};

namespace {

// The dialog over the test profile, with the marked folder's class and the
// ticked folders given by the test.
struct Opened
{
    test::ReplaceWorld w;
    QString marked = QStringLiteral("IPM.Contact");
    bool setOk = true;
    QString askedMode;
    std::function<void()> onYield = [] {};

    std::unique_ptr<frmReplace> open()
    {
        ReplaceContext ctx{w.env.messages,
                           w.env.programFolder(),
                           [this] { return marked; },
                           [this](const QString &mode) {
                               askedMode = mode;
                               return setOk ? w.set({QStringLiteral("Kontakte")}) : WorkingSet{};
                           },
                           [this] { return w.ns(); },
                           [this] { onYield(); }};
        return std::make_unique<frmReplace>(std::move(ctx));
    }
};

void select(frmReplace &dlg, const QStringList &captions)
{
    for (const QString &caption : captions) {
        const auto found = dlg.controls().lstFields->findItems(caption, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(caption));
        found[0]->setSelected(true);
    }
}

// Clicks an entry of the field list as a person would.
void clickEntry(frmReplace &dlg, const QString &caption)
{
    QListWidget *list = dlg.controls().lstFields;
    const auto found = list->findItems(caption, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(caption));
    list->scrollToItem(found[0]);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
}

QStringList selectedCaptions(const QListWidget *list)
{
    QStringList out;
    for (int k = 0; k < list->count(); ++k) {
        if (list->item(k)->isSelected())
            out << list->item(k)->text();
    }
    return out;
}

void typeInto(QLineEdit *box, const QString &text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// The controls the run locks, one digit each: enabled and visible for
// cmdReplace, txtFind, txtReplace, chkLeer, chkReplace, chkWord, then
// cmdUndo enabled and the busy bar running.
QString lockState(const frmReplaceUi &ui)
{
    QString out;
    for (const QWidget *w : std::initializer_list<const QWidget *>{ui.cmdReplace, ui.txtFind, ui.txtReplace, ui.chkLeer,
                                                                  ui.chkReplace, ui.chkWord})
        out += w->isEnabled() && w->isVisible() ? u'1' : u'0';
    out += u' ';
    out += ui.cmdUndo->isEnabled() ? u'1' : u'0';
    out += ui.sevWaitBar1->isRunning() ? u'1' : u'0';
    return out;
}

} // namespace

void TestFrmReplace::load_data()
{
    QTest::addColumn<QString>("marked");
    QTest::addColumn<bool>("setOk");
    QTest::addColumn<int>("fields");
    QTest::addColumn<QStringList>("prompts");
    QTest::newRow("contact folder") << "IPM.Contact" << true << 95 << QStringList();
    QTest::newRow("appointment folder") << "IPM.Appointment" << true << 6 << QStringList();
    QTest::newRow("derived class") << "IPM.Contact.Kunde" << true << 0 << QStringList{"Kein gültiger Ordner gewählt."};
    QTest::newRow("no working set") << "IPM.Contact" << false << 0 << QStringList();
}

void TestFrmReplace::load()
{
    QFETCH(QString, marked);
    QFETCH(bool, setOk);
    QFETCH(int, fields);
    QFETCH(QStringList, prompts);
    Opened o;
    o.marked = marked;
    o.setOk = setOk;
    const auto dlg = o.open();
    const frmReplaceUi &ui = dlg->controls();
    QCOMPARE(o.askedMode, marked);
    QCOMPARE(ui.lstFields->count(), fields);
    if (fields > 0)
        QCOMPARE(ui.lstFields->item(0)->text(), replaceItemType(marked)->fields[0].caption);
    QCOMPARE(o.w.env.box.prompts(), prompts);
    QCOMPARE(ui.cmdReplace->isEnabled(), fields > 0);
    QVERIFY(!ui.cmdUndo->isEnabled());
    QCOMPARE(dlg->objectName(), "frmReplace");
}

void TestFrmReplace::interlocks_data()
{
    // Clicks: w chkWord, l chkLeer, r chkReplace, u chkUserDef. State, one
    // digit each: txtFind visible; chkWord ticked, enabled; chkLeer ticked,
    // enabled; chkReplace ticked, enabled; txtUserDef enabled.
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("state");
    QTest::newRow("as loaded") << "" << "10101011";
    QTest::newRow("fill-empty over whole word keeps it ticked") << "wl" << "01011001";
    QTest::newRow("fill-empty ticked and unticked") << "ll" << "10101011";
    QTest::newRow("replace-content hides the search") << "r" << "00000111";
    QTest::newRow("replace-content locks out fill-empty") << "rl" << "00000111";
    QTest::newRow("user field ticked") << "u" << "10101011";
    QTest::newRow("user field unticked") << "uu" << "10101010";
}

void TestFrmReplace::interlocks()
{
    QFETCH(QString, clicks);
    QFETCH(QString, state);
    Opened o;
    const auto dlg = o.open();
    dlg->show();
    const frmReplaceUi &ui = dlg->controls();
    for (QChar c : clicks)
        (c == u'w' ? ui.chkWord : c == u'l' ? ui.chkLeer : c == u'r' ? ui.chkReplace : ui.chkUserDef)->click();
    QString now;
    for (bool b : {ui.txtFind->isVisible(), ui.chkWord->isChecked(), ui.chkWord->isEnabled(), ui.chkLeer->isChecked(),
                   ui.chkLeer->isEnabled(), ui.chkReplace->isChecked(), ui.chkReplace->isEnabled(),
                   ui.txtUserDef->isEnabled()})
        now += b ? u'1' : u'0';
    QCOMPARE(now, state);
}

void TestFrmReplace::runLocksTheDialogAndItsRecordEndsWithIt()
{
    Opened o;
    QStringList during;
    auto dlg = o.open();
    dlg->show();
    const frmReplaceUi &ui = dlg->controls();
    o.onYield = [&] {
        dlg->close();
        during << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                      .arg(dlg->isVisible())
                      .arg(ui.frFields->isEnabled())
                      .arg(ui.txtFind->isEnabled())
                      .arg(ui.chkUserDef->isEnabled())
                      .arg(ui.cmdReplace->isEnabled())
                      .arg(ui.cmdUndo->isEnabled())
                      .arg(ui.sevWaitBar1->isRunning());
    };
    ui.txtFind->setText("roth");
    ui.cmdReplace->click(); // no field, no user-defined field: no run, only the hint
    QVERIFY(during.isEmpty());
    QCOMPARE(o.w.env.box.prompts(), QStringList{"Bitte wählen Sie mindestens ein Feld aus."});
    o.w.env.box.shown.clear();

    select(*dlg, {"Nachname"});
    ui.chkUserDef->click();
    ui.txtUserDef->setText("Kundennummer");
    ui.txtReplace->setText("Rot");
    ui.cmdReplace->click();
    QCOMPARE(during.size(), 4);
    QCOMPARE(during.first(), "1 0 0 0 0 0 1"); // shown, locked, busy
    QVERIFY(ui.cmdUndo->isEnabled());
    QVERIFY(ui.frFields->isEnabled() && !ui.sevWaitBar1->isRunning());

    dlg.reset();
    o.onYield = [] {};
    dlg = o.open();
    QVERIFY(!dlg->controls().cmdUndo->isEnabled());
    QVERIFY(dlg->undoRecord().empty());
    QCOMPARE(dlg->controls().txtUserDef->itemText(0), "Kundennummer");
}

// One run over every kind of change a contact folder offers: plain and
// composite fields, a note with tabs and line breaks, a date without a
// match, a distribution list in between, the user-defined field typed with
// blanks around it; then the undo gives the profile back as it was.
void TestFrmReplace::replaceAndUndoOnContacts()
{
    Opened o;
    const QJsonObject before = o.w.dump();
    const auto dlg = o.open();
    const frmReplaceUi &ui = dlg->controls();
    select(*dlg, {"Betreff", "Geburtstag", "Notiz", "Straße geschäftlich", "Straße privat", "Straße weitere",
                  "Unternehmensname"});
    ui.chkUserDef->click();
    ui.txtUserDef->setText("  Kundennummer ");
    ui.txtFind->setText(QStringLiteral("STRAßE"));
    ui.txtReplace->setText("Str.");
    ui.cmdReplace->click();

    QCOMPARE(o.w.env.box.prompts(), QStringList{"5 Ersetzungen wurden vorgenommen."});
    QCOMPARE(o.w.field("C001", "HomeAddress"), "HauptStr. 5\r\n80331 München");
    QCOMPARE(o.w.field("C001", "Body"), "Str., Hausnummer:\tStr.\nneue Str.");
    QCOMPARE(o.w.field("C001", "Birthday"), "12.03.1980");
    QCOMPARE(o.w.userField("C001", "Kundennummer"), "Str.-7");
    QCOMPARE(o.w.field("C002", "CompanyName"), "Weiß Str.nbau AG");
    QCOMPARE(o.w.field("C002", "BusinessAddressStreet"), "Gartenstrasse 2");
    QCOMPARE(o.w.field("C003", "Subject"), "Straße Verteiler");
    QCOMPARE(o.w.field("C004", "OtherAddress"), "LindenStr. 9");
    QVERIFY(!o.w.ns()->GetItemFromID("C002")->UserProperties()->Find("Kundennummer"));

    o.w.env.box.shown.clear();
    ui.cmdUndo->click();
    QCOMPARE(o.w.env.box.prompts(), QStringList{"5 Ersetzungen rückgängig gemacht."});
    QVERIFY(!ui.cmdUndo->isEnabled());
    QCOMPARE(o.w.dump(), before);
}

void TestFrmReplace::typeAheadMovesWithoutChoosing_data()
{
    // Steps: a text is typed as it stands; "<Space>" and "<Down>" press the key.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("chosen");
    QTest::newRow("a caption's start moves the current entry only")
        << QStringList{"Firma"} << "Faxnummer geschäftlich" << QStringList();
    QTest::newRow("a whole caption moves the current entry only")
        << QStringList{"Vorname"} << "Vorname" << QStringList();
    QTest::newRow("space chooses the current entry") << QStringList{"Vorname", "<Space>"} << "Vorname"
                                                     << QStringList{"Vorname"};
    QTest::newRow("space again lets it go") << QStringList{"Vorname", "<Space>", "<Space>"} << "Vorname"
                                            << QStringList();
    QTest::newRow("arrow keys move without choosing") << QStringList{"Nachname", "<Down>"} << "Nachrichtenklasse"
                                                      << QStringList();
    QTest::newRow("a choice stays while moving on") << QStringList{"Nachname", "<Space>", "<Down>", "<Down>"}
                                                    << "Name (vollständig) !" << QStringList{"Nachname"};
}

void TestFrmReplace::typeAheadMovesWithoutChoosing()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, current);
    QFETCH(QStringList, chosen);
    Opened o;
    const auto dlg = o.open();
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    QListWidget *list = dlg->controls().lstFields;
    list->setFocus();
    for (const QString &step : steps) {
        if (step == u"<Space>")
            QTest::keyClick(list, Qt::Key_Space);
        else if (step == u"<Down>")
            QTest::keyClick(list, Qt::Key_Down);
        else
            QTest::keyClicks(list, step);
    }
    QVERIFY(list->currentItem());
    QCOMPARE(list->currentItem()->text(), current);
    QCOMPARE(selectedCaptions(list), chosen);
}

// Typing a caption chooses nothing, so "Ersetzen" right after it must tell
// the user rather than run on no field or do nothing without a sign.
void TestFrmReplace::noFieldSaysSo()
{
    Opened o;
    const QJsonObject before = o.w.dump();
    const auto dlg = o.open();
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    const frmReplaceUi &ui = dlg->controls();
    QTest::keyClicks(ui.lstFields, "Nachname");
    typeInto(ui.txtFind, "Roth");
    typeInto(ui.txtReplace, "Rot");
    QTest::mouseClick(ui.cmdReplace, Qt::LeftButton);

    QCOMPARE(o.w.env.box.shown.size(), 1);
    QCOMPARE(o.w.env.box.shown[0].prompt, "Bitte wählen Sie mindestens ein Feld aus.");
    QCOMPARE(o.w.env.box.shown[0].buttons, ui::mb::Exclamation);
    QCOMPARE(o.w.env.box.shown[0].title, "Hinweis!");
    QCOMPARE(lockState(ui), "111111 00");
    QCOMPARE(o.w.dump(), before);
}

void TestFrmReplace::undoButtonAfterRuns_data()
{
    // Steps: "replace X>Y" in "Nachname", "undo"; cmdUndo afterwards, and the
    // messages of the last step.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("undoEnabled");
    QTest::addColumn<QStringList>("prompts");
    QTest::newRow("as loaded") << QStringList() << false << QStringList();
    QTest::newRow("a run that changed something enables undo")
        << QStringList{"replace roth>Rot"} << true << QStringList{"1 Ersetzungen wurden vorgenommen."};
    QTest::newRow("a run that changed nothing leaves it disabled")
        << QStringList{"replace xyz>Rot"} << false << QStringList{"0 Ersetzungen wurden vorgenommen."};
    QTest::newRow("the undo disables it") << QStringList{"replace roth>Rot", "undo"} << false
                                          << QStringList{"1 Ersetzungen rückgängig gemacht."};
    QTest::newRow("a run after the undo enables it again")
        << QStringList{"replace roth>Rot", "undo", "replace e>E"} << true
        << QStringList{"2 Ersetzungen wurden vorgenommen."};
    QTest::newRow("undo of the second run") << QStringList{"replace roth>Rot", "replace e>E", "undo"} << false
                                            << QStringList{"2 Ersetzungen rückgängig gemacht."};
}

void TestFrmReplace::undoButtonAfterRuns()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, undoEnabled);
    QFETCH(QStringList, prompts);
    Opened o;
    const auto dlg = o.open();
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    const frmReplaceUi &ui = dlg->controls();
    clickEntry(*dlg, "Nachname");
    for (const QString &step : steps) {
        o.w.env.box.shown.clear();
        if (step == u"undo") {
            QTest::mouseClick(ui.cmdUndo, Qt::LeftButton);
            continue;
        }
        const QString texts = step.section(u' ', 1);
        typeInto(ui.txtFind, texts.section(u'>', 0, 0));
        typeInto(ui.txtReplace, texts.section(u'>', 1));
        QTest::mouseClick(ui.cmdReplace, Qt::LeftButton);
    }
    QCOMPARE(ui.cmdUndo->isEnabled(), undoEnabled);
    QCOMPARE(o.w.env.box.prompts(), prompts);
    // A disabled button takes no click: the undo is not repeated.
    o.w.env.box.shown.clear();
    if (!undoEnabled) {
        QTest::mouseClick(ui.cmdUndo, Qt::LeftButton);
        QVERIFY(o.w.env.box.shown.isEmpty());
    }
}

// The run and the undo lock what could start another one and give every
// control back as the interlocks left it: "fill empty fields" ticked before
// the run still hides the search and locks its neighbours afterwards.
void TestFrmReplace::controlsAfterRunAndUndo()
{
    Opened o;
    QStringList during;
    const auto dlg = o.open();
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    const frmReplaceUi &ui = dlg->controls();
    o.onYield = [&] { during << lockState(ui); };
    clickEntry(*dlg, "Spitzname");
    QTest::mouseClick(ui.chkLeer, Qt::LeftButton);
    typeInto(ui.txtReplace, "Spitz");
    QCOMPARE(lockState(ui), "101100 00");

    QTest::mouseClick(ui.cmdReplace, Qt::LeftButton);
    QCOMPARE(o.w.env.box.prompts(), QStringList{"3 Ersetzungen wurden vorgenommen."});
    QCOMPARE(during.first(), "000000 01");
    QCOMPARE(lockState(ui), "101100 10");
    QVERIFY(ui.chkLeer->isChecked());
    QCOMPARE(selectedCaptions(ui.lstFields), QStringList{"Spitzname"});

    during.clear();
    QTest::mouseClick(ui.cmdUndo, Qt::LeftButton);
    QCOMPARE(during.first(), "000000 01");
    QCOMPARE(lockState(ui), "101100 00");
}

QTEST_MAIN(TestFrmReplace)
#include "tst_frmreplace.moc"
