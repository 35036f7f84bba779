#include "FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace FileAccess {

namespace {

constexpr qint64 kChunk = qint64(1) << 30; // the most one system call is asked to write

bool failWith(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

QString notAFile(const QString &path) { return QStringLiteral("%1 is not a regular file").arg(path); }
QString aLink(const QString &path) { return QStringLiteral("%1 is a symbolic link").arg(path); }

#ifdef Q_OS_WIN

// The native form must outlive the call that uses its characters.
const wchar_t *wide(const QString &native) { return reinterpret_cast<const wchar_t *>(native.utf16()); }

QString lastError(const QString &path) { return QStringLiteral("%1: %2").arg(path, qt_error_string(int(GetLastError()))); }

// Opens with the system's own call so that a reparse point (a symbolic link or
// a junction) can be opened as itself and refused, and a pipe or device told
// apart from a disk file; the handle is then given to the C runtime.
int openHandle(const QString &path, DWORD access, DWORD disposition, Links links, int crtFlags, QString *error)
{
    const QString native = QDir::toNativeSeparators(path);
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (links == Links::Refuse ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    HANDLE h = CreateFileW(wide(native), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           disposition, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        failWith(error, lastError(path));
        return -1;
    }
    BY_HANDLE_FILE_INFORMATION info = {};
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info)
        || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(h);
        failWith(error, notAFile(path));
        return -1;
    }
    if (links == Links::Refuse && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        CloseHandle(h);
        failWith(error, aLink(path));
        return -1;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), crtFlags);
    if (fd < 0) {
        CloseHandle(h);
        failWith(error, QStringLiteral("%1: no descriptor is left").arg(path));
    }
    return fd;
}

#else

int openDescriptor(const QString &path, int flags, mode_t mode)
{
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), flags | O_CLOEXEC | O_NOCTTY, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

QString openError(const QString &path, int err)
{
    // O_NOFOLLOW reports a final link as a loop.
    if (err == ELOOP)
        return aLink(path);
    return QStringLiteral("%1: %2").arg(path, qt_error_string(err));
}

// Opened without waiting (a FIFO would otherwise hold the open until a writer
// came); once it is known to be a regular file it is made an ordinary blocking
// descriptor again. Closes it and returns -1 when it is anything else.
int keepRegular(int fd, const QString &path, QString *error)
{
    struct stat st;
    if (fstat(fd, &st) != 0) {
        failWith(error, openError(path, errno));
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        failWith(error, notAFile(path));
        ::close(fd);
        return -1;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags != -1)
        (void)fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

#endif

} // namespace

Entry entryAt(const QString &path)
{
#ifdef Q_OS_WIN
    const QString native = QDir::toNativeSeparators(path);
    const DWORD a = GetFileAttributesW(wide(native));
    if (a == INVALID_FILE_ATTRIBUTES) {
        const DWORD err = GetLastError();
        return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? Entry::Missing : Entry::Other;
    }
    if (a & FILE_ATTRIBUTE_REPARSE_POINT)
        return Entry::Link;
    if (a & FILE_ATTRIBUTE_DIRECTORY)
        return Entry::Folder;
    if (a & FILE_ATTRIBUTE_DEVICE)
        return Entry::Other;
    return Entry::File;
#else
    struct stat st;
    if (lstat(QFile::encodeName(path).constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Entry::Missing : Entry::Other;
    if (S_ISLNK(st.st_mode))
        return Entry::Link;
    if (S_ISDIR(st.st_mode))
        return Entry::Folder;
    if (S_ISREG(st.st_mode))
        return Entry::File;
    return Entry::Other;
#endif
}

bool openForReading(QFile &file, const QString &path, Links links, QString *error)
{
#ifdef Q_OS_WIN
    const int fd = openHandle(path, GENERIC_READ, OPEN_EXISTING, links, _O_RDONLY, error);
    if (fd < 0)
        return false;
#else
    const int flags = O_RDONLY | O_NONBLOCK | (links == Links::Refuse ? O_NOFOLLOW : 0);
    int fd = openDescriptor(path, flags, 0);
    if (fd < 0)
        return failWith(error, openError(path, errno));
    fd = keepRegular(fd, path, error);
    if (fd < 0)
        return false;
#endif
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        close(fd);
        return failWith(error, QStringLiteral("%1: %2").arg(path, file.errorString()));
    }
    return true;
}

std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxSize, QString *error)
{
    const QString name = QFileInfo(path).fileName();
    const auto fail = [&](const QString &why) -> std::optional<QByteArray> {
        failWith(error, why);
        return std::nullopt;
    };
    switch (entryAt(path)) {
    case Entry::Missing:
        return QByteArray();
    case Entry::File:
        break;
    default:
        // A link, a folder or a FIFO where the file should be is not the file.
        return fail(QStringLiteral("%1 non è un file").arg(name));
    }
    QFile file;
    QString why;
    if (!openForReading(file, path, Links::Refuse, &why))
        return fail(why);
    if (file.size() > maxSize)
        return fail(QStringLiteral("%1 è troppo grande").arg(name));
    const QByteArray content = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (content.size() > maxSize)
        return fail(QStringLiteral("%1 è troppo grande").arg(name));
    return content;
}

