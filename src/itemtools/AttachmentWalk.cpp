#include "itemtools/AttachmentWalk.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/ItemSchema.h"
#include "platform/mailstore/Items.h"
#include "shell/ErrorTrap.h"

namespace kw::itemtools {
namespace {

mapi::SafeItemPtr wrap(const mailstore::ItemPtr &item)
{
    mapi::SafeItemPtr safe = mapi::CreateSafeItem(mapi::progid::SafeMailItem);
    safe->setItem(item);
    return safe;
}

QString describeIndex(const mailstore::Folder &folder, int index)
{
    return QStringLiteral("Ordner \"%1\", Element %2").arg(folder.Name()).arg(index);
}

QString attachmentName(MailItemCursor &item, int index)
{
    try {
        return item.attachments()->Item(index)->FileName();
    } catch (const PlatformError &) {
        return {};
    }
}

void walkItem(AttachmentRun &run, MailItemCursor &item, const AttachmentStep &step)
{
    const int count = item.attachments()->Count();
    for (int i = count; i >= 1 && item.usable(); --i) {
        const QString name = attachmentName(item, i);
        try {
            step(run, item, i);
        } catch (const PlatformError &e) {
            run.failures.add(item.describe() + QStringLiteral(", Anlage %1 \"%2\"").arg(i).arg(name), e);
        }
    }
}

void walkFolder(AttachmentRun &run, const mailstore::FolderPtr &folder, const AttachmentStep &step)
{
    const mailstore::ItemsPtr items = folder->Items();
    const int count = items->Count();
    for (int j = 1; j <= count; ++j) {
        run.ctx.view.setProgress(++run.itemNumber);
        try {
            const mailstore::ItemPtr fetched = items->Item(j);
            if (fetched->Class() != mailstore::itemclass::Mail && fetched->Class() != mailstore::itemclass::Post)
                continue;
            MailItemCursor item(folder, items, j, fetched);
            run.ctx.view.yield();
            walkItem(run, item, step);
        } catch (const PlatformError &e) {
            run.failures.add(describeIndex(*folder, j), e);
        }
    }
}

} // namespace

MailItemCursor::MailItemCursor(mailstore::FolderPtr folder, mailstore::ItemsPtr items, int index,
                               mailstore::ItemPtr item)
    : m_folder(std::move(folder)), m_items(std::move(items)), m_index(index), m_safe(wrap(item))
{
}

void MailItemCursor::reloadAfterFailure() noexcept
{
    m_usable = false;
    try {
        m_safe = wrap(m_items->Item(m_index));
        m_usable = true;
    } catch (...) {
    }
}

QString MailItemCursor::describe() const
{
    QString subject;
    try {
        subject = m_safe->Subject();
    } catch (const PlatformError &) {
    }
    return describeIndex(*m_folder, m_index) + QStringLiteral(" \"%1\"").arg(subject);
}

void walkAttachments(AttachmentRun &run, const WorkingSet &set, const AttachmentStep &step)
{
    forEachFolder(set, [&](const mailstore::FolderPtr &folder) {
        if (folder)
            walkFolder(run, folder, step);
    });
}

void runAttachmentWalk(RunContext &ctx, const AttachmentFrame &frame, const AttachmentStep &step)
{
    const WorkingSet set = ctx.GetActivatedFolders(gatemode::OnlyMail);
    if (!set.OK)
        return;
    AttachmentRun run{ctx, 0, 0, 0, {}};
    // The failures are logged also when an error ended the run: then while
    // it is still busy, else once it is not.
    const bool ran = guardedRun(
        ctx, frame.placeCode, {},
        [&] {
            ctx.view.setProgressMaximum(int(set.ItemCount));
            ctx.view.setStatus(frame.status);
            if (frame.start)
                frame.start(set);
            walkAttachments(run, set, step);
            frame.finish(run, set);
            if (run.failures.count() > 0) {
                ctx.messages.ShowMessage(QStringLiteral("Bei %1 Anlagen ist ein Fehler aufgetreten. "
                                                        "Einzelheiten stehen im Fehlerprotokoll.")
                                             .arg(run.failures.count()),
                                         ui::mb::Critical, titles::Fehler);
            }
        },
        [&](bool ok) {
            if (!ok)
                run.failures.write(ctx.messages, frame.logName);
        });
    if (ran)
        run.failures.write(ctx.messages, frame.logName);
}

} // namespace kw::itemtools
