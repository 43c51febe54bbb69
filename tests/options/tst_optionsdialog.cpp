#include "OptionsWorld.h"

#include "app/Dispatch.h"
#include "contacts/telephone/TelSettings.h"
#include "options/NameRule.h"
#include "platform/ui/HistoryTextBox.h"
#include "shell/SettingNames.h"
#include "shell/frmHaupt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QApplication>
#include <QTimer>
#include <QtTest>

using namespace kw;
using namespace kw::options;
using namespace kw::contacts::telephone;

namespace {

// Every stored control's value as the name rule writes it.
SettingValues shown(frmOptions &dialog)
{
    return dialog.form().valuesToSave();
}

// A value each kind of box accepts, different from the defaults.
QString otherValue(QWidget *control)
{
    const auto *edit = qobject_cast<QLineEdit *>(control);
    if (control->objectName() == "txtAttPath")
        return QStringLiteral("/Feld txtAttPath"); // a folder is given with its whole path
    if (!edit || !edit->validator())
        return QStringLiteral("Feld ") + control->objectName(); // "F" makes it a layout too
    for (QString candidate : {QStringLiteral("7"), QStringLiteral("#")}) {
        int pos = 0;
        if (edit->validator()->validate(candidate, pos) == QValidator::Acceptable)
            return candidate;
    }
    return {};
}

// Steps of the token editor: a token's Tag, "undo", "clear", or the box
// that gets the focus ("subject", "fileas").
void runEditorStep(frmOptionsUi &ui, const QString &step)
{
    QWidget *focused = step == "subject" ? ui.cmbSubjectLayout->lineEdit()
                       : step == "fileas" ? ui.cmbFileAsLayoutEx->lineEdit()
                                          : nullptr;
    if (focused) {
        QFocusEvent in(QEvent::FocusIn);
        QCoreApplication::sendEvent(focused, &in);
    } else if (step == "undo") {
        ui.roCommand1->click();
    } else if (step == "clear") {
        ui.cmdDelLayout->click();
    } else {
        for (const LayoutToken &token : layoutTokens()) {
            if (token.tag == step)
                ui.cmdZeichen[token.index]->click();
        }
    }
}

} // namespace

class TestOptionsDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedControlsFollowTheNameRule();
    void openingAndSavingKeepsTheDefaults();
    void saveThenLoadGivesEveryValueBack();
    void validationBlocksSaving_data();
    void validationBlocksSaving();
    void prioritySliders_data();
    void prioritySliders();
    void tokenEditor_data();
    void tokenEditor();
    void countryPresetsFillThePrefixes();
    void filterSwitchesItsSixControls();
    void failedWriteKeepsTheDialogOpen();
    void unreadableSettingsFileBlocksSaving();
    void demoChangesReachTheTools();
    void buttonsOpenTheTelephoneDialogsAndHelp();
    void mainWindowEntriesOpenTheWindows();
};

void TestOptionsDialog::storedControlsFollowTheNameRule()
{
    test::OptionsWorld w;
    const QSet<QString> known = test::knownSettingNames();
    const auto dialog = w.options();
    const auto wizard = w.wizard();
    const std::pair<QDialog *, QList<QWidget *>> windows[] = {{dialog.get(), dialog->controls().controls()},
                                                              {wizard.get(), wizard->controls().controls()}};
    static const QRegularExpression prefix("^(txt|cmb|chk|opt)[A-Z]");
    for (const auto &[window, listed] : windows) {
        // The list the rule walks holds every prefixed input control of the window.
        QSet<QWidget *> prefixed;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            const bool input = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w)
                || qobject_cast<QComboBox *>(w);
            if (input && !qobject_cast<QPushButton *>(w) && prefix.match(w->objectName()).hasMatch())
                prefixed.insert(w);
        }
        QCOMPARE(QSet<QWidget *>(listed.begin(), listed.end()), prefixed);
        QSet<QString> names;
        for (QWidget *control : listed) {
            const QString name = settingNameOf(control);
            QCOMPARE(name.isEmpty(), control->property("Tag").toString() == "n");
            if (name.isEmpty())
                continue;
            QVERIFY2(known.contains(name), qPrintable(name + " is not a name of SettingNames.h"));
            QVERIFY2(!names.contains(name), qPrintable(name + " is stored twice"));
            names.insert(name);
        }
    }
}

