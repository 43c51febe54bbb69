#include "itemtools/frmHoliday.h"
#include "platform/core/PlatformError.h"
#include "platform/mailstore/Application.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/refdb/Builder.h"
#include "platform/refdb/Database.h"
#include "shell/FolderStructureFunctions.h"
#include "shell/SharedFolder.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kw;
using namespace kw::itemtools;

namespace {

enum class Load { TickedCalendar, NothingSelected, SharedContacts };

// A profile with the calendars "Kalender" and "Ferien" and a contacts folder;
// the frozen tables of refdb/ as the program folder's reference database.
struct World
{
    test::TestEnv env;
    FolderStructure structure{env.settings, env.messages, env.mailProfile};
    SharedFolder shared;
    FolderFunctions folders{structure, shared, env.messages, env.mailProfile};
    mailstore::NameSpacePtr ns;
    refdb::Database database{refdb()};

    World()
    {
        const QString dir = QStringLiteral(KW_SOURCE_DIR "/tests/itemtools/refdb/");
        refdb::buildDatabase(QStringLiteral(KW_SOURCE_DIR "/data/refdb/schema.sql"),
                             {dir + "T_Holidays.csv", dir + "T_HolidaysDes.csv"}, refdb());
        const mailstore::ProfileDbPtr db = mailstore::ProfileDb::open(env.profileFile(), false);
        const mailstore::FolderRecord store = db->addStore(QStringLiteral("Testspeicher"), true);
        for (const char *name : {"Kalender", "Ferien"})
            db->addFolder(store, name, QStringLiteral("IPF.Appointment"), QStringLiteral("IPM.Appointment"));
        db->addFolder(store, QStringLiteral("Kontakte"), QStringLiteral("IPF.Contact"), QStringLiteral("IPM.Contact"));
        ns = env.mailProfile.mapiNamespace();
    }
    QString refdb() const { return env.programFolder() + QStringLiteral("/KontorwerkPub.db"); }
    holidays::HolidayServices services() { return {env.messages, database, ns}; }
    mailstore::FolderPtr folder(const QString &name) { return ns->Folders()->Item(1)->Folders()->Item(name); }
    WorkingSet ticked(const QStringList &names)
    {
        WorkingSet set{{nullptr}, int(names.size()), 1, 0, true};
        for (const QString &name : names)
            set.Folders.append(folder(name));
        return set;
    }
    // "Subject|Start|End" of each item; every item must carry the fixed fields.
    QStringList appointments(const QString &name)
    {
        QStringList out;
        for (const mailstore::ItemPtr item : folder(name)->Items()) {
            out << item->Subject() + u'|' + item->text(u"Start") + u'|' + item->text(u"End");
            const QStringList fixed{item->text(u"AllDayEvent"), item->text(u"BusyStatus"), item->text(u"Categories"),
                                    item->text(u"ReminderSet"), item->Body()};
            if (fixed.join(u'|') != QString::fromUtf8("Wahr|0|Schulferien|Falsch|Schulferien eingefügt von "
                                                     "Kontorwerk. Alle Angaben ohne Gewähr."))
                out << fixed.join(u'|');
        }
        return out;
    }
    // "buttons title prompt" of each message shown.
    QStringList shown() const
    {
        QStringList out;
        for (const ui::MessageRequest &r : env.box.shown)
            out << QStringLiteral("%1 %2 %3").arg(r.buttons).arg(r.title, r.prompt);
        return out;
    }
    std::unique_ptr<frmHoliday> open(Load load)
    {
        if (load == Load::SharedContacts)
            shared.open(folder(QStringLiteral("Kontakte")));
        return std::make_unique<frmHoliday>(services(), [this, load] {
            return load == Load::TickedCalendar ? ticked({QStringLiteral("Kalender")})
                                                : folders.GetActivatedFolders(gatemode::OnlyAppointment, true);
        });
    }
};

QString question(const QString &folder)
{
    return QString::fromUtf8("36 Frage? Es befinden sich bereits Schulferien im Kalender-Ordner %1.\r\n"
                             "Möchten Sie die Schulferien ein weiteres Mal hinzufügen?").arg(folder);
}
QString error(int place)
{
    return QString::fromUtf8("16 Fehler! Bei der Programmausführung ist folgender Fehler aufgetreten:\r\n"
                             "Nr.: %1 / ").arg(place);
}
QString done(int count)
{
    return QStringLiteral("64 Info! %1 Schulferien-Termin").arg(count);
}

void comparePrefixes(const QStringList &actual, const QStringList &prefixes)
{
    QCOMPARE(actual.size(), prefixes.size());
    for (int i = 0; i < actual.size(); ++i)
        QVERIFY2(actual.at(i).startsWith(prefixes.at(i)), qPrintable(actual.at(i)));
}

QStringList listOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

class TestHolidays : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void insert_data();
    void insert();
    void formLoad_data();
    void formLoad();
    void formControls();
    void brokenPeriodIsNamedInTheLog_data();
    void brokenPeriodIsNamedInTheLog();
    void statesInGermanOrder();
    void unusableDatabaseIsNamedInGerman_data();
    void unusableDatabaseIsNamedInGerman();
    void shippedTables_data();
    void shippedTables();
    void shippedPeriods_data();
    void shippedPeriods();
};

