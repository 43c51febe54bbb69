#pragma once

// Shared by the folder tests: profiles from fixtures and a readable dump of
// the folder tree.

#include "platform/mailstore/Fixture.h"
#include "shell/FolderTree.h"
#include "support/TestEnv.h"

#include <QStringList>
#include <QTreeWidget>

namespace kw::test {

// Creates the test's profile from tests/fixtures/<name>.
inline void createProfile(const TestEnv &env, const QString &name)
{
    mailstore::fixture::createProfileFromFile(env.profileFile(), QStringLiteral(KW_TEST_FIXTURES "/") + name);
}

// One line per node in tree order: indentation by depth, key, text, image.
inline QStringList treeLines(const QTreeWidget &tree)
{
    QStringList lines;
    for (QTreeWidgetItem *node : foldertree::nodesInOrder(&tree)) {
        int depth = 0;
        for (QTreeWidgetItem *p = node->parent(); p; p = p->parent())
            ++depth;
        lines << QString(depth * 2, QLatin1Char(' ')) + foldertree::nodeKey(node) + QLatin1Char(' ')
                + node->text(0) + QStringLiteral(" [") + foldertree::nodeImage(node) + QLatin1Char(']');
    }
    return lines;
}

// The node at a path of node texts joined by "/", or null.
inline QTreeWidgetItem *nodeAt(const QTreeWidget &tree, const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('/'));
    QTreeWidgetItem *node = nullptr;
    for (const QString &part : parts) {
        QTreeWidgetItem *next = nullptr;
        const int count = node ? node->childCount() : tree.topLevelItemCount();
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem *child = node ? node->child(i) : tree.topLevelItem(i);
            if (child->text(0) == part)
                next = child;
        }
        if (!next)
            return nullptr;
        node = next;
    }
    return node;
}

} // namespace kw::test
