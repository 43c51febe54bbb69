#pragma once

#include "itemtools/ItemRun.h"

#include <QString>
#include <optional>

// The attachment runs (module AttachmentSaveFunctions): the export takes
// large attachments out of mail and post items into files and leaves a link
// attachment (type 4, the file's path in PR_ATTACH_PATHNAME, the original
// file name as its display name) in their place; the import puts linked
// files back as attachments; the move takes linked files to another folder
// and points the links there.
//
// Each run changes one attachment at a time and saves the item after each,
// so that at every moment an attachment is either in its item or in a file
// its link points to. A failure on one attachment leaves it as it was; it is
// counted, logged under the run's name, and the run goes on.
namespace kw::itemtools {

// Names of the settings the runs read (afresh at each run).
// The threshold in bytes for an AttSize text: a whole number of kilobytes
// from 0 whose bytes fit a signed 32-bit number; an empty text is 0. nullopt
// for anything else (no number, negative, too large), which the export
// refuses to run with.
std::optional<int> attachmentThreshold(const QString &attSize);

// Name without the characters a file name may not hold (\ / : * ? " < > |
// and control characters) and without leading and trailing blanks;
// "ohneName" when nothing, or only dots and blanks, is left. A name longer
// than a file system allows (255 bytes of UTF-8) is cut, keeping its
// extension.
QString CleanFileName(const QString &Name);

// FullPath when no file (or folder) of that path exists, else the first of
// base(1)ext, base(2)ext, ... that is free; base and ext split at the last
// "." of the file-name part. "/a/b.c/Bericht.pdf" gives "/a/b.c/Bericht(1).pdf"
// when the plain name is taken.
QString GetUniqueFileName(const QString &FullPath);

// The export ("Att", "&Anlagen speichern"). It first removes from the export
// folder the hidden temporaries that a killed run left there.
void SaveAttachments(RunContext &ctx);
// The import ("&Anlagen wiederherstellen..." after the user's Yes). Only
// regular files up to the store's largest attachment come in; any other link
// is counted as a failure and stays. A file is deleted only when it lies in
// the export folder, the item holding its content again is saved, and no
// other link of the profile points to it; other files stay on disk, and the
// summary counts those kept for other links.
void ImportAttachments(RunContext &ctx);
// The move ("Anlagen &verschieben..."): copies each linked file into the
// folder the user picks, saves the item with the new link, then deletes the
// old file. Every link of the ticked folders to a moved file follows it; the
// old file stays while a link elsewhere in the profile points to it, and the
// summary counts such files. A file whose folder, symbolic links resolved,
// is the target already is left as it is.
void MoveAttachments(RunContext &ctx);

} // namespace kw::itemtools
