#include "FileLock.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace FileLock {

namespace {

constexpr int kPollMs = 20;

#ifdef Q_OS_WIN

// LockFileEx locks belong to the handle; a lock on the largest possible range
// also covers the bytes an append adds beyond the current end.
Result tryLock(int fd, Kind kind)
{
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (h == INVALID_HANDLE_VALUE)
        return Result::Unsupported;
    OVERLAPPED ov = {};
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (kind == Kind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (LockFileEx(h, flags, 0, MAXDWORD, MAXDWORD, &ov))
        return Result::Locked;
    const DWORD err = GetLastError();
    if (err == ERROR_LOCK_VIOLATION || err == ERROR_IO_PENDING || err == ERROR_SHARING_VIOLATION)
        return Result::Busy;
    return Result::Unsupported;
}

void unlock(int fd)
{
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (h == INVALID_HANDLE_VALUE)
        return;
    OVERLAPPED ov = {};
    UnlockFileEx(h, 0, MAXDWORD, MAXDWORD, &ov);
}

#elif defined(F_OFD_SETLK)

// Open-file-description locks belong to the open file, not to the process: two
// archives opened by one program do not share or drop each other's lock when one
// of them is closed, and they work over NFS like classic record locks.
int setLock(int fd, short type)
{
    struct flock fl = {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0; // the whole file, however long it grows
    int rc;
    do {
        rc = fcntl(fd, F_OFD_SETLK, &fl);
    } while (rc == -1 && errno == EINTR);
    return rc;
}

Result tryLock(int fd, Kind kind)
{
    if (setLock(fd, kind == Kind::Exclusive ? F_WRLCK : F_RDLCK) == 0)
        return Result::Locked;
    return (errno == EAGAIN || errno == EACCES) ? Result::Busy : Result::Unsupported;
}

void unlock(int fd) { setLock(fd, F_UNLCK); }

#else

// Without open-file-description locks, flock() is the lock that belongs to the
// open file (classic fcntl locks are per process and vanish when any descriptor
// of the file is closed).
Result tryLock(int fd, Kind kind)
{
    int rc;
    do {
        rc = flock(fd, (kind == Kind::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB);
    } while (rc == -1 && errno == EINTR);
    if (rc == 0)
        return Result::Locked;
    return errno == EWOULDBLOCK ? Result::Busy : Result::Unsupported;
}

void unlock(int fd) { flock(fd, LOCK_UN); }

#endif

} // namespace

Result acquire(int fd, Kind kind, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const Result r = tryLock(fd, kind);
        if (r != Result::Busy || deadline.hasExpired())
            return r;
        QThread::msleep(kPollMs);
    }
}

void release(int fd) { unlock(fd); }

} // namespace FileLock
