// The runs over link attachments: import and move.
#include "itemtools/AttachmentSaveFunctions.h"

#include "itemtools/AttachmentWalk.h"
#include "platform/files/Files.h"
#include "platform/mailstore/Attachments.h"
#include "platform/mapi/MapiTags.h"
#include "shell/SettingNames.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"

#include <QFileInfo>

#include <optional>

namespace kw::itemtools {
namespace {

const QString kNotFound = QString::fromUtf8(" Anlagen konnten nicht %1 werden, weil das verknüpfte Element nicht "
                                            "gefunden wurde.");

// The link at index, or null for any other attachment.
struct Link
{
    mapi::SafeAttachmentPtr attachment;
    QString path; // of its file
};

// The attachment at `index` when it is a link whose file is there. A link
// whose file is gone is counted as missing and stays in the item.
std::optional<Link> linkWithFile(AttachmentRun &run, MailItemCursor &item, int index)
{
    mapi::SafeAttachmentPtr att = item.attachments()->Item(index);
    if (att->Type() != mailstore::attachtype::ByReference)
        return std::nullopt;
    QString path = att->Fields(mapi::PR_ATTACH_PATHNAME).toString();
    if (!files::FileExists(path)) {
        ++run.missing;
        return std::nullopt;
    }
    return Link{std::move(att), std::move(path)};
}

// Inside folder or a folder below it, symbolic links resolved.
bool liesIn(const QString &file, const QString &folder)
{
    const QString root = folder.isEmpty() ? QString() : QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty())
        return false;
    const QString prefix = root.endsWith(u'/') ? root : root + u'/';
    return QFileInfo(file).canonicalFilePath().startsWith(prefix);
}

// "3 Anlagen importiert." and, for links whose file is gone, the missing message.
void showSummary(RunContext &ctx, const AttachmentRun &run, const QString &verb)
{
    ctx.messages.ShowMessage(QStringLiteral("%1 Anlagen %2.").arg(run.total).arg(verb), ui::mb::Information,
                             titles::Info);
    if (run.missing > 0)
        ctx.messages.ShowMessage(QString::number(run.missing) + kNotFound.arg(verb), ui::mb::Critical,
                                 titles::Fehler);
}

// The file's content goes back into the item under the link's name. The file
// is deleted only once the item holding its content is saved, and only when
// the export folder holds it: a link may point at a file the user keeps.
void importLink(const QString &exportFolder, AttachmentRun &run, MailItemCursor &item, int index)
{
    const std::optional<Link> found = linkWithFile(run, item, index);
    if (!found)
        return;
    const mapi::SafeAttachmentPtr &link = found->attachment;
    const QString &path = found->path;
    const QString name = link->DisplayName();
    try {
        const mapi::SafeAttachmentPtr added =
            item.attachments()->Add(path, mailstore::attachtype::ByValue, 0, name);
        if (!name.isEmpty())
            added->attachment()->setFileName(name);
        link->Delete();
        item.safe().Save();
    } catch (...) {
        item.reloadAfterFailure();
        throw;
    }
    ++run.total;
    if (liesIn(path, exportFolder))
        files::DeleteFile(path);
}

struct MoveRun
{
    QString target; // with a trailing "/"
    FreeNames names;
};

bool inFolder(const QString &path, const QString &folder)
{
    const QFileInfo file(path);
    const QString here = file.canonicalPath();
    return !here.isEmpty() && here == QFileInfo(folder).canonicalFilePath();
}

// Copy, save the item with the new link, then delete the old file: a failed
// save leaves the old file and link as they were.
void moveLink(MoveRun &move, AttachmentRun &run, MailItemCursor &item, int index)
{
    const std::optional<Link> found = linkWithFile(run, item, index);
    if (!found)
        return;
    const mapi::SafeAttachmentPtr &link = found->attachment;
    const QString &path = found->path;
    if (inFolder(path, move.target))
        return;
    const QString wanted = files::BuildPath(move.target, files::GetFilename(path));
    const QString dest =
        move.names.place(wanted, [&](const QString &free) { files::LinkOrCopyFile(path, free); });
    try {
        item.attachments()->Add(dest, mailstore::attachtype::ByReference, 0, link->DisplayName());
        link->Delete();
        item.safe().Save();
    } catch (...) {
        discardFile(dest);
        item.reloadAfterFailure();
        throw;
    }
    ++run.total;
    files::DeleteFile(path);
}

} // namespace

void ImportAttachments(RunContext &ctx)
{
    const QString exportFolder = ctx.settings.GetSetting(setting::AttPath, {});
    const RunFrame frame{place::ImportAttachments, QStringLiteral("Importiere Anlagen..."),
                         QStringLiteral("ImportAttachments"), [&](AttachmentRun &run, const WorkingSet &) {
                             showSummary(ctx, run, QStringLiteral("importiert"));
                         }};
    runAttachmentWalk(ctx, frame, [&](AttachmentRun &run, MailItemCursor &item, int index) {
        importLink(exportFolder, run, item, index);
    });
}

void MoveAttachments(RunContext &ctx)
{
    MoveRun move;
    move.target = ctx.BrowseForFolder(QStringLiteral("Geben Sie den Zielordner an:"));
    if (move.target.isEmpty())
        return;
    if (!move.target.endsWith(u'/'))
        move.target += u'/';
    const RunFrame frame{place::MoveAttachments, QStringLiteral("Verschiebe Anlagen..."),
                         QStringLiteral("MoveAttachments"), [&](AttachmentRun &run, const WorkingSet &) {
                             showSummary(ctx, run, QStringLiteral("verschoben"));
                         }};
    runAttachmentWalk(ctx, frame, [&](AttachmentRun &run, MailItemCursor &item, int index) {
        moveLink(move, run, item, index);
    });
}

} // namespace kw::itemtools
