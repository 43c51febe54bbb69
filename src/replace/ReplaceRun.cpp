#include "replace/ReplaceRun.h"

#include "platform/mailstore/FieldValues.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/UserProperties.h"
#include "platform/mapi/SafeItem.h"
#include "shell/ErrorTrap.h"
#include "shell/FolderFunctions.h"
#include "shell/RunFrame.h"

namespace kw::replace {
namespace {

// The changes of one item, held back until its save succeeded.
struct ItemChanges
{
    std::vector<UndoEntry> user;
    std::vector<UndoEntry> fields;

    int size() const { return int(user.size() + fields.size()); }
};

// The fields whose stored text differs between two states of one item, with
// the text of the first; null and empty count as different.
QList<StoredField> changedFields(const QList<QString> &was, const QList<QString> &now)
{
    QList<StoredField> out;
    for (int i = 0; i < int(was.size()); ++i) {
        if (was[i] != now.value(i) || was[i].isNull() != now.value(i).isNull())
            out.append({i, was[i]});
    }
    return out;
}

// Writes a field's new text as its date rule allows; false when nothing was
// written because the text is no date.
bool writeField(mapi::SafeItem &item, const ReplaceField &field, const QString &value)
{
    if (field.dateRule == DateRule::Date && value.isEmpty()) {
        item.set(field.property, mailstore::kNoDate);
        return true;
    }
    if (field.dateRule != DateRule::None && !mailstore::parseDateText(value))
        return false;
    item.set(field.property, value);
    return true;
}

class ReplaceRun
{
public:
    ReplaceRun(const ReplaceRequest &request, UndoRecord &record, const std::function<void()> &yield)
        : m_request(request), m_type(*request.type), m_record(record), m_yield(yield)
    {
    }

    void folder(const mailstore::FolderPtr &folder)
    {
        const QString storeId = folder->StoreID();
        const mailstore::ItemsPtr items = folder->Items();
        const int count = items->Count();
        for (int j = 1; j <= count; ++j) {
            const mailstore::ItemPtr item = items->Item(j);
            m_yield();
            if (item->Class() == m_type.itemClass)
                this->item(item, storeId);
        }
    }

    ReplaceSummary summary;
    QString log; // the writes the store refused, one line each

private:
    void item(const mailstore::ItemPtr &item, const QString &storeId)
    {
        const mapi::SafeItemPtr safe = mapi::CreateSafeItem(m_type.safeProgId);
        safe->setItem(item);
        const QString entryId = safe->EntryID();
        ItemChanges changes;
        if (m_request.useUserField)
            userField(*safe, UndoEntry{{}, entryId, storeId, 0, {}}, changes);
        for (int k : m_request.selectedFields)
            field(*safe, UndoEntry{{}, entryId, storeId, k, {}}, changes);
        if (changes.size() == 0)
            return;
        // One save per item: the user-defined field and the listed fields
        // reach the store together or not at all.
        if (catchError([&] { safe->Save(); })) {
            summary.failed += changes.size();
            return;
        }
        summary.replaced += changes.size();
        m_record.userFields.insert(m_record.userFields.end(), changes.user.begin(), changes.user.end());
        m_record.fields.insert(m_record.fields.end(), changes.fields.begin(), changes.fields.end());
    }

    void userField(mapi::SafeItem &safe, UndoEntry entry, ItemChanges &changes)
    {
        const mailstore::UserPropertyPtr property = safe.UserProperties()->Find(m_request.userFieldName);
        if (!property)
            return;
        entry.old = property->Value();
        const QString value = newString(entry.old, m_request.options);
        if (value == entry.old)
            return;
        property->setValue(value);
        changes.user.push_back(std::move(entry));
    }

    void field(mapi::SafeItem &safe, UndoEntry entry, ItemChanges &changes)
    {
        const ReplaceField &field = m_type.fields.at(entry.field);
        entry.old = safe.text(field.property);
        const QString value = newString(entry.old, m_request.options);
        if (value == entry.old)
            return;
        const QList<QString> was = safe.Item()->record().values;
        bool written = false;
        // A value the store refuses (an end before the start) leaves the
        // field as it was; the run counts it and goes on.
        if (const auto refused = catchError([&] { written = writeField(safe, field, value); })) {
            summary.failed += 1;
            log += errorLogLine(refused->number(), refused->description(), entry.entryId);
            return;
        }
        if (!written)
            return;
        entry.before = changedFields(was, safe.Item()->record().values);
        changes.fields.push_back(std::move(entry));
    }

    const ReplaceRequest &m_request;
    const ReplaceItemType &m_type;
    UndoRecord &m_record;
    const std::function<void()> &m_yield;
};

void showSummary(const ReplaceSummary &summary, Messages &messages)
{
    messages.ShowMessage(QString::number(summary.replaced) + QStringLiteral(" Ersetzungen wurden vorgenommen."),
                         ui::mb::Information, titles::Info);
    if (summary.failed > 0)
        messages.ShowMessage(QString::number(summary.failed)
                                 + QStringLiteral(" Ersetzungen schlugen fehl. Überprüfen Sie die Berechtigungen."),
                             ui::mb::Critical, titles::Fehler);
}

} // namespace

ReplaceSummary ReplaceInFolders(const ReplaceRequest &request, const WorkingSet &set, UndoRecord &record,
                                Messages &messages, const std::function<void()> &yield,
                                std::function<void(bool running)> lock)
{
    record = UndoRecord{};
    record.userFieldName = request.userFieldName;
    ReplaceRun run(request, record, yield);
    RunGuard guard{messages, std::move(lock)};
    guardedRun(
        guard, place::ReplaceRun, {},
        [&] { forEachFolder(set, [&](const mailstore::FolderPtr &folder) { run.folder(folder); }); },
        [&](bool ok) {
            run.summary.completed = ok;
            if (!run.log.isEmpty())
                messages.WriteErrorLog(run.log, QStringLiteral("ReplaceRun"));
            if (ok)
                showSummary(run.summary, messages);
        });
    return run.summary;
}

} // namespace kw::replace
