#pragma once

// How hard the workbook library squeezes the parts of a workbook into its zip.
//
// The library always asks its zip writer for the default level, and at that level
// deflating a worksheet of 100,000 members takes longer than everything else the
// export does together. While a Fastest scope is alive on a thread, each part that
// thread's workbook adds to its zip is deflated at the fastest level instead: the
// same XML, a file about a quarter larger, written in well under half the time.
// Spreadsheet programs read either alike, as both are the zip's ordinary deflate.
//
// The library offers no setting for this; its zip writer is a shared library of
// its own, whose function for opening a zip entry is taken over here (see the
// source file) and hands every call on unchanged but for the level.
namespace WorkbookCompression {

class Fastest
{
public:
    Fastest();
    ~Fastest();
    Fastest(const Fastest &) = delete;
    Fastest &operator=(const Fastest &) = delete;

private:
    int m_previous;
};

} // namespace WorkbookCompression
