#pragma once

#include "platform/refdb/Connection.h"

#include <QSqlTableModel>
#include <memory>

namespace kw::refdb {

// An editable view of one table of the reference database, for the table
// editor's grids: every edit, new row and deletion is stored at once
// (QSqlTableModel::OnFieldChange), rows are ordered by `sortColumn`.
//
// A text emptied in a cell is stored as NULL, so a cleared area code means
// "no area code" and a second such row is refused like any duplicate. An
// edit of a stored row that the table refuses is undone in the model.
class TableModel : public QSqlTableModel
{
    Q_OBJECT

public:
    TableModel(QObject *parent, const QSqlDatabase &db);

    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
};

// Owns a writable connection and the model over it; the model goes first
// when this is destroyed, so the connection is never closed under it.
class TableEditor
{
public:
    // Opens `path` and selects `table`. Throws PlatformError.
    TableEditor(const QString &path, const QString &table, const QString &sortColumn);
    ~TableEditor();

    TableModel &model() { return *m_model; }

    // Appends a row with the given values (column name -> value) and stores
    // it. Returns false with the database's reason when the table refuses it.
    bool appendRow(const QVariantMap &values, QString *reason = nullptr);
    // Deletes row `row` from the table at once.
    bool removeRow(int row, QString *reason = nullptr);

private:
    Connection m_connection;
    std::unique_ptr<TableModel> m_model;
};

} // namespace kw::refdb
