#include "shell/RunView.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace kw {

StatusBarView::StatusBarView(QLabel *status, QProgressBar *progress)
    : m_status(status), m_progress(progress)
{
}

void StatusBarView::setStatus(const QString &text)
{
    if (m_status)
        m_status->setText(text);
}

void StatusBarView::setProgressMaximum(int maximum)
{
    if (m_progress)
        m_progress->setMaximum(std::max(maximum, 1));
}

void StatusBarView::setProgress(int value)
{
    if (m_progress)
        m_progress->setValue(std::clamp(value, 0, m_progress->maximum()));
}

void StatusBarView::yield()
{
    if (m_sinceYield.isValid() && m_sinceYield.elapsed() < kYieldIntervalMs)
        return;
    QCoreApplication::processEvents();
    m_sinceYield.start();
}

} // namespace kw
