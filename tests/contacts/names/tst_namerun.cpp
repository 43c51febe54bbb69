#include "contacts/names/ContactNameRules.h"
#include "contacts/names/CorrectContactNames.h"
#include "contacts/names/NameWordCsv.h"
#include "contacts/names/NameWordDatabase.h"
#include "contacts/undo/UndoFunctions.h"
#include "platform/core/PlatformError.h"
#include "platform/mailstore/Faults.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/MailStore.h"
#include "platform/refdb/Database.h"
#include "support/RecordingRunView.h"
#include "support/TestEnv.h"

#include <QJsonArray>
#include <QtTest>

using namespace kw;
using namespace kw::contacts::names;
using namespace kw::contacts::undo;

namespace {

// The nine fields in ContactNameFields order, "|" between them:
// Fullname|Title|FirstName|MiddleName|LastName|Suffix|FileAs|Subject|CompanyName
QStringList nine(const QString &fields)
{
    return fields.split(u'|');
}

std::shared_ptr<const NameWordTables> fixtureTables()
{
    static const auto tables =
        std::make_shared<const NameWordTables>(loadNameWordCsvFolder(QStringLiteral(KW_TEST_FIXTURES "/names")));
    return tables;
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
        return fixtureTables();
    }

private:
    QList<int> m_failing;
    int m_calls = 0;
};

// One contact folder on a fixture profile, the frozen name tables and a recorded main window.
struct World
{
    World()
    {
        mailstore::faults::reset();
        env.settings.InitDefaultSettings();
    }
    ~World() { mailstore::faults::reset(); }

    // Stored as given, without the mail client's name rules.
    void addContact(const QString &fields)
    {
        QJsonObject values;
        for (int k = 0; k < 9; ++k)
            values[ContactNameFields::names()[k]] = nine(fields).value(k);
        items.append(QJsonObject{{"class", 40}, {"fields", values}});
    }
    void create()
    {
        const QJsonObject folder{{"name", "Kontakte"}, {"defaultMessageClass", "IPM.Contact"}, {"defaultFolder", 10},
                                 {"items", items}};
        const QJsonObject store{{"name", "Testspeicher"}, {"folders", QJsonArray{folder}}};
        mailstore::fixture::createProfile(env.profileFile(), QJsonObject{{"stores", QJsonArray{store}}});
    }
    int run()
    {
        NameRunContext ctx{{env.settings, env.messages, view,
                            [this](bool on) { calls << (on ? "BeginEndOperation(yes)" : "BeginEndOperation(no)"); },
                            [this](const QString &mode) {
                                calls << "GetActivatedFolders(" + mode + ")";
                                return WorkingSet{{nullptr, folder()}, 1, 1, 0, true};
                            }},
                           *words};
        return CorrectContactNames(ctx);
    }

    mailstore::FolderPtr folder()
    {
        return env.mailProfile.mapiNamespace()->GetDefaultFolder(mailstore::defaultfolder::Contacts);
    }
    mailstore::ItemPtr item(int j) { return folder()->Items()->Item(j); }
    QStringList fields(int j) { return values(j, QString()); }
    // The nine backups in field order; a missing one is a null string.
    QStringList backups(int j) { return values(j, "KW Backup "); }
    QStringList values(int j, const QString &backupPrefix)
    {
        const mailstore::ItemPtr it = item(j);
        QStringList out;
        for (const QString &name : ContactNameFields::names()) {
            if (backupPrefix.isEmpty())
                out << it->text(name);
            else if (const auto p = it->UserProperties()->Find(backupPrefix + name))
                out << p->Value();
            else
                out << QString();
        }
        return out;
    }
    int userPropertyCount(int j) { return item(j)->UserProperties()->Count(); }
    QStringList prompts() const { return env.box.prompts(); }

    test::TestEnv env;
    FixedNameWordSource fixedWords{fixtureTables()};
    NameWordSource *words = &fixedWords;
    test::RecordingRunView view;
    QStringList calls;
    QJsonArray items;
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
    void undoGivesEveryNameFieldBack();
    void parserFailureSkipsOnlyThatContact();
    void saveFailureEndsTheRun();
    void contactWithoutItsBackupIsNotWritten_data();
    void contactWithoutItsBackupIsNotWritten();
    void layoutSavedDuringTheRunCountsFromTheNextContact();
    void demoProfileWithTheShippedTables();
};

