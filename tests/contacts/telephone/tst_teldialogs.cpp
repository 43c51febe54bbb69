// The telephone test dialog, the table editor and the number-format dialog,
// offscreen over a fixture database and settings of their own.
#include "contacts/ContactRunWorld.h"

#include "contacts/telephone/TelTableModel.h"
#include "contacts/telephone/frmTelDB.h"
#include "contacts/telephone/frmTelPruef.h"
#include "contacts/telephone/frmVorwahlen.h"
#include "platform/refdb/Connection.h"
#include "platform/ui/HistoryTextBox.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace kw;
using namespace kw::contacts::telephone;

using SettingList = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(SettingList)

namespace {

const QColor kGreen(0, 170, 0);
const QColor kBlack(0, 0, 0);

int rows(test::ContactWorld &w, const QString &where)
{
    refdb::Connection db = refdb::Connection::Open(w.databasePath());
    refdb::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT count(*) FROM T_CountryAndAreaCodes WHERE ") + where);
    return rs.Fields(0).value.toInt();
}

int rowOf(TelTableModel *model, const QString &country, const QString &area)
{
    for (int r = 0; r < model->rowCount(); ++r) {
        if (model->index(r, 0).data().toString() == country && model->index(r, 1).data().toString() == area)
            return r;
    }
    return -1;
}

} // namespace

class TestTelDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void testDialogColours_data();
    void testDialogColours();
    void separatorHistoriesLiveInPreferences();
    void helpButtonOpensTheWindowsPage();
    void testDialogReportsMissingDatabaseOncePerOpening();
    void tableEditorStoresOrTakesBack_data();
    void tableEditorStoresOrTakesBack();
    void tableEditorDeletesOnlyAfterYes_data();
    void tableEditorDeletesOnlyAfterYes();
    void numberFormatExamples_data();
    void numberFormatExamples();
    void numberFormatSavesOnlyOnOk();
    void numberFormatRefusesDigitSeparators_data();
    void numberFormatRefusesDigitSeparators();
    void numberFormatRefusesSeparatorsThatChangeNumbersAgain_data();
    void numberFormatRefusesSeparatorsThatChangeNumbersAgain();
};

void TestTelDialogs::testDialogColours_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("rewritten number") << "0711 123456" << "+49 (711) 123456" << kGreen;
    QTest::newRow("already in the layout") << "+49 (711) 123456" << "+49 (711) 123456" << kBlack;
    QTest::newRow("blanks at the ends only") << "  +49 (711) 123456 " << "+49 (711) 123456" << kBlack;
    QTest::newRow("one blank too many inside") << "+49 (711)  123456" << "+49 (711) 123456" << kGreen;
    QTest::newRow("not recognised") << "765432" << "765432" << kBlack;
    QTest::newRow("emptied") << "" << "" << kBlack;
}

void TestTelDialogs::testDialogColours()
{
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(QColor, colour);
    test::ContactWorld w;
    frmTelPruef dialog(w.env.settings, w.env.messages, w.database, w.env.programFolder());
    dialog.controls().txtTelNr->setText(QStringLiteral("0"));
    dialog.controls().txtTelNr->setText(input);
    QCOMPARE(dialog.controls().lblAusgabe->text(), output);
    QCOMPARE(dialog.controls().lblAusgabe->palette().color(QPalette::WindowText), colour);
    QCOMPARE(dialog.controls().txtTelNr->historyFile(), w.env.programFolder() + "/Preferences/Tel.dat");
    QVERIFY(w.env.box.shown.isEmpty());
}

void TestTelDialogs::separatorHistoriesLiveInPreferences()
{
    test::ContactWorld w;
    frmVorwahlen dialog(w.env.settings, w.env.messages, w.database, w.env.programFolder(), w.help);
    const auto histories = dialog.controls().separatorHistories();
    QVERIFY(!histories.isEmpty());
    for (const auto &[box, file] : histories)
        QCOMPARE(box->historyFile(), w.env.programFolder() + "/Preferences/" + file);
}

void TestTelDialogs::helpButtonOpensTheWindowsPage()
{
    test::ContactWorld w;
    w.help.setHelpFolder(KW_SOURCE_DIR "/data/help");
    frmTelDB tables(w.env.messages, w.database, w.help);
    QTest::mouseClick(tables.controls().cmdHelp, Qt::LeftButton);
    frmVorwahlen format(w.env.settings, w.env.messages, w.database, w.env.programFolder(), w.help);
    QTest::mouseClick(format.controls().cmdHelp, Qt::LeftButton);
    QStringList pages;
    for (const QString &file : w.help.shownFiles)
        pages << QFileInfo(file).fileName();
    QCOMPARE(pages, (QStringList{"frmTelDB.html", "frmVorwahlen.html"}));
}

