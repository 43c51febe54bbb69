// The telephone run and its undo on the shipped demo profile, through the
// main window's entries as a user starts them.
#include "app/Dispatch.h"
#include "contacts/undo/frmUndo.h"
#include "platform/mailstore/Fixture.h"
#include "platform/refdb/Database.h"
#include "platform/ui/HelpViewer.h"
#include "shell/AppServices.h"
#include "shell/frmHaupt.h"
#include "shell/frmHauptUi.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace kw;
using namespace kw::contacts::undo;

class TestTelDemo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runTwiceThenUndoGivesTheProfileBack();
};

void TestTelDemo::runTwiceThenUndoGivesTheProfileBack()
{
    test::TestEnv env;
    mailstore::fixture::createProfileFromFile(env.profileFile(), QStringLiteral(KW_DATA_DIR "/profiles/sample.json"));
    refdb::ensureProgramCopy(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db"), env.paths(KW_DATA_DIR).referenceDatabase());
    auto box = std::make_unique<ui::ScriptedMessageBox>();
    ui::ScriptedMessageBox &messages = *box;
    AppServices services(env.paths(KW_DATA_DIR), std::move(box), std::make_unique<ui::RecordingHelpViewer>());
    services.settings.InitDefaultSettings();
    frmHaupt window(services.messages, *services.help);
    QVERIFY(app::wireActions(window, services).rejected.isEmpty());
    window.Form_Load();
    const auto stores = window.controls().TvwOrdner->findItems(QString::fromUtf8("Persönliche Ordner"), Qt::MatchExactly);
    QCOMPARE(stores.size(), 1);
    QTreeWidgetItem *contacts = stores.first()->child(6);
    QCOMPARE(contacts->text(0), QStringLiteral("Kontakte"));
    contacts->setCheckState(0, Qt::Checked);
    const QByteArray original = mailstore::fixture::canonicalJson(mailstore::fixture::dumpProfile(env.profileFile()));

    window.trigger("Tel");
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].title, QStringLiteral("Fertig!"));
    const int changed = messages.shown[0].prompt.section(u' ', 0, 0).toInt();
    QVERIFY2(changed > 20, qPrintable(messages.shown[0].prompt));
    const QByteArray formatted = mailstore::fixture::canonicalJson(mailstore::fixture::dumpProfile(env.profileFile()));
    QVERIFY(formatted != original);

    window.trigger("mnuTelNorm");
    QCOMPARE(messages.shown.last().prompt, QString::fromUtf8("0 Kontakt(e) geändert."));
    QCOMPARE(mailstore::fixture::canonicalJson(mailstore::fixture::dumpProfile(env.profileFile())), formatted);
    QVERIFY(!services.busy.isBusy());
    QCOMPARE(window.controls().lblStatus->text(), QStringLiteral("Bereit"));

    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<frmUndo *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->controls().chkName->setChecked(true);
        dialog->controls().chkTel->setChecked(true);
        dialog->cmdUndo_Click();
    });
    window.trigger("mnuUndo");
    QCOMPARE(messages.prompts().mid(2), (QStringList{"Namen bei 0 Kontakten wiederhergestellt.",
                                                     QStringLiteral("Telefonnummern bei %1 Kontakten wiederhergestellt.").arg(changed)}));
    QCOMPARE(mailstore::fixture::canonicalJson(mailstore::fixture::dumpProfile(env.profileFile())), original);
}

QTEST_MAIN(TestTelDemo)
#include "tst_teldemo.moc"
