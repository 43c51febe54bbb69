#include "contacts/ContactNameActions.h"

#include "contacts/frmNameCheck.h"
#include "shell/AppServices.h"
#include "shell/frmHauptUi.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QWidget>

#include <algorithm>

namespace kw {

ContactNameActions::ContactNameActions(QWidget *window, const StatusControls &status, AppServices &services)
    : QObject(window)
    , m_services(services)
    , m_window(window)
    , m_status(status.lblStatus)
    , m_progress(status.ProgressBar1)
    , m_referenceDatabase(services.paths.referenceDatabase())
    , m_words(m_referenceDatabase)
{
}

NameRunContext ContactNameActions::context()
{
    AppServices &s = m_services;
    return NameRunContext{s.settings,
                          s.messages,
                          m_words,
                          *this,
                          [&s](bool starting) { s.busy.BeginEndOperation(starting); },
                          [&s](const QString &mode) { return s.folders.GetActivatedFolders(mode); }};
}

void ContactNameActions::CorrectContactNames()
{
    if (m_services.busy.isBusy())
        return;
    NameRunContext ctx = context();
    kw::CorrectContactNames(ctx);
}

void ContactNameActions::mnuNameCheck_Click()
{
    frmNameCheck dialog(m_words, m_services.messages, m_services.paths.preferencesFolder(), m_window);
    dialog.exec();
}

void ContactNameActions::setStatus(const QString &text)
{
    if (m_status)
        m_status->setText(text);
}

void ContactNameActions::setProgressMaximum(int maximum)
{
    if (m_progress)
        m_progress->setMaximum(std::max(maximum, 1));
}

void ContactNameActions::setProgress(int value)
{
    if (m_progress)
        m_progress->setValue(std::clamp(value, 0, m_progress->maximum()));
}

void ContactNameActions::yield()
{
    QCoreApplication::processEvents();
}

} // namespace kw