void TestOptionsDialog::openingAndSavingKeepsTheDefaults()
{
    test::OptionsWorld w;
    const auto dialog = w.options();
    // The removal's default (move) is what the dialog shows.
    QVERIFY(dialog->controls().chkMoveToFolder->isChecked());
    QVERIFY(!dialog->controls().chkDupDel->isChecked());
    dialog->cmdOK_Click();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(w.prompts(), QStringList());
    for (const auto &[name, value] : Settings::defaults())
        QCOMPARE(w.setting(name), value);
}

void TestOptionsDialog::saveThenLoadGivesEveryValueBack()
{
    test::OptionsWorld w;
    const auto first = w.options();
    frmOptionsUi &ui = first->controls();
    for (QWidget *control : ui.controls()) {
        if (auto *check = qobject_cast<QCheckBox *>(control))
            check->toggle();
        else if (auto *option = qobject_cast<QRadioButton *>(control))
            option->setChecked(true); // the last of each group stays selected
        else if (!settingNameOf(control).isEmpty())
            qobject_cast<QLineEdit *>(control) ? qobject_cast<QLineEdit *>(control)->setText(otherValue(control))
                                                : qobject_cast<QComboBox *>(control)->setEditText(otherValue(control));
    }
    ui.sldPrio[1]->setValue(0);
    ui.frFilterTel->setChecked(true);
    const SettingValues saved = shown(*first);
    first->cmdOK_Click();
    QCOMPARE(w.prompts(), QStringList());
    for (const auto &[name, value] : saved)
        QCOMPARE(w.setting(name), value);

    SettingValues expected = saved;
    for (auto &[name, value] : expected) {
        // The editor opens on the FileAs layout whatever was stored.
        if (name == setting::SaveAs || name == setting::Betreff)
            value = name == setting::SaveAs ? "1" : "0";
    }
    QCOMPARE(shown(*w.options()), expected);
}

void TestOptionsDialog::validationBlocksSaving_data()
{
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QStringList>("messages"); // a text each message holds, in order

    QTest::newRow("three empty tabs: one message each, in tab order")
        << QStringList{"untick 5", "untick 1", "untick 3"} << QStringList{"Kalender", "Notizen", "Journal"};
    QTest::newRow("user field without a name does not count")
        << QStringList{"untick 0", "userfield "} << QStringList{"Registerkarte Kontakte"};
    QTest::newRow("user field with a name is enough") << QStringList{"untick 0", "userfield Kundennummer"}
                                                       << QStringList{};
    QTest::newRow("link mode without a field name") << QStringList{"link "} << QStringList{"Outlook ID"};
    QTest::newRow("link mode with a field name") << QStringList{"link Dublette"} << QStringList{};
    QTest::newRow("layout of separators only") << QStringList{"fileas , ( )"}
                                               << QStringList{"\"Layout für Speichern unter\""};
    QTest::newRow("empty subject layout") << QStringList{"subject "} << QStringList{"\"Layout für Betreff\""};
    QTest::newRow("layout in code letters") << QStringList{"fileas N,LV", "subject F"} << QStringList{};
    QTest::newRow("every problem once, criteria first")
        << QStringList{"subject -", "link ", "untick 0", "fileas "}
        << QStringList{"Kontakte", "Outlook ID", "Speichern unter", "Betreff\""};
}