void TestTelDialogs::testDialogReportsMissingDatabaseOncePerOpening()
{
    test::ContactWorld w;
    QVERIFY(QFile::remove(w.databasePath()));
    for (int opening = 1; opening <= 2; ++opening) {
        frmTelPruef dialog(w.env.settings, w.env.messages, w.database, w.env.programFolder());
        QTest::keyClicks(dialog.controls().txtTelNr->lineEdit(), QStringLiteral("0711"));
        QCOMPARE(w.env.box.shown.size(), opening);
        QCOMPARE(dialog.controls().lblAusgabe->text(), QString());
        QCOMPARE(dialog.controls().lblAusgabe->palette().color(QPalette::WindowText), kBlack);
    }
}

void TestTelDialogs::tableEditorStoresOrTakesBack_data()
{
    QTest::addColumn<QString>("edit");     // "new" row or the stored row (49, 30)
    QTest::addColumn<QStringList>("values"); // CountryCode, AreaCode of a new row; AreaCode of the stored one
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("stored"); // a WHERE clause that holds once afterwards
    QTest::newRow("new row") << "new" << QStringList{"49", "40"} << false << "CountryCode = '49' AND AreaCode = '40'";
    QTest::newRow("new row that exists already") << "new" << QStringList{"49", "711"} << true
                                                 << "CountryCode = '49' AND AreaCode = '711'";
    QTest::newRow("second row without area code for one country")
        << "new" << QStringList{"423", ""} << true << "CountryCode = '423'";
    QTest::newRow("stored row edited") << "stored" << QStringList{"40"} << false << "AreaCode = '40'";
    QTest::newRow("stored row edited into an existing one") << "stored" << QStringList{"89"} << true
                                                            << "CountryCode = '49' AND AreaCode = '30'";
}

void TestTelDialogs::tableEditorStoresOrTakesBack()
{
    QFETCH(QString, edit);
    QFETCH(QStringList, values);
    QFETCH(bool, refused);
    QFETCH(QString, stored);
    test::ContactWorld w;
    const int before = rows(w, QStringLiteral("1"));
    frmTelDB dialog(w.env.messages, w.database, w.help);
    dialog.show();
    QTableView *grid = dialog.controls().GridCountryArea;
    TelTableModel *model = dialog.countryAreaModel();
    QVERIFY(model);
    if (edit == QLatin1String("new")) {
        dialog.cmdNew1_Click();
        const int row = model->newRow();
        // The grid opened an editor on the new row's first cell.
        auto *editor = grid->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->setText(values[0]);
        grid->setCurrentIndex(model->index(row, 1));
        model->setData(model->index(row, 1), values[1]);
        QCOMPARE(rows(w, QStringLiteral("1")), before); // nothing stored while the row is open
        grid->setCurrentIndex(model->index(0, 0));
    } else {
        model->setData(model->index(rowOf(model, "49", "30"), 1), values[0]);
    }
    QCOMPARE(w.env.box.shown.size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(w.env.box.shown[0].prompt, QString::fromUtf8("Fehler beim Hinzufügen der neuen Datenzeile, prüfen "
                                                              "Sie ob die Daten bereits vorhanden sind."));
        QCOMPARE(w.env.box.shown[0].buttons, 16);
    }
    QCOMPARE(rows(w, stored), 1);
    QCOMPARE(rows(w, QStringLiteral("1")), before + (edit == QLatin1String("new") && !refused ? 1 : 0));
    QCOMPARE(model->rowCount(), rows(w, QStringLiteral("1")));
    QVERIFY(rowOf(model, "49", refused || edit == QLatin1String("new") ? "30" : "40") >= 0);
}

void TestTelDialogs::tableEditorDeletesOnlyAfterYes_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("No keeps the row") << int(ui::answer::No);
    QTest::newRow("Yes deletes it at once") << int(ui::answer::Yes);
}

void TestTelDialogs::tableEditorDeletesOnlyAfterYes()
{
    QFETCH(int, answer);
    test::ContactWorld w;
    frmTelDB dialog(w.env.messages, w.database, w.help);
    TelTableModel *model = dialog.countryAreaModel();
    dialog.controls().GridCountryArea->setCurrentIndex(model->index(rowOf(model, "49", "30"), 0));
    w.env.box.answerWith(answer);
    QTest::keyClick(dialog.controls().GridCountryArea, Qt::Key_Delete);
    QCOMPARE(w.env.box.prompts(), QStringList{QString::fromUtf8("Möchten Sie den Datensatz löschen?")});
    QCOMPARE(w.env.box.shown[0].buttons, 36);
    QCOMPARE(rows(w, QStringLiteral("AreaCode = '30'")), answer == ui::answer::Yes ? 0 : 1);
    QCOMPARE(rowOf(model, "49", "30") >= 0, answer == ui::answer::No);
}

