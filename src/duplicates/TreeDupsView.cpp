#include "duplicates/TreeDupsView.h"

#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace kw::DupsDel {
namespace {

// Node data: the key, and the position in which the node was added (the
// removal works in that order, not in the tree's display order).
constexpr int kKeyRole = Qt::UserRole;
constexpr int kOrderRole = Qt::UserRole + 1;

void collect(QTreeWidgetItem *item, QList<QTreeWidgetItem *> &out)
{
    out.append(item);
    for (int i = 0; i < item->childCount(); ++i)
        collect(item->child(i), out);
}

QList<QTreeWidgetItem *> allItems(QTreeWidget *tree)
{
    QList<QTreeWidgetItem *> out;
    if (!tree)
        return out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        collect(tree->topLevelItem(i), out);
    std::sort(out.begin(), out.end(), [](QTreeWidgetItem *a, QTreeWidgetItem *b) {
        return a->data(0, kOrderRole).toInt() < b->data(0, kOrderRole).toInt();
    });
    return out;
}

} // namespace

TreeDupsView::TreeDupsView(const StatusControls &status, const DupListControls &list)
    : m_statusBar(status.lblStatus, status.ProgressBar1)
    , m_frame(list.frmDups)
    , m_tree(list.tvwDups)
    , m_delete(list.cmdDupDel)
    , m_view(list.cmdDupView)
{
}

void TreeDupsView::setStatus(const QString &text)
{
    m_statusBar.setStatus(text);
}

void TreeDupsView::setProgressMaximum(int maximum)
{
    m_statusBar.setProgressMaximum(maximum);
}

void TreeDupsView::setProgress(int value)
{
    m_statusBar.setProgress(value);
}

void TreeDupsView::yield()
{
    m_statusBar.yield();
}

QIcon TreeDupsView::imageFor(const QString &itemType)
{
    static QHash<QString, QIcon> cache;
    auto it = cache.constFind(itemType);
    if (it != cache.cend())
        return *it;
    static const QHash<QString, QColor> colours{
        {QStringLiteral("Contact"), QColor(70, 130, 180)},  {QStringLiteral("Appointment"), QColor(205, 92, 92)},
        {QStringLiteral("Task"), QColor(60, 150, 80)},      {QStringLiteral("Note"), QColor(218, 165, 32)},
        {QStringLiteral("Post"), QColor(218, 165, 32)},     {QStringLiteral("StickyNote"), QColor(240, 200, 60)},
        {QStringLiteral("Activity"), QColor(140, 100, 170)}};
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colours.value(itemType, QColor(128, 128, 128)));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, itemType.left(1));
    painter.end();
    return *cache.insert(itemType, QIcon(pixmap));
}

void TreeDupsView::showNodes(const DupList &list)
{
    if (!m_tree)
        return;
    m_tree->clear();
    QHash<QString, QTreeWidgetItem *> byKey;
    int order = 0;
    for (const DupNode &node : list.nodes) {
        QTreeWidgetItem *parent = byKey.value(node.parentKey);
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
        item->setText(0, node.text);
        item->setToolTip(0, node.text); // the whole text, also where the column cuts it
        item->setIcon(0, imageFor(node.image));
        item->setData(0, kKeyRole, node.key);
        item->setData(0, kOrderRole, order++);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, node.checked ? Qt::Checked : Qt::Unchecked);
        item->setBackground(0, node.backColor);
        if (!parent) {
            item->setExpanded(true);
            byKey.insert(node.key, item);
        }
    }
    // Entries are long (name, folder, date): the column is at least as wide
    // as the longest, so a narrow list scrolls sideways rather than cutting
    // them, and a wide one still fills the list with the group colours.
    const QAbstractItemView *view = m_tree; // QTreeWidget hides the public member
    m_tree->header()->setMinimumSectionSize(view->sizeHintForColumn(0));
}

void TreeDupsView::clearNodes()
{
    if (m_tree)
        m_tree->clear();
}

void TreeDupsView::setListVisible(bool visible)
{
    if (m_frame)
        m_frame->setVisible(visible);
}

bool TreeDupsView::listVisible() const
{
    return m_frame && !m_frame->isHidden();
}

void TreeDupsView::setListButtonsEnabled(bool enabled)
{
    for (QWidget *button : {m_delete.data(), m_view.data()}) {
        if (button)
            button->setEnabled(enabled);
    }
}

std::vector<int> TreeDupsView::tickedItems() const
{
    std::vector<int> items;
    for (QTreeWidgetItem *item : allItems(m_tree)) {
        if (item->checkState(0) == Qt::Checked)
            items.push_back(itemNumberFromKey(item->data(0, kKeyRole).toString()));
    }
    return items;
}

QString TreeDupsView::selectedKey() const
{
    if (!m_tree || !m_tree->currentItem() || !m_tree->currentItem()->isSelected())
        return QString();
    return m_tree->currentItem()->data(0, kKeyRole).toString();
}

} // namespace kw::DupsDel
