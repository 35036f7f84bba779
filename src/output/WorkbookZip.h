#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// The zip that the workbook library writes, as this program asks for it and sees it.
//
// The library always asks its zip writer for zlib's default level, and at that
// level deflating the worksheet of 100,000 members takes longer than everything
// else the export does together. Here the parts are deflated instead by Intel's
// storage library at its fastest level, several times quicker than even zlib's
// fastest, to the same format that spreadsheet programs read alike.
//
// The library also builds each part in a scratch file and zips whatever that file
// holds: when a full disk or a quota stopped the scratch file short, the zip is a
// well-formed zip of a cut worksheet, and nothing reports it. What went into each
// part, seen on its way in, shows that without reading the whole zip back.
//
// The library offers no setting for either. Its zip writer is a shared library of
// its own, whose functions for opening a part, writing into it and closing it are
// taken over here (see the source file), where the dynamic linker allows it: a
// deflated part is opened raw and given its bytes deflated, with their size and
// CRC-32 at the close; every other call goes on unchanged.
namespace WorkbookZip {

// One part of the zip as it went in, before deflating.
struct Part
{
    QByteArray name;
    qint64 size = 0;   // bytes written into it
    QByteArray ending; // its last bytes (up to 64)
};

// While a Session is alive on a thread, the zips written on that thread are
// deflated here and their parts are recorded.
class Session
{
public:
    Session();
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // The part of that name as it went into the zip; nullptr when it was not seen,
    // as with a workbook library that carries a zip writer of its own.
    const Part *part(QByteArrayView name) const;

private:
    friend struct Recorder;
    std::vector<Part> m_parts;
    Session *m_outer;
};

} // namespace WorkbookZip
