#include "platform/ui/HelpViewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMargins>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

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

// Hands the help window's size to its memory whenever the window leaves the
// screen: closed, Escape, or gone with the dialog it belonged to.
class SizeWatch : public QObject
{
public:
    explicit SizeWatch(const HelpBrowser::SizeMemory &memory) : m_memory(memory) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched->isWidgetType() && m_memory.save)
            m_memory.save(static_cast<QWidget *>(watched)->size());
        return false;
    }

private:
    const HelpBrowser::SizeMemory &m_memory;
};

// What a window manager adds around a window: borders and the title bar.
constexpr QMargins kDecoration{8, 32, 8, 8};

// Where `length` starts along one axis inside [low, high].
int clampedStart(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high + 1 - length));
}

} // namespace

QRect helpPlacement(const QSize &size, const QRect &explained, const QRect &screen)
{
    const QSize fitted = size.boundedTo(screen.size());
    if (!explained.isValid()) {
        QRect centred(QPoint(), fitted);
        centred.moveCenter(screen.center());
        return centred;
    }
    const int roomRight = screen.right() - explained.right();
    const int roomLeft = explained.left() - screen.left();
    int x;
    if (roomRight >= fitted.width())
        x = explained.right() + 1;
    else if (roomLeft >= fitted.width())
        x = explained.left() - fitted.width();
    else // against the screen's edge on the roomier side
        x = roomRight >= roomLeft ? screen.right() + 1 - fitted.width() : screen.left();
    x = clampedStart(x, fitted.width(), screen.left(), screen.right());
    const int y = clampedStart(explained.top(), fitted.height(), screen.top(), screen.bottom());
    return {QPoint(x, y), fitted};
}

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
    showFile(pageFile(window ? window->objectName() : QString()), window);
}

void HelpViewer::installF1Key()
{
    if (m_keyFilter || !QCoreApplication::instance())
        return;
    m_keyFilter = std::make_unique<F1Filter>(*this);
    QCoreApplication::instance()->installEventFilter(m_keyFilter.get());
}

HelpBrowser::HelpBrowser() : m_sizeWatch(std::make_unique<SizeWatch>(m_memory))
{
}

HelpBrowser::~HelpBrowser()
{
    // The settings behind the memory may be gone by now.
    m_memory = {};
    delete m_window.data();
}

QWidget *HelpBrowser::window() const
{
    return m_window.data();
}

void HelpBrowser::closeWindow()
{
    if (m_window)
        m_window->close();
}

void HelpBrowser::showFile(const QString &file, const QWidget *explained)
{
    // A modal dialog blocks every window but its own: its help goes with it,
    // else it would sit behind the dialog, unusable until the dialog closes.
    // Help for a modeless window stands alone again.
    QWidget *owner = QApplication::activeModalWidget();
    if (m_window && m_window->parentWidget() != owner)
        m_window->setParent(owner, m_window->windowFlags());
    if (!m_window)
        createWindow(owner);
    m_browser->setSearchPaths({helpFolder()});
    m_browser->setSource(QUrl::fromLocalFile(file));
    // Open help stays where the user put it; help that opens comes up beside
    // the window it explains, not over it.
    if (!m_window->isVisible())
        place(explained);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void HelpBrowser::createWindow(QWidget *owner)
{
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
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_window);
    QObject::connect(escape, &QShortcut::activated, m_window, &QWidget::close);
    const QSize kept = m_memory.load ? m_memory.load() : QSize();
    m_window->resize(kept.isEmpty() ? kDefaultSize : kept);
    m_window->installEventFilter(m_sizeWatch.get());
}

void HelpBrowser::place(const QWidget *explained)
{
    const QScreen *screen = explained ? explained->screen() : m_window->screen();
    if (!screen)
        return;
    const QRect frame = explained && explained->isVisible() ? explained->frameGeometry() : QRect();
    const QRect outer = helpPlacement(m_window->size().grownBy(kDecoration), frame, screen->availableGeometry());
    m_window->setGeometry(outer.marginsRemoved(kDecoration));
}

} // namespace kw::ui
