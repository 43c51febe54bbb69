#include "NameRunWorld.h"

#include "contacts/NameWordDatabase.h"
#include "platform/core/PlatformError.h"
#include "platform/refdb/Database.h"

#include <QtTest>

using namespace kw;
using test::NameRunWorld;

namespace {

// The fields in ContactNameFields order:
// Fullname, Title, FirstName, MiddleName, LastName, Suffix, FileAs, Subject, CompanyName.
QStringList nine(const char *full, const char *title, const char *first, const char *middle, const char *last,
                 const char *suffix, const char *fileAs, const char *subject, const char *company)
{
    QStringList out;
    for (const char *v : {full, title, first, middle, last, suffix, fileAs, subject, company})
        out << QString::fromUtf8(v);
    return out;
}

// Fails the acquire calls whose numbers (from 1) are listed.
class FailingAt : public NameWordSource
{
public:
    explicit FailingAt(QList<int> failing) : m_failing(std::move(failing)) {}
    std::shared_ptr<const NameWordTables> acquire() override
    {
        if (m_failing.contains(++m_calls))
            throw PlatformError(errors::kFileNotFound, QStringLiteral("Datei nicht gefunden"));
        return test::fixtureNameTables();
    }

private:
    QList<int> m_failing;
    int m_calls = 0;
};

} // namespace

class TestNameRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneContact_data();
    void oneContact();
    void runOverAFolderThenAgain();
    void secondRewriteOverwritesTheBackups();
    void parserFailureSkipsOnlyThatContact();
    void saveFailureEndsTheRun();
    void layoutSavedDuringTheRunCountsFromTheNextContact();
    void demoProfileWithTheShippedTables();
};

void TestNameRun::oneContact_data()
{
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");

    const QStringList correct = nine("Herr Hans Meier", "Herr", "Hans", "", "Meier", "", "Meier, Hans", "alt", "");
    QTest::newRow("salutation and doctor title, company in the file-as text, subject off")
        << QStringList()
        << nine("Herr Dr. Hans-Peter Meier", "", "Herr", "Dr. Hans-Peter", "Meier", "", "Herr Dr. Hans-Peter Meier",
                "alt", "Acme AG")
        << nine("Herr  Dr. Hans-Peter Meier", "Herr  Dr.", "Hans-Peter", "", "Meier", "",
                "Meier, Hans-Peter (Acme AG)", "alt", "Acme AG");
    QTest::newRow("comma form, salutation from the first name, subject on")
        << QStringList{"SubjectNameCorrect=1"} << nine("Meier, Hans", "", "Meier,", "", "Hans", "", "", "", "")
        << nine("Herr Hans Meier", "Herr", "Hans", "", "Meier", "", "Meier, Hans", "Hans Meier", "");
    QTest::newRow("company name moves into the empty company field")
        << QStringList() << nine("Müller GmbH", "", "Müller", "", "GmbH", "", "Müller GmbH", "x", "")
        << nine("", "", "", "", "", "", "Müller GmbH", "x", "Müller GmbH");
    QTest::newRow("company check off splits a company name as a person")
        << QStringList{"BusinessNameCheck=0"} << nine("Müller GmbH", "", "Müller", "", "GmbH", "", "", "x", "")
        << nine("Müller GmbH", "", "", "", "Müller GmbH", "", "Müller GmbH", "x", "");
    QTest::newRow("filled company field is never tested")
        << QStringList() << nine("Anna Weber Versicherung", "", "", "", "", "", "", "", "Weber AG")
        << nine("Frau Anna Weber Versicherung", "Frau", "Anna", "", "Weber Versicherung", "",
                "Weber Versicherung, Anna (Weber AG)", "", "Weber AG");
    QTest::newRow("already correct contact, subject off: nothing written")
        << QStringList() << correct << correct;
    QTest::newRow("already correct but for the subject, subject on: rewritten")
        << QStringList{"SubjectNameCorrect=1"} << correct
        << nine("Herr Hans Meier", "Herr", "Hans", "", "Meier", "", "Meier, Hans", "Hans Meier", "");
    QTest::newRow("layouts from the settings")
        << QStringList{"SubjectNameCorrect=1", "FileAsLayoutEx=Vorname Nachname", "SubjectLayout=Nachname (Firma)"}
        << nine("Lena Roth jun.", "", "", "", "", "", "", "", "Roth KG")
        << nine("Frau Lena Roth jun.", "Frau", "Lena", "", "Roth", "jun.", "Lena Roth", "Roth (Roth KG)", "Roth KG");
    QTest::newRow("layouts missing: the run's fallbacks")
        << QStringList{"SubjectNameCorrect=1", "FileAsLayoutEx", "SubjectLayout"}
        << nine("Hans Meier MdB", "", "", "", "", "", "", "", "")
        << nine("Herr Hans Meier MdB", "Herr", "Hans", "", "Meier", "MdB", "Meier, Hans", "Hans Meier", "");
    const QStringList companyOnly = nine("", "", "", "", "", "", "Firma X", "", "Firma X");
    QTest::newRow("empty full name is passed over") << QStringList() << companyOnly << companyOnly;
}

