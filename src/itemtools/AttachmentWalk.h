#pragma once

#include "itemtools/ItemRun.h"
#include "platform/mailstore/Fwd.h"
#include "platform/mapi/SafeItem.h"

#include <QHash>
#include <QString>
#include <functional>

// What the export, the import and the move share: the walk over the mail
// and post items of the working set and their attachments, and the choice
// of free names for the files they write.
namespace kw::itemtools {

// One mail or post item of a run, seen through a safe mail item.
class MailItemCursor
{
public:
    MailItemCursor(mailstore::FolderPtr folder, mailstore::ItemsPtr items, int index, mailstore::ItemPtr item);

    mapi::SafeItem &safe() { return *m_safe; }
    mapi::SafeAttachmentsPtr attachments() const { return m_safe->Attachments(); }

    // After a failed save the snapshot in hand still holds the changes that
    // were not stored; the walk goes on with a fresh one. When even that
    // cannot be fetched the item is left (usable() turns false).
    void reloadAfterFailure() noexcept;
    bool usable() const { return m_usable; }

    // Folder, position and subject, for the error log.
    QString describe() const;

private:
    mailstore::FolderPtr m_folder;
    mailstore::ItemsPtr m_items;
    int m_index;
    mapi::SafeItemPtr m_safe;
    bool m_usable = true;
};

// The state of one attachment run.
struct AttachmentRun
{
    RunContext &ctx;
    int itemNumber = 0; // for the progress bar, over all folders
    int total = 0;      // attachments saved, imported or moved
    int missing = 0;    // links whose file does not exist
    FailureLog failures;
};

// Handles the attachment at `index` (1-based) of the item and counts it in
// run; it may delete it and add new ones behind the others.
using AttachmentStep = std::function<void(AttachmentRun &run, MailItemCursor &item, int index)>;

// Every item of the set in folder order advances the progress bar; each mail
// or post item is wrapped, the event loop gets a turn, and its attachments go
// to `step` from the last to the first, so that the ones still to come keep
// their places. Whatever a step throws is logged as that attachment's
// failure, as is an item that cannot be fetched; the walk goes on. An error
// of a folder itself is thrown.
void walkAttachments(AttachmentRun &run, const WorkingSet &set, const AttachmentStep &step);

// How one of the runs begins and ends.
struct AttachmentFrame
{
    int placeCode;    // of its error trap
    QString status;   // "Exportiere Anlagen..."
    QString logName;  // sub name of its error-log entry
    // Shows the run's summary; called while the run is still busy.
    std::function<void(AttachmentRun &run, const WorkingSet &set)> finish;
    // When given, called once the run is busy and before the walk.
    std::function<void(const WorkingSet &set)> start = {};
};

// The frame of the three runs once their own checks are done: the working
// set of mail folders, the busy state, status line and progress maximum, the
// walk, the summary, the failures (logged, and counted in a message), the
// busy state off. An error outside single attachments goes to HandleError
// with the run's place code and ends the run there.
void runAttachmentWalk(RunContext &ctx, const AttachmentFrame &frame, const AttachmentStep &step);

// Free names for new files. Remembers per wanted path the last number
// given, so that many attachments of one name cost one look per file rather
// than one per earlier file.
class FreeNames
{
public:
    // Runs create(name) with the first free name for path (as
    // GetUniqueFileName) and returns that name. When another process takes
    // the name meanwhile (create throws "file already exists") the next one
    // is tried; any other failure is thrown.
    QString place(const QString &path, const std::function<void(const QString &name)> &create);

private:
    QHash<QString, int> m_next;
};

// folder ending in one "/", ready for file names to be appended.
QString withTrailingSlash(const QString &folder);
// path with the number n put before its extension ("a(2).txt"); path itself
// for n 0. The file-name part is cut to fit the file system when needed.
QString numberedFileName(const QString &path, int n);
// Something (a file, a folder, a dangling link) has that name already.
bool nameTaken(const QString &path);
// Removes a file the run wrote but could not put to use; a failure leaves it.
void discardFile(const QString &path) noexcept;
// Removes from folder the hidden temporaries that a run killed while writing
// a file left there (regular files named ".kw-<hex>.part", nothing else).
// An export of another program instance writing into the same folder at
// that moment loses its temporary: that attachment fails and stays in its
// item.
void removeStaleTemporaries(const QString &folder);

} // namespace kw::itemtools
