#include "platform/core/PlatformError.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/FixtureContent.h"
#include "platform/mailstore/MailStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace kw::mailstore;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run kwprofile(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(KWPROFILE_EXE), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// What the own store offers the tools, counted by rule; the rules are the
// row names of the tables below.
using Facts = QHash<QString, qint64>;

const QStringList kPhoneFields = {
    "AssistantTelephoneNumber", "BusinessTelephoneNumber", "Business2TelephoneNumber", "BusinessFaxNumber",
    "CallbackTelephoneNumber", "CarTelephoneNumber", "CompanyMainTelephoneNumber", "HomeTelephoneNumber",
    "Home2TelephoneNumber", "HomeFaxNumber", "ISDNNumber", "MobileTelephoneNumber", "OtherTelephoneNumber",
    "OtherFaxNumber", "PagerNumber", "PrimaryTelephoneNumber", "RadioTelephoneNumber", "TelexNumber",
    "TTYTDDTelephoneNumber"};

void countContact(const ItemPtr &c, Facts &f)
{
    static const QRegularExpression layout(R"(^\+\d+ \(\d+\) \d+(-\d+)?$)"); // the telephone run's default
    static const QRegularExpression firm(R"((GmbH|AG|KG|OHG|e\.K\.|Ges\.m\.b\.H\.)\s*$)");
    static const QRegularExpression titled(R"(^(Herr|Frau) .*\.)");
    int filled = 0;
    for (const QString &field : kPhoneFields) {
        const QString n = c->text(field);
        filled += !n.isEmpty();
        f["numbers in the layout"] += layout.match(n).hasMatch();
        f["unformatted " + field] += !n.isEmpty() && !layout.match(n).hasMatch();
    }
    f["contacts with all 19 number fields"] += filled == 19;
    const QString full = c->text(u"FullName");
    const bool company = c->text(u"CompanyName").isEmpty() && firm.match(full).hasMatch();
    f["company in the full name, company field empty"] += company;
    f["full name in capitals"] += full == full.toUpper() && full != full.toLower();
    f["Nachname, Vorname"] += full.contains(", ");
    f["blanks to spare"] += full != full.simplified();
    f["couple with &"] += full.contains(" & ") && !company;
    f["salutation and title"] += titled.match(full).hasMatch();
}

void countAttachments(const ItemPtr &item, Facts &f, const QString &base, const QString &scratch)
{
    static const QRegularExpression refused("[/\\\\:*?\"<>|]");
    for (int i = 1; i <= item->Attachments()->Count(); ++i) {
        AttachmentPtr a = item->Attachments()->Item(i);
        f["attachments"] += 1;
        f["hidden attachments"] += a->hidden().toBool();
        f["links into the base folder"] += a->PathName().startsWith(base + '/');
        if (a->Type() == attachtype::ByReference)
            continue;
        f["names a file system refuses"] += refused.match(a->FileName()).hasMatch();
        f["names without extension"] += !a->FileName().contains('.');
        a->SaveAsFile(scratch);
        const auto recipe = fixture::recogniseGenerated(fileBytes(scratch));
        f["generated attachments"] += recipe && recipe->size == a->Size();
        f["generated attachments over 2 MB"] += recipe && a->Size() > 2'000'000;
        f["smallest attachment"] = std::min(f.value("smallest attachment", a->Size()), a->Size());
        f["largest attachment"] = std::max(f.value("largest attachment"), a->Size());
    }
}

void countFolder(const FolderPtr &folder, Facts &f, const QString &base, const QString &scratch)
{
    static const QRegularExpression holidays("^(Sommer|Herbst|Winter|Oster|Pfingst|Weihnachts)ferien ");
    f["folders with default class IPM.Post"] += folder->DefaultMessageClass() == "IPM.Post";
    f["calendars"] += folder->containerClass().value_or("") == "IPF.Appointment";
    for (ItemPtr item : folder->Items()) {
        const QString cls = baseMessageClass(item->Class());
        f["custom " + cls] += item->MessageClass().startsWith(cls + '.');
        f["school-holiday appointments"] += item->Class() == itemclass::Appointment
                                            && holidays.match(item->Subject()).hasMatch();
        if (item->Class() == itemclass::Contact)
            countContact(item, f);
        countAttachments(item, f, base, scratch);
    }
    for (FolderPtr sub : folder->Folders())
        countFolder(sub, f, base, scratch);
}

