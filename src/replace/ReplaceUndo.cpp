#include "replace/ReplaceUndo.h"

#include "platform/mailstore/Item.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mailstore/UserProperties.h"
#include "shell/ErrorTrap.h"

namespace kw::replace {
namespace {

using Writer = std::function<void(mailstore::Item &, const UndoEntry &)>;

bool sameItem(const UndoEntry &a, const UndoEntry &b)
{
    return a.entryId == b.entryId && a.storeId == b.storeId;
}

class UndoPass
{
public:
    UndoPass(const mailstore::NameSpacePtr &ns, const std::function<void()> &yield) : m_ns(ns), m_yield(yield) {}

    // Restores `entries`; what could not be restored stays in it.
    void run(std::vector<UndoEntry> &entries, const Writer &write)
    {
        std::vector<UndoEntry> left;
        for (size_t begin = 0, end = 0; begin < entries.size(); begin = end) {
            for (end = begin + 1; end < entries.size() && sameItem(entries[begin], entries[end]); ++end) {
            }
            const auto first = entries.begin() + qsizetype(begin);
            const auto last = entries.begin() + qsizetype(end);
            const std::optional<PlatformError> error = catchError([&] {
                const mailstore::ItemPtr item = m_ns->GetItemFromID(first->entryId, first->storeId);
                // Newest first: each write gives back the state the one
                // before it left, down to the item as the run found it.
                for (auto e = last; e != first;)
                    write(*item, *--e);
                item->Save();
            });
            m_yield();
            if (!error) {
                summary.restored += int(end - begin);
                continue;
            }
            summary.failed += int(end - begin);
            log += errorLogLine(error->number(), error->description(), first->entryId);
            left.insert(left.end(), first, last);
        }
        entries = std::move(left);
    }

    UndoSummary summary;
    QString log;

private:
    const mailstore::NameSpacePtr &m_ns;
    const std::function<void()> &m_yield;
};

void showSummary(const UndoSummary &summary, Messages &messages)
{
    if (summary.restored > 0)
        messages.ShowMessage(QString::number(summary.restored) + QStringLiteral(" Ersetzungen rückgängig gemacht."),
                             ui::mb::Information, titles::Info);
    if (summary.failed > 0)
        messages.ShowMessage(QString::number(summary.failed) + QStringLiteral(" Elemente nicht gefunden."),
                             ui::mb::Critical, titles::Fehler);
}

} // namespace

UndoSummary UndoReplace(UndoRecord &record, const mailstore::NameSpacePtr &ns,
                        Messages &messages, const std::function<void()> &yield)
{
    UndoPass pass(ns, yield);
    const QString userField = record.userFieldName;
    pass.run(record.userFields, [&userField](mailstore::Item &item, const UndoEntry &e) {
        const mailstore::UserPropertyPtr property = item.UserProperties()->Find(userField);
        if (!property)
            throw PlatformError(errors::kObjectNotFound,
                                QStringLiteral("Das Element hat kein Feld \"%1\" mehr.").arg(userField));
        property->setValue(e.old);
    });
    // Past the store's rules: through them a name part would rebuild the full
    // name and an address would be split and joined anew, losing what only
    // the composite held.
    pass.run(record.fields, [](mailstore::Item &item, const UndoEntry &e) {
        for (const StoredField &f : e.before) {
            if (f.index >= item.schema().size())
                throw PlatformError(errors::kInvalidArgument,
                                    QStringLiteral("Das Element kennt das Feld nicht mehr."));
            item.setRawText(f.index, f.text);
        }
    });
    if (!pass.log.isEmpty())
        messages.WriteErrorLog(pass.log, QStringLiteral("ReplaceUndo"));
    showSummary(pass.summary, messages);
    return pass.summary;
}

} // namespace kw::replace
