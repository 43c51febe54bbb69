#include "platform/refdb/TableEditor.h"

#include "platform/core/PlatformError.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

namespace kw::refdb {

TableModel::TableModel(QObject *parent, const QSqlDatabase &db)
    : QSqlTableModel(parent, db)
{
    setEditStrategy(QSqlTableModel::OnFieldChange);
}

bool TableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const bool blank =
        role == Qt::EditRole && value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty();
    // A new row that the table has not taken yet stays as it is, so that it can be completed.
    const bool stored = !isDirty(index);
    if (QSqlTableModel::setData(index, blank ? QVariant(QMetaType::fromType<QString>()) : value, role))
        return true;
    // A refused change would stay in the grid, show what the table does not
    // hold, and be tried again (and refused again) with every later edit.
    if (stored)
        revertRow(index.row());
    return false;
}

TableEditor::TableEditor(const QString &path, const QString &table, const QString &sortColumn)
    : m_connection(Connection::Open(path, Connection::Mode::ReadWrite))
    , m_model(std::make_unique<TableModel>(nullptr, m_connection.database()))
{
    m_model->setTable(table);
    if (m_model->lastError().isValid() || m_model->record().isEmpty()) {
        throw PlatformError(errors::kDatabase, unusableText(path),
                            QStringLiteral("Die Tabelle \"%1\" fehlt: %2").arg(table, m_model->lastError().text()));
    }
    const int sortIndex = m_model->record().indexOf(sortColumn);
    if (sortIndex >= 0)
        m_model->setSort(sortIndex, Qt::AscendingOrder);
    if (!m_model->select())
        throwDatabaseError(path, QStringLiteral("Tabelle \"%1\" lesen").arg(table), m_model->lastError());
}

TableEditor::~TableEditor()
{
    m_model.reset();
}

bool TableEditor::appendRow(const QVariantMap &values, QString *reason)
{
    QSqlRecord record = m_model->record();
    for (int i = 0; i < record.count(); ++i) {
        const QVariant value = values.value(record.fieldName(i));
        const bool blank = !value.isValid() || (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty());
        record.setValue(i, blank ? QVariant(record.field(i).metaType()) : value);
        record.setGenerated(i, true);
    }
    if (m_model->insertRecord(-1, record))
        return true;
    if (reason)
        *reason = m_model->lastError().text();
    m_model->revertAll();
    return false;
}

bool TableEditor::removeRow(int row, QString *reason)
{
    if (m_model->removeRows(row, 1))
        return m_model->select();
    if (reason)
        *reason = m_model->lastError().text();
    m_model->revertAll();
    return false;
}

} // namespace kw::refdb