void TestNameRun::oneContact_data()
{
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    const QString correct = "Herr Hans Meier|Herr|Hans||Meier||Meier, Hans|alt|";
    QTest::newRow("salutation and doctor title, company in the file-as text, subject off")
        << QStringList()
        << "Herr Dr. Hans-Peter Meier||Herr|Dr. Hans-Peter|Meier||Herr Dr. Hans-Peter Meier|alt|Acme AG"
        << "Herr  Dr. Hans-Peter Meier|Herr  Dr.|Hans-Peter||Meier||Meier, Hans-Peter (Acme AG)|alt|Acme AG";
    QTest::newRow("comma form, salutation from the first name, subject on")
        << QStringList{"SubjectNameCorrect=1"} << "Meier, Hans||Meier,||Hans||||"
        << "Herr Hans Meier|Herr|Hans||Meier||Meier, Hans|Hans Meier|";
    QTest::newRow("company name moves into the empty company field")
        << QStringList() << "Müller GmbH||Müller||GmbH||Müller GmbH|x|" << "||||||Müller GmbH|x|Müller GmbH";
    QTest::newRow("company check off splits a company name as a person")
        << QStringList{"BusinessNameCheck=0"} << "Müller GmbH||Müller||GmbH|||x|"
        << "Müller GmbH||||Müller GmbH||Müller GmbH|x|";
    QTest::newRow("filled company field is never tested")
        << QStringList() << "Anna Weber Versicherung||||||||Weber AG"
        << "Frau Anna Weber Versicherung|Frau|Anna||Weber Versicherung||Weber Versicherung, Anna (Weber AG)||Weber AG";
    QTest::newRow("already correct contact, subject off: nothing written") << QStringList() << correct << correct;
    QTest::newRow("already correct but for the subject, subject on: rewritten")
        << QStringList{"SubjectNameCorrect=1"} << correct
        << "Herr Hans Meier|Herr|Hans||Meier||Meier, Hans|Hans Meier|";
    QTest::newRow("layouts from the settings")
        << QStringList{"SubjectNameCorrect=1", "FileAsLayoutEx=Vorname Nachname", "SubjectLayout=Nachname (Firma)"}
        << "Lena Roth jun.||||||||Roth KG"
        << "Frau Lena Roth jun.|Frau|Lena||Roth|jun.|Lena Roth|Roth (Roth KG)|Roth KG";
    QTest::newRow("layouts missing: the run's fallbacks")
        << QStringList{"SubjectNameCorrect=1", "FileAsLayoutEx", "SubjectLayout"} << "Hans Meier MdB||||||||"
        << "Herr Hans Meier MdB|Herr|Hans||Meier|MdB|Meier, Hans|Hans Meier|";
    const QString companyOnly = "||||||Firma X||Firma X";
    QTest::newRow("empty full name is passed over") << QStringList() << companyOnly << companyOnly;
}

void TestNameRun::oneContact()
{
    QFETCH(QStringList, settings);
    QFETCH(QString, before);
    QFETCH(QString, after);
    World w;
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
    QCOMPARE(w.fields(1), nine(after));
    // One level of backup, byte for byte what the fields held before.
    QCOMPARE(w.backups(1), changed ? nine(before) : QStringList(9, QString()));
    QCOMPARE(w.userPropertyCount(1), changed ? 9 : 0);
    QCOMPARE(w.prompts(), QStringList{QString::number(changed ? 1 : 0) + " Kontakt(e) geändert."});
}