void TestOptionsDialog::validationBlocksSaving()
{
    QFETCH(QStringList, changes);
    QFETCH(QStringList, messages);
    test::OptionsWorld w;
    const auto dialog = w.options();
    frmOptionsUi &ui = dialog->controls();
    for (const QString &change : changes) {
        const QString verb = change.section(' ', 0, 0);
        const QString rest = change.section(' ', 1);
        if (verb == "untick") {
            for (QCheckBox *box : ui.criteria(rest.toInt()))
                box->setChecked(false);
        } else if (verb == "userfield") {
            ui.chkKontakteFieldName->setChecked(true);
            ui.txtKontakteFieldNameStr->setText(rest);
        } else if (verb == "link") {
            ui.chkDupEntryIDSave->setChecked(true);
            ui.txtFieldNameEntryID->setText(rest);
        } else {
            (verb == "fileas" ? ui.cmbFileAsLayoutEx : ui.cmbSubjectLayout)->setText(rest);
        }
    }
    const QByteArray before = w.settingsFile();
    dialog->cmdOK_Click();

    const QStringList prompts = w.prompts();
    QCOMPARE(prompts.size(), messages.size());
    for (int i = 0; i < messages.size(); ++i)
        QVERIFY2(prompts[i].contains(messages[i]), qPrintable(prompts[i]));
    for (const ui::MessageRequest &shownMessage : w.box.shown)
        QCOMPARE(shownMessage.buttons, 48);
    QCOMPARE(dialog->result() == QDialog::Accepted, messages.isEmpty());
    if (!messages.isEmpty())
        QCOMPARE(w.settingsFile(), before);
}

void TestOptionsDialog::prioritySliders_data()
{
    QTest::addColumn<QStringList>("stored"); // Priority.0 to Priority.2
    QTest::addColumn<int>("moved");          // slider moved, or -1
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("sliders");
    QTest::addColumn<QStringList>("saved");

    const QStringList defaults{"2", "1", "0"};
    QTest::newRow("defaults load as ranks 2 1 0") << defaults << -1 << 0 << QList<int>{2, 1, 0} << defaults;
    QTest::newRow("moving over a value swaps two ranks")
        << defaults << 0 << 0 << QList<int>{0, 1, 2} << QStringList{"0", "1", "2"};
    QTest::newRow("moving by one swaps neighbours")
        << defaults << 1 << 2 << QList<int>{1, 2, 0} << QStringList{"2", "0", "1"};
    QTest::newRow("stored 0 1 2 loads as ranks 0 1 2")
        << QStringList{"0", "1", "2"} << -1 << 0 << QList<int>{0, 1, 2} << QStringList{"0", "1", "2"};
    QTest::newRow("a rule at two ranks loads the defaults")
        << QStringList{"0", "0", "1"} << -1 << 0 << QList<int>{2, 1, 0} << defaults;
    QTest::newRow("a rule that does not exist loads the defaults")
        << QStringList{"3", "1", "0"} << -1 << 0 << QList<int>{2, 1, 0} << defaults;
    QTest::newRow("text loads the defaults") << QStringList{"x", "1", "0"} << -1 << 0 << QList<int>{2, 1, 0}
                                             << defaults;
}

void TestOptionsDialog::prioritySliders()
{
    QFETCH(QStringList, stored);
    QFETCH(int, moved);
    QFETCH(int, to);
    QFETCH(QList<int>, sliders);
    QFETCH(QStringList, saved);
    test::OptionsWorld w;
    for (int rank = 0; rank < 3; ++rank)
        w.services.settings.SaveSetting(setting::numbered(setting::Priority, rank), stored[rank]);
    const auto dialog = w.options();
    frmOptionsUi &ui = dialog->controls();
    QVERIFY(ui.cmdOK->isEnabled());
    if (moved >= 0)
        ui.sldPrio[moved]->setValue(to);
    QCOMPARE((QList<int>{ui.sldPrio[0]->value(), ui.sldPrio[1]->value(), ui.sldPrio[2]->value()}), sliders);
    dialog->cmdOK_Click();
    QCOMPARE(w.prompts(), QStringList());
    for (int rank = 0; rank < 3; ++rank)
        QCOMPARE(w.setting(setting::numbered(setting::Priority, rank)), saved[rank]);
}