// Inserts into both calendars; `before` got the set once already.
void TestHolidays::insert_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("dropDatabase");
    QTest::addColumn<QStringList>("prompts"); // the start of each message
    QTest::addColumn<QStringList>("kalender");
    QTest::addColumn<int>("ferien"); // items
    const QStringList bw{"Weihnachtsferien 2026/27 (BW)|23.12.2026|10.01.2027",
                         "Osterferien 2027 (BW)|25.03.2027|04.04.2027"};
    const QStringList by{"Winterferien 2027 (BY)|08.02.2027|13.02.2027", "Osterferien 2027 (BY)|22.03.2027|03.04.2027"};
    const QStringList ag{"Sportferien 'Fasnacht' 2027 (AG)|30.01.2027|15.02.2027"};
    const QStringList fresh, nothing, k{"Kalender"}, kf{"Kalender", "Ferien"};
    const QString askK = question("Kalender"), askF = question("Ferien"), err = error(1301);
    const QString choose = QString::fromUtf8("64 Info! Bitte wählen Sie zuerst ein Bundesland.");
    const QList<int> none, no{7}, yes{6};
    auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };
    using L = QStringList;
    row("first insert: NULL From skipped, all-day to the day after To")
        << "BW" << "DE" << fresh << none << false << L{done(4)} << bw << 2;
    row("No leaves the calendar unchanged") << "BW" << "DE" << k << no << false << L{askK, done(2)} << bw << 2;
    row("Yes inserts again") << "BW" << "DE" << k << yes << false << L{askK, done(4)} << bw + bw << 2;
    row("second calendar declined")
        << "BW" << "DE" << kf << QList<int>{6, 7} << false << L{askK, askF, done(2)} << bw + bw << 2;
    row("both declined: no closing message")
        << "BW" << "DE" << kf << QList<int>{7, 7} << false << L{askK, askF} << bw << 2;
    row("row without period 2 asks too; Friday ends Saturday") << "BY" << "DE" << k << no << false << L{askK, done(2)} << by << 2;
    row("apostrophe in the subject and its search")
        << "AG" << "CH" << k << no << false << L{askK, done(1) + " hinzu"} << ag << 1;
    row("database missing") << "BW" << "DE" << fresh << none << true << L{err} << nothing << 0;
    row("no state chosen") << "" << "DE" << fresh << none << false << L{choose} << nothing << 0;
    row("apostrophe in the state") << "BW' OR ''='" << "DE" << fresh << none << false << L{choose} << nothing << 0;
    row("From without To: nothing inserted") << "T1" << "ZZ" << fresh << none << false << L{err} << nothing << 0;
    row("To before From in a later period: refused before the first insert")
        << "T2" << "ZZ" << fresh << none << false << L{err} << nothing << 0;
}

