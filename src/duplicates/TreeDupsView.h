#pragma once

#include "duplicates/DupsContext.h"

#include <QIcon>
#include <QPointer>

class QLabel;
class QProgressBar;
class QTreeWidget;
class QWidget;

namespace kw::DupsDel {

// The duplicate list and the status controls of the main window, looked up by
// their object names (lblStatus, ProgressBar1, frmDups, tvwDups, cmdDupDel,
// cmdDupView). Missing controls are skipped.
class TreeDupsView : public DupsView
{
public:
    explicit TreeDupsView(QWidget *window);

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
    QPointer<QLabel> m_status;
    QPointer<QProgressBar> m_progress;
    QPointer<QWidget> m_frame;
    QPointer<QTreeWidget> m_tree;
    QPointer<QWidget> m_delete;
    QPointer<QWidget> m_view;
};

} // namespace kw::DupsDel