void TestTelDialogs::numberFormatExamples_data()
{
    QTest::addColumn<SettingList>("settings");
    QTest::addColumn<QString>("withArea");
    QTest::addColumn<QString>("withoutArea");
    QTest::newRow("frames ticked, lengths blank: no blocks")
        << SettingList{{"UseNumberBlocksAreaPres", "1"}, {"UseNumberBlocksAreaNo", "1"}}
        << "+49 (3328) 123456-10" << "+423 1234567";
    QTest::newRow("subscriber 3 and 3 with '-'")
        << SettingList{{"UseNumberBlocksAreaPres", "1"}, {"BlockS1", "3"}, {"BlockS2", "3"}, {"BlockTrennAreaPres", "-"}}
        << "+49 (3328) 123-456-10" << "+423 1234567";
    QTest::newRow("length 'x' counts as 0, the next block applies")
        << SettingList{{"UseNumberBlocksAreaPres", "1"}, {"BlockS1", "x"}, {"BlockS2", "2"}, {"BlockA1", "2"}}
        << "+49 (33 28) 12 3456-10" << "+423 1234567";
    QTest::newRow("lengths beyond the digits: no trailing separator")
        << SettingList{{"UseNumberBlocksAreaNo", "1"}, {"BlockT1", "4"}, {"BlockT2", "9"}}
        << "+49 (3328) 123456-10" << "+423 1234 567";
    QTest::newRow("frame unticked: its lengths do nothing")
        << SettingList{{"UseNumberBlocksAreaPres", "0"}, {"BlockS1", "3"}} << "+49 (3328) 123456-10" << "+423 1234567";
    QTest::newRow("separators used as they stand")
        << SettingList{{"IDDPOut", " 00"}, {"VorwahlTrennOutSingle", " / "}} << " 0049 (3328) 123456-10"
        << " 00423 / 1234567";
}

void TestTelDialogs::numberFormatExamples()
{
    QFETCH(SettingList, settings);
    QFETCH(QString, withArea);
    QFETCH(QString, withoutArea);
    test::ContactWorld w;
    for (const auto &[name, value] : settings)
        w.set(name, value);
    frmVorwahlen dialog(w.env.settings, w.env.messages, w.database, w.env.programFolder(), w.help);
    QCOMPARE(dialog.controls().lblTel->text(), withArea);
    QCOMPARE(dialog.controls().lblTelo->text(), withoutArea);
    // A frame's combos are usable exactly when it is ticked.
    QCOMPARE(dialog.controls().cmbBlockS[0]->isEnabled(), dialog.controls().frmNumberBlocksAreaPres->isChecked());
    QCOMPARE(dialog.controls().cmbBlockT[4]->isEnabled(), dialog.controls().frmNumberBlocksAreaNo->isChecked());
}

void TestTelDialogs::numberFormatSavesOnlyOnOk()
{
    test::ContactWorld w;
    w.set("DurchwahlTrenn", "/"); // the "/" written is the one recognised
    auto edit = [](frmVorwahlen &dialog) {
        dialog.controls().cmbBlockS[0]->setText(QStringLiteral("4"));
        dialog.controls().cmbDurchwahlTrennOut->setText(QStringLiteral("/"));
        dialog.controls().frmNumberBlocksAreaPres->setChecked(true);
    };
    {
        frmVorwahlen dialog(w.env.settings, w.env.messages, w.database, w.env.programFolder(), w.help);
        edit(dialog);
        dialog.cmdCancel_Click();
    }
    QCOMPARE(w.env.settings.GetSetting("BlockS1", "?"), QStringLiteral(" "));
    QCOMPARE(w.env.settings.GetSetting("DurchwahlTrennOut", "?"), QStringLiteral("-"));
    NumberFormatValues saved;
    {
        frmVorwahlen dialog(w.env.settings, w.env.messages, w.database, w.env.programFolder(), w.help);
        edit(dialog);
        dialog.controls().frmNumberBlocksAreaNo->setChecked(false);
        dialog.controls().cmbBlockT[0]->setText(QStringLiteral("2")); // disabled, saved all the same
        saved = dialog.values();
        dialog.cmdOK_Click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QCOMPARE(w.env.settings.GetSetting("BlockS1", "?"), QStringLiteral("4"));
    QCOMPARE(w.env.settings.GetSetting("BlockT1", "?"), QStringLiteral("2"));
    QCOMPARE(w.env.settings.GetSetting("UseNumberBlocksAreaPres", "?"), QStringLiteral("1"));
    QCOMPARE(w.env.settings.GetSetting("UseNumberBlocksAreaNo", "?"), QStringLiteral("0"));
    QVERIFY(QFile::exists(w.env.programFolder() + "/Preferences/HyphenOut.dat"));
    frmVorwahlen again(w.env.settings, w.env.messages, w.database, w.env.programFolder(), w.help);
    QCOMPARE(again.values().texts, saved.texts);
    QCOMPARE(again.controls().cmbDurchwahlTrennOut->itemText(0), QStringLiteral("/"));
}

void TestTelDialogs::numberFormatRefusesDigitSeparators_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("text");
    QTest::newRow("extension separator") << "cmbDurchwahlTrennOut" << "1";
    QTest::newRow("block separator with area code") << "cmbBlockTrennAreaPres" << " 0 ";
    QTest::newRow("block separator without area code") << "cmbBlockTrennAreaNo" << QString::fromUtf8("x٣");
}