void TestNameRun::oneContact()
{
    QFETCH(QStringList, settings);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    NameRunWorld w;
    for (const QString &s : settings) {
        const qsizetype at = s.indexOf(u'=');
        if (at >= 0)
            w.env.settings.SaveSetting(s.left(at), s.mid(at + 1));
        else // a name alone: a value of another type, which reads as missing
            w.env.registry.setValues(registry::HKEY_CURRENT_USER, Settings::settingsKey(),
                                     {registry::Value{s, registry::REG_DWORD, QByteArray(4, '\0')}});
    }
    w.addContact(before);
    w.create();

    const bool changed = before != after;
    QCOMPARE(w.run(), changed ? 1 : 0);

    QCOMPARE(w.fields(1), after);
    // One level of backup, byte for byte what the fields held before.
    QCOMPARE(w.backups(1), changed ? before : QStringList(9, QString()));
    QCOMPARE(w.userPropertyCount(1), changed ? 9 : 0);
    QCOMPARE(w.prompts(), QStringList{QString::number(changed ? 1 : 0) + " Kontakt(e) geändert."});
}

void TestNameRun::runOverAFolderThenAgain()
{
    NameRunWorld w;
    w.addContact(nine("HANS MEIER", "", "HANS", "", "MEIER", "", "HANS MEIER", "", ""));
    w.addDistList();
    w.addContact(nine("  Anna   Roth ", "", "Anna", "", "Roth", "", "Anna Roth", "", "Roth KG"));
    w.addContact(nine("Hans & Maria Berg", "", "Hans", "& Maria", "Berg", "", "Hans & Maria Berg", "", ""));
    w.addContact(nine("Frau Prof. Dr. med. Maria Lena Kern MdB", "", "", "", "", "", "", "", ""));
    w.create();

    QCOMPARE(w.run(), 4);
    QCOMPARE(w.calls, (QStringList{"GetActivatedFolders(OnlyContacts)", "BeginEndOperation(yes)",
                                   "BeginEndOperation(no)"}));
    QCOMPARE(w.view.progressMaximum, 5);
    QCOMPARE(w.view.yields, 5);
    QCOMPARE(w.view.statuses.first(), "Bearbeite Kontakt 1 von 5 (Kontakte)");
    QCOMPARE(w.view.statuses.mid(4), (QStringList{"Bearbeite Kontakt 5 von 5 (Kontakte)", "Bereit"}));
    QCOMPARE(w.view.progress, 0);
    QCOMPARE(w.fields(1), nine("Herr HANS MEIER", "Herr", "HANS", "", "MEIER", "", "MEIER, HANS", "", ""));
    QCOMPARE(w.item(2)->text(u"DLName"), "Team");
    QCOMPARE(w.userPropertyCount(2), 0);
    QCOMPARE(w.fields(3), nine("Frau Anna Roth", "Frau", "Anna", "", "Roth", "", "Roth, Anna (Roth KG)", "", "Roth KG"));
    QCOMPARE(w.fields(4), nine("", "", "", "", "", "", "Hans & Maria Berg", "", "Hans & Maria Berg"));
    QCOMPARE(w.fields(5), nine("Frau Prof. Dr. med. Maria Lena Kern MdB", "Frau Prof. Dr. med.", "Maria", "Lena",
                               "Kern", "MdB", "Kern, Maria", "", ""));

    // What the run wrote is what it would write again.
    const QList<QStringList> backupsAfterFirst = {w.backups(1), w.backups(3), w.backups(4), w.backups(5)};
    w.env.box.shown.clear();
    QCOMPARE(w.run(), 0);
    QCOMPARE(w.prompts(), QStringList{"0 Kontakt(e) geändert."});
    QCOMPARE((QList<QStringList>{w.backups(1), w.backups(3), w.backups(4), w.backups(5)}), backupsAfterFirst);
}

void TestNameRun::secondRewriteOverwritesTheBackups()
{
    NameRunWorld w;
    w.addContact(nine("Meier, Hans", "", "Meier,", "", "Hans", "", "", "", ""));
    w.create();
    QCOMPARE(w.run(), 1);
    // The user types a new full name; the mail client splits it its own way.
    const mailstore::ItemPtr edited = w.item(1);
    edited->set(u"FullName", QStringLiteral("Dr. Anna Roth"));
    edited->Save();
    const QStringList beforeSecond = w.fields(1);

    QCOMPARE(w.run(), 1);
    QCOMPARE(w.backups(1), beforeSecond);
    QCOMPARE(w.userPropertyCount(1), 9);
    QCOMPARE(w.fields(1), nine("Frau  Dr. Anna Roth", "Frau  Dr.", "Anna", "", "Roth", "", "Roth, Anna", "", ""));
}

