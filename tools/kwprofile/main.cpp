// kwprofile: create a profile from a JSON fixture, dump one as JSON, or
// generate a large synthetic one. The usage text below lists the options.
#include "SyntheticProfile.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/FixtureContent.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <cstdio>
#include <optional>

namespace {

int usage()
{
    std::fputs("Aufruf:\n"
               "  kwprofile create PROFIL FIXTURE.json [--base ORDNER]\n"
               "  kwprofile dump PROFIL\n"
               "  kwprofile generate PROFIL [--contacts N] [--appointments N] [--tasks N]\n"
               "            [--mails N] [--notes N] [--journal N] [--duplicates PROZENT] [--seed S]\n"
               "            [--phone-fields N] [--messy-names] [--attachments N]\n"
               "            [--attachment-size MIN-MAX] [--custom-classes PROZENT]\n"
               "\n"
               "  --base ORDNER              setzt ORDNER für ${BASE} am Anfang der Pfade von\n"
               "                             Verknüpfungen ein (ohne --base bleibt ${BASE} stehen)\n"
               "  --phone-fields N           füllt N der 19 Telefon- und Faxfelder jedes Kontakts\n"
               "                             mit unordentlichen Nummern; jede fünfte steht schon\n"
               "                             im Format +49 (711) 1234567\n"
               "  --messy-names              schreibt die vollständigen Namen unordentlich:\n"
               "                             GROSS, \"Nachname, Vorname\", überzählige Leerzeichen,\n"
               "                             \"&\", Anrede und Titel, Firmenname ohne Firmenfeld\n"
               "  --attachments N            genau N Anlagen je Mail, Inhalt aus dem Startwert\n"
               "  --attachment-size MIN-MAX  Größe dieser Anlagen in Bytes (Vorgabe 1000-100000)\n"
               "  --custom-classes PROZENT   Anteil der Termine, Aufgaben, Mails und\n"
               "                             Journaleinträge mit eigener Nachrichtenklasse\n",
               stderr);
    return 2;
}

void fail(const QString &text)
{
    std::fprintf(stderr, "kwprofile: %s\n", text.toLocal8Bit().constData());
}

std::optional<qint64> count(const QString &text, qint64 max)
{
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    return ok && v >= 0 && v <= max ? std::optional(v) : std::nullopt;
}

// "MIN-MAX" in bytes.
bool parseSizeRange(const QString &text, kw::profilegen::Options &o)
{
    const QStringList parts = text.split(u'-');
    const auto lo = count(parts.value(0), kw::mailstore::fixture::kMaxGeneratedSize);
    const auto hi = count(parts.value(1), kw::mailstore::fixture::kMaxGeneratedSize);
    if (parts.size() != 2 || !lo || !hi || *lo > *hi) {
        fail(QStringLiteral("--attachment-size erwartet MIN-MAX in Bytes (höchstens %1): %2")
                 .arg(kw::mailstore::fixture::kMaxGeneratedSize)
                 .arg(text));
        return false;
    }
    o.attachmentMin = *lo;
    o.attachmentMax = *hi;
    return true;
}

bool withinLimits(const kw::profilegen::Options &o)
{
    const struct { const char *option; int value, max; } limits[] = {
        {"--duplicates", o.duplicatePercent, 100}, {"--custom-classes", o.customClassPercent, 100},
        {"--phone-fields", o.phoneFields, 19}};
    for (const auto &l : limits) {
        if (l.value > l.max) {
            fail(QStringLiteral("%1 liegt zwischen 0 und %2").arg(QLatin1String(l.option)).arg(l.max));
            return false;
        }
    }
    return true;
}

// Reads the options of generate; false on anything unknown or out of range.
bool parseGenerate(const QStringList &args, kw::profilegen::Options &o)
{
    const QHash<QString, int *> ints = {
        {"--contacts", &o.contacts}, {"--appointments", &o.appointments}, {"--tasks", &o.tasks},
        {"--mails", &o.mails},       {"--notes", &o.notes},               {"--journal", &o.journal},
        {"--duplicates", &o.duplicatePercent}, {"--phone-fields", &o.phoneFields},
        {"--attachments", &o.attachmentsPerMail}, {"--custom-classes", &o.customClassPercent}};
    for (int i = 0; i < args.size(); ++i) {
        const QString &name = args[i];
        if (name == u"--messy-names") {
            o.messyNames = true;
            continue;
        }
        if (!ints.contains(name) && name != u"--seed" && name != u"--attachment-size") {
            fail(QStringLiteral("unbekannte Option %1").arg(name));
            return false;
        }
        if (++i >= args.size()) {
            fail(QStringLiteral("Wert fehlt nach %1").arg(name));
            return false;
        }
        if (name == u"--attachment-size") {
            if (!parseSizeRange(args[i], o))
                return false;
            continue;
        }
        const auto v = count(args[i], name == u"--seed" ? 0xFFFFFFFFLL : 10'000'000);
        if (!v) {
            fail(QStringLiteral("ungültige Zahl für %1: %2").arg(name, args[i]));
            return false;
        }
        if (name == u"--seed")
            o.seed = quint32(*v);
        else
            *ints.value(name) = int(*v);
    }
    return withinLimits(o);
}

int run(const QStringList &args)
{
    if (args.size() < 2)
        return usage();
    const QString command = args[0];
    const QString profile = args[1];
    if (command == u"create" && (args.size() == 3 || (args.size() == 5 && args[3] == u"--base"))) {
        // Links get full paths whatever the folder was given as.
        const QString base = args.size() == 5 ? QDir::cleanPath(QDir(args[4]).absolutePath()) : QString();
        kw::mailstore::fixture::createProfileFromFile(profile, args[2], base);
        return 0;
    }
    if (command == u"dump" && args.size() == 2) {
        const QByteArray json = kw::mailstore::fixture::canonicalJson(kw::mailstore::fixture::dumpProfile(profile));
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(json) != json.size()) {
            fail(QStringLiteral("Ausgabe fehlgeschlagen"));
            return 1;
        }
        return 0;
    }
    if (command == u"generate") {
        kw::profilegen::Options o;
        if (!parseGenerate(args.mid(2), o))
            return 2;
        kw::mailstore::fixture::createProfile(profile, kw::profilegen::generate(o));
        return 0;
    }
    return usage();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    try {
        return run(app.arguments().mid(1));
    } catch (const kw::PlatformError &e) {
        fail(e.description());
    } catch (const std::exception &e) {
        fail(QString::fromLocal8Bit(e.what()));
    }
    return 1;
}
