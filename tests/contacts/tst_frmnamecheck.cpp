#include "contacts/frmNameCheck.h"
#include "contacts/NameWordCsv.h"
#include "platform/ui/HistoryTextBox.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace kw;

namespace {

struct DialogWorld
{
    test::TestEnv env;
    FixedNameWordSource words{std::make_shared<const NameWordTables>(
        loadNameWordCsvFolder(QStringLiteral(KW_TEST_FIXTURES "/names")))};
    frmNameCheck dialog{words, env.messages, env.path("Preferences")};
    frmNameCheckUi &ui = dialog.controls();

    // Key by key, umlauts too.
    void type(const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, ui.txtFullname->lineEdit(), Qt::Key_unknown, QString(c), {});
    }
    // Title, first, middle, last, suffix and the notice as the labels hold them.
    QStringList shown() const
    {
        return {ui.lblTitle->text(),    ui.lblFirstname->text(), ui.lblMiddleName->text(),
                ui.lblLastName->text(), ui.lblSuffix->text(),    ui.lblDes->text()};
    }
};

const QString kNotice = QStringLiteral("Es wurde ein Firmenname erkannt!");

} // namespace

class TestFrmNameCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedName_data();
    void typedName();
    void followsTypingAndTheCheckBox();
};

void TestFrmNameCheck::typedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("checkBusiness");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("salutation, doctor title and double first name")
        << "Herr Dr. Hans-Peter Meier" << true << QStringList{"Herr  Dr.", "Hans-Peter", "", "Meier", "", ""};
    QTest::newRow("ampersand doubled in the label, company notice with the parts")
        << "Müller & Söhne" << true << QStringList{"", "", "", "Müller && Söhne", "", kNotice};
    QTest::newRow("box unticked: never a notice")
        << "Müller & Söhne" << false << QStringList{"", "", "", "Müller && Söhne", "", ""};
    QTest::newRow("middle name and suffix")
        << "Anna Maria Roth jun." << true << QStringList{"Frau", "Anna", "Maria", "Roth", "jun.", ""};
}

void TestFrmNameCheck::typedName()
{
    QFETCH(QString, typed);
    QFETCH(bool, checkBusiness);
    QFETCH(QStringList, shown);
    DialogWorld w;
    w.ui.chkBusinessCheck->setChecked(checkBusiness);
    w.type(typed);
    QCOMPARE(w.shown(), shown);
    // The label shows each "&" once.
    QCOMPARE(w.ui.lblLastName->buddy(), w.ui.txtFullname);
}

void TestFrmNameCheck::followsTypingAndTheCheckBox()
{
    DialogWorld w;
    w.ui.chkBusinessCheck->setChecked(true);
    w.type("Anna");
    QCOMPARE(w.shown(), (QStringList{"Frau", "Anna", "", "", "", ""}));
    w.type(" Roth");
    QCOMPARE(w.shown(), (QStringList{"Frau", "Anna", "", "Roth", "", ""}));
    w.type(" GmbH");
    QCOMPARE(w.shown(), (QStringList{"Frau", "Anna", "", "Roth GmbH", "", kNotice}));
    // A click alone parses the unchanged text again.
    w.ui.chkBusinessCheck->click();
    QCOMPARE(w.ui.lblDes->text(), "");
    w.ui.chkBusinessCheck->click();
    QCOMPARE(w.ui.lblDes->text(), kNotice);
    w.ui.txtFullname->lineEdit()->clear();
    QCOMPARE(w.shown(), QStringList(6, QString()));
    QVERIFY(w.env.box.shown.isEmpty());
    QCOMPARE(w.ui.txtFullname->historyFile(), w.env.path("Preferences/Fullname.dat"));
    QCOMPARE(w.ui.txtFullname->listTitle(), "Namen");
}

QTEST_MAIN(TestFrmNameCheck)
#include "tst_frmnamecheck.moc"