void TestNameRun::parserFailureSkipsOnlyThatContact()
{
    NameRunWorld w;
    FailingAt source({2, 3});
    w.words = &source;
    for (const char *name : {"Hans Meier", "Anna Roth", "Lena Berg", "Peter Kern"})
        w.addContact(nine(name, "", "", "", "", "", "", "", ""));
    w.create();

    QCOMPARE(w.run(), 2);
    QCOMPARE(w.fields(2), nine("Anna Roth", "", "", "", "", "", "", "", ""));
    QCOMPARE(w.fields(3), nine("Lena Berg", "", "", "", "", "", "", "", ""));
    QCOMPARE(w.userPropertyCount(2) + w.userPropertyCount(3), 0);
    QCOMPARE(w.fields(4), nine("Herr Peter Kern", "Herr", "Peter", "", "Kern", "", "Kern, Peter", "", ""));
    // The busy state stays on until the run ends.
    QCOMPARE(w.calls.mid(1), (QStringList{"BeginEndOperation(yes)", "BeginEndOperation(no)"}));
    // Shown once, logged for each contact with its full name.
    const QStringList prompts = w.prompts();
    QCOMPARE(prompts.size(), 2);
    QVERIFY(prompts[0].contains("Nr.: 2502") && prompts[0].contains("Anna Roth"));
    QCOMPARE(prompts[1], "2 Kontakt(e) geändert.");
    const QString log = w.env.errorLog();
    QVERIFY(log.contains("Datei nicht gefunden, Info: Anna Roth"));
    QVERIFY(log.contains("Datei nicht gefunden, Info: Lena Berg"));
}

void TestNameRun::saveFailureEndsTheRun()
{
    NameRunWorld w;
    w.addContact(nine("Hans Meier", "", "", "", "", "", "", "", ""));
    w.addContact(nine("Anna Roth", "", "", "", "", "", "", "", ""));
    w.create();
    mailstore::faults::failSave(QString(), 1);

    QCOMPARE(w.run(), -1);
    QCOMPARE(w.calls.mid(1), (QStringList{"BeginEndOperation(yes)", "BeginEndOperation(no)"}));
    QCOMPARE(w.prompts().size(), 1);
    QVERIFY(w.prompts()[0].contains("Nr.: 2501"));
    // Neither the fields nor the backups of the contact at hand were stored.
    QCOMPARE(w.fields(1), nine("Hans Meier", "", "", "", "", "", "", "", ""));
    QCOMPARE(w.userPropertyCount(1), 0);
    QCOMPARE(w.fields(2)[0], "Anna Roth");
}

void TestNameRun::layoutSavedDuringTheRunCountsFromTheNextContact()
{
    NameRunWorld w;
    w.addContact(nine("Hans Meier", "", "", "", "", "", "", "", ""));
    w.addContact(nine("Anna Roth", "", "", "", "", "", "", "", ""));
    w.create();
    w.view.onYield = [&w](int n) {
        if (n == 1)
            w.env.settings.SaveSetting("FileAsLayoutEx", "Vorname Nachname");
    };
    QCOMPARE(w.run(), 2);
    QCOMPARE(w.fields(1)[6], "Meier, Hans");
    QCOMPARE(w.fields(2)[6], "Anna Roth");
}

void TestNameRun::demoProfileWithTheShippedTables()
{
    NameRunWorld w;
    mailstore::fixture::createProfileFromFile(w.env.profileFile(), KW_DATA_DIR "/profiles/sample.json");
    refdb::Database shipped(KW_DATA_DIR "/KontorwerkPub.db");
    NameWordDatabase words(shipped);
    w.words = &words;

    const int changed = w.run();
    QVERIFY2(changed > 300, qPrintable(w.prompts().join(" | ")));
    QHash<QString, QStringList> byFileAs;
    const mailstore::ItemsPtr items = w.folder()->Items();
    for (int j = 1; j <= items->Count(); ++j) {
        if (items->Item(j)->Class() == 40)
            byFileAs.insert(items->Item(j)->text(u"FileAs"), w.fields(j));
    }
    QCOMPARE(byFileAs.value("Muster Bau GmbH"), nine("", "", "", "", "", "", "Muster Bau GmbH", "", "Muster Bau GmbH"));
    QCOMPARE(byFileAs.value("Musterberg, Stefan"),
             nine("Herr Stefan Musterberg", "Herr", "Stefan", "", "Musterberg", "", "Musterberg, Stefan", "", ""));
    QCOMPARE(byFileAs.value("Musterkamp, Julia"),
             nine("Frau Julia Musterkamp", "Frau", "Julia", "", "Musterkamp", "", "Musterkamp, Julia", "", ""));
    QCOMPARE(byFileAs.value("von Stetten, Karl-Heinz")[1], "Herr  Dr. med.");

    w.env.box.shown.clear();
    QCOMPARE(w.run(), 0);
    QCOMPARE(w.prompts(), QStringList{"0 Kontakt(e) geändert."});
}

QTEST_GUILESS_MAIN(TestNameRun)
#include "tst_namerun.moc"