int openRecordFile(const QString &path, QString *error)
{
#ifdef Q_OS_WIN
    return openHandle(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, Links::Refuse, 0, error);
#else
    // Created when absent, but never truncated, and never created at the far end
    // of a link.
    const int fd = openDescriptor(path, O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0) {
        failWith(error, openError(path, errno));
        return -1;
    }
    return keepRegular(fd, path, error);
#endif
}

int createNew(const QString &path, const QString &like, QString *error)
{
#ifdef Q_OS_WIN
    Q_UNUSED(like);
    return openHandle(path, GENERIC_WRITE, CREATE_NEW, Links::Refuse, 0, error);
#else
    const int fd = openDescriptor(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    if (fd < 0) {
        failWith(error, openError(path, errno));
        return -1;
    }
    struct stat st;
    if (lstat(QFile::encodeName(like).constData(), &st) == 0 && S_ISREG(st.st_mode))
        (void)fchmod(fd, st.st_mode & 07777);
    return fd;
#endif
}

bool writeAll(int fd, const char *data, qint64 size, QString *error)
{
    while (size > 0) {
#ifdef Q_OS_WIN
        const int n = _write(fd, data, unsigned(std::min(size, kChunk)));
        if (n < 0)
            return failWith(error, qt_error_string(errno));
#else
        const ssize_t n = ::write(fd, data, size_t(std::min(size, kChunk)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failWith(error, qt_error_string(errno));
        }
#endif
        if (n == 0)
            return failWith(error, QStringLiteral("the disk takes no more bytes"));
        data += n;
        size -= n;
    }
    return true;
}

qint64 readAt(int fd, char *data, qint64 max, qint64 offset, QString *error)
{
    const qint64 want = std::min(max, kChunk);
#ifdef Q_OS_WIN
    OVERLAPPED at = {};
    at.Offset = DWORD(quint64(offset) & 0xffffffffu);
    at.OffsetHigh = DWORD(quint64(offset) >> 32);
    DWORD got = 0;
    if (!ReadFile(HANDLE(_get_osfhandle(fd)), data, DWORD(want), &got, &at)) {
        if (GetLastError() == ERROR_HANDLE_EOF)
            return 0;
        failWith(error, qt_error_string(int(GetLastError())));
        return -1;
    }
    return qint64(got);
#else
    for (;;) {
        const ssize_t n = ::pread(fd, data, size_t(want), off_t(offset));
        if (n >= 0)
            return qint64(n);
        if (errno != EINTR) {
            failWith(error, qt_error_string(errno));
            return -1;
        }
    }
#endif
}

bool overwriteWhole(int fd, const char *data, qint64 size, QString *error)
{
#ifdef Q_OS_WIN
    if (_lseeki64(fd, 0, SEEK_SET) != 0)
        return failWith(error, qt_error_string(errno));
    if (!writeAll(fd, data, size, error))
        return false;
    if (_chsize_s(fd, size) != 0)
        return failWith(error, qt_error_string(errno));
#else
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return failWith(error, qt_error_string(errno));
    if (!writeAll(fd, data, size, error))
        return false;
    int rc;
    do {
        rc = ::ftruncate(fd, off_t(size));
    } while (rc != 0 && errno == EINTR);
    if (rc != 0)
        return failWith(error, qt_error_string(errno));
#endif
    if (!sync(fd))
        return failWith(error, QStringLiteral("the file cannot be synced: %1").arg(qt_error_string(errno)));
    return true;
}

qint64 regularSize(int fd)
{
#ifdef Q_OS_WIN
    struct _stat64 st;
    if (_fstat64(fd, &st) != 0)
        return -1;
    if ((st.st_mode & _S_IFMT) != _S_IFREG)
        return -2;
#else
    struct stat st;
    if (fstat(fd, &st) != 0)
        return -1;
    if (!S_ISREG(st.st_mode))
        return -2;
#endif
    return qint64(st.st_size);
}

#ifdef Q_OS_WIN
namespace {

qint64 nanoseconds(LARGE_INTEGER t) { return qint64(t.QuadPart) * 100; } // 100 ns steps

Stamp stampOfHandle(HANDLE h)
{
    BY_HANDLE_FILE_INFORMATION info = {};
    FILE_BASIC_INFO basic = {};
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info)
        || !GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic)
        || (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
        return {};
    Stamp s;
    s.size = (qint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    s.modified = nanoseconds(basic.LastWriteTime);
    s.changed = nanoseconds(basic.ChangeTime);
    s.device = info.dwVolumeSerialNumber;
    s.id = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return s;
}

} // namespace
#else
namespace {

Stamp stampOfStat(const struct stat &st)
{
    if (!S_ISREG(st.st_mode))
        return {};
    Stamp s;
    s.size = qint64(st.st_size);
#ifdef Q_OS_DARWIN
    s.modified = qint64(st.st_mtimespec.tv_sec) * 1000000000 + st.st_mtimespec.tv_nsec;
    s.changed = qint64(st.st_ctimespec.tv_sec) * 1000000000 + st.st_ctimespec.tv_nsec;
#else
    s.modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
#endif
    s.device = quint64(st.st_dev);
    s.id = quint64(st.st_ino);
    return s;
}

} // namespace
#endif

Stamp stampOf(int fd)
{
#ifdef Q_OS_WIN
    return stampOfHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd)));