// Creates a profile in a world of its own and counts what its own store holds.
Facts ownStoreFacts(const std::function<void(const QString &profile, const QString &base)> &create)
{
    kw::test::TestEnv env;
    create(env.profileFile(), env.path("demo"));
    Facts f;
    NameSpacePtr ns = Application::open(env.profileFile())->GetNamespace("MAPI");
    countFolder(ns->Folders()->Item("Persönliche Ordner"), f, env.path("demo"), env.path("content"));
    return f;
}

const char *const kSample = KW_SOURCE_DIR "/data/profiles/sample.json";
const QStringList kGenerateOptions = {
    "--contacts", "60", "--phone-fields", "19", "--messy-names", "--mails", "6", "--attachments", "2",
    "--attachment-size", "100-5000", "--appointments", "20", "--tasks", "10", "--journal", "10",
    "--custom-classes", "30", "--seed", "3"};

} // namespace

class TestKwProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void createThenDumpGivesTheFixtureBack_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::newRow("test fixture") << QStringLiteral(KW_TEST_FIXTURES "/mailstore_basic.json");
        QTest::newRow("demo profile") << QStringLiteral(KW_SOURCE_DIR "/data/profiles/sample.json");
    }
    void createThenDumpGivesTheFixtureBack()
    {
        QFETCH(QString, fixture);
        kw::test::TestEnv env;
        const Run create = kwprofile({"create", env.profileFile(), fixture});
        QCOMPARE(create.exitCode, 0);
        QVERIFY(create.err.isEmpty());
        const Run dump = kwprofile({"dump", env.profileFile()});
        QCOMPARE(dump.exitCode, 0);
        QCOMPARE(dump.out, fileBytes(fixture));
    }

    void demoProfileHoldsWhatTheToolsNeed()
    {
        kw::test::TestEnv env;
        fixture::createProfileFromFile(env.profileFile(), QStringLiteral(KW_SOURCE_DIR "/data/profiles/sample.json"));
        NameSpacePtr ns = Application::open(env.profileFile())->GetNamespace("MAPI");
        QStringList stores;
        for (FolderPtr s : ns->Folders())
            stores << s->Name();
        QCOMPARE(stores, (QStringList{"Persönliche Ordner", "Archiv"}));
        ItemsPtr contacts = ns->GetDefaultFolder(10)->Items();
        QVERIFY(contacts->Count() >= 200);
        int lists = 0, custom = 0;
        for (ItemPtr c : contacts) {
            lists += c->Class() == 69;
            custom += c->MessageClass() == "IPM.Contact.Kunde";
        }
        QCOMPARE(lists, 1);
        QVERIFY(custom >= 1);
        int attachments = 0;
        for (ItemPtr m : ns->GetDefaultFolder(6)->Items())
            attachments += m->Attachments()->Count();
        QVERIFY(attachments > 0);
        FolderPtr projects = ns->Folders()->Item("Archiv")->Folders()->Item("Projekte");
        QCOMPARE(projects->containerClass().value_or(QString()), QStringLiteral("IPF.Note.Projekt"));
    }

    // Each tool finds work on the demo, so that a person trying it sees it
    // act; generate makes exactly what its options ask for.
    void profilesHoldWhatWasAsked_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<qint64>("min");
        QTest::addColumn<qint64>("max");
        const auto row = [](const char *profile, const QString &rule, qint64 min, qint64 max = LLONG_MAX) {
            QTest::addRow("%s: %s", profile, qPrintable(rule)) << QString(profile) << rule << min << max;
        };
        for (const QString &field : kPhoneFields)
            row("demo", "unformatted " + field, 1);
        const char *const nameForms[] = {"company in the full name, company field empty", "full name in capitals",
                                         "Nachname, Vorname", "blanks to spare", "couple with &", "salutation and title"};
        for (const char *rule : nameForms) {
            row("demo", rule, 1);
            row("generated", rule, 10, 10); // 60 contacts, six forms in turn
        }
        for (const char *rule : {"generated attachments over 2 MB", "hidden attachments", "links into the base folder",
                                 "names a file system refuses", "names without extension", "custom IPM.Appointment",
                                 "custom IPM.Task", "custom IPM.Note", "custom IPM.Activity",
                                 "folders with default class IPM.Post", "school-holiday appointments"})
            row("demo", rule, 1);
        row("demo", "smallest attachment", 1, 10);
        row("demo", "calendars", 2);
        row("generated", "contacts with all 19 number fields", 60, 60);
        row("generated", "numbers in the layout", 60 * 19 / 5, 60 * 19 / 5);
        row("generated", "generated attachments", 12, 12);
        row("generated", "smallest attachment", 100, 5000);
        row("generated", "largest attachment", 100, 5000);
        row("generated", "custom IPM.Note", 1, 1); // 30 % of 6, rounded down
        row("generated", "custom IPM.Appointment", 6, 6);
        row("generated", "custom IPM.Task", 3, 3);
        row("generated", "custom IPM.Activity", 3, 3);
    }
    void profilesHoldWhatWasAsked()
    {
        QFETCH(QString, profile);
        QFETCH(QString, rule);
        QFETCH(qint64, min);
        QFETCH(qint64, max);
        static const QHash<QString, Facts> facts = {
            {"demo", ownStoreFacts([](const QString &file, const QString &base) {
                 fixture::createProfileFromFile(file, kSample, base);
             })},
            {"generated", ownStoreFacts([](const QString &file, const QString &) {
                 QCOMPARE(kwprofile(QStringList{"generate", file} + kGenerateOptions).exitCode, 0);
             })}};
        const qint64 found = facts[profile].value(rule, -1);
        QVERIFY2(found >= min && found <= max, qPrintable(QStringLiteral("%1 found").arg(found)));
    }

    void generatedContentIsRecognisedExactly_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("recognised");
        const QByteArray big = fixture::generatedContent({2'200'001, 7});
        QByteArray lastByteChanged = big;
        lastByteChanged[lastByteChanged.size() - 1] = char(~lastByteChanged.back());
        QTest::newRow("2.2 MB, odd size") << big << true;
        QTest::newRow("last byte changed") << lastByteChanged << false;
        QTest::newRow("eight bytes") << fixture::generatedContent({8, 4'294'967'295U}) << true;
        QTest::newRow("seven bytes, too short to tell") << fixture::generatedContent({7, 1}) << false;
        QTest::newRow("text") << QByteArray("Inhalt 90\nInhalt 90\n") << false;
    }
    void generatedContentIsRecognisedExactly()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, recognised);
        const auto recipe = fixture::recogniseGenerated(content);
        QCOMPARE(recipe.has_value(), recognised);
        if (recipe)
            QCOMPARE(fixture::generatedContent(*recipe), content);
    }

    // Fixtures name contents by seed: the bytes of a seed must never change.
    void generatedContentIsFrozen()
    {
        QCOMPARE(fixture::generatedContent({20, 7}).toHex(), QByteArray("d70d3259e4e1cb631c663cf4d73c4c04022ab1ba"));
    }

    void demoProfileShares()
    {
        kw::test::TestEnv env;
        fixture::createProfileFromFile(env.profileFile(), QStringLiteral(KW_SOURCE_DIR "/data/profiles/sample.json"));
        NameSpacePtr ns = Application::open(env.profileFile())->GetNamespace("MAPI");
        RecipientPtr erika = ns->CreateRecipient("Erika Mustermann");
        QVERIFY(erika->Resolve());
        QCOMPARE(ns->GetSharedDefaultFolder(erika, 9)->Items()->Count(), 2);
        QCOMPARE(ns->GetSharedDefaultFolder(erika, 10)->Items()->Count(), 2);
        bool refused = false;
        try {
            ns->GetSharedDefaultFolder(erika, 13);
        } catch (const kw::PlatformError &) {
            refused = true;
        }
        QVERIFY(refused);
    }

    void badInputIsRefused_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QByteArray>("message");
        const QByteArray head = R"({"stores":[{"name":"S","folders":[{"name":"K","defaultMessageClass":"IPM.Contact","items":[)";
        const QByteArray tail = "]}]}]}";
        QTest::newRow("not JSON") << QByteArray("{stores: [") << QByteArray("JSON");
        QTest::newRow("unknown field") << head + R"({"fields":{"Vorname":"Max"}})" + tail << QByteArray("Vorname");
        QTest::newRow("date that is none") << head + R"({"fields":{"Birthday":"irgendwann"}})" + tail << QByteArray("Birthday");
        QTest::newRow("entry id not hex") << head + R"({"entryId":"XYZ"})" + tail << QByteArray("entryId");
        QTest::newRow("unknown class") << head + R"({"class":99})" + tail << QByteArray("99");
        QTest::newRow("same entry id twice") << head + R"({"entryId":"AB"},{"entryId":"ab"})" + tail << QByteArray("UNIQUE");
        const QByteArray att = head + R"({"class":43,"attachments":[{"fileName":"a.bin",)";
        const QByteArray attTail = "}]}" + tail;
        QTest::newRow("base64 that is none") << att + R"("base64":"a%b")" + attTail << QByteArray("base64");
        QTest::newRow("two contents") << att + R"("text":"x","base64":"eA==")" + attTail << QByteArray("Inhalt");
        QTest::newRow("generated size beyond 1 GiB") << att + R"("generate":{"size":1073741825,"seed":1})" + attTail
                                                     << QByteArray("generate.size");
        QTest::newRow("generated size a fraction") << att + R"("generate":{"size":10.5,"seed":1})" + attTail
                                                   << QByteArray("generate.size");
        QTest::newRow("generated seed negative") << att + R"("generate":{"size":10,"seed":-1})" + attTail
                                                 << QByteArray("generate.seed");
    }
    void badInputIsRefused()
    {
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, message);
        kw::test::TestEnv env;
        const QString fixture = env.path("bad.json");
        writeFile(fixture, json);
        const Run r = kwprofile({"create", env.profileFile(), fixture});
        QVERIFY(r.exitCode != 0);
        QVERIFY2(r.err.contains(message), r.err.constData());
        // nothing half-made left behind, under its own name or another
        const QFileInfo profile(env.profileFile());
        QCOMPARE(profile.dir().entryList({profile.fileName() + "*"}, QDir::Files), QStringList());
    }

    void existingFilesAreLeftAlone_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("create over a file") << QStringList{"create", "@profile", KW_TEST_FIXTURES "/mailstore_basic.json"};
        QTest::newRow("generate over a file") << QStringList{"generate", "@profile", "--contacts", "3"};
        QTest::newRow("dump of a foreign file") << QStringList{"dump", "@profile"};
    }
    void existingFilesAreLeftAlone()
    {
        QFETCH(QStringList, args);
        kw::test::TestEnv env;
        writeFile(env.profileFile(), "meine Notizen\n");
        args.replaceInStrings("@profile", env.profileFile());
        const Run r = kwprofile(args);
        QVERIFY(r.exitCode != 0);
        QVERIFY(!r.err.isEmpty());
        QCOMPARE(fileBytes(env.profileFile()), QByteArray("meine Notizen\n"));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no arguments") << QStringList{};
        QTest::newRow("unknown command") << QStringList{"copy", "a", "b"};
        QTest::newRow("unknown option") << QStringList{"generate", "p.sqlite", "--people", "3"};
        QTest::newRow("missing value") << QStringList{"generate", "p.sqlite", "--contacts"};
        QTest::newRow("negative count") << QStringList{"generate", "p.sqlite", "--contacts", "-1"};
        QTest::newRow("too many duplicates") << QStringList{"generate", "p.sqlite", "--duplicates", "101"};
        QTest::newRow("dump of nothing") << QStringList{"dump", "fehlt.sqlite"};
        QTest::newRow("more than 19 phone fields") << QStringList{"generate", "p.sqlite", "--phone-fields", "20"};
        QTest::newRow("custom classes over 100") << QStringList{"generate", "p.sqlite", "--custom-classes", "101"};
        QTest::newRow("size range upside down") << QStringList{"generate", "p.sqlite", "--attachment-size", "9-3"};
        QTest::newRow("size range of one number") << QStringList{"generate", "p.sqlite", "--attachment-size", "9"};
        QTest::newRow("create with an unknown option") << QStringList{"create", "p.sqlite", "f.json", "--basis", "x"};
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        kw::test::TestEnv env;
        for (QString &a : args)
            if (a.endsWith(".sqlite"))
                a = env.path(a);
        const Run r = kwprofile(args);
        QVERIFY(r.exitCode != 0);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(r.out.isEmpty());
        QVERIFY(!QFile::exists(env.path("p.sqlite")));
    }

    void generateIsRepeatableAndMessy()
    {
        kw::test::TestEnv env;
        const QStringList opts = {"--contacts", "120", "--appointments", "7", "--tasks", "5", "--mails", "9",
                                  "--notes", "4", "--journal", "3", "--duplicates", "20", "--seed", "11"};
        QCOMPARE(kwprofile(QStringList{"generate", env.path("a.sqlite")} + opts).exitCode, 0);
        QCOMPARE(kwprofile(QStringList{"generate", env.path("b.sqlite")} + opts).exitCode, 0);
        const QByteArray a = kwprofile({"dump", env.path("a.sqlite")}).out;
        QCOMPARE(kwprofile({"dump", env.path("b.sqlite")}).out, a);
        QStringList seed12 = opts;
        seed12.last() = "12";
        QCOMPARE(kwprofile(QStringList{"generate", env.path("c.sqlite")} + seed12).exitCode, 0);
        QVERIFY(kwprofile({"dump", env.path("c.sqlite")}).out != a);

        NameSpacePtr ns = Application::open(env.path("a.sqlite"))->GetNamespace("MAPI");
        const int counts[][2] = {{10, 120}, {9, 7}, {13, 5}, {6, 9}, {12, 4}, {11, 3}};
        for (const auto &c : counts)
            QCOMPARE(ns->GetDefaultFolder(c[0])->Items()->Count(), c[1]);
        QSet<QString> numbers;
        int withTitle = 0, withSlashOrBracket = 0, duplicates = 0;
        QSet<QString> seen;
        for (ItemPtr c : ns->GetDefaultFolder(10)->Items()) {
            const QString n = c->text(u"BusinessTelephoneNumber");
            withSlashOrBracket += n.contains(u'/') || n.contains(u'(');
            withTitle += c->text(u"FullName").contains(u'.');
            const QString key = c->text(u"FullName") + c->text(u"HomeAddress") + c->text(u"BusinessAddress");
            duplicates += seen.contains(key);
            seen.insert(key);
            numbers.insert(n.left(4));
        }
        QVERIFY(withSlashOrBracket > 10);
        QVERIFY(withTitle > 10);
        QVERIFY(duplicates >= 10);
        QVERIFY(numbers.contains("+43 ") || numbers.contains("0043"));
        QVERIFY(numbers.contains("+41 ") || numbers.contains("0041"));
        int attachments = 0;
        for (ItemPtr m : ns->GetDefaultFolder(6)->Items())
            attachments += m->Attachments()->Count();
        QVERIFY(attachments > 0);
    }
};

QTEST_GUILESS_MAIN(TestKwProfile)
#include "tst_kwprofile.moc"
