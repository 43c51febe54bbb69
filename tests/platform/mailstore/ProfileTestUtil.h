#pragma once

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Fixture.h"
#include "platform/mailstore/MailStore.h"

#include <QStringList>

namespace kw::test {

inline QString fixturePath(const QString &name)
{
    return QStringLiteral(KW_TEST_FIXTURES "/") + name;
}

// A profile at profilePath built from tests/fixtures/<fixture>, opened.
inline mailstore::NameSpacePtr openFixture(const QString &profilePath,
                                         const QString &fixture = QStringLiteral("mailstore_basic.json"))
{
    mailstore::fixture::createProfileFromFile(profilePath, fixturePath(fixture));
    return mailstore::Application::open(profilePath)->GetNamespace(QStringLiteral("MAPI"));
}

// "Store/Folder/Sub" from the namespace's store roots.
inline mailstore::FolderPtr folderAt(const mailstore::NameSpacePtr &ns, const QString &path)
{
    const QStringList parts = path.split(u'/');
    mailstore::FolderPtr f = ns->Folders()->Item(parts.first());
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
