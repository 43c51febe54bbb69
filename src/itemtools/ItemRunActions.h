#pragma once

#include "itemtools/ItemRun.h"

#include <QObject>
#include <QPointer>

class QLabel;
class QProgressBar;

namespace kw {
class AppServices;
class frmHaupt;
}

namespace kw::itemtools {

// The main window's status line and progress bar. The bar never shows more
// than its maximum: a folder may have grown since the items were counted.
class WindowRunView : public RunView
{
public:
    WindowRunView(QLabel *status, QProgressBar *progress);

    void setStatus(const QString &text) override;
    void setProgressMaximum(int maximum) override;
    void setProgress(int value) override;
    void yield() override;

private:
    QPointer<QLabel> m_status;
    QPointer<QProgressBar> m_progress;
};

// The main window's entries of the message-class change and the attachment
// runs, over its controls and the program's services. A child of the
// window, so it lives exactly as long. No entry starts while a run is busy.
class ItemRunActions : public QObject
{
public:
    ItemRunActions(frmHaupt &window, AppServices &services);

    void mnuFormularWechsel_Click(); // also the tool-bar key "For"
    void mnuAttSave_Click();         // also "Att"
    void mnuAttUndo_Click();         // after the Yes to the window's question
    void mnuAttMove_Click();

    RunContext context();

private:
    frmHaupt &m_window;
    AppServices &m_services;
    WindowRunView m_view;
};

} // namespace kw::itemtools
