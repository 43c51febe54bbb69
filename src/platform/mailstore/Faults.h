#pragma once

#include <QString>

// Fault injection for tests: the process-wide plan that the mail store
// consults at its reads and writes. Nothing is planned unless a test asks.
namespace kw::mailstore::faults {

// Forgets every planned fault.
void reset();

// Items.Item(index) of every folder named folderName fails the next `times` reads.
void failItemRead(const QString &folderName, int index, int times);
// Saving the item with that EntryID (empty: any item) fails the next `times` saves.
void failSave(const QString &entryId, int times);
// GetItemFromID for that EntryID (empty: any) fails the next `times` fetches.
void failFetch(const QString &entryId, int times);
// Creating a user property of that name (empty: any) on an item fails the
// next `times` times; finding an existing one never fails.
void failUserPropertyAdd(const QString &name, int times);
// Each read of a folder level (subfolders, folder tables) of the store with
// that display name sleeps delayMs first.
void slowStore(const QString &storeName, int delayMs);
// The next Save ends the process with exitCode after its first write of the
// item's fields, inside the open transaction (for atomicity tests run in a
// child process).
void exitDuringSave(int exitCode);
// The next new profile file ends the process with exitCode when its tables
// are made and before the file is complete.
void exitDuringCreate(int exitCode);

// Used by the store.
bool takeItemReadFault(const QString &folderName, int index);
bool takeSaveFault(const QString &entryId);
bool takeFetchFault(const QString &entryId);
bool takeUserPropertyAddFault(const QString &name);
int storeDelay(const QString &storeName);
int takeExitDuringSave(); // 0 when none is planned
int takeExitDuringCreate(); // 0 when none is planned

} // namespace kw::mailstore::faults
