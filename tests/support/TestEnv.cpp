#include "support/TestEnv.h"

#include <QDir>
#include <QFile>

namespace kw::test {
namespace {

const char *const kVars[] = {"KONTORWERK_HOME", "KONTORWERK_REGISTRY", "KONTORWERK_PROFILE", "XDG_CONFIG_HOME"};

QTemporaryDir &checked(QTemporaryDir &dir)
{
    Q_ASSERT(dir.isValid());
    return dir;
}

} // namespace

TestEnv::TestEnv()
    : registry(checked(m_dir).filePath(QStringLiteral("registry.reg")))
    , messages(box, m_dir.filePath(QStringLiteral("home")), &TestEnv::fixedNow)
    , settings(registry, messages)
{
    for (int i = 0; i < 4; ++i)
        m_saved[i] = qgetenv(kVars[i]);
    QDir().mkpath(programFolder());
    qputenv("KONTORWERK_HOME", programFolder().toUtf8());
    qputenv("KONTORWERK_REGISTRY", registryFile().toUtf8());
    qputenv("KONTORWERK_PROFILE", profileFile().toUtf8());
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
}

TestEnv::~TestEnv()
{
    for (int i = 0; i < 4; ++i) {
        if (m_saved[i].isNull())
            qunsetenv(kVars[i]);
        else
            qputenv(kVars[i], m_saved[i]);
    }
}

QString TestEnv::errorLog() const
{
    QFile file(programFolder() + QStringLiteral("/errorlog.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QDateTime TestEnv::fixedNow()
{
    return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9));
}

} // namespace kw::test
