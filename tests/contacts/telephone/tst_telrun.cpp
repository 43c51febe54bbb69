// The telephone run and the undo, end to end on a fixture profile.
#include "contacts/ContactRunWorld.h"
#include "support/Prompts.h"

#include "contacts/telephone/TelRun.h"
#include "contacts/undo/frmUndo.h"
#include "platform/mailstore/Fixture.h"
#include "platform/refdb/Connection.h"

#include <QCheckBox>
#include <QFile>
#include <QtTest>

using namespace kw;
using namespace kw::contacts::telephone;
using namespace kw::contacts::undo;

using SettingList = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(SettingList)

namespace {

const QString kFertig = QStringLiteral("Fertig!");

// Sixteen plain fields: messy numbers of several kinds, one the formatter
// does not know and one already in the layout, in the run's order.
const QList<QPair<QString, QString>> kPlain = {
    {"BusinessTelephoneNumber", "(0711) 123 456-78"}, {"HomeTelephoneNumber", "089/1234567"},
    {"MobileTelephoneNumber", "0171 - 555 55 55"},    {"AssistantTelephoneNumber", "+41 44 123 45 67"},
    {"Business2TelephoneNumber", "00423 765 4321"},   {"CallbackTelephoneNumber", "765432"},
    {"CarTelephoneNumber", "+49 (30) 12345"},         {"CompanyMainTelephoneNumber", "0221 98765"},
    {"Home2TelephoneNumber", "0043 316 4711"},        {"ISDNNumber", "Tel. 0711/99-0"},
    {"OtherTelephoneNumber", "0033 1 23 45 67 89"},   {"PagerNumber", "0041 1 765 43 21"},
    {"PrimaryTelephoneNumber", "+39 06 1234"},        {"RadioTelephoneNumber", "001 212 5550100"},
    {"TelexNumber", "030-1234-56"},                   {"TTYTDDTelephoneNumber", "0 30 / 9 87"}};
const QStringList kPlainExpected = {
    "+49 (711) 123456-78", "+49 (89) 1234567",  "+49 (171) 5555555", "+41 (44) 1234567",
    "+423 7654321",        "765432",            "+49 (30) 12345",    "+49 (221) 98765",
    "+43 (316) 4711",      "+49 (711) 99-0",    "+33 (1) 23456789",  "+41 (44) 7654321",
    "+39 (06) 1234",       "+1 (212) 5550100",  "+49 (30) 1234-56",  "+49 (30) 987"};
const QStringList kFax = {"BusinessFaxNumber", "HomeFaxNumber", "OtherFaxNumber"};

QByteArray profileDump(test::ContactWorld &w)
{
    return mailstore::fixture::canonicalJson(mailstore::fixture::dumpProfile(w.env.profileFile()));
}

// A contact with a number in each of the nineteen fields.
QString addNineteenNumbers(test::ContactWorld &w)
{
    QVariantMap fields;
    for (const QString &fax : kFax)
        fields[fax] = "0711 123456-9";
    for (const auto &[name, number] : kPlain)
        fields[name] = number;
    return w.add(fields);
}

} // namespace

class TestTelRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nineteenFieldsRunOnceAndUndoByteForByte_data();
    void nineteenFieldsRunOnceAndUndoByteForByte();
    void undoKindsAreIndependent_data();
    void undoKindsAreIndependent();
    void countryFilterTakesAnApostrophe();
    void failedSaveEndsTheRunAndKeepsEarlierContacts();
    void unusableDatabaseEndsTheRunBeforeAnyContact_data();
    void unusableDatabaseEndsTheRunBeforeAnyContact();
    void formatterFailureLeavesTheFieldAsItWas();
    void storedSettingsThatSpoilNumbersStopTheRun_data();
    void storedSettingsThatSpoilNumbersStopTheRun();
    void missingTableIsReportedOnceNotPerNumber_data();
    void missingTableIsReportedOnceNotPerNumber();
};

void TestTelRun::nineteenFieldsRunOnceAndUndoByteForByte_data()
{
    QTest::addColumn<QString>("hideFax");
    QTest::addColumn<QStringList>("faxIn");
    QTest::addColumn<QStringList>("faxOut");
    // Recognised number, number the formatter does not know, prefix and formatted number.
    QTest::newRow("HideFax on: prefix added, kept, formatted number with prefix left alone")
        << "1" << QStringList{"0711 123456", "765432", "Fax: +49 (711) 123456"}
        << QStringList{"Fax: +49 (711) 123456", "Fax: 765432", "Fax: +49 (711) 123456"};
    QTest::newRow("HideFax off: prefix dropped from known and unknown numbers")
        << "0" << QStringList{"Fax: 0711 123456", "Fax: 765432", "+49 (711) 123456"}
        << QStringList{"+49 (711) 123456", "765432", "+49 (711) 123456"};
}

