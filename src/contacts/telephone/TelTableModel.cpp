#include "contacts/telephone/TelTableModel.h"

#include "platform/core/PlatformError.h"

#include <QScopedValueRollback>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <utility>

namespace kw::contacts::telephone {
namespace {

// The grid's column headers; a column not named here shows its own name.
QString germanHeader(const QString &column)
{
    static const QList<std::pair<const char *, const char *>> headers = {
        {"CountryCode", "Ländervorwahl"}, {"AreaCode", "Ortsvorwahl"}, {"Place", "Ort"},
        {"NationalDDPrefix", "Nationales Präfix"}, {"CountryName", "Land"}, {"ISO", "ISO"},
    };
    for (const auto &[name, header] : headers) {
        if (column == QLatin1String(name))
            return QString::fromUtf8(header);
    }
    return column;
}

// What a cell stores: blanks around a code are never meant, an empty text is NULL.
QVariant stored(const QVariant &value)
{
    if (value.typeId() != QMetaType::QString)
        return value;
    const QString text = value.toString().trimmed();
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

bool blank(const QVariant &value)
{
    return value.isNull() || value.toString().trimmed().isEmpty();
}

// Set while the model itself inserts or removes a row; it cannot stay set
// when a step throws or returns early.
using Changing = QScopedValueRollback<bool>;

} // namespace

TelTableModel::TelTableModel(const QSqlDatabase &db, const QString &table)
    : m_db(db), m_table(table)
{
    QSqlQuery info(m_db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table))))
        throw PlatformError(errors::kDatabase, info.lastError().text());
    while (info.next()) {
        m_columns << info.value(1).toString();
        if (info.value(5).toInt() > 0) {
            m_keys << m_columns.size() - 1;
            if (info.value(3).toInt() == 0)
                m_nullableKey = m_columns.size() - 1;
        }
    }
    if (m_columns.isEmpty())
        throw PlatformError(errors::kDatabase, QStringLiteral("Die Tabelle \"%1\" fehlt.").arg(table));
    if (m_keys.isEmpty())
        m_keys << 0;
    load();
}

QString TelTableModel::quoted(const QString &name) const
{
    return m_db.driver()->escapeIdentifier(name, QSqlDriver::FieldName);
}

// Country codes as numbers (1, 7, 20 ... 49 ... 423), the other key columns
// as text, as the formatter compares them; NULL area codes come first.
void TelTableModel::load()
{
    QStringList columns;
    for (const QString &column : std::as_const(m_columns))
        columns << quoted(column);
    QStringList order;
    for (int key : std::as_const(m_keys)) {
        const QString column = quoted(m_columns[key]);
        order << (order.isEmpty() ? QStringLiteral("CAST(%1 AS INTEGER), %1").arg(column) : column);
    }
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY %3")
                        .arg(columns.join(QLatin1String(", ")), quoted(m_table), order.join(QLatin1String(", ")))))
        throw PlatformError(errors::kDatabase, query.lastError().text());
    while (query.next()) {
        Row row{query.value(0).toLongLong(), {}};
        row.values.reserve(m_columns.size());
        for (int c = 0; c < m_columns.size(); ++c)
            row.values << query.value(c + 1);
        m_rows << std::move(row);
    }
}

int TelTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size()) + (m_new ? 1 : 0);
}

int TelTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TelTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (index.row() < m_rows.size())
        return m_rows[index.row()].values[index.column()];
    return (*m_new)[index.column()];
}

