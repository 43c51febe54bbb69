#pragma once

#include <QIcon>
#include <QList>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace kw {

class Messages;

// The folder tree TvwOrdner: node keys, images, ticks and the tree commands.
// Every tick set here runs with the tree's signals blocked, so only a user's
// click reaches TvwOrdner_NodeCheck.
namespace foldertree {

constexpr int KeyRole = 0x0100;        // Qt::UserRole: "K" + node number
constexpr int ImageRole = 0x0101;      // the node's image key
constexpr int MaxNodeNumber = 32767;   // highest node number the ID arrays hold

inline QString keyFor(int number) { return QLatin1Char('K') + QString::number(number); }
// The number after the key's first character; 0 when there is none.
int numberFromKey(const QString &key);

// The image keys of the tree's image list.
const QStringList &imageKeys();
// The image for a folder's container class: the class itself when the list
// has it, else its longest known prefix ("IPF.Contact.Kunde" -> "IPF.Contact"),
// else "IPF.Note" (also for a folder without a class).
QString imageForContainerClass(const QString &containerClass);
QIcon imageIcon(const QString &imageKey);

// Adds a node with a check box; parent null makes it top-level.
QTreeWidgetItem *addNode(QTreeWidget *tree, QTreeWidgetItem *parent, const QString &key, const QString &text,
                         const QString &imageKey);
QString nodeKey(const QTreeWidgetItem *node);
QString nodeImage(const QTreeWidgetItem *node);
bool isTicked(const QTreeWidgetItem *node);
void setTicked(QTreeWidgetItem *node, bool ticked);

// Every node in the order the fill added them (depth-first pre-order).
QList<QTreeWidgetItem *> nodesInOrder(const QTreeWidget *tree);
QTreeWidgetItem *findNode(const QTreeWidget *tree, const QString &key);
// The selected node (the marked folder), or null.
QTreeWidgetItem *selectedNode(const QTreeWidget *tree);
void selectNode(QTreeWidget *tree, QTreeWidgetItem *node);

// Ticks the node and its whole subtree.
void MarkBranch(QTreeWidgetItem *node, bool checked, Messages &messages);

// The commands of the main window; errors are reported with their place codes.
void cmdAlleRueck(QTreeWidget *tree, Messages &messages);   // "Alle deaktivieren"
void cmdZweigMark(QTreeWidget *tree, Messages &messages);   // "Zweig aktivieren"
// A user's tick or untick makes the node the marked folder.
void TvwOrdner_NodeCheck(QTreeWidget *tree, QTreeWidgetItem *node);

} // namespace foldertree
} // namespace kw