void TestHolidays::insert()
{
    QFETCH(QString, state);
    QFETCH(QString, country);
    QFETCH(QStringList, before);
    QFETCH(QList<int>, answers);
    QFETCH(bool, dropDatabase);
    QFETCH(QStringList, prompts);
    QFETCH(QStringList, kalender);
    QFETCH(int, ferien);
    World w;
    holidays::HolidayServices services = w.services();
    if (!before.isEmpty())
        holidays::InsertHolidays(services, w.ticked(before), state, country);
    w.env.box.shown.clear();
    for (int answer : answers)
        w.env.box.answerWith(answer);
    if (dropDatabase)
        QVERIFY(QFile::remove(w.refdb()));
    holidays::InsertHolidays(services, w.ticked({"Kalender", "Ferien"}), state, country);
    comparePrefixes(w.shown(), prompts);
    QCOMPARE(w.appointments("Kalender"), kalender);
    QCOMPARE(w.appointments("Ferien").size(), ferien);
}

void TestHolidays::formLoad_data()
{
    QTest::addColumn<Load>("load");
    QTest::addColumn<bool>("dropDatabase");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("states");
    QTest::addColumn<QStringList>("prompts");
    const QStringList de{"BW", "BY", "SN"};
    QTest::newRow("ticked calendar") << Load::TickedCalendar << false << true << de << QStringList();
    QTest::newRow("nothing selected: list still filled")
        << Load::NothingSelected << false << false << de << QStringList();
    QTest::newRow("shared contacts folder refused")
        << Load::SharedContacts << false << false << de
        << QStringList{QString::fromUtf8("48 Hinweis! Bitte wählen Sie für diese Funktion ausschließlich "
                                         "Kalender-Ordner aus.")};
    QTest::newRow("database missing")
        << Load::TickedCalendar << true << true << QStringList() << QStringList{error(1302)};
}

void TestHolidays::formLoad()
{
    QFETCH(Load, load);
    QFETCH(bool, dropDatabase);
    QFETCH(bool, enabled);
    QFETCH(QStringList, states);
    QFETCH(QStringList, prompts);
    World w;
    if (dropDatabase)
        QVERIFY(QFile::remove(w.refdb()));
    const auto dialog = w.open(load);
    QCOMPARE(dialog->controls().cmdEinfuegen->isEnabled(), enabled);
    QCOMPARE(listOf(dialog->controls().txtState), states);
    QCOMPARE(dialog->controls().txtState->currentText(), QString());
    comparePrefixes(w.shown(), prompts);
}

// Object names, help, and what the country box and the button start.
void TestHolidays::formControls()
{
    World w;
    const auto dialog = w.open(Load::TickedCalendar);
    frmHolidayUi &ui = dialog->controls();
    const QList<QObject *> controls{dialog.get(), ui.sevFrame2, ui.txtCountry, ui.sevFrame1,
                                    ui.txtState,  ui.cmdEinfuegen, ui.sevLabel1};
    QStringList names;
    for (QObject *control : controls)
        names << control->objectName();
    QCOMPARE(names.join(' '),
             QString::fromUtf8("frmHoliday sevFrame2 txtCountry sevFrame1 txtState cmdEinfügen sevLabel1"));
    QCOMPARE(listOf(ui.txtCountry), QStringList({"DE", "CH"}));

    QVERIFY(QFile::exists(QStringLiteral(KW_SOURCE_DIR "/data/help/%1.html").arg(dialog->objectName())));

    ui.txtCountry->setCurrentIndex(1);
    QCOMPARE(listOf(ui.txtState), QStringList({"AG", "BE", "ZH"}));
    ui.txtCountry->setEditText(QStringLiteral("DE' OR ''='"));
    QCOMPARE(listOf(ui.txtState), QStringList());
    ui.txtCountry->setEditText(QStringLiteral("de"));
    QCOMPARE(listOf(ui.txtState), QStringList({"BW", "BY", "SN"}));
    ui.txtState->setCurrentIndex(0);
    QTest::mouseClick(ui.cmdEinfuegen, Qt::LeftButton);
    QCOMPARE(w.appointments("Kalender").size(), 2);
    comparePrefixes(w.shown(), {done(2)});
}

