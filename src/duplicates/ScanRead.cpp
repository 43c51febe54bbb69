#include "duplicates/Scan.h"

#include "duplicates/KeepRule.h"
#include "platform/core/PlatformError.h"
#include "platform/core/Text.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/ItemSchema.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/UserProperties.h"
#include "platform/mapi/SafeItem.h"
#include "shell/RegistryFunctions.h"
#include "shell/RunFrame.h"
#include "shell/SettingNames.h"

namespace kw::DupsDel {
namespace {

constexpr int kMaxAttempts = 6;

bool switchOn(const ScanType &type, const Settings &settings, const QString &name)
{
    if (type.switchRead == SwitchRead::Lenient)
        return settings.GetSettingBool(name, true);
    return yesNoFromSwitchText(settings.GetSetting(name, QStringLiteral("1")));
}

QString safeSubject(const mapi::SafeItemPtr &wrapper)
{
    try {
        return wrapper && wrapper->Item() ? wrapper->Subject() : QString();
    } catch (const std::exception &) {
        return QString();
    }
}

// One item of the set as phase 1 sees it.
struct Slot
{
    const mailstore::FolderPtr &folder;
    const mailstore::ItemsPtr &items;
    int index; // j within the folder
    int n;     // item number
    bool master;
};

class ItemReader
{
public:
    ItemReader(DupsContext &ctx, const ScanType &type, const ScanSettings &settings, ScanData &data)
        : m_ctx(ctx), m_type(type), m_settings(settings), m_data(data)
    {
    }

    void read(const Slot &slot);
    void readBeyondCount(const Slot &slot);

private:
    // Returns false when the item is of another class and was skipped.
    bool attempt(const Slot &slot, mapi::SafeItemPtr &wrapper);
    void storeValues(const Slot &slot, const mailstore::ItemPtr &item, const mapi::SafeItem &wrapper);
    QString criterionValue(const Criterion &c, int itemClass, const mapi::SafeItem &wrapper) const;
    QString displayText(const Slot &slot, const mapi::SafeItem &wrapper) const;
    void readUserField(const Slot &slot, const mapi::SafeItemPtr &wrapper);

