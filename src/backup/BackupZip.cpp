#include "BackupZip.h"

#include "PieceDeflate.h"

#include <QFile>

#include <zip.h>
#include <isa-l/crc.h>

#include <cstring>
#include <memory>
#include <vector>

namespace BackupZip {

namespace {

// What the library asks of an entry's stream while it writes the zip. An entry
// to be compressed is deflated here, a piece at a time, and handed to the library
// already compressed with its CRC-32; a stored entry is passed as it is read.
struct StreamSource
{
    const Source *source = nullptr;
    std::unique_ptr<PieceDeflate> deflate;
    qint64 done = 0;
    // The deflated entry's figures, kept past the close.
    bool deflated = false;
    quint32 crc = 0;
    qint64 compressedSize = 0;
    zip_error_t error;

    StreamSource() { zip_error_init(&error); }
    ~StreamSource() { zip_error_fini(&error); }
    StreamSource(const StreamSource &) = delete;
    StreamSource &operator=(const StreamSource &) = delete;
};

zip_int64_t readStored(StreamSource *s, void *data, zip_uint64_t len)
{
    const qint64 wanted = qMin(qint64(len), s->source->size - s->done);
    if (wanted <= 0) {
        if (!s->source->stream->finish()) {
            zip_error_set(&s->error, ZIP_ER_INCONS, 0);
            return -1;
        }
        return 0;
    }
    const qint64 n = s->source->stream->readAt(static_cast<char *>(data), wanted, s->done);
    if (n <= 0) {
        zip_error_set(&s->error, ZIP_ER_READ, 0);
        return -1;
    }
    s->done += n;
    return n;
}

zip_int64_t readDeflated(StreamSource *s, void *data, zip_uint64_t len)
{
    const qint64 n = s->deflate->read(static_cast<char *>(data), qint64(qMin<zip_uint64_t>(len, 1 << 30)));
    if (n < 0) {
        switch (s->deflate->failure()) {
        case PieceDeflate::Failure::Longer:
            zip_error_set(&s->error, ZIP_ER_INCONS, 0);
            break;
        case PieceDeflate::Failure::Compressor:
            zip_error_set(&s->error, ZIP_ER_ZLIB, 0);
            break;
        default:
            zip_error_set(&s->error, ZIP_ER_READ, 0);
            break;
        }
        return -1;
    }
    if (n == 0) {
        s->deflated = true;
        s->crc = s->deflate->crc();
        s->compressedSize = s->deflate->compressedSize();
    }
    return n;
}

zip_int64_t streamCallback(void *userdata, void *data, zip_uint64_t len, zip_source_cmd_t cmd)
{
    auto *s = static_cast<StreamSource *>(userdata);
    switch (cmd) {
    case ZIP_SOURCE_OPEN:
        s->done = 0;
        s->deflated = false;
        if (!s->source->stream->open()) {
            zip_error_set(&s->error, ZIP_ER_OPEN, 0);
            return -1;
        }
        if (s->source->compress)
            s->deflate = std::make_unique<PieceDeflate>(*s->source->stream, s->source->size);
        return 0;
    case ZIP_SOURCE_READ:
        return s->deflate ? readDeflated(s, data, len) : readStored(s, data, len);
    case ZIP_SOURCE_CLOSE:
        s->deflate.reset();
        s->source->stream->close();
        return 0;
    case ZIP_SOURCE_STAT: {
        auto *st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &s->error);
        if (!st)
            return -1;
        zip_stat_init(st);
        st->valid = ZIP_STAT_SIZE | ZIP_STAT_MTIME;
        st->size = zip_uint64_t(s->source->size);
        st->mtime = time_t(s->source->modified);
        if (s->source->compress) {
            // The bytes given are deflated already: the library writes them as
            // they come, and takes the CRC-32 and sizes from here once all is read.
            st->valid |= ZIP_STAT_COMP_METHOD;
            st->comp_method = ZIP_CM_DEFLATE;
            if (s->deflated) {
                st->valid |= ZIP_STAT_CRC | ZIP_STAT_COMP_SIZE;
                st->crc = s->crc;
                st->comp_size = zip_uint64_t(s->compressedSize);
            }
        }
        return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&s->error, data, len);
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, -1);
    default:
        zip_error_set(&s->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

// A member's bytes as a stream.
class BytesStream : public Stream
{
public:
    explicit BytesStream(const QByteArray &bytes)
        : m_bytes(bytes)
    {
    }
    bool open() override { return true; }
    qint64 readAt(char *data, qint64 max, qint64 offset) override
    {
        const qint64 n = qMin(max, qint64(m_bytes.size()) - offset);
        if (n <= 0)
            return 0;
        memcpy(data, m_bytes.constData() + offset, size_t(n));
        return n;
    }
    bool finish() override { return true; }
    void close() override {}

private:
    const QByteArray &m_bytes;
};

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
    const zip_uint64_t needed = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD;
    if ((st.valid & needed) != needed) {
        fail(error, QStringLiteral("entry %1 has no name, size or CRC").arg(index));
        return std::nullopt;
    }
    const QString name = QString::fromUtf8(st.name);
    // More than any data file of the program, or more than the bytes stored can
    // give: a directory that says so is damaged, or made to exhaust the reader.
    const bool stored = st.comp_method == ZIP_CM_STORE;
    const bool possible = st.size <= (zip_uint64_t(1) << 32)
        && (stored ? st.size == st.comp_size
                   : st.size <= st.comp_size * zip_uint64_t(kMostInflation) + zip_uint64_t(kMostInflation));
    if (!possible) {
        fail(error, QStringLiteral("%1: impossible size %2 from %3 bytes").arg(name).arg(st.size).arg(st.comp_size));
        return std::nullopt;
    }
    zip_uint32_t noteSize = 0;
    const char *note = zip_file_get_comment(z, index, &noteSize, ZIP_FL_ENC_RAW);
    return Entry{name, qint64(st.size), quint32(st.crc), note ? QByteArray(note, qsizetype(noteSize)) : QByteArray()};
}

// One entry in pieces, its size and CRC-32 checked against the directory.
bool readEntry(zip_t *z, zip_uint64_t index, const Entry &entry, Reader &reader, QByteArray &buffer, Error *error)
{
    if (!reader.begin(entry))
        return false;
    zip_file_t *f = zip_fopen_index(z, index, 0);
    if (!f)
        return failWith(error, z);
    buffer.resize(kChunk);
    quint32 crc = 0;
    qint64 got = 0;
    bool ok = true;
    while (ok && got < entry.size) {
        const zip_int64_t n = zip_fread(f, buffer.data(), zip_uint64_t(qMin(kChunk, entry.size - got)));
        if (n <= 0) {
            ok = n == 0 ? fail(error, QStringLiteral("%1 ends early").arg(entry.name)) : failWith(error, zip_file_get_error(f));
            break;
        }
        crc = crc32(buffer.constData(), n, crc);
        got += n;
        ok = reader.piece(buffer.constData(), n);
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
    if (ok && crc != entry.crc)
        ok = fail(error, QStringLiteral("%1: CRC-32 mismatch").arg(entry.name));
    return ok && reader.end(entry);
}

} // namespace

quint32 crc32(const char *data, qint64 size, quint32 from)
{
    if (size <= 0)
        return from;
    return quint32(crc32_gzip_refl(from, reinterpret_cast<const unsigned char *>(data), quint64(size)));
}

bool writeStreams(const QString &path, const QList<Source> &sources, Error *error, const QByteArray &comment)
{
    // The library reads the sources when the zip is closed, and calls them once
    // more when it lets the zip go: they outlive it.
    std::vector<std::unique_ptr<StreamSource>> streams;
    ZipPtr z = openZip(path, ZIP_CREATE | ZIP_TRUNCATE, error);
    if (!z)
        return false;
    for (const Source &source : sources) {
        auto state = std::make_unique<StreamSource>();
        state->source = &source;
        zip_source_t *src = zip_source_function(z.get(), streamCallback, state.get());
        if (!src)
            return failWith(error, z.get());
        streams.push_back(std::move(state));
        const QByteArray name = source.name.toUtf8();
        const zip_int64_t index = zip_file_add(z.get(), name.constData(), src, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(src);
            return failWith(error, z.get());
        }
        const bool method = source.compress
            ? zip_set_file_compression(z.get(), zip_uint64_t(index), ZIP_CM_DEFLATE, 0) == 0
            : zip_set_file_compression(z.get(), zip_uint64_t(index), ZIP_CM_STORE, 0) == 0;
        if (!method)
            return failWith(error, z.get());
        if (!source.note.isEmpty()
            && zip_file_set_comment(z.get(), zip_uint64_t(index), source.note.constData(),
                                    zip_uint16_t(qMin<qsizetype>(source.note.size(), 0xffff)), 0)
                < 0)
            return failWith(error, z.get());
    }
    if (!comment.isEmpty()
        && zip_set_archive_comment(z.get(), comment.constData(), zip_uint16_t(qMin<qsizetype>(comment.size(), 0xffff)))
            < 0)
        return failWith(error, z.get());
    // The library writes to a name of its own beside path and renames at the end;
    // on failure it removes what it wrote.
    zip_t *raw = z.release();
    const bool closed = zip_close(raw) == 0;
    if (!closed) {
        failWith(error, raw);
        zip_discard(raw);
    }
    return closed;
}

bool write(const QString &path, const QList<Member> &members, Error *error)
{
    std::vector<std::unique_ptr<BytesStream>> streams;
    QList<Source> sources;
    for (const Member &m : members) {
        streams.push_back(std::make_unique<BytesStream>(m.bytes));
        sources.append(Source{m.name, m.bytes.size(), streams.back().get(), true, {}, 0});
    }
    if (QFile::exists(path))
        return fail(error, QStringLiteral("%1 exists already").arg(path));
    return writeStreams(path, sources, error);
}

std::optional<QList<Entry>> entries(const QString &path, Error *error, QByteArray *comment)
{
    ZipPtr z = openZip(path, ZIP_RDONLY | ZIP_CHECKCONS, error);
    if (!z)
        return std::nullopt;
    if (comment) {
        int size = 0;
        const char *text = zip_get_archive_comment(z.get(), &size, ZIP_FL_ENC_RAW);
        *comment = text ? QByteArray(text, size) : QByteArray();
    }
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

bool read(const QString &path, Reader &reader, Error *error)
{
    ZipPtr z = openZip(path, ZIP_RDONLY | ZIP_CHECKCONS, error);
    if (!z)
        return false;
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    if (n <= 0)
        return fail(error, QStringLiteral("the zip holds no file"));
    QByteArray buffer;
    for (zip_int64_t i = 0; i < n; ++i) {
        const auto e = entryAt(z.get(), zip_uint64_t(i), error);
        if (!e || !readEntry(z.get(), zip_uint64_t(i), *e, reader, buffer, error))
            return false;
    }
    return true;
}

bool forEach(const QString &path, const std::function<bool(const Entry &, const QByteArray &)> &take, Error *error)
{
    struct Whole : Reader
    {
        const std::function<bool(const Entry &, const QByteArray &)> &take;
        QByteArray bytes;
        explicit Whole(const std::function<bool(const Entry &, const QByteArray &)> &t)
            : take(t)
        {
        }
        bool begin(const Entry &) override
        {
            bytes.clear();
            return true;
        }
        bool piece(const char *data, qint64 size) override
        {
            bytes.append(data, size);
            return true;
        }
        bool end(const Entry &e) override { return take(e, bytes); }
    } whole(take);
    return read(path, whole, error);
}

std::optional<QList<Entry>> verify(const QString &path, Error *error)
{
    // Every byte is read and checked; none is kept.
    struct Listing : Reader
    {
        QList<Entry> out;
        bool begin(const Entry &) override { return true; }
        bool piece(const char *, qint64) override { return true; }
        bool end(const Entry &e) override
        {
            out.append(e);
            return true;
        }
    } listing;
    if (!read(path, listing, error))
        return std::nullopt;
    return listing.out;
}

} // namespace BackupZip
