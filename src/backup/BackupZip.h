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

// One file in a copy, as the zip's directory lists it.
struct Entry
{
    QString name;
    qint64 size = 0;
    quint32 crc = 0;
    friend bool operator==(const Entry &, const Entry &) = default;
};

// A file to be put into a copy.
struct Member
{
    QString name;
    QByteArray bytes;
};

// Why a zip could not be written or read: the library's text, and the system's
// error number when the system refused (a full disk, a protected folder), else 0.
struct Error
{
    QString text;
    int systemError = 0;
};

quint32 crc32(const char *data, qint64 size);

// Writes a new zip at path (which must not exist) holding members in their order.
// On failure nothing is left at path.
[[nodiscard]] bool write(const QString &path, const QList<Member> &members, Error *error);

// The directory of the zip, without reading the data.
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
