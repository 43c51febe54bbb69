#include "contacts/names/frmNameCheck.h"
#include "contacts/names/NameCorrectionFunctions.h"
#include "contacts/names/NameWordCsv.h"
#include "contacts/names/NameWordDatabase.h"
#include "platform/refdb/Database.h"
#include "platform/ui/HistoryTextBox.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace kw;
using namespace kw::contacts::names;

namespace {

struct DialogWorld
{
    test::TestEnv env;
    FixedNameWordSource words{std::make_shared<const NameWordTables>(
        loadNameWordCsvFolder(QStringLiteral(KW_TEST_FIXTURES "/names")))};
    frmNameCheck dialog{words, env.messages, env.programFolder()};
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
const QString kShipped = QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db");

void typeInto(frmNameCheck &dialog, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, dialog.controls().txtFullname->lineEdit(), Qt::Key_unknown, QString(c), {});
}

// Every full name of the demo profile, wherever it stands in the JSON.
void collectFullNames(const QJsonValue &value, QStringList &names)
{
    if (value.isArray()) {
        for (const QJsonValue &v : value.toArray())
            collectFullNames(v, names);
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (it.key().compare(QLatin1String("FullName"), Qt::CaseInsensitive) == 0 && it->isString())
                names << it->toString();
            else
                collectFullNames(*it, names);
        }
    }
}

} // namespace

class TestFrmNameCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedName_data();
    void typedName();
    void followsTypingAndTheCheckBox();
    void unusableDatabaseIsToldOncePerOpening_data();
    void unusableDatabaseIsToldOncePerOpening();
    void longPartsAreShownInFull_data();
    void longPartsAreShownInFull();
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
    QCOMPARE(w.ui.txtFullname->historyFile(), w.env.programFolder() + "/Preferences/Fullname.dat");
    QCOMPARE(w.ui.txtFullname->listTitle(), "Namen");
}

void TestFrmNameCheck::unusableDatabaseIsToldOncePerOpening_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file at all
    QTest::addColumn<QString>("said");       // in the box, German
    QTest::addColumn<QString>("logged");     // SQLite's own text, in the log only
    const QString broken = QString::fromUtf8("ist beschädigt oder unvollständig.");
    QTest::newRow("missing") << QByteArray() << "wurde nicht gefunden" << "";
    QTest::newRow("empty file") << QByteArray("") << broken << "no such table";
    QTest::newRow("not a database") << QByteArray("kein SQLite\n").repeated(400) << broken << "file is not a database";
}

void TestFrmNameCheck::unusableDatabaseIsToldOncePerOpening()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, said);
    QFETCH(QString, logged);
    test::TestEnv env;
    const QString path = env.path("KontorwerkPub.db");
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    refdb::Database database(path);
    NameWordDatabase words(database);
    {
        frmNameCheck dialog(words, env.messages, env.programFolder());
        typeInto(dialog, QStringLiteral("Hans Meier"));
        dialog.controls().chkBusinessCheck->click();
        QCOMPARE(env.box.shown.size(), 1);
        const QString prompt = env.box.shown.first().prompt;
        QVERIFY2(prompt.contains(QStringLiteral("Nr.: 2502 /")) && prompt.contains(said), qPrintable(prompt));
        QVERIFY2(prompt.contains(path), qPrintable(prompt));
        if (!logged.isEmpty()) {
            QVERIFY2(!prompt.contains(logged), qPrintable(prompt));
            QVERIFY2(env.errorLog().contains(logged), qPrintable(env.errorLog()));
        }
        QCOMPARE(dialog.controls().lblLastName->text(), QString());

        // Once the file is usable the same opening shows the parts again.
        QFile::remove(path);
        QVERIFY(QFile::copy(kShipped, path));
        typeInto(dialog, QStringLiteral("n"));
        QCOMPARE(dialog.controls().lblLastName->text(), QStringLiteral("Meiern"));
        QCOMPARE(env.box.shown.size(), 1);
    }
    // The next opening tells it again.
    QFile::remove(path);
    frmNameCheck again(words, env.messages, env.programFolder());
    typeInto(again, QStringLiteral("Anna"));
    QCOMPARE(env.box.shown.size(), 2);
    QVERIFY(env.box.shown.last().prompt.contains(QStringLiteral("Nr.: 2502 /")));
}

// The demo profile's name with the longest title.
QString longestDemoTitleName(NameWordSource &words, Messages &messages)
{
    QFile json(QStringLiteral(KW_DATA_DIR "/profiles/sample.json"));
    if (!json.open(QIODevice::ReadOnly))
        return {};
    QStringList names;
    collectFullNames(QJsonDocument::fromJson(json.readAll()).object(), names);
    QString longestName, longestTitle;
    for (const QString &name : std::as_const(names)) {
        const std::optional<ParsedName> parsed = ParseFullName(name, false, words, messages);
        if (parsed && parsed->Title.size() > longestTitle.size()) {
            longestName = name;
            longestTitle = parsed->Title;
        }
    }
    return longestName;
}

void TestFrmNameCheck::longPartsAreShownInFull_data()
{
    QTest::addColumn<QString>("fullName"); // empty: the demo profile's longest title
    QTest::addColumn<QString>("title");
    QTest::newRow("longest title of the demo profile") << "" << "Frau   Dipl.-Ing.";
    QTest::newRow("every part long at once")
        << QString::fromUtf8("Frau Prof. Dr. med. Dipl.-Ing. Anna-Katharina Maria-Theresia "
                             "Müller-Lüdenscheidt-Hohenberg M.Sc. MBA")
        << "Frau Prof. Dr. med. Dipl.-Ing.";
}

// Typed into the dialog as shown on an 800 x 600 screen: each box shows its
// part whole, and the dialog fits the screen.
void TestFrmNameCheck::longPartsAreShownInFull()
{
    QFETCH(QString, fullName);
    QFETCH(QString, title);
    test::TestEnv env;
    refdb::Database database(kShipped);
    NameWordDatabase words(database);
    if (fullName.isEmpty())
        fullName = longestDemoTitleName(words, env.messages);
    frmNameCheck dialog(words, env.messages, env.programFolder());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    typeInto(dialog, fullName);
    QCoreApplication::processEvents();
    const frmNameCheckUi &ui = dialog.controls();
    QCOMPARE(ui.lblTitle->text(), title);
    for (const QLabel *label : {ui.lblTitle, ui.lblFirstname, ui.lblMiddleName, ui.lblLastName, ui.lblSuffix}) {
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(label->contentsRect().width() >= needed,
                 qPrintable(QStringLiteral("%1: %2 px for \"%3\"")
                                .arg(label->objectName()).arg(label->contentsRect().width()).arg(label->text())));
    }
    QVERIFY2(dialog.frameGeometry().width() <= 800 && dialog.frameGeometry().height() <= 600,
             qPrintable(QStringLiteral("%1 x %2").arg(dialog.frameGeometry().width()).arg(dialog.frameGeometry().height())));
    QVERIFY(env.box.shown.isEmpty());
}

QTEST_MAIN(TestFrmNameCheck)
#include "tst_frmnamecheck.moc"