#else
    struct stat st;
    return fstat(fd, &st) == 0 ? stampOfStat(st) : Stamp{};
#endif
}

Stamp stampAt(const QString &path)
{
#ifdef Q_OS_WIN
    const QString native = QDir::toNativeSeparators(path);
    HANDLE h = CreateFileW(wide(native), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return {};
    const Stamp s = stampOfHandle(h);
    CloseHandle(h);
    return s;
#else
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0 ? stampOfStat(st) : Stamp{};
#endif
}

bool sync(int fd)
{
#ifdef Q_OS_WIN
    return _commit(fd) == 0;
#elif defined(Q_OS_DARWIN)
    return fsync(fd) == 0;
#else
    int rc;
    do {
        rc = fdatasync(fd);
    } while (rc != 0 && errno == EINTR);
    // A few network and special file systems cannot sync at all; the bytes
    // were accepted all the same.
    return rc == 0 || errno == EINVAL || errno == EROFS;
#endif
}

bool close(int fd)
{
#ifdef Q_OS_WIN
    return _close(fd) == 0;
#else
    // After EINTR the descriptor is gone all the same (Linux); nothing was lost.
    return ::close(fd) == 0 || errno == EINTR;
#endif
}

bool sameFile(int fd, const QString &path)
{
#ifdef Q_OS_WIN
    BY_HANDLE_FILE_INFORMATION opened = {};
    if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &opened))
        return false;
    const QString native = QDir::toNativeSeparators(path);
    HANDLE h = CreateFileW(wide(native), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION named = {};
    const bool known = GetFileInformationByHandle(h, &named) && GetFileType(h) == FILE_TYPE_DISK;
    CloseHandle(h);
    return known && !(named.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))
           && named.dwVolumeSerialNumber == opened.dwVolumeSerialNumber && named.nFileIndexHigh == opened.nFileIndexHigh
           && named.nFileIndexLow == opened.nFileIndexLow;
#else
    struct stat opened;
    struct stat named;
    if (fstat(fd, &opened) != 0 || lstat(QFile::encodeName(path).constData(), &named) != 0)
        return false;
    return S_ISREG(named.st_mode) && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
#endif
}

bool replace(const QString &from, const QString &to, QString *error)
{
#ifdef Q_OS_WIN
    const QString nativeFrom = QDir::toNativeSeparators(from);
    const QString nativeTo = QDir::toNativeSeparators(to);
    if (!MoveFileExW(wide(nativeFrom), wide(nativeTo), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failWith(error, lastError(to));
    return true;
#else
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return failWith(error, QStringLiteral("%1: %2").arg(to, qt_error_string(errno)));
    // The new name itself reaches the disk with its folder; where a folder
    // cannot be synced the swap has still happened.
    const int dir = openDescriptor(QFileInfo(to).absolutePath(), O_RDONLY | O_DIRECTORY, 0);
    if (dir >= 0) {
        (void)fsync(dir);
        ::close(dir);
    }
    return true;
#endif
}

void remove(const QString &path)
{
#ifdef Q_OS_WIN
    const QString native = QDir::toNativeSeparators(path);
    DeleteFileW(wide(native));
#else
    ::unlink(QFile::encodeName(path).constData());
#endif
}

} // namespace FileAccess