void TestTelRun::nineteenFieldsRunOnceAndUndoByteForByte()
{
    QFETCH(QString, hideFax);
    QFETCH(QStringList, faxIn);
    QFETCH(QStringList, faxOut);
    test::ContactWorld w;
    w.set("HideFax", hideFax);
    QVariantMap fields;
    QMap<QString, QString> expected;
    for (int i = 0; i < kFax.size(); ++i) {
        fields[kFax[i]] = faxIn[i];
        expected[kFax[i]] = faxOut[i];
    }
    for (int i = 0; i < kPlain.size(); ++i) {
        fields[kPlain[i].first] = kPlain[i].second;
        expected[kPlain[i].first] = kPlainExpected[i];
    }
    w.add({{"Subject", "Verteiler"}}, mailstore::itemclass::DistList);
    const QString done = w.add({{"BusinessTelephoneNumber", "+49 (711) 123456"}, {"HomeFaxNumber", "765432"}});
    const QString id = w.add(fields);
    auto ctx = w.context();

    QCOMPARE(TelNrStandard::StandardizeContactTelNumbers(ctx), hideFax == "1" ? 2 : 1);
    QCOMPARE(w.backupCount(done), hideFax == "1" ? 1 : 0);
    QCOMPARE(w.view.maxima, QList<int>{3});
    QCOMPARE(w.view.statuses.first(), QStringLiteral("Bearbeite Kontakt 2 von 3 (Kontakte)"));
    QCOMPARE(w.view.statuses.last(), QStringLiteral("Bereit"));
    QCOMPARE(w.calls, (QStringList{"BeginEndOperation(yes)", "BeginEndOperation(no)"}));
    QCOMPARE(w.env.box.shown.size(), 1);
    QCOMPARE(lastPrompt(w.env), QString::fromUtf8("%1 Kontakt(e) geändert.").arg(hideFax == "1" ? 2 : 1));
    QCOMPARE(w.env.box.shown.last().title, kFertig);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QString before = fields[it.key()].toString();
        QCOMPARE(w.field(id, it.key()), it.value());
        // A backup exactly where the field changed, holding the old text.
        QCOMPARE(w.backup(id, it.key()), before == it.value() ? QString() : before);
    }

    // Nothing is left to change: any save would fail and end the run.
    mailstore::faults::failSave(QString(), 1);
    QCOMPARE(TelNrStandard::StandardizeContactTelNumbers(ctx), 0);
    QCOMPARE(lastPrompt(w.env), QString::fromUtf8("0 Kontakt(e) geändert."));
    mailstore::faults::reset();

    QVERIFY(UndoFunctions::UndoContactFields(ctx, QStringLiteral("Telephone")) > 0);
    QCOMPARE(w.view.maxima.last(), 3); // the working set's item total
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        QCOMPARE(w.field(id, it.key()), it.value().toString());
    QCOMPARE(w.backupCount(id), 0);
    QCOMPARE(UndoFunctions::UndoContactFields(ctx, QStringLiteral("Telephone")), 0);
    QCOMPARE(lastPrompt(w.env), QStringLiteral("Telefonnummern bei 0 Kontakten wiederhergestellt."));
}

void TestTelRun::undoKindsAreIndependent_data()
{
    QTest::addColumn<bool>("names");
    QTest::addColumn<bool>("numbers");
    QTest::newRow("names only") << true << false;
    QTest::newRow("numbers only") << false << true;
    QTest::newRow("both, names first") << true << true;
}