// A broken period is reported like a missing end: 1301, its columns in the log.
void TestHolidays::brokenPeriodIsNamedInTheLog_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("logged");
    QTest::newRow("no end") << "T1" << QString::fromUtf8("Err. No.: 13, Err. Des.: To2 ist kein Datum: \"\"");
    QTest::newRow("end before start")
        << "T2" << QString::fromUtf8("Err. No.: 13, Err. Des.: To3 liegt vor From3: \"2027-02-02\"");
}

void TestHolidays::brokenPeriodIsNamedInTheLog()
{
    QFETCH(QString, state);
    QFETCH(QString, logged);
    World w;
    holidays::HolidayServices services = w.services();
    QCOMPARE(holidays::InsertHolidays(services, w.ticked({"Kalender"}), state, "ZZ"), 0);
    QVERIFY2(w.env.errorLog().contains(logged), qPrintable(w.env.errorLog()));
    QCOMPARE(w.env.box.shown.size(), 1);
    QVERIFY(w.env.box.shown.first().prompt.contains(QStringLiteral("Nr.: 1301 / 13, ")));
}

// Typed into the country box as a person would; umlauts sort with their base
// letters, not after "Z" as their code points would.
void TestHolidays::statesInGermanOrder()
{
    World w;
    const auto dialog = w.open(Load::TickedCalendar);
    frmHolidayUi &ui = dialog->controls();
    ui.txtCountry->lineEdit()->selectAll();
    QTest::keyClicks(ui.txtCountry->lineEdit(), QStringLiteral("XX"));
    QCOMPARE(listOf(ui.txtState), QString::fromUtf8("Baden-Württemberg Oberösterreich Österreich Thüringen "
                                                    "Überlingen Zürich").split(u' '));
    QVERIFY(w.env.box.shown.isEmpty());
}

// The box names the file in German; SQLite's own text is in the log only.
void TestHolidays::unusableDatabaseIsNamedInGerman_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("insert"); // else the state list of the opening dialog
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("empty file, insert") << QByteArray("") << true << "no such table";
    QTest::newRow("empty file, state list") << QByteArray("") << false << "no such table";
    QTest::newRow("not a database, insert") << QByteArray(8192, 'x') << true << "file is not a database";
    QTest::newRow("not a database, state list") << QByteArray(8192, 'x') << false << "file is not a database";
}

void TestHolidays::unusableDatabaseIsNamedInGerman()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, insert);
    QFETCH(QString, sqlite);
    World w;
    QFile file(w.refdb());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    if (insert) {
        holidays::HolidayServices services = w.services();
        holidays::InsertHolidays(services, w.ticked({"Kalender"}), "BW", "DE");
    } else {
        w.open(Load::TickedCalendar);
    }
    const QString said = QString::fromUtf8("Nr.: %1 / %2, Die Referenzdatenbank \"%3\" ist beschädigt oder "
                                           "unvollständig.\r\n")
                             .arg(insert ? 1301 : 1302)
                             .arg(errors::kDatabase)
                             .arg(w.refdb());
    QCOMPARE(w.env.box.shown.size(), 1);
    const QString prompt = w.env.box.shown.first().prompt;
    QVERIFY2(prompt.contains(said) && !prompt.contains(sqlite), qPrintable(prompt));
    QVERIFY2(w.env.errorLog().contains(sqlite), qPrintable(w.env.errorLog()));
    QCOMPARE(w.appointments("Kalender"), QStringList());
}

