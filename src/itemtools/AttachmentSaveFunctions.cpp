// The attachment export.
#include "itemtools/AttachmentSaveFunctions.h"

#include "itemtools/AttachmentWalk.h"
#include "platform/core/PlatformError.h"
#include "platform/files/Files.h"
#include "platform/mailstore/Attachments.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/ProfileDb.h"
#include "platform/mapi/MapiTags.h"
#include "shell/ErrorTrap.h"
#include "shell/GlobalFunctions.h"
#include "shell/RegistryFunctions.h"
#include "shell/SettingNames.h"

#include <QFileInfo>
#include <set>

namespace kw::itemtools {
namespace {

const QString kNoFolder = QString::fromUtf8(
    "Kein Dateiordner gewählt. Bitte wählen Sie in den Optionen zuerst einen Dateiordner für diese Funktion aus.");

struct ExportRun
{
    QString folder; // with a trailing "/"
    int threshold = 0;
    FreeNames names;
};

bool qualifies(const mapi::SafeAttachment &att, int threshold)
{
    return att.Type() == mailstore::attachtype::ByValue && att.Size() >= threshold
           && !att.Fields(mapi::PR_ATTACHMENT_HIDDEN).toBool();
}

// File first, then the link in place of the attachment in one save: a run
// ended at any point leaves the attachment in its item or in a file its link
// points to (at worst a file nothing points to yet).
void exportAttachment(ExportRun &run, AttachmentRun &counts, MailItemCursor &item, int index)
{
    const mapi::SafeAttachmentPtr att = item.attachments()->Item(index);
    if (!qualifies(*att, run.threshold))
        return;
    const QString name = att->FileName();
    const QByteArray content = att->attachment()->content();
    const QString path = run.names.place(run.folder + CleanFileName(name),
                                         [&](const QString &free) { files::createNewFile(free, content); });
    try {
        item.attachments()->Add(path, mailstore::attachtype::ByReference, 0, name);
        att->Delete();
        item.safe().Save();
    } catch (...) {
        discardFile(path);
        item.reloadAfterFailure();
        throw;
    }
    ++counts.total;
}

// The deleted attachments' pages go back to the file system once per run.
void releaseFreeSpace(RunContext &ctx, const WorkingSet &set)
{
    std::set<mailstore::ProfileDb *> done;
    forEachFolder(set, [&](const mailstore::FolderPtr &folder) {
        if (!folder || !done.insert(folder->db().get()).second)
            return;
        trapErrors(ctx.messages, place::LogOnly, {}, [&] { folder->db()->releaseFreeSpace(); });
    });
}

// The checks before the run: nothing is changed when one fails.
std::optional<ExportRun> prepareExport(RunContext &ctx)
{
    QString folder = ctx.settings.GetSetting(setting::AttPath, {});
    if (folder.isEmpty()) {
        ctx.messages.ShowMessage(kNoFolder, ui::mb::Critical, titles::Info);
        return std::nullopt;
    }
    folder = withTrailingSlash(folder);
    const QString attSize = ctx.settings.GetSetting(setting::AttSize, QStringLiteral("0"));
    const std::optional<int> threshold = attachmentThreshold(attSize);
    if (!threshold) {
        ctx.messages.ShowMessage(QString::fromUtf8("Die Mindestgröße für Anlagen in den Optionen ist keine gültige "
                                                   "Zahl von Kilobytes: \"%1\". Bitte korrigieren Sie den Wert.")
                                     .arg(attSize),
                                 ui::mb::Critical, titles::Fehler);
        return std::nullopt;
    }
    if (!QFileInfo(folder).isDir()) {
        ctx.messages.HandleError(QStringLiteral("Pfad nicht gefunden: %1").arg(folder), errors::kPathNotFound,
                                 place::SaveAttachments);
        return std::nullopt;
    }
    return ExportRun{folder, *threshold, {}};
}

} // namespace

void SaveAttachments(RunContext &ctx)
{
    std::optional<ExportRun> run = prepareExport(ctx);
    if (!run)
        return;
    const AttachmentFrame frame{place::SaveAttachments, QStringLiteral("Exportiere Anlagen..."),
                         QStringLiteral("SaveAttachments"), [&](AttachmentRun &r, const WorkingSet &set) {
                             releaseFreeSpace(ctx, set);
                             ctx.messages.ShowMessage(QStringLiteral("%1 Anlagen gespeichert.").arg(r.total),
                                                      ui::mb::Information, titles::Info);
                         },
                         [&](const WorkingSet &) { removeStaleTemporaries(run->folder); }};
    runAttachmentWalk(ctx, frame, [&](AttachmentRun &counts, MailItemCursor &item, int index) {
        exportAttachment(*run, counts, item, index);
    });
}

} // namespace kw::itemtools
