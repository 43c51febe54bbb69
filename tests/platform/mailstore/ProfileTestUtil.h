#pragma once

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/Outlook.h"

#include <QStringList>

namespace kw::test {

inline QString fixturePath(const QString &name)
{
    return QStringLiteral(KW_TEST_FIXTURES "/") + name;
}

// A profile at profilePath built from tests/fixtures/<fixture>, opened.
inline outlook::NameSpacePtr openFixture(const QString &profilePath,
                                         const QString &fixture = QStringLiteral("mailstore_basic.json"))
{
    outlook::fixture::createProfileFromFile(profilePath, fixturePath(fixture));
    return outlook::Application::open(profilePath)->GetNamespace(QStringLiteral("MAPI"));
}

// "Store/Folder/Sub" from the namespace's store roots.
inline outlook::FolderPtr folderAt(const outlook::NameSpacePtr &ns, const QString &path)
{
    const QStringList parts = path.split(u'/');
    outlook::FolderPtr f = ns->Folders()->Item(parts.first());
    for (const QString &p : parts.mid(1))
        f = f->Folders()->Item(p);
    return f;
}

// The number of the kw::PlatformError the call throws; 0 when it throws none.
template <typename F>
long errorNumber(F &&call)
{
    try {
        call();
    } catch (const PlatformError &e) {
        return e.number();
    }
    return 0;
}

} // namespace kw::test
