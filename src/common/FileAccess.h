#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

class QFile;

// The file-system calls whose flags decide what a file in the program's folder
// can do to the program, side by side for POSIX and Windows. The folder is often
// shared and reachable by more people than the secretary, so:
// - a file the program opens as its own is never reached through a symbolic link
//   (a link planted there would send a write, or a new file, somewhere else);
// - opening never waits on a special file (a FIFO or a device): only regular
//   files are handed on;
// - writes count only when every byte was taken and, for saves, synced.
namespace FileAccess {

// What a path names, without following a final link.
enum class Entry {
    Missing,
    File,   // a regular file
    Folder,
    Link,   // a symbolic link or another redirection, whatever it points to
    Other,  // a FIFO, a device, a socket, or something that cannot be examined
};
Entry entryAt(const QString &path);

enum class Links { Follow, Refuse };

// Opens an existing regular file for reading into file (which owns the
// descriptor afterwards). Fails, with the reason in *error, on a folder, a
// special file, or a link when links are refused.
[[nodiscard]] bool openForReading(QFile &file, const QString &path, Links links, QString *error = nullptr);

// The whole of one of the program's small files (a settings or password file):
// empty when there is no file; nothing when what is there is not a regular file
// reached without a link, cannot be read, or holds more than maxSize bytes (only
// maxSize + 1 bytes are ever taken in, however the file grows). The reason of a
// failure goes in *error.
std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxSize, QString *error = nullptr);

// A record file: read and write, created empty when absent, never through a link.
// The descriptor, or -1 with the reason in *error.
int openRecordFile(const QString &path, QString *error);

// A new file that did not exist before (never a link or an old file), for
// writing; -1 with the reason in *error. Given the permissions of like when that
// is a regular file, so a replaced file keeps who may read it.
int createNew(const QString &path, const QString &like, QString *error);

// Writes all size bytes or fails with the reason (a short write is a failure).
[[nodiscard]] bool writeAll(int fd, const char *data, qint64 size, QString *error);

// Reads up to max bytes of the open file from offset on, without moving its
// position, so several threads may read one file at once. The bytes read, 0 at
// the end of the file, -1 with the reason in *error.
qint64 readAt(int fd, char *data, qint64 max, qint64 offset, QString *error);

// Makes the open file hold exactly size bytes of data, written in place from its
// start (the file keeps its identity, so whoever has it open reads the new
// bytes), then synced.
[[nodiscard]] bool overwriteWhole(int fd, const char *data, qint64 size, QString *error);

// The size of the open file; -1 when it cannot be had, -2 when it is not a
// regular file.
qint64 regularSize(int fd);

// What tells, without reading a file, that it was not written since it was
// last looked at: its size, the time of its last write, the time its entry last
// changed (a copying tool can set the first time back, never the second), and
// which file on which disk it is. Times in nanoseconds of the file system's clock.
struct Stamp
{
    qint64 size = -1; // -1: no regular file could be examined
    qint64 modified = 0;
    qint64 changed = 0;
    quint64 device = 0;
    quint64 id = 0;
    bool valid() const { return size >= 0; }
    friend bool operator==(const Stamp &, const Stamp &) = default;
};

// The stamp of the open file.
Stamp stampOf(int fd);
// The stamp of the regular file at path, without following a final link;
// invalid for anything else.
Stamp stampAt(const QString &path);

// Puts what was written on the disk itself.
[[nodiscard]] bool sync(int fd);

// Closes the descriptor; false when the system reports that data was lost.
bool close(int fd);

// Puts from in the place of to in one step, replacing what is there (a link is
// replaced, never followed). On failure both stay as they were.
[[nodiscard]] bool replace(const QString &from, const QString &to, QString *error);

// True when path names, without following a link, the very regular file open
// as fd: nothing has been put in its place since it was opened.
bool sameFile(int fd, const QString &path);

void remove(const QString &path);

} // namespace FileAccess
