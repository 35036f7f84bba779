#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

// The zip files that hold the copies, through the zip library: written whole or
// not at all, read back entry by entry with each entry's CRC-32 and size checked.
namespace BackupZip {

// One file in a copy, as the zip's directory lists it, with the note kept beside it.
struct Entry
{
    QString name;
    qint64 size = 0;
    quint32 crc = 0;
    QByteArray note;
    friend bool operator==(const Entry &, const Entry &) = default;
};

// A file to be put into a copy, whole in memory.
struct Member
{
    QString name;
    QByteArray bytes;
};

// Where the bytes of an entry come from while the zip is written: opened when the
// library reaches the entry, read in pieces to its end, closed; so a copy never
// holds a whole file in memory. Pieces of one stream may be read on several
// threads at once.
class Stream
{
public:
    virtual ~Stream() = default;
    virtual bool open() = 0; // false: the zip is not written
    // Up to max bytes from offset on; 0 at the end, -1 on failure.
    virtual qint64 readAt(char *data, qint64 max, qint64 offset) = 0;
    virtual bool finish() = 0; // false when more follows the announced size
    virtual void close() = 0;
};

// An entry written from a stream: exactly size bytes, stored as they are when
// they would not get smaller (photos), with its note in the directory.
struct Source
{
    QString name;
    qint64 size = 0;
    Stream *stream = nullptr;
    bool compress = true;
    QByteArray note;
    qint64 modified = 0; // seconds since 1970, for the entry's date
};

// Why a zip could not be written or read: the library's text, and the system's
// error number when the system refused (a full disk, a protected folder), else 0.
struct Error
{
    QString text;
    int systemError = 0;
};

// The CRC-32 of data, continuing from crc (0 to begin).
quint32 crc32(const char *data, qint64 size, quint32 crc = 0);

// Writes a new zip at path (which must not exist) holding members in their order.
// On failure nothing is left at path.
[[nodiscard]] bool write(const QString &path, const QList<Member> &members, Error *error);

// Writes a new zip at path (an empty placeholder there is replaced) from the
// sources, in their order. On failure nothing but the placeholder is left.
[[nodiscard]] bool writeStreams(const QString &path, const QList<Source> &sources, Error *error);

// The directory of the zip, its local headers checked against it, without
// reading the data.
std::optional<QList<Entry>> entries(const QString &path, Error *error = nullptr);

// Opens the zip with the library's consistency checks and reads every entry to
// its end, comparing the bytes read with the CRC-32 and size the directory
// records. The entries when all of it reads back whole.
std::optional<QList<Entry>> verify(const QString &path, Error *error = nullptr);

// Reads every entry whole and hands it to take, in the zip's order; stops at the
// first entry that does not read back whole or that take refuses.
[[nodiscard]] bool forEach(const QString &path, const std::function<bool(const Entry &, const QByteArray &)> &take,
                           Error *error = nullptr);

} // namespace BackupZip
