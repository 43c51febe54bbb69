#include "platform/ui/HelpViewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kw::ui {
namespace {

// Catches F1 before any widget sees it, so every window gets help alike,
// including dialogs that know nothing about help.
class F1Filter : public QObject
{
public:
    explicit F1Filter(HelpViewer &help) : m_help(help) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        m_help.showHelpFor(static_cast<QWidget *>(watched));
        return true;
    }

private:
    HelpViewer &m_help;
};

} // namespace

const QString &HelpViewer::firstPage()
{
    static const QString page = QStringLiteral("index");
    return page;
}

HelpViewer::~HelpViewer()
{
    if (m_keyFilter && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(m_keyFilter.get());
}

QString HelpViewer::pageFile(const QString &windowName) const
{
    const QDir folder(m_folder);
    // Only plain names: an objectName must not reach outside the help folder.
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_]+$"));
    if (plain.match(windowName).hasMatch()) {
        const QString own = folder.filePath(windowName + QStringLiteral(".html"));
        if (QFileInfo::exists(own))
            return own;
    }
    return folder.filePath(firstPage() + QStringLiteral(".html"));
}

void HelpViewer::showHelpFor(const QWidget *widget)
{
    const QWidget *window = widget ? widget->window() : QApplication::activeWindow();
    showFile(pageFile(window ? window->objectName() : QString()));
}

void HelpViewer::installF1Key()
{
    if (m_keyFilter || !QCoreApplication::instance())
        return;
    m_keyFilter = std::make_unique<F1Filter>(*this);
    QCoreApplication::instance()->installEventFilter(m_keyFilter.get());
}

HelpBrowser::HelpBrowser() = default;

HelpBrowser::~HelpBrowser()
{
    delete m_window.data();
}

QWidget *HelpBrowser::window() const
{
    return m_window.data();
}

void HelpBrowser::showFile(const QString &file)
{
    // A modal dialog blocks every window but its own: its help goes with it,
    // else it would sit behind the dialog, unusable until the dialog closes.
    // Help for a modeless window stands alone again.
    QWidget *owner = QApplication::activeModalWidget();
    if (m_window && m_window->parentWidget() != owner)
        m_window->setParent(owner, m_window->windowFlags());
    if (!m_window) {
        m_window = new QWidget(owner, Qt::Window);
        m_window->setObjectName(QStringLiteral("HelpViewer"));
        m_window->setWindowTitle(QStringLiteral("Kontorwerk Hilfe"));
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_browser = new QTextBrowser(m_window);
        m_browser->setObjectName(QStringLiteral("txtHelp"));
        m_browser->setOpenExternalLinks(false);
        m_browser->document()->setDocumentMargin(14);
        auto *layout = new QVBoxLayout(m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_browser);
        m_window->resize(640, 560);
    }
    m_browser->setSearchPaths({helpFolder()});
    m_browser->setSource(QUrl::fromLocalFile(file));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace kw::ui
