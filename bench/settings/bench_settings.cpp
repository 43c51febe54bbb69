// Starts the settings on a large valid settings file that lacks the defaults:
// InitDefaultSettings (every missing default in one write) against the same
// defaults written one InitSetting at a time, each a rewrite of the whole
// file. Both start from the same file and must leave the same values.
// Usage: bench_settings [MEGABYTES]
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using namespace kw::registry;

// Other programs' keys with values of ~100 bytes until the text has `bytes`.
QByteArray largeSettingsFile(qint64 bytes)
{
    Hive hive;
    const QByteArray filler = QByteArray("Wert mit etwas Text, wie ihn Programme ablegen; ").repeated(2);
    qint64 size = 0;
    for (int k = 0; size < bytes; ++k) {
        const QString path = QStringLiteral("HKEY_CURRENT_USER\\Software\\Andere\\Programm%1").arg(k);
        Key &key = hive[path.toLower()];
        key.path = path;
        for (int v = 0; v < 200 && size < bytes; ++v) {
            const Value value{QStringLiteral("Eintrag%1").arg(v), REG_SZ, filler + QByteArray::number(v)};
            key.values.insert(value.name.toLower(), value);
            size += value.data.size() + value.name.size() + 6;
        }
    }
    return serialize(hive);
}

struct Run
{
    double seconds = 0;
    QByteArray result;
};

// Times `init` on a fresh copy of the file, including the first read of it.
template <typename Init>
Run timed(const QString &folder, const QByteArray &text, Init init)
{
    const QString file = folder + QStringLiteral("/registry.reg");
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(text);
    out.close();
    kw::ui::ScriptedMessageBox box;
    kw::Messages messages(box, folder);
    Registry registry(file);
    kw::Settings settings(registry, messages);
    QElapsedTimer timer;
    timer.start();
    init(settings);
    Run run{timer.nsecsElapsed() / 1e9, {}};
    QFile in(file);
    in.open(QIODevice::ReadOnly);
    run.result = in.readAll();
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int megabytes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50;
    QTemporaryDir dir;
    const QByteArray text = largeSettingsFile(qint64(megabytes) << 20);

    const Run batch = timed(dir.path(), text, [](kw::Settings &s) { s.InitDefaultSettings(); });
    const Run perValue = timed(dir.path(), text, [](kw::Settings &s) {
        for (const auto &[name, value] : kw::Settings::defaults())
            s.InitSetting(name, value, /*quiet=*/true);
    });
    std::printf("settings_file_mb: %.1f\n", text.size() / 1048576.0);
    std::printf("defaults: %lld\n", static_cast<long long>(kw::Settings::defaults().size()));
    std::printf("init_defaults_%dmb_seconds: %.3f\n", megabytes, batch.seconds);
    std::printf("per_value_%dmb_seconds: %.3f\n", megabytes, perValue.seconds);
    std::printf("same_file_written: %s\n", batch.result == perValue.result ? "yes" : "no");
    std::printf("per_value_vs_batch_ratio: %.1f\n", perValue.seconds / batch.seconds);
    return 0;
}
