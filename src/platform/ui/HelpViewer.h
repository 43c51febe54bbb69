#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <QRect>
#include <QSize>

#include <functional>
#include <memory>

class QTextBrowser;
class QWidget;

namespace kw::ui {

// The program's help: one HTML page per window, named after the window's
// objectName ("frmHaupt.html"), and a first page "index.html" for windows
// without a page of their own.
class HelpViewer
{
public:
    static const QString &firstPage(); // "index"

    virtual ~HelpViewer();

    void setHelpFolder(const QString &folder) { m_folder = folder; }
    const QString &helpFolder() const { return m_folder; }

    // The file that help for a window of this name opens.
    QString pageFile(const QString &windowName) const;
    // Opens the page of the window that `widget` belongs to.
    void showHelpFor(const QWidget *widget);

    // F1 in any window of the application opens that window's page.
    void installF1Key();

    // Closes the help window, if one is open; the program calls it at its end.
    virtual void closeWindow() {}

protected:
    // `explained`: the window whose help is asked for, or none.
    virtual void showFile(const QString &file, const QWidget *explained) = 0;

private:
    QString m_folder;
    std::unique_ptr<QObject> m_keyFilter;
};

// Where a help window of `size` opens: beside `explained` (a window's frame),
// on its right where there is room, else on its left, else on the side with
// more room, overlapping as little as it must; always inside `screen`, and
// made smaller where the screen is.
QRect helpPlacement(const QSize &size, const QRect &explained, const QRect &screen);

// Shows the pages in a window of its own with a QTextBrowser. Opened while a
// modal dialog is active, the window belongs to that dialog (and closes with
// it), so that the dialog does not block it. It opens beside the window it
// explains and closes with Escape.
class HelpBrowser : public HelpViewer
{
public:
    // The size the window opens with, and where its size goes when it is
    // closed or hidden; the program keeps it in its settings.
    struct SizeMemory
    {
        std::function<QSize()> load; // an empty size: none kept
        std::function<void(const QSize &)> save;
    };
    static constexpr QSize kDefaultSize{640, 560};

    HelpBrowser();
    ~HelpBrowser() override;

    void setSizeMemory(SizeMemory memory) { m_memory = std::move(memory); }

    // The help window, once one was opened.
    QWidget *window() const;
    void closeWindow() override;

protected:
    void showFile(const QString &file, const QWidget *explained) override;

private:
    void createWindow(QWidget *owner);
    void place(const QWidget *explained);

    QPointer<QWidget> m_window;
    QTextBrowser *m_browser = nullptr;
    SizeMemory m_memory;
    std::unique_ptr<QObject> m_sizeWatch;
};

// Test double: records the files it was asked to show.
class RecordingHelpViewer : public HelpViewer
{
public:
    QStringList shownFiles;

protected:
    void showFile(const QString &file, const QWidget *) override { shownFiles.append(file); }
};

} // namespace kw::ui
