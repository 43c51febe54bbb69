#pragma once

#include "platform/mailstore/Fwd.h"

#include <QList>
#include <QString>

namespace kw {

class FolderStructure;
class MailProfile;
class Messages;
class SharedFolder;

// The folders a tool works on (module FolderFunctions).
struct WorkingSet
{
    // Folders[1] .. Folders[FolderCount]; index 0 is unused.
    QList<mailstore::FolderPtr> Folders;
    int FolderCount = 0;
    // Index in Folders of the marked folder.
    int MarkedIndex = 0;
    // Items of all folders of the set, added to what the caller passed in.
    long ItemCount = 0;
    // Yes when the caller may run; when no, the reason has been shown already
    // (or, for a missing marked folder, nothing is shown).
    bool OK = false;
};

// Modes of the item-type gate; any other text is a message class that every
// folder must have exactly.
namespace gatemode {
inline const QString OnlyContacts = QStringLiteral("OnlyContacts");
inline const QString OnlyAppointment = QStringLiteral("OnlyAppointment");
inline const QString OnlyMail = QStringLiteral("OnlyMail");
inline const QString AllTypes = QStringLiteral("AllTypes");
}

// Whether a folder of that default message class passes the gate of the mode.
bool passesTypeGate(const QString &mode, const QString &defaultMessageClass);
// The message shown at the first folder that fails the gate ("" for AllTypes).
QString typeGateMessage(const QString &mode);

class FolderFunctions
{
public:
    FolderFunctions(FolderStructure &structure, SharedFolder &shared, Messages &messages, MailProfile &profile);

    // The ticked folders of the tree, or the open shared folder alone, after
    // the item-type gate of `mode`. With `quiet`, an empty set is no failure.
    // Any error ends with OK no, never with a set that skipped the gate.
    WorkingSet GetActivatedFolders(const QString &mode, bool quiet = false, long itemCount = 0);
    // Default message class of the marked (or open shared) folder; "" when
    // nothing is selected or on error.
    QString GetMarkedFolderClass();
    // The folder behind a node key, fetched anew through `ns` (the profile's
    // namespace when null). Throws kw::PlatformError; no trap of its own.
    mailstore::FolderPtr GetFolderFromNodeKey(const QString &key, mailstore::NameSpacePtr ns = {}) const;

    const SharedFolder &shared() const { return m_shared; }
    FolderStructure &structure() const { return m_structure; }

private:
    void sharedSet(WorkingSet &set, const QString &mode);
    void treeSet(WorkingSet &set, const QString &mode, bool quiet);
    bool gate(const WorkingSet &set, const QString &mode);

    FolderStructure &m_structure;
    SharedFolder &m_shared;
    Messages &m_messages;
    MailProfile &m_profile;
};

} // namespace kw