// The name run changed the names of a contact whose full name holds a
// salutation that no name part holds; the telephone run changed a number.
void TestTelRun::undoKindsAreIndependent()
{
    QFETCH(bool, names);
    QFETCH(bool, numbers);
    test::ContactWorld w;
    const QMap<QString, QString> nameBackups = {
        {"Fullname", "Herr Josef Zimmermann sen."}, {"FirstName", "Josef"}, {"MiddleName", ""},
        {"LastName", "Zimmermann"}, {"Suffix", "sen."}, {"Title", ""}, {"FileAs", "Zimmermann, Josef"},
        {"Subject", "Josef Zimmermann sen."}, {"CompanyName", ""}};
    QVariantMap fields = {{"Fullname", "Josef Zimmermann"}, {"FirstName", "Josef"}, {"LastName", "Zimmermann"},
                          {"FileAs", "Zimmermann, Josef"}, {"Subject", "Josef Zimmermann"},
                          {"CompanyName", "Zimmermann GmbH"}, {"BusinessTelephoneNumber", "+49 (711) 1"},
                          {"user:KW Backup BusinessTelephoneNumber", "0711/1"}};
    for (auto it = nameBackups.cbegin(); it != nameBackups.cend(); ++it)
        fields["user:KW Backup " + it.key()] = it.value();
    const QString id = w.add(fields);

    frmUndo dialog([&w](const QString &kind) {
        auto ctx = w.context();
        UndoFunctions::UndoContactFields(ctx, kind);
    });
    dialog.controls().chkName->setChecked(names);
    dialog.controls().chkTel->setChecked(numbers);
    dialog.cmdUndo_Click();

    QStringList prompts;
    if (names)
        prompts << "Namen bei 1 Kontakten wiederhergestellt.";
    if (numbers)
        prompts << "Telefonnummern bei 1 Kontakten wiederhergestellt.";
    QCOMPARE(w.env.box.prompts(), prompts);
    for (auto it = nameBackups.cbegin(); it != nameBackups.cend(); ++it) {
        QCOMPARE(w.field(id, it.key()), names ? it.value() : fields.value(it.key()).toString());
        QCOMPARE(w.backup(id, it.key()).isNull(), names);
    }
    QCOMPARE(w.field(id, "BusinessTelephoneNumber"), QString(numbers ? "0711/1" : "+49 (711) 1"));
    QCOMPARE(w.backup(id, "BusinessTelephoneNumber").isNull(), numbers);
}

void TestTelRun::countryFilterTakesAnApostrophe()
{
    test::ContactWorld w;
    w.set("FilterTel", "1");
    w.set("CountryFilter", "1");
    w.set("CountryFilterText", QString::fromUtf8("Côte d'Ivoire"));
    const QString inside = w.add({{"OtherAddressCountry", QString::fromUtf8("Côte d'Ivoire")}, {"PagerNumber", "0711 5"}});
    const QString outside = w.add({{"BusinessAddressCountry", "Deutschland"}, {"PagerNumber", "0711 6"}});
    auto ctx = w.context();

    QCOMPARE(TelNrStandard::StandardizeContactTelNumbers(ctx), 1);
    QCOMPARE(w.field(inside, "PagerNumber"), QStringLiteral("+49 (711) 5"));
    QCOMPARE(w.field(outside, "PagerNumber"), QStringLiteral("0711 6"));
    QCOMPARE(w.view.maxima, QList<int>{1});
}

void TestTelRun::failedSaveEndsTheRunAndKeepsEarlierContacts()
{
    test::ContactWorld w;
    const QString first = w.add({{"HomeTelephoneNumber", "0711 1"}});
    const QString second = w.add({{"HomeTelephoneNumber", "0711 2"}});
    const QString third = w.add({{"HomeTelephoneNumber", "0711 3"}});
    mailstore::faults::failSave(second, 1);
    auto ctx = w.context();

    QCOMPARE(TelNrStandard::StandardizeContactTelNumbers(ctx), -1);
    QCOMPARE(w.env.box.shown.size(), 1);
    QVERIFY(lastPrompt(w.env).contains(QStringLiteral("Nr.: 802 /")));
    QCOMPARE(w.field(first, "HomeTelephoneNumber"), QStringLiteral("+49 (711) 1"));
    QCOMPARE(w.backup(first, "HomeTelephoneNumber"), QStringLiteral("0711 1"));
    for (const QString &id : {second, third}) {
        QVERIFY(w.field(id, "HomeTelephoneNumber").startsWith(QLatin1String("0711 ")));
        QCOMPARE(w.backupCount(id), 0);
    }
    QCOMPARE(w.view.statuses.last(), QStringLiteral("Bereit"));
    QCOMPARE(w.view.progress, 0);
    QCOMPARE(w.calls.last(), QStringLiteral("BeginEndOperation(no)"));
}

void TestTelRun::unusableDatabaseEndsTheRunBeforeAnyContact_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not a database") << QByteArray("kein SQLite, nur Text\n").repeated(200);
}

