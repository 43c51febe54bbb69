#pragma once

#include "platform/refdb/TableEditor.h"

#include <functional>

namespace kw::tel {

// One telephone table as the table editor's grid edits it. An edit of a
// stored row is written at once; a new row is kept until the user leaves it
// (submitNewRow), so that a half-typed row never reaches the table, where an
// area code still missing would read as "the whole country".
//
// Whatever the table refuses (a row that exists already, a second row without
// area code for one country) is taken back, so the grid shows what the table
// holds, and `refused` is called.
class TelTableModel : public refdb::TableModel
{
    Q_OBJECT

public:
    // Selects `table` ordered by `sortColumn`. Throws PlatformError.
    TelTableModel(const QSqlDatabase &db, const QString &table, const QString &sortColumn);

    // Appends an empty new row and returns its number; a new row begun
    // before is stored first (false when that one was refused).
    int startNewRow();
    int newRow() const { return m_newRow; }
    // Stores the new row, if any. A row left empty is dropped; a refused one
    // is dropped and false comes back.
    bool submitNewRow();
    // Deletes a row from the table at once (a new row is only dropped).
    bool deleteRow(int row);

    bool submit() override;

    std::function<void()> refused;

private:
    bool newRowEmpty() const;
    void takeBack();

    int m_newRow = -1;
};

} // namespace kw::tel