// The tables the build ships, read as the dialog reads them.
void TestHolidays::shippedTables_data()
{
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("states");
    QTest::newRow("the 16 German Länder") << "DE" << "BB BE BW BY HB HE HH MV NI NW RP SH SL SN ST TH";
    QTest::newRow("the cantons of the legend and FL")
        << "CH" << "AG AI AR BE BL BS FL FR GE GL GR JU LU NE NW OW SG SH SO SZ TG TI UR VD VS ZG ZH";
}

void TestHolidays::shippedTables()
{
    QFETCH(QString, country);
    QFETCH(QString, states);
    refdb::Database db(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db"));
    QCOMPARE(holidays::statesOf(db, country).join(' '), states);
    for (const QString &state : states.split(' ')) {
        const auto periods = holidays::readPeriods(db, state, country); // throws for a period without To or name
        QVERIFY2(periods && !periods->isEmpty(), qPrintable(state));
        for (const holidays::Period &p : *periods) {
            const QString where = QStringLiteral("%1 period %2").arg(state).arg(p.index);
            QVERIFY2(p.from <= p.to, qPrintable(where));
            // The Friday after Ascension alone is a school-free day, not a holiday period.
            const bool fridayAfterAscension = p.from == QDate(2027, 5, 7) || p.from == QDate(2028, 5, 26);
            QVERIFY2(!(fridayAfterAscension && p.from == p.to), qPrintable(where));
        }
    }
}

// Single cells of the shipped tables: "first|last" day, or "" for none.
void TestHolidays::shippedPeriods_data()
{
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("period");
    QTest::newRow("SH Pfingstferien 2027: the day after Ascension is no period") << "DE" << "SH" << 5 << "";
    QTest::newRow("SH Pfingstferien 2028: the day after Ascension is no period") << "DE" << "SH" << 11 << "";
    QTest::newRow("TH Pfingstferien 2027: the day after Ascension is no period") << "DE" << "TH" << 5 << "";
    QTest::newRow("TH Pfingstferien 2028: the day after Ascension is no period") << "DE" << "TH" << 11 << "";
    QTest::newRow("SN Pfingstferien 2028: the day after Ascension is no period") << "DE" << "SN" << 11 << "";
    QTest::newRow("SN Pfingstferien 2027 are a real period") << "DE" << "SN" << 5 << "2027-05-15|2027-05-18";
    QTest::newRow("HB Pfingstferien 2027: one day, but not after Ascension")
        << "DE" << "HB" << 5 << "2027-05-18|2027-05-18";
    QTest::newRow("ZG Weihnachtsferien 2027/28: no source gives them") << "CH" << "ZG" << 7 << "";
    QTest::newRow("ZG Sportferien 2028 from OpenHolidays") << "CH" << "ZG" << 8 << "2028-02-05|2028-02-20";
    QTest::newRow("BS Sportferien 2028: not copied from BL") << "CH" << "BS" << 8 << "";
    QTest::newRow("BL Sportferien 2028") << "CH" << "BL" << 8 << "2028-02-26|2028-03-12";
}

void TestHolidays::shippedPeriods()
{
    QFETCH(QString, country);
    QFETCH(QString, state);
    QFETCH(int, index);
    QFETCH(QString, period);
    refdb::Database shipped(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db"));
    const auto periods = holidays::readPeriods(shipped, state, country);
    QVERIFY(periods);
    QString found;
    for (const holidays::Period &p : *periods) {
        if (p.index == index)
            found = p.from.toString(Qt::ISODate) + u'|' + p.to.toString(Qt::ISODate);
    }
    QCOMPARE(found, period);
}

QTEST_MAIN(TestHolidays)
#include "tst_holidays.moc"
