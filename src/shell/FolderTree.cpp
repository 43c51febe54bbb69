#include "shell/FolderTree.h"

#include "shell/ErrorTrap.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace kw::foldertree {
namespace {

// One colour per folder kind; the shape is the same small folder for all.
QColor imageColour(const QString &imageKey)
{
    static const QHash<QString, QColor> colours = {
        {QStringLiteral("Post"), QColor(0x55, 0x55, 0x55)},
        {QStringLiteral("IPF.Note"), QColor(0xe0, 0xb0, 0x40)},
        {QStringLiteral("IPF.Task"), QColor(0x40, 0xa0, 0x50)},
        {QStringLiteral("IPF.Journal"), QColor(0x90, 0x60, 0xc0)},
        {QStringLiteral("IPF.Appointment"), QColor(0xd0, 0x50, 0x40)},
        {QStringLiteral("IPF.Contact"), QColor(0x40, 0x80, 0xd0)},
        {QStringLiteral("IPF.StickyNote"), QColor(0xe8, 0xd8, 0x30)},
    };
    return colours.value(imageKey, QColor(0xe0, 0xb0, 0x40));
}

QIcon drawImage(const QString &imageKey)
{
    QPixmap pix(16, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(imageColour(imageKey).darker(150));
    p.setBrush(imageColour(imageKey));
    if (imageKey == QLatin1String("Post")) {
        p.drawRoundedRect(QRectF(1.5, 3.5, 13, 10), 2, 2);   // a store: a closed box
        p.drawLine(QPointF(1.5, 7.5), QPointF(14.5, 7.5));
    } else {
        p.drawRect(QRectF(1.5, 2.5, 6, 3));                   // the folder's tab
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
    }
    return QIcon(pix);
}

void markSubtree(QTreeWidgetItem *node, bool checked)
{
    setTicked(node, true);
    for (int i = 0; i < node->childCount(); ++i) {
        QTreeWidgetItem *child = node->child(i);
        setTicked(child, checked);
        markSubtree(child, checked);
    }
}

} // namespace

int numberFromKey(const QString &key)
{
    bool ok = false;
    const int n = key.mid(1).toInt(&ok);
    return ok ? n : 0;
}

const QStringList &imageKeys()
{
    static const QStringList keys = {
        QStringLiteral("Post"),        QStringLiteral("IPF.Note"),        QStringLiteral("IPF.Task"),
        QStringLiteral("IPF.Journal"), QStringLiteral("IPF.Appointment"), QStringLiteral("IPF.Contact"),
        QStringLiteral("IPF.StickyNote"),
    };
    return keys;
}

QString imageForContainerClass(const QString &containerClass)
{
    QString cls = containerClass;
    while (!cls.isEmpty()) {
        if (cls != QLatin1String("Post") && imageKeys().contains(cls))
            return cls;
        const int dot = cls.lastIndexOf(QLatin1Char('.'));
        if (dot <= 0)
            break;
        cls.truncate(dot);
    }
    return QStringLiteral("IPF.Note");
}

QIcon imageIcon(const QString &imageKey)
{
    // Never destroyed: icons must not outlive the application object at exit.
    static auto *cache = new QHash<QString, QIcon>;
    auto it = cache->find(imageKey);
    if (it == cache->end())
        it = cache->insert(imageKey, drawImage(imageKey));
    return *it;
}

QTreeWidgetItem *addNode(QTreeWidget *tree, QTreeWidgetItem *parent, const QString &key, const QString &text,
                         const QString &imageKey)
{
    const QSignalBlocker quiet(tree);
    auto *node = new QTreeWidgetItem;
    node->setText(0, text);
    node->setData(0, KeyRole, key);
    node->setData(0, ImageRole, imageKey);
    node->setIcon(0, imageIcon(imageKey));
    node->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    node->setCheckState(0, Qt::Unchecked);
    if (parent)
        parent->addChild(node);
    else
        tree->addTopLevelItem(node);
    return node;
}

QString nodeKey(const QTreeWidgetItem *node)
{
    return node ? node->data(0, KeyRole).toString() : QString();
}

QString nodeImage(const QTreeWidgetItem *node)
{
    return node ? node->data(0, ImageRole).toString() : QString();
}

bool isTicked(const QTreeWidgetItem *node)
{
    return node && node->checkState(0) == Qt::Checked;
}

void setTicked(QTreeWidgetItem *node, bool ticked)
{
    QTreeWidget *tree = node->treeWidget();
    const QSignalBlocker quiet(tree);
    node->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

QList<QTreeWidgetItem *> nodesInOrder(const QTreeWidget *tree)
{
    QList<QTreeWidgetItem *> nodes;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(tree)); *it; ++it)
        nodes.append(*it);
    return nodes;
}

QTreeWidgetItem *findNode(const QTreeWidget *tree, const QString &key)
{
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(tree)); *it; ++it) {
        if (nodeKey(*it) == key)
            return *it;
    }
    return nullptr;
}

QTreeWidgetItem *selectedNode(const QTreeWidget *tree)
{
    const QList<QTreeWidgetItem *> selected = tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void selectNode(QTreeWidget *tree, QTreeWidgetItem *node)
{
    const QSignalBlocker quiet(tree);
    tree->clearSelection();
    if (!node)
        return;
    tree->setCurrentItem(node);
    node->setSelected(true);
}

void MarkBranch(QTreeWidgetItem *node, bool checked, Messages &messages)
{
    trapErrors(messages, place::BranchTicking, {}, [&] { markSubtree(node, checked); });
}

void cmdAlleRueck(QTreeWidget *tree, Messages &messages)
{
    trapErrors(messages, place::UntickAll, {}, [&] {
        for (QTreeWidgetItem *node : nodesInOrder(tree)) {
            setTicked(node, false);
            node->setExpanded(false);
        }
    });
}

void cmdZweigMark(QTreeWidget *tree, Messages &messages)
{
    QTreeWidgetItem *node = selectedNode(tree);
    if (!node)
        return;
    trapErrors(messages, place::TickBranch, {}, [&] {
        node->setExpanded(true);
        MarkBranch(node, true, messages);
    });
}

void TvwOrdner_NodeCheck(QTreeWidget *tree, QTreeWidgetItem *node)
{
    if (node)
        selectNode(tree, node);
}

} // namespace kw::foldertree
