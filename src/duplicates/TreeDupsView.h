#pragma once

#include "duplicates/DupsContext.h"
#include "shell/frmHauptUi.h"

#include <QIcon>
#include <QPointer>

class QFontMetrics;
class QTreeWidget;
class QWidget;

namespace kw::DupsDel {

// The text an entry shows in `width` pixels. An entry reads "lead (folder,
// date)"; where it does not fit, the lead (name or subject) is cut and the
// closing "(folder, date)" kept, since that is what tells the members of a
// group apart. An entry without that closing part is cut at its end.
QString fitEntryText(const QString &text, const QFontMetrics &metrics, int width);

// The duplicate list of the main window, and its status line while a
// duplicate run works. The one owner of the list's controls: nothing else
// shows, hides or empties them. A part left null (a test's bare list) is
// skipped.
class TreeDupsView : public DupsView
{
public:
    TreeDupsView(const StatusControls &status, const DupListControls &list);

    void setStatus(const QString &text) override;
    void setProgressMaximum(int maximum) override;
    void setProgress(int value) override;
    void yield() override;
    void showNodes(const DupList &list) override;
    void clearNodes() override;
    void setListVisible(bool visible) override;
    bool listVisible() const override;
    void setListButtonsEnabled(bool enabled) override;
    std::vector<int> tickedItems() const override;
    QString selectedKey() const override;

    // The picture for an item type ("Contact", "Task", ...), one per type.
    static QIcon imageFor(const QString &itemType);

private:
    StatusBarView m_statusBar;
    QPointer<QWidget> m_frame;
    QPointer<QTreeWidget> m_tree;
    QPointer<QWidget> m_delete;
    QPointer<QWidget> m_view;
};

} // namespace kw::DupsDel
