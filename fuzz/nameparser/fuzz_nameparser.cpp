// libFuzzer target: any bytes as a full name and a layout must parse and
// build without crashing, and the parts must come back trimmed.
//
// Input: first byte's low bit = look for company names; the rest is UTF-8,
// split at the first NUL into the full name and the layout.

#include "contacts/names/NameCorrectionFunctions.h"
#include "contacts/names/NameWordCsv.h"
#include "platform/ui/MessageBox.h"
#include "shell/GlobalFunctions.h"

#include <QTemporaryDir>
#include <cstdlib>

using namespace kw;
using namespace kw::contacts::names;

namespace {

struct World
{
    QTemporaryDir home;
    ui::ScriptedMessageBox box;
    Messages messages{box, home.path()};
    FixedNameWordSource words{
        std::make_shared<const NameWordTables>(loadNameWordCsvFolder(QStringLiteral(KW_NAME_TABLES)))};
};

void requireTrimmed(const QString &part)
{
    if (part.startsWith(QLatin1Char(' ')) || part.endsWith(QLatin1Char(' ')))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static World world;
    if (size == 0)
        return 0;
    const bool checkBusiness = data[0] & 1;
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const qsizetype nul = rest.indexOf('\0');
    const QString fullName = QString::fromUtf8(nul < 0 ? rest : rest.left(nul));
    const QString layout = nul < 0 ? QString() : QString::fromUtf8(rest.mid(nul + 1));

    const auto parsed = ParseFullName(fullName, checkBusiness, world.words, world.messages);
    if (!parsed)
        std::abort(); // fixed tables never fail
    for (const QString &part : {parsed->Title, parsed->FirstName, parsed->MiddleName, parsed->LastName, parsed->Suffix})
        requireTrimmed(part);
    requireTrimmed(BuildNameLayout(parsed->Title, parsed->FirstName, parsed->MiddleName, parsed->LastName,
                                   parsed->Suffix, fullName, layout));
    return 0;
}
