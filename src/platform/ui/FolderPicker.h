#pragma once

#include <QQueue>
#include <QString>
#include <QStringList>

class QWidget;

namespace kw::ui {

// Lets the user choose a folder of the file system.
class FolderPicker
{
public:
    virtual ~FolderPicker() = default;
    // The chosen folder's path, or an empty text when the user cancels.
    // May throw kw::PlatformError when the picker cannot be shown.
    virtual QString pickFolder(const QString &title, QWidget *owner) = 0;
};

// The toolkit's modal directory dialog, folders only.
class QtFolderPicker : public FolderPicker
{
public:
    QString pickFolder(const QString &title, QWidget *owner) override;
};

// Test double: records each title and answers from a queue; an empty queue
// (or an empty answer) is a cancel. `failNext` makes the next call throw.
class ScriptedFolderPicker : public FolderPicker
{
public:
    QString pickFolder(const QString &title, QWidget *owner) override;

    QStringList titles;
    QQueue<QString> answers;
    bool failNext = false;
};

} // namespace kw::ui
