#include "WorkbookCompression.h"

#include <dlfcn.h>
#include <xlsxwriter/third_party/zip.h>

namespace {

// The level the entries of this thread's zips are deflated at; -1 leaves the
// library's own choice.
thread_local int t_level = -1;

using OpenEntry = decltype(&zipOpenNewFileInZip4_64);

// The zip writer's own function, found past this program in the lookup order.
OpenEntry zipWriterOpenEntry()
{
    static const auto real = reinterpret_cast<OpenEntry>(dlsym(RTLD_NEXT, "zipOpenNewFileInZip4_64"));
    return real;
}

} // namespace

namespace WorkbookCompression {

Fastest::Fastest()
    : m_previous(t_level)
{
    t_level = Z_BEST_SPEED;
}

Fastest::~Fastest() { t_level = m_previous; }

} // namespace WorkbookCompression

// The workbook library opens every part of its zip through this function of the
// zip writer's shared library. Defined in the program, it is the one the dynamic
// linker hands the library (the program comes first in the lookup order); it
// passes each call on to the writer's own function, with the level of the scope
// above when one is alive and deflate is the method. Linked into every program
// that writes workbooks, as it sits in the same object as the scope they use.
extern "C" int ZEXPORT zipOpenNewFileInZip4_64(zipFile file, const char *filename, const zip_fileinfo *zipfi,
                                               const void *extrafield_local, uInt size_extrafield_local,
                                               const void *extrafield_global, uInt size_extrafield_global,
                                               const char *comment, int method, int level, int raw, int windowBits,
                                               int memLevel, int strategy, const char *password,
                                               uLong crcForCrypting, uLong versionMadeBy, uLong flagBase, int zip64)
{
    const OpenEntry real = zipWriterOpenEntry();
    if (!real)
        return ZIP_INTERNALERROR;
    if (t_level >= 0 && method == Z_DEFLATED)
        level = t_level;
    return real(file, filename, zipfi, extrafield_local, size_extrafield_local, extrafield_global,
                size_extrafield_global, comment, method, level, raw, windowBits, memLevel, strategy, password,
                crcForCrypting, versionMadeBy, flagBase, zip64);
}