void TestTelRun::unusableDatabaseEndsTheRunBeforeAnyContact()
{
    QFETCH(QByteArray, content);
    test::ContactWorld w;
    const QString a = w.add({{"HomeTelephoneNumber", "0711 1"}, {"MobileTelephoneNumber", "0171 1"}});
    const QString b = w.add({{"HomeTelephoneNumber", "0711 2"}});
    QVERIFY(QFile::remove(w.databasePath()));
    if (!content.isEmpty()) {
        QFile file(w.databasePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    auto ctx = w.context();

    QCOMPARE(TelNrStandard::StandardizeContactTelNumbers(ctx), -1);
    QCOMPARE(w.env.box.shown.size(), 1);
    QVERIFY(lastPrompt(w.env).contains(QStringLiteral("Nr.: 802 /")));
    QCOMPARE(w.field(a, "MobileTelephoneNumber"), QStringLiteral("0171 1"));
    QCOMPARE(w.backupCount(a) + w.backupCount(b), 0);
}

// The area table is gone: the run finds it before any contact, reports it
// once (not once per number) and leaves every field, fax prefix included,
// as it was.
void TestTelRun::formatterFailureLeavesTheFieldAsItWas()
{
    test::ContactWorld w;
    {
        refdb::Connection db = refdb::Connection::Open(w.databasePath(), refdb::Connection::Mode::ReadWrite);
        db.Execute(QStringLiteral("DROP TABLE T_CountryAndAreaCodes"));
    }
    const QString id = w.add({{"BusinessFaxNumber", "Fax: 0711 123456"}});
    auto ctx = w.context();

    QCOMPARE(TelNrStandard::StandardizeContactTelNumbers(ctx), -1);
    QCOMPARE(w.field(id, "BusinessFaxNumber"), QStringLiteral("Fax: 0711 123456"));
    QCOMPARE(w.backupCount(id), 0);
    QCOMPARE(w.env.box.shown.size(), 1);
    QVERIFY(w.env.box.prompts().first().contains(QStringLiteral("Nr.: 802 /")));
}

void TestTelRun::storedSettingsThatSpoilNumbersStopTheRun_data()
{
    QTest::addColumn<SettingList>("settings"); // written into the settings file, not through a dialog
    QTest::addColumn<QString>("named");        // the setting the one message names
    QTest::newRow("'3' before the extension gives wrong digits")
        << SettingList{{"DurchwahlTrennOut", "3"}} << "DurchwahlTrennOut";
    QTest::newRow("'/' written, '-' recognised") << SettingList{{"DurchwahlTrennOut", "/"}} << "DurchwahlTrennOut";
    QTest::newRow("' (0)' without area code") << SettingList{{"VorwahlTrennOutSingle", " (0)"}}
                                                << "VorwahlTrennOutSingle";
    QTest::newRow("') 0' after the area code") << SettingList{{"VorwahlTrennOut2", ") 0"}} << "VorwahlTrennOut2";
    QTest::newRow("'(' recognised: +49 (0)89 no longer formatted") << SettingList{{"DurchwahlTrenn", "("}}
                                                                   << "DurchwahlTrenn";
    QTest::newRow("digit recognised") << SettingList{{"DurchwahlTrenn", "5"}} << "DurchwahlTrenn";
    QTest::newRow("'/' both ways is fine, ' (0)' is not")
        << SettingList{{"DurchwahlTrenn", "/"}, {"DurchwahlTrennOut", "/"}, {"VorwahlTrennOutSingle", " (0)"}}
        << "VorwahlTrennOutSingle";
}

void TestTelRun::storedSettingsThatSpoilNumbersStopTheRun()
{
    QFETCH(SettingList, settings);
    QFETCH(QString, named);
    test::ContactWorld w;
    for (const auto &[name, value] : settings)
        w.set(name, value);
    addNineteenNumbers(w);
    w.add({{"HomeTelephoneNumber", "0711 2"}});
    const QByteArray before = profileDump(w);
    auto ctx = w.context();

    QCOMPARE(TelNrStandard::StandardizeContactTelNumbers(ctx), -1);
    QCOMPARE(w.env.box.shown.size(), 1);
    QVERIFY2(lastPrompt(w.env).contains(u'(' + named + u')') || lastPrompt(w.env).contains(u' ' + named + u' '),
             qPrintable(lastPrompt(w.env)));
    QCOMPARE(w.env.box.shown[0].buttons, 48);
    QCOMPARE(profileDump(w), before);
    QCOMPARE(w.calls, (QStringList{"BeginEndOperation(yes)", "BeginEndOperation(no)"}));
    QCOMPARE(w.view.statuses.last(), QStringLiteral("Bereit"));
}

void TestTelRun::missingTableIsReportedOnceNotPerNumber_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("area codes") << "T_CountryAndAreaCodes";
    QTest::newRow("country codes") << "T_CountryCodes";
}

void TestTelRun::missingTableIsReportedOnceNotPerNumber()
{
    QFETCH(QString, table);
    test::ContactWorld w;
    {
        refdb::Connection db = refdb::Connection::Open(w.databasePath(), refdb::Connection::Mode::ReadWrite);
        db.Execute(QStringLiteral("DROP TABLE ") + table);
    }
    addNineteenNumbers(w);
    const QByteArray before = profileDump(w);
    auto ctx = w.context();

    QCOMPARE(TelNrStandard::StandardizeContactTelNumbers(ctx), -1);
    QCOMPARE(w.env.box.shown.size(), 1);
    QVERIFY(lastPrompt(w.env).contains(QStringLiteral("Nr.: 802 /")));
    QCOMPARE(profileDump(w), before);
}

QTEST_MAIN(TestTelRun)
#include "tst_telrun.moc"
