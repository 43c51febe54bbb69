// Feeds arbitrary text to FormatTelNumber under four setting profiles (the
// first input byte picks one) over the shipped telephone tables, and checks
// what must hold for any input: no error report, Changed exactly when the
// text changed, and with the default settings a rewritten number keeps the
// trailing digits the user typed.

#include "contacts/telephone/TelNrStandard.h"
#include "platform/refdb/Builder.h"
#include "platform/refdb/Database.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

#include <QCoreApplication>
#include <algorithm>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct Profile
{
    std::unique_ptr<kw::registry::Registry> registry;
    std::unique_ptr<kw::Settings> settings;
};

struct World
{
    QTemporaryDir dir;
    kw::ui::ScriptedMessageBox box;
    std::unique_ptr<kw::Messages> messages;
    std::unique_ptr<kw::refdb::Database> db;
    Profile profiles[4];
};

World *world = nullptr;

const QList<QList<QPair<QString, QString>>> &profileSettings()
{
    static const QList<QList<QPair<QString, QString>>> list = {
        {},
        {{"Plus", "1"}, {"UseNumberBlocksAreaPres", "1"}, {"UseNumberBlocksAreaNo", "1"}, {"BlockA1", "2"},
         {"BlockS1", "3"}, {"BlockS2", "2"}, {"BlockS3", "x"}, {"BlockS4", "-1"}, {"BlockT1", "9999"}},
        {{"DurchwahlTrenn", "%"}, {"DurchwahlTrennOut", "'"}, {"VorwahlTrennOut1", "%"}, {"VorwahlTrennOut2", "_"},
         {"FilterTel", "1"}, {"FilterCountry", "1"}, {"FilterCountryStr", "41"}, {"IDDPOut", " 00 "}},
        {{"IDDP", ""}, {"NDDP", ""}, {"DurchwahlTrennOut", ""}, {"IgnoreCountryCode", "1"}, {"CountryCode", "4'1"},
         {"SchweizKonv", "zz"}},
    };
    return list;
}

QString digitsOf(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        if (QChar::isDigit(code))
            out += QChar(u'0' + QChar::digitValue(code));
    }
    return out;
}

[[noreturn]] void broken(const char *what, const QString &input, const QString &result)
{
    std::fprintf(stderr, "fuzz_telformat: %s\ninput:  %s\nresult: %s\n", what, qPrintable(input), qPrintable(result));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    world = new World;
    const QString dbPath = world->dir.filePath(QStringLiteral("KontorwerkPub.db"));
    const QString data = QStringLiteral(KW_SOURCE_DIR "/data/refdb");
    kw::refdb::buildDatabase(data + "/schema.sql",
                             {data + "/telephone/T_CountryCodes.csv", data + "/telephone/T_CountryAndAreaCodes.csv"},
                             dbPath);
    world->messages = std::make_unique<kw::Messages>(world->box, world->dir.path());
    world->db = std::make_unique<kw::refdb::Database>(dbPath);
    for (int i = 0; i < 4; ++i) {
        Profile &p = world->profiles[i];
        p.registry = std::make_unique<kw::registry::Registry>(world->dir.filePath(QStringLiteral("reg%1.reg").arg(i)));
        p.settings = std::make_unique<kw::Settings>(*p.registry, *world->messages);
        for (const auto &[name, value] : profileSettings().at(i))
            p.settings->SaveSetting(name, value);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int profile = data[0] & 3;
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    bool changed = false;
    const QString result = kw::contacts::telephone::TelNrStandard::FormatTelNumber(
        input, changed, *world->profiles[profile].settings, *world->messages, *world->db);
    if (!world->box.shown.isEmpty())
        broken("error reported", input, world->box.shown.first().prompt);
    const bool blank = std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c == u' '; });
    if (changed != (result != input) && !blank)
        broken("Changed does not match the result", input, result);
    if (profile == 0 && changed && !result.startsWith(QLatin1String("+41 (44) "))) {
        // "+cc (ac) sub" or "+cc sub": area code and subscriber digits are a
        // tail of what the user typed.
        const QString kept = digitsOf(result.mid(result.indexOf(u' ')));
        if (!result.startsWith(u'+') || !digitsOf(input).endsWith(kept))
            broken("digits lost or invented", input, result);
    }
    return 0;
}