    DupsContext &m_ctx;
    const ScanType &m_type;
    const ScanSettings &m_settings;
    ScanData &m_data;
};

void ItemReader::read(const Slot &slot)
{
    mapi::SafeItemPtr wrapper;
    for (int failures = 0;;) {
        try {
            attempt(slot, wrapper);
            break;
        } catch (const std::exception &e) {
            const PlatformError *pe = dynamic_cast<const PlatformError *>(&e);
            if (++failures < kMaxAttempts) {
                m_ctx.view.yield();
                continue;
            }
            m_data.readLog += errorLogLine(pe ? pe->number() : errors::kOperationFailed,
                                           pe ? pe->description() : QString::fromLocal8Bit(e.what()),
                                           safeSubject(wrapper));
            m_data.values.remove[size_t(slot.n)] = 1;
            break;
        }
    }
    readUserField(slot, wrapper);
}

bool ItemReader::attempt(const Slot &slot, mapi::SafeItemPtr &wrapper)
{
    const mailstore::ItemPtr item = slot.items->Item(slot.index);
    const int itemClass = item->Class();
    const QString progId = m_type.wrapperFor(itemClass);
    if (progId.isEmpty()) {
        m_data.values.remove[size_t(slot.n)] = 1;
        if (m_type.logsSkippedItems)
            // One pass over the template: a subject holding "%1" stays as it is.
            m_data.readLog += QStringLiteral("Übersprungenes Element: %1 (%2) ")
                                  .arg(item->Subject(), QString::number(itemClass))
                              + kCrLf;
        return false;
    }
    wrapper = mapi::CreateSafeItem(progId);
    wrapper->setItem(item);
    storeValues(slot, item, *wrapper);
    m_data.values.remove[size_t(slot.n)] = 0;
    return true;
}

QString ItemReader::criterionValue(const Criterion &c, int itemClass, const mapi::SafeItem &wrapper) const
{
    if (c.userProperty)
        return QString(); // read after the attempt, see readUserField
    if (c.mailItemsOnly && itemClass != mailstore::itemclass::Mail)
        return QString();
    if (c.normalise == Normalise::Count)
        return QString::number(wrapper.Attachments()->Count());
    return normaliseValue(c.normalise, wrapper.text(c.field));
}

void ItemReader::storeValues(const Slot &slot, const mailstore::ItemPtr &item, const mapi::SafeItem &wrapper)
{
    ScanValues &v = m_data.values;
    const size_t n = size_t(slot.n);
    for (int k = 0; k < m_settings.criteria.size(); ++k)
        v.value(slot.n, k) = criterionValue(m_type.criteria[m_settings.criteria[k]], item->Class(), wrapper);
    v.series[n] = m_type.readsSeries && m_settings.seriesOn && wrapper.get(u"IsRecurring").toBool();
    v.master[n] = slot.master;
    v.created[n] = wrapper.get(u"CreationTime").toDateTime();
    m_ctx.state.DupEntryIDs[n] = wrapper.EntryID();
    m_ctx.state.DupStoreIDs[n] = slot.folder->StoreID();
    v.folderIds[n] = slot.folder->EntryID();
    m_data.displays[n] = displayText(slot, wrapper);
}

QString ItemReader::displayText(const Slot &slot, const mapi::SafeItem &wrapper) const
{
    QStringList lead;
    for (const QString &field : m_type.displayFields)
        lead << wrapper.text(field);
    return lead.join(QStringLiteral(", ")) + QStringLiteral(" (") + slot.folder->Name() + QStringLiteral(", ")
           + wrapper.text(u"CreationTime") + QStringLiteral(")");
}

void ItemReader::readUserField(const Slot &slot, const mapi::SafeItemPtr &wrapper)
{
    for (int k = 0; k < m_settings.criteria.size(); ++k) {
        if (!m_type.criteria[m_settings.criteria[k]].userProperty)
            continue;
        QString value;
        try {
            // A contact without the property, or one that cannot be read, compares as "".
            if (wrapper && wrapper->Item() && !m_settings.userFieldName.isEmpty()) {
                if (const mailstore::UserPropertyPtr p = wrapper->UserProperties()->Find(m_settings.userFieldName))
                    value = p->Value();
            }
        } catch (const std::exception &) {
        }
        m_data.values.value(slot.n, k) = value;
    }
}

void ItemReader::readBeyondCount(const Slot &slot)
{
    // The folder grew after the count was taken: there is no number to store
    // the item under, so it is only logged.
    QString subject;
    try {
        subject = slot.items->Item(slot.index)->Subject();
    } catch (const std::exception &) {
    }
    m_data.readLog += errorLogLine(errors::kSubscriptOutOfRange,
                                   QStringLiteral("Index außerhalb des gültigen Bereichs"), subject);
}

} // namespace

ScanSettings ScanSettings::read(const ScanType &type, const Settings &settings)
{
    ScanSettings s;
    for (int c = 0; c < type.criteria.size(); ++c) {
        if (switchOn(type, settings, type.criteria[c].setting))
            s.criteria.append(c);
    }
    s.folderInside = settings.GetSettingBool(setting::FolderInside, false);
    if (type.readsSeries)
        s.seriesOn = yesNoFromSwitchText(settings.GetSetting(setting::TerminSerie, QStringLiteral("1")));
    if (type.kind == ScanKind::Contacts)
        s.userFieldName = settings.GetSetting(setting::KontakteFieldNameStr, QString());
    return s;
}

void readItems(DupsContext &ctx, const ScanType &type, const ScanSettings &settings, const WorkingSet &set,
               ScanData &data)
{
    const int total = int(set.ItemCount);
    ItemReader reader(ctx, type, settings, data);
    int n = 0;
    forEachFolder(set, [&](const mailstore::FolderPtr &folder, int f) {
        const mailstore::ItemsPtr items = folder->Items();
        const int count = items->Count();
        for (int j = 1; j <= count; ++j) {
            ++n;
            ctx.view.setStatus(readStatus(n, total));
            ctx.view.setProgress(std::min(n, total));
            ctx.view.yield();
            const Slot slot{folder, items, j, n, f == set.MarkedIndex};
            if (n > total)
                reader.readBeyondCount(slot);
            else
                reader.read(slot);
        }
    });
    // The set shrank meanwhile: numbers never reached hold nothing to compare.
    for (int m = n + 1; m <= total; ++m)
        data.values.remove[size_t(m)] = 1;
}

} // namespace kw::DupsDel
