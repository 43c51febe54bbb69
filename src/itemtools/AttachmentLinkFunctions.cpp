// The runs over link attachments: import and move.
#include "itemtools/AttachmentSaveFunctions.h"

#include "itemtools/AttachmentLinkCounts.h"
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
const QString kKept = QStringLiteral(" %1 Dateien blieben erhalten, weil noch andere Anlagen darauf verweisen.");

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
    return QFileInfo(file).canonicalFilePath().startsWith(withTrailingSlash(root));
}

// "3 Anlagen importiert.", with the files kept for other links when there are
// any, and, for links whose file is gone, the missing message.
void showSummary(RunContext &ctx, const AttachmentRun &run, const QString &verb, int kept)
{
    QString summary = QStringLiteral("%1 Anlagen %2.").arg(run.total).arg(verb);
    if (kept > 0)
        summary += kKept.arg(kept);
    ctx.messages.ShowMessage(summary, ui::mb::Information, titles::Info);
    if (run.missing > 0)
        ctx.messages.ShowMessage(QString::number(run.missing) + kNotFound.arg(verb), ui::mb::Critical,
                                 titles::Fehler);
}

struct ImportRun
{
    QString exportFolder;
    std::optional<LinkedFiles> links;
};

// The file's content goes back into the item under the link's name. The file
// is deleted only once the item holding its content is saved, only when the
// export folder holds it (a link may point at a file the user keeps), and
// only when no other link of the profile points to it.
void importLink(ImportRun &import, AttachmentRun &run, MailItemCursor &item, int index)
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
    import.links->linkRemoved(path);
    if (liesIn(path, import.exportFolder))
        import.links->deleteUnlessLinked(path);
}

struct MoveRun
{
    QString target; // with a trailing "/"
    FreeNames names;
    std::optional<LinkedFiles> links;
    QHash<QString, QString> movedTo; // the new path of each file moved, by LinkedFiles::fileKey
};

// By the folders as resolved: a target given through a symbolic link to the
// folder that holds the file is where the file already is.
bool inFolder(const QString &path, const QString &folder)
{
    const QFileInfo file(path);
    const QString here = file.canonicalPath();
    return !here.isEmpty() && here == QFileInfo(folder).canonicalFilePath();
}

// Copy, save the item with the new link, then delete the old file: a failed
// save leaves the old file and link as they were. A file that an earlier
// link took along already is not copied again: this link follows it. The old
// file goes only with the last link that points to it.
void moveLink(MoveRun &move, AttachmentRun &run, MailItemCursor &item, int index)
{
    const std::optional<Link> found = linkWithFile(run, item, index);
    if (!found)
        return;
    const mapi::SafeAttachmentPtr &link = found->attachment;
    const QString &path = found->path;
    if (inFolder(path, move.target))
        return;
    const QString key = LinkedFiles::fileKey(path);
    QString dest = move.movedTo.value(key);
    const bool placed = dest.isEmpty();
    if (placed) {
        const QString wanted = files::BuildPath(move.target, files::GetFilename(path));
        dest = move.names.place(wanted, [&](const QString &free) { files::LinkOrCopyFile(path, free); });
    }
    try {
        item.attachments()->Add(dest, mailstore::attachtype::ByReference, 0, link->DisplayName());
        link->Delete();
        item.safe().Save();
    } catch (...) {
        if (placed)
            discardFile(dest);
        item.reloadAfterFailure();
        throw;
    }
    if (placed)
        move.movedTo.insert(key, dest);
    ++run.total;
    move.links->linkRemoved(path);
    move.links->linkAdded(dest);
    move.links->deleteUnlessLinked(path);
}

} // namespace

void ImportAttachments(RunContext &ctx)
{
    ImportRun import{ctx.settings.GetSetting(setting::AttPath, {}), {}};
    const AttachmentFrame frame{place::ImportAttachments, QStringLiteral("Importiere Anlagen..."),
                         QStringLiteral("ImportAttachments"),
                         [&](AttachmentRun &run, const WorkingSet &) {
                             showSummary(ctx, run, QStringLiteral("importiert"), import.links->keptCount());
                         },
                         [&](const WorkingSet &set) { import.links.emplace(set); }};
    runAttachmentWalk(ctx, frame, [&](AttachmentRun &run, MailItemCursor &item, int index) {
        importLink(import, run, item, index);
    });
}

void MoveAttachments(RunContext &ctx)
{
    MoveRun move;
    move.target = ctx.BrowseForFolder(QStringLiteral("Geben Sie den Zielordner an:"));
    if (move.target.isEmpty())
        return;
    move.target = withTrailingSlash(move.target);
    const AttachmentFrame frame{place::MoveAttachments, QStringLiteral("Verschiebe Anlagen..."),
                         QStringLiteral("MoveAttachments"),
                         [&](AttachmentRun &run, const WorkingSet &) {
                             showSummary(ctx, run, QStringLiteral("verschoben"), move.links->keptCount());
                         },
                         [&](const WorkingSet &set) { move.links.emplace(set); }};
    runAttachmentWalk(ctx, frame, [&](AttachmentRun &run, MailItemCursor &item, int index) {
        moveLink(move, run, item, index);
    });
}

} // namespace kw::itemtools