void TestOptionsDialog::tokenEditor_data()
{
    QTest::addColumn<QString>("start"); // both boxes
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("fileAs");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("preview");

    QTest::newRow("tokens and separators each get a blank")
        << "" << QStringList{"Nachname", ",", "Vorname"} << "Nachname , Vorname " << "" << "Mustermann, Max";
    QTest::newRow("undo reaches back one token only")
        << "" << QStringList{"Nachname", "Vorname", "undo", "undo"} << "Nachname " << "" << "Mustermann";
    QTest::newRow("undo before any token empties the box") << "Firma " << QStringList{"undo"} << "" << "Firma "
                                                           << "";
    QTest::newRow("each box keeps its own undo")
        << "" << QStringList{"Nachname", "subject", "Vorname", "fileas", "undo"} << "" << "Vorname " << "";
    QTest::newRow("focus on the subject box makes it the target")
        << "" << QStringList{"subject", "Anrede", "Namenszusatz"} << "" << "Anrede Namenszusatz "
        << "Prof. Dr. Herr jun.";
    QTest::newRow("clear then undo gives the text before the last token")
        << "" << QStringList{"Nachname", "Vorname", "clear", "undo"} << "Nachname " << "" << "Mustermann";
    QTest::newRow("the sample company is made up")
        << "" << QStringList{"Firma", "(", "Nachname", ")"} << "Firma ( Nachname ) " << ""
        << "Muster GmbH (Mustermann)";
}

void TestOptionsDialog::tokenEditor()
{
    QFETCH(QString, start);
    QFETCH(QStringList, steps);
    QFETCH(QString, fileAs);
    QFETCH(QString, subject);
    QFETCH(QString, preview);
    test::OptionsWorld w;
    const auto dialog = w.options();
    frmOptionsUi &ui = dialog->controls();
    QVERIFY(ui.optSaveAs->isChecked());
    ui.cmbFileAsLayoutEx->setText(start);
    ui.cmbSubjectLayout->setText(start);
    for (const QString &step : steps)
        runEditorStep(ui, step);
    QCOMPARE(ui.cmbFileAsLayoutEx->text(), fileAs);
    QCOMPARE(ui.cmbSubjectLayout->text(), subject);
    QCOMPARE(ui.lblExample->text(), preview);
}

void TestOptionsDialog::countryPresetsFillThePrefixes()
{
    test::OptionsWorld w;
    const auto dialog = w.options();
    frmOptionsUi &ui = dialog->controls();
    QComboBox *list = ui.cmbCountrySelect;
    // German order: the umlaut sorts as its vowel, not after "Z".
    QCOMPARE(list->count(), 7);
    QVERIFY(list->findText("Niederlande") < list->findText(QString::fromUtf8("Österreich")));
    QVERIFY(list->findText(QString::fromUtf8("Österreich")) < list->findText("Schweiz"));
    const auto prefixes = [&] { return QStringList{ui.txtCountryCode->text(), ui.txtIDDP->text(), ui.txtNDDP->text()}; };
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(prefixes(), (QStringList{"49", "00", "0"})); // filling applied nothing
    list->setCurrentIndex(list->findText("USA"));
    QCOMPARE(prefixes(), (QStringList{"1", "011", "1"}));
    list->setCurrentIndex(list->findText("Schweiz"));
    QCOMPARE(prefixes(), (QStringList{"41", "00", "0"}));
    ui.txtIDDP->setText("011");
    list->setCurrentIndex(-1);
    QCOMPARE(prefixes(), (QStringList{"41", "011", "0"}));
}

void TestOptionsDialog::filterSwitchesItsSixControls()
{
    test::OptionsWorld w;
    w.services.settings.SaveSetting(setting::FilterTel, "1");
    w.services.settings.SaveSetting(setting::FilterCountry, "1");
    const auto dialog = w.options();
    frmOptionsUi &ui = dialog->controls();
    for (QWidget *control : ui.filterControls())
        QVERIFY(control->isEnabled());
    ui.frFilterTel->setChecked(false);
    for (QWidget *control : ui.filterControls())
        QVERIFY(!control->isEnabled());
    dialog->cmdOK_Click();
    QCOMPARE(w.setting(setting::FilterTel), QString("0"));
    QCOMPARE(w.setting(setting::FilterCountry), QString("1"));
}

void TestOptionsDialog::failedWriteKeepsTheDialogOpen()
{
    test::OptionsWorld w;
    const auto dialog = w.options();
    dialog->controls().chkHideFax->setChecked(true);
    w.services.registry.setFailWrites(true);
    const QByteArray before = w.settingsFile();
    dialog->cmdOK_Click();
    QCOMPARE(w.box.shown.size(), 1);
    QCOMPARE(w.box.shown[0].buttons, 16);
    QCOMPARE(w.box.shown[0].title, QString("Fehler!"));
    QVERIFY(dialog->result() != QDialog::Accepted);
    QCOMPARE(w.settingsFile(), before);

    w.services.registry.setFailWrites(false); // the user tries again
    dialog->cmdOK_Click();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(w.setting(setting::HideFax), QString("1"));
}

