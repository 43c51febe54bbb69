#include "platform/mailstore/Application.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mailstore/ProfileDb.h"

namespace kw::mailstore {

namespace {

QString &defaultVersion()
{
    static QString v = QStringLiteral("16.0");
    return v;
}

} // namespace

Application::Application(ProfileDbPtr db) : m_db(std::move(db)), m_version(defaultVersion()) {}

ApplicationPtr Application::open(const QString &profilePath)
{
    return std::make_shared<Application>(ProfileDb::open(profilePath));
}

void Application::setDefaultVersion(const QString &version)
{
    defaultVersion() = version;
}

NameSpacePtr Application::GetNamespace(const QString &type)
{
    if (type.compare(u"MAPI", Qt::CaseInsensitive) != 0)
        throw PlatformError(errors::kInvalidArgument,
                            QStringLiteral("Unbekannter Namensraum \"%1\".").arg(type));
    return std::make_shared<NameSpace>(m_db);
}

} // namespace kw::mailstore
