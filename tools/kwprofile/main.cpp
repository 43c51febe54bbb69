// kwprofile: create a profile from a JSON fixture, dump one as JSON, or
// generate a large synthetic one.
//
//   kwprofile create PROFILE FIXTURE.json
//   kwprofile dump PROFILE
//   kwprofile generate PROFILE --contacts N --appointments N --tasks N --mails N
//             --notes N --journal N --duplicates PERCENT --seed S
#include "SyntheticProfile.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Fixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <cstdio>

namespace {

int usage()
{
    std::fputs("Aufruf:\n"
               "  kwprofile create PROFIL FIXTURE.json\n"
               "  kwprofile dump PROFIL\n"
               "  kwprofile generate PROFIL [--contacts N] [--appointments N] [--tasks N]\n"
               "            [--mails N] [--notes N] [--journal N] [--duplicates PROZENT] [--seed S]\n",
               stderr);
    return 2;
}

void fail(const QString &text)
{
    std::fprintf(stderr, "kwprofile: %s\n", text.toLocal8Bit().constData());
}

// Reads "--name value" pairs into the options; false on anything unknown.
bool parseGenerate(const QStringList &args, kw::profilegen::Options &o)
{
    const QHash<QString, int *> ints = {
        {"--contacts", &o.contacts}, {"--appointments", &o.appointments}, {"--tasks", &o.tasks},
        {"--mails", &o.mails},       {"--notes", &o.notes},               {"--journal", &o.journal},
        {"--duplicates", &o.duplicatePercent}};
    for (int i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            fail(QStringLiteral("Wert fehlt nach %1").arg(args[i]));
            return false;
        }
        bool ok = false;
        const long long v = args[i + 1].toLongLong(&ok);
        if (!ok || v < 0 || v > 10'000'000) {
            fail(QStringLiteral("ungültige Zahl für %1: %2").arg(args[i], args[i + 1]));
            return false;
        }
        if (args[i] == u"--seed")
            o.seed = quint32(v);
        else if (int *target = ints.value(args[i]))
            *target = int(v);
        else {
            fail(QStringLiteral("unbekannte Option %1").arg(args[i]));
            return false;
        }
    }
    if (o.duplicatePercent > 100) {
        fail(QStringLiteral("--duplicates liegt zwischen 0 und 100"));
        return false;
    }
    return true;
}

int run(const QStringList &args)
{
    if (args.size() < 2)
        return usage();
    const QString command = args[0];
    const QString profile = args[1];
    if (command == u"create" && args.size() == 3) {
        kw::mailstore::fixture::createProfileFromFile(profile, args[2]);
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