void TestTelDialogs::numberFormatRefusesDigitSeparators()
{
    QFETCH(QString, combo);
    QFETCH(QString, text);
    test::ContactWorld w;
    frmVorwahlen dialog(w.env.settings, w.env.messages, w.database, w.env.programFolder(), w.help);
    for (ui::HistoryTextBox *box : dialog.controls().combos()) {
        if (box->objectName() == combo)
            box->setText(text);
    }
    dialog.controls().cmbBlockS[0]->setText(QStringLiteral("3"));
    dialog.cmdOK_Click();
    QCOMPARE(w.env.box.shown.size(), 1);
    QCOMPARE(w.env.box.shown[0].buttons, 48);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(w.env.settings.GetSetting(combo.mid(3), "?") != text);
    QCOMPARE(w.env.settings.GetSetting("BlockS1", "?"), QStringLiteral(" "));
}

void TestTelDialogs::numberFormatRefusesSeparatorsThatChangeNumbersAgain_data()
{
    QTest::addColumn<QString>("recognised"); // the stored DurchwahlTrenn
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal"); // what the one message holds; "" when saved
    QTest::newRow("'/' written, '-' recognised: the extension merges at the next run")
        << "-" << "cmbDurchwahlTrennOut" << "/" << "\"Trennzeichen vor der Durchwahl\"";
    QTest::newRow("' (0)' before a number without area code grows a 0 per run")
        << "-" << "cmbVorwahlTrennOutSingle" << " (0)" << "\"+423 (0)07654321\"";
    QTest::newRow("') 0' after the area code grows a 0 per run")
        << "-" << "cmbVorwahlTrennOut2" << ") 0" << "\"Trennzeichen zwischen Ortvorwahl und Empfängernummer\"";
    QTest::newRow("' 1(' after the country code changes the area code")
        << "-" << "cmbVorwahlTrennOut1" << " 1(" << "beim nächsten Mal zu \"+49 1(171) 1123456-78\"";
    QTest::newRow("'3' written: read as a digit") << "-" << "cmbDurchwahlTrennOut" << "3" << "keine Ziffern";
    QTest::newRow("' (0)' after the country code is stable") << "-" << "cmbVorwahlTrennOut1" << " (0)" << "";
    QTest::newRow("' - ' holds the recognised '-'") << "-" << "cmbDurchwahlTrennOut" << " - " << "";
    QTest::newRow("'/' written and recognised") << "/" << "cmbDurchwahlTrennOut" << "/" << "";
    QTest::newRow("default typed again") << "-" << "cmbVorwahlTrennOut2" << ") " << "";
}

// Typed as a person would, then OK: a refused value leaves the dialog open on
// that box and the settings file as it was.
void TestTelDialogs::numberFormatRefusesSeparatorsThatChangeNumbersAgain()
{
    QFETCH(QString, recognised);
    QFETCH(QString, combo);
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    test::ContactWorld w;
    w.set("DurchwahlTrenn", recognised);
    w.set("DurchwahlTrennOut", recognised);
    QFile file(w.env.registryFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    frmVorwahlen dialog(w.env.settings, w.env.messages, w.database, w.env.programFolder(), w.help);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *box = dialog.findChild<ui::HistoryTextBox *>(combo);
    QVERIFY(box);
    QTest::keyClick(box->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box->lineEdit(), typed);
    QCOMPARE(box->text(), typed);
    QTest::mouseClick(dialog.controls().cmdOK, Qt::LeftButton);

    if (refusal.isEmpty()) {
        QCOMPARE(w.env.box.prompts(), QStringList());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(w.env.settings.GetSetting(combo.mid(3), "?"), typed);
        return;
    }
    QCOMPARE(w.env.box.shown.size(), 1);
    QVERIFY2(w.env.box.shown[0].prompt.contains(refusal), qPrintable(w.env.box.shown[0].prompt));
    QCOMPARE(w.env.box.shown[0].buttons, 48);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.result() != QDialog::Accepted);
    QVERIFY(box->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == box);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

QTEST_MAIN(TestTelDialogs)
#include "tst_teldialogs.moc"
