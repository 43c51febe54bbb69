// bench_telformat: formats 100,000 messy telephone numbers with our formatter
// and, when available, parses and formats the same numbers to international
// form with libphonenumber, in one run.
//
// Prints ours_over_libphonenumber_time_ratio (only with libphonenumber),
// numbers_per_second, preread_ns_per_number (the same numbers through the
// overload a run uses, on settings and tables read once), first_call_ms (the
// first number, which reads the tables) and example_area_code_share (share of
// the frozen library example numbers of tests/fixtures/telephone whose
// bracketed area code is the library's) on stdout. Details go to stderr as key: value lines too:
// ours_seconds, changed_share, errors_reported and, with libphonenumber,
// libphonenumber_seconds and digits_agree_share (share of the numbers both
// rewrote whose digits agree). With --show N it also lists the first N
// numbers whose digits disagree.

#include "NumberGenerator.h"

#include "contacts/telephone/TelNrStandard.h"
#include "contacts/telephone/TelSettings.h"
#include "contacts/telephone/TelTables.h"
#include "platform/refdb/Database.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#ifdef KW_HAVE_LIBPHONENUMBER
#include <phonenumbers/phonenumberutil.h>
#endif

namespace tel = kw::contacts::telephone;

namespace {

constexpr int kNumbers = 100000;
constexpr quint32 kSeed = 20261208;

#ifdef KW_HAVE_LIBPHONENUMBER
QString onlyDigits(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            out += c;
    }
    return out;
}
#endif

struct Run
{
    double firstCallSeconds = 0;
    double seconds = 0;
    QStringList results; // "" where the formatter did not recognise the number
};

Run runOurs(const QStringList &numbers, kw::Settings &settings, kw::Messages &messages, kw::refdb::Database &db)
{
    Run run;
    run.results.reserve(numbers.size());
    bool changed = false;
    QElapsedTimer timer;
    timer.start();
    tel::TelNrStandard::FormatTelNumber(QStringLiteral("0711 1"), changed, settings, messages, db); // load tables
    run.firstCallSeconds = timer.nsecsElapsed() / 1e9;
    timer.start();
    for (const QString &number : numbers) {
        const QString out = tel::TelNrStandard::FormatTelNumber(number, changed, settings, messages, db);
        run.results << (changed ? out : QString());
    }
    run.seconds = timer.nsecsElapsed() / 1e9;
    return run;
}

// As the telephone run formats: settings and tables read once, then only the
// formatting itself is timed.
double prereadSeconds(const QStringList &numbers, kw::Settings &settings, kw::refdb::Database &db)
{
    const auto cfg = tel::TelSettings::current(settings);
    const auto tables =
        db.cached<tel::TelTables>([](kw::refdb::Connection &c) { return tel::TelTables::read(c); });
    bool changed = false;
    QElapsedTimer timer;
    timer.start();
    for (const QString &number : numbers)
        tel::TelNrStandard::FormatTelNumber(number, changed, *cfg, *tables);
    return timer.nsecsElapsed() / 1e9;
}

