#include "contacts/TelTableModel.h"

#include "platform/core/PlatformError.h"

#include <QSqlError>
#include <QSqlRecord>

namespace kw::tel {

TelTableModel::TelTableModel(const QSqlDatabase &db, const QString &table, const QString &sortColumn)
    : refdb::TableModel(nullptr, db)
{
    setTable(table);
    if (lastError().isValid() || record().isEmpty())
        throw PlatformError(errors::kDatabase, QStringLiteral("Die Tabelle \"%1\" fehlt: %2").arg(table, lastError().text()));
    const int sortIndex = record().indexOf(sortColumn);
    if (sortIndex >= 0)
        setSort(sortIndex, Qt::AscendingOrder);
    if (!select())
        throw PlatformError(errors::kDatabase, lastError().text());
}

int TelTableModel::startNewRow()
{
    if (!submitNewRow())
        return -1;
    const int row = rowCount();
    if (!insertRow(row))
        return -1;
    m_newRow = row;
    return row;
}

bool TelTableModel::newRowEmpty() const
{
    for (int column = 0; column < columnCount(); ++column) {
        const QVariant value = data(index(m_newRow, column), Qt::EditRole);
        if (!value.isNull() && !value.toString().trimmed().isEmpty())
            return false;
    }
    return true;
}

void TelTableModel::takeBack()
{
    m_newRow = -1;
    revertAll();
    if (refused)
        refused();
}

bool TelTableModel::submitNewRow()
{
    if (m_newRow < 0)
        return true;
    if (newRowEmpty()) {
        m_newRow = -1;
        revertAll();
        return true;
    }
    m_newRow = -1;
    if (submitAll())
        return true;
    takeBack();
    return false;
}

bool TelTableModel::deleteRow(int row)
{
    if (row == m_newRow) {
        m_newRow = -1;
        revertAll();
        return true;
    }
    if (removeRows(row, 1) && select())
        return true;
    revertAll();
    return false;
}

// Called for each edit of a stored row, and by the view when an editor
// closes; the new row waits for submitNewRow.
bool TelTableModel::submit()
{
    if (m_newRow >= 0)
        return true;
    if (refdb::TableModel::submit())
        return true;
    takeBack();
    return false;
}

} // namespace kw::tel
