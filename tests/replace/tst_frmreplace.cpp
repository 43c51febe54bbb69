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
    ui.cmdReplace->click(); // no field, no user-defined field: nothing at all
    QVERIFY(during.isEmpty() && o.w.env.box.shown.isEmpty());

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

QTEST_MAIN(TestFrmReplace)
#include "tst_frmreplace.moc"
