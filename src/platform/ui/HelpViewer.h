#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

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

protected:
    virtual void showFile(const QString &file) = 0;

private:
    QString m_folder;
    std::unique_ptr<QObject> m_keyFilter;
};

// Shows the pages in a window of its own with a QTextBrowser. Opened while a
// modal dialog is active, the window belongs to that dialog (and closes with
// it), so that the dialog does not block it.
class HelpBrowser : public HelpViewer
{
public:
    HelpBrowser();
    ~HelpBrowser() override;

    // The help window, once one was opened.
    QWidget *window() const;

protected:
    void showFile(const QString &file) override;

private:
    QPointer<QWidget> m_window;
    QTextBrowser *m_browser = nullptr;
};

// Test double: records the files it was asked to show.
class RecordingHelpViewer : public HelpViewer
{
public:
    QStringList shownFiles;

protected:
    void showFile(const QString &file) override { shownFiles.append(file); }
};

} // namespace kw::ui
