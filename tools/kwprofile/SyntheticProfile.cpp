#include "SyntheticProfile.h"
#include "Gen.h"
#include "MessyPhones.h"

#include "platform/mailstore/ContactRules.h"

#include <QJsonArray>
#include <QStringList>

namespace kw::profilegen {

namespace {

const QStringList kFirstMale = {"Hans", "Peter", "Klaus", "Jürgen", "Stefan", "Thomas", "Michael",
                                "Andreas", "Wolfgang", "Lukas", "Maximilian", "Jörg", "Urs",
                                "Reto", "Franz", "Josef", "Karl-Heinz", "Hans Peter", "Matthias"};
const QStringList kFirstFemale = {"Anna", "Maria", "Ursula", "Sabine", "Petra", "Monika", "Julia",
                                  "Katharina", "Erika", "Brigitte", "Sophie", "Lea", "Verena",
                                  "Regula", "Anne-Marie", "Gisela", "Jutta", "Heike"};
const QStringList kLast = {"Müller", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer",
                           "Wagner", "Becker", "Schulz", "Hoffmann", "Huber", "Gruber", "Bauer",
                           "Pichler", "Steiner", "Moser", "Keller", "Meier", "Brunner",
                           "Baumann", "Frei", "Zimmermann", "Köhler", "Weiß", "Groß",
                           "von Stetten", "Müller-Lüdenscheidt", "de Vries", "Schäfer"};
const QStringList kTitles = {"", "", "", "", "Dr.", "Prof.", "Prof. Dr.", "Dipl.-Ing.", "Mag.",
                             "Dr. med.", "Ing."};
const QStringList kSuffixes = {"", "", "", "", "", "", "jun.", "sen.", "MBA", "M.A."};
const QStringList kCompanySuffixes = {"GmbH", "AG", "KG", "GmbH & Co. KG", "OHG", "e.K.", "Ges.m.b.H."};
const QStringList kCompanyWords = {"Bau", "Technik", "Logistik", "Consulting", "Elektro", "Software",
                                   "Druck", "Holz", "Metall", "Medien", "Versand", "Immobilien"};
const QStringList kStreets = {"Hauptstraße", "Bahnhofstr.", "Schulweg", "Lindenallee", "Gartenstraße",
                              "Kirchgasse", "Mariahilfer Straße", "Bahnhofstrasse", "Dorfstrasse",
                              "Am Markt", "Goethestraße", "Ringstraße"};

const Place kPlaces[] = {
    {"Deutschland", "München", "80331", "89", "49"}, {"Deutschland", "Berlin", "10115", "30", "49"},
    {"Deutschland", "Hamburg", "20095", "40", "49"}, {"Deutschland", "Köln", "50667", "221", "49"},
    {"Deutschland", "Stuttgart", "70173", "711", "49"}, {"Österreich", "Wien", "1010", "1", "43"},
    {"Österreich", "Graz", "8010", "316", "43"},     {"Österreich", "Linz", "4020", "732", "43"},
    {"Schweiz", "Zürich", "8001", "44", "41"},       {"Schweiz", "Bern", "3011", "31", "41"},
    {"Schweiz", "Basel", "4051", "61", "41"},
};
const QStringList kCountryVariants = {"", "D", "A", "CH"}; // appended as messy alternatives

const QStringList kSubjects = {"Besprechung", "Projektstatus", "Angebot", "Rechnung", "Termin",
                               "Rückfrage", "Protokoll", "Urlaubsplanung", "Jahresgespräch",
                               "Kundenbesuch", "Schulung", "Lieferung"};

QJsonObject item(Gen &g, int cls, const QString &messageClass, const QJsonObject &fields)
{
    return {{"class", cls}, {"messageClass", messageClass}, {"entryId", g.id(24)},
            {"creationTime", g.date(g.moment())}, {"fields", fields}};
}

void setSplitName(QJsonObject &f, const QString &fullName)
{
    static const char *const kParts[] = {"Title", "FirstName", "MiddleName", "LastName", "Suffix"};
    const QStringList parts = mailstore::contactrules::splitFullName(fullName);
    for (int i = 0; i < parts.size() && i < 5; ++i)
        if (!parts.at(i).isEmpty())
            f[QLatin1String(kParts[i])] = parts.at(i);
}

// Names, written as people enter them: sometimes only the full name, which a
// mail client then splits at blanks without knowing titles or salutations.
void addName(Gen &g, QJsonObject &f, const QString &first, const QString &last, bool female)
{
    const QString title = g.pick(kTitles);
    const QString suffix = g.pick(kSuffixes);
    QStringList full;
    if (g.chance(30))
        full << (female ? QStringLiteral("Frau") : QStringLiteral("Herr"));
    for (const QString &part : {title, first, last, suffix})
        if (!part.isEmpty())
            full << part;
    f["FullName"] = full.join(u' ');
    if (g.chance(80)) {
        f["FirstName"] = first;
        f["LastName"] = last;
        if (!title.isEmpty())
            f["Title"] = title;
        if (!suffix.isEmpty())
            f["Suffix"] = suffix;
    } else {
        setSplitName(f, f["FullName"].toString());
    }
    f["FileAs"] = QStringLiteral("%1, %2").arg(last, first);
}

void addAddress(Gen &g, QJsonObject &f, const Place &place)
{
    const QString street = QStringLiteral("%1 %2").arg(g.pick(kStreets)).arg(1 + g.below(120));
    const QString country = g.chance(80) ? QString::fromUtf8(place.country) : g.pick(kCountryVariants);
    const QString prefix = g.chance(70) ? QStringLiteral("Business") : QStringLiteral("Home");
    const QString postal = QString::fromLatin1(place.postal);
    const QString city = QString::fromUtf8(place.city);
    f[prefix + QStringLiteral("AddressStreet")] = street;
    f[prefix + QStringLiteral("AddressPostalCode")] = postal;
    f[prefix + QStringLiteral("AddressCity")] = city;
    QStringList lines{street, postal + u' ' + city};
    if (!country.isEmpty()) {
        f[prefix + QStringLiteral("AddressCountry")] = country;
        lines << country;
    }
    f[prefix + QStringLiteral("Address")] = lines.join(QStringLiteral("\r\n"));
}

// Full names as imports and hurried typing leave them, in turn: capitals,
// "Nachname, Vorname", stray blanks, couples, salutation with titles, and a
// company in the name field. The parts are what a mail client makes of them.
// Returns true for the company form, which leaves the company field empty.
bool addMessyName(Gen &g, QJsonObject &f, const QString &first, const QString &last, bool female, int form)
{
    static const QStringList kPartners = {"Grete", "Anna", "Peter", "Klaus", "Maria"};
    QString full;
    switch (form % 6) {
    case 0: full = QStringLiteral("%1 %2").arg(first, last).toUpper(); break;
    case 1: full = QStringLiteral("%1, %2").arg(last, first); break;
    case 2: full = QStringLiteral("  %1   %2 ").arg(first, last); break;
    case 3: full = QStringLiteral("%1 & %2 %3").arg(first, g.pick(kPartners), last); break;
    case 4: {
        const QString title = g.pick(kTitles.mid(4));
        full = QStringLiteral("%1 %2 %3 %4 %5").arg(female ? QStringLiteral("Frau") : QStringLiteral("Herr"), title,
                                                    first, last, g.pick(kSuffixes.mid(6)));
        break;
    }
    default: {
        const QString word = g.pick(kCompanyWords);
        full = QStringLiteral("%1 %2 %3").arg(last, word, g.pick(kCompanySuffixes));
    }
    }
    f["FullName"] = full;
    setSplitName(f, full);
    f["FileAs"] = full.simplified();
    return form % 6 == 5;
}

struct ContactMaker
{
    Gen &g;
    const Options &o;
    qint64 phoneSerial = 0;
    int nameForm = 0;

