#include "platform/mapi/MAPITable.h"

#include "platform/core/PlatformError.h"
#include "platform/mailstore/Folder.h"
#include "platform/mapi/MAPIUtils.h"
#include "platform/mapi/MapiTags.h"

namespace kw::mapi {

void MAPITable::setItem(const mailstore::FoldersPtr &folders)
{
    if (!folders)
        throw PlatformError(errors::kInvalidArgument, QStringLiteral("Keine Ordnerliste."));
    m_source = folders;
    m_position = 0;
}

void MAPITable::setColumns(const QList<quint32> &tags)
{
    m_columns = tags;
}

void MAPITable::GoToFirst()
{
    m_position = 0;
}

int MAPITable::RowCount() const
{
    return m_source ? m_source->Count() : 0;
}

namespace {

QVariant column(const mailstore::FolderRecord &f, quint32 tag)
{
    switch (tag) {
    case PR_ENTRYID:
        return MAPIUtils::BinFromHex(f.entryId);
    case PR_STORE_ENTRYID:
        return MAPIUtils::BinFromHex(f.storeId);
    case PR_DISPLAY_NAME:
        return f.name;
    case PR_CONTAINER_CLASS:
        return f.containerClass ? QVariant(*f.containerClass) : QVariant();
    default:
        return {};
    }
}

} // namespace

QList<QVariantList> MAPITable::GetRows(int count)
{
    if (!m_source)
        throw PlatformError(errors::kInvalidArgument, QStringLiteral("Die Tabelle hat keine Quelle."));
    QList<QVariantList> rows;
    const QList<mailstore::FolderRecord> &records = m_source->records();
    while (count-- > 0 && m_position < records.size()) {
        QVariantList row;
        for (quint32 tag : m_columns)
            row.append(column(records[m_position], tag));
        rows.append(row);
        ++m_position;
    }
    return rows;
}

} // namespace kw::mapi
