// What OK refuses in the options dialog and the wizard beyond their own
// rules: values loaded from the settings file that the boxes would not take
// when typed, a relative export folder, and telephone settings that would
// spoil numbers at the next run.
#include "OptionsWorld.h"

#include "contacts/telephone/frmVorwahlen.h"
#include "platform/ui/HistoryTextBox.h"
#include "shell/SettingNames.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>

using namespace kw;
using namespace kw::options;
using namespace kw::contacts::telephone;

namespace {

// The window, shown and active so that the focus can be asked for.
struct Window
{
    std::unique_ptr<QDialog> dialog;
    QPushButton *ok = nullptr;
    int clicks = 1; // the wizard finishes on its fourth forward click
};

Window open(test::OptionsWorld &w, const QString &kind)
{
    Window window;
    if (kind == "wizard") {
        auto wizard = w.wizard();
        window.ok = wizard->controls().cmdForward;
        window.clicks = 4;
        window.dialog = std::move(wizard);
    } else {
        auto options = w.options();
        window.ok = options->controls().cmdOK;
        window.dialog = std::move(options);
    }
    window.dialog->show();
    return window;
}

void clickOk(Window &window)
{
    for (int i = 0; i < window.clicks; ++i)
        QTest::mouseClick(window.ok, Qt::LeftButton);
}

// Whether the window shows the page or tab `box` lies on.
bool showsPageOf(QDialog &dialog, QWidget *box)
{
    if (auto *wizard = qobject_cast<frmQuickOptions *>(&dialog)) {
        const frmQuickOptionsUi &ui = wizard->controls();
        return ui.frMain[ui.pages->currentIndex()]->isAncestorOf(box);
    }
    const frmOptionsUi &ui = static_cast<frmOptions &>(dialog).controls();
    return ui.frMain[ui.TabMain->currentIndex()]->isAncestorOf(box);
}

} // namespace

class TestOptionsChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadedValueTheBoxWouldRefuse_data();
    void loadedValueTheBoxWouldRefuse();
    void telephoneSettingsCheckedOnOk_data();
    void telephoneSettingsCheckedOnOk();
    void emptiedAttachmentSizeIsSaved();
    void extensionSeparatorChangedOnBothSides();
};

void TestOptionsChecks::loadedValueTheBoxWouldRefuse_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("setting"); // written into the settings file by hand
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("caption"); // the box as the one message names it
    QTest::newRow("options: digit as extension separator")
        << "options" << "DurchwahlTrenn" << "5" << "txtDurchwahlTrenn" << "Eigenes Durchwahltrennzeichen";
    QTest::newRow("options: letters as country code")
        << "options" << "CountryCode" << "abc" << "txtCountryCode" << QString::fromUtf8("Eigene Ländervorwahl");
    QTest::newRow("options: plus in the prefix")
        << "options" << "IDDP" << "+x" << "txtIDDP" << "Eigenes internationales Präfix";
    QTest::newRow("options: negative attachment size") << "options" << "AttSize" << "-7" << "cmbAttSize"
                                                       << QString::fromUtf8("mindestens diese Größe haben");
    QTest::newRow("options: negative timeout")
        << "options" << "IdleTime" << "-5" << "cmbIdleTime" << QString::fromUtf8("Timeout für Ordnerstruktur einlesen");
    QTest::newRow("options: timeout past its maximum")
        << "options" << "IdleTime" << "3601" << "cmbIdleTime" << QString::fromUtf8("Timeout für Ordnerstruktur einlesen");
    QTest::newRow("options: relative export folder") << "options" << "AttPath" << "Anlagen" << "txtAttPath"
                                                     << QString::fromUtf8("Ordner für exportierte Anlagen");
    QTest::newRow("wizard: digit as extension separator")
        << "wizard" << "DurchwahlTrenn" << "5" << "txtDurchwahlTrenn" << "Durchwahltrennzeichen";
    QTest::newRow("wizard: letters as country code")
        << "wizard" << "CountryCode" << "abc" << "txtCountryCode" << QString::fromUtf8("Eigene Ländervorwahl");
    QTest::newRow("wizard: plus in the prefix")
        << "wizard" << "IDDP" << "+x" << "txtIDDP" << "Eigenes internationales Präfix";
    QTest::newRow("wizard: relative export folder") << "wizard" << "AttPath" << "Anlagen" << "txtAttPath"
                                                    << QString::fromUtf8("Ordner für exportierte Anlagen");
}

void TestOptionsChecks::loadedValueTheBoxWouldRefuse()
{
    QFETCH(QString, window);
    QFETCH(QString, setting);
    QFETCH(QString, value);
    QFETCH(QString, box);
    QFETCH(QString, caption);
    test::OptionsWorld w;
    w.addTelephoneTables();
    w.services.settings.SaveSetting(setting, value);
    const QByteArray before = w.settingsFile();

    Window opened = open(w, window);
    QVERIFY(QTest::qWaitForWindowActive(opened.dialog.get()));
    auto *refused = opened.dialog->findChild<QLineEdit *>(box);
    QCOMPARE(refused->text(), value);
    clickOk(opened);

    QCOMPARE(w.prompts().size(), 1);
    QVERIFY2(w.prompts()[0].contains(u'"' + caption) || w.prompts()[0].contains(caption + u'"'),
             qPrintable(w.prompts()[0]));
    QVERIFY2(w.prompts()[0].contains(u'"' + value + u'"'), qPrintable(w.prompts()[0]));
    QCOMPARE(w.box.shown[0].buttons, 48);
    QVERIFY(opened.dialog->isVisible());
    QVERIFY(opened.dialog->result() != QDialog::Accepted);
    QCOMPARE(w.settingsFile(), before);
    QVERIFY(showsPageOf(*opened.dialog, refused));
    QCOMPARE(QApplication::focusWidget(), refused);
}

