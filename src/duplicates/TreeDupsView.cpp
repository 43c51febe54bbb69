#include "duplicates/TreeDupsView.h"

#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyledItemDelegate>
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

// Where the closing " (folder, date)" of an entry starts: at the bracket
// that the last one closes, so a folder named "Duplikate (erstellt von
// Kontorwerk)" stays whole. -1 when the text has no such part.
qsizetype tailStart(const QString &text)
{
    if (!text.endsWith(u')'))
        return -1;
    int depth = 0;
    for (qsizetype i = text.size() - 1; i > 0; --i) {
        if (text[i] == u')')
            ++depth;
        else if (text[i] == u'(' && --depth == 0)
            return text[i - 1] == u' ' ? i - 1 : -1;
    }
    return -1;
}

// Draws each entry through fitEntryText, so the list needs no sideways
// scrolling; the whole text stays in the tooltip.
class EntryDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QWidget *widget = item.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        // The style keeps this margin on either side of an item's text.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
        item.text = fitEntryText(item.text, item.fontMetrics, text.width() - 2 * margin);
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    }
};

} // namespace

QString fitEntryText(const QString &text, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const qsizetype tail = tailStart(text);
    if (tail < 0)
        return metrics.elidedText(text, Qt::ElideRight, width);
    const QString ending = text.mid(tail);
    const int room = std::max(0, width - metrics.horizontalAdvance(ending));
    return metrics.elidedText(text.left(tail), Qt::ElideRight, room) + ending;
}

TreeDupsView::TreeDupsView(const StatusControls &status, const DupListControls &list)
    : m_statusBar(status.lblStatus, status.ProgressBar1)
    , m_frame(list.frmDups)
    , m_tree(list.tvwDups)
    , m_delete(list.cmdDupDel)
    , m_view(list.cmdDupView)
{
    // The one column fills the list and no more: a long entry is cut in its
    // lead, not scrolled out of sight with its date.
    if (m_tree)
        m_tree->setItemDelegate(new EntryDelegate(m_tree));
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
