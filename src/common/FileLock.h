#pragma once

// Whole-file locks taken by the operating system on an open file, so that
// workstations sharing the program's folder never write over each other's
// appends. No lock file is left in the folder, and a program that dies while
// holding a lock loses it with its descriptors.
namespace FileLock {

enum class Kind { Shared, Exclusive };

enum class Result {
    Locked,      // the lock is held until release() or the descriptor closes
    Busy,        // another open file held a conflicting lock for the whole wait
    Unsupported, // the file system keeps no locks (some network shares)
};

// Waits up to timeoutMs of real time for the lock on the open descriptor.
Result acquire(int fd, Kind kind, int timeoutMs);

// Releases what acquire took; closing the descriptor also releases it.
void release(int fd);

} // namespace FileLock
