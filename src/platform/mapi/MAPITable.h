#pragma once

#include "platform/mailstore/Fwd.h"

#include <QList>
#include <QVariant>

namespace kw::mapi {

// "KWSafe3.MAPITable" over a folder's subfolders: one row per subfolder, in
// the order of the Folders collection, with the columns asked for.
//
// Column values: PR_ENTRYID and PR_STORE_ENTRYID as binary (QByteArray, the
// bytes of the hex IDs), PR_DISPLAY_NAME as text, PR_CONTAINER_CLASS as text
// or an empty QVariant when the folder has none; an unknown tag gives an empty
// QVariant.
class MAPITable
{
public:
    MAPITable() = default;

    // The source: a folder's Folders collection (the rows are read here; a
    // slow store's delay is felt here).
    void setItem(const mailstore::FoldersPtr &folders);
    void setColumns(const QList<quint32> &tags);
    void GoToFirst();
    int RowCount() const;
    // Up to `count` rows from the current position, each a list of column
    // values in column order; the position moves past them.
    QList<QVariantList> GetRows(int count);

private:
    mailstore::FoldersPtr m_source;
    QList<quint32> m_columns;
    int m_position = 0;
};

} // namespace kw::mapi
