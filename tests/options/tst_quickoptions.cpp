#include "OptionsWorld.h"

#include "platform/ui/HistoryTextBox.h"
#include "shell/SettingNames.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

using namespace kw;
using namespace kw::options;

namespace {

const QStringList kWizardSettings{"CountryCode", "IDDP", "NDDP", "DurchwahlTrenn", "AttPath", "FileAsLayoutEx"};

QString pageState(frmQuickOptions &wizard)
{
    const frmQuickOptionsUi &ui = wizard.controls();
    return QStringLiteral("%1 %2 %3")
        .arg(ui.pages->currentIndex())
        .arg(ui.cmdForward->text(), ui.cmdBack->isEnabled() ? "back" : "-");
}

} // namespace

class TestQuickOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesAndButtons();
    void finishingWritesTheSixSettingsOnly();
    void layoutWithoutTokenIsRefused();
    void boxesAcceptWhatTheDialogAccepts();
};

void TestQuickOptions::pagesAndButtons()
{
    test::OptionsWorld w;
    const auto wizard = w.wizard();
    QStringList states{pageState(*wizard)};
    for (int i = 0; i < 3; ++i) {
        wizard->cmdForward_Click();
        states << pageState(*wizard);
    }
    for (int i = 0; i < 3; ++i) {
        wizard->form().cmdBack_Click();
        states << pageState(*wizard);
    }
    QCOMPARE(states, (QStringList{"0 &Weiter -", "1 &Weiter back", "2 &Weiter back", "3 &Fertigstellen back",
                                  "2 &Weiter back", "1 &Weiter back", "0 &Weiter -"}));
    const QByteArray before = w.settingsFile();
    wizard->reject(); // closing saves nothing
    QCOMPARE(w.settingsFile(), before);
}

void TestQuickOptions::finishingWritesTheSixSettingsOnly()
{
    test::OptionsWorld w;
    w.services.settings.SaveSetting(setting::AttPath, "/alt");
    QHash<QString, QString> others;
    for (const auto &[name, value] : Settings::defaults())
        others.insert(name, value);
    for (const QString &name : kWizardSettings)
        others.remove(name);

    const auto wizard = w.wizard();
    frmQuickOptionsUi &ui = wizard->controls();
    QCOMPARE(ui.txtAttPath->text(), QString("/alt"));
    QCOMPARE(ui.cmbCountrySelect->itemText(0), QString("USA")); // the table's order, not sorted
    ui.cmbCountrySelect->setCurrentIndex(0);
    ui.txtDurchwahlTrenn->setText("/");
    w.picker->answers.enqueue("/home/anna/Anlagen");
    ui.cmdAttPath->click();
    ui.cmbFileAsLayoutEx->setEditText("Firma / Nachname");
    for (int i = 0; i < 4; ++i)
        wizard->cmdForward_Click();
    QCOMPARE(wizard->result(), int(QDialog::Accepted));
    QCOMPARE(w.prompts(), QStringList());

    const QStringList expected{"1", "011", "1", "/", "/home/anna/Anlagen", "Firma / Nachname"};
    for (int i = 0; i < kWizardSettings.size(); ++i)
        QCOMPARE(w.setting(kWizardSettings[i]), expected[i]);
    for (auto it = others.begin(); it != others.end(); ++it)
        QCOMPARE(w.setting(it.key()), it.value());

    // The options dialog shows what the wizard set.
    const auto dialog = w.options();
    const frmOptionsUi &o = dialog->controls();
    QCOMPARE((QStringList{o.txtCountryCode->text(), o.txtIDDP->text(), o.txtNDDP->text(), o.txtDurchwahlTrenn->text(),
                          o.txtAttPath->text(), o.cmbFileAsLayoutEx->text()}),
             expected);
}

void TestQuickOptions::layoutWithoutTokenIsRefused()
{
    test::OptionsWorld w;
    const auto wizard = w.wizard();
    wizard->controls().cmbFileAsLayoutEx->setEditText("( )");
    const QByteArray before = w.settingsFile();
    for (int i = 0; i < 4; ++i)
        wizard->cmdForward_Click();
    QCOMPARE(w.prompts().size(), 1);
    QVERIFY(w.prompts()[0].contains(QString::fromUtf8("\"Layout für Speichern unter - Feld\"")));
    QVERIFY(wizard->result() != QDialog::Accepted);
    QCOMPARE(wizard->form().page(), 3);
    QCOMPARE(w.settingsFile(), before);
}

void TestQuickOptions::boxesAcceptWhatTheDialogAccepts()
{
    test::OptionsWorld w;
    const auto wizard = w.wizard();
    const auto dialog = w.options();
    const QList<std::pair<QLineEdit *, QLineEdit *>> pairs{
        {wizard->controls().txtIDDP, dialog->controls().txtIDDP},
        {wizard->controls().txtCountryCode, dialog->controls().txtCountryCode},
        {wizard->controls().txtDurchwahlTrenn, dialog->controls().txtDurchwahlTrenn}};
    for (const auto &[inWizard, inDialog] : pairs) {
        for (QLineEdit *box : {inWizard, inDialog}) {
            box->clear();
            QTest::keyClicks(box, "+0a1x23");
        }
        QCOMPARE(inWizard->text(), inDialog->text());
    }
    // Digits only, at most three; the separator is no digit and no "+".
    QCOMPARE(pairs[0].first->text(), QString("012"));
    QCOMPARE(pairs[2].first->text(), QString("a"));
}

QTEST_MAIN(TestQuickOptions)
#include "tst_quickoptions.moc"
