#include "platform/ui/OutBar.h"

#include <QEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace kw::ui {
namespace {

constexpr int kIconSize = 32;
const char *const kItemKeyProperty = "kwItemKey";

// A push button that also reports clicks of the right and middle button;
// QAbstractButton itself reacts to the left button only.
class ItemButton : public QToolButton
{
public:
    std::function<void(int)> onOtherClick;

    using QToolButton::QToolButton;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            return QToolButton::mousePressEvent(event);
        m_pressed = event->button();
        event->accept();
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            return QToolButton::mouseReleaseEvent(event);
        const bool same = event->button() == m_pressed;
        m_pressed = Qt::NoButton;
        event->accept();
        if (same && rect().contains(event->position().toPoint()) && onOtherClick)
            onOtherClick(toMouseValue(event->button()));
    }

private:
    static int toMouseValue(Qt::MouseButton button)
    {
        switch (button) {
        case Qt::RightButton:
            return mouse::Right;
        case Qt::MiddleButton:
            return mouse::Middle;
        default:
            return 0;
        }
    }

    Qt::MouseButton m_pressed = Qt::NoButton;
};

} // namespace

OutBar::OutBar(QWidget *parent) : QToolBox(parent)
{
}

int OutBar::addGroup(const QString &key, const QString &caption)
{
    auto *page = new QWidget(this);
    page->setObjectName(key);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 8, 4, 8);
    layout->setSpacing(10);
    layout->addStretch(1);
    QToolBox::addItem(page, caption);
    m_groups.append({key, page, {}});
    updateGeometry();
    return m_groups.size() - 1;
}

int OutBar::addItem(int group, const Item &item)
{
    Q_ASSERT(group >= 0 && group < m_groups.size());
    Group &g = m_groups[group];
    auto *button = new ItemButton(g.page);
    button->setProperty(kItemKeyProperty, item.key);
    button->setIcon(item.icon);
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setToolTip(item.toolTip);
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    applyCaption(button, item.caption);
    button->onOtherClick = [this, button](int mouseButton) { emitClick(button, mouseButton); };
    connect(button, &QToolButton::clicked, this, [this, button] { emitClick(button, mouse::Left); });

    auto *layout = static_cast<QVBoxLayout *>(g.page->layout());
    layout->insertWidget(layout->count() - 1, button); // keep the stretch last
    g.items.append(button);
    updateGeometry();
    return g.items.size() - 1;
}

int OutBar::itemCount(int group) const
{
    return group >= 0 && group < m_groups.size() ? m_groups[group].items.size() : 0;
}

int OutBar::groupIndex(const QString &groupKey) const
{
    for (int i = 0; i < m_groups.size(); ++i) {
        if (m_groups[i].key == groupKey)
            return i;
    }
    return -1;
}

int OutBar::itemIndex(int group, const QString &itemKey) const
{
    for (int i = 0; i < itemCount(group); ++i) {
        if (m_groups[group].items[i]->property(kItemKeyProperty).toString() == itemKey)
            return i;
    }
    return -1;
}

QString OutBar::groupKey(int group) const
{
    return group >= 0 && group < m_groups.size() ? m_groups[group].key : QString();
}

QString OutBar::itemKey(int group, int index) const
{
    const QToolButton *button = itemButton(group, index);
    return button ? button->property(kItemKeyProperty).toString() : QString();
}

QToolButton *OutBar::itemButton(int group, int index) const
{
    if (index < 0 || index >= itemCount(group))
        return nullptr;
    return m_groups[group].items[index];
}

bool OutBar::setGroupCaption(const QString &groupKey, const QString &caption)
{
    const int group = groupIndex(groupKey);
    if (group < 0)
        return false;
    setItemText(indexOf(m_groups[group].page), caption);
    updateGeometry();
    return true;
}

bool OutBar::setItemCaption(const QString &groupKey, const QString &itemKey, const QString &caption)
{
    const int group = groupIndex(groupKey);
    QToolButton *button = itemButton(group, itemIndex(group, itemKey));
    if (!button)
        return false;
    applyCaption(button, caption);
    updateGeometry();
    return true;
}

QList<QAbstractButton *> OutBar::groupHeaders() const
{
    // The tool box's own buttons are its only direct button children; the
    // items sit on the pages. Both are made in group order.
    return findChildren<QAbstractButton *>(Qt::FindDirectChildrenOnly);
}

QSize OutBar::sizeHint() const
{
    return {commonWidth(), QToolBox::sizeHint().height()};
}

QSize OutBar::minimumSizeHint() const
{
    return {commonWidth(), QToolBox::minimumSizeHint().height()};
}

// The tool box alone would be as wide as its open page, so the bar narrowed
// to the two short captions of "Extras" and cut the group headers.
int OutBar::commonWidth() const
{
    int width = 0;
    for (const Group &g : m_groups)
        width = std::max(width, g.page->sizeHint().width());
    for (const QAbstractButton *header : groupHeaders())
        width = std::max(width, header->sizeHint().width());
    return width + 2 * frameWidth();
}

void OutBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateGeometry();
    QToolBox::changeEvent(event);
}

void OutBar::applyCaption(QToolButton *button, const QString &caption)
{
    button->setText(caption);
    button->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
}

void OutBar::emitClick(QToolButton *button, int mouseButton)
{
    for (int g = 0; g < m_groups.size(); ++g) {
        const int index = m_groups[g].items.indexOf(button);
        if (index >= 0) {
            Q_EMIT ItemClick(g, index, mouseButton);
            return;
        }
    }
}

} // namespace kw::ui