void TestNameRun::runOverAFolderThenAgain()
{
    World w;
    w.addContact("HANS MEIER||HANS||MEIER||HANS MEIER||");
    w.items.append(QJsonObject{{"class", 69}, {"fields", QJsonObject{{"DLName", "Team"}}}});
    w.addContact("  Anna   Roth ||Anna||Roth||Anna Roth||Roth KG");
    w.addContact("Hans & Maria Berg||Hans|& Maria|Berg||Hans & Maria Berg||");
    w.addContact("Frau Prof. Dr. med. Maria Lena Kern MdB||||||||");
    w.create();

    QCOMPARE(w.run(), 4);
    QCOMPARE(w.calls,
             (QStringList{"GetActivatedFolders(OnlyContacts)", "BeginEndOperation(yes)", "BeginEndOperation(no)"}));
    QCOMPARE(w.view.maximum, 5);
    QCOMPARE(w.view.yields, 5);
    QCOMPARE(w.view.statuses.first(), "Bearbeite Kontakt 1 von 5 (Kontakte)");
    QCOMPARE(w.view.statuses.mid(4), (QStringList{"Bearbeite Kontakt 5 von 5 (Kontakte)", "Bereit"}));
    QCOMPARE(w.view.progress, 0);
    QCOMPARE(w.fields(1), nine("Herr HANS MEIER|Herr|HANS||MEIER||MEIER, HANS||"));
    QCOMPARE(w.item(2)->text(u"DLName"), "Team");
    QCOMPARE(w.userPropertyCount(2), 0);
    QCOMPARE(w.fields(3), nine("Frau Anna Roth|Frau|Anna||Roth||Roth, Anna (Roth KG)||Roth KG"));
    QCOMPARE(w.fields(4), nine("||||||Hans & Maria Berg||Hans & Maria Berg"));
    QCOMPARE(w.fields(5), nine("Frau Prof. Dr. med. Maria Lena Kern MdB|Frau Prof. Dr. med.|Maria|Lena|Kern|MdB|"
                               "Kern, Maria||"));

    // What the run wrote is what it would write again.
    const QList<QStringList> backupsAfterFirst = {w.backups(1), w.backups(3), w.backups(4), w.backups(5)};
    w.env.box.shown.clear();
    QCOMPARE(w.run(), 0);
    QCOMPARE(w.prompts(), QStringList{"0 Kontakt(e) geändert."});
    QCOMPARE((QList<QStringList>{w.backups(1), w.backups(3), w.backups(4), w.backups(5)}), backupsAfterFirst);
}

void TestNameRun::secondRewriteOverwritesTheBackups()
{
    World w;
    w.addContact("Meier, Hans||Meier,||Hans||||");
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
    QCOMPARE(w.fields(1), nine("Frau  Dr. Anna Roth|Frau  Dr.|Anna||Roth||Roth, Anna||"));
}

// Writing a name part makes the store rebuild the full name, so the undo
// must end with every field exactly as its backup, salutation included.
void TestNameRun::undoGivesEveryNameFieldBack()
{
    World w;
    const QStringList before = {"Herr Josef Zimmermann sen.||Josef||Zimmermann|sen.|Zimmermann, Josef||",
                                "Müller Bau GmbH||Müller||Bau GmbH||Müller Bau GmbH|x|"};
    for (const QString &contact : before)
        w.addContact(contact);
    w.create();
    QCOMPARE(w.run(), 2);
    QVERIFY(w.fields(2) != nine(before[1]));

    refdb::Database unused(w.env.path("none.db"));
    contacts::ContactRunContext ctx{
        {w.env.settings, w.env.messages, w.view, [](bool) {},
         [&w](const QString &) { return WorkingSet{{nullptr, w.folder()}, 1, 1, 2, true}; }},
        unused};
    QCOMPARE(UndoFunctions::UndoContactFields(ctx, QStringLiteral("Names")), 2);
    for (int j = 1; j <= 2; ++j) {
        QCOMPARE(w.fields(j), nine(before[j - 1]));
        QCOMPARE(w.userPropertyCount(j), 0);
    }
}

void TestNameRun::parserFailureSkipsOnlyThatContact()
{
    World w;
    FailingAt source({2, 3});
    w.words = &source;
    for (const char *name : {"Hans Meier", "Anna Roth", "Lena Berg", "Peter Kern"})
        w.addContact(QString::fromUtf8(name) + "||||||||");
    w.create();

    QCOMPARE(w.run(), 2);
    QCOMPARE(w.fields(2), nine("Anna Roth||||||||"));
    QCOMPARE(w.fields(3), nine("Lena Berg||||||||"));
    QCOMPARE(w.userPropertyCount(2) + w.userPropertyCount(3), 0);
    QCOMPARE(w.fields(4), nine("Herr Peter Kern|Herr|Peter||Kern||Kern, Peter||"));
    // The busy state stays on until the run ends.
    QCOMPARE(w.calls.mid(1), (QStringList{"BeginEndOperation(yes)", "BeginEndOperation(no)"}));
    // Shown once, logged for each contact with its full name.
    const QStringList prompts = w.prompts();
    QCOMPARE(prompts.size(), 2);
    QVERIFY(prompts[0].contains("Nr.: 2502") && prompts[0].contains("Anna Roth"));
    QCOMPARE(prompts[1], "2 Kontakt(e) geändert.");
    QVERIFY(w.env.errorLog().contains("Datei nicht gefunden, Info: Anna Roth"));
    QVERIFY(w.env.errorLog().contains("Datei nicht gefunden, Info: Lena Berg"));
}

