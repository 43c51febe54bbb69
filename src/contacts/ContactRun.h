#pragma once

#include "platform/mailstore/Fwd.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QLabel;
class QProgressBar;

namespace kw {
class Messages;
class Settings;
namespace refdb {
class Database;
}
}

namespace kw::contacts {

// Setting names the contact runs and dialogs read or write, in one place.
namespace keys {
inline const QString HideFax = QStringLiteral("HideFax");
inline const QString FilterTel = QStringLiteral("FilterTel");
inline const QString CountryFilter = QStringLiteral("CountryFilter");
inline const QString CountryFilterText = QStringLiteral("CountryFilterText");
inline const QString UseNumberBlocksAreaPres = QStringLiteral("UseNumberBlocksAreaPres");
inline const QString UseNumberBlocksAreaNo = QStringLiteral("UseNumberBlocksAreaNo");
}

// What a contact run needs from the main window: its status line and
// progress bar, and a moment for the event loop. Tests record it.
class RunView
{
public:
    virtual ~RunView() = default;
    virtual void setStatus(const QString &text) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgress(int value) = 0;
    virtual void yield() = 0;
};

// The main window's lblStatus and ProgressBar1; a missing control is skipped.
class StatusBarView : public RunView
{
public:
    StatusBarView(QLabel *status, QProgressBar *progress);
    void setStatus(const QString &text) override;
    void setProgressMaximum(int maximum) override;
    void setProgress(int value) override;
    void yield() override;

private:
    QPointer<QLabel> m_status;
    QPointer<QProgressBar> m_progress;
};

// The ticked contact folders (mode "OnlyContacts", not quiet).
struct ContactFolders
{
    std::vector<mailstore::FolderPtr> folders;
    long itemCount = 0; // items of all the folders, of any class
    bool ok = false;    // no: the reason has been shown already
};

// The services and shell procedures one contact run works with.
struct ContactRunContext
{
    Settings &settings;
    Messages &messages;
    RunView &view;
    refdb::Database &database;
    std::function<void(bool)> BeginEndOperation;
    std::function<ContactFolders()> GetActivatedFolders;
};

} // namespace kw::contacts