void TestOptionsChecks::telephoneSettingsCheckedOnOk_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("written"); // the stored DurchwahlTrennOut
    QTest::addColumn<QString>("typed");   // into txtDurchwahlTrenn
    QTest::addColumn<QString>("refusal"); // what the one message holds; "" when saved
    QTest::newRow("options: '(' leaves +49 (0)89 unformatted")
        << "options" << "-" << "(" << "nicht mehr vereinheitlicht";
    QTest::newRow("options: '/' recognised, '-' written: the extension merges at the next run")
        << "options" << "-" << "/" << "\"0711 123456/78\" wird zu \"+49 (711) 123456-78\"";
    QTest::newRow("options: '/' recognised and written") << "options" << "/" << "/" << "";
    QTest::newRow("options: the default") << "options" << "-" << "-" << "";
    QTest::newRow("wizard: '(' leaves +49 (0)89 unformatted")
        << "wizard" << "-" << "(" << "nicht mehr vereinheitlicht";
    QTest::newRow("wizard: '/' recognised and written") << "wizard" << "/" << "/" << "";
}

void TestOptionsChecks::telephoneSettingsCheckedOnOk()
{
    QFETCH(QString, window);
    QFETCH(QString, written);
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    test::OptionsWorld w;
    w.addTelephoneTables();
    w.services.settings.SaveSetting(setting::DurchwahlTrennOut, written);
    const QByteArray before = w.settingsFile();

    Window opened = open(w, window);
    QVERIFY(QTest::qWaitForWindowActive(opened.dialog.get()));
    auto *box = opened.dialog->findChild<QLineEdit *>("txtDurchwahlTrenn");
    if (window == "wizard") {
        QTest::mouseClick(opened.ok, Qt::LeftButton); // to the telephone page
        opened.clicks = 3;
    }
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, typed);
    QCOMPARE(box->text(), typed);
    clickOk(opened);

    if (refusal.isEmpty()) {
        QCOMPARE(w.prompts(), QStringList());
        QCOMPARE(opened.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(w.setting(setting::DurchwahlTrenn), typed);
        return;
    }
    QCOMPARE(w.prompts().size(), 1);
    QVERIFY2(w.prompts()[0].contains("\"Eigenes Durchwahltrennzeichen\""), qPrintable(w.prompts()[0]));
    QVERIFY2(w.prompts()[0].contains(refusal), qPrintable(w.prompts()[0]));
    QVERIFY(opened.dialog->isVisible());
    QCOMPARE(w.settingsFile(), before);
    QCOMPARE(QApplication::focusWidget(), box);
}

// An emptied size is stored as "", which the export reads as 0.
void TestOptionsChecks::emptiedAttachmentSizeIsSaved()
{
    test::OptionsWorld w;
    w.addTelephoneTables();
    Window opened = open(w, "options");
    auto *size = opened.dialog->findChild<QLineEdit *>("cmbAttSize");
    QTest::keyClick(size, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(size, Qt::Key_Backspace);
    clickOk(opened);
    QCOMPARE(w.prompts(), QStringList());
    QCOMPARE(opened.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(w.setting(setting::AttSize), QString());
}

// "/" typed in the options, then "/" written in the number-format dialog
// opened from there: each is judged against the other, saved or not.
void TestOptionsChecks::extensionSeparatorChangedOnBothSides()
{
    test::OptionsWorld w;
    w.addTelephoneTables();
    int formatResult = -1;
    TelDialogHooks hooks;
    hooks.showVorwahlen = [&](QWidget *parent, const SettingTexts &shown) {
        frmVorwahlen format(w.services.settings, w.services.messages, w.services.referenceDatabase,
                            w.services.paths.programFolder, *w.services.help, shown, parent);
        QLineEdit *out = format.controls().cmbDurchwahlTrennOut->lineEdit();
        QTest::keyClick(out, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(out, "/");
        QTest::mouseClick(format.controls().cmdOK, Qt::LeftButton);
        formatResult = format.result();
    };
    const auto dialog = w.options(hooks);
    QTest::keyClick(dialog->controls().txtDurchwahlTrenn, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(dialog->controls().txtDurchwahlTrenn, "/");
    QTest::mouseClick(dialog->controls().cmdTelOptions, Qt::LeftButton);
    QCOMPARE(formatResult, int(QDialog::Accepted));
    QTest::mouseClick(dialog->controls().cmdOK, Qt::LeftButton);
    QCOMPARE(w.prompts(), QStringList());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(w.setting(setting::DurchwahlTrenn), QString("/"));
    QCOMPARE(w.setting(setting::DurchwahlTrennOut), QString("/"));
}

QTEST_MAIN(TestOptionsChecks)
#include "tst_optionschecks.moc"
