#include "BackupZip.h"

#include <QFile>

#include <zip.h>
#include <zlib.h>

#include <memory>

namespace BackupZip {

namespace {

// The record files are mostly blanks and compress to a small part of their size,
// which matters on a stick holding twenty copies; the fastest level keeps the
// end of the program short.
constexpr zip_int32_t kMethod = ZIP_CM_DEFLATE;
constexpr zip_uint32_t kLevel = 1;

constexpr qint64 kChunk = 1 << 20;

struct ZipClose
{
    void operator()(zip_t *z) const { zip_discard(z); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipClose>;

bool fail(Error *error, const QString &text, int systemError = 0)
{
    if (error)
        *error = Error{text, systemError};
    return false;
}

bool failWith(Error *error, zip_error_t *ze)
{
    const int sys = zip_error_system_type(ze) == ZIP_ET_SYS ? zip_error_code_system(ze) : 0;
    return fail(error, QString::fromLocal8Bit(zip_error_strerror(ze)), sys);
}

bool failWith(Error *error, zip_t *z) { return failWith(error, zip_get_error(z)); }

ZipPtr openZip(const QString &path, int flags, Error *error)
{
    int code = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), flags, &code);
    if (!z) {
        zip_error_t ze;
        zip_error_init_with_code(&ze, code);
        failWith(error, &ze);
        zip_error_fini(&ze);
    }
    return ZipPtr(z);
}

std::optional<Entry> entryAt(zip_t *z, zip_uint64_t index, Error *error)
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(z, index, 0, &st) < 0) {
        failWith(error, z);
        return std::nullopt;
    }
    const zip_uint64_t needed = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_CRC;
    if ((st.valid & needed) != needed) {
        fail(error, QStringLiteral("entry %1 has no name, size or CRC").arg(index));
        return std::nullopt;
    }
    return Entry{QString::fromUtf8(st.name), qint64(st.size), quint32(st.crc)};
}

// The whole of one entry, its size and CRC-32 checked against the directory.
bool readEntry(zip_t *z, zip_uint64_t index, const Entry &entry, QByteArray &out, Error *error)
{
    // More than any data file of the program: a directory that says so is damaged.
    if (entry.size < 0 || entry.size > (qint64(1) << 32))
        return fail(error, QStringLiteral("%1: impossible size %2").arg(entry.name).arg(entry.size));
    zip_file_t *f = zip_fopen_index(z, index, 0);
    if (!f)
        return failWith(error, z);
    out.resize(entry.size);
    qint64 got = 0;
    bool ok = true;
    while (got < entry.size) {
        const zip_int64_t n = zip_fread(f, out.data() + got, zip_uint64_t(qMin(kChunk, entry.size - got)));
        if (n <= 0) {
            ok = n == 0 ? fail(error, QStringLiteral("%1 ends early").arg(entry.name)) : failWith(error, zip_file_get_error(f));
            break;
        }
        got += n;
    }
    if (ok) {
        // Nothing may follow the size the directory gives.
        char extra;
        const zip_int64_t n = zip_fread(f, &extra, 1);
        if (n != 0)
            ok = n < 0 ? failWith(error, zip_file_get_error(f))
                       : fail(error, QStringLiteral("%1 is longer than its directory says").arg(entry.name));
    }
    zip_fclose(f);
    if (ok && crc32(out.constData(), out.size()) != entry.crc)
        ok = fail(error, QStringLiteral("%1: CRC-32 mismatch").arg(entry.name));
    return ok;
}

} // namespace

quint32 crc32(const char *data, qint64 size)
{
    uLong crc = ::crc32(0L, Z_NULL, 0);
    const auto *p = reinterpret_cast<const Bytef *>(data);
    while (size > 0) {
        const uInt n = uInt(qMin<qint64>(size, 1 << 30));
        crc = ::crc32(crc, p, n);
        p += n;
        size -= n;
    }
    return quint32(crc);
}

bool write(const QString &path, const QList<Member> &members, Error *error)
{
    ZipPtr z = openZip(path, ZIP_CREATE | ZIP_EXCL, error);
    if (!z)
        return false;
    for (const Member &m : members) {
        zip_source_t *src = zip_source_buffer(z.get(), m.bytes.constData(), zip_uint64_t(m.bytes.size()), 0);
        if (!src)
            return failWith(error, z.get());
        const QByteArray name = m.name.toUtf8();
        const zip_int64_t index = zip_file_add(z.get(), name.constData(), src, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(src);
            return failWith(error, z.get());
        }
        if (zip_set_file_compression(z.get(), zip_uint64_t(index), kMethod, kLevel) < 0)
            return failWith(error, z.get());
    }
    // The library writes to a name of its own beside path and renames at the end;
    // on failure it removes what it wrote.
    zip_t *raw = z.release();
    if (zip_close(raw) < 0) {
        failWith(error, raw);
        zip_discard(raw);
        return false;
    }
    return true;
}

std::optional<QList<Entry>> entries(const QString &path, Error *error)
{
    ZipPtr z = openZip(path, ZIP_RDONLY, error);
    if (!z)
        return std::nullopt;
    QList<Entry> out;
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        const auto e = entryAt(z.get(), zip_uint64_t(i), error);
        if (!e)
            return std::nullopt;
        out.append(*e);
    }
    return out;
}

bool forEach(const QString &path, const std::function<bool(const Entry &, const QByteArray &)> &take, Error *error)
{
    ZipPtr z = openZip(path, ZIP_RDONLY | ZIP_CHECKCONS, error);
    if (!z)
        return false;
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    if (n <= 0)
        return fail(error, QStringLiteral("the zip holds no file"));
    QByteArray bytes;
    for (zip_int64_t i = 0; i < n; ++i) {
        const auto e = entryAt(z.get(), zip_uint64_t(i), error);
        if (!e || !readEntry(z.get(), zip_uint64_t(i), *e, bytes, error))
            return false;
        if (!take(*e, bytes))
            return false;
    }
    return true;
}

std::optional<QList<Entry>> verify(const QString &path, Error *error)
{
    QList<Entry> out;
    if (!forEach(
            path,
            [&out](const Entry &e, const QByteArray &) {
                out.append(e);
                return true;
            },
            error))
        return std::nullopt;
    return out;
}

} // namespace BackupZip
