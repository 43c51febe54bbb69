// Parses 100,000 synthetic full names twice against the shipped word tables:
// once through the per-call path the program uses (each call confirms the
// database is unchanged) and once with the tables held in memory for the
// whole run. Prints "key: value" lines.

#include "contacts/names/NameCorrectionFunctions.h"
#include "contacts/names/NameWordDatabase.h"
#include "platform/refdb/Database.h"
#include "platform/ui/MessageBox.h"
#include "shell/GlobalFunctions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <random>

using namespace kw;
using namespace kw::contacts::names;

namespace {

const char *const kFirst[] = {"Hans", "Peter", "Anna", "Lena", "Klaus", "Maria", "Jürgen", "Sabine", "Thomas",
                              "Ute", "Michael", "Petra", "Stefan", "Monika", "Andreas", "Karin", "Wolfgang",
                              "Claudia", "Frank", "Birgit", "Günther", "Jörg", "Käthe", "Luca", "Mia"};
const char *const kLast[] = {"Müller", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner", "Becker",
                             "Schulz", "Hoffmann", "Schäfer", "Koch", "Bauer", "Richter", "Klein", "Wolf",
                             "Schröder", "Neumann", "Schwarz", "Zimmermann", "Braun", "Krüger", "Hofmann",
                             "Hartmann", "Lange", "O'Neill", "von Weizsäcker"};
const char *const kTitle[] = {"Dr.", "Prof. Dr.", "Dr. med.", "Dipl.-Ing.", "Dipl.-Ing. (FH)", "Dr.-Ing.",
                              "Prof. Dr. rer. nat.", "Mag.", "Dr. h. c."};
const char *const kAddress[] = {"Herr", "Frau", "Herrn"};
const char *const kSuffix[] = {"jun.", "sen.", "MdB", "a.D."};
const char *const kCompany[] = {"GmbH", "GmbH & Co. KG", "AG", "Consulting", "e.V.", "Versicherung"};

template <std::size_t N>
QString pick(std::mt19937 &rng, const char *const (&list)[N])
{
    return QString::fromUtf8(list[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng)]);
}

QString syntheticName(std::mt19937 &rng)
{
    std::uniform_int_distribution<int> percent(0, 99);
    QString first = pick(rng, kFirst);
    if (percent(rng) < 15)
        first += QLatin1Char('-') + pick(rng, kFirst);
    QString last = pick(rng, kLast);
    if (percent(rng) < 10)
        last += QLatin1Char('-') + pick(rng, kLast);
    if (percent(rng) < 8)
        return last + QLatin1Char(' ') + pick(rng, kCompany);
    if (percent(rng) < 20)
        return last + QStringLiteral(", ") + first;
    QStringList parts;
    if (percent(rng) < 30)
        parts << pick(rng, kAddress);
    if (percent(rng) < 35)
        parts << pick(rng, kTitle);
    parts << first << last;
    if (percent(rng) < 5)
        parts << pick(rng, kSuffix);
    return parts.join(QLatin1Char(' '));
}

double secondsFor(const QStringList &names, NameWordSource &words, Messages &messages)
{
    QElapsedTimer timer;
    timer.start();
    qsizetype checksum = 0;
    for (const QString &name : names) {
        const auto parsed = ParseFullName(name, true, words, messages);
        checksum += parsed ? parsed->LastName.size() : -1;
    }
    if (checksum <= 0)
        qFatal("no names parsed");
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    std::mt19937 rng(20261208);
    QStringList names;
    for (int i = 0; i < 100000; ++i)
        names << syntheticName(rng);

    QTemporaryDir home;
    ui::ScriptedMessageBox box;
    Messages messages(box, home.path());
    const QString path = QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db");
    std::shared_ptr<const NameWordTables> tables;
    {
        refdb::Database once(path);
        tables = NameWordDatabase(once).acquire();
    }
    FixedNameWordSource preloaded(tables);
    // The per-call run starts cold and reads the tables at its first name, as a run does.
    refdb::Database database(path);
    NameWordDatabase perCall(database);

    const double perCallSeconds = secondsFor(names, perCall, messages);
    const double preloadedSeconds = secondsFor(names, preloaded, messages);
    out << "names: " << names.size() << "\n";
    out << "per_call_seconds: " << perCallSeconds << "\n";
    out << "preloaded_seconds: " << preloadedSeconds << "\n";
    out << "per_call_over_preloaded_ratio: " << perCallSeconds / preloadedSeconds << "\n";
    out << "names_per_second: " << qint64(names.size() / perCallSeconds) << "\n";
    return 0;
}