void TestOptionsDialog::unreadableSettingsFileBlocksSaving()
{
    test::OptionsWorld w;
    w.services.settings.GetSetting(setting::IDDP, {}); // the file as read at start
    {
        QFile file(w.env.registryFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a settings file at all\n");
    }
    const auto dialog = w.options();
    QCOMPARE(w.box.shown.size(), 1);
    QVERIFY(w.env.errorLog().contains("703"));
    QVERIFY(!dialog->controls().cmdOK->isEnabled());
    QVERIFY(!dialog->form().cmdOK_Click());
    QVERIFY(!QFile::exists(w.env.registryFile())); // set aside, and nothing written in its place
}

void TestOptionsDialog::demoChangesReachTheTools()
{
    test::OptionsWorld w;
    const auto dialog = w.options();
    frmOptionsUi &ui = dialog->controls();
    for (const QString &step : {"fileas", "clear", "Nachname", ",", "Vorname"})
        runEditorStep(ui, step);
    QCOMPARE(ui.lblExample->text(), QString("Mustermann, Max"));
    ui.cmbCountrySelect->setCurrentIndex(ui.cmbCountrySelect->findText("Schweiz"));
    w.picker->answers.enqueue("/home/anna/Anlagen");
    ui.cmdAttPath->click();
    QCOMPARE(w.picker->titles, QStringList{QString::fromUtf8("Ordner für exportierte Anlagen")});
    dialog->cmdOK_Click();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));

    // What the telephone run and the name correction read at their next start.
    const TelSettings tel = TelSettings::read(w.services.settings);
    QCOMPARE((QStringList{tel.CountryCode, tel.IDDP, tel.NDDP}), (QStringList{"41", "00", "0"}));
    QCOMPARE(w.setting(setting::FileAsLayoutEx), QString("Nachname , Vorname "));
    QCOMPARE(w.setting(setting::AttPath), QString("/home/anna/Anlagen"));
    QVERIFY(!w.settingsFile().contains("CountrySelect"));
    // The layout joins the phrase list of its box.
    QVERIFY(w.options()->controls().cmbFileAsLayoutEx->findText("Nachname , Vorname ") >= 0);
}

void TestOptionsDialog::buttonsOpenTheTelephoneDialogsAndHelp()
{
    test::OptionsWorld w;
    QStringList opened;
    QWidget *owner = nullptr;
    TelDialogHooks hooks{[&](QWidget *parent) { opened << "frmTelDB"; owner = parent; },
                         [&](QWidget *parent, const SettingTexts &) { opened << "frmVorwahlen"; owner = parent; }};
    const auto dialog = w.options(hooks);
    dialog->controls().cmdTelDB->click();
    dialog->controls().cmdTelOptions->click();
    QCOMPARE(opened, (QStringList{"frmTelDB", "frmVorwahlen"}));
    QCOMPARE(owner, dialog.get());
    w.options()->controls().cmdTelDB->click(); // no hook: nothing happens

    dialog->controls().cmdHelp->click();
    const auto &help = static_cast<ui::RecordingHelpViewer &>(*w.services.help);
    QCOMPARE(help.shownFiles.size(), 1);
    QVERIFY(help.shownFiles[0].endsWith("/frmOptions.html"));
}

void TestOptionsDialog::mainWindowEntriesOpenTheWindows()
{
    test::OptionsWorld w;
    frmHaupt window{w.services.messages, *w.services.help};
    app::wireActions(window, w.services);
    QStringList opened;
    for (const QString &entry : {"Opt", "mnuOptionen", "mnuQuickOption"}) {
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            opened << (modal ? modal->objectName() : QString());
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
        });
        window.trigger(entry);
    }
    QCOMPARE(opened, (QStringList{"frmOptions", "frmOptions", "frmQuickOptions"}));
}

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
