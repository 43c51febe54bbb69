#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QToolBox>

class QAbstractButton;
class QToolButton;

namespace kw::ui {

// Mouse-button values of an item click, as the click handlers compare them.
namespace mouse {
constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Middle = 4;
}

// A tool bar of groups, one page per group, each with a column of picture
// items. Groups and items are found by their keys; a click on an item with
// any mouse button is reported as ItemClick(group, index, button) and the
// receiver decides what a button means.
//
// The bar is as wide as its widest page or group header, whichever group is
// open: opening another group neither moves the windows' other parts nor cuts
// a caption.
class OutBar : public QToolBox
{
    Q_OBJECT

public:
    struct Item
    {
        QString key;
        QString caption; // empty: the item shows its picture only
        QString toolTip;
        QIcon icon;
    };

    explicit OutBar(QWidget *parent = nullptr);

    // Both return the new index (from 0).
    int addGroup(const QString &key, const QString &caption);
    int addItem(int group, const Item &item);

    int groupCount() const { return m_groups.size(); }
    int itemCount(int group) const;
    // -1 when there is no such key.
    int groupIndex(const QString &groupKey) const;
    int itemIndex(int group, const QString &itemKey) const;
    // Empty when the position does not exist.
    QString groupKey(int group) const;
    QString itemKey(int group, int index) const;
    QToolButton *itemButton(int group, int index) const;
    // The clickable headers that open the groups, in group order.
    QList<QAbstractButton *> groupHeaders() const;

    // Return false when the keys name no group or item.
    bool setGroupCaption(const QString &groupKey, const QString &caption);
    bool setItemCaption(const QString &groupKey, const QString &itemKey, const QString &caption);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void ItemClick(int group, int index, int button);

protected:
    void changeEvent(QEvent *event) override;

private:
    struct Group
    {
        QString key;
        QWidget *page = nullptr;
        QList<QToolButton *> items;
    };
    void emitClick(QToolButton *button, int mouseButton);
    static void applyCaption(QToolButton *button, const QString &caption);
    int commonWidth() const;

    QList<Group> m_groups;
};

} // namespace kw::ui
