#pragma once

#include <QAbstractTableModel>
#include <QSqlDatabase>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

namespace kw::contacts::telephone {

// One telephone table as the table editor's grid edits it, all rows in
// memory, ordered by its key columns (the country code as a number).
//
// An edit of a stored row is written at once. A new row sits after the
// stored rows and reaches the table only complete, once, by submitNewRow:
// every key column must be filled. An area code still missing would read as
// "the whole country" and swallow every area code of that country, so a new
// row without one is unfinished, never a whole-country row; such a row comes
// only from emptying the area code of a country's only row. An edit that
// would leave a row without area code beside other rows of its country is
// refused.
//
// Whatever the table refuses (a row that exists already) is taken back, so
// the grid shows what the table holds, and `refused` is called once the
// model is consistent again. A call that arrives while the model is changing
// its rows (a view reacting to the change) does nothing.
class TelTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Reads `table` with its key from the schema. Throws PlatformError.
    TelTableModel(const QSqlDatabase &db, const QString &table);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Appends an empty new row and returns its number; a new row begun
    // before is submitted first.
    int startNewRow();
    // The new row's number, or -1.
    int newRow() const;
    // The first key column of the new row still empty, or -1.
    int missingColumn() const;
    // Stores the new row, if any, and keeps it where it is. A row left
    // empty is dropped; an unfinished or refused one is dropped and false
    // comes back.
    bool submitNewRow();
    // Drops the new row without storing it.
    void dropNewRow();
    // Deletes a row from the table at once (a new row is only dropped).
    bool deleteRow(int row);

    std::function<void()> refused;

private:
    struct Row
    {
        qint64 rowid = 0;
        QVector<QVariant> values;
    };

    void load();
    QString quoted(const QString &name) const;
    bool exec(const QString &sql, const QVariantList &params, qint64 *insertId = nullptr);
    void removeNewRow();
    void refuse();
    bool swallows(const QVector<QVariant> &values, int row) const;

    QSqlDatabase m_db;
    QString m_table;
    QStringList m_columns;
    QVector<int> m_keys;
    int m_nullableKey = -1; // a key column the schema lets be NULL: the area code
    QVector<Row> m_rows;
    std::optional<QVector<QVariant>> m_new;
    bool m_changing = false;
};

} // namespace kw::contacts::telephone