void TestNameRun::saveFailureEndsTheRun()
{
    World w;
    w.addContact("Hans Meier||||||||");
    w.addContact("Anna Roth||||||||");
    w.create();
    mailstore::faults::failSave(QString(), 1);

    QCOMPARE(w.run(), -1);
    QCOMPARE(w.calls.mid(1), (QStringList{"BeginEndOperation(yes)", "BeginEndOperation(no)"}));
    QCOMPARE(w.prompts().size(), 1);
    QVERIFY(w.prompts()[0].contains("Nr.: 2501"));
    // Neither the fields nor the backups of the contact at hand were stored.
    QCOMPARE(w.fields(1), nine("Hans Meier||||||||"));
    QCOMPARE(w.userPropertyCount(1), 0);
    QCOMPARE(w.fields(2)[0], "Anna Roth");
}

void TestNameRun::contactWithoutItsBackupIsNotWritten_data()
{
    QTest::addColumn<QString>("field"); // whose backup cannot be created on the first contact
    QTest::newRow("first backup") << "Fullname";
    QTest::newRow("a middle backup") << "LastName";
    QTest::newRow("last backup") << "CompanyName";
}

// The store refuses one backup of the first contact: that contact keeps its
// fields and gets no backup at all, the error says 206, and the run goes on.
void TestNameRun::contactWithoutItsBackupIsNotWritten()
{
    QFETCH(QString, field);
    World w;
    w.addContact("Hans Meier||||||||");
    w.addContact("Anna Roth||||||||");
    w.create();
    mailstore::faults::failUserPropertyAdd(UndoFunctions::backupName(field), 1);

    QCOMPARE(w.run(), 1);
    QCOMPARE(w.fields(1), nine("Hans Meier||||||||"));
    QCOMPARE(w.userPropertyCount(1), 0);
    QCOMPARE(w.fields(2), nine("Frau Anna Roth|Frau|Anna||Roth||Roth, Anna||"));
    QCOMPARE(w.backups(2), nine("Anna Roth||||||||"));
    const QStringList prompts = w.prompts();
    QCOMPARE(prompts.size(), 2);
    QVERIFY2(prompts[0].contains("Nr.: 206 /") && prompts[0].contains(UndoFunctions::backupName(field)),
             qPrintable(prompts[0]));
    QCOMPARE(prompts[1], "1 Kontakt(e) geändert.");
    QCOMPARE(w.calls.mid(1), (QStringList{"BeginEndOperation(yes)", "BeginEndOperation(no)"}));
}

void TestNameRun::layoutSavedDuringTheRunCountsFromTheNextContact()
{
    World w;
    w.addContact("Hans Meier||||||||");
    w.addContact("Anna Roth||||||||");
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
    World w;
    mailstore::fixture::createProfileFromFile(w.env.profileFile(), KW_DATA_DIR "/profiles/sample.json");
    refdb::Database shipped(KW_DATA_DIR "/KontorwerkPub.db");
    NameWordDatabase words(shipped);
    w.words = &words;

    QVERIFY2(w.run() > 300, qPrintable(w.prompts().join(" | ")));
    QHash<QString, QStringList> byFileAs;
    const mailstore::ItemsPtr items = w.folder()->Items();
    for (int j = 1; j <= items->Count(); ++j) {
        if (items->Item(j)->Class() == mailstore::itemclass::Contact)
            byFileAs.insert(items->Item(j)->text(u"FileAs"), w.fields(j));
    }
    QCOMPARE(byFileAs.value("Muster Bau GmbH"), nine("||||||Muster Bau GmbH||Muster Bau GmbH"));
    QCOMPARE(byFileAs.value("Musterberg, Stefan"),
             nine("Herr Stefan Musterberg|Herr|Stefan||Musterberg||Musterberg, Stefan||"));
    QCOMPARE(byFileAs.value("Musterkamp, Julia"),
             nine("Frau Julia Musterkamp|Frau|Julia||Musterkamp||Musterkamp, Julia||"));
    QCOMPARE(byFileAs.value("von Stetten, Karl-Heinz")[1], "Herr  Dr. med.");

    w.env.box.shown.clear();
    QCOMPARE(w.run(), 0);
    QCOMPARE(w.prompts(), QStringList{"0 Kontakt(e) geändert."});
}

QTEST_GUILESS_MAIN(TestNameRun)
#include "tst_namerun.moc"
