#include "WorkbookZip.h"

#include "common/FastDeflate.h"

#include <QtGlobal>

#include <algorithm>
#include <memory>

// Taking over a shared library's function by defining it in the program works
// with the ELF dynamic linker. Elsewhere (Windows) the library's calls never
// reach this program: no part is seen, the level stays the library's, and the
// export checks its workbook by reading it back whole.
#if defined(__ELF__)
#define QUINTARA_SEES_WORKBOOK_ZIP 1
#include <dlfcn.h>
#include <isa-l/crc.h>
#include <xlsxwriter/third_party/zip.h>
#else
#define QUINTARA_SEES_WORKBOOK_ZIP 0
#endif

namespace WorkbookZip {

namespace {

constexpr qsizetype kEnding = 64;

#if QUINTARA_SEES_WORKBOOK_ZIP
// The zip writer's own function of that name, found past this program in the
// dynamic linker's lookup order.
template <class Function>
Function zipWriter(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}
#endif

thread_local Session *t_session = nullptr;

} // namespace

#if QUINTARA_SEES_WORKBOOK_ZIP
// A part deflated here rather than by the zip writer, the fast way the data
// copies are. The zip writer gets the part opened raw, takes the deflated
// bytes as they are, and is given the size and CRC-32 of what went in at the end.
class PartDeflater
{
public:
    explicit PartDeflater(zipFile file)
        : m_file(file)
    {
    }

    zipFile file() const { return m_file; }

    // Deflates the bytes and hands the output to write; false when either failed.
    template <class Write>
    bool add(const void *bytes, unsigned size, bool last, Write write)
    {
        m_crc = crc32_gzip_refl(m_crc, static_cast<const unsigned char *>(bytes), size);
        m_size += size;
        return m_deflate.add(static_cast<const char *>(bytes), qint64(size),
                             last ? FastDeflate::End::Stream : FastDeflate::End::More,
                             [this, write](const char *out, qint64 n) {
                                 return write(m_file, out, unsigned(n)) == ZIP_OK;
                             });
    }

    quint64 size() const { return m_size; }
    quint32 crc() const { return m_crc; }

private:
    zipFile m_file;
    FastDeflate m_deflate;
    quint32 m_crc = 0;
    quint64 m_size = 0;
};

// The part being deflated here on this thread, if any.
thread_local std::unique_ptr<PartDeflater> t_part;
#endif

// What the taken-over functions below do for the session of their thread.
struct Recorder
{
    // Whether a part about to be deflated is deflated here.
    static bool deflatesHere() { return t_session != nullptr; }

    static void opened(const char *name)
    {
        if (Session *s = t_session)
            s->m_parts.push_back(Part{QByteArray(name ? name : ""), 0, {}});
    }

    static void written(const void *bytes, unsigned size)
    {
        Session *s = t_session;
        if (!s || s->m_parts.empty())
            return;
        Part &part = s->m_parts.back();
        part.size += size;
        const QByteArrayView added(static_cast<const char *>(bytes), qsizetype(size));
        part.ending.append(added.last(std::min(added.size(), kEnding)));
        if (part.ending.size() > kEnding)
            part.ending.remove(0, part.ending.size() - kEnding);
    }
};

Session::Session()
    : m_outer(t_session)
{
    t_session = this;
}

Session::~Session()
{
#if QUINTARA_SEES_WORKBOOK_ZIP
    // A part left open by a failed save is not deflated further.
    if (!m_outer)
        t_part.reset();
#endif
    t_session = m_outer;
}

const Part *Session::part(QByteArrayView name) const
{
    // The last part of that name: a zip holds each name once.
    const auto found = std::find_if(m_parts.rbegin(), m_parts.rend(), [&](const Part &p) { return p.name == name; });
    return found == m_parts.rend() ? nullptr : &*found;
}

} // namespace WorkbookZip

#if QUINTARA_SEES_WORKBOOK_ZIP
// The workbook library opens, fills and closes each part of its zip through these
// three functions of the zip writer's shared library. Defined in the program,
// they are the ones the dynamic linker hands the library, as the program comes
// first in its lookup order. Each passes the call on to the writer's own
// function, but for a part deflated here: it is opened raw, given the deflated
// bytes, and closed with its size and CRC-32. They sit in the same object as the
// session, so every program that uses a session has them.
namespace {
using Open = decltype(&zipOpenNewFileInZip4_64);
using Write = decltype(&zipWriteInFileInZip);
using Close = decltype(&zipCloseFileInZip);
using CloseRaw = decltype(&zipCloseFileInZipRaw64);

using WorkbookZip::t_part;
bool deflatingHere(zipFile file) { return t_part && t_part->file() == file; }
} // namespace

extern "C" int ZEXPORT zipOpenNewFileInZip4_64(zipFile file, const char *filename, const zip_fileinfo *zipfi,
                                               const void *extrafield_local, uInt size_extrafield_local,
                                               const void *extrafield_global, uInt size_extrafield_global,
                                               const char *comment, int method, int level, int raw, int windowBits,
                                               int memLevel, int strategy, const char *password,
                                               uLong crcForCrypting, uLong versionMadeBy, uLong flagBase, int zip64)
{
    static const auto open = WorkbookZip::zipWriter<Open>("zipOpenNewFileInZip4_64");
    if (!open)
        return ZIP_INTERNALERROR;
    const bool here = method == Z_DEFLATED && !raw && !password && WorkbookZip::Recorder::deflatesHere();
    const int result = open(file, filename, zipfi, extrafield_local, size_extrafield_local, extrafield_global,
                            size_extrafield_global, comment, method, level, here ? 1 : raw, windowBits, memLevel,
                            strategy, password, crcForCrypting, versionMadeBy, flagBase, zip64);
    if (result == ZIP_OK) {
        WorkbookZip::Recorder::opened(filename);
        if (here)
            t_part = std::make_unique<WorkbookZip::PartDeflater>(file);
    }
    return result;
}

extern "C" int ZEXPORT zipWriteInFileInZip(zipFile file, const void *buf, unsigned len)
{
    static const auto write = WorkbookZip::zipWriter<Write>("zipWriteInFileInZip");
    if (!write)
        return ZIP_INTERNALERROR;
    const int result = !deflatingHere(file) ? write(file, buf, len)
        : t_part->add(buf, len, false, write)   ? ZIP_OK
                                                : ZIP_INTERNALERROR;
    if (result == ZIP_OK)
        WorkbookZip::Recorder::written(buf, len);
    return result;
}

extern "C" int ZEXPORT zipCloseFileInZip(zipFile file)
{
    static const auto close = WorkbookZip::zipWriter<Close>("zipCloseFileInZip");
    static const auto closeRaw = WorkbookZip::zipWriter<CloseRaw>("zipCloseFileInZipRaw64");
    static const auto write = WorkbookZip::zipWriter<Write>("zipWriteInFileInZip");
    if (!deflatingHere(file))
        return close ? close(file) : ZIP_INTERNALERROR;
    // The end of the deflated part, then its size and CRC-32 for the directory.
    const std::unique_ptr<WorkbookZip::PartDeflater> part = std::move(t_part);
    if (!closeRaw || !write)
        return ZIP_INTERNALERROR;
    const bool ended = part->add(nullptr, 0, true, write);
    const int result = closeRaw(file, part->size(), uLong(part->crc()));
    return ended ? result : ZIP_INTERNALERROR;
}
#endif