    void usualPhones(QJsonObject &f, const Place &place)
    {
        f["BusinessTelephoneNumber"] = g.phone(place, false);
        if (g.chance(60))
            f["MobileTelephoneNumber"] = g.phone(place, true);
        if (g.chance(40))
            f["HomeTelephoneNumber"] = g.phone(place, false);
        if (g.chance(35))
            f["BusinessFaxNumber"] = (g.chance(30) ? QStringLiteral("Fax: ") : QString()) + g.phone(place, false);
    }

    QJsonObject operator()()
    {
        const bool female = g.chance(50);
        const QString first = g.pick(female ? kFirstFemale : kFirstMale);
        const QString last = g.pick(kLast);
        const Place &place = kPlaces[g.below(int(std::size(kPlaces)))];
        QJsonObject f;
        bool company = false;
        if (o.messyNames)
            company = addMessyName(g, f, first, last, female, nameForm++);
        else
            addName(g, f, first, last, female);
        if (!company && g.chance(60))
            f["CompanyName"] = QStringLiteral("%1 %2 %3").arg(g.pick(kLast), g.pick(kCompanyWords), g.pick(kCompanySuffixes));
        if (o.phoneFields > 0)
            fillPhoneFields(g, f, place, o.phoneFields, phoneSerial);
        else
            usualPhones(f, place);
        addAddress(g, f, place);
        f["Email1Address"] = QStringLiteral("%1.%2@example.org").arg(first.toLower().remove(u' '), last.toLower().remove(u' '));
        return f;
    }
};

// A copy of an earlier item's fields, sometimes with a number written anew.
QJsonObject duplicateOf(Gen &g, const QJsonObject &original)
{
    QJsonObject f = original;
    if (f.contains("BusinessTelephoneNumber") && g.chance(40))
        f["BusinessTelephoneNumber"] = f["BusinessTelephoneNumber"].toString().remove(u' ');
    return f;
}

QJsonArray makeItems(Gen &g, int count, int dupPercent, int cls, const QString &messageClass,
                     const std::function<QJsonObject()> &fields)
{
    QJsonArray out;
    QList<QJsonObject> made;
    for (int i = 0; i < count; ++i) {
        const bool dup = !made.isEmpty() && g.chance(dupPercent);
        const QJsonObject f = dup ? duplicateOf(g, made[g.below(int(made.size()))]) : fields();
        made.append(f);
        out.append(item(g, cls, messageClass, f));
    }
    return out;
}

QJsonObject appointmentFields(Gen &g)
{
    const QDateTime start = g.moment();
    const bool allDay = g.chance(20);
    const QDateTime s = allDay ? QDateTime(start.date(), QTime(0, 0)) : QDateTime(start.date(), QTime(8 + g.below(10), g.chance(50) ? 0 : 30));
    const QDateTime e = allDay ? s.addDays(1) : s.addSecs(1800 * (1 + g.below(6)));
    QJsonObject f{{"Subject", g.pick(kSubjects)}, {"Start", g.date(s)}, {"End", g.date(e)},
                  {"Location", g.chance(50) ? QStringLiteral("Besprechungsraum %1").arg(1 + g.below(5)) : QString()}};
    if (allDay)
        f["AllDayEvent"] = true;
    f["BusyStatus"] = allDay ? 0 : 2;
    if (g.chance(30))
        f["Body"] = QStringLiteral("Bitte Unterlagen mitbringen.");
    return f;
}

QJsonObject taskFields(Gen &g)
{
    const QDateTime start = g.moment();
    QJsonObject f{{"Subject", g.pick(kSubjects) + QStringLiteral(" vorbereiten")},
                  {"StartDate", start.toString(QStringLiteral("dd.MM.yyyy"))},
                  {"DueDate", start.addDays(g.below(30)).toString(QStringLiteral("dd.MM.yyyy"))},
                  {"Owner", QStringLiteral("%1 %2").arg(g.pick(kFirstFemale), g.pick(kLast))}};
    if (g.chance(30))
        f["Body"] = QStringLiteral("Rücksprache mit der Buchhaltung.");
    return f;
}

QJsonObject mailFields(Gen &g)
{
    const QDateTime sent = g.moment();
    return {{"Subject", QStringLiteral("%1 %2").arg(g.pick(kSubjects)).arg(1 + g.below(400))},
            {"Body", QStringLiteral("Sehr geehrte Damen und Herren,\r\nanbei die Unterlagen.\r\nMit freundlichen Grüßen")},
            {"SenderName", QStringLiteral("%1 %2").arg(g.pick(kFirstMale), g.pick(kLast))},
            {"To", QStringLiteral("%1 %2").arg(g.pick(kFirstFemale), g.pick(kLast))},
            {"SentOn", g.date(sent)}, {"ReceivedTime", g.date(sent.addSecs(30 + g.below(600)))}};
}

QJsonObject journalFields(Gen &g)
{
    return {{"Subject", QStringLiteral("Telefonat mit %1").arg(g.pick(kLast))},
            {"Start", g.date(g.moment())}, {"Duration", 5 * (1 + g.below(12))},
            {"Type", QStringLiteral("Telefonanruf")}};
}

QJsonArray mailAttachments(Gen &g)
{
    QJsonArray out;
    const int n = g.below(4);
    for (int i = 0; i < n; ++i) {
        const QString name = g.chance(50) ? QStringLiteral("Angebot %1.txt").arg(1 + g.below(50))
                                          : QStringLiteral("Protokoll.txt");
        out.append(QJsonObject{{"fileName", name}, {"type", 1},
                               {"text", QStringLiteral("Inhalt %1\n").arg(g.digits(1 + g.below(6))).repeated(1 + g.below(40))}});
    }
    return out;
}

// Attachments whose contents the fixture reader makes from size and seed.
QJsonArray generatedAttachments(Gen &g, const Options &o)
{
    static const QStringList kExtensions = {"pdf", "docx", "xlsx", "jpg", "zip"};
    QJsonArray out;
    for (int i = 0; i < o.attachmentsPerMail; ++i) {
        const QString name = QStringLiteral("Anlage %1.%2").arg(i + 1).arg(g.pick(kExtensions));
        const qint64 size = g.between(o.attachmentMin, o.attachmentMax);
        const QJsonObject recipe{{"size", size}, {"seed", qint64(g.word())}};
        out.append(QJsonObject{{"fileName", name}, {"type", 1}, {"generate", recipe}});
    }
    return out;
}

void addAttachments(Gen &g, const Options &o, QJsonArray &mails)
{
    for (int i = 0; i < mails.size(); ++i) {
        QJsonObject m = mails[i].toObject();
        const QJsonArray atts = o.attachmentsPerMail < 0 ? mailAttachments(g) : generatedAttachments(g, o);
        if (!atts.isEmpty())
            m["attachments"] = atts;
        mails[i] = m;
    }
}

// Gives `percent` of the items a class of their own, spread evenly, so that
// n items hold exactly n * percent / 100 (rounded down) of them.
QJsonArray withCustomClass(QJsonArray items, int percent, const QString &messageClass)
{
    for (qint64 i = 0; i < items.size(); ++i) {
        if ((i + 1) * percent / 100 == i * percent / 100)
            continue;
        QJsonObject o = items[i].toObject();
        o["messageClass"] = messageClass;
        items[i] = o;
    }
    return items;
}

QJsonObject folder(const char *name, const char *cls, const char *mc, int number, Gen &g,
                   const QJsonArray &items = {})
{
    QJsonObject f{{"name", QString::fromUtf8(name)}, {"entryId", g.id(24)},
                  {"containerClass", QString::fromLatin1(cls)},
                  {"defaultMessageClass", QString::fromLatin1(mc)}, {"defaultFolder", number}};
    if (!items.isEmpty())
        f["items"] = items;
    return f;
}

} // namespace

QJsonObject generate(const Options &o)
{
    Gen g(o.seed);
    const int dup = o.duplicatePercent;
    const int custom = o.customClassPercent;
    QJsonArray mails = makeItems(g, o.mails, dup, 43, "IPM.Note", [&] { return mailFields(g); });
    addAttachments(g, o, mails);
    QJsonArray folders;
    folders.append(folder("Posteingang", "IPF.Note", "IPM.Note", 6, g, withCustomClass(mails, custom, "IPM.Note.Rechnung")));
    folders.append(folder("Postausgang", "IPF.Note", "IPM.Note", 4, g));
    folders.append(folder("Gesendete Objekte", "IPF.Note", "IPM.Note", 5, g));
    folders.append(folder("Gelöschte Objekte", "IPF.Note", "IPM.Note", 3, g));
    folders.append(folder("Entwürfe", "IPF.Note", "IPM.Note", 16, g));
    const QJsonArray appointments = makeItems(g, o.appointments, dup, 26, "IPM.Appointment", [&] { return appointmentFields(g); });
    folders.append(folder("Kalender", "IPF.Appointment", "IPM.Appointment", 9, g,
                          withCustomClass(appointments, custom, "IPM.Appointment.Kundentermin")));
    folders.append(folder("Kontakte", "IPF.Contact", "IPM.Contact", 10, g,
                          makeItems(g, o.contacts, dup, 40, "IPM.Contact", ContactMaker{g, o})));
    const QJsonArray tasks = makeItems(g, o.tasks, dup, 48, "IPM.Task", [&] { return taskFields(g); });
    folders.append(folder("Aufgaben", "IPF.Task", "IPM.Task", 13, g, withCustomClass(tasks, custom, "IPM.Task.Projekt")));
    folders.append(folder("Notizen", "IPF.StickyNote", "IPM.StickyNote", 12, g,
                          makeItems(g, o.notes, dup, 44, "IPM.StickyNote", [&] {
                              return QJsonObject{{"Body", QStringLiteral("Rückruf %1").arg(g.pick(kLast))}, {"Color", g.below(5)}};
                          })));
    const QJsonArray journal = makeItems(g, o.journal, dup, 42, "IPM.Activity", [&] { return journalFields(g); });
    folders.append(folder("Journal", "IPF.Journal", "IPM.Activity", 11, g,
                          withCustomClass(journal, custom, "IPM.Activity.Telefonat")));
    QJsonObject store{{"name", QStringLiteral("Persönliche Ordner")}, {"storeId", g.id(32)},
                      {"entryId", g.id(24)}, {"folders", folders}};
    return {{"stores", QJsonArray{store}}};
}

} // namespace kw::profilegen
