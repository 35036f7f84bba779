#pragma once

// Whole-file locks taken by the operating system on an open file, so that
// workstations sharing the program's folder never write over each other's
// appends. No lock file is left in the folder.
namespace FileLock {

enum class Kind { Shared, Exclusive };

// Waits up to timeoutMs for the lock on the open descriptor. False when the
// lock could not be had in time (or the file system refuses locks).
bool acquire(int fd, Kind kind, int timeoutMs);

// Releases what acquire took; closing the descriptor also releases it.
void release(int fd);

} // namespace FileLock
