#pragma once

#include "duplicates/Phase2.h"

#include <QColor>
#include <QList>
#include <QString>
#include <vector>

namespace kw::DupsDel {

// One entry of the duplicate list: a group root (empty parentKey) or a child.
struct DupNode
{
    QString key;       // "K" + item number
    QString parentKey; // "" for a root
    QString text;
    QString image;     // the item type, e.g. "Contact"
    bool checked = false;
    QColor backColor;
    bool operator==(const DupNode &) const = default;
};

// The duplicate list as the window shows it, in the order the nodes were added.
struct DupList
{
    QList<DupNode> nodes;
    bool limitReached = false; // the node limit was reached: the warning is due, later pairs are not listed
    bool operator==(const DupList &) const = default;
};

constexpr int kMaxListNodes = 32767;
QColor groupColor(int groupIndex);

// "K" + item number, and back.
QString DupNodeKey(int itemNumber);
int itemNumberFromKey(const QString &key);

// Builds the list from the scan's pairs: one root per group, its members as
// children, ticked where marked, groups alternately white and light yellow.
// Stops once the list holds 32,767 nodes.
DupList buildDuplicateList(const PairList &pairs, const std::vector<QString> &displays,
                           const std::vector<char> &remove, const QString &itemType);

// The item numbers of the ticked nodes, in list order.
std::vector<int> tickedItemNumbers(const DupList &list);

// "Phase 2: Analysiere Element 7" and the other status texts.
QString readStatus(int n, int total);
QString compareStatus(int i);
QString foundStatus(int pairCount);

} // namespace kw::DupsDel