Qt::ItemFlags TelTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant TelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
        return germanHeader(m_columns[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool TelTableModel::exec(const QString &sql, const QVariantList &params, qint64 *insertId)
{
    QSqlQuery query(m_db);
    if (!query.prepare(sql))
        return false;
    for (const QVariant &param : params)
        query.addBindValue(param);
    if (!query.exec())
        return false;
    if (insertId)
        *insertId = query.lastInsertId().toLongLong();
    return true;
}

// The new row takes each value as typed; a stored row's cell is written at once.
bool TelTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (m_changing || role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    const QVariant newValue = stored(value);
    const int row = index.row();
    const int column = index.column();
    if (row == newRow()) {
        (*m_new)[column] = newValue;
    } else {
        Row &target = m_rows[row];
        if (target.values[column] == newValue && target.values[column].isNull() == newValue.isNull())
            return true;
        QVector<QVariant> changed = target.values;
        changed[column] = newValue;
        const QString update =
            QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(quoted(m_table), quoted(m_columns[column]));
        if (swallows(changed, row) || !exec(update, {newValue, target.rowid})) {
            refuse();
            return false;
        }
        target.values[column] = newValue;
    }
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

// A row without area code that would stand for a country that has other
// rows (with `row` itself left out) and so swallow their area codes.
bool TelTableModel::swallows(const QVector<QVariant> &values, int row) const
{
    if (m_nullableKey < 0 || !values[m_nullableKey].isNull())
        return false;
    for (int other = 0; other < m_rows.size(); ++other) {
        bool same = other != row;
        for (int key : m_keys)
            same = same && (key == m_nullableKey || m_rows[other].values[key] == values[key]);
        if (same)
            return true;
    }
    return false;
}

int TelTableModel::newRow() const
{
    return m_new && !m_changing ? int(m_rows.size()) : -1;
}

int TelTableModel::missingColumn() const
{
    if (newRow() < 0)
        return -1;
    for (int key : m_keys) {
        if (blank((*m_new)[key]))
            return key;
    }
    return -1;
}

int TelTableModel::startNewRow()
{
    if (m_changing)
        return -1;
    submitNewRow();
    const int row = int(m_rows.size());
    Changing changing(m_changing, true);
    beginInsertRows({}, row, row);
    m_new = QVector<QVariant>(m_columns.size(), QVariant(QMetaType::fromType<QString>()));
    endInsertRows();
    return row;
}

void TelTableModel::removeNewRow()
{
    Changing changing(m_changing, true);
    const int row = int(m_rows.size());
    beginRemoveRows({}, row, row);
    m_new.reset();
    endRemoveRows();
}

void TelTableModel::refuse()
{
    if (refused)
        refused();
}

void TelTableModel::dropNewRow()
{
    if (newRow() >= 0)
        removeNewRow();
}

bool TelTableModel::submitNewRow()
{
    if (newRow() < 0)
        return true;
    const QVector<QVariant> values = *m_new;
    if (std::all_of(values.begin(), values.end(), blank)) {
        removeNewRow();
        return true;
    }
    QStringList columns;
    QStringList marks;
    for (const QString &column : std::as_const(m_columns)) {
        columns << quoted(column);
        marks << QStringLiteral("?");
    }
    qint64 rowid = 0;
    if (missingColumn() >= 0
        || !exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                     .arg(quoted(m_table), columns.join(QLatin1String(", ")), marks.join(QLatin1String(", "))),
                 QVariantList(values.begin(), values.end()), &rowid)) {
        removeNewRow();
        refuse();
        return false;
    }
    // The stored row stays where it was typed; the order applies at the next opening.
    m_new.reset();
    m_rows << Row{rowid, values};
    const int row = int(m_rows.size()) - 1;
    Q_EMIT dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1), {Qt::DisplayRole, Qt::EditRole});
    return true;
}

bool TelTableModel::deleteRow(int row)
{
    if (m_changing || row < 0 || row >= rowCount())
        return false;
    if (row == newRow()) {
        removeNewRow();
        return true;
    }
    if (!exec(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_table)), {m_rows[row].rowid}))
        return false;
    Changing changing(m_changing, true);
    beginRemoveRows({}, row, row);
    m_rows.remove(row);
    endRemoveRows();
    return true;
}

} // namespace kw::contacts::telephone