// Region,Typed,E164,AreaCode rows of the frozen sample: the share whose
// formatted number brackets exactly the expected area code.
double exampleAreaCodeShare(kw::Settings &settings, kw::refdb::Database &db)
{
    QFile file(QStringLiteral(KW_SOURCE_DIR "/tests/fixtures/telephone/example_numbers.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const auto cfg = tel::TelSettings::current(settings);
    const auto tables =
        db.cached<tel::TelTables>([](kw::refdb::Connection &c) { return tel::TelTables::read(c); });
    int all = 0;
    int right = 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> f = line.trimmed().split(',');
        if (f.size() != 4 || line.startsWith('#') || f[0] == "Region")
            continue;
        bool changed = false;
        const QString out = tel::TelNrStandard::FormatTelNumber(QString::fromUtf8(f[1]), changed, *cfg, *tables);
        ++all;
        right += out.contains(QStringLiteral(" (") + QString::fromUtf8(f[3]) + QStringLiteral(") ")) ? 1 : 0;
    }
    return all ? double(right) / all : 0;
}

#ifdef KW_HAVE_LIBPHONENUMBER
Run runLibphonenumber(const QStringList &numbers)
{
    using i18n::phonenumbers::PhoneNumber;
    using i18n::phonenumbers::PhoneNumberUtil;
    const PhoneNumberUtil &util = *PhoneNumberUtil::GetInstance();
    std::vector<std::string> inputs;
    inputs.reserve(numbers.size());
    for (const QString &number : numbers)
        inputs.push_back(number.toStdString());
    Run run;
    std::vector<std::string> outputs(inputs.size());
    PhoneNumber parsed;
    util.Parse("0711 1", "DE", &parsed); // load metadata
    QElapsedTimer timer;
    timer.start();
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (util.Parse(inputs[i], "DE", &parsed) == PhoneNumberUtil::NO_PARSING_ERROR)
            util.Format(parsed, PhoneNumberUtil::INTERNATIONAL, &outputs[i]);
    }
    run.seconds = timer.nsecsElapsed() / 1e9;
    for (const std::string &out : outputs)
        run.results << QString::fromStdString(out);
    return run;
}
#endif

void print(const char *key, double value)
{
    std::printf(value >= 1000 ? "%s: %.0f\n" : "%s: %.3f\n", key, value);
}

void detail(const char *key, double value)
{
    std::fprintf(stderr, "%s: %.4g\n", key, value);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dbPath = dir.filePath(QStringLiteral("KontorwerkPub.db"));
    if (!QFile::copy(QStringLiteral(KW_DATA_DIR "/KontorwerkPub.db"), dbPath)) {
        std::fprintf(stderr, "bench_telformat: %s/KontorwerkPub.db missing\n", KW_DATA_DIR);
        return 0;
    }
    kw::registry::Registry registry(dir.filePath(QStringLiteral("registry.reg")));
    kw::ui::ScriptedMessageBox box;
    kw::Messages messages(box, dir.path());
    kw::Settings settings(registry, messages);
    settings.InitDefaultSettings();
    kw::refdb::Database db(dbPath);

    const QStringList numbers = kw::bench::messyNumbers(kNumbers, kSeed);
    const Run ours = runOurs(numbers, settings, messages, db);
    const auto changed = std::count_if(ours.results.cbegin(), ours.results.cend(),
                                       [](const QString &r) { return !r.isEmpty(); });
    detail("ours_seconds", ours.seconds);
    detail("changed_share", double(changed) / kNumbers);
    detail("errors_reported", box.shown.size());
    const double preread = prereadSeconds(numbers, settings, db);
#ifdef KW_HAVE_LIBPHONENUMBER
    const Run theirs = runLibphonenumber(numbers);
    const int showIndex = app.arguments().indexOf(QStringLiteral("--show"));
    int toShow = showIndex > 0 ? app.arguments().value(showIndex + 1).toInt() : 0;
    int both = 0;
    int agree = 0;
    for (int i = 0; i < kNumbers; ++i) {
        if (ours.results.at(i).isEmpty() || theirs.results.at(i).isEmpty())
            continue;
        ++both;
        const bool same = onlyDigits(ours.results.at(i)) == onlyDigits(theirs.results.at(i));
        agree += same ? 1 : 0;
        if (!same && toShow-- > 0) {
            std::fprintf(stderr, "%s -> ours %s, theirs %s\n", qPrintable(numbers.at(i)),
                         qPrintable(ours.results.at(i)), qPrintable(theirs.results.at(i)));
        }
    }
    detail("libphonenumber_seconds", theirs.seconds);
    detail("digits_agree_share", both ? double(agree) / both : 0.0);
    print("ours_over_libphonenumber_time_ratio", ours.seconds / theirs.seconds);
#endif
    print("numbers_per_second", kNumbers / ours.seconds);
    print("preread_ns_per_number", preread * 1e9 / kNumbers);
    print("first_call_ms", ours.firstCallSeconds * 1e3);
    print("example_area_code_share", exampleAreaCodeShare(settings, db));
    return 0;
}
