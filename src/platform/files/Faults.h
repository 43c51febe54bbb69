#pragma once

#include <QtGlobal>

// Fault injection for tests: a process-wide plan that the file operations
// consult. Nothing is planned unless a test asks.
namespace kw::files::faults {

// Forgets every planned fault.
void reset();

// MoveFile's rename answers EXDEV, as between two file systems, so that the
// copy path runs on any machine.
void simulateCrossDevice(bool on);
// Every file written fails with "disk full" once it holds this many bytes
// (negative: no limit).
void failWritesAfter(qint64 bytes);
// MoveFile cannot delete the source after copying it (EACCES).
void failSourceDelete(bool on);

// Used by the file operations.
bool crossDevice();
qint64 writeLimit();
bool sourceDeleteFails();

} // namespace kw::files::faults
