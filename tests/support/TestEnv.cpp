#include "support/TestEnv.h"

#include <QDir>
#include <QFile>

namespace kw::test {
namespace {

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
    QDir().mkpath(programFolder());
}

AppPaths TestEnv::paths(const QString &dataFolder) const
{
    return {programFolder(), registryFile(), profileFile(), dataFolder};
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
