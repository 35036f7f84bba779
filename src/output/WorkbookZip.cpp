#include "WorkbookZip.h"

#include <QtGlobal>

#include <algorithm>

// Taking over a shared library's function by defining it in the program works
// with the ELF dynamic linker. Elsewhere (Windows) the library's calls never
// reach this program: no part is seen, the level stays the library's, and the
// export checks its workbook by reading it back whole.
#if defined(__ELF__)
#define QUINTARA_SEES_WORKBOOK_ZIP 1
#include <dlfcn.h>
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

// What the taken-over functions below do for the session of their thread.
struct Recorder
{
    // The level a part about to be deflated gets.
    static int level(int asked, int fastest) { return t_session ? fastest : asked; }

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

Session::~Session() { t_session = m_outer; }

const Part *Session::part(QByteArrayView name) const
{
    // The last part of that name: a zip holds each name once.
    const auto found = std::find_if(m_parts.rbegin(), m_parts.rend(), [&](const Part &p) { return p.name == name; });
    return found == m_parts.rend() ? nullptr : &*found;
}

} // namespace WorkbookZip

#if QUINTARA_SEES_WORKBOOK_ZIP
// The workbook library opens and fills each part of its zip through these two
// functions of the zip writer's shared library. Defined in the program, they are
// the ones the dynamic linker hands the library, as the program comes first in
// its lookup order; each passes the call on to the writer's own function. They
// sit in the same object as the session, so every program that uses a session
// has them.
extern "C" int ZEXPORT zipOpenNewFileInZip4_64(zipFile file, const char *filename, const zip_fileinfo *zipfi,
                                               const void *extrafield_local, uInt size_extrafield_local,
                                               const void *extrafield_global, uInt size_extrafield_global,
                                               const char *comment, int method, int level, int raw, int windowBits,
                                               int memLevel, int strategy, const char *password,
                                               uLong crcForCrypting, uLong versionMadeBy, uLong flagBase, int zip64)
{
    using Open = decltype(&zipOpenNewFileInZip4_64);
    static const auto open = WorkbookZip::zipWriter<Open>("zipOpenNewFileInZip4_64");
    if (!open)
        return ZIP_INTERNALERROR;
    if (method == Z_DEFLATED)
        level = WorkbookZip::Recorder::level(level, Z_BEST_SPEED);
    const int result = open(file, filename, zipfi, extrafield_local, size_extrafield_local, extrafield_global,
                            size_extrafield_global, comment, method, level, raw, windowBits, memLevel, strategy,
                            password, crcForCrypting, versionMadeBy, flagBase, zip64);
    if (result == ZIP_OK)
        WorkbookZip::Recorder::opened(filename);
    return result;
}

extern "C" int ZEXPORT zipWriteInFileInZip(zipFile file, const void *buf, unsigned len)
{
    using Write = decltype(&zipWriteInFileInZip);
    static const auto write = WorkbookZip::zipWriter<Write>("zipWriteInFileInZip");
    if (!write)
        return ZIP_INTERNALERROR;
    const int result = write(file, buf, len);
    if (result == ZIP_OK)
        WorkbookZip::Recorder::written(buf, len);
    return result;
}
#endif
