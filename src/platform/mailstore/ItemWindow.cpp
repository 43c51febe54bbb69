#include "platform/mailstore/Item.h"

#include "platform/mailstore/FieldValues.h"
#include "platform/mailstore/ItemSchema.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace kw::mailstore {

namespace {
std::function<void(const ItemPtr &)> &displayHook()
{
    static std::function<void(const ItemPtr &)> hook;
    return hook;
}
} // namespace

void Inspector::setDisplayHook(std::function<void(const ItemPtr &)> hook)
{
    displayHook() = std::move(hook);
}

// Our stand-in for an item window: a read-only list of the item's fields,
// opened modeless and deleted when closed.
void Inspector::Display(bool modal)
{
    if (displayHook()) {
        displayHook()(m_item);
        return;
    }
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return; // no windows without a widget application (command-line tools)
    auto *window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("ItemInspector"));
    window->setWindowTitle(m_item->Subject().isEmpty() ? m_item->MessageClass() : m_item->Subject());
    auto *table = new QTableWidget(window);
    table->setObjectName(QStringLiteral("tblFields"));
    table->setColumnCount(2);
    table->setHorizontalHeaderLabels({QStringLiteral("Feld"), QStringLiteral("Wert")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    QList<QPair<QString, QString>> rows = {{QStringLiteral("MessageClass"), m_item->MessageClass()},
                                           {QStringLiteral("EntryID"), m_item->EntryID()},
                                           {QStringLiteral("CreationTime"), m_item->text(u"CreationTime")}};
    for (const FieldDef &f : m_item->schema().fields()) {
        const QString value = m_item->text(f.name);
        if (value != defaultFieldText(f.kind)) // only what the item really holds
            rows.append({f.name, value});
    }
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        table->setItem(r, 0, new QTableWidgetItem(rows[r].first));
        table->setItem(r, 1, new QTableWidgetItem(rows[r].second));
    }
    table->horizontalHeader()->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(window);
    layout->addWidget(table);
    window->resize(520, 480);
    if (modal)
        window->setWindowModality(Qt::ApplicationModal);
    window->show();
}

} // namespace kw::mailstore
