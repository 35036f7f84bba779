#include "FileLock.h"

#include <QThread>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace FileLock {

namespace {

constexpr int kPollMs = 20;

#ifdef Q_OS_WIN

bool tryLock(int fd, Kind kind)
{
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (h == INVALID_HANDLE_VALUE)
        return false;
    OVERLAPPED ov = {};
    DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (kind == Kind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    return LockFileEx(h, flags, 0, MAXDWORD, MAXDWORD, &ov);
}

void unlock(int fd)
{
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    OVERLAPPED ov = {};
    UnlockFileEx(h, 0, MAXDWORD, MAXDWORD, &ov);
}

#else

// Open-file-description locks belong to the open file rather than the process,
// so two archives opened by one program do not release each other's lock.
#ifdef F_OFD_SETLK
constexpr int kSetLock = F_OFD_SETLK;
#else
constexpr int kSetLock = F_SETLK;
#endif

int setLock(int fd, short type)
{
    struct flock fl = {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0; // the whole file, however long it grows
    int rc;
    do {
        rc = fcntl(fd, kSetLock, &fl);
    } while (rc == -1 && errno == EINTR);
    return rc;
}

bool tryLock(int fd, Kind kind) { return setLock(fd, kind == Kind::Exclusive ? F_WRLCK : F_RDLCK) == 0; }

void unlock(int fd) { setLock(fd, F_UNLCK); }

#endif

} // namespace

bool acquire(int fd, Kind kind, int timeoutMs)
{
    for (int waited = 0;; waited += kPollMs) {
        if (tryLock(fd, kind))
            return true;
        if (waited >= timeoutMs)
            return false;
        QThread::msleep(kPollMs);
    }
}

void release(int fd) { unlock(fd); }

} // namespace FileLock
