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

// Deflate never makes a byte into more than this many: an entry whose directory
// claims more than its compressed bytes could give is not a whole zip.
constexpr qint64 kMostInflation = 1032;

// A file to be put into a copy, whole in memory.
struct Member
{
    QString name;
    QByteArray bytes;
};

// Where the bytes of an entry come from while the zip is written: opened when the
// library reaches the entry, read in pieces to its end, closed; so a copy never
// holds a whole file in memory.
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
// sources, in their order, with the zip's own comment. On failure nothing but
// the placeholder is left.
[[nodiscard]] bool writeStreams(const QString &path, const QList<Source> &sources, Error *error,
                                const QByteArray &comment = {});

// The directory of the zip, its local headers checked against it, without
// reading the data. Refused when an entry claims a size beyond what its
// compressed bytes can hold or beyond 4 GiB.
// The zip's own comment goes to *comment when asked for.
std::optional<QList<Entry>> entries(const QString &path, Error *error = nullptr, QByteArray *comment = nullptr);

// Opens the zip with the library's consistency checks and reads every entry to
// its end, comparing the bytes read with the CRC-32 and size the directory
// records. The entries when all of it reads back whole.
std::optional<QList<Entry>> verify(const QString &path, Error *error = nullptr);

// Takes the entries of a zip as they are read, piece by piece.
class Reader
{
public:
    virtual ~Reader() = default;
    virtual bool begin(const Entry &entry) = 0;
    virtual bool piece(const char *data, qint64 size) = 0;
    // After the entry's last byte, once its size and CRC-32 are found right.
    virtual bool end(const Entry &entry) = 0;
};

// Reads every entry in pieces of at most 1 MB, never more bytes than its
// directory declares, and hands them to reader in the zip's order; stops at the
// first entry that does not read back whole or that the reader refuses (false).
[[nodiscard]] bool read(const QString &path, Reader &reader, Error *error = nullptr);

// Reads every entry whole into memory and hands it to take, in the zip's order;
// stops at the first entry that does not read back whole or that take refuses.
// For small zips: a copy is restored through read().
[[nodiscard]] bool forEach(const QString &path, const std::function<bool(const Entry &, const QByteArray &)> &take,
                           Error *error = nullptr);

} // namespace BackupZip
