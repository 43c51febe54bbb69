#include "duplicates/DuplicateList.h"

#include <QHash>

namespace kw::DupsDel {

QColor groupColor(int groupIndex)
{
    return groupIndex % 2 == 0 ? QColor(255, 255, 255) : QColor(255, 244, 170);
}

QString DupNodeKey(int itemNumber)
{
    return QStringLiteral("K") + QString::number(itemNumber);
}

int itemNumberFromKey(const QString &key)
{
    bool ok = false;
    const int n = key.mid(1).toInt(&ok);
    return ok ? n : -1;
}

DupList buildDuplicateList(const PairList &pairs, const std::vector<QString> &displays,
                           const std::vector<char> &remove, const QString &itemType)
{
    DupList list;
    QHash<int, QColor> rootColor; // the shown flags, with each root's colour
    int groups = 0;
    for (int k = 1; k <= pairs.count; ++k) {
        const int r = pairs.parents[size_t(k)];
        const int d = pairs.children[size_t(k)];
        auto root = rootColor.constFind(r);
        if (root == rootColor.cend()) {
            const QColor color = groupColor(groups++);
            root = rootColor.insert(r, color);
            list.nodes.append(DupNode{DupNodeKey(r), QString(), displays[size_t(r)], itemType,
                                      bool(remove[size_t(r)]), color});
        }
        list.nodes.append(DupNode{DupNodeKey(d), DupNodeKey(r), displays[size_t(d)], itemType,
                                  bool(remove[size_t(d)]), *root});
        if (list.nodes.size() >= kMaxListNodes) {
            list.limitReached = true;
            break;
        }
    }
    return list;
}

std::vector<int> tickedItemNumbers(const DupList &list)
{
    std::vector<int> items;
    for (const DupNode &node : list.nodes) {
        if (node.checked)
            items.push_back(itemNumberFromKey(node.key));
    }
    return items;
}

QString readStatus(int n, int total)
{
    return QStringLiteral("Phase 1: Element %1 von %2 einlesen").arg(n).arg(total);
}

QString compareStatus(int i)
{
    return QStringLiteral("Phase 2: Analysiere Element %1").arg(i);
}

QString foundStatus(int pairCount)
{
    return QStringLiteral("%1 Duplikate gefunden...").arg(pairCount);
}

} // namespace kw::DupsDel
